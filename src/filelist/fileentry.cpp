#include "filelist/fileentry.h"

#include "metadata/checksum.h"
#include "metadata/filebytes.h"
#include "metadata/filetimes.h"
#include "metadata/isobmff.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(FileList)
};

} // namespace

QString columnHeader(int column)
{
    switch (column) {
    case ColOldName:
        return Text::tr("Alter Name");
    case ColNewName:
        return Text::tr("Neuer Name");
    case ColFolder:
        return Text::tr("In Ordner");
    case ColSize:
        return Text::tr("Größe");
    case ColType:
        return Text::tr("Typ");
    case ColModified:
        return Text::tr("Letzte Änderung");
    case ColCreated:
        return Text::tr("Erstellung");
    case ColCaptured:
        return Text::tr("Aufnahme (Exif)");
    case ColFullPath:
        return Text::tr("versteckte Sortierspalte für pfad");
    case ColBaseName:
        return Text::tr("(versteckte Sortierspalte für nurnamen");
    case ColSizeKey:
        return Text::tr("(versteckte Spalte für bytegrösse");
    default:
        return {};
    }
}

FileEntry FileEntry::fromPath(const QString &path)
{
    FileEntry e;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    e.folder = path.left(slash + 1);
    e.oldName = path.mid(slash + 1);
    return e;
}

// Only a dot inside the name counts; dots in folder names never split.
QStringView FileEntry::baseName() const
{
    const qsizetype dot = isFolder ? -1 : oldName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QStringView(oldName) : QStringView(oldName).first(dot);
}

QStringView FileEntry::type() const
{
    const qsizetype dot = isFolder ? -1 : oldName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QStringView() : QStringView(oldName).sliced(dot + 1);
}

const QString &FileEntry::noText()
{
    static const QString none;
    return none;
}

const QByteArray &FileEntry::noBytes()
{
    static const QByteArray none;
    return none;
}

void FileEntry::setCaptured(QString captured)
{
    setRare(std::move(captured), rawBytes(), m_rare ? m_rare->content : nullptr);
}

void FileEntry::setRawBytes(QByteArray bytes)
{
    setRare(captured(), std::move(bytes), m_rare ? m_rare->content : nullptr);
}

void FileEntry::setRare(QString captured, QByteArray bytes,
                        std::shared_ptr<const ContentFacts> content)
{
    if (captured.isEmpty() && bytes.isEmpty() && !content) {
        m_rare.reset();
        return;
    }
    QExplicitlySharedDataPointer<Rare> rare(new Rare);
    rare->content = std::move(content);
    rare->captured = std::move(captured);
    rare->rawBytes = std::move(bytes);
    m_rare = std::move(rare);
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
        return oldName;
    case ColNewName:
        return newName;
    case ColFolder:
        return folder;
    case ColSize:
        return sizeShown ? FormatFileSize(size) : QString();
    case ColType:
        return type().toString();
    case ColModified:
        return modifiedAt == NoTime ? QString() : FileTimeText(modifiedAt);
    case ColCreated:
        return createdAt == NoTime ? QString() : FileTimeText(createdAt);
    case ColCaptured:
        return captured();
    case ColFullPath:
        return fullPath();
    case ColBaseName:
        return baseName().toString();
    case ColSizeKey:
        // The key only serves the hidden column; shown sizes come with it.
        return sizeShown ? sizeKeyFor(size) : QString();
    default:
        return {};
    }
}

const AudioTags &FileEntry::audioTags() const
{
    static const AudioTags none;
    const ContentFacts *read = content();
    return read && read->audio ? *read->audio : none;
}

QString FileEntry::checksum() const
{
    return content() ? content()->checksum.value_or(QString()) : QString();
}

QString FileEntry::duration() const
{
    return content() ? content()->duration.value_or(QString()) : QString();
}

const PhotoFacts &FileEntry::photoFacts() const
{
    static const PhotoFacts none;
    const ContentFacts *read = content();
    return read && read->photo ? *read->photo : none;
}

void FileEntry::readContent(const ContentUse &wanted, int folderFd)
{
    const ContentFacts *known = content();
    const bool readAudio = wanted.audio && !(known && known->audio);
    const bool readChecksum = wanted.checksum && !(known && known->checksum);
    const bool readDuration = wanted.duration && !(known && known->duration);
    const bool readPhoto = wanted.photo && !(known && known->photo);
    if (isFolder || (!readAudio && !readChecksum && !readDuration && !readPhoto))
        return;
    auto content = std::make_shared<ContentFacts>(known ? *known : ContentFacts());
    QString newCaptured = captured();
    const ReachablePath path(*this);
    if (readAudio)
        content->audio = ReadAudioTags(path.path());
    if (readChecksum)
        content->checksum = FileChecksum(path.path());
    if (readDuration) {
        FileBytes film;
        content->duration = film.open(path.path())
                                ? SafeNameValue(DurationText(ReadMovieFacts(film).durationMs))
                                : QString();
    }
    if (readPhoto) {
        const bool withDate =
            wanted.photoWithCaptureDate && captured().isEmpty() && MayHoldCaptureDate(oldName);
        // A name kept in its own bytes is read by its whole path, as it was given.
        const bool byName = folderFd != AT_FDCWD && rawBytes().isEmpty() && !oldName.isEmpty();
        const FileFacts read =
            ReadPhotoFileFacts(byName ? QFile::encodeName(oldName) : pathBytes(), fullPath(), size,
                               withDate, byName ? folderFd : AT_FDCWD);
        content->photo = read.photo;
        if (!read.captured.isEmpty())
            newCaptured = read.captured;
    }
    setRare(std::move(newCaptured), rawBytes(), std::move(content));
}

QByteArray FileEntry::pathBytes() const
{
    return rawBytes().isEmpty() ? QFile::encodeName(fullPath()) : rawBytes();
}

QString FileEntry::pathKey() const
{
    return PathKey(fullPath(), rawBytes());
}

QString PathKey(const QString &path, const QByteArray &rawBytes)
{
    if (rawBytes.isEmpty())
        return path;
    return QChar(0) + QString::fromLatin1(rawBytes);
}

ReachablePath::ReachablePath(const FileEntry &e)
{
    if (e.rawBytes().isEmpty()) {
        m_path = e.fullPath();
        return;
    }
    // The readers take text and encode it as UTF-8, which cannot spell these
    // bytes; the descriptor's link in /proc leads them to the same file.
    m_fd = ::open(e.rawBytes().constData(), O_PATH | O_CLOEXEC);
    if (m_fd >= 0)
        m_path = QStringLiteral("/proc/self/fd/") + QString::number(m_fd);
}

ReachablePath::~ReachablePath()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace kesto
