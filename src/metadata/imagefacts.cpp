#include "metadata/imagefacts.h"

#include "metadata/capturedate_p.h"
#include "metadata/exifreader.h"
#include "metadata/photofacts_p.h"

namespace kesto {

namespace {

constexpr int DateTimeOriginalTag = 36867;

QString firstCaptureDate(ExifReader &reader)
{
    const QVariant count = reader.Tag();
    if (!count.isValid() || count.toInt() == 0)
        return {};
    return ExifValueText(reader.Tag(DateTimeOriginalTag));
}

} // namespace

QString captureDateOf(ExifReader &reader, const QString &path, int fd, qint64 size,
                      PhotoFacts *photo)
{
    FileBytes &bytes = reader.m_bytes;
    const bool opened =
        fd == ExifReader::OpenByName ? bytes.open(path) : fd >= 0 && bytes.adopt(fd, size);
    const PhotoContainer container = opened ? ContainerOf(bytes) : PhotoContainer::Unknown;
    if (photo)
        *photo = PhotoFactsOf(bytes, container);
    if (container != PhotoContainer::Jpeg && container != PhotoContainer::Unknown) {
        const QString date = OtherCaptureDate(bytes, container);
        bytes.close();
        return date;
    }
    reader.load(path, opened ? ExifReader::Held : ExifReader::NotReadable, 0);
    return firstCaptureDate(reader);
}

QString GetCaptureDate(const QString &path)
{
    ExifReader reader;
    return captureDateOf(reader, path, ExifReader::OpenByName, 0);
}

QString captureDateOfOpenFile(const QString &path, int fd, qint64 size, PhotoFacts *photo)
{
    ExifReader reader;
    return captureDateOf(reader, path, fd, size, photo);
}

QString captureDateOfUnreadableFile(const QString &path)
{
    ExifReader reader;
    return captureDateOf(reader, path, ExifReader::NotReadable, 0);
}

QString ImageDimensionText(const QSize &size, Qt::Orientation which)
{
    if (!size.isValid())
        return {};
    return QString::number(which == Qt::Horizontal ? size.width() : size.height());
}

QString LastPathPart(const QString &folder)
{
    qsizetype end = folder.size();
    while (end > 0 && folder.at(end - 1) == u'/')
        --end;
    if (end == 0)
        return {};
    const qsizetype slash = folder.lastIndexOf(u'/', end - 1);
    return folder.mid(slash + 1, end - slash - 1);
}

QStringList SplitPath(const QString &path, bool asFolder)
{
    QStringList parts{QString()};
    qsizetype start = 0;
    for (qsizetype slash; (slash = path.indexOf(u'/', start)) >= 0; start = slash + 1)
        parts.append(path.mid(start, slash - start));
    const QString last = path.mid(start);
    if (asFolder) {
        // A folder named without its final "/" still ends with its own name.
        if (!last.isEmpty())
            parts.append(last);
        return parts;
    }
    const qsizetype dot = last.lastIndexOf(u'.');
    parts.append(dot < 0 ? last : last.left(dot));
    parts.append(dot < 0 ? QString() : last.mid(dot + 1));
    return parts;
}

} // namespace kesto
