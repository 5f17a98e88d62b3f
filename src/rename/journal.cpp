#include "rename/journal.h"

#include "rename/journalreader.h"
#include "rename/messages.h"
#include "rename/namefold.h"
#include "rename/newfolders.h"
#include "rename/plan.h"
#include "rename/renamer.h"
#include "storage/applog.h"
#include "storage/datafolder.h"
#include "storage/heldfolder.h"
#include "storage/textfile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <numeric>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

namespace {

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

bool appendLine(const QString &path, const QByteArray &line)
{
    const int fd = OpenJournalFile(path, O_WRONLY | O_APPEND);
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
    if (!identify(path, id, size))
        return false;
    // Where the drive's numbers say nothing, the content does.
    if (e.fingerprint != 0)
        return size == e.size && id.modified == e.identity.modified &&
               ContentFingerprint(AT_FDCWD, path, size) == e.fingerprint;
    if (id.device != e.identity.device)
        return false;
    if (id.inode == e.identity.inode)
        return id.born == e.identity.born;
    return NameRulesOf(e.move.folder) == NameRules::Windows &&
           SameLengthAndTime(size, id.modified, e.size, e.identity.modified);
}

// A drive without an atomic no-replace rename gets each target claimed by an
// empty file (an empty folder for a folder) first; a batch or an undo stopped
// right then leaves it behind. Only an empty one made after the batch began
// can be that, and not an entry of the batch itself (\a ownerOfName, the
// entry whose old name it is).
void removePlaceholder(const QByteArray &path, const QDateTime &begun,
                       const JournalEntry *ownerOfName = nullptr)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 ||
        !((S_ISREG(st.st_mode) && st.st_size == 0) || S_ISDIR(st.st_mode)) ||
        (begun.isValid() && st.st_mtim.tv_sec < begun.toSecsSinceEpoch()))
        return;
    // An empty entry of the batch itself, still under its old name, is none.
    if (ownerOfName && sameFile(*ownerOfName, path))
        return;
    // A folder goes only while it is empty.
    S_ISDIR(st.st_mode) ? ::rmdir(path.constData()) : ::unlink(path.constData());
}

