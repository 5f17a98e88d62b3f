// Reads the facts of every file of a folder exactly as the list loader does:
// ReadFileFacts (one status call for size and both times), with the capture
// date for the names of photos and films (MayHoldCaptureDate).
//
//   bench_facts [-r RUNS] [--log FILE] [--photo] DIR
//                                one warm-up pass, then RUNS timed passes;
//                                prints the per-file time; with --photo each
//                                file's photo facts are read too, as a preview
//                                by [MODELL] reads them
//   bench_facts --once DIR       one pass, prints "name<TAB>date" per file
//                                (the whole-process comparison)
#include "benchsupport.h"
#include "metadata/filefacts.h"
#include "metadata/photofacts.h"
#include "storage/applog.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/resource.h>

using namespace kesto::bench;

namespace {

struct File
{
    std::string name;
    bool jpg = false;
};

// The regular files of the folder in the order of their names. The listing
// is the benchmark's own (the loader gets its paths from a drop), so it is
// kept cheap: names are sorted as bytes, and paths are made when needed.
std::vector<File> listFolder(const char *dir)
{
    std::vector<std::string> names;
    DIR *d = opendir(dir);
    if (!d)
        return {};
    while (const dirent *e = readdir(d)) {
        if (e->d_name[0] != '.' && (e->d_type == DT_REG || e->d_type == DT_UNKNOWN))
            names.emplace_back(e->d_name);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    std::vector<File> files(names.size());
    for (size_t k = 0; k < names.size(); ++k) {
        files[k].jpg = kesto::MayHoldCaptureDate(QString::fromLocal8Bit(names[k].c_str()));
        files[k].name = std::move(names[k]);
    }
    return files;
}

// Makes \a path the folder followed by the file's name, reusing its buffer.
void setPath(QString &path, qsizetype folderLength, const File &f)
{
    path.truncate(folderLength);
    path += QString::fromLocal8Bit(f.name.data(), qsizetype(f.name.size()));
}

// Processor time of this process so far, user and system, in microseconds.
void cpuTime(double *user, double *system)
{
    rusage r;
    getrusage(RUSAGE_SELF, &r);
    *user = double(r.ru_utime.tv_sec) * 1e6 + double(r.ru_utime.tv_usec);
    *system = double(r.ru_stime.tv_sec) * 1e6 + double(r.ru_stime.tv_usec);
}

int usage()
{
    std::fprintf(stderr, "usage: bench_facts [-r RUNS] [--log FILE] [--photo] DIR\n"
                         "       bench_facts --once DIR\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    int runs = 5;
    bool once = false;
    bool photo = false;
    const char *dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "-r") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--log") && i + 1 < argc)
            kesto::SetLogPath(QString::fromLocal8Bit(argv[++i]));
        else if (!std::strcmp(argv[i], "--once"))
            once = true;
        else if (!std::strcmp(argv[i], "--photo"))
            photo = true;
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

    QString path = QString::fromLocal8Bit(dir) + QLatin1Char('/');
    const qsizetype folderLength = path.size();
    if (once) {
        std::string out;
        out.reserve(files.size() * 48);
        for (const File &f : files) {
            setPath(path, folderLength, f);
            const kesto::FileFacts facts = kesto::ReadFileFacts(path, f.jpg);
            out += f.name;
            out += '\t';
            out += facts.captured.isEmpty() ? std::string("-") : facts.captured.toStdString();
            out += '\n';
        }
        std::fwrite(out.data(), 1, out.size(), stdout);
        return 0;
    }

    std::vector<QString> paths(files.size());
    for (size_t k = 0; k < files.size(); ++k) {
        setPath(path, folderLength, files[k]);
        paths[k] = path;
        paths[k].detach();
    }
    std::vector<double> perFile, userPerFile, systemPerFile;
    size_t captured = 0, jpgs = 0, models = 0, checksum = 0;
    for (int pass = 0; pass <= runs; ++pass) {
        captured = jpgs = models = 0;
        double user0, system0, user1, system1;
        cpuTime(&user0, &system0);
        const auto start = Clock::now();
        for (size_t k = 0; k < files.size(); ++k) {
            const kesto::FileFacts facts = kesto::ReadFileFacts(paths[k], files[k].jpg);
            jpgs += files[k].jpg;
            captured += !facts.captured.isEmpty();
            if (photo)
                models += !kesto::ReadPhotoFacts(paths[k]).model.isEmpty();
            checksum += size_t(facts.modified.size() + facts.created.size() + facts.size);
        }
        const std::chrono::duration<double, std::micro> took = Clock::now() - start;
        cpuTime(&user1, &system1);
        if (pass > 0) { // the first pass only warms the caches
            perFile.push_back(took.count() / double(files.size()));
            userPerFile.push_back((user1 - user0) / double(files.size()));
            systemPerFile.push_back((system1 - system0) / double(files.size()));
        }
    }
    std::printf("bench_facts %s: files=%zu photos=%zu captured=%zu models=%zu runs=%d "
                "per_file_us: wall=%.2f (min %.2f, max %.2f) user=%.2f sys=%.2f chk=%zu\n",
                dir, files.size(), jpgs, captured, models, runs, median(perFile),
                *std::min_element(perFile.begin(), perFile.end()),
                *std::max_element(perFile.begin(), perFile.end()), median(userPerFile),
                median(systemPerFile), checksum & 0xFFFF);
    return 0;
}
