#include "mask/mask.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

// A check on one line: error code, "ok", "typ" (has the extension), then the tokens:
// literal text in quotes, other kinds by their code with ":first,second" when either is set
// or with their date format in quotes.
QString describe(const MaskCheck &check)
{
    QStringList parts = {QString::number(check.errorCode)};
    if (check.ok)
        parts << u"ok"_s;
    if (check.hasExtension)
        parts << u"typ"_s;
    for (const MaskToken &t : check.tokens) {
        if (t.kind == KindLiteral)
            parts << u'\'' + t.text + u'\'';
        else if (!t.text.isEmpty())
            parts << QString::number(t.kind) + u'\'' + t.text + u'\'';
        else if (t.first != 0 || t.second != 0)
            parts << u"%1:%2,%3"_s.arg(t.kind).arg(t.first).arg(t.second);
        else
            parts << QString::number(t.kind);
    }
    return parts.join(u' ');
}

// The keywords are read in any letter case: see the name builder's tests.
TEST(MaskCheck, ValidMasksGiveTheirTokens)
{
    QList<std::pair<QString, QString>> rows = {
        {"abc]", "'abc]'"},
        {"]]]", "']]]'"},
        {"[[NAME]", "'[' 'NAME]'"},
        {"[3]", "9020:3,1"},
        {"[R3]", "9021:3,1"},
        {"[name].[typ]", "typ 1 '.' 2"},
        {"[r3]", "9021:3,1"},
        {"[3,0]", "9020:3,0"},
        {"[007-0260]", "9010:7,260"},
        {"[3-5]", "9010:3,5"},
        {"[3-3]", "9010:3,3"},
        {"[ZUFALLSKETTE 0]", "5"},
        {"[3-]", "9010:3,32767"},
        {"[R2-4]", "9011:2,4"},
        {"[ZUFALLSKETTE 8]", "5:8,0"},
        {"[260]", "9020:260,1"},
        {"[R2,4]", "9021:2,4"},
        {"[zufallskette8]", "5:8,0"},
        {"[RDATUM]", "41"},
        {"   [name]  ", "1"},
        {"\t[name]\t", "'\t' 1 '\t'"},
        {"[datum yyyy-MM-dd]", "40'yyyy-MM-dd'"},
        {"[ERSTELLDATUM  d.M.]", "140' d.M.'"},
        {"[AufnahmeDatum MMMM 'Uhr' H]", "340'MMMM 'Uhr' H'"},
        {"[jahr] /..[monat]/[[/[name]", "44 ' ' 6 '..' 43 6 '[' 6 1"},
    };
    rows.append({u"Urlaub [ZAHL] [DATUM].[typ]"_s, u"typ 'Urlaub ' 3 ' ' 40 '.' 2"_s});
    rows.append({u"[name]typ.[3-]"_s, u"1 'typ.' 9010:3,32767"_s});
    // Control characters and an unpaired surrogate are literal text.
    const QString odd = u"a\x01"_s + QChar(0xD800);
    rows.append({odd + u"[name]\x7f"_s, u'\'' + odd + u"' 1 '\x7f'"_s});
    // Masks of the longest length.
    const QString longest(MaxMaskLength, u'a');
    rows.append({u"  "_s + longest + u"  "_s, u'\'' + longest + u'\''});
    rows.append({u"[name]"_s.repeated(MaxMaskLength / 6),
                 QStringList(MaxMaskLength / 6, u"1"_s).join(u' ')});
    for (const auto &[mask, tokens] : rows) {
        const MaskCheck check = CheckMask(mask);
        EXPECT_EQ(describe(check), u"-1 ok "_s + tokens);
        EXPECT_EQ(check.statusText, u"Maske ist OK"_s);
    }
}

