#include "filelist/filelist.h"

#include "filelist/loader.h"
#include "storage/textfile.h"

#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

namespace kesto {

QCollator NameCollator()
{
    QCollator collator{QLocale(QLocale::German, QLocale::Germany)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isPrintableAscii(char c)
{
    return c >= ' ' && c <= '~';
}

// The digits from \a at on, without leading zeros; \a at moves past them.
std::string_view number(std::string_view name, size_t &at)
{
    while (at < name.size() && name[at] == '0')
        ++at;
    const size_t from = at;
    while (at < name.size() && isDigit(name[at]))
        ++at;
    return name.substr(from, at - from);
}

// Sorts \a names by their \a keys, which \a compare compares, equal ones by
// their bytes.
template<typename Key, typename Compare>
void sortByKeys(std::vector<std::string_view> &names, const std::vector<Key> &keys, Compare compare)
{
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = compare(keys[a], keys[b]);
        return c != 0 ? c < 0 : names[a] < names[b];
    });
    std::vector<std::string_view> sorted;
    sorted.reserve(names.size());
    for (const size_t i : order)
        sorted.push_back(names[i]);
    names = std::move(sorted);
}

} // namespace

NameOrder::NameOrder()
    : m_collator(NameCollator())
{
    // The printable characters in the collator's order give their weights;
    // a digit weighs as the run it begins, which ranks by its value.
    std::array<char, '~' - ' ' + 1> chars;
    std::iota(chars.begin(), chars.end(), ' ');
    const auto compare = [this](char a, char b) {
        return m_collator.compare(QString(QLatin1Char(a)), QString(QLatin1Char(b)));
    };
    std::sort(chars.begin(), chars.end(), [&](char a, char b) {
        return compare(isDigit(a) ? '0' : a, isDigit(b) ? '0' : b) < 0;
    });
    quint8 weight = 1;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (i > 0 && !(isDigit(chars[i - 1]) && isDigit(chars[i])) &&
            compare(chars[i - 1], chars[i]) != 0)
            ++weight;
        m_weight[size_t(chars[i])] = weight;
    }
}

char *NameOrder::writeAsciiKey(char *key, std::string_view name) const
{
    // Two runs of digits meet at the same place of their keys: there the
    // shorter number, then the smaller, comes first.
    for (size_t at = 0; at < name.size();) {
        if (!isDigit(name[at])) {
            *key++ = char(m_weight[size_t(name[at++])]);
            continue;
        }
        const std::string_view digits = number(name, at);
        *key++ = char(m_weight['0']);
        *key++ = char(digits.size());
        key = std::copy(digits.begin(), digits.end(), key);
    }
    return key;
}

const NameOrder &NameOrder::shared()
{
    static const NameOrder order;
    return order;
}

bool NameOrder::asciiKey(std::string &key, QStringView text) const
{
    std::string name(size_t(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u' ' || c > u'~')
            return false;
        name[size_t(i)] = char(c);
    }
    // At most three bytes a character: a single digit is the shortest run.
    key.resize(3 * name.size());
    key.resize(size_t(writeAsciiKey(key.data(), name) - key.data()));
    return true;
}

void NameOrder::sort(std::vector<std::string_view> &names) const
{
    if (names.size() < 2)
        return;
    size_t bytes = 0;
    bool ascii = true;
    for (const std::string_view name : names) {
        bytes += name.size();
        ascii = ascii && std::all_of(name.cbegin(), name.cend(), isPrintableAscii);
    }
    if (ascii) {
        // A key is at most three times as long as its name: a run of digits
        // adds two bytes to its own, and a single digit is the shortest run.
        std::string keyBytes(3 * bytes, '\0');
        struct Keyed
        {
            std::string_view key, name;
        };
        std::vector<Keyed> keyed;
        keyed.reserve(names.size());
        char *end = keyBytes.data();
        for (const std::string_view name : names) {
            char *const from = end;
            end = writeAsciiKey(from, name);
            keyed.push_back({std::string_view(from, size_t(end - from)), name});
        }
        std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
            const int c = a.key.compare(b.key);
            return c != 0 ? c < 0 : a.name < b.name;
        });
        for (size_t i = 0; i < keyed.size(); ++i)
            names[i] = keyed[i].name;
        return;
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(names.size());
    for (const std::string_view name : names)
        keys.push_back(m_collator.sortKey(
            DecodeTextPart(QByteArrayView(name.data(), qsizetype(name.size())))));
    sortByKeys(names, keys,
               [](const QCollatorSortKey &a, const QCollatorSortKey &b) { return a.compare(b); });
}

FileList::FileList(QObject *parent)
    : QObject(parent)
{}

