#pragma once

#include "metadata/filefacts.h"
#include "rename/plan.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// A batch as data: the rows of a preview as JSON (kesto-cli --json), and a
// plan file that keeps them with each file's identity, to be reviewed and
// renamed later exactly as written (--plan-out, --plan-in).
namespace kesto {

/// What the full test or the check of a plan found for one row; each has a
/// stable English key (see StatusKey()).
enum class RowStatus {
    Ok,
    Unchanged,
    Duplicate,
    Exists,
    Blank,
    TooLong,
    NotAllowed,
    Impossible,
    UnreadableFolder,
    UnwritableFolder,
    OtherDrive,  ///< the folder the new name leads into is on another drive
    FolderClash, ///< a file and a folder the new name leads into want one name
    NoName,      ///< the new name could not be built: a faulty mask or search set
    Changed,     ///< a plan's file is no longer the one reviewed
    Missing,     ///< a plan's file is gone
};

/// What a batch did with one row.
enum class RowResult { None, Renamed, Failed, Skipped };

QString StatusKey(RowStatus status);
QString ResultKey(RowResult result);
RowStatus StatusOf(PairStatus status);

/// What tells a file apart from any other that may later have its name.
struct PlanIdentity
{
    quint64 device = 0, inode = 0;
    std::optional<qint64> bornNs; ///< none where the drive keeps no birth time
    qint64 size = 0;
    qint64 modifiedNs = 0;

    friend bool operator==(const PlanIdentity &, const PlanIdentity &) = default;
};

/// The identity of the entry at \a path itself (not a link's target, as a
/// rename moves the link); none when it cannot be read, and then \a error
/// holds the errno. \a identity, if given, gets what the journal keeps of it,
/// and \a isFolder whether the entry is a folder.
std::optional<PlanIdentity> ReadPlanIdentity(const QByteArray &path, int *error = nullptr,
                                             FileIdentity *identity = nullptr,
                                             bool *isFolder = nullptr);

/// One row of a plan.
struct PlanRow
{
    QByteArray folder;  ///< absolute, as on disk, without a final "/" (but "/")
    QByteArray oldName; ///< as on disk
    QString newName;
    RowStatus status = RowStatus::Ok;
    QString reason; ///< empty for Ok and Unchanged
    std::optional<PlanIdentity> identity;
    RowResult result = RowResult::None;
    QString resultReason;
    /// Whether the row is a folder, as found when the plan was made or run;
    /// the plan file does not keep it.
    bool isFolder = false;

    /// folder/oldName.
    QByteArray path() const;
};

/// \a folder, a folder as a row holds it (relative ones from the current
/// folder, with its final "/"), as PlanRow::folder keeps it.
QByteArray AbsoluteFolder(const QByteArray &folder);

/// The options a plan was made with (stable English keys, see README) and its rows.
struct Plan
{
    QJsonObject options;
    QList<PlanRow> rows;
};

/// The plan as --json prints it: one object with "options" and "rows", a
/// row a line; identities are left out, results are written when set.
QByteArray PlanJson(const Plan &plan);

/// The format of a plan file and its version.
inline constexpr char PlanFormat[] = "kesto-plan";
inline constexpr int PlanVersion = 1;
/// The largest plan file read.
inline constexpr qint64 MaxPlanBytes = qint64(256) << 20;

/// A plan file: a first line {"sha256":"HEX", with the SHA-256 of every byte
/// after it, then "format", "version", "options" and "rows" with each row's
/// "file" identity; JSON as a whole.
QByteArray PlanFileText(const Plan &plan);

/// What reading a plan file gave: the plan, or why it is refused.
struct PlanRead
{
    std::optional<Plan> plan;
    QString error; ///< German, for the message that names the file
};

/// Reads a plan file trusting nothing: a checksum that does not match, JSON
/// that is no plan of this version, a folder that is not absolute, a name
/// with "/" or NUL or equal to "." or "..", a file given twice or a row
/// without "file" (null for a file whose identity could not be read, which
/// never goes ahead) refuse the plan as a whole.
PlanRead ReadPlanText(const QByteArray &text);

} // namespace kesto
