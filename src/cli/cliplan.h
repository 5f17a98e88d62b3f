#pragma once

#include "cli/cliargs.h"
#include "rename/planfile.h"

#include <QTextStream>

#include <optional>

namespace kesto {
class Session;
}

// kesto-cli's plan as data: --json, --plan-out and --plan-in.
namespace kesto::cli {

/// The options a run used, under the stable English keys of a plan.
QJsonObject UsedOptions(const Session &session, const Arguments &a);

/// The rows of \a session, built and tested now (see PlanRowsOf); with
/// \a withIdentity for a plan file.
QList<PlanRow> TestedRows(Session &session, bool withIdentity);

/// Writes \a plan as a plan file at \a path; false, told on \a err, when it
/// cannot be written.
bool WritePlan(const QByteArray &path, const Plan &plan, QTextStream &err);

/// The plan in the file at \a path; none, told on \a err, when the file
/// cannot be read or is no plan as Kesto wrote it.
std::optional<Plan> ReadPlan(const QByteArray &path, QTextStream &err);

/// "Vorher" TAB "Nachher" and the names of each row, as the list prints them.
QByteArray PlanNamesText(const QList<PlanRow> &rows);

/// Tells each row that does not go ahead with its reason, after a line that
/// counts them; gives their number.
int TellRowsLeft(const QList<PlanRow> &rows, QTextStream &err);

/// Writes \a bytes to standard output; gives the errno of a failed write, or 0.
int PrintBytes(const QByteArray &bytes);

} // namespace kesto::cli
