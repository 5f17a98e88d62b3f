#pragma once

#include <QList>
#include <QString>

namespace kesto {

/// Kind codes of mask tokens. A creation-time placeholder is its
/// modification-time twin + 100, a capture-time placeholder its twin + 300.
enum TokenKind : int {
    KindLiteral = 0,
    KindName = 1,
    KindExtension = 2,
    KindCounter = 3,
    KindDir = 4,
    KindRandom = 5,
    KindFolder = 6, ///< a "/" typed in the mask: what stands before it names a folder
    KindDatum = 40,
    KindRDatum = 41,
    KindTag = 42,
    KindMonat = 43,
    KindJahr = 44,
    KindZeit = 50,
    KindStunde = 51,
    KindMinute = 52,
    KindSekunde = 53,
    KindBreite = 60,
    KindHoehe = 61,
    KindTitle = 70, ///< the audio tags, KindTitle to KindGenre in this order
    KindArtist = 71,
    KindAlbum = 72,
    KindTrack = 73,
    KindYear = 74,
    KindGenre = 75,
    KindChecksum = 76, ///< "[PRÜFSUMME]", "[PRÜFSUMME n]": n in first
    KindDuration = 77, ///< "[DAUER]", the length of a film
    KindMake = 78,     ///< the photo facts, KindMake to KindOrientation in this order
    KindModel = 79,
    KindLens = 80,
    KindIso = 81,
    KindAperture = 82,
    KindExposure = 83,
    KindFocalLength = 84,
    KindLatitude = 85,
    KindLongitude = 86,
    KindOrientation = 87,
    KindListName = 90, ///< "[LISTE]", the row's line of a name list
    KindColumn = 91,   ///< "[SPALTE n]", a cell of the row's table line: n in first
    KindCreationOffset = 100,
    KindCaptureOffset = 300,
    KindRange = 9010,      ///< "[a-b]", "[a-]"
    KindRangeRight = 9011, ///< "[Ra-b]"
    KindChars = 9020,      ///< "[a,c]", "[a]"
    KindCharsRight = 9021, ///< "[Ra,c]", "[Ra]"
};

/// The largest number a mask may contain.
constexpr int MaxMaskNumber = 260;
/// The end stored for an open range "[n-]".
constexpr int OpenRangeEnd = 32767;
/// The longest mask (after trimming) that is checked at all.
constexpr int MaxMaskLength = 32767;

/// One element of a parsed mask.
struct MaskToken
{
    int kind = KindLiteral;
    QString text;  ///< literal text (kind 0) or a date placeholder's format
    int first = 0; ///< length for kinds 5 and 76, column for 91, first position for the range kinds
    int second = 0; ///< end position or character count for the range kinds

    friend bool operator==(const MaskToken &, const MaskToken &) = default;
};

/// The outcome of one mask check.
struct MaskCheck
{
    QList<MaskToken> tokens;   ///< tokens read so far, in mask order
    bool ok = false;           ///< the whole mask was read without error
    bool hasExtension = false; ///< the keyword "[TYP]" was read
    /// The status text the check leaves: "Maske ist OK" or "Fehler: <message>."
    QString statusText;
    /// 0..6 as listed by MaskErrorMessage(), 7 for a too long mask, 8 and 9
    /// for a part between "/" without a name or named "." or ".."; else -1.
    int errorCode = -1;
};

/// Checks and parses a mask as typed (blanks at both ends are ignored).
MaskCheck CheckMask(const QString &mask);

/// The longest checksum a mask may ask for: all hexadecimal digits of a SHA-256.
constexpr int MaxChecksumDigits = 64;
/// The digits "[PRÜFSUMME]" stands for.
constexpr int DefaultChecksumDigits = 8;

/// The placeholder as the user sees it written, "[TITEL]", for a kind read
/// from a keyword alone (and "[PRÜFSUMME]" for every checksum).
QString PlaceholderText(int kind);

/// The message of a mask error code, without "Fehler: " and the final point.
QString MaskErrorMessage(int code);

/// True when \a text holds one of the characters  \ / : * ? < > | "
bool HasForbiddenChar(const QString &text);

} // namespace kesto