TEST(MaskCheck, BadMasksStopAtTheFirstErrorWithItsTextAndAnEmptyOneIsNeitherBadNorOk)
{
    // Row n: the status text of error n - 1 and masks that raise it; an empty mask shows no
    // error but is not ok either.
    const std::pair<QString, QStringList> errors[] = {
        {u"Maske ist OK"_s, {"", "    "}},
        {u"Fehler: Die Zahl ist zu groß."_s, {"[261]", "[3-261]", "[3,999]", "[ZUFALLSKETTE 261]"}},
        {u"Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut."_s,
         // Only 0 to 9 are digits, not an Arabic-Indic three or a full-width one.
         {"[3", "[R]", "[FOO]", "[NAME", "abc[", "[]", "[3x]", "[[[[[", "[ZUFALLSKETTE 5",
          "[DATUM  ]", "[\u0663]", "[\uff11]", QString(MaxMaskLength, u'[')}},
        {u"Fehler: Es wurde eine Zahl erwartet."_s,
         {"[ZUFALLSKETTE  5]", "[ZUFALLSKETTE]", "[3,]", "[3-x]"}},
        {u"Fehler: Schließende Klammer fehlt."_s, {"[3-5", "[3,5", "[DATUM yy", "[DATUM yy[TYP]"}},
        {u"Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."_s, {"[3-2]", "[3-0]"}},
        {u"Fehler: Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt."_s,
         {"a\\b", "a:b", "a*b", "a?b", "a<b", "a>b", "a|b", "[name]\"", "[DATUM dd/MM]",
          "[DATUM 'a:b']"}},
        {u"Fehler: Null ist als Bereichsbeginn nicht zulässig."_s, {"[0]", "[0-4]", "[R0,2]"}},
        {u"Fehler: Die Maske ist zu lang."_s,
         {QString(MaxMaskLength + 1, u'a'), u"[name]"_s.repeated(20000), QString(100000, u'[')}},
        {u"Fehler: Vor oder nach einem Schrägstrich fehlt ein Name."_s,
         {"/[name]", "[name]/", "a//b", "/"}},
        {u"Fehler: Die Namen . und .. sind in der Maske nicht zulässig."_s,
         {"../[name]", "a/./b", "[jahr]/.[[/..", "a/.."}},
    };
    for (int code = -1; code < 10; ++code) {
        for (const QString &mask : errors[code + 1].second) {
            SCOPED_TRACE(mask.left(30).toStdString());
            const MaskCheck check = CheckMask(mask);
            EXPECT_EQ(std::tuple(check.ok, check.errorCode, check.statusText),
                      std::tuple(false, code, errors[code + 1].first));
            EXPECT_TRUE(code != 7 || check.tokens.isEmpty()) << "refused whole";
        }
    }
    EXPECT_EQ(describe(CheckMask(u"[typ]x[3-5"_s)), u"3 typ 2 'x'"_s) << "tokens before it stay";
}

TEST(MaskCheck, FactPlaceholdersTheChecksumLengthFrom1To64AndTableColumnsAreRead)
{
    QStringList described;
    for (const char *mask : {"[titel][Interpret][ALBUM][titelnr][Erscheinungsjahr][genre][Dauer]",
                             "[prüfsumme][PRÜFSUMME 1][Prüfsumme 064]", "[PRÜFSUMME 65]",
                             "[PRÜFSUMME 0]", "[PRÜFSUMME 8", "[PRÜFSUMME ]", "[PRÜFSUMME8]",
                             "[hersteller][Modell][OBJEKTIV][iso][blende][Belichtung][brennweite]"
                             "[breitengrad][längengrad][LÄNGENGRAD][ausrichtung][breite]",
                             "[liste][Liste][SPALTE 1][spalte 260]", "[SPALTE 0]", "[SPALTE 261]",
                             "[SPALTE2]", "[SPALTE x]"})
        described << describe(CheckMask(QString::fromUtf8(mask)));
    EXPECT_EQ(
        described,
        (QStringList{u"-1 ok 70 71 72 73 74 75 77"_s, u"-1 ok 76:8,0 76:1,0 76:64,0"_s, u"0"_s,
                     u"1"_s, u"1"_s, u"2"_s, u"1"_s, u"-1 ok 78 79 80 81 82 83 84 85 86 86 87 60"_s,
                     u"-1 ok 90 90 91:1,0 91:260,0"_s, u"1"_s, u"0"_s, u"1"_s, u"2"_s}));
}

} // namespace
