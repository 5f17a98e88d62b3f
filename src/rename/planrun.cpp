#include "rename/planrun.h"

#include "filelist/loader.h"
#include "rename/messages.h"
#include "rename/namefold.h"
#include "rename/planmessages.h"

#include <QMultiHash>

#include <cerrno>
#include <string>

namespace kesto {

namespace {

bool goesAhead(RowStatus status)
{
    return status == RowStatus::Ok || status == RowStatus::Unchanged;
}

// The folder of a row and a name in it, folded as the full test compares
// names; empty for a name that is no UTF-8, which no new name can meet.
QByteArray nameKey(const QByteArray &path, const QByteArray &name)
{
    std::string folded;
    if (!FoldNameBytes(folded, ViewOf(name)))
        return {};
    return path.left(path.lastIndexOf('/') + 1) +
           QByteArray(folded.data(), qsizetype(folded.size()));
}

QByteArray oldNameKey(const FileEntry &e)
{
    const QByteArray path = e.pathBytes();
    return nameKey(path, path.sliced(path.lastIndexOf('/') + 1));
}

QByteArray newNameKey(const FileEntry &e)
{
    return nameKey(e.pathBytes(), e.newName.toUtf8());
}

// Leaves out each row whose new name cannot be taken now, until the others
// pass the full test. A row left out keeps its file under its old name, so a
// row waiting for that name is left out with it at once, instead of one
// more full test for each link of a chain.
void leaveOutFaultyRows(FileList &list, const QList<int> &rowOf, QList<PlanRow> &rows)
{
    const auto leaveOut = [&](int r, RowStatus status, const QString &reason) {
        list.setChecked(r, false);
        rows[rowOf[r]].status = status;
        rows[rowOf[r]].reason = reason;
    };
    QMultiHash<QByteArray, int> waitingFor;
    for (int r = 0; r < list.count(); ++r)
        waitingFor.insert(newNameKey(list.at(r)), r);
    for (;;) {
        const RenamePlan tested = TestRows(list);
        if (tested.ok())
            return;
        QList<int> leftOut;
        for (const PlannedRename &p : tested.pairs) {
            if (!goesAhead(StatusOf(p.status))) {
                leaveOut(p.row, StatusOf(p.status), p.reason());
                leftOut.append(p.row);
            }
        }
        while (!leftOut.isEmpty()) {
            const QByteArray name = oldNameKey(list.at(leftOut.takeLast()));
            if (name.isEmpty())
                continue;
            for (int w : waitingFor.values(name)) {
                // A file's own name in another spelling is no other file's.
                if (!list.at(w).checked || oldNameKey(list.at(w)) == name)
                    continue;
                leaveOut(w, RowStatus::Exists, messages::reasonExists());
                leftOut.append(w);
            }
        }
    }
}

// A row for the file of \a row if it is still the one reviewed; else \a row
// is told why not.
std::optional<FileEntry> entryOf(PlanRow &row)
{
    int error = 0;
    FileIdentity identity;
    const std::optional<PlanIdentity> now =
        ReadPlanIdentity(row.path(), &error, &identity, &row.isFolder);
    if (!now || now != row.identity) {
        const bool gone = !now && error == ENOENT;
        row.status = gone ? RowStatus::Missing : RowStatus::Changed;
        row.reason = gone ? planmessages::missing() : planmessages::changed();
        return std::nullopt;
    }
    const PathToLoad item = PathFromBytes(row.path());
    FileEntry e = FileEntry::fromPath(item.path);
    e.setRawBytes(item.bytes);
    e.identity = identity;
    // A folder has no type to lose and is renamed after what it holds.
    e.isFolder = row.isFolder;
    e.size = e.isFolder ? 0 : now->size;
    e.newName = row.newName;
    return e;
}

} // namespace

QList<PlanRow> PlanRowsOf(const FileList &list, const RenamePlan *tested,
                          const QString &noNameReason, bool withIdentity)
{
    QList<PlanRow> rows;
    rows.reserve(list.count());
    // Neighbouring rows mostly share their folder: it is made absolute once.
    QByteArray folder, absolute;
    for (const FileEntry &e : list.rows()) {
        const QByteArray path = e.pathBytes();
        const qsizetype slash = path.lastIndexOf('/') + 1;
        if (rows.isEmpty() || QByteArrayView(path).first(slash) != folder) {
            folder = path.left(slash);
            absolute = AbsoluteFolder(folder);
        }
        PlanRow row;
        row.folder = absolute;
        row.oldName = path.sliced(slash);
        row.isFolder = e.isFolder;
        if (tested) {
            row.newName = e.newName;
        } else {
            row.status = RowStatus::NoName;
            row.reason = noNameReason;
        }
        if (withIdentity)
            row.identity = ReadPlanIdentity(path);
        rows.append(std::move(row));
    }
    for (const PlannedRename &p : tested ? tested->pairs : QList<PlannedRename>()) {
        rows[p.row].status = StatusOf(p.status);
        if (!goesAhead(rows[p.row].status))
            rows[p.row].reason = p.reason();
    }
    return rows;
}

void SetResults(QList<PlanRow> &rows, const RenameResult &result, const QList<int> &rowOf)
{
    const auto rowAt = [&](int listRow) -> PlanRow & {
        return rows[rowOf.isEmpty() ? listRow : rowOf[listRow]];
    };
    // Every row of the list that the batch did not reach.
    const qsizetype listRows = rowOf.isEmpty() ? rows.size() : rowOf.size();
    for (int r = 0; r < listRows; ++r) {
        PlanRow &row = rowAt(r);
        row.result = RowResult::Skipped;
        row.resultReason =
            !row.reason.isEmpty()                               ? row.reason
            : result.verdict == RenameResult::Verdict::Refused  ? planmessages::notTriedRefused()
            : result.verdict == RenameResult::Verdict::Declined ? planmessages::notTriedDeclined()
                                                                : messages::notTried();
    }
    for (int r : result.renamed) {
        rowAt(r).result = RowResult::Renamed;
        rowAt(r).resultReason.clear();
    }
    for (const FailedRow &failed : result.failed) {
        rowAt(failed.row).result = RowResult::Failed;
        rowAt(failed.row).resultReason = messages::renameFailureReason(failed.error);
    }
}

RenameResult RunPlan(Plan &plan, bool apply, bool maskHasExtension, Journal &journal,
                     UserQuestions &questions, const std::function<void(int, int)> &progress)
{
    QList<FileEntry> entries;
    QList<int> rowOf;
    for (qsizetype i = 0; i < plan.rows.size(); ++i) {
        PlanRow &row = plan.rows[i];
        // A row the review found faulty stays so.
        if (!goesAhead(row.status))
            continue;
        if (std::optional<FileEntry> e = entryOf(row)) {
            entries.append(std::move(*e));
            rowOf.append(int(i));
        }
    }
    FileList list;
    list.insertRows(0, std::move(entries));
    leaveOutFaultyRows(list, rowOf, plan.rows);
    RenameResult result;
    if (!apply)
        return result;
    if (list.checkedCount() > 0)
        result = RenameRows(list, maskHasExtension, journal, questions, progress);
    for (PlanRow &row : plan.rows) {
        if (!goesAhead(row.status)) {
            row.result = RowResult::Skipped;
            row.resultReason = row.reason;
        }
    }
    SetResults(plan.rows, result, rowOf);
    return result;
}

} // namespace kesto
