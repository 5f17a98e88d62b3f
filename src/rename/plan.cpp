#include "rename/plan.h"

#include "rename/messages.h"
#include "rename/namefold.h"
#include "rename/nametable.h"
#include "rename/renamer.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kesto {

namespace {

constexpr long MsdosMagic = 0x4d44;
constexpr long ExfatMagic = 0x2011BAB0;
constexpr long NtfsMagic = 0x5346544e;
constexpr long CifsMagic = 0xFF534D42;
constexpr long Smb2Magic = 0xFE534D42;
constexpr long SmbMagic = 0x517B;
constexpr long FuseMagic = 0x65735546;

// The type a FUSE drive gives in the mount table: "fuseblk" for a drive on
// a block device (ntfs-3g, exFAT), "fuse.NAME" for the others.
QByteArray fuseTypeOf(const QByteArray &folder)
{
    struct stat st;
    if (::stat(folder.isEmpty() ? "." : folder.constData(), &st) != 0)
        return {};
    const QByteArray device =
        QByteArray::number(major(st.st_dev)) + ':' + QByteArray::number(minor(st.st_dev));
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3 || fields.at(2) != device)
            continue;
        const qsizetype dash = fields.indexOf("-");
        if (dash > 0 && dash + 1 < fields.size())
            return fields.at(dash + 1);
    }
    return {};
}

// The names are looked at in their bytes: blanks and dots are ASCII, which
// no byte of another character's UTF-8 can be taken for.
bool isBlankName(QByteArrayView name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return c == ' '; });
}

// A name that is all extension (".txt") hides the file; only a file that was
// hidden already may keep it so.
bool hidesTheFile(QByteArrayView newName, QByteArrayView oldName)
{
    return newName.lastIndexOf('.') == 0 && !oldName.startsWith('.');
}

// What a folder knows of one folded name.
struct NameUse
{
    int newNames = 0; ///< pairs that get it
    int existing = 0; ///< entries of the folder under it
    int leaving = -1; ///< the pair that renames it away (-2: several)
};

using NewNames = NameTable<NameUse>;

struct Folder
{
    QByteArray path;
    bool read = false;
    bool readable = true;
    bool writable = true;
    NameRules rules = NameRules::Posix;
    long nameMax = 255;
};

// Only names that some new name could meet are counted.
void readFolder(uint32_t id, Folder &f, NewNames &names)
{
    f.read = true;
    const char *p = f.path.isEmpty() ? "." : f.path.constData();
    f.readable = ForEachFoldedEntry(p, [&](const std::string &key) {
        const uint32_t entry = names.find(id, key);
        if (entry != NewNames::None)
            ++names.use(entry).existing;
    });
    if (!f.readable)
        return;
    // A rename writes the folder and searches it. The effective ids decide, as
    // they do for the rename; a read-only drive answers EROFS to root too.
    f.writable = ::faccessat(AT_FDCWD, p, W_OK | X_OK, AT_EACCESS) == 0;
    const long max = ::pathconf(p, _PC_NAME_MAX);
    if (max > 0)
        f.nameMax = max;
    f.rules = NameRulesOf(f.path);
}

// The new names of a batch by folder, and where each pair stands in them.
struct PlanIndex
{
    std::vector<uint32_t> folderOf; ///< per pair
    std::vector<Folder> folders;
    std::vector<uint32_t> entryOf; ///< per pair: the entry of its new name
    /// Per pair: its old name is its new name in another spelling.
    std::vector<bool> sameKey;
    NewNames names;
};

PlanIndex indexNewNames(const QList<PlannedRename> &pairs)
{
    size_t bytes = 0;
    for (const PlannedRename &p : pairs)
        bytes += size_t(p.newName.size());
    PlanIndex index{
        NumberFolders(pairs.size(),
                      [&](qsizetype k) -> const QByteArray & { return pairs[k].folder; }),
        {},
        std::vector<uint32_t>(size_t(pairs.size())),
        std::vector<bool>(size_t(pairs.size())),
        NewNames(size_t(pairs.size()), bytes)};
    std::string key;
    for (qsizetype k = 0; k < pairs.size(); ++k) {
        const PlannedRename &p = pairs[k];
        const uint32_t id = index.folderOf[size_t(k)];
        if (id == index.folders.size())
            index.folders.push_back({p.folder});
        FoldNameBytes(key, ViewOf(p.newName));
        index.entryOf[size_t(k)] = index.names.insert(id, key);
        ++index.names.use(index.entryOf[size_t(k)]).newNames;
    }
    return index;
}

// Only a pair that really leaves its name frees it, and only a name the
// listing holds in UTF-8 can be freed. A name no pair takes frees nothing
// that matters: it gets no entry.
void noteLeaving(const QList<PlannedRename> &pairs, PlanIndex &index)
{
    std::string key;
    for (qsizetype k = 0; k < pairs.size(); ++k) {
        if (!FoldNameBytes(key, ViewOf(pairs[k].oldName)))
            continue;
        const uint32_t entry = index.names.find(index.folderOf[size_t(k)], key);
        if (entry == NewNames::None)
            continue;
        index.sameKey[size_t(k)] = entry == index.entryOf[size_t(k)];
        NameUse &old = index.names.use(entry);
        if (!index.sameKey[size_t(k)])
            old.leaving = old.leaving == -1 ? int(k) : -2;
    }
}

