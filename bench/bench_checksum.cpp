// The checksum of "[PRÜFSUMME]" against sha256sum over the same files, both
// reading them from the page cache after one warm-up pass.
//
//   bench_checksum [MIB]   MIB mebibytes (default 1024) in files of 64 MiB in a
//                          temporary folder; prints both times and their ratio
#include "benchsupport.h"
#include "metadata/checksum.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace kesto;
using namespace kesto::bench;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int mebibytes = argc > 1 ? std::atoi(argv[1]) : 1024;
    constexpr int FileMiB = 64;
    QTemporaryDir dir;
    QStringList paths;
    QByteArray piece(FileMiB * 1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i * FileMiB < mebibytes; ++i) {
        for (qsizetype b = 0; b < piece.size(); ++b)
            piece[b] = char(b * 131 + i + b / 65536);
        QFile file(dir.filePath(QString::number(i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(piece) != piece.size())
            return 1;
        paths << file.fileName();
    }
    const auto ours = [&] {
        for (const QString &path : paths) {
            if (FileChecksum(path).isEmpty())
                std::exit(1);
        }
    };
    const auto reference = [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral("sha256sum"), paths);
        if (!process.waitForFinished(-1) || process.exitCode() != 0)
            std::exit(1);
    };
    ours();
    std::vector<double> oursMs, referenceMs;
    for (int run = 0; run < 3; ++run) {
        Clock::time_point start = Clock::now();
        ours();
        oursMs.push_back(msSince(start));
        start = Clock::now();
        reference();
        referenceMs.push_back(msSince(start));
    }
    const double a = median(oursMs), b = median(referenceMs);
    std::printf("checksum %d MiB: kesto %.0f ms, sha256sum %.0f ms, ratio %.2f (goal <= 1.30)\n",
                int(paths.size()) * FileMiB, a, b, a / b);
    return 0;
}
