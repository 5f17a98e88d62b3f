#include "rename/journalreader.h"

#include "storage/textfile.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

namespace {

// A journal without its files: no batch at all, or one not to be obeyed.
BatchRecord bare(const QString &path, BatchState state = BatchState::Interrupted)
{
    BatchRecord record;
    record.path = path;
    record.state = state;
    return record;
}

template<typename Number> bool readNumber(QByteArrayView field, Number &value)
{
    const char *end = field.data() + field.size();
    const auto [at, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && at == end && !field.isEmpty();
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A name as the journal escapes it: "%" alone for none, "%" and two hex
// digits for every byte below 0x21, "%" and 0x7F; those bytes never raw.
std::optional<QByteArray> unescape(QByteArrayView field)
{
    if (field == "%")
        return QByteArray();
    if (field.isEmpty())
        return std::nullopt;
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto c = static_cast<unsigned char>(field[i]);
        if (c < 0x21 || c == 0x7F)
            return std::nullopt;
        if (c != '%') {
            out += char(c);
            continue;
        }
        if (i + 2 >= field.size())
            return std::nullopt;
        const int high = hexDigit(field[i + 1]), low = hexDigit(field[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += char(high * 16 + low);
        i += 2;
    }
    return out;
}

bool isPlainName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

// Plain names joined by "/": a path that leads down into folders, never up
// or out.
bool isPathDown(const QByteArray &path)
{
    if (isPlainName(path))
        return true;
    const QList<QByteArray> parts = path.split('/');
    return parts.size() > 1 && std::all_of(parts.begin(), parts.end(), isPlainName);
}

// A move stays in its folder, which is absolute, or goes into folders below
// it: the only paths an undo builds are that folder, a plain name in it and
// a new name that leads down from it.
bool isSafeMove(const Move &m)
{
    return m.folder.startsWith('/') && m.folder.endsWith('/') && !m.folder.contains('\0') &&
           isPlainName(m.from) && isPathDown(m.to) &&
           (m.temp.isEmpty() || (m.temp.startsWith(".kesto-") && isPlainName(m.temp)));
}

// Each folder to make lies on the way of a move's new name: an undo removes
// no folder that the batch did not make for a file of its own.
bool foldersOnTheWay(const BatchRecord &r)
{
    QSet<QByteArray> ways;
    for (const JournalEntry &e : r.entries) {
        for (qsizetype slash = e.move.to.indexOf('/'); slash >= 0;
             slash = e.move.to.indexOf('/', slash + 1))
            ways.insert(e.move.folder + e.move.to.first(slash + 1));
    }
    return std::all_of(r.newFolders.begin(), r.newFolders.end(),
                       [&](const QByteArray &folder) { return ways.contains(folder); });
}

} // namespace

void JournalParser::parseMove(QByteArrayView line)
{
    // move DEVICE INODE BIRTH SIZE MTIME [FINGERPRINT] FOLDER OLD NEW TEMP
    const qsizetype fields = m_hasFingerprints ? 11 : 10, firstName = fields - 4;
    QByteArrayView f[11];
    qsizetype n = 0; // fields seen, counting to one too many
    for (qsizetype start = 0, blank = 0; blank >= 0 && n <= fields; start = blank + 1, ++n) {
        blank = line.indexOf(' ', start);
        if (n < fields)
            f[n] = line.sliced(start, (blank < 0 ? line.size() : blank) - start);
    }
    JournalEntry e;
    const bool numbers = n == fields && readNumber(f[1], e.identity.device) &&
                         readNumber(f[2], e.identity.inode) && readNumber(f[3], e.identity.born) &&
                         readNumber(f[4], e.size) && e.size >= 0 &&
                         readNumber(f[5], e.identity.modified) &&
                         (!m_hasFingerprints || readNumber(f[6], e.fingerprint));
    std::optional<QByteArray> names[4];
    for (int k = 0; numbers && k < 4; ++k)
        names[k] = unescape(f[firstName + k]);
    if (!numbers || !names[0] || !names[1] || !names[2] || !names[3]) {
        m_damaged = true;
        return;
    }
    e.move = {*names[0], *names[1], *names[2], *names[3]};
    if (!isSafeMove(e.move)) {
        m_damaged = true;
        return;
    }
    ++m_moves;
    if (m_record.folder.isNull())
        m_record.folder = DecodeTextPart(e.move.folder);
    if (m_withEntries)
        m_record.entries.append(std::move(e));
}

void JournalParser::parseFolder(QByteArrayView field)
{
    const std::optional<QByteArray> folder = unescape(field);
    m_damaged |= m_planned >= 0 || !folder || !folder->startsWith('/') || !folder->endsWith('/');
    ++m_folders;
    if (folder && m_withEntries)
        m_record.newFolders.append(*folder);
}

// "N" files, or "N F" with the folders made for them.
void JournalParser::parsePlanned(QByteArrayView counts)
{
    const qsizetype blank = counts.indexOf(' ');
    m_damaged |=
        m_unrecorded || m_planned >= 0 ||
        !readNumber(counts.first(blank < 0 ? counts.size() : blank), m_planned) || m_planned < 1 ||
        (blank >= 0 &&
         (!readNumber(counts.sliced(blank + 1), m_plannedFolders) || m_plannedFolders < 1));
    m_planned = std::max<qint64>(m_planned, 0);
}

void JournalParser::add(QByteArrayView line)
{
    if (!m_isJournal)
        return;
    if (m_lines++ == 0) {
        m_hasFingerprints = line == JournalHeader;
        m_isJournal = m_hasFingerprints || line == JournalHeaderWithoutFingerprints;
        return;
    }
    if (line.startsWith("move ")) {
        m_damaged |= m_planned >= 0;
        parseMove(line);
    } else if (line.startsWith("begun ")) {
        m_record.begun = QDateTime::fromString(QString::fromLatin1(line.sliced(6)),
                                               QString::fromLatin1(JournalTimeFormat));
        m_damaged |= m_lines != 2 || !m_record.begun.isValid();
    } else if (line.startsWith("unrecorded ") && m_moves == 0) {
        m_unrecorded = true;
        m_damaged |= m_planned >= 0 || !readNumber(line.sliced(11), m_planned) || m_planned < 1;
        m_planned = std::max<qint64>(m_planned, 0);
    } else if (line.startsWith("folder ")) {
        parseFolder(line.sliced(7));
    } else if (line.startsWith("planned ")) {
        parsePlanned(line.sliced(8));
    } else if (line == "ended" && m_planned >= 0) {
        if (m_record.state == BatchState::Interrupted)
            m_record.state = BatchState::Ended;
    } else if (line == "undone" && m_planned >= 0) {
        m_record.state = BatchState::Undone;
    } else {
        m_damaged = true;
    }
}

BatchRecord JournalParser::finish(bool whole)
{
    BatchRecord record = std::move(m_record);
    // Cut off before its plan was complete: the batch never began.
    if (!m_isJournal || m_planned < 0)
        return bare(record.path);
    if (m_unrecorded && record.state != BatchState::Undone)
        record.state = BatchState::Unrecorded;
    else if (whole && !m_unrecorded &&
             (m_moves != m_planned || m_folders != m_plannedFolders ||
              (m_withEntries && !foldersOnTheWay(record))))
        m_damaged = true;
    record.files = int(std::min<qint64>(m_planned, std::numeric_limits<int>::max()));
    record.newFolderCount =
        int(std::min<qint64>(m_plannedFolders, std::numeric_limits<int>::max()));
    if (m_damaged) {
        record.state = BatchState::Damaged;
        record.entries.clear();
        record.newFolders.clear();
    }
    return record;
}

BatchRecord ParseJournal(QByteArrayView text)
{
    JournalParser parser(true);
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf('\n', start);
        // A last line without its end was being written when its writer stopped.
        if (end < 0)
            break;
        parser.add(text.sliced(start, end - start));
        start = end + 1;
    }
    return parser.finish(true);
}

bool IsJournalName(const QString &name)
{
    constexpr qsizetype SerialAt = 6, SerialDigits = 10;
    if (!name.startsWith(QLatin1String("batch-")) || !name.endsWith(QLatin1String(".journal")) ||
        name.size() < SerialAt + SerialDigits + 1 + 8 || name[SerialAt + SerialDigits] != u'-')
        return false;
    for (qsizetype i = SerialAt; i < SerialAt + SerialDigits; ++i) {
        if (!name[i].isDigit() || name[i].unicode() > 0x7F)
            return false;
    }
    return true;
}

namespace {

// Feeds the whole lines of \a bytes to \a parser; returns what follows the last LF.
QByteArray feedLines(JournalParser &parser, QByteArray bytes)
{
    qsizetype start = 0;
    for (qsizetype end; (end = bytes.indexOf('\n', start)) >= 0; start = end + 1)
        parser.add(QByteArrayView(bytes).sliced(start, end - start));
    return bytes.mid(start);
}

bool readAt(int fd, qint64 offset, qint64 length, QByteArray &out)
{
    out.resize(length);
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, out.data() + done, size_t(length - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    out.truncate(done);
    return done == length;
}

} // namespace

int OpenJournalFile(const QString &path, int flags, qint64 *size)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        errno = EPERM;
        return -1;
    }
    if (size)
        *size = st.st_size;
    return fd;
}

BatchRecord ReadJournalFile(const QString &path, bool withEntries)
{
    qint64 size = 0;
    const int fd = OpenJournalFile(path, O_RDONLY, &size);
    if (fd < 0)
        return bare(path, errno == ENOENT ? BatchState::Interrupted : BatchState::Damaged);
    if (size > MaxJournalBytes) {
        ::close(fd);
        return bare(path, BatchState::Damaged);
    }
    JournalParser parser(withEntries);
    bool whole = true, ok = true;
    constexpr qint64 Piece = 4096, Chunk = 1 << 20;
    QByteArray bytes, rest;
    if (!withEntries && size > 2 * Piece) {
        // A batch of many files has a long journal; its head and its end
        // say all a listing needs.
        whole = false;
        ok = readAt(fd, 0, Piece, bytes);
        feedLines(parser, bytes);
        ok = ok && readAt(fd, size - Piece, Piece, bytes);
        rest = feedLines(parser, bytes.mid(bytes.indexOf('\n') + 1));
    } else {
        for (qint64 at = 0; ok && at < size; at += Chunk) {
            ok = readAt(fd, at, std::min(Chunk, size - at), bytes);
            rest = feedLines(parser, rest + bytes);
        }
    }
    BatchRecord record = ok ? parser.finish(whole) : bare(path, BatchState::Damaged);
    record.path = path;
    // A batch that seems cut off may only be running: then another program
    // holds the lock on its journal.
    if (record.files > 0 && record.state == BatchState::Interrupted &&
        ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        record.state = BatchState::Running;
    ::close(fd);
    return record;
}

} // namespace kesto
