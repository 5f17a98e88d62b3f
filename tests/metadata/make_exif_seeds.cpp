// Writes the sample photos of the Exif tests into a folder, as the seed corpus
// of fuzz_exif: make_exif_seeds DIR
#include "samplephotos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_exif_seeds DIR\n");
        return 2;
    }
    const QDir dir(args.at(1));
    if (!QDir().mkpath(dir.path()))
        return 1;
    for (const kesto::test::SamplePhoto &photo : kesto::test::samplePhotos()) {
        QFile file(dir.filePath(photo.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(photo.bytes) != photo.bytes.size())
            return 1;
    }
    return 0;
}
