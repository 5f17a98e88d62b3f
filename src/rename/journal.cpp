#include "rename/journal.h"

#include "rename/plan.h"
#include "rename/renamer.h"
#include "storage/datafolder.h"
#include "storage/heldfolder.h"
#include "storage/textfile.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

namespace {

const QByteArray Header = "Kesto-Journal 1";
const QByteArray TimeFormat = "yyyy-MM-ddTHH:mm:ss.zzz";

void escapeInto(QByteArray &out, const QByteArray &name)
{
    static const char hex[] = "0123456789ABCDEF";
    if (name.isEmpty()) {
        out += '%';
        return;
    }
    const auto plain = [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c >= 0x21 && c != '%' && c != 0x7F;
    };
    if (std::all_of(name.begin(), name.end(), plain)) {
        out += name;
        return;
    }
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x21 || c == '%' || c == 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
}

QByteArray unescape(const QByteArray &field)
{
    if (field == "%")
        return {};
    return QByteArray::fromPercentEncoding(field);
}

bool appendLine(const QString &path, const QByteArray &line)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = WriteAll(fd, line + '\n') && ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// The identity and length of the entry \a path names in \a folder, itself
// and not a link's target: a rename moves the link.
bool identify(const QByteArray &path, FileIdentity &id, qint64 &size, int folder = AT_FDCWD)
{
    struct statx st;
    if (::statx(folder, path.constData(), AT_SYMLINK_NOFOLLOW,
                STATX_INO | STATX_SIZE | STATX_MTIME | STATX_BTIME, &st) != 0)
        return false;
    id = IdentityOf(st);
    size = qint64(st.stx_size);
    return true;
}

bool sameFile(const JournalEntry &e, const QByteArray &path)
{
    FileIdentity id;
    qint64 size = 0;
    if (!identify(path, id, size) || id.device != e.identity.device)
        return false;
    if (id.inode == e.identity.inode)
        return id.born == e.identity.born;
    return NameRulesOf(e.move.folder) == NameRules::Windows &&
           SameLengthAndTime(size, id.modified, e.size, e.identity.modified);
}

JournalEntry parseMove(const QByteArray &line, bool *ok)
{
    const QList<QByteArray> f = line.split(' ');
    JournalEntry e;
    *ok = f.size() == 10;
    if (!*ok)
        return e;
    e.identity.device = quint64(f[1].toLongLong());
    e.identity.inode = quint64(f[2].toLongLong());
    e.identity.born = f[3].toLongLong();
    e.size = f[4].toLongLong();
    e.identity.modified = f[5].toLongLong();
    e.move = {unescape(f[6]), unescape(f[7]), unescape(f[8]), unescape(f[9])};
    return e;
}

// The lines of a journal's head (header, begun, first move) and of its end
// (planned, ended, undone), whole when \a whole.
void scan(const QByteArray &text, BatchRecord &record, bool whole)
{
    bool planned = false;
    QList<JournalEntry> entries;
    qsizetype start = 0;
    bool first = true;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArray line = text.mid(start, end - start);
        start = end + 1;
        if (first) {
            first = false;
            if (line != Header)
                return;
        } else if (line.startsWith("begun ")) {
            record.begun = QDateTime::fromString(QString::fromLatin1(line.mid(6)),
                                                 QString::fromLatin1(TimeFormat));
        } else if (line.startsWith("move ")) {
            if (!whole && !record.folder.isNull())
                continue;
            bool ok = false;
            JournalEntry e = parseMove(line, &ok);
            if (!ok)
                continue;
            if (record.folder.isNull())
                record.folder = DecodeTextPart(e.move.folder);
            if (whole)
                entries.append(std::move(e));
        } else if (line.startsWith("planned")) {
            planned = true;
            record.files = line.mid(8).toInt();
        } else if (line == "ended" && record.state == BatchState::Interrupted) {
            record.state = BatchState::Ended;
        } else if (line == "undone") {
            record.state = BatchState::Undone;
        }
    }
    if (!planned) {
        record.files = 0;
        return;
    }
    if (whole) {
        record.files = int(entries.size());
        record.entries = std::move(entries);
    }
}

