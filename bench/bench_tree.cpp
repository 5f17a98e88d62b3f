// Times loading the files of a tree of folders, as kesto-cli -r does, against
// loading the same files as a list of paths, as kesto-cli --files-from does:
// both inside the process, in the command line's session (Preview::OnDemand),
// from a warm cache.
//
//   bench_tree [FILES]   FILES empty files (default: 10,000, then 100,000) in
//                        folders of 100, ten folders to a parent (1,000
//                        folders three deep for 100,000 files); prints the
//                        median of five loads each way, per file, on the
//                        clock and in processor time
#include "benchsupport.h"
#include "filelist/pathsources.h"
#include "rename/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <sys/resource.h>

using namespace kesto;
using namespace kesto::bench;

namespace {

constexpr int FilesPerFolder = 100;

// The tree in \a root; its files' paths, one a line, in the walk's order.
QByteArray makeTree(const QString &root, int files)
{
    QByteArray list;
    for (int f = 0; f < files / FilesPerFolder; ++f) {
        const QString folder =
            QStringLiteral("%1/t%2/m%3/l%4").arg(root).arg(f / 100).arg(f / 10 % 10).arg(f % 10);
        QDir().mkpath(folder);
        const QString prefix = QStringLiteral("IMG_%1_").arg(f, 4, 10, QLatin1Char('0'));
        for (const QString &path : makeEmptyFiles(folder, FilesPerFolder, prefix, u".jpg"_qs))
            list += QFile::encodeName(path) + '\n';
    }
    return list;
}

// The processor time of the process so far, all its threads: on a machine
// shared with others it tells more than the time on the clock.
double cpuMs()
{
    struct rusage usage = {};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

struct Load
{
    double ms, cpu;
    int rows;
};

// One load into a fresh session.
template<typename Loader> Load timeLoad(Loader load)
{
    NoQuestions questions;
    Session session(questions, Session::Preview::OnDemand);
    const double cpu = cpuMs();
    const auto t = Clock::now();
    load(session);
    return {msSince(t), cpuMs() - cpu, session.list().count()};
}

void compare(int files)
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("baum"));
    const QString listFile = dir.filePath(QStringLiteral("liste"));
    QFile out(listFile);
    if (!out.open(QIODevice::WriteOnly) || out.write(makeTree(root, files)) < 0)
        std::exit(1);
    out.close();
    const auto walk = [&root](Session &s) {
        s.load({QFile::encodeName(root)}, FolderFilter{-1, {}, {}, false});
    };
    const auto fromList = [&listFile](Session &s) {
        SkipReason reason;
        s.load(*ReadPathList(QFile::encodeName(listFile), false, reason));
    };
    // The walk alone, without loading what it finds: what -r does more than
    // --files-from, whose list was made before it started.
    const auto walkOnly = [&root](Session &) {
        PathsWithFolderFiles({QFile::encodeName(root)}, FolderFilter{-1, {}, {}, false});
    };
    std::vector<double> walked, listed, walkedCpu, listedCpu, walkOnlyCpu;
    Load w{}, l{};
    timeLoad(walk); // the tree into the cache
    for (int run = 0; run < 5; ++run) {
        w = timeLoad(walk);
        l = timeLoad(fromList);
        walked.push_back(w.ms);
        listed.push_back(l.ms);
        walkedCpu.push_back(w.cpu);
        listedCpu.push_back(l.cpu);
        walkOnlyCpu.push_back(timeLoad(walkOnly).cpu);
    }
    const auto perFile = [files](double ms) { return 1000 * ms / files; };
    std::printf("%d files in %d folders, a file: -r %.2f us (processor %.2f us, %d rows), "
                "--files-from %.2f us (processor %.2f us, %d rows); ratio %.2f, processor %.2f "
                "(goal <= 1.1); the walk alone: processor %.2f us\n",
                files, files / FilesPerFolder, perFile(median(walked)), perFile(median(walkedCpu)),
                w.rows, perFile(median(listed)), perFile(median(listedCpu)), l.rows,
                median(walked) / median(listed), median(walkedCpu) / median(listedCpu),
                perFile(median(walkOnlyCpu)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1) {
        compare(std::atoi(argv[1]));
        return 0;
    }
    for (const int files : {10000, 100000})
        compare(files);
    return 0;
}