namespace {

struct KeyParts
{
    QString folder, name;
};

KeyParts split(const QString &pathKey)
{
    const qsizetype slash = pathKey.lastIndexOf(QLatin1Char('/')) + 1;
    return {pathKey.left(slash), pathKey.mid(slash)};
}

KeyParts keyParts(const FileEntry &e)
{
    return e.rawBytes().isEmpty() ? KeyParts{e.folder, e.oldName} : split(e.pathKey());
}

} // namespace

bool FileList::containsPath(const QString &pathKey) const
{
    if (m_paths.isEmpty())
        return false;
    const KeyParts key = split(pathKey);
    const auto folder = m_paths.constFind(key.folder);
    return folder != m_paths.cend() && folder->contains(key.name);
}

void FileList::addPath(const FileEntry &e)
{
    const KeyParts key = keyParts(e);
    ++m_paths[key.folder][key.name];
}

void FileList::removePath(const FileEntry &e)
{
    const KeyParts key = keyParts(e);
    const auto folder = m_paths.find(key.folder);
    if (folder == m_paths.end())
        return;
    const auto it = folder->find(key.name);
    if (it != folder->end() && --it.value() <= 0)
        folder->erase(it);
    if (folder->isEmpty())
        m_paths.erase(folder);
}

void FileList::insertRows(int position, const QList<FileEntry> &entries)
{
    if (entries.isEmpty())
        return;
    position = std::clamp(position, 0, count());
    const int last = position + static_cast<int>(entries.size()) - 1;
    Q_EMIT rowsAboutToBeInserted(position, last);
    m_rows.insert(position, entries.size(), FileEntry());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        m_rows[position + i] = entries.at(i);
        addPath(entries.at(i));
    }
    Q_EMIT rowsInserted(position, last);
}

void FileList::insertRows(int position, QList<FileEntry> &&entries)
{
    if (!m_rows.isEmpty() || entries.isEmpty()) {
        insertRows(position, std::as_const(entries));
        return;
    }
    const int last = static_cast<int>(entries.size()) - 1;
    Q_EMIT rowsAboutToBeInserted(0, last);
    m_rows = std::move(entries);
    // Rows loaded together come mostly from one folder, in runs: each run
    // finds its folder's index once, sized for the whole run.
    for (qsizetype i = 0; i < m_rows.size();) {
        const KeyParts key = keyParts(m_rows.at(i));
        qsizetype end = i + 1;
        while (end < m_rows.size() && m_rows.at(end).rawBytes().isEmpty() &&
               m_rows.at(end).folder == key.folder)
            ++end;
        QHash<QString, int> &names = m_paths[key.folder];
        names.reserve(names.size() + (end - i));
        ++names[key.name];
        for (qsizetype k = i + 1; k < end; ++k)
            ++names[m_rows.at(k).oldName];
        i = end;
    }
    Q_EMIT rowsInserted(0, last);
}

void FileList::removeRows(int first, int n)
{
    if (n <= 0 || first < 0 || first + n > count())
        return;
    Q_EMIT rowsAboutToBeRemoved(first, first + n - 1);
    // A batch that renamed every row leaves no path to look up one by one.
    if (n == count()) {
        m_paths.clear();
    } else {
        for (int i = first; i < first + n; ++i)
            removePath(m_rows.at(i));
    }
    m_rows.remove(first, n);
    Q_EMIT rowsRemoved(first, first + n - 1);
}

void FileList::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= count() || to >= count())
        return;
    Q_EMIT rowAboutToBeMoved(from, to);
    m_rows.move(from, to);
    Q_EMIT rowMoved(from, to);
}

void FileList::clear()
{
    Q_EMIT aboutToReset();
    m_rows.clear();
    m_paths.clear();
    Q_EMIT resetDone();
}

int FileList::findRow(const QString &pathKey) const
{
    if (!containsPath(pathKey))
        return -1;
    for (int i = 0; i < count(); ++i) {
        if (m_rows.at(i).pathKey() == pathKey)
            return i;
    }
    return -1;
}

void FileList::notifyRowsChanged(int first, int last, int firstColumn, int lastColumn)
{
    first = std::max(first, 0);
    last = std::min(last, count() - 1);
    firstColumn = std::max(firstColumn, 0);
    lastColumn = std::min(lastColumn, ColumnCount - 1);
    if (first <= last && firstColumn <= lastColumn)
        Q_EMIT rowsChanged(first, last, firstColumn, lastColumn);
}

void FileList::setSortColumn(int column)
{
    m_sortColumn = column;
    if (m_keepSorted)
        sortRows();
}

void FileList::setSortOrder(Qt::SortOrder order)
{
    m_sortOrder = order;
    if (m_keepSorted)
        sortRows();
}