// Journals live in a folder of the user's own, never one a link leads to:
// what is trimmed there must be the user's.
bool isOwnFolder(const QString &folder)
{
    struct stat st;
    return ::lstat(QFile::encodeName(folder).chopped(1).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
}

// The names of the journals in \a folder, oldest first.
QStringList journalNames(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
    names.removeIf([](const QString &name) { return !IsJournalName(name); });
    return names;
}

// The oldest journals in \a folder go, so that with a new one Kept remain;
// the names of the others, oldest first. Only what Kesto wrote is removed: a
// regular file of the user, named and headed as a journal.
QStringList makeRoom(const QString &folder)
{
    QStringList names = journalNames(folder);
    while (names.size() >= Journal::Kept) {
        const QString path = folder + names.takeFirst();
        const int fd = OpenJournalFile(path, O_RDONLY);
        char head[sizeof JournalHeader] = {};
        if (fd >= 0 && ::pread(fd, head, sizeof head, 0) == sizeof head &&
            (QByteArrayView(head, sizeof head) == QByteArray(JournalHeader) + '\n' ||
             QByteArrayView(head, sizeof head) ==
                 QByteArray(JournalHeaderWithoutFingerprints) + '\n'))
            ::unlink(QFile::encodeName(path).constData());
        if (fd >= 0)
            ::close(fd);
    }
    return names;
}

// The first two lines of every journal.
QByteArray journalHead(const QDateTime &now)
{
    return JournalHeader + QByteArray("\nbegun ") +
           now.toString(QString::fromLatin1(JournalTimeFormat)).toLatin1() + '\n';
}

// The journal of a batch that begins \a now and makes \a newFolders, with
// the identity of each file filled in where it is not known yet.
QByteArray journalText(QList<JournalEntry> &entries, const QList<QByteArray> &newFolders,
                       const QDateTime &now)
{
    QByteArray text = journalHead(now);
    text.reserve(text.size() + entries.size() * 96);
    // One escaped text per folder, and the folder held open for the files
    // whose identity is not known yet: a batch mostly stays in one.
    QByteArray folder, escapedFolder;
    bool byContent = false;
    HeldFolder held;
    char number[24];
    // Number and blank in one append: a lone character takes Qt's general
    // insert path, which costs more than the number itself.
    auto appendNumber = [&](auto v) {
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
            byContent = DriveKindOf(folder).knownByContent;
        }
        if (e.identity.readAt == 0 || byContent) {
            const int fd = held.fdFor(folder);
            const QByteArray where = fd >= 0 ? e.move.from : e.move.folder + e.move.from;
            if (e.identity.readAt == 0)
                identify(where, e.identity, e.size, fd >= 0 ? fd : AT_FDCWD);
            if (byContent)
                e.fingerprint = ContentFingerprint(fd >= 0 ? fd : AT_FDCWD, where, e.size);
        }
        text += "move ";
        appendNumber(e.identity.device);
        appendNumber(e.identity.inode);
        appendNumber(e.identity.born);
        appendNumber(e.size);
        appendNumber(e.identity.modified);
        appendNumber(e.fingerprint);
        text += escapedFolder;
        escapeInto(text, e.move.from);
        text += ' ';
        escapeInto(text, e.move.to);
        text += ' ';
        escapeInto(text, e.move.temp);
        text += '\n';
    }
    for (const QByteArray &made : newFolders) {
        text += "folder ";
        escapeInto(text, made.startsWith('/') ? made : here + made);
        text += '\n';
    }
    text += "planned " + QByteArray::number(entries.size());
    if (!newFolders.isEmpty())
        text += ' ' + QByteArray::number(newFolders.size());
    text += '\n';
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

bool Journal::begin(QList<JournalEntry> &entries, const QList<QByteArray> &newFolders)
{
    m_current.clear();
    if (m_off)
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    const int fd = create(journalText(entries, newFolders, now), now);
    if (fd < 0)
        return false;
    m_lock.reset(new int(fd), [](int *held) {
        ::close(*held);
        delete held;
    });
    return true;
}

void Journal::recordUnjournaled(int files)
{
    if (m_off)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray text = journalHead(now) + "unrecorded " + QByteArray::number(files) + '\n';
    if (const int fd = create(text, now); fd >= 0)
        ::close(fd);
    m_current.clear();
}

int Journal::create(const QByteArray &text, const QDateTime &now)
{
    m_error = 0;
    if (!QDir().mkpath(m_folder) || !isOwnFolder(m_folder)) {
        m_error = errno == EEXIST || errno == 0 ? EPERM : errno;
        return -1;
    }
    const QStringList names = makeRoom(m_folder);
    // Journals are numbered, so that their names sort as the batches came.
    const qint64 last = names.isEmpty() ? 0 : names.last().section(u'-', 1, 1).toLongLong();
    QString path;
    const int fd = createJournal(m_folder, last, now, path);
    if (fd < 0) {
        m_error = errno;
        return -1;
    }
    // Locked before it says "planned", so that no one takes it for cut off.
    if (::flock(fd, LOCK_EX) != 0 || !WriteAll(fd, text) || ::fsync(fd) != 0) {
        m_error = errno;
        ::close(fd);
        ::unlink(QFile::encodeName(path).constData());
        return -1;
    }
    SyncFolder(QFile::encodeName(m_folder));
    m_current = path;
    return fd;
}

void Journal::end(bool filesMoved)
{
    if (m_lock && !m_current.isEmpty() &&
        WriteAll(*m_lock, filesMoved ? QByteArray("ended\n") : QByteArray("ended\nundone\n")))
        ::fsync(*m_lock);
    m_current.clear();
    m_lock.reset();
}

QList<BatchRecord> Journal::batches() const
{
    QList<BatchRecord> list;
    if (m_off || !isOwnFolder(m_folder))
        return list;
    const QStringList names = journalNames(m_folder);
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        BatchRecord r = ReadJournalFile(m_folder + *name, false);
        if (r.files > 0 || r.state == BatchState::Damaged)
            list.append(std::move(r));
    }
    return list;
}

BatchRecord Journal::read(const QString &path)
{
    return ReadJournalFile(path, true);
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
    const std::pair<FoundAt, QByteArray> names[] = {{FoundAt::New, m.to},
                                                    {FoundAt::Temp, m.temp},
                                                    {FoundAt::UndoTemp, undoTempName(e)},
                                                    {FoundAt::Old, m.from}};
    // A drive that ignores letter case finds one entry under both spellings.
    const auto folded = [](const QByteArray &name) {
        std::string key;
        return FoldNameBytes(key, ViewOf(name)) ? key : std::string(ViewOf(name));
    };
    FoundAt found = FoundAt::Nowhere;
    std::string foundAs;
    for (const auto &[at, name] : names) {
        if (name.isEmpty() || (found != FoundAt::Nowhere && folded(name) == foundAs) ||
            !sameFile(e, m.folder + name))
            continue;
        // Numbers tell one file; content may be the same in two: then
        // neither is moved.
        if (found != FoundAt::Nowhere)
            return FoundAt::Ambiguous;
        found = at;
        foundAs = folded(name);
        if (e.fingerprint == 0)
            break;
    }
    return found;
}

