// Times the preview a pause in typing starts, over a long list of files in one
// real folder, with what the window adds to the bare pass: the model's
// dataChanged reaching a table view, and the whole main window including its
// repaint. The full test of the names, part of every pass, is timed alone too.
//
//   bench_preview [ROWS]      (default 30000; runs on the offscreen platform)
//
// Prints the median of several runs and the ratios against the bare pass, all
// from one run of the program.

#include "benchsupport.h"
#include "rename/session.h"
#include "storage/questions.h"
#include "ui/filelistmodel.h"
#include "ui/filelistview.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace kesto;
using namespace kesto::bench;

namespace {

const QString Mask = QStringLiteral("Urlaub [zahl] [datum].[typ]");

// An empty file for each row in \a folder, so that the full test lists a real folder.
void makeFiles(const QString &folder, int rows)
{
    for (const FileEntry &e : generatedRows(rows, folder)) {
        const int fd = ::open(QFile::encodeName(e.fullPath()).constData(),
                              O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
    }
}

void fill(Session &s, const QString &folder, int rows)
{
    s.list().setKeepSorted(false);
    s.list().insertRows(0, generatedRows(rows, folder));
    s.setMaskText(Mask);
    s.refreshTimer().stop();
}

// The median of seven timed passes; \a after runs inside the timing.
double timePasses(Session &s, const std::function<void()> &after = {})
{
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        const auto t = Clock::now();
        s.refresh();
        if (after)
            after();
        times.push_back(msSince(t));
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 30000;
    NoQuestions questions;
    const QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    makeFiles(folder, rows);

    // The bare pass: no model, no view.
    Session bare(questions);
    fill(bare, folder, rows);
    const double core = timePasses(bare);
    std::vector<double> tests;
    for (int run = 0; run < 7; ++run) {
        const auto t = Clock::now();
        TestRows(bare.list());
        tests.push_back(msSince(t));
    }
    const double test = median(tests);

    // The model and a shown table view; dataChanged is handled inside the pass.
    Session viewed(questions);
    FileListModel model(viewed);
    FileListView view;
    view.setModel(&model);
    view.resize(900, 400);
    view.show();
    fill(viewed, folder, rows);
    QCoreApplication::processEvents();
    const double withView = timePasses(viewed);
    const double withPaint = timePasses(viewed, [] { QCoreApplication::processEvents(); });

    // The whole window, as the refresh timer would run it, with its repaint.
    // The window is never started, so nothing of the user's is read or written.
    MainWindow window(&questions);
    window.show();
    fill(window.session(), folder, rows);
    window.maskField()->setText(Mask);
    window.session().refreshTimer().stop();
    QCoreApplication::processEvents();
    const double whole = timePasses(window.session(), [] { QCoreApplication::processEvents(); });

    std::printf("preview of %d rows, mask %s (median of 7):\n", rows, Mask.toUtf8().constData());
    std::printf("  bare pass                          %7.1f ms  (reference)\n", core);
    std::printf("  of it the full test of the names   %7.1f ms  ratio %.2f  (ready: %d)\n", test,
                test / core, int(bare.renameEnabled()));
    std::printf("  with model and table view          %7.1f ms  ratio %.2f\n", withView,
                withView / core);
    std::printf("  with model, view and repaint       %7.1f ms  ratio %.2f\n", withPaint,
                withPaint / core);
    std::printf("  whole main window with repaint     %7.1f ms  ratio %.2f  (goal < 1000 ms)\n",
                whole, whole / core);
    std::printf("  last new name: %s\n",
                window.session().list().at(rows - 1).newName.toUtf8().constData());
    return whole < 1000 ? 0 : 1;
}