// Sets the status of pair \a k (\a p) and clears each flag of \a plan it
// fails; its folder is read when it is first needed.
void checkPair(PlanIndex &index, qsizetype k, PlannedRename &p, RenamePlan &plan)
{
    const uint32_t folderId = index.folderOf[size_t(k)];
    Folder &f = index.folders[folderId];
    const NameUse &use = index.names.use(index.entryOf[size_t(k)]);
    if (p.newName == p.oldName) {
        p.status = PairStatus::Unchanged;
        return;
    }
    if (!f.read)
        readFolder(folderId, f, index.names);
    p.nameBytes = int(p.newName.size());
    p.nameMax = int(f.nameMax);

    const bool blank = isBlankName(p.newName) || hidesTheFile(p.newName, p.oldName);
    // An empty name is told as blank.
    const bool impossible = !p.newName.isEmpty() && !IsPossibleFileName(p.newName);
    p.refused = impossible ? 0 : RefusedCharacter(f.rules, p.newName);
    const bool tooLong = p.nameBytes > f.nameMax;
    const bool duplicate = use.newNames > 1;
    // The file itself under a new spelling is no clash; a name repaired
    // to UTF-8 is a new entry and may meet another.
    bool exists = false;
    if (f.readable && !index.sameKey[size_t(k)] && use.existing > 0) {
        p.inChain = use.existing == 1 && use.leaving >= 0 && use.leaving != k;
        exists = !p.inChain;
    }

    plan.noEmptyName &= !blank;
    plan.namesAllowed &= !impossible && !p.refused;
    plan.namesFit &= !tooLong;
    plan.foldersReadable &= f.readable;
    plan.foldersWritable &= f.writable;
    plan.namesUnique &= !duplicate;
    plan.noCollision &= !exists;
    p.status = blank         ? PairStatus::Blank
               : impossible  ? PairStatus::Impossible
               : p.refused   ? PairStatus::NotAllowed
               : tooLong     ? PairStatus::TooLong
               : !f.readable ? PairStatus::FolderUnreadable
               : !f.writable ? PairStatus::FolderUnwritable
               : duplicate   ? PairStatus::Duplicate
               : exists      ? PairStatus::Exists
                             : PairStatus::Ok;
}

} // namespace

NameRules NameRulesOfType(const QByteArray &type)
{
    // FUSE drives name the file system they serve: "fuseblk" is one on a block
    // device (ntfs-3g, exFAT); "fuse.NAME" one that opens its image or device
    // itself. The others (sshfs and the like) leave the rules to the remote side.
    static const char *const windowsTypes[] = {
        "vfat",  "msdos", "exfat",   "ntfs",         "ntfs3",      "cifs",         "smb3",
        "smbfs", "smb2",  "fuseblk", "fuse.fusefat", "fuse.exfat", "fuse.ntfs-3g", "fuse.ntfs"};
    for (const char *t : windowsTypes) {
        if (type == t)
            return NameRules::Windows;
    }
    return NameRules::Posix;
}

NameRules NameRulesOf(const QByteArray &folder)
{
    struct statfs fs;
    if (::statfs(folder.isEmpty() ? "." : folder.constData(), &fs) != 0)
        return NameRules::Posix;
    switch (long(fs.f_type)) {
    case MsdosMagic:
    case ExfatMagic:
    case NtfsMagic:
    case CifsMagic:
    case Smb2Magic:
    case SmbMagic:
        return NameRules::Windows;
    case FuseMagic:
        return NameRulesOfType(fuseTypeOf(folder));
    default:
        return NameRules::Posix;
    }
}

DriveKind DriveKindOf(const QByteArray &folder)
{
    struct statfs fs;
    if (::statfs(folder.isEmpty() ? "." : folder.constData(), &fs) != 0)
        return {};
    const long type = long(fs.f_type);
    return {type == MsdosMagic || type == ExfatMagic || type == FuseMagic, type == FuseMagic};
}

char32_t RefusedCharacter(NameRules rules, QByteArrayView name)
{
    if (rules == NameRules::Posix)
        return 0;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || QByteArrayView("<>:\"\\|?*").contains(c))
            return u;
    }
    if (name.endsWith('.') || name.endsWith(' '))
        return static_cast<unsigned char>(name.back());
    return 0;
}

QString PlannedRename::reason() const
{
    switch (status) {
    case PairStatus::Ok:
        return inChain ? messages::reasonInChain() : QString();
    case PairStatus::Unchanged:
        return {};
    case PairStatus::Blank:
        return messages::reasonBlank();
    case PairStatus::Duplicate:
        return messages::reasonDuplicate();
    case PairStatus::Exists:
        return messages::reasonExists();
    case PairStatus::Impossible:
        return messages::reasonImpossible();
    case PairStatus::TooLong:
        return messages::reasonTooLong(nameBytes, nameMax);
    case PairStatus::NotAllowed:
        return messages::reasonNotAllowed(refused);
    case PairStatus::FolderUnreadable:
        return messages::reasonFolderUnreadable();
    case PairStatus::FolderUnwritable:
        return messages::reasonFolderUnwritable();
    }
    return {};
}

RenamePlan CheckPlan(QList<PlannedRename> pairs)
{
    RenamePlan plan;
    PlanIndex index = indexNewNames(pairs);
    noteLeaving(pairs, index);
    for (qsizetype k = 0; k < pairs.size(); ++k)
        checkPair(index, k, pairs[k], plan);
    plan.pairs = std::move(pairs);
    return plan;
}

} // namespace kesto