void FileList::setKeepSorted(bool on)
{
    m_keepSorted = on;
    if (on)
        sortRows();
}

void FileList::sortRows()
{
    if (m_rows.size() < 2)
        return;
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    const bool descending = m_sortOrder == Qt::DescendingOrder;

    if (m_sortColumn == ColSize || m_sortColumn == ColSizeKey) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const qint64 sa = m_rows.at(a).size, sb = m_rows.at(b).size;
            return descending ? sb < sa : sa < sb;
        });
    } else {
        // Printable ASCII texts, most names, are compared by keys of the name
        // order, which give the collator's order many times faster.
        const NameOrder &names = NameOrder::shared();
        const QCollator collator = NameCollator();
        // Rows often arrive in order already, or in reverse (new rows go to
        // the top): one look at the neighbours settles those cases. Each
        // row's text and key are made once, and kept for its next neighbour.
        QString before = m_rows.at(0).text(m_sortColumn);
        std::string beforeKey, key;
        bool beforeAscii = names.asciiKey(beforeKey, before);
        bool inOrder = true, reversed = true;
        for (qsizetype i = 1; i < m_rows.size() && (inOrder || reversed); ++i) {
            QString text = m_rows.at(i).text(m_sortColumn);
            const bool ascii = names.asciiKey(key, text);
            int c = beforeAscii && ascii ? beforeKey.compare(key) : collator.compare(before, text);
            before = std::move(text);
            beforeKey.swap(key);
            beforeAscii = ascii;
            if (descending)
                c = -c;
            inOrder = inOrder && c <= 0;
            reversed = reversed && c > 0;
        }
        if (inOrder)
            return;
        if (reversed)
            std::reverse(order.begin(), order.end());
        else
            sortByText(order, descending, names, collator);
    }

    reorder(order);
}

void FileList::sortByText(std::vector<int> &order, bool descending, const NameOrder &names,
                          const QCollator &collator) const
{
    // Sort keys make each comparison a plain byte compare; comparing through
    // the collator would redo the locale work n log n times.
    const auto sortBy = [&](const auto &keys) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return descending ? keys[b].compare(keys[a]) < 0 : keys[a].compare(keys[b]) < 0;
        });
    };
    std::vector<std::string> asciiKeys(size_t(m_rows.size()));
    bool ascii = true;
    for (qsizetype i = 0; ascii && i < m_rows.size(); ++i)
        ascii = names.asciiKey(asciiKeys[size_t(i)], m_rows.at(i).text(m_sortColumn));
    if (ascii) {
        sortBy(asciiKeys);
        return;
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_rows.size());
    for (const FileEntry &e : std::as_const(m_rows))
        keys.push_back(collator.sortKey(e.text(m_sortColumn)));
    sortBy(keys);
}

void FileList::reorder(const std::vector<int> &order)
{
    // The rows move within their own array, cycle by cycle: a second array
    // for them would be fresh memory, dearer than the moves.
    Q_EMIT aboutToReorder();
    std::vector<char> placed(order.size(), 0);
    for (int start = 0; start < int(order.size()); ++start) {
        if (placed[start] || order[start] == start)
            continue;
        FileEntry first = std::move(m_rows[start]);
        int to = start;
        while (order[to] != start) {
            placed[to] = 1;
            m_rows[to] = std::move(m_rows[order[to]]);
            to = order[to];
        }
        placed[to] = 1;
        m_rows[to] = std::move(first);
    }
    Q_EMIT reordered(QList<int>(order.begin(), order.end()));
}

void FileList::changeChecks(CheckChange change)
{
    for (FileEntry &e : m_rows)
        e.checked = change == CheckChange::CheckAll     ? true
                    : change == CheckChange::UncheckAll ? false
                                                        : !e.checked;
    notifyRowsChanged(0, count() - 1, ColOldName, ColOldName);
}

bool FileList::setChecked(int row, bool checked)
{
    if (row < 0 || row >= count() || m_rows.at(row).checked == checked)
        return false;
    m_rows[row].checked = checked;
    notifyRowsChanged(row, row, ColOldName, ColOldName);
    return true;
}

bool FileList::setSelectedChecked(bool checked)
{
    int first = -1;
    int last = -1;
    for (int row = 0; row < count(); ++row) {
        FileEntry &e = m_rows[row];
        if (!e.selected || e.checked == checked)
            continue;
        e.checked = checked;
        if (first < 0)
            first = row;
        last = row;
    }
    // One report for the block, as for the commands on all rows.
    if (first >= 0)
        notifyRowsChanged(first, last, ColOldName, ColOldName);
    return first >= 0;
}

void FileList::setSelectedRows(const QList<int> &rows)
{
    for (FileEntry &e : m_rows)
        e.selected = false;
    for (int row : rows) {
        if (row >= 0 && row < count())
            m_rows[row].selected = true;
    }
}

