#include "filelist/pathsources.h"

#include "filelist/filelist.h"
#include "storage/textfile.h"

#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kesto {

namespace {

// Names are compared as the list shows and searches them: composed (NFC).
QRegularExpression patternExpression(const QString &pattern)
{
    return QRegularExpression::fromWildcard(pattern.normalized(QString::NormalizationForm_C),
                                            Qt::CaseInsensitive);
}

// The names of one listing, in one buffer that every listing uses again:
// a buffer of its own for each name cost a tenth of a walk.
class Names
{
public:
    void clear()
    {
        m_bytes.clear();
        m_ends.clear();
    }
    void add(const char *name)
    {
        m_bytes += name;
        m_ends.push_back(m_bytes.size());
    }
    std::vector<std::string_view> views() const
    {
        std::vector<std::string_view> names;
        names.reserve(m_ends.size());
        for (size_t i = 0; i < m_ends.size(); ++i) {
            const size_t from = i == 0 ? 0 : m_ends[i - 1];
            names.emplace_back(m_bytes.data() + from, m_ends[i] - from);
        }
        return names;
    }

private:
    std::string m_bytes;
    std::vector<size_t> m_ends;
};

class Walker
{
public:
    Walker(const FolderFilter &filter, const std::function<void(const WalkEntry &)> &visit)
        : m_filter(filter)
        , m_visit(visit)

    {
        for (const QString &pattern : filter.include)
            m_include.append(patternExpression(pattern));
        for (const QString &pattern : filter.exclude)
            m_exclude.append(patternExpression(pattern));
    }
    ~Walker()
    {
        for (const Frame &frame : m_frames)
            ::close(frame.fd);
    }
    Walker(const Walker &) = delete;
    Walker &operator=(const Walker &) = delete;

    // Depth first without recursion: only the folders on the way down to the
    // one being read are held open.
    void walk(const QByteArray &root)
    {
        const int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            m_visit({WalkEntry::Kind::Unreadable, root, errno});
            return;
        }
        enter(fd, root, 0);
        while (!m_frames.empty()) {
            Frame &top = m_frames.back();
            if (top.next == top.folders.size()) {
                ::close(top.fd);
                m_frames.pop_back();
                continue;
            }
            const QByteArray &name = top.folders.at(top.next++);
            QByteArray path = top.prefix + name;
            const int depth = top.depth + 1;
            // A folder that became a link or a file since it was listed is
            // passed over, as the listing would have passed it over.
            const int child =
                ::openat(top.fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0)
                enter(child, std::move(path), depth);
            else if (errno != ELOOP && errno != ENOTDIR)
                m_visit({WalkEntry::Kind::Unreadable, path, errno});
        }
    }

private:
    struct Frame
    {
        int fd;
        QByteArray prefix; ///< the folder's path with its final "/"
        QList<QByteArray> folders;
        qsizetype next;
        int depth;
    };

    void enter(int fd, QByteArray path, int depth)
    {
        m_visit({WalkEntry::Kind::Folder, path});
        const bool deeper = m_filter.depth < 0 || depth < m_filter.depth;
        m_files.clear();
        m_folders.clear();
        // The listing is read straight into one buffer that every folder uses
        // again: a stream of its own for each folder cost a buffer of 32 KiB
        // taken and given back, and two more system calls.
        for (;;) {
            const ssize_t got = ::getdents64(fd, m_listing.data(), m_listing.size());
            // What was listed before a failure is kept.
            if (got < 0)
                m_visit({WalkEntry::Kind::Unreadable, path, errno});
            if (got <= 0)
                break;
            for (ssize_t at = 0; at < got;) {
                const auto *d = reinterpret_cast<const dirent64 *>(m_listing.data() + at);
                take(fd, d->d_name, d->d_type, deeper);
                at += d->d_reclen;
            }
        }
        QByteArray prefix = path.endsWith('/') ? std::move(path) : path + '/';
        std::vector<std::string_view> names = m_files.views();
        m_order.sort(names);
        // Each file's path is written over the one before, behind the folder's:
        // a path of its own for each cost a tenth of a walk. A visitor that
        // keeps it keeps a copy.
        m_file = prefix;
        for (const std::string_view name : names) {
            m_file.resize(prefix.size() + qsizetype(name.size()));
            std::memcpy(m_file.data() + prefix.size(), name.data(), name.size());
            m_visit({WalkEntry::Kind::File, m_file});
        }
        names = m_folders.views();
        if (names.empty()) {
            ::close(fd);
            return;
        }
        m_order.sort(names);
        QList<QByteArray> folders;
        for (const std::string_view name : names)
            folders.append(QByteArray(name.data(), qsizetype(name.size())));
        m_frames.push_back({fd, std::move(prefix), std::move(folders), 0, depth});
    }

