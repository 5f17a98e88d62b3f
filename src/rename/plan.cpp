#include "rename/plan.h"

#include "rename/messages.h"
#include "rename/namefold.h"
#include "rename/nametable.h"
#include "rename/newfolders.h"
#include "rename/renamer.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <optional>
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
    int folders = 0;  ///< new names that lead through a folder of this name
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
    /// A folder that new names lead into below their file's folder: what it
    /// is on disk, and the entries of the folders' names on the way there.
    std::optional<NewFolder> below = {};
    std::vector<uint32_t> way = {};
};

// Only names that some new name could meet are counted.
bool countExisting(uint32_t id, const char *p, NewNames &names)
{
    return ForEachFoldedEntry(p, [&](const std::string &key) {
        const uint32_t entry = names.find(id, key);
        if (entry != NewNames::None)
            ++names.use(entry).existing;
    });
}

void readFolder(uint32_t id, Folder &f, NewNames &names)
{
    f.read = true;
    // A folder still to be made holds nothing yet; what may be done in it is
    // what may be done in the folder it is made in.
    const bool exists =
        !f.below || (f.below->missing.isEmpty() && f.below->state != NewFolder::FileInTheWay);
    const QByteArray &at = exists ? f.path : f.below->nearest;
    const char *p = at.isEmpty() ? "." : at.constData();
    if ((f.below && f.below->state == NewFolder::Unreachable) ||
        (exists && !countExisting(id, p, names))) {
        f.readable = false;
        return;
    }
    // A rename writes the folder and searches it. The effective ids decide, as
    // they do for the rename; a read-only drive answers EROFS to root too.
    f.writable = ::faccessat(AT_FDCWD, p, W_OK | X_OK, AT_EACCESS) == 0;
    const long max = ::pathconf(p, _PC_NAME_MAX);
    if (max > 0)
        f.nameMax = max;
    f.rules = NameRulesOf(at);
}

// The new names of a batch by folder, and where each pair stands in them.
struct PlanIndex
{
    std::vector<uint32_t> folderOf; ///< per pair
    std::vector<uint32_t> targetOf; ///< per pair: the folder its new name leads into
    std::vector<Folder> folders;
    std::vector<uint32_t> entryOf; ///< per pair: the entry of its new name
    /// Per pair: its old name is its new name in another spelling.
    std::vector<bool> sameKey;
    NewNames names;
};

// The folders the new names of \a pairs lead into below their files' folders,
// each looked at on disk once, and the names of the folders on the way, each
// noted in the folder above it, so that a new name of the same spelling there
// is told.
void placeNewFolders(const QList<PlannedRename> &pairs, PlanIndex &index)
{
    QHash<QByteArray, uint32_t> ids;
    for (uint32_t id = 0; id < index.folders.size(); ++id)
        ids.insert(index.folders[id].path, id);
    const auto idOf = [&](const QByteArray &path) {
        const auto known = ids.constFind(path);
        if (known != ids.cend())
            return *known;
        index.folders.push_back({path});
        return *ids.insert(path, uint32_t(index.folders.size() - 1));
    };
    std::string key;
    for (qsizetype k = 0; k < pairs.size(); ++k) {
        const PlannedRename &p = pairs[k];
        const qsizetype start = NameStart(p.newName);
        if (start == 0)
            continue;
        const uint32_t id = idOf(p.folder + p.newName.first(start));
        index.targetOf[size_t(k)] = id;
        if (index.folders[id].below)
            continue;
        index.folders[id].below =
            InspectNewFolder(p.folder, QByteArrayView(p.newName).first(start));
        uint32_t above = index.folderOf[size_t(k)];
        for (qsizetype at = 0; at < start;) {
            const qsizetype slash = p.newName.indexOf('/', at);
            FoldNameBytes(key, ViewOf(p.newName).substr(size_t(at), size_t(slash - at)));
            const uint32_t entry = index.names.insert(above, key);
            ++index.names.use(entry).folders;
            index.folders[id].way.push_back(entry);
            above = idOf(p.folder + p.newName.first(slash + 1));
            at = slash + 1;
        }
    }
}