// A batch that seems cut off may only be running: then another program
// holds the lock on its journal.
void noteRunning(BatchRecord &record)
{
    if (record.files == 0 || record.state != BatchState::Interrupted)
        return;
    const int fd = ::open(QFile::encodeName(record.path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        record.state = BatchState::Running;
    ::close(fd);
}

BatchRecord summary(const QString &path)
{
    BatchRecord record;
    record.path = path;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return record;
    // A batch of many files has a long journal; its head and its end say
    // all a listing needs.
    constexpr qint64 Piece = 4096;
    QByteArray head = f.read(Piece);
    if (f.size() > 2 * Piece) {
        head.truncate(head.lastIndexOf('\n') + 1);
        f.seek(f.size() - Piece);
        QByteArray tail = f.read(Piece);
        head += tail.mid(tail.indexOf('\n') + 1);
    } else {
        head += f.readAll();
    }
    scan(head, record, false);
    noteRunning(record);
    return record;
}

// A drive without an atomic no-replace rename gets the new name claimed by
// an empty file first; a batch stopped right then leaves it behind. Only an
// empty regular file made after the batch began can be that.
void removePlaceholder(const JournalEntry &e, const QDateTime &begun,
                       const JournalEntry *ownerOfName)
{
    const QByteArray path = e.move.folder + e.move.to;
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != 0 ||
        (begun.isValid() && st.st_mtim.tv_sec < begun.toSecsSinceEpoch()))
        return;
    // An empty file of the batch itself, still under its old name, is none.
    if (ownerOfName && sameFile(*ownerOfName, path))
        return;
    ::unlink(path.constData());
}

// The oldest journals in \a folder go, so that with a new one Kept remain;
// the names of the others, oldest first.
QStringList makeRoom(const QString &folder)
{
    QStringList names =
        QDir(folder).entryList({QStringLiteral("*.journal")}, QDir::Files, QDir::Name);
    while (names.size() >= Journal::Kept)
        QFile::remove(folder + names.takeFirst());
    return names;
}

// The journal of a batch that begins \a now, with the identity of each file
// filled in where it is not known yet.
QByteArray journalText(QList<JournalEntry> &entries, const QDateTime &now)
{
    QByteArray text =
        Header + "\nbegun " + now.toString(QString::fromLatin1(TimeFormat)).toLatin1() + '\n';
    text.reserve(text.size() + entries.size() * 96);
    // One escaped text per folder, and the folder held open for the files
    // whose identity is not known yet: a batch mostly stays in one.
    QByteArray folder, escapedFolder;
    HeldFolder held;
    char number[24];
    // Number and blank in one append: a lone character takes Qt's general
    // insert path, which costs more than the number itself.
    auto appendNumber = [&](qint64 v) {
        char *end = std::to_chars(number, number + sizeof number - 1, v).ptr;
        *end++ = ' ';
        text.append(number, end - number);
    };
    // A batch named by relative paths must be found again from anywhere.
    const QByteArray here = QFile::encodeName(QDir::currentPath()) + '/';
    for (JournalEntry &e : entries) {
        if (!e.move.folder.startsWith('/'))
            e.move.folder.prepend(here);
        if (escapedFolder.isEmpty() || e.move.folder != folder) {
            folder = e.move.folder;
            escapedFolder.clear();
            escapeInto(escapedFolder, folder);
            escapedFolder += ' ';
        }
        if (e.identity.readAt == 0) {
            if (const int fd = held.fdFor(folder); fd >= 0)
                identify(e.move.from, e.identity, e.size, fd);
            else
                identify(e.move.folder + e.move.from, e.identity, e.size);
        }
        text += "move ";
        appendNumber(qint64(e.identity.device));
        appendNumber(qint64(e.identity.inode));
        appendNumber(e.identity.born);
        appendNumber(e.size);
        appendNumber(e.identity.modified);
        text += escapedFolder;
        escapeInto(text, e.move.from);
        text += ' ';
        escapeInto(text, e.move.to);
        text += ' ';
        escapeInto(text, e.move.temp);
        text += '\n';
    }
    text += "planned " + QByteArray::number(entries.size()) + '\n';
    return text;
}

// A new journal file in \a folder, numbered after \a lastSerial, open for
// writing; -1 when none can be made. The time in the name is for people.
int createJournal(const QString &folder, qint64 lastSerial, const QDateTime &now, QString &path)
{
    qint64 serial = lastSerial;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + QStringLiteral("batch-%1-").arg(++serial, 10, 10, QLatin1Char('0')) +
               now.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".journal");
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

Journal::Journal(const QString &base)
    : m_folder((base.isEmpty() ? DataFolder() : WithFinalSlash(base)) +
               QStringLiteral("Kesto-Journal/"))
{}

Journal Journal::off()
{
    Journal j(QStringLiteral("/"));
    j.m_off = true;
    return j;
}

bool Journal::begin(QList<JournalEntry> &entries)
{
    m_current.clear();
    if (m_off)
        return false;
    if (!QDir().mkpath(m_folder))
        return false;
    const QStringList names = makeRoom(m_folder);
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray text = journalText(entries, now);

    // Journals are numbered, so that their names sort as the batches came.
    const qint64 last = names.isEmpty() ? 0 : names.last().section(u'-', 1, 1).toLongLong();
    QString path;
    const int fd = createJournal(m_folder, last, now, path);
    if (fd < 0)
        return false;
    // Locked before it says "planned", so that no one takes it for cut off.
    const bool ok = ::flock(fd, LOCK_EX) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    if (!ok) {
        ::close(fd);
        ::unlink(QFile::encodeName(path).constData());
        return false;
    }
    SyncFolder(QFile::encodeName(m_folder));
    m_current = path;
    m_lock.reset(new int(fd), [](int *held) {
        ::close(*held);
        delete held;
    });
    return true;
}

void Journal::end()
{
    if (!m_current.isEmpty())
        appendLine(m_current, "ended");
    m_current.clear();
    m_lock.reset();
}

QList<BatchRecord> Journal::batches() const
{
    QList<BatchRecord> list;
    if (m_off)
        return list;
    const QStringList names = QDir(m_folder).entryList({QStringLiteral("*.journal")}, QDir::Files,
                                                       QDir::Name | QDir::Reversed);
    for (const QString &name : names) {
        BatchRecord r = summary(m_folder + name);
        if (r.files > 0)
            list.append(std::move(r));
    }
    return list;
}

BatchRecord Journal::read(const QString &path)
{
    BatchRecord record;
    record.path = path;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        scan(f.readAll(), record, true);
    noteRunning(record);
    return record;
}

bool Journal::markUndone(const QString &path)
{
    return appendLine(path, "undone");
}

// The temporary name an undo gives a file inside a cycle, derived from the
// journal so that an interrupted undo leaves nothing a later one cannot find.
QByteArray undoTempName(const JournalEntry &e)
{
    return ".kesto-u-" + QByteArray::number(e.identity.inode, 36) + '-' +
           QByteArray::number(e.identity.device, 36);
}

FoundAt LocateEntry(const JournalEntry &e)
{
    const Move &m = e.move;
    if (sameFile(e, m.folder + m.to))
        return FoundAt::New;
    if (!m.temp.isEmpty() && sameFile(e, m.folder + m.temp))
        return FoundAt::Temp;
    if (sameFile(e, m.folder + undoTempName(e)))
        return FoundAt::UndoTemp;
    if (sameFile(e, m.folder + m.from))
        return FoundAt::Old;
    return FoundAt::Nowhere;
}

UndoResult UndoBatch(const BatchRecord &batch,
                     const std::function<void(const JournalEntry &, int)> &failed)
{
    UndoResult result;
    // Whatever its files look like now, they are still moving.
    if (batch.state == BatchState::Running) {
        result.complete = false;
        return result;
    }
    QList<Move> back;
    QList<int> entryOf;
    // Which entry has each old name, for placeholders met at a new name.
    QHash<QByteArray, int> byOldName;
    if (batch.state == BatchState::Interrupted) {
        for (qsizetype k = 0; k < batch.entries.size(); ++k)
            byOldName.insert(batch.entries[k].move.folder + batch.entries[k].move.from, int(k));
    }
    for (qsizetype k = 0; k < batch.entries.size(); ++k) {
        const JournalEntry &e = batch.entries[k];
        switch (LocateEntry(e)) {
        case FoundAt::Old:
            if (batch.state == BatchState::Interrupted) {
                const int owner = byOldName.value(e.move.folder + e.move.to, -1);
                removePlaceholder(e, batch.begun, owner >= 0 ? &batch.entries[owner] : nullptr);
            }
            break;
        case FoundAt::New:
            back.append({e.move.folder, e.move.to, e.move.from, undoTempName(e)});
            entryOf.append(int(k));
            break;
        case FoundAt::Temp:
            back.append({e.move.folder, e.move.temp, e.move.from, undoTempName(e)});
            entryOf.append(int(k));
            break;
        case FoundAt::UndoTemp:
            back.append({e.move.folder, undoTempName(e), e.move.from, {}});
            entryOf.append(int(k));
            break;
        case FoundAt::Nowhere:
            result.complete = false;
            failed(e, 0);
            break;
        }
    }
    const QList<Step> steps = OrderMoves(back);
    const QList<MoveResult> results = ApplyMoves(back, steps, [&](int m, int error) {
        result.complete = false;
        failed(batch.entries[entryOf[m]], error);
        return true;
    });
    for (qsizetype m = 0; m < back.size(); ++m) {
        if (results[m] == MoveResult::Done)
            result.movedBack.append(back[m]);
    }
    Journal::markUndone(batch.path);
    return result;
}

} // namespace kesto
