// Reads the facts of every file of a folder exactly as the list loader does:
// ReadFileFacts (one status call for size and both times), with the Exif
// capture date for names ending in ".jpg" in any letter case.
//
//   bench_facts [-r RUNS] [--log FILE] DIR   one warm-up pass, then RUNS timed
//                                            passes; prints the per-file time
//   bench_facts --once DIR                   one pass, prints "name<TAB>date" per
//                                            file (the whole-process comparison)
#include "metadata/filefacts.h"
#include "storage/applog.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/resource.h>

namespace {

struct File
{
    QString path;
    QString name;
    bool jpg = false;
};

std::vector<File> listFolder(const char *dir)
{
    std::vector<File> files;
    DIR *d = opendir(dir);
    if (!d)
        return files;
    const QString folder = QString::fromLocal8Bit(dir) + QLatin1Char('/');
    while (const dirent *e = readdir(d)) {
        if (e->d_name[0] == '.' || (e->d_type != DT_REG && e->d_type != DT_UNKNOWN))
            continue;
        File f;
        f.name = QString::fromLocal8Bit(e->d_name);
        f.path = folder + f.name;
        // The loader's rule: the text after the last dot, in small letters, is "jpg".
        const qsizetype dot = f.name.lastIndexOf(QLatin1Char('.'));
        f.jpg =
            dot >= 0 && QStringView(f.name).mid(dot + 1).compare(u"jpg", Qt::CaseInsensitive) == 0;
        files.push_back(std::move(f));
    }
    closedir(d);
    std::sort(files.begin(), files.end(),
              [](const File &a, const File &b) { return a.name < b.name; });
    return files;
}

// Processor time of this process so far, user and system, in microseconds.
void cpuTime(double *user, double *system)
{
    rusage r;
    getrusage(RUSAGE_SELF, &r);
    *user = double(r.ru_utime.tv_sec) * 1e6 + double(r.ru_utime.tv_usec);
    *system = double(r.ru_stime.tv_sec) * 1e6 + double(r.ru_stime.tv_usec);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int usage()
{
    std::fprintf(stderr, "usage: bench_facts [-r RUNS] [--log FILE] DIR\n"
                         "       bench_facts --once DIR\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    int runs = 5;
    bool once = false;
    const char *dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-r") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--log") && i + 1 < argc)
            kesto::SetLogPath(QString::fromLocal8Bit(argv[++i]));
        else if (!std::strcmp(argv[i], "--once"))
            once = true;
        else if (argv[i][0] != '-' && !dir)
            dir = argv[i];
        else
            return usage();
    }
    if (!dir)
        return usage();

    const std::vector<File> files = listFolder(dir);
    if (files.empty()) {
        std::fprintf(stderr, "bench_facts: no files in %s\n", dir);
        return 1;
    }

    if (once) {
        std::string out;
        for (const File &f : files) {
            const kesto::FileFacts facts = kesto::ReadFileFacts(f.path, f.jpg);
            out += f.name.toStdString();
            out += '\t';
            out += facts.Captured.isEmpty() ? std::string("-") : facts.Captured.toStdString();
            out += '\n';
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }

    using Clock = std::chrono::steady_clock;
    std::vector<double> perFile, userPerFile, systemPerFile;
    size_t captured = 0, jpgs = 0, checksum = 0;
    for (int pass = 0; pass <= runs; ++pass) {
        captured = jpgs = 0;
        double user0, system0, user1, system1;
        cpuTime(&user0, &system0);
        const auto start = Clock::now();
        for (const File &f : files) {
            const kesto::FileFacts facts = kesto::ReadFileFacts(f.path, f.jpg);
            jpgs += f.jpg;
            captured += !facts.Captured.isEmpty();
            checksum += size_t(facts.Modified.size() + facts.Created.size() + facts.Size);
        }
        const std::chrono::duration<double, std::micro> took = Clock::now() - start;
        cpuTime(&user1, &system1);
        if (pass > 0) { // the first pass only warms the caches
            perFile.push_back(took.count() / double(files.size()));
            userPerFile.push_back((user1 - user0) / double(files.size()));
            systemPerFile.push_back((system1 - system0) / double(files.size()));
        }
    }
    std::printf("bench_facts %s: files=%zu jpg=%zu captured=%zu runs=%d per_file_us: "
                "wall=%.2f (min %.2f, max %.2f) user=%.2f sys=%.2f chk=%zu\n",
                dir, files.size(), jpgs, captured, runs, median(perFile),
                *std::min_element(perFile.begin(), perFile.end()),
                *std::max_element(perFile.begin(), perFile.end()), median(userPerFile),
                median(systemPerFile), checksum & 0xFFFF);
    return 0;
}
