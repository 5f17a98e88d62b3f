// Times the naming engine inside the process: the preview pass, the full test
// and the rename loop, each against what it has to beat.
//
//   bench_engine preview [ROWS]      preview pass over generated rows
//   bench_engine fulltest [ROWS]     full test over real empty files in one folder
//   bench_engine rename [FILES]      the rename command against a plain renameat2 loop
//
// Prints the median of several runs; all figures from one run of the program.

#include "benchsupport.h"
#include "naming/textcase.h"
#include "rename/session.h"
#include "storage/questions.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace kesto;
using namespace kesto::bench;
using namespace Qt::StringLiterals;

namespace {

QStringList filesIn(const QString &dir)
{
    QStringList paths;
    for (const QString &name : QDir(dir).entryList(QDir::Files, QDir::Name))
        paths << dir + QLatin1Char('/') + name;
    return paths;
}

void setUpNaming(Session &s)
{
    s.setMaskText(QStringLiteral("[name]_[zahl].[typ]"));
    s.setSearchActive(0, Checked);
    s.setSearchText(0, QStringLiteral("img"));
    s.setReplaceText(0, QStringLiteral("Foto"));
    s.refreshTimer().stop();
}

int preview(int rows)
{
    NoQuestions q;
    Session s(q);
    s.list().setKeepSorted(false);
    s.list().insertRows(0, generatedRows(rows));
    setUpNaming(s);
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        const auto t = Clock::now();
        s.refresh();
        times.push_back(msSince(t));
    }
    std::printf("preview pass, %d rows, mask [name]_[zahl].[typ] + 1 replacement: %.1f ms "
                "(goal < 150 ms) -> %s\n",
                rows, median(times), s.list().at(rows - 1).newName.toUtf8().constData());
    return 0;
}

int fullTest(int rows)
{
    QTemporaryDir dir;
    makeEmptyFiles(dir.path(), rows, u"IMG_"_s, u".jpg"_s);
    NoQuestions q;
    Session s(q);
    auto t = Clock::now();
    s.load(filesIn(dir.path()));
    std::printf("loading %d empty files (facts of each): %.1f ms\n", rows, msSince(t));
    setUpNaming(s);
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        t = Clock::now();
        s.refresh(); // which runs the full test
        times.push_back(msSince(t));
    }
    std::printf("full test, %d rows in one folder: %.1f ms (goal < 400 ms), ready=%d\n", rows,
                median(times), int(s.renameEnabled()));
    return 0;
}

int rename(int files)
{
    std::vector<double> engine, plain;
    for (int run = 0; run < 5; ++run) {
        QTemporaryDir a, b, journals;
        makeEmptyFiles(a.path(), files, u"IMG_"_s, u".jpg"_s);
        makeEmptyFiles(b.path(), files, u"IMG_"_s, u".jpg"_s);
        NoQuestions q;
        Session s(q);
        // The batch is journaled as the user's would be, but not among the user's.
        s.journal() = Journal(journals.path());
        s.load(filesIn(a.path()));
        s.setMaskText(QStringLiteral("[name]_r.[typ]"));
        s.refreshTimer().stop();
        s.refresh();
        auto t = Clock::now();
        s.renameCommand();
        engine.push_back(msSince(t));
        if (!s.list().isEmpty())
            std::printf("warning: %d rows were not renamed\n", int(s.list().count()));
        plain.push_back(plainLoop(filesIn(b.path())));
    }
    const double e = median(engine), p = median(plain);
    std::printf("rename loop, %d files: rename command %.1f ms, plain renameat2 loop %.1f ms, "
                "ratio %.2f (goal <= 1.5)\n",
                files, e, p, e / p);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return runModes(
        argc, argv,
        {{"preview", preview, 100000}, {"fulltest", fullTest, 100000}, {"rename", rename, 10000}});
}
