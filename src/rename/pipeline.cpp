#include "rename/pipeline.h"

#include "naming/builder.h"
#include "rename/batch.h"
#include "rename/formatmessage.h"
#include "rename/journal.h"
#include "rename/messages.h"
#include "rename/newfolders.h"
#include "storage/questions.h"
#include "storage/textfile.h"

#include <QFile>

#include <algorithm>

namespace kesto {

namespace {

// How long what the list read of a file is taken as still true for a batch's journal.
constexpr qint64 IdentityFreshFor = 3000;

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The bytes of \a text's UTF-8 and its closing NUL.
qsizetype utf8Size(QStringView text)
{
    return (isAscii(text) ? text.size() : text.toUtf8().size()) + 1;
}

// Writes \a text as UTF-8 with a closing NUL at \a to, which has room for
// utf8Size(\a text) bytes; gives the bytes without the NUL, kept where they are.
QByteArray writeUtf8(char *&to, QStringView text)
{
    char *const from = to;
    if (isAscii(text)) {
        for (QChar c : text)
            *to++ = char(c.unicode());
    } else {
        const QByteArray bytes = text.toUtf8();
        to = std::copy(bytes.begin(), bytes.end(), to);
    }
    *to++ = 0;
    return QByteArray::fromRawData(from, to - from - 1);
}

bool agreesWithoutExtension(UserQuestions &questions)
{
    return questions.askYesNo(FormatMessage(messages::missingTypTemplate()), messages::appTitle());
}

// The moves of a tested plan, with what the journal and the result need of each.
struct PlannedMoves
{
    QList<Move> moves;
    QList<JournalEntry> entries;
    QList<int> rowOf;
    QList<int> errors;
    RenameResult result;
    bool skipAll = false;
    QList<QByteArray> made; ///< the folders the batch made
    /// The folders it could not make, each with the errno of its making.
    QList<std::pair<QByteArray, int>> unmade;

    // Makes the folders of the plan, which the journal records first.
    void makeFolders(const QList<QByteArray> &folders)
    {
        QList<bool> madeNow;
        const QList<int> failed = MakeFolders(folders, madeNow);
        for (qsizetype k = 0; k < folders.size(); ++k) {
            if (madeNow[k])
                made.append(folders[k]);
            else if (failed[k] != 0)
                unmade.append({folders[k], failed[k]});
        }
    }

    // A move into a folder that could not be made failed for that folder's reason.
    int reasonOf(int m, int error) const
    {
        const QByteArray target = moves[m].folder + moves[m].to;
        for (const auto &[folder, why] : unmade) {
            if (target.startsWith(folder))
                return why;
        }
        return error;
    }

    // Asks what to do after a failed move until the user says to skip every
    // further failure of the batch.
    std::function<bool(int, int)> askToGoOn(const FileList &list, UserQuestions &questions)
    {
        return [this, &list, &questions](int m, int error) {
            error = reasonOf(m, error);
            errors[m] = error;
            if (skipAll)
                return true;
            const FileEntry &e = list.at(rowOf[m]);
            const UserQuestions::FailureAnswer answer = questions.askAfterFailure(
                messages::renameFailed(e.fullPath(), e.folder + e.newName,
                                       messages::renameFailureReason(error)),
                messages::appTitle());
            skipAll = answer == UserQuestions::FailureAnswer::SkipAll;
            return answer != UserQuestions::FailureAnswer::Stop;
        };
    }

    // Tells once, after a batch in which files failed, how many were renamed,
    // why each other one was not, and where a file is that got neither its
    // new name nor its old one.
    void tellFailures(const QList<MoveResult> &done, const QList<QByteArray> &rescued,
                      const FileList &list, UserQuestions &questions) const
    {
        if (result.failed.isEmpty())
            return;
        // In the list's order: the moves stand from the last row to the first.
        QStringList kept, stranded;
        for (qsizetype m = moves.size() - 1; m >= 0; --m) {
            const Move &mv = moves[m];
            const FileEntry &e = list.at(rowOf[m]);
            const QString oldPath = DecodeTextPart(mv.folder + mv.from);
            if (done[m] == MoveResult::Failed)
                kept << messages::keptName(oldPath, e.newName,
                                           messages::renameFailureReason(errors[m]));
            else if (done[m] == MoveResult::NotTried)
                kept << messages::keptName(oldPath, e.newName, messages::notTried());
            else if (done[m] == MoveResult::Rescued)
                stranded << messages::strandedAt(oldPath, DecodeTextPart(rescued[m]), false);
            else if (done[m] == MoveResult::LeftAtTemp)
                stranded << messages::strandedAt(oldPath, DecodeTextPart(mv.temp), true);
        }
        questions.tell(
            messages::renameIncomplete(int(result.renamed.size()), result.total(), kept, stranded),
            messages::appTitle());
    }

