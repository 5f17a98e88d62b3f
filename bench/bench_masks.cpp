// Times the saved-mask operations on big masks files: loading one mask (as
// kesto-cli --preset does: the list of names, then the mask), saving one,
// deleting one and listing the names, for 5,000, 10,000 and 20,000 masks and a
// file of about 10 MB. Each operation reads (and writes) the whole file, so its
// time per mask must stay flat as the file grows; the goal is 20,000 masks in
// well under 0.2 s per operation.
//
// Usage: bench_masks [RUNS]   (timed runs per figure, median printed; default 5)
#include "benchsupport.h"

#include "storage/savedmasks.h"
#include "storage/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace kesto;
using namespace kesto::bench;

namespace {

RenameOptions optionsFor(int i)
{
    RenameOptions o;
    o.mask = QStringLiteral("Urlaub %1 [datum] [zeit] [zahl].[typ]").arg(i);
    o.counterStart = QString::number(i % 100);
    o.sets[0] = {Checked, QStringLiteral("IMG_"), QStringLiteral("Bild %1 ").arg(i), Unchecked};
    o.sets[1] = {Unchecked, QStringLiteral("DSC"), QStringLiteral("Foto"), Checked};
    o.randomExtraChars = QStringLiteral("-_+");
    return o;
}

QString maskName(int i)
{
    return QStringLiteral("Maske Nummer %1").arg(i, 6, 10, QLatin1Char('0'));
}

// A masks file as saving the masks one by one would leave it, built in memory
// from one saved mask, because saving 20,000 masks one by one is itself the
// slow way.
QByteArray masksFile(int masks, const QString &scratch)
{
    const QString one = scratch + QStringLiteral("/one.ini");
    NoQuestions questions;
    QFile::remove(one);
    SaveMask(QStringLiteral("x"), optionsFor(0), one, questions);
    const QByteArray section = ReadFileBytes(one);
    QByteArray out;
    for (int i = 0; i < masks; ++i) {
        QByteArray s = section;
        const QByteArray n = QByteArray::number(i);
        s.replace("[.Standard]", "[" + maskName(i).toUtf8() + "]")
            .replace("Urlaub 0 ", "Urlaub " + n + ' ')
            .replace("Bild 0 ", "Bild " + n + ' ');
        if (i > 0)
            out += "\r\n";
        out += s;
    }
    return out;
}

struct Figures
{
    int masks = 0;
    double megabytes = 0;
    double load = 0, save = 0, remove = 0, list = 0;
};

Figures measure(int masks, int runs, const QString &folder)
{
    const QString file = folder + QStringLiteral("/Kesto-Masken.INI");
    const QByteArray bytes = masksFile(masks, folder);
    Figures f;
    f.masks = masks;
    f.megabytes = bytes.size() / 1e6;
    NoQuestions questions;
    std::vector<double> load, save, remove, list;
    for (int r = 0; r < runs; ++r) {
        WriteFileBytes(file, bytes);
        const QString wanted = maskName(masks * 3 / 4);

        auto start = Clock::now();
        if (SavedMaskNames(file).contains(wanted)) {
            RenameOptions o;
            LoadMask(wanted, o, file);
        }
        load.push_back(msSince(start));

        start = Clock::now();
        SaveMask(QStringLiteral("x"), optionsFor(r), file, questions);
        save.push_back(msSince(start));

        start = Clock::now();
        DeleteMask(wanted, file, questions);
        remove.push_back(msSince(start));

        start = Clock::now();
        const qsizetype names = SavedMaskNames(file).size();
        list.push_back(msSince(start));
        if (names != masks) {
            std::fprintf(stderr, "bench_masks: %lld names listed, %d expected\n",
                         static_cast<long long>(names), masks);
            std::exit(1);
        }
    }
    f.load = median(load);
    f.save = median(save);
    f.remove = median(remove);
    f.list = median(list);
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_masks: no temporary folder\n");
        return 1;
    }
    // 26,000 masks make a file of about 10 MB.
    const int sizes[] = {5000, 10000, 20000, 26000};
    std::vector<Figures> all;
    std::printf("masks file operations, median of %d runs (ms; us per mask in brackets)\n", runs);
    std::printf("%8s %7s %18s %18s %18s %18s\n", "masks", "MB", "load (list+mask)", "save",
                "delete", "list");
    for (const int masks : sizes) {
        const Figures f = measure(masks, runs, dir.path());
        all.push_back(f);
        const auto cell = [&](double ms) {
            return QStringLiteral("%1 (%2)")
                .arg(ms, 8, 'f', 1)
                .arg(ms * 1000 / f.masks, 5, 'f', 2)
                .toStdString();
        };
        std::printf("%8d %7.1f %18s %18s %18s %18s\n", f.masks, f.megabytes, cell(f.load).c_str(),
                    cell(f.save).c_str(), cell(f.remove).c_str(), cell(f.list).c_str());
        std::fflush(stdout);
    }
    // Linear time keeps the time per mask flat; quadratic time doubles it with the file.
    const Figures &small = all[0];
    const Figures &big = all[2];
    const auto growth = [&](double a, double b) { return (b / big.masks) / (a / small.masks); };
    std::printf("time per mask, 20,000 against 5,000 masks (1.0 = linear, 4.0 = quadratic):\n"
                "  load %.2f  save %.2f  delete %.2f  list %.2f\n",
                growth(small.load, big.load), growth(small.save, big.save),
                growth(small.remove, big.remove), growth(small.list, big.list));
    const double worst = std::max({big.load, big.save, big.remove, big.list});
    std::printf("slowest operation on 20,000 masks: %.1f ms = %.2f of the 200 ms goal (%s)\n",
                worst, worst / 200, worst < 100 ? "met, well under" : "MISSED");
    return 0;
}
