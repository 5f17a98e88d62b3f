// libFuzzer target for the photo readers: arbitrary bytes as a file, read as
// its content tells (JPEG, TIFF and RAW, PNG, WebP, ISO base media), facts and
// date in one opening as one by one, and walked as a TIFF block in each
// layout. Read from the file in 8-byte pieces, the block must give exactly the
// values it gives from memory.
#include "fuzzinput.h"
#include "metadata/filebytes.h"
#include "metadata/filefacts.h"
#include "metadata/imagefacts.h"
#include "metadata/photofacts.h"
#include "metadata/photofacts_p.h"
#include "metadata/tiffwalker_p.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString &inputPath()
{
    static QString path;
    return path;
}

// Every value the walk chose, as text and as numbers.
QString everyValue(kesto::TiffBytes &block, kesto::TiffLayout layout)
{
    const kesto::TiffTags t = kesto::WalkTiff(block, layout);
    QStringList out;
    for (const kesto::TiffValue *value :
         {&t.make, &t.model, &t.lens, &t.captured, &t.iso, &t.aperture, &t.exposure, &t.focalLength,
          &t.orientation, &t.width, &t.height, &t.latitudeRef, &t.latitude, &t.longitudeRef,
          &t.longitude, &t.borders[0], &t.borders[1], &t.borders[2], &t.borders[3]})
        out << kesto::TiffText(block, *value) << kesto::TiffNumbers(block, t, *value);
    return out.join(u'|');
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QByteArray dir = qEnvironmentVariableIsSet("TMPDIR") ? qgetenv("TMPDIR") : "/tmp";
    inputPath() =
        QString::fromLocal8Bit(dir) + QStringLiteral("/fuzz_photo_") + QString::number(getpid());
    std::atexit([] { ::unlink(inputPath().toLocal8Bit().constData()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray name = inputPath().toLocal8Bit();
    WriteFuzzInput(name, data, size);

    // The facts and the date read in one opening are those read one by one.
    const kesto::FileFacts both =
        kesto::ReadPhotoFileFacts(name, inputPath(), qint64(size), /*captureDate=*/true);
    if (both.photo != kesto::ReadPhotoFacts(inputPath()) ||
        both.captured != kesto::GetCaptureDate(inputPath()))
        std::abort();
    (void)kesto::OwnImageSize(inputPath());

    const QByteArray memory(reinterpret_cast<const char *>(data), qsizetype(size));
    kesto::FileBytes file(8);
    file.open(inputPath());
    for (kesto::TiffLayout layout :
         {kesto::TiffLayout::Plain, kesto::TiffLayout::InJpeg, kesto::TiffLayout::Panasonic}) {
        kesto::TiffBytes inMemory(memory), inFile(file, 0, qint64(size));
        if (everyValue(inMemory, layout) != everyValue(inFile, layout))
            std::abort();
    }
    return 0;
}
