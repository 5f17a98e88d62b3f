#pragma once

#include "filelist/filelist.h"
#include "rename/plan.h"

#include <QList>
#include <QString>

#include <functional>

namespace kesto {

class Journal;
class UserQuestions;

/// A row whose rename failed, with the errno of the failure.
struct FailedRow
{
    int row = -1;
    int error = 0;
};

/// What one batch did. A batch runs only on names that pass the full test,
/// and only once the user agreed to what was asked before the first rename.
struct RenameResult
{
    enum class Verdict {
        Ran,      ///< the batch ran, however it ended
        Refused,  ///< the full test found faults: nothing was tried
        Declined, ///< the user said no before the first rename
    };
    Verdict verdict = Verdict::Ran;
    /// Why the full test refused the names, for the status bar.
    QString refusal;
    /// Rows under their new name now (also those that had it already),
    /// from the last row to the first.
    QList<int> renamed;
    /// Rows still under their old (or a temporary) name.
    QList<FailedRow> failed;
    /// Rows not tried: the user ended the batch after a failure.
    int notTried = 0;
    /// A journal records the batch and files moved, so it can be undone.
    bool undoable = false;
    /// Folders made for the new names that hold files now.
    int foldersMade = 0;

    bool stopped() const { return notTried > 0; }
    int total() const { return int(renamed.size() + failed.size()) + notTried; }
    bool complete() const { return verdict == Verdict::Ran && !stopped() && failed.isEmpty(); }
    static RenameResult refused(const QString &why)
    {
        RenameResult r;
        r.verdict = Verdict::Refused;
        r.refusal = why;
        return r;
    }
    static RenameResult declined()
    {
        RenameResult r;
        r.verdict = Verdict::Declined;
        return r;
    }
};

/// The checked rows as pairs for the full test: folder and old name as the
/// system's bytes, the new name in UTF-8. The bytes are made once, into one
/// block the plan keeps (RenamePlan::bytes).
RenamePlan PairsFromRows(const FileList &list);

/// The full test of the checked rows: each row gets its icon and its reason.
RenamePlan TestRows(FileList &list);

/// The status text for a plan that did not pass; empty for one that did.
QString Refusal(const RenamePlan &plan);

/// Renames the checked rows of \a list to their new names, never replacing a
/// file: the full test, the question before a mask without "[TYP]" (unless
/// \a maskHasExtension), the order of the moves, the journal, the renames.
/// A failed rename asks what to do until the user skips all; a batch with
/// failures ends with one message that names them. \a progress gets the
/// steps done and their number.
RenameResult RenameRows(FileList &list, bool maskHasExtension, Journal &journal,
                        UserQuestions &questions,
                        const std::function<void(int done, int steps)> &progress = {});

} // namespace kesto
