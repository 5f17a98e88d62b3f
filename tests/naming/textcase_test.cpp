#include "naming/textcase.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

TEST(LetterCase, EveryModeMapsCharacterByCharacter)
{
    // A text and what modes 1 to 5 make of it; mode 0 and unknown modes keep it.
    const std::pair<QString, QStringList> rows[] = {
        {u"mein URLAUB-foto 2te.JPG"_s,
         {u"MEIN URLAUB-FOTO 2TE.JPG"_s, u"mein urlaub-foto 2te.jpg"_s,
          u"Mein urlaub-foto 2te.jpg"_s, u"Mein Urlaub-foto 2te.jpg"_s,
          u"Mein Urlaub-Foto 2Te.Jpg"_s}},
        {u"größe ÄRGER-öl_über straße"_s,
         {u"GRÖßE ÄRGER-ÖL_ÜBER STRAßE"_s, u"größe ärger-öl_über straße"_s,
          u"Größe ärger-öl_über straße"_s, u"Größe Ärger-öl_über Straße"_s,
          u"Größe Ärger-Öl_Über Straße"_s}},
        {u"ẞ ßig"_s, {u"ẞ ßIG"_s, u"ß ßig"_s, u"ẞ ßig"_s, u"ẞ ßig"_s, u"ẞ ßig"_s}},
        {u" ABC_2TE"_s,
         {u" ABC_2TE"_s, u" abc_2te"_s, u" abc_2te"_s, u" Abc_2te"_s, u" Abc_2Te"_s}},
        // Deseret letters take two units each.
        {u"\U00010428x 1\U00010428ω"_s,
         {u"\U00010400X 1\U00010400Ω"_s, u"\U00010428x 1\U00010428ω"_s,
          u"\U00010400x 1\U00010428ω"_s, u"\U00010400x 1\U00010428ω"_s,
          u"\U00010400x 1\U00010400ω"_s}},
        {QString(), {QString(), QString(), QString(), QString(), QString()}},
    };
    for (const auto &[text, expected] : rows) {
        for (int mode = CaseUpper; mode <= CaseAlternate2; ++mode)
            EXPECT_EQ(ApplyLetterCase(text, mode), expected.at(mode - 1)) << mode;
        for (int mode : {int(CaseKeep), 6, -1})
            EXPECT_EQ(ApplyLetterCase(text, mode), text) << mode;
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

} // namespace
