#include "rename/clashnumbers.h"

#include "rename/namefold.h"
#include "rename/nametable.h"
#include "rename/pipeline.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <dirent.h>

namespace kesto {

namespace {

using Counts = std::unordered_map<std::string, int>;

// What one folder of the batch knows of each folded name.
struct FolderNames
{
    Counts existing;                                   ///< entries of the folder under the name
    Counts leaving;                                    ///< checked rows that move away from it
    std::unordered_map<std::string, qsizetype> keeper; ///< the row whose old name it stays
    std::unordered_set<std::string> taken;             ///< given to a row of the batch

    int count(const Counts &counts, const std::string &key) const
    {
        const auto it = counts.find(key);
        return it == counts.end() ? 0 : it->second;
    }
    // An entry holds the name, unless exactly one row moves it away: then
    // the full test takes the name for free, as part of a chain.
    bool freeOnDisk(const std::string &key) const
    {
        const int entries = count(existing, key);
        return entries == 0 || (entries == 1 && count(leaving, key) == 1);
    }
};

void readEntries(const QByteArray &folder, Counts &existing)
{
    ForEachFoldedEntry(folder.constData(), [&](const std::string &key) { ++existing[key]; });
}

// A folder has no type: its number goes at the end.
QString withNumber(const QString &name, int number, bool folder)
{
    qsizetype dot = folder ? -1 : name.lastIndexOf(u'.');
    if (dot <= 0)
        dot = name.size();
    return name.first(dot) + QStringLiteral(" (%1)").arg(number) + name.sliced(dot);
}

bool isBlank(const QString &name)
{
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c == u' '; });
}

} // namespace

int NumberClashes(FileList &list)
{
    const RenamePlan plan = PairsFromRows(list);
    const QList<PlannedRename> &pairs = plan.pairs;
    const size_t n = size_t(pairs.size());
    const std::vector<uint32_t> folderOf = NumberFolders(
        pairs.size(), [&](qsizetype k) -> const QByteArray & { return pairs[k].folder; });
    std::vector<FolderNames> folders;
    // A name that is no UTF-8 can be neither met nor freed: its key stays empty.
    std::vector<std::string> oldKeys(n), newKeys(n);
    for (size_t k = 0; k < n; ++k) {
        if (folderOf[k] == folders.size())
            readEntries(pairs[qsizetype(k)].folder, folders.emplace_back().existing);
        FolderNames &names = folders[folderOf[k]];
        if (!FoldNameBytes(oldKeys[k], ViewOf(pairs[qsizetype(k)].oldName)))
            oldKeys[k].clear();
        FoldNameBytes(newKeys[k], ViewOf(pairs[qsizetype(k)].newName));
        if (oldKeys[k] == newKeys[k])
            names.keeper.try_emplace(newKeys[k], qsizetype(k));
        else if (!oldKeys[k].empty())
            ++names.leaving[oldKeys[k]];
    }

    // The rows that keep their names take them first; the others are then
    // numbered around all of them.
    std::vector<size_t> numbered;
    for (size_t k = 0; k < n; ++k) {
        FolderNames &names = folders[folderOf[k]];
        const std::string &key = newKeys[k];
        // A companion follows its main row's name, numbered or not.
        const FileEntry &row = list.at(pairs[qsizetype(k)].row);
        if (isBlank(row.newName) || row.companion)
            continue;
        const auto keeper = names.keeper.find(key);
        const bool keeps = keeper != names.keeper.end()
                               ? keeper->second == qsizetype(k)
                               : !names.taken.count(key) && names.freeOnDisk(key);
        if (keeps)
            names.taken.insert(key);
        else
            numbered.push_back(k);
    }
    std::string key;
    for (const size_t k : numbered) {
        FolderNames &names = folders[folderOf[k]];
        const QString name = list.at(pairs[qsizetype(k)].row).newName;
        const bool folder = list.at(pairs[qsizetype(k)].row).isFolder;
        for (int number = 2;; ++number) {
            const QString candidate = withNumber(name, number, folder);
            FoldNameBytes(key, ViewOf(candidate.toUtf8()));
            if (names.taken.count(key) || !(key == oldKeys[k] || names.freeOnDisk(key)))
                continue;
            names.taken.insert(key);
            list.entry(pairs[qsizetype(k)].row).newName = candidate;
            break;
        }
    }
    return int(numbered.size());
}

} // namespace kesto