    void take(int fd, const char *name, unsigned char type, bool deeper)
    {
        if (name[0] == '.' &&
            (!m_filter.hidden || name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            return;
        struct stat st;
        if (type == DT_UNKNOWN && ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            type = IFTODT(st.st_mode);
        if (type == DT_LNK)
            type = ::fstatat(fd, name, &st, 0) == 0 && S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        if (type == DT_DIR && deeper)
            m_folders.add(name);
        else if (type == DT_REG && wanted(name))
            m_files.add(name);
    }

    bool wanted(const char *name) const
    {
        if (m_include.isEmpty() && m_exclude.isEmpty())
            return true;
        const QString text = DecodeTextPart(name).normalized(QString::NormalizationForm_C);
        const auto matchesOne = [&text](const QList<QRegularExpression> &patterns) {
            return std::any_of(
                patterns.begin(), patterns.end(),
                [&text](const QRegularExpression &p) { return p.match(text).hasMatch(); });
        };
        return (m_include.isEmpty() || matchesOne(m_include)) && !matchesOne(m_exclude);
    }

    const FolderFilter &m_filter;
    const std::function<void(const WalkEntry &)> &m_visit;
    const NameOrder &m_order = NameOrder::shared();
    Names m_files, m_folders;
    QList<QRegularExpression> m_include, m_exclude;
    std::vector<Frame> m_frames;
    std::vector<char> m_listing = std::vector<char>(32 * 1024);
    QByteArray m_file;
};

SkipReason reasonOf(int error)
{
    if (error == ENOENT)
        return SkipReason::Missing;
    if (error == EISDIR)
        return SkipReason::Folder;
    return error == ENAMETOOLONG ? SkipReason::TooLong : SkipReason::Unreadable;
}

bool isFolder(const QByteArray &path)
{
    struct stat st;
    return !path.contains('\0') && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A folder as a row: its name is the last part of its path, so "Fotos/"
// is "Fotos", and "." is the folder it stands for. The root has no name to
// change and stays a folder passed over.
PathToLoad folderRow(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    if (name == "." || name == "..") {
        char resolved[PATH_MAX];
        if (::realpath(path.constData(), resolved))
            path = resolved;
    }
    PathToLoad row = PathFromBytes(path);
    row.folderRow = true;
    if (path == "/")
        row.passOver = SkipReason::Folder;
    return row;
}

} // namespace

FolderFilter FolderFilterFor(const UserQuestions::FolderAnswer &answer)
{
    using Files = UserQuestions::FolderAnswer::Files;
    FolderFilter filter;
    filter.depth = answer.files == Files::WithSubfolders ? -1 : 0;
    filter.hidden = answer.hidden;
    filter.folderRows = answer.files == Files::FolderItself;
    filter.files = !filter.folderRows;
    return filter;
}

bool IsUsablePattern(const QString &pattern)
{
    return patternExpression(pattern).isValid();
}

void WalkFolder(const QByteArray &root, const FolderFilter &filter,
                const std::function<void(const WalkEntry &)> &visit)
{
    Walker(filter, visit).walk(root);
}

QList<QByteArray> FoldersAmong(const QList<QByteArray> &rawPaths)
{
    QList<QByteArray> folders;
    std::copy_if(rawPaths.begin(), rawPaths.end(), std::back_inserter(folders), isFolder);
    return folders;
}

QList<PathToLoad> PathsWithFolderFiles(const QList<QByteArray> &rawPaths,
                                       const FolderFilter &filter,
                                       const std::function<void()> &yield)
{
    using Clock = std::chrono::steady_clock;
    QList<PathToLoad> paths;
    paths.reserve(rawPaths.size());
    Clock::time_point due = Clock::now();
    const auto visit = [&](const WalkEntry &e) {
        if (e.kind == WalkEntry::Kind::File) {
            paths.append(PathFromBytes(e.path));
        } else if (e.kind == WalkEntry::Kind::Unreadable) {
            paths.append(PathFromBytes(e.path));
            paths.last().passOver = reasonOf(e.error);
        } else {
            if (filter.folderRows)
                paths.append(folderRow(e.path));
            if (yield && Clock::now() >= due) {
                yield();
                due = Clock::now() + std::chrono::milliseconds(16);
            }
        }
    };
    for (const QByteArray &raw : rawPaths) {
        if (!isFolder(raw))
            paths.append(PathFromBytes(raw));
        else if (filter.files)
            WalkFolder(raw, filter, visit);
        else
            paths.append(folderRow(raw));
    }
    return paths;
}

QList<QByteArray> PathsInList(const QByteArray &list, bool nulSeparated)
{
    QList<QByteArray> paths;
    const char end = nulSeparated ? '\0' : '\n';
    for (qsizetype from = 0; from < list.size();) {
        qsizetype to = list.indexOf(end, from);
        if (to < 0)
            to = list.size();
        QByteArray path = list.mid(from, to - from);
        if (!nulSeparated && path.endsWith('\r'))
            path.chop(1);
        if (!path.isEmpty())
            paths.append(std::move(path));
        from = to + 1;
    }
    return paths;
}

std::optional<QByteArray> ReadListSource(const QByteArray &source, SkipReason &reason)
{
    const bool standardInput = source == "-";
    const int fd = standardInput ? STDIN_FILENO : ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    QByteArray list;
    int error = fd < 0 ? errno : 0;
    char buffer[65536];
    while (fd >= 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        list.append(buffer, n);
    }
    if (fd >= 0 && !standardInput)
        ::close(fd);
    if (error != 0) {
        reason = reasonOf(error);
        return std::nullopt;
    }
    return list;
}

std::optional<QList<QByteArray>> ReadPathList(const QByteArray &source, bool nulSeparated,
                                              SkipReason &reason)
{
    const std::optional<QByteArray> list = ReadListSource(source, reason);
    if (!list)
        return std::nullopt;
    return PathsInList(*list, nulSeparated);
}

} // namespace kesto
