#include "rename/plan.h"

#include "rename/messages.h"
#include "rename/namefold.h"

#include <QFile>
#include <QHash>

#include <dirent.h>
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

bool isBlankName(const QString &name)
{
    for (QChar c : name) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

// A name that is all extension (".txt") hides the file; only a file that was
// hidden already may keep it so.
bool hidesTheFile(const QString &newName, const QString &oldName)
{
    return newName.lastIndexOf(QLatin1Char('.')) == 0 && !oldName.startsWith(QLatin1Char('.'));
}

bool isImpossible(const QString &name)
{
    return name == QLatin1String(".") || name == QLatin1String("..") ||
           name.contains(QLatin1Char('/')) || name.contains(QChar(0));
}

struct Folder
{
    bool read = false;
    bool readable = true;
    NameRules rules = NameRules::Posix;
    long nameMax = 255;
    QHash<QString, int> existing; ///< folded name → entries of that name
    QHash<QString, int> newNames; ///< folded new name → pairs
    QHash<QString, int> leaving;  ///< folded old name → pair that renames it away
};

void readFolder(const QByteArray &path, Folder &f)
{
    f.read = true;
    const char *p = path.isEmpty() ? "." : path.constData();
    DIR *dir = ::opendir(p);
    if (!dir) {
        f.readable = false;
        return;
    }
    while (const dirent *d = ::readdir(dir)) {
        const char *n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        const QString name = FoldedFileName(n);
        if (!name.isNull())
            ++f.existing[name];
    }
    ::closedir(dir);
    const long max = ::pathconf(p, _PC_NAME_MAX);
    if (max > 0)
        f.nameMax = max;
    f.rules = NameRulesOf(path);
}

} // namespace

NameRules NameRulesOfType(const QByteArray &type)
{
    static const char *const windowsTypes[] = {"vfat",    "msdos", "exfat", "ntfs",  "ntfs3",
                                               "fuseblk", "cifs",  "smb3",  "smbfs", "smb2"};
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

char32_t RefusedCharacter(NameRules rules, const QString &name)
{
    if (rules == NameRules::Posix)
        return 0;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || QStringView(u"<>:\"\\|?*").contains(c))
            return u;
    }
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return name.back().unicode();
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
    }
    return {};
}

RenamePlan CheckPlan(QList<PlannedRename> pairs)
{
    RenamePlan plan;
    QHash<QByteArray, Folder> folders;
    QList<QString> keys;
    keys.reserve(pairs.size());
    for (const PlannedRename &p : pairs) {
        keys.append(FoldedName(p.shownNew));
        Folder &f = folders[p.folder];
        ++f.newNames[keys.last()];
        const QString oldKey = FoldedName(p.shownOld);
        // Only a pair that really leaves its name frees it, and only a name
        // the listing holds under its shown spelling can be freed.
        if (oldKey != keys.last() && QUtf8StringView(p.oldName).isValidUtf8())
            f.leaving[oldKey] = f.leaving.contains(oldKey) ? -1 : int(&p - pairs.constData());
    }

    for (qsizetype k = 0; k < pairs.size(); ++k) {
        PlannedRename &p = pairs[k];
        const QString &key = keys.at(k);
        Folder &f = folders[p.folder];
        if (p.newName == p.oldName) {
            p.status = PairStatus::Unchanged;
            continue;
        }
        if (!f.read)
            readFolder(p.folder, f);
        p.nameBytes = int(p.newName.size());
        p.nameMax = int(f.nameMax);

        const bool blank = isBlankName(p.shownNew) || hidesTheFile(p.shownNew, p.shownOld);
        const bool impossible = isImpossible(p.shownNew);
        p.refused = impossible ? 0 : RefusedCharacter(f.rules, p.shownNew);
        const bool tooLong = p.nameBytes > f.nameMax;
        const bool duplicate = f.newNames.value(key) > 1;
        // The file itself under a new spelling is no clash; a name repaired
        // to UTF-8 is a new entry and may meet another.
        bool exists = false;
        if (f.readable &&
            (key != FoldedName(p.shownOld) || !QUtf8StringView(p.oldName).isValidUtf8())) {
            if (const int there = f.existing.value(key)) {
                const int other = f.leaving.value(key, -1);
                p.inChain = there == 1 && other >= 0 && other != k;
                exists = !p.inChain;
            }
        }

        plan.NoEmptyName &= !blank;
        plan.NamesAllowed &= !impossible && !p.refused;
        plan.NamesFit &= !tooLong;
        plan.FoldersReadable &= f.readable;
        plan.NamesUnique &= !duplicate;
        plan.NoCollision &= !exists;
        p.status = blank         ? PairStatus::Blank
                   : impossible  ? PairStatus::Impossible
                   : p.refused   ? PairStatus::NotAllowed
                   : tooLong     ? PairStatus::TooLong
                   : !f.readable ? PairStatus::FolderUnreadable
                   : duplicate   ? PairStatus::Duplicate
                   : exists      ? PairStatus::Exists
                                 : PairStatus::Ok;
    }
    plan.pairs = std::move(pairs);
    return plan;
}

} // namespace kesto
