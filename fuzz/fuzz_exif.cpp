// libFuzzer target for the Exif reader: arbitrary bytes as a file, loaded and
// asked for the usual tags. A second reader that reads in 8-byte pieces must
// see exactly the same entries, so the piecewise reading is checked as well.
#include "fuzzinput.h"
#include "metadata/exifreader.h"
#include "metadata/filefacts.h"
#include "metadata/imagefacts.h"
#include "storage/applog.h"

#include <QByteArray>
#include <QString>

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

bool sameEntries(const kesto::ExifReader &a, const kesto::ExifReader &b)
{
    const QList<kesto::ExifEntry> x = a.Entries();
    const QList<kesto::ExifEntry> y = b.Entries();
    if (x.size() != y.size())
        return false;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (x[k].TagNumber != y[k].TagNumber || x[k].DataType != y[k].DataType ||
            x[k].Count != y[k].Count || x[k].ValueOffset != y[k].ValueOffset ||
            x[k].Value != y[k].Value)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    const QByteArray dir = qEnvironmentVariableIsSet("TMPDIR") ? qgetenv("TMPDIR") : "/tmp";
    inputPath() = QString::fromLocal8Bit(dir) + QStringLiteral("/fuzz_exif_") +
                  QString::number(getpid()) + QStringLiteral(".jpg");
    // Log lines are built and written; each input starts a new log.
    kesto::SetLogPath(QString::fromLocal8Bit(dir) + QStringLiteral("/fuzz_exif_") +
                      QString::number(getpid()) + QStringLiteral(".log"));
    std::atexit([] {
        ::unlink(inputPath().toLocal8Bit().constData());
        kesto::DeleteLog();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray name = inputPath().toLocal8Bit();
    WriteFuzzInput(name, data, size);
    kesto::DeleteLog();

    kesto::ExifReader reader;
    reader.Load(inputPath());
    for (int tag : {0, 36867, 271, 306, 34665, 37500, 1, 2, 3, 5})
        (void)kesto::ExifValueText(reader.Tag(tag));
    (void)reader.MakerNoteTag(37500);

    kesto::ExifReader pieces(8);
    pieces.Load(inputPath());
    if (pieces.Loaded() != reader.Loaded() || pieces.Tag() != reader.Tag() ||
        !sameEntries(reader, pieces))
        std::abort();

    // The loader's way in: the length from its own status call.
    if (kesto::ReadFileFacts(inputPath(), true).captured != kesto::GetCaptureDate(inputPath()))
        std::abort();
    return 0;
}