    RenameResult resultOf(const QList<MoveResult> &done)
    {
        for (qsizetype m = 0; m < moves.size(); ++m) {
            if (done[m] == MoveResult::Done)
                result.renamed.append(rowOf[m]);
            else if (done[m] == MoveResult::NotTried)
                ++result.notTried;
            else
                result.failed.append({rowOf[m], errors[m]});
        }
        std::sort(result.renamed.begin(), result.renamed.end(), std::greater<int>());
        return result;
    }
};

// The pairs that change a name become moves, from the last row to the first:
// the order in which the renames run where no name waits for another.
PlannedMoves movesOf(const RenamePlan &plan, const FileList &list)
{
    PlannedMoves planned;
    planned.moves.reserve(plan.pairs.size());
    planned.entries.reserve(plan.pairs.size());
    // What the list read a moment ago is still what is renamed; after longer,
    // an editor may have saved a new file under the name.
    const qint64 freshSince = FileIdentity::now() - IdentityFreshFor;
    for (auto p = plan.pairs.crbegin(); p != plan.pairs.crend(); ++p) {
        if (p->status == PairStatus::Unchanged) {
            planned.result.renamed.append(p->row);
            continue;
        }
        planned.moves.append({p->folder, p->oldName, p->newName, {}});
        JournalEntry entry;
        const FileEntry &e = list.at(p->row);
        // A folder's length is not kept in its row; the journal reads it.
        if (!e.isFolder && e.identity.readAt != 0 && e.identity.readAt >= freshSince) {
            entry.identity = e.identity;
            entry.size = e.size;
        }
        planned.entries.append(entry);
        planned.rowOf.append(p->row);
    }
    planned.errors.resize(planned.moves.size());
    return planned;
}

// Rows in a folder the batch renamed, at any depth, are given their paths
// of now: the deepest folder's new name first, then each one above it.
void followRenamedFolders(FileList &list, const PlannedMoves &planned,
                          const QList<MoveResult> &done)
{
    QHash<QByteArray, QByteArray> renamed; // old path with its final "/" -> new
    for (qsizetype m = 0; m < planned.moves.size(); ++m) {
        const Move &mv = planned.moves[m];
        if (done[m] == MoveResult::Done && list.at(planned.rowOf[m]).isFolder)
            renamed.insert(mv.folder + mv.from + '/', mv.folder + mv.to + '/');
    }
    if (renamed.isEmpty())
        return;
    for (int row = 0; row < list.count(); ++row) {
        QByteArray path = list.at(row).pathBytes();
        bool moved = false;
        for (qsizetype slash = path.lastIndexOf('/'); slash > 0;
             slash = path.lastIndexOf('/', slash - 1)) {
            const auto now =
                renamed.constFind(QByteArray::fromRawData(path.constData(), slash + 1));
            if (now == renamed.cend())
                continue;
            path = *now + path.mid(slash + 1);
            slash = now->size() - 1;
            moved = true;
        }
        if (moved)
            list.setPath(row, path);
    }
}

// Whether a checked row is a file: a batch of folders alone loses no type.
bool renamesAFile(const FileList &list)
{
    return std::any_of(list.rows().begin(), list.rows().end(),
                       [](const FileEntry &e) { return e.checked && !e.isFolder; });
}

} // namespace

RenameResult RenameRows(FileList &list, bool maskHasExtension, Journal &journal,
                        UserQuestions &questions, const std::function<void(int, int)> &progress)
{
    const RenamePlan plan = TestRows(list);
    if (!plan.ok())
        return RenameResult::refused(Refusal(plan));
    if (!maskHasExtension && renamesAFile(list) && !agreesWithoutExtension(questions))
        return RenameResult::declined();
    PlannedMoves planned = movesOf(plan, list);
    const QList<Step> steps = OrderMoves(planned.moves);
    // The journal records the moves as ordered, with every temporary name
    // the order gave out: after a crash a file may be found there.
    for (qsizetype m = 0; m < planned.moves.size(); ++m)
        planned.entries[m].move = planned.moves[m];
    planned.result.undoable =
        !planned.moves.isEmpty() && journal.begin(planned.entries, plan.newFolders);
    if (!planned.moves.isEmpty() && !planned.result.undoable) {
        if (!questions.askRenameWithoutUndo(
                messages::noJournalQuestion(journal.folder(),
                                            messages::systemErrorText(journal.error())),
                messages::appTitle()))
            return RenameResult::declined();
        journal.recordUnjournaled(int(planned.moves.size()));
    }
    planned.makeFolders(plan.newFolders);
    QList<QByteArray> rescued;
    const QList<MoveResult> done = ApplyMoves(
        planned.moves, steps, planned.askToGoOn(list, questions),
        [&](int n) { progress ? progress(n, int(steps.size())) : void(); }, &rescued);
    RenameResult result = planned.resultOf(done);
    // A folder made for files that all failed is not left behind empty.
    result.foldersMade = int(RemoveEmptyFolders(planned.made).size());
    followRenamedFolders(list, planned, done);
    if (result.undoable) {
        // A batch that moved no file leaves nothing to undo.
        const bool moved = std::any_of(done.begin(), done.end(), [](MoveResult r) {
            return r != MoveResult::NotTried && r != MoveResult::Failed;
        });
        journal.end(moved);
        result.undoable = moved;
    }
    planned.tellFailures(done, rescued, list, questions);
    return result;
}

RenamePlan TestRows(FileList &list)
{
    RenamePlan plan = PairsFromRows(list);
    QByteArray bytes = std::move(plan.bytes);
    plan = CheckPlan(std::move(plan.pairs));
    plan.bytes = std::move(bytes);
    auto pair = plan.pairs.cbegin();
    for (int row = 0; row < list.count(); ++row) {
        FileEntry &e = list.entry(row);
        if (pair == plan.pairs.cend() || pair->row != row) {
            // An unchecked row is not renamed: a fault it had is none now.
            e.hint.clear();
            if (e.icon == RowIcon::Error)
                e.icon = RowIcon::Normal;
            continue;
        }
        const bool ok = pair->status == PairStatus::Ok || pair->status == PairStatus::Unchanged;
        e.icon = ok ? RowIcon::Normal : RowIcon::Error;
        e.hint = HintWithEmptyValues(pair->reason(), e.emptyValues);
        ++pair;
    }
    list.notifyRowsChanged(0, list.count() - 1, ColOldName, ColNewName);
    return plan;
}

RenamePlan PairsFromRows(const FileList &list)
{
    // The pairs' names are views: of the row's own bytes, or of one block
    // that holds the UTF-8 of all the others, sized before it is written.
    qsizetype size = 0;
    for (const FileEntry &e : list.rows()) {
        if (!e.checked)
            continue;
        if (e.rawBytes().isEmpty())
            size += utf8Size(e.oldName);
        size += utf8Size(e.newName);
    }
    RenamePlan plan;
    plan.bytes = QByteArray(size, Qt::Uninitialized);
    char *to = plan.bytes.data();
    plan.pairs.reserve(list.count());
    // Neighbouring rows mostly share their folder: one copy of its bytes.
    QByteArray folder;
    QString folderText;
    bool fromText = false;
    for (int i = 0; i < list.count(); ++i) {
        const FileEntry &e = list.at(i);
        if (!e.checked)
            continue;
        PlannedRename p;
        p.row = i;
        const QByteArray &raw = e.rawBytes();
        if (raw.isEmpty()) {
            if (!fromText || e.folder != folderText) {
                folderText = e.folder;
                folder = QFile::encodeName(folderText);
                fromText = true;
            }
            p.oldName = writeUtf8(to, e.oldName);
        } else {
            const qsizetype slash = raw.lastIndexOf('/') + 1;
            if (fromText || QByteArrayView(raw).first(slash) != folder) {
                folder = raw.left(slash);
                fromText = false;
            }
            p.oldName = QByteArray::fromRawData(raw.constData() + slash, raw.size() - slash);
        }
        p.folder = folder;
        p.newName = writeUtf8(to, e.newName);
        plan.pairs.append(std::move(p));
    }
    return plan;
}

QString Refusal(const RenamePlan &plan)
{
    return !plan.namesUnique       ? messages::notUnique()
           : !plan.noCollision     ? messages::collision()
           : !plan.noEmptyName     ? messages::emptyName()
           : !plan.namesFit        ? messages::tooLong()
           : !plan.namesAllowed    ? messages::notAllowed()
           : !plan.foldersReadable ? messages::folderUnreadable()
           : !plan.foldersWritable ? messages::folderUnwritable()
           : !plan.oneDrive        ? messages::otherDrive()
           : !plan.foldersFree     ? messages::folderClash()
                                   : QString();
}

} // namespace kesto
