#include "rename/progressmeter.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace kesto;

namespace {

// One run on a clock the test sets: each update with what it shows, "" for
// nothing and "-" for taking the line away. The rate counts from the first
// update of a step with a file done.
TEST(ProgressMeter, ShowsALongRunAtMostTenTimesASecondWithTheRateAndTimeLeftOfItsStep)
{
    qint64 now = 0;
    ProgressMeter meter(1000, [&now] { return now; });
    const struct
    {
        qint64 at;
        int done, total;
        QString shown;
    } updates[] = {
        {0, 0, 500, ""},
        {500, 100, 500, ""},
        {1000, 200, 500, "200 von 500 Dateien, 200 Dateien/s, noch 2 s"},
        {1050, 210, 500, ""},
        {1100, 260, 500, "260 von 500 Dateien, 266 Dateien/s, noch 1 s"},
        {1200, 0, 500, "-"},
        {1250, 0, 90000, ""},
        {1250, 1, 90000, "1 von 90000 Dateien"},
        {61250, 1001, 90000, "1001 von 90000 Dateien, 16 Dateien/s, noch 1:29:00 h"},
        {121250, 40001, 90000, "40001 von 90000 Dateien, 333 Dateien/s, noch 2:30 min"},
        {121300, 0, 1, "-"},
        {121300, 1, 1, "1 von 1 Datei"},
    };
    QStringList expected, shown;
    for (const auto &u : updates) {
        now = u.at;
        const ProgressMeter::Show show = meter.update(u.done, u.total);
        shown << (show == ProgressMeter::Show::Line    ? meter.text()
                  : show == ProgressMeter::Show::Clear ? "-"
                                                       : "");
        expected << u.shown;
    }
    EXPECT_EQ(shown, expected);
}

} // namespace
