#pragma once

#include <QString>

#include <array>

namespace kesto {

/// The mask a fresh start and the reset command put into the mask field.
inline QString DefaultMask()
{
    return QStringLiteral("[name].[typ]");
}

/// Check-box states as they are stored: 0 off, 1 on, 2 undetermined.
enum CheckState : int { Unchecked = 0, Checked = 1, Undetermined = 2 };

/// Whether a check state from a saved mask or a check box counts as on.
inline bool isOn(int checkState)
{
    return checkState != Unchecked;
}

/// One of the three search-and-replace sets.
struct SearchReplaceSet
{
    int active = Unchecked;    ///< check state of "Aktiv:"
    QString search;            ///< text of "Ersetze"
    QString replace;           ///< text of "durch"
    int inNewName = Unchecked; ///< check state of "Im neuen statt dem alten Namen suchen"
    int regex = Unchecked;     ///< check state of "Regulärer Ausdruck"
    int matchCase = Unchecked; ///< check state of "Groß/klein beachten"

    friend bool operator==(const SearchReplaceSet &, const SearchReplaceSet &) = default;
};

/// The naming options a saved mask stores, as the controls hold them: texts as
/// typed, drop-down choices as list positions, check boxes as check states.
/// The defaults are those of a first start.
struct RenameOptions
{
    QString mask = DefaultMask();
    QString counterStart = QStringLiteral("1");
    QString counterStep = QStringLiteral("1");
    int digitCount = 0; ///< position in the digit-count list
    int leadChar = 0;   ///< position in the leading-character list
    int letterCase = 0; ///< position in the letter-case list
    std::array<SearchReplaceSet, 3> sets;
    int randomUpper = Unchecked;
    int randomLower = Unchecked;
    int randomDigits = Unchecked;
    int randomExtra = Unchecked;
    QString randomExtraChars;
    int transliterate = Unchecked;    ///< "Umlaute und Akzente umschreiben"
    int counterPerFolder = Unchecked; ///< "In jedem Ordner neu beginnen"
    int companions = Unchecked;       ///< "Begleitdateien mitnehmen"
    /// The type that makes a file the main row of its companions; empty: the
    /// first of them in the list. Set by the command line only, never stored.
    QString companionsMain;
    int numberClashes = Unchecked; ///< "Doppelte Namen durchnummerieren"

    friend bool operator==(const RenameOptions &, const RenameOptions &) = default;
};

} // namespace kesto
