#pragma once

#include "rename/pipeline.h"
#include "rename/planfile.h"

#include <functional>

namespace kesto {

class Journal;
class UserQuestions;

/// The rows of \a list as plan rows, row for row: each with the status and
/// reason \a tested (the full test of the list) gave it, or, when the names
/// could not be built (\a tested null), NoName with \a noNameReason; with
/// \a withIdentity each file's identity as it is now.
QList<PlanRow> PlanRowsOf(const FileList &list, const RenamePlan *tested,
                          const QString &noNameReason, bool withIdentity);

/// Sets each row's result from what the batch did to the list the rows were
/// made of (\a rowOf: the row of each list row; empty when they are the same).
void SetResults(QList<PlanRow> &rows, const RenameResult &result, const QList<int> &rowOf = {});

/// Checks each row of \a plan against the disk now and sets its status: a
/// row goes ahead only when the plan found it sound, its file is still the
/// one reviewed (PlanIdentity) and its new name can be taken now; a row left
/// out keeps its file where it is, so a row waiting for that name is left
/// out too. With \a apply the rows that go ahead are renamed through
/// RenameRows (journal, order, never replacing a file) and every row gets its
/// result; \a maskHasExtension as there. Returns the batch's result (an
/// empty one that ran when no row went ahead or nothing was applied).
RenameResult RunPlan(Plan &plan, bool apply, bool maskHasExtension, Journal &journal,
                     UserQuestions &questions,
                     const std::function<void(int done, int steps)> &progress = {});

} // namespace kesto
