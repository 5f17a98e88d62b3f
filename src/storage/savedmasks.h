#pragma once

#include "storage/questions.h"
#include "storage/renameoptions.h"

#include <QString>
#include <QStringList>

namespace kesto {

/// The mask under which the options of the last run are kept.
inline QString StandardMaskName()
{
    return QStringLiteral(".Standard");
}

/// The number of entries of the three drop-down lists a saved mask chooses in;
/// a stored position outside a list is not taken over.
struct OptionListSizes
{
    int digitCount = 12;
    int leadChars = 4;
    int letterCases = 6;
};

/// Stores \a options in the masks file. An empty \a name asks the user for the
/// name (and whether to replace a mask of that name); any other name stores
/// them as ".Standard" without asking. True when the file was written.
bool SaveMask(const QString &name, const RenameOptions &options, const QString &masksIni,
              UserQuestions &questions);

/// Sets \a options from the saved mask \a name, each missing value to its
/// default. A stored value that no control could show leaves its field as it was.
void LoadMask(const QString &name, RenameOptions &options, const QString &masksIni,
              const OptionListSizes &sizes = {});

/// Asks whether to delete the saved mask \a name and deletes it on Yes.
/// True when it was deleted.
bool DeleteMask(const QString &name, const QString &masksIni, UserQuestions &questions);

/// The names of the saved masks in file order, ".Standard" included.
QStringList SavedMaskNames(const QString &masksIni);

/// The check state a stored text stands for: the number the text begins with
/// (none counts as 0), rounded; -1 when that is no check state (0, 1 or 2).
int StoredCheckState(const QString &text);

} // namespace kesto
