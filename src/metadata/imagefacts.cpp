#include "metadata/imagefacts.h"

#include "metadata/capturedate_p.h"
#include "metadata/exifreader.h"

namespace kesto {

namespace {

constexpr int DateTimeOriginalTag = 36867;

QString captureDateOf(ExifReader &reader)
{
    const QVariant count = reader.Tag();
    if (!count.isValid() || count.toInt() == 0)
        return {};
    return ExifValueText(reader.Tag(DateTimeOriginalTag));
}

} // namespace

QString GetCaptureDate(const QString &path)
{
    ExifReader reader;
    reader.Load(path);
    return captureDateOf(reader);
}

QString captureDateOfOpenFile(const QString &path, int fd, qint64 size)
{
    ExifReader reader;
    reader.load(path, fd, size);
    return captureDateOf(reader);
}

QString captureDateOfUnreadableFile(const QString &path)
{
    ExifReader reader;
    reader.load(path, ExifReader::NotReadable, 0);
    return captureDateOf(reader);
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
