#include "mask/mask.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

// Tokens on one line: literal text in quotes, other kinds by their code with
// ":First,Second" when either is set.
QString describe(const QList<MaskToken> &tokens)
{
    QStringList parts;
    for (const MaskToken &t : tokens) {
        if (t.kind == KindLiteral)
            parts << u'\'' + t.text + u'\'';
        else if (t.first != 0 || t.second != 0)
            parts << u"%1:%2,%3"_s.arg(t.kind).arg(t.first).arg(t.second);
        else
            parts << QString::number(t.kind);
    }
    return parts.join(u' ');
}

TEST(MaskCheck, ValidMasksGiveTheirTokens)
{
    QList<std::pair<QString, QString>> rows = {
        {"[name].[typ]", "1 '.' 2"},
        {"Urlaub [ZAHL] [DATUM].[typ]", "'Urlaub ' 3 ' ' 40 '.' 2"},
        {"[[NAME]", "'[' 'NAME]'"},
        {"abc]", "'abc]'"},
        {"]]]", "']]]'"},
        {"[3]", "9020:3,1"},
        {"[R3]", "9021:3,1"},
        {"[r3]", "9021:3,1"},
        {"[3-5]", "9010:3,5"},
        {"[3-3]", "9010:3,3"},
        {"[3-]", "9010:3,32767"},
        {"[R2-4]", "9011:2,4"},
        {"[R2,4]", "9021:2,4"},
        {"[3,0]", "9020:3,0"},
        {"[260]", "9020:260,1"},
        {"[007-0260]", "9010:7,260"},
        {"[ZUFALLSKETTE 0]", "5"},
        {"[ZUFALLSKETTE 8]", "5:8,0"},
        {"[zufallskette8]", "5:8,0"},
        {"[RDATUM]", "41"},
        {"   [name]  ", "1"},
        {"\t[name]\t", "'\t' 1 '\t'"},
    };
    // Control characters and an unpaired surrogate are literal text.
    const QString odd = u"a\x01"_s + QChar(0xD800);
    rows.append({odd + u"[name]\x7f"_s, u'\'' + odd + u"' 1 '\x7f'"_s});
    // Masks of the longest length.
    const QString longest(MaxMaskLength, u'a');
    rows.append({u"  "_s + longest + u"  "_s, u'\'' + longest + u'\''});
    rows.append({u"[name]"_s.repeated(MaxMaskLength / 6),
                 QStringList(MaxMaskLength / 6, u"1"_s).join(u' ')});
    for (const auto &[mask, tokens] : rows) {
        SCOPED_TRACE(mask.toStdString());
        const MaskCheck check = CheckMask(mask);
        EXPECT_TRUE(check.ok);
        EXPECT_EQ(check.errorCode, -1);
        EXPECT_EQ(check.statusText, u"Maske ist OK"_s);
        EXPECT_EQ(describe(check.tokens), tokens);
    }
}

TEST(MaskCheck, EveryKeywordGivesItsKindInAnyLetterCase)
{
    const QString keywords =
        u"[NAME][TYP][DIR][ZAHL][DATUM][RDATUM][TAG][MONAT][JAHR][ZEIT][STUNDE][H][MINUTE][M]"
        u"[SEKUNDE][S][ERSTELLDATUM][ERSTELLTAG][ERSTELLMONAT][ERSTELLJAHR][ERSTELLZEIT]"
        u"[ERSTELLSTUNDE][ERSTELLMINUTE][ERSTELLSEKUNDE][AUFNAHMEDATUM][AUFNAHMETAG]"
        u"[AUFNAHMEMONAT][AUFNAHMEJAHR][AUFNAHMEZEIT][AUFNAHMESTUNDE][AUFNAHMEMINUTE]"
        u"[AUFNAHMESEKUNDE][BREITE][HÖHE]"_s;
    const QString kinds = u"1 2 4 3 40 41 42 43 44 50 51 51 52 52 53 53 140 142 143 144 150 151 "
                          u"152 153 340 342 343 344 350 351 352 353 60 61"_s;
    QString mixed = keywords;
    for (qsizetype i = 1; i < keywords.size(); i += 2)
        mixed[i] = keywords[i].toLower();
    for (const QString &mask : {keywords, keywords.toLower(), mixed}) {
        const MaskCheck check = CheckMask(mask);
        EXPECT_TRUE(check.ok);
        EXPECT_EQ(describe(check.tokens), kinds);
        EXPECT_TRUE(check.hasExtension);
    }
    EXPECT_FALSE(CheckMask(u"[name]typ.[3-]"_s).hasExtension);
}

