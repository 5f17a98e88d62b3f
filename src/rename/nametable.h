#pragma once

#include <QByteArray>
#include <QHash>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kesto {

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

/// Folded names by folder number, each with a \a Use of its own: the names
/// one after another in one buffer and an open-addressed index over them. A
/// batch may hold very many names; a node of its own for each would cost
/// several times their bytes, and its time would go to the allocator.
/// Looking a name up takes no copy of it.
template<typename Use> class NameTable
{
public:
    static constexpr uint32_t None = ~uint32_t(0);

    /// Room for \a names names of \a bytes bytes together; never more names.
    NameTable(size_t names, size_t bytes)
    {
        m_entries.reserve(names);
        m_keys.reserve(bytes);
        size_t slots = 16;
        while (slots < names * 2)
            slots *= 2;
        m_slots.assign(slots, None);
    }

    /// The entry of \a key in \a folder, made (with a fresh Use) when there is none.
    uint32_t insert(uint32_t folder, std::string_view key)
    {
        const size_t slot = slotOf(folder, key);
        if (m_slots[slot] == None) {
            m_slots[slot] = uint32_t(m_entries.size());
            m_entries.push_back({folder, uint32_t(m_keys.size()), uint32_t(key.size()), {}});
            m_keys.append(key);
        }
        return m_slots[slot];
    }
    /// The entry of \a key in \a folder, or None.
    uint32_t find(uint32_t folder, std::string_view key) const
    {
        return m_slots[slotOf(folder, key)];
    }
    Use &use(uint32_t entry) { return m_entries[entry].use; }
    const Use &use(uint32_t entry) const { return m_entries[entry].use; }

private:
    struct Entry
    {
        uint32_t folder, keyAt, keyLength;
        Use use;
    };

    // The slot that holds the key, or the empty one where it would go.
    size_t slotOf(uint32_t folder, std::string_view key) const
    {
        const size_t mask = m_slots.size() - 1;
        size_t slot = (std::hash<std::string_view>{}(key) + folder * 0x9E3779B97F4A7C15ull) & mask;
        for (;; slot = (slot + 1) & mask) {
            const uint32_t at = m_slots[slot];
            if (at == None)
                return slot;
            const Entry &e = m_entries[at];
            if (e.folder == folder && std::string_view(m_keys).substr(e.keyAt, e.keyLength) == key)
                return slot;
        }
    }

    std::vector<Entry> m_entries;
    std::string m_keys;
    std::vector<uint32_t> m_slots;
};

} // namespace kesto
