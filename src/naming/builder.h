#pragma once

#include "filelist/fileentry.h"
#include "mask/mask.h"
#include "metadata/filefacts.h"
#include "naming/randomstring.h"
#include "naming/replacesets.h"
#include "storage/renameoptions.h"

#include <QList>
#include <QString>

#include <array>

namespace kesto {

/// Everything besides the row that a new name depends on, taken from the
/// options at the moment a pass starts.
struct NamingContext
{
    QList<MaskToken> tokens; ///< a valid mask's tokens
    qint32 counterStart = 1;
    qint32 counterStep = 1;
    int digitCount = 1;
    QString leadChar;
    int letterCase = 0;
    ReplaceSets sets;
    RandomAlphabet alphabet;
    bool transliterate = false; ///< "Umlaute und Akzente umschreiben"
};

/// What a name list and a table give one row, for "[LISTE]" and "[SPALTE n]".
struct SuppliedValues
{
    QStringView listName;
    const QStringList *cells = nullptr; ///< the row's table line, the file's own cell first
};

/// The new name of \a row at counter position \a p (counted from 1):
/// replacement in the old name, expansion of the tokens, letter case,
/// replacement in the new name, transliteration, in this order; the last
/// three for each folder of a mask with "/" and the file's name on their
/// own, so that only the mask's "/" separates folders. Names are
/// searched and written in the composed form (NFC), whatever the form of
/// the old name. When PCRE2 breaks a set's match off, the name is unfinished
/// and \a failedSet (if given) says which set, else it is -1.
QString BuildNewName(const FileEntry &row, int p, const NamingContext &context,
                     int *failedSet = nullptr, const SuppliedValues &supplied = {});

/// The text one token contributes; \a name is the name source after the
/// replacements in the old name.
QString ExpandToken(const MaskToken &token, const FileEntry &row, int p, const QString &name,
                    const NamingContext &context, const SuppliedValues &supplied = {});

/// The counter value of list position \a p, computed wide so a caller can
/// tell whether it leaves the 32-bit range.
inline qint64 CounterValue(qint32 start, qint32 step, qint64 p)
{
    return qint64(start) + (p - 1) * qint64(step);
}

/// Whether the tokens ask for the pixel size of the image.
bool NeedsImageSize(const QList<MaskToken> &tokens);
/// The facts of a file that names from \a tokens and a list sorted by
/// \a sortColumn depend on (the replacements are plain text and need none).
WantedFacts FactsUsedBy(const QList<MaskToken> &tokens, int sortColumn);
/// Which facts of a file's content the tokens ask for.
ContentUse ContentUsedBy(const QList<MaskToken> &tokens);
/// The placeholders among \a tokens that give no text for \a row, as
/// FileEntry::emptyValues keeps them.
quint32 EmptyValues(const FileEntry &row, const QList<MaskToken> &tokens);
/// \a reason, joined with what the hint says about \a emptyValues:
/// "kein Wert für [TITEL], [ALBUM]".
QString HintWithEmptyValues(const QString &reason, quint32 emptyValues);
/// Whether the tokens contain the counter.
bool UsesCounter(const QList<MaskToken> &tokens);

} // namespace kesto
