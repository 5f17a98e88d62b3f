#include "rename/progressmeter.h"

#include <gtest/gtest.h>

using namespace kesto;

namespace {

// One run on a clock the test sets: the time, the files done of all, and what
// the update shows, "" for nothing and "-" for taking the line away.
TEST(ProgressMeter, ShowsALongRunAtMostTenTimesASecondWithTheRateAndTimeLeftOfItsStep)
{
    qint64 now = 0;
    ProgressMeter meter(1000, [&now] { return now; });
    const std::tuple<qint64, int, int, QString> updates[] = {
        {500, 100, 500, ""},
        {1000, 200, 500, "200 von 500 Dateien, 200 Dateien/s, noch 2 s"},
        {1050, 210, 500, ""},
        {1100, 260, 500, "260 von 500 Dateien, 266 Dateien/s, noch 1 s"},
        {1200, 0, 500, "-"},
        // The rate counts from the first update of a step with a file done.
        {1250, 1, 90000, "1 von 90000 Dateien"},
        {61250, 1001, 90000, "1001 von 90000 Dateien, 16 Dateien/s, noch 1:29:00 h"},
        {121250, 40001, 90000, "40001 von 90000 Dateien, 333 Dateien/s, noch 2:30 min"},
        {121400, 0, 1, "-"},
        {121400, 1, 1, "1 von 1 Datei"},
    };
    for (const auto &[at, done, total, shown] : updates) {
        now = at;
        const ProgressMeter::Show show = meter.update(done, total);
        const QString other = show == ProgressMeter::Show::Clear ? "-" : "";
        EXPECT_EQ(show == ProgressMeter::Show::Line ? meter.text() : other, shown) << at;
    }
}

} // namespace
