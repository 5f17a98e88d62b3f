#include "naming/textcase.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::StringLiterals;

TEST(LetterCase, EveryModeMapsCharacterByCharacter)
{
    // Modes 1 to 5 of each text (Deseret letters take two units); mode 0 and others keep it.
    const std::pair<QString, QStringList> rows[] = {
        {u"\U00010428x 1\U00010428ω mein URLAUB-foto 2te.JPG größe ÄRGER-öl_über straße ẞ ßig"_s,
         {u"\U00010400X 1\U00010400Ω MEIN URLAUB-FOTO 2TE.JPG GRÖßE ÄRGER-ÖL_ÜBER STRAßE ẞ ßIG"_s,
          u"\U00010428x 1\U00010428ω mein urlaub-foto 2te.jpg größe ärger-öl_über straße ß ßig"_s,
          u"\U00010400x 1\U00010428ω mein urlaub-foto 2te.jpg größe ärger-öl_über straße ß ßig"_s,
          u"\U00010400x 1\U00010428ω Mein Urlaub-foto 2te.jpg Größe Ärger-öl_über Straße ß ßig"_s,
          u"\U00010400x 1\U00010400ω Mein Urlaub-Foto 2Te.Jpg Größe Ärger-Öl_Über Straße ß ßig"_s}},
        {" ABC_2TE", {" ABC_2TE", " abc_2te", " abc_2te", " Abc_2te", " Abc_2Te"}},
        {QString(), {QString(), QString(), QString(), QString(), QString()}},
    };
    for (const auto &[text, expected] : rows) {
        QStringList cased;
        for (int mode = -1; mode <= CaseAlternate2 + 1; ++mode)
            cased << ApplyLetterCase(text, mode);
        EXPECT_EQ(cased, QStringList({text, text}) + expected + QStringList{text});
    }
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRegardToLetterCase)
{
    const std::tuple<QString, QString, QString, QString> rows[] = {
        {u"IMG_0001 img"_s, u"img"_s, u"Foto"_s, u"Foto_0001 Foto"_s},
        {u"abab"_s, u"ab"_s, u"abab"_s, u"abababab"_s},
        {u"banana"_s, u"A"_s, QString(), u"bnn"_s},
        {u"aaa"_s, u"aa"_s, u"b"_s, u"ba"_s},
        {u"Ärger über ärger"_s, u"ä"_s, u"ae"_s, u"aerger über aerger"_s},
        {u"Straße STRASSE"_s, u"ss"_s, u"s"_s, u"Straße STRAsE"_s},
        {u"abc"_s, QString(), u"x"_s, u"abc"_s},
        {u"\U00010400 \U00010428"_s, u"\U00010428"_s, u"x"_s, u"x x"_s},
        {u"aB"_s.repeated(50000), u"ab"_s, u"ABab"_s, u"ABab"_s.repeated(50000)},
    };
    for (const auto &[text, search, replacement, expected] : rows)
        EXPECT_EQ(ReplaceAll(text, search, replacement), expected) << search.toStdString();
}

TEST(Counter, PadsWithTheLeadingCharacterAndNeverCuts)
{
    const std::tuple<qint64, int, const char *, const char *> rows[] = {
        {7, 3, "0", "007"},  {7, 3, "_", "__7"},     {7, 3, " ", "  7"},
        {7, 3, "", "7"},     {1234, 4, "0", "1234"}, {12345, 3, "0", "12345"},
        {-5, 3, "0", "0-5"}, {-5, 4, "", "-5"},      {4294967296, 12, "0", "004294967296"},
        {7, 0, "0", "7"},    {7, -3, "0", "7"},
    };
    for (const auto &[value, digits, leadChar, expected] : rows)
        EXPECT_EQ(FormatCounter(value, digits, QString::fromUtf8(leadChar)), expected)
            << value << " " << digits << " '" << leadChar << "'";
}
