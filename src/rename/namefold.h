#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>

#include <string>
#include <string_view>
#include <vector>

namespace kesto {

/// \a name folded for comparisons without regard to letter case.
QString FoldedName(const QString &name);

/// A name as the system's bytes, folded as FoldedName does, as UTF-8 into
/// \a out; plain ASCII, as most names are, takes no detour through a text.
/// False for bytes that are no UTF-8: no new name is ever written so, and
/// such a name only ever matches itself, byte for byte.
bool FoldNameBytes(std::string &out, std::string_view name);

inline std::string_view ViewOf(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

/// A number for the folder of each of \a count items (\a folderOf(k) gives
/// item k's), from 0 in the order the folders first appear, equal folders
/// alike. Neighbouring items mostly share their folder and cost no lookup.
template<typename FolderOf> std::vector<uint32_t> NumberFolders(qsizetype count, FolderOf folderOf)
{
    std::vector<uint32_t> numbers(static_cast<size_t>(count));
    QHash<QByteArray, uint32_t> known;
    for (qsizetype k = 0; k < count; ++k) {
        const QByteArray &folder = folderOf(k);
        if (k > 0 && folder == folderOf(k - 1)) {
            numbers[size_t(k)] = numbers[size_t(k - 1)];
            continue;
        }
        // Not emplace: QHash's would renumber a folder met before.
        const auto it = known.constFind(folder);
        numbers[size_t(k)] =
            it != known.cend() ? *it : *known.insert(folder, uint32_t(known.size()));
    }
    return numbers;
}

} // namespace kesto
