#include "filelist/fileentry.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

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
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    e.Folder = path.left(slash + 1);
    e.OldName = path.mid(slash + 1);
    // Only a dot inside the name counts; dots in folder names never split.
    const qsizetype dot = e.OldName.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        e.Type = e.OldName.mid(dot + 1);
    return e;
}

QStringView FileEntry::baseName() const
{
    const qsizetype dot = OldName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QStringView(OldName) : QStringView(OldName).first(dot);
}

const FactTexts &FileEntry::noFacts()
{
    static const FactTexts none;
    return none;
}

void FileEntry::setFacts(FactTexts texts)
{
    if (texts.SizeText.isEmpty() && texts.Modified.isEmpty() && texts.Created.isEmpty() &&
        texts.Captured.isEmpty()) {
        m_facts.reset();
        return;
    }
    m_facts = new SharedFacts;
    m_facts->texts = std::move(texts);
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
        return facts().SizeText;
    case ColType:
        return Type;
    case ColModified:
        return facts().Modified;
    case ColCreated:
        return facts().Created;
    case ColCaptured:
        return facts().Captured;
    case ColFullPath:
        return fullPath();
    case ColBaseName:
        return baseName().toString();
    case ColSizeKey:
        // The key only serves the hidden column; shown sizes come with it.
        return facts().SizeText.isEmpty() ? QString() : sizeKeyFor(Size);
    default:
        return {};
    }
}

QByteArray FileEntry::pathBytes() const
{
    return PathBytes.isEmpty() ? QFile::encodeName(fullPath()) : PathBytes;
}

QByteArray FileEntry::folderBytes() const
{
    if (PathBytes.isEmpty())
        return QFile::encodeName(Folder);
    // "/" is one byte in both decodings, so the last one ends the folder here too.
    return PathBytes.left(PathBytes.lastIndexOf('/') + 1);
}

QString FileEntry::pathKey() const
{
    return PathKey(fullPath(), PathBytes);
}

QString FileEntry::folderKey() const
{
    if (PathBytes.isEmpty())
        return Folder;
    const QByteArray folder = folderBytes();
    return PathKey(Folder, QUtf8StringView(folder).isValidUtf8() ? QByteArray() : folder);
}

QString PathKey(const QString &path, const QByteArray &rawBytes)
{
    if (rawBytes.isEmpty())
        return path;
    return QChar(0) + QString::fromLatin1(rawBytes);
}

ReachablePath::ReachablePath(const FileEntry &e)
{
    if (e.PathBytes.isEmpty()) {
        m_path = e.fullPath();
        return;
    }
    // The readers take text and encode it as UTF-8, which cannot spell these
    // bytes; the descriptor's link in /proc leads them to the same file.
    m_fd = ::open(e.PathBytes.constData(), O_PATH | O_CLOEXEC);
    if (m_fd >= 0)
        m_path = QStringLiteral("/proc/self/fd/") + QString::number(m_fd);
}

ReachablePath::~ReachablePath()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace kesto