bool FileList::canMoveSelected(Direction direction) const
{
    const auto selected = [](const FileEntry &e) { return e.selected; };
    if (m_rows.isEmpty() || std::none_of(m_rows.begin(), m_rows.end(), selected))
        return false;
    return !(direction == Direction::Down ? m_rows.last() : m_rows.first()).selected;
}

bool FileList::moveSelectedRows(Direction direction, const QString &pendingName)
{
    // Moving by hand ends the sort order.
    m_keepSorted = false;
    const int rows = count();
    if (rows == 0 || (direction == Direction::Down ? m_rows.last() : m_rows.first()).selected)
        return false;
    const auto moveOne = [&](int from, int to) {
        moveRow(from, to);
        m_rows[to].newName = pendingName;
        m_rows[to].icon = RowIcon::None;
        notifyRowsChanged(to, to, ColOldName, ColNewName);
    };
    // Working from the far end lets a block of highlighted rows move together.
    if (direction == Direction::Down) {
        for (int i = rows - 2; i >= 0; --i) {
            if (m_rows.at(i).selected)
                moveOne(i, i + 1);
        }
    } else {
        for (int i = 1; i < rows; ++i) {
            if (m_rows.at(i).selected)
                moveOne(i, i - 1);
        }
    }
    notifySelectionChanged();
    return true;
}

int FileList::checkedCount() const
{
    return int(
        std::count_if(m_rows.begin(), m_rows.end(), [](const FileEntry &e) { return e.checked; }));
}

int FileList::folderCount() const
{
    return int(
        std::count_if(m_rows.begin(), m_rows.end(), [](const FileEntry &e) { return e.isFolder; }));
}

int FileList::checkedFolderCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [](const FileEntry &e) { return e.checked && e.isFolder; }));
}

void FileList::setPath(int row, const QByteArray &pathBytes)
{
    FileEntry &e = m_rows[row];
    removePath(e);
    const PathToLoad path = PathFromBytes(pathBytes);
    const qsizetype slash = path.path.lastIndexOf(QLatin1Char('/'));
    e.folder = path.path.left(slash + 1);
    e.oldName = path.path.mid(slash + 1);
    e.setRawBytes(path.bytes);
    addPath(e);
    notifyRowsChanged(row, row);
}

void FileList::removeRowsDescending(const QList<int> &rows)
{
    // Each run of neighbours goes at once.
    for (qsizetype k = 0; k < rows.size();) {
        qsizetype j = k;
        while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) - 1)
            ++j;
        removeRows(rows.at(j), static_cast<int>(j - k + 1));
        k = j + 1;
    }
}

void FileList::clickHeader(int column)
{
    // The size sorts by its key, which keeps the numbers in their order.
    const int sortColumn = column == ColSize ? int(ColSizeKey) : column;
    if (column == m_clickedColumn) {
        setSortOrder(m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
        return;
    }
    m_clickedColumn = column;
    m_sortColumn = sortColumn;
    setKeepSorted(true);
}

void FileList::sortBy(int column, Qt::SortOrder order)
{
    m_clickedColumn = column;
    m_sortColumn = column == ColSize ? int(ColSizeKey) : column;
    m_sortOrder = order;
    setKeepSorted(true);
}

namespace {

// A name may hold a tab or a line break; escaped like C, every row of the list
// stays one line of two fields.
void appendEscaped(QString &out, const QString &name)
{
    const auto special = [](QChar c) {
        return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\\';
    };
    if (std::none_of(name.begin(), name.end(), special)) {
        out += name;
        return;
    }
    for (QChar c : name) {
        switch (c.unicode()) {
        case u'\t':
            out += u"\\t";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        default:
            out += c;
        }
    }
}

} // namespace

QString EscapedName(const QString &name)
{
    QString out;
    appendEscaped(out, name);
    return out;
}

QString NamesText(const FileList &list, NamesLayout layout)
{
    const QStringView lineEnd = layout == NamesLayout::Clipboard ? u"\r\n" : u"\n";
    const auto append = layout == NamesLayout::Clipboard
                            ? +[](QString &out, const QString &name) { out += name; }
                            : &appendEscaped;
    qsizetype length = NamesHeader.size() + lineEnd.size();
    for (const FileEntry &e : list.rows())
        length += e.oldName.size() + 1 + e.newName.size() + lineEnd.size();
    QString text;
    text.reserve(length);
    text += NamesHeader;
    text += lineEnd;
    for (const FileEntry &e : list.rows()) {
        append(text, e.oldName);
        text += u'\t';
        append(text, e.newName);
        text += lineEnd;
    }
    return text;
}

} // namespace kesto
