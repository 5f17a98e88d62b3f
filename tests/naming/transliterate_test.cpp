#include "naming/transliterate.h"

#include <gtest/gtest.h>

using namespace kesto;

namespace {

TEST(Transliterate, SpellsNamesInAsciiAndKeepsWhatHasNoFormANameCanHold)
{
    const std::pair<const char16_t *, const char16_t *> rows[] = {
        {u"Grüße aus Köln.txt", u"Gruesse aus Koeln.txt"},
        {u"ÄRGER Ärger Ä MAß GRÜßE Maß", u"AERGER Aerger AE MASS GRUESSE Mass"},
        {u"Øre_é-Łódź 2ǅ", u"Ore_e-Lodz 2Dz"},
        {u"Москва Αθήνα", u"Moskva Athena"},
        {u"😀 ½ a⁄b.txt", u"😀 ½ a⁄b.txt"}, // no form, or " 1/2" and "/"
        {u"\u094D.txt", u"\u094D.txt"},   // a virama alone would leave ".txt"
    };
    for (const auto &[name, ascii] : rows)
        EXPECT_EQ(TransliterateToAscii(QString::fromUtf16(name)), QString::fromUtf16(ascii));
}

} // namespace