namespace {

// Takes the entries \a which of \a batch back, each found where it is now.
// \a byOldName: which entry has each old name, for placeholders met at a new name.
void undoEntries(const BatchRecord &batch, const std::vector<int> &which,
                 const QHash<QByteArray, int> &byOldName, UndoResult &result,
                 const std::function<void(const JournalEntry &, int)> &failed)
{
    QList<Move> back;
    QList<int> entryOf;
    for (const int k : which) {
        const JournalEntry &e = batch.entries[k];
        const FoundAt at = LocateEntry(e);
        // The temporary names are Kesto's own: what is left there empty is a
        // claim, of the batch or of an undo stopped before.
        if (at != FoundAt::Temp && !e.move.temp.isEmpty())
            removePlaceholder(e.move.folder + e.move.temp, batch.begun);
        if (at != FoundAt::UndoTemp)
            removePlaceholder(e.move.folder + undoTempName(e), batch.begun);
        if ((at == FoundAt::Old || at == FoundAt::Temp) && batch.state == BatchState::Interrupted) {
            const int owner = byOldName.value(e.move.folder + e.move.to, -1);
            removePlaceholder(e.move.folder + e.move.to, batch.begun,
                              owner >= 0 ? &batch.entries[owner] : nullptr);
        }
        switch (at) {
        case FoundAt::Old:
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
        case FoundAt::Ambiguous:
            result.complete = false;
            failed(e, UndoAmbiguous);
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
}

} // namespace

UndoResult UndoBatch(const BatchRecord &batch,
                     const std::function<void(const JournalEntry &, int)> &failed)
{
    UndoResult result;
    // Whatever its files look like now, they are still moving; and a
    // damaged journal is obeyed in no part.
    if (batch.state == BatchState::Running || batch.state == BatchState::Damaged ||
        batch.state == BatchState::Unrecorded) {
        result.complete = false;
        return result;
    }
    QHash<QByteArray, int> byOldName;
    if (batch.state == BatchState::Interrupted) {
        for (qsizetype k = 0; k < batch.entries.size(); ++k)
            byOldName.insert(batch.entries[k].move.folder + batch.entries[k].move.from, int(k));
    }
    QList<Move> moves;
    for (const JournalEntry &e : batch.entries)
        moves.append(e.move);
    // The batch renamed what a folder holds before the folder: back, the
    // folder goes first, and only then is what it holds found at its paths,
    // one depth after the other.
    const std::vector<int> depth = NestedFolderDepths(moves);
    std::vector<int> order(size_t(moves.size()));
    std::iota(order.begin(), order.end(), 0);
    if (depth.empty()) {
        undoEntries(batch, order, byOldName, result, failed);
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [&depth](int a, int b) { return depth[size_t(a)] < depth[size_t(b)]; });
        for (auto from = order.begin(); from != order.end();) {
            const auto to = std::find_if(
                from, order.end(), [&](int k) { return depth[size_t(k)] != depth[size_t(*from)]; });
            undoEntries(batch, std::vector<int>(from, to), byOldName, result, failed);
            from = to;
        }
    }
    for (const QByteArray &kept : RemoveEmptyFolders(batch.newFolders))
        result.keptFolders.append(DecodeTextPart(kept));
    Journal::markUndone(batch.path);
    return result;
}

BatchRecord Journal::lastBatch() const
{
    for (BatchRecord &b : batches()) {
        if (b.state != BatchState::Undone)
            return std::move(b);
    }
    return {};
}

BatchRecord Journal::undoableBatch() const
{
    BatchRecord b = lastBatch();
    return b.state == BatchState::Running ? BatchRecord() : b;
}

BatchRecord Journal::interruptedBatch() const
{
    QList<BatchRecord> kept = batches();
    if (kept.isEmpty() || kept.first().state != BatchState::Interrupted)
        return {};
    return kept.takeFirst();
}

QString BatchFacts(const BatchRecord &batch)
{
    QSet<QByteArray> folders;
    for (const JournalEntry &e : batch.entries)
        folders.insert(e.move.folder);
    return messages::batchFacts(batch.begun.toString(TimeShownFormat), batch.folder,
                                std::max<qsizetype>(0, folders.size() - 1));
}

QString UndoTooltip(const BatchRecord &batch)
{
    if (batch.state == BatchState::Damaged)
        return messages::undoDamagedTooltip();
    if (batch.state == BatchState::Unrecorded)
        return messages::undoUnrecordedTooltip(batch.begun.toString(TimeShownFormat));
    if (batch.files == 0)
        return {};
    return messages::undoTooltip(batch.begun.toString(TimeShownFormat), batch.files,
                                 batch.newFolderCount);
}

} // namespace kesto
