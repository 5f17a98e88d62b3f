#include "rename/companions.h"

#include "rename/messages.h"
#include "rename/namefold.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <numeric>
#include <vector>

namespace kesto {

namespace {

// A row among those whose names continue one base with a dot.
struct Sharer
{
    int row;
    bool canLead; ///< the base is the row's name without its type
};

// The bases the name of a row can share with other rows of its folder, the
// shortest first, each with the dot that ends it. A leading dot only hides a
// file; it ends no base.
QList<std::pair<QString, qsizetype>> sharedBases(const FileEntry &e)
{
    QList<std::pair<QString, qsizetype>> bases;
    for (qsizetype dot = e.oldName.indexOf(u'.', 1); dot > 0;
         dot = e.oldName.indexOf(u'.', dot + 1))
        bases.append({e.folder + FoldedName(e.oldName.left(dot)), dot});
    return bases;
}

// For each row, the row it goes with, or -1 for a row that goes with none.
std::vector<int> findMainRows(const FileList &list, const QString &mainType)
{
    std::vector<int> mainRow(list.count(), -1);
    // Names the system gave as bytes that are no UTF-8 are shown decoded: a
    // new name made from that text would not keep their own part. A folder
    // has no type, so no file goes with it, nor it with one.
    const auto groupable = [&](int row) {
        return list.at(row).rawBytes().isEmpty() && !list.at(row).isFolder;
    };
    QHash<QString, QList<Sharer>> groups;
    for (int row = 0; row < list.count(); ++row) {
        if (!groupable(row))
            continue;
        const qsizetype typeDot = list.at(row).oldName.lastIndexOf(u'.');
        for (const auto &[base, dot] : sharedBases(list.at(row)))
            groups[base].append({row, dot == typeDot});
    }
    QHash<QString, int> leaders;
    const auto leaderOf = [&](const QString &base) {
        const auto known = leaders.constFind(base);
        if (known != leaders.cend())
            return *known;
        const QList<Sharer> &group = groups[base];
        int leader = -1;
        for (const Sharer &s : group) {
            if (group.size() < 2 || !s.canLead)
                continue;
            if (leader < 0)
                leader = s.row;
            if (!mainType.isEmpty() &&
                list.at(s.row).type().compare(mainType, Qt::CaseInsensitive) == 0) {
                leader = s.row;
                break;
            }
        }
        leaders.insert(base, leader);
        return leader;
    };
    for (int row = 0; row < list.count(); ++row) {
        if (!groupable(row))
            continue;
        for (const auto &[base, dot] : sharedBases(list.at(row))) {
            const int leader = leaderOf(base);
            if (leader < 0)
                continue;
            if (leader != row)
                mainRow[row] = leader;
            break;
        }
    }
    return mainRow;
}

} // namespace

void GroupCompanions(FileList &list, bool on, const QString &mainType)
{
    const std::vector<int> mainRow = on ? findMainRows(list, mainType) : std::vector<int>();
    if (mainRow.empty() ||
        std::all_of(mainRow.begin(), mainRow.end(), [](int m) { return m < 0; })) {
        for (int row = 0; row < list.count(); ++row)
            list.entry(row).companion = false;
        return;
    }
    // The companions follow their main row in their own list order; the
    // other rows keep theirs.
    QHash<int, QList<int>> companionsOf;
    for (int row = 0; row < list.count(); ++row) {
        if (mainRow[row] >= 0)
            companionsOf[mainRow[row]].append(row);
    }
    std::vector<int> order;
    order.reserve(mainRow.size());
    for (int row = 0; row < list.count(); ++row) {
        if (mainRow[row] >= 0)
            continue;
        order.push_back(row);
        for (int companion : companionsOf.value(row))
            order.push_back(companion);
    }
    if (!std::is_sorted(order.begin(), order.end()))
        list.reorder(order);
    for (int row = 0; row < list.count(); ++row)
        list.entry(row).companion = mainRow[order[row]] >= 0;
}

void NameCompanions(FileList &list, bool maskHasExtension)
{
    QString newBase;
    qsizetype baseDots = 0;
    bool follow = false;
    for (int row = 0; row < list.count(); ++row) {
        FileEntry &e = list.entry(row);
        if (!e.companion) {
            const qsizetype typeDot = maskHasExtension ? e.newName.lastIndexOf(u'.') : -1;
            newBase = typeDot >= 0 ? e.newName.left(typeDot) : e.newName;
            baseDots = e.baseName().count(u'.');
            follow = e.checked;
            continue;
        }
        // Folding keeps every dot, so the companion's own part begins at the
        // dot after as many as the main row's base holds.
        qsizetype ownPart = -1;
        for (qsizetype k = 0; k <= baseDots; ++k)
            ownPart = e.oldName.indexOf(u'.', ownPart + 1);
        e.newName = follow ? newBase + e.oldName.mid(ownPart) : e.oldName;
        e.emptyValues = 0;
    }
}

QString CompanionNote(const FileList &list, int row)
{
    if (row < 0 || row >= list.count() || !list.at(row).companion)
        return {};
    int mainRow = row;
    while (mainRow > 0 && list.at(mainRow).companion)
        --mainRow;
    return messages::companionOf(list.at(mainRow).oldName);
}

} // namespace kesto
