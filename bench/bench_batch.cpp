// Times a batch of renames as the window and the command line carry it out:
// ordering, journal and renames.
//
//   bench_batch shift [FILES]     shifting numbered files by one (every name
//                                 freed by the batch) against a plain renameat2
//                                 loop over as many files to free names
//   bench_batch journal [FILES]   the rename command with its journal against without
//   bench_batch plan [ROWS]       the full test (plan with one listing) over rows
//
// Figures are medians of several runs, ratios against the goals, from one run
// of the program.

#include "benchsupport.h"
#include "rename/journal.h"
#include "rename/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

using namespace kesto;
using namespace kesto::bench;
using namespace Qt::StringLiterals;

namespace {

// A session over \a paths, checked and ready: the mask numbers the files
// from \a start with six digits.
struct Ready
{
    NoQuestions q;
    Session s{q};
    QTemporaryDir journals;

    Ready(const QStringList &paths, const QString &mask, bool journal)
    {
        s.journal() = journal ? Journal(journals.path()) : Journal::off();
        s.load(paths);
        s.setCounterStartText(QStringLiteral("2"));
        s.setMaskText(mask);
        s.refresh();
        s.chooseDigitCount(int(s.digitChoices().entries().indexOf(QStringLiteral("6"))));
        s.chooseLeadChar(1);
        s.refreshTimer().stop();
        s.refresh();
    }
    double run()
    {
        if (!s.renameEnabled()) {
            std::printf("not ready: %s\n", qPrintable(s.status().panel2()));
            return 0;
        }
        const auto t = Clock::now();
        s.renameCommand();
        const double ms = msSince(t);
        if (!s.list().isEmpty())
            std::printf("warning: %d rows were not renamed\n", int(s.list().count()));
        return ms;
    }
};

int shift(int files)
{
    std::vector<double> batch, plain;
    for (int run = 0; run < 3; ++run) {
        QTemporaryDir a, b;
        Ready r(makeEmptyFiles(a.path(), files, u"f"_s, u".txt"_s), QStringLiteral("f[zahl].[typ]"),
                true);
        batch.push_back(r.run());
        plain.push_back(plainLoop(makeEmptyFiles(b.path(), files, u"f"_s, u".txt"_s)));
    }
    const double e = median(batch), p = median(plain);
    std::printf("shift by one, %d files (journal, order, renames): %.1f ms; plain renameat2 loop "
                "%.1f ms; ratio %.2f (goal <= 1.5)\n",
                files, e, p, e / p);
    return 0;
}

int journal(int files)
{
    std::vector<double> with, without;
    for (int run = 0; run < 5; ++run) {
        QTemporaryDir a, b;
        Ready on(makeEmptyFiles(a.path(), files, u"f"_s, u".txt"_s),
                 QStringLiteral("g[zahl].[typ]"), true);
        Ready off(makeEmptyFiles(b.path(), files, u"f"_s, u".txt"_s),
                  QStringLiteral("g[zahl].[typ]"), false);
        // Alternate which goes first, so neither always meets a warmer cache.
        if (run % 2) {
            with.push_back(on.run());
            without.push_back(off.run());
        } else {
            without.push_back(off.run());
            with.push_back(on.run());
        }
    }
    const double w = median(with), o = median(without);
    std::printf("rename command, %d files: with journal %.1f ms, without %.1f ms, ratio %.3f "
                "(goal <= 1.1)\n",
                files, w, o, w / o);
    return 0;
}

int plan(int rows)
{
    QTemporaryDir a;
    Ready r(makeEmptyFiles(a.path(), rows, u"f"_s, u".txt"_s), QStringLiteral("f[zahl].[typ]"),
            false);
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const auto t = Clock::now();
        r.s.refresh(); // which runs the full test
        times.push_back(msSince(t));
    }
    std::printf("full test with plan, %d rows shifted by one in one folder: %.1f ms "
                "(goal < 150 ms), ready=%d\n",
                rows, median(times), int(r.s.renameEnabled()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return runModes(
        argc, argv,
        {{"shift", shift, 100000}, {"journal", journal, 10000}, {"plan", plan, 100000}});
}
