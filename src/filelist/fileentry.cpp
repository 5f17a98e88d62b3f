#include "filelist/fileentry.h"

namespace kesto {

QString columnHeader(int column)
{
    switch (column) {
    case ColOldName:
        return QStringLiteral("Alter Name");
    case ColNewName:
        return QStringLiteral("Neuer Name");
    case ColFolder:
        return QStringLiteral("In Ordner");
    case ColSize:
        return QStringLiteral("Größe");
    case ColType:
        return QStringLiteral("Typ");
    case ColModified:
        return QStringLiteral("Letzte Änderung");
    case ColCreated:
        return QStringLiteral("Erstellung");
    case ColCaptured:
        return QStringLiteral("Aufnahme (Exif)");
    case ColFullPath:
        return QStringLiteral("versteckte Sortierspalte für pfad");
    case ColBaseName:
        return QStringLiteral("(versteckte Sortierspalte für nurnamen");
    case ColSizeKey:
        return QStringLiteral("(versteckte Spalte für bytegrösse");
    default:
        return {};
    }
}

FileEntry FileEntry::fromPath(const QString &path)
{
    FileEntry e;
    e.FullPath = path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    e.Folder = path.left(slash + 1);
    e.OldName = path.mid(slash + 1);
    // Only a dot inside the name counts; dots in folder names never split.
    const qsizetype dot = e.OldName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        e.BaseName = e.OldName;
    } else {
        e.BaseName = e.OldName.left(dot);
        e.Type = e.OldName.mid(dot + 1);
    }
    return e;
}

QString FileEntry::sizeKeyFor(qint64 length)
{
    QString key(16, Qt::Uninitialized);
    QChar *digit = key.data() + 16;
    quint64 rest = static_cast<quint64>(length);
    for (int i = 0; i < 16; ++i, rest >>= 4)
        *--digit = QLatin1Char("0123456789ABCDEF"[rest & 15]);
    return key;
}

QString FileEntry::text(int column) const
{
    switch (column) {
    case ColOldName:
        return OldName;
    case ColNewName:
        return NewName;
    case ColFolder:
        return Folder;
    case ColSize:
        return SizeText;
    case ColType:
        return Type;
    case ColModified:
        return Modified;
    case ColCreated:
        return Created;
    case ColCaptured:
        return Captured;
    case ColFullPath:
        return FullPath;
    case ColBaseName:
        return BaseName;
    case ColSizeKey:
        return SizeKey;
    default:
        return {};
    }
}

} // namespace kesto