PlanIndex indexNewNames(const QList<PlannedRename> &pairs)
{
    // The folders on the way of a new name are names in the table too.
    size_t bytes = 0, names = size_t(pairs.size());
    for (const PlannedRename &p : pairs) {
        bytes += size_t(p.newName.size());
        if (LeadsIntoFolders(p.newName))
            names += size_t(p.newName.count('/'));
    }
    PlanIndex index{
        NumberFolders(pairs.size(),
                      [&](qsizetype k) -> const QByteArray & { return pairs[k].folder; }),
        {},
        {},
        std::vector<uint32_t>(size_t(pairs.size())),
        std::vector<bool>(size_t(pairs.size())),
        NewNames(names, bytes)};
    for (qsizetype k = 0; k < pairs.size(); ++k) {
        if (index.folderOf[size_t(k)] == index.folders.size())
            index.folders.push_back({pairs[k].folder});
    }
    index.targetOf = index.folderOf;
    const bool intoFolders = names > size_t(pairs.size());
    if (intoFolders)
        placeNewFolders(pairs, index);
    std::string key;
    for (qsizetype k = 0; k < pairs.size(); ++k) {
        const std::string_view newName = ViewOf(pairs[k].newName);
        FoldNameBytes(key,
                      intoFolders ? newName.substr(size_t(NameStart(pairs[k].newName))) : newName);
        index.entryOf[size_t(k)] = index.names.insert(index.targetOf[size_t(k)], key);
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

// What a new name shows by itself, each of its parts (the folders it leads
// into and the file's name) taken as a name of its own.
struct NameFaults
{
    bool blank = false;
    bool impossible = false;
    char32_t refused = 0;
    int longest = 0; ///< the bytes of the longest part
};

NameFaults faultsOf(const PlannedRename &p, NameRules rules)
{
    NameFaults faults;
    const auto checkPart = [&](QByteArrayView part) {
        faults.blank |= isBlankName(part);
        // An empty name is told as blank.
        const bool impossible = !part.isEmpty() && !IsPossibleFileName(part);
        faults.impossible |= impossible;
        if (!impossible && faults.refused == 0)
            faults.refused = RefusedCharacter(rules, part);
    };
    const QByteArrayView name(p.newName);
    if (!LeadsIntoFolders(p.newName)) {
        checkPart(name);
        faults.blank |= hidesTheFile(name, p.oldName);
        faults.longest = int(name.size());
        return faults;
    }
    for (qsizetype at = 0; at <= name.size();) {
        qsizetype end = name.indexOf('/', at);
        end = end < 0 ? name.size() : end;
        checkPart(name.sliced(at, end - at));
        faults.longest = std::max(faults.longest, int(end - at));
        at = end + 1;
    }
    faults.blank |= hidesTheFile(name.sliced(name.lastIndexOf('/') + 1), p.oldName);
    return faults;
}

// Sets the status of pair \a k (\a p) and clears each flag of \a plan it
// fails; its folder is read when it is first needed.
void checkPair(PlanIndex &index, qsizetype k, PlannedRename &p, RenamePlan &plan)
{
    const uint32_t folderId = index.targetOf[size_t(k)];
    Folder &f = index.folders[folderId];
    const NameUse &use = index.names.use(index.entryOf[size_t(k)]);
    if (p.newName == p.oldName) {
        p.status = PairStatus::Unchanged;
        return;
    }
    if (!f.read)
        readFolder(folderId, f, index.names);
    const NameFaults faults = faultsOf(p, f.rules);
    p.nameBytes = faults.longest;
    p.nameMax = int(f.nameMax);

    const bool blank = faults.blank;
    const bool impossible = faults.impossible;
    p.refused = impossible ? 0 : faults.refused;
    const bool tooLong = p.nameBytes > f.nameMax;
    const bool duplicate = use.newNames > 1;
    // The file itself under a new spelling is no clash; a name repaired
    // to UTF-8 is a new entry and may meet another.
    bool exists = false;
    if (f.readable && !index.sameKey[size_t(k)] && use.existing > 0) {
        p.inChain = use.existing == 1 && use.leaving >= 0 && use.leaving != k;
        exists = !p.inChain;
    }
    // Only a name that leads into folders meets what lies on its way there.
    const bool intoFolders = index.targetOf[size_t(k)] != index.folderOf[size_t(k)];
    const NewFolder::State below = intoFolders ? f.below->state : NewFolder::Exists;
    const bool otherDrive = below == NewFolder::OtherDrive;
    bool folderClash = use.folders > 0 || below == NewFolder::FileInTheWay;
    for (size_t step = 0; intoFolders && step < f.way.size(); ++step)
        folderClash |= index.names.use(f.way[step]).newNames > 0;
    // A folder row cannot move into a folder below itself.
    folderClash |= intoFolders && p.newName.startsWith(p.oldName + '/');

    plan.noEmptyName &= !blank;
    plan.namesAllowed &= !impossible && !p.refused;
    plan.namesFit &= !tooLong;
    plan.foldersReadable &= f.readable;
    plan.foldersWritable &= f.writable;
    plan.oneDrive &= !otherDrive;
    plan.foldersFree &= !folderClash;
    plan.namesUnique &= !duplicate;
    plan.noCollision &= !exists;
    p.status = blank         ? PairStatus::Blank
               : impossible  ? PairStatus::Impossible
               : p.refused   ? PairStatus::NotAllowed
               : tooLong     ? PairStatus::TooLong
               : !f.readable ? PairStatus::FolderUnreadable
               : !f.writable ? PairStatus::FolderUnwritable
               : otherDrive  ? PairStatus::OtherDrive
               : folderClash ? PairStatus::FolderClash
               : duplicate   ? PairStatus::Duplicate
               : exists      ? PairStatus::Exists
                             : PairStatus::Ok;
}

// The folders to make, each once, every one after the folder it is made in.
QList<QByteArray> foldersToMake(const PlanIndex &index)
{
    QList<QByteArray> made;
    QSet<QByteArray> listed;
    for (const Folder &f : index.folders) {
        if (!f.below || f.below->state != NewFolder::ToMake)
            continue;
        for (const QByteArray &folder : f.below->missing) {
            if (!listed.contains(folder)) {
                listed.insert(folder);
                made.append(folder);
            }
        }
    }
    return made;
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
    case PairStatus::OtherDrive:
        return messages::reasonOtherDrive();
    case PairStatus::FolderClash:
        return messages::reasonFolderClash();
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
    // Only a plan that passes is carried out: the folders of one that does
    // not may be anything ("a/../").
    if (plan.ok())
        plan.newFolders = foldersToMake(index);
    plan.pairs = std::move(pairs);
    return plan;
}

} // namespace kesto