TEST(MaskCheck, BadMasksStopAtTheFirstErrorWithItsText)
{
    // Row n: the status text of error n and masks that raise it.
    const std::pair<QString, QStringList> errors[] = {
        {u"Fehler: Die Zahl ist zu groß."_s,
         {"[261]", "[2600]", "[3-261]", "[3,999]", "[ZUFALLSKETTE 261]"}},
        {u"Fehler: Die Maske ist falsch oder nicht vollständig aufgebaut."_s,
         // Only 0 to 9 are digits, not an Arabic-Indic three or a full-width one.
         {"[3", "[R]", "[FOO]", "[NAME", "abc[", "[]", "[3x]", "[[[[[", "[ZUFALLSKETTE 5",
          "[\u0663]", "[\uff11]", QString(MaxMaskLength, u'[')}},
        {u"Fehler: Es wurde eine Zahl erwartet."_s,
         {"[ZUFALLSKETTE  5]", "[ZUFALLSKETTE]", "[3,]", "[3-x]"}},
        {u"Fehler: Schließende Klammer fehlt."_s, {"[3-5", "[3,5"}},
        {u"Fehler: Das Bereichsende ist kleiner als der Bereichsanfang."_s, {"[3-2]", "[3-0]"}},
        {u"Fehler: Die Zeichen \\ / : ? \" < > | sind in Dateinamen nicht erlaubt."_s,
         {"a\\b", "a/b", "a:b", "a*b", "a?b", "a<b", "a>b", "a|b", "[name]\""}},
        {u"Fehler: Null ist als Bereichsbeginn nicht zulässig."_s, {"[0]", "[0-4]", "[R0,2]"}},
        {u"Fehler: Die Maske ist zu lang."_s,
         {QString(MaxMaskLength + 1, u'a'), u"[name]"_s.repeated(20000), QString(100000, u'[')}},
    };
    for (int code = 0; code < 8; ++code) {
        for (const QString &mask : errors[code].second) {
            SCOPED_TRACE(mask.left(30).toStdString());
            const MaskCheck check = CheckMask(mask);
            EXPECT_FALSE(check.ok);
            EXPECT_EQ(check.errorCode, code);
            EXPECT_EQ(check.statusText, errors[code].first);
            EXPECT_TRUE(code != 7 || check.tokens.isEmpty()) << "refused whole";
        }
    }
}

TEST(MaskCheck, AnEmptyMaskShowsNoErrorAndTokensBeforeAnErrorStayButNeitherIsOk)
{
    // Mask, status text, tokens.
    const std::tuple<QString, QString, QString> rows[] = {
        {QString(), u"Maske ist OK"_s, QString()},
        {u"    "_s, u"Maske ist OK"_s, QString()},
        {u"[typ]x[3-5"_s, u"Fehler: Schließende Klammer fehlt."_s, u"2 'x'"_s},
    };
    for (const auto &[mask, status, tokens] : rows) {
        const MaskCheck check = CheckMask(mask);
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.statusText, status);
        EXPECT_EQ(describe(check.tokens), tokens);
    }
    EXPECT_TRUE(CheckMask(u"[typ]x[3-5"_s).hasExtension);
}

} // namespace
