#include "naming/replacesets.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::StringLiterals;

namespace {

// What one set in the old name makes of \a name: the name, or the error.
QString run(const SearchReplaceSet &set, const QString &name)
{
    const ReplaceSets sets({SearchReplaceSet{}, set, SearchReplaceSet{}});
    QString text = name;
    const int failed = sets.apply(text, false);
    return !sets.error().isEmpty() ? sets.error() : failed >= 0 ? u"broken off"_s : text;
}

TEST(ReplaceSets, ExpressionsReplaceEveryMatchWithGroupsAndCaseChanges)
{
    const struct
    {
        const char *search, *replace, *name, *expected;
        int matchCase = Unchecked;
        int regex = Checked;
    } rows[] = {
        {"(\\d+)_(\\w+)", "$2-$1", "0042_Urlaub", "Urlaub-0042"},
        {"(?<=IMG_)0+", "", "img_0007 IMG_0100", "img_7 IMG_100"},
        {"(?<=IMG_)0+", "", "img_0007 IMG_0100", "img_0007 IMG_100", Checked},
        {"^(\\w)(\\w*)", "\\U$1\\E$2 \\L$0", "über Öl", "Über über Öl"},
        {"(?<=t).+", "\\U$0", "straße", "stRAßE"}, // no "SS": one character for one
        {"(?<jahr>\\d{4})-(?<monat>\\d\\d)", "${monat}.${jahr}", "2024-05", "05.2024"},
        {"(a)", "$10 ${1}0 $$1 $ \\\\ \\x", "a", "a0 a0 $1 $ \\ \\x"},
        {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "$11-$10-$12", "abcdefghijk", "k-j-a2"},
        {"(x)|(y)", "[$2]", "xy", "[][y]"},
        {"\\p{Lu}\\w*", "_", "Äpfel und Öl", "_ und _", Checked},
        {"x*", "-", "a\U0001F600b", "-a-\U0001F600-b-"}, // a surrogate pair is one character
        {"IMG", "Bild", "IMG img", "Bild Bild", Unchecked, Unchecked},
        {"IMG", "Bild", "IMG img", "Bild img", Checked, Unchecked},
        {"(a)", "$1", "(a)", "$1", Unchecked, Unchecked}, // plain text stays plain
        {"gru\u0308n", "gruen", "Grün", "gruen"},         // typed decomposed, the name composed
    };
    for (const auto &r : rows) {
        const SearchReplaceSet set{Checked,
                                   QString::fromUtf8(r.search),
                                   QString::fromUtf8(r.replace),
                                   Unchecked,
                                   r.regex,
                                   r.matchCase};
        EXPECT_EQ(run(set, QString::fromUtf8(r.name)), QString::fromUtf8(r.expected)) << r.search;
    }
}

TEST(ReplaceSets, AFaultySetIsNamedWithItsReasonAndARunawayMatchIsBrokenOff)
{
    const std::pair<const char *, const char *> rows[] = {
        {"(\\d+|$1", "Fehler: Satz 2: Der reguläre Ausdruck ist an Stelle 5 fehlerhaft: "
                     "missing closing parenthesis."},
        {"(\\d+)|$2", "Fehler: Satz 2: Die Gruppe $2 im Ersatz gibt es im Ausdruck nicht."},
        {"(?<n>\\d+)|${m}", "Fehler: Satz 2: Die Gruppe ${m} im Ersatz gibt es im Ausdruck nicht."},
        {"(\\d+)|${}", "Fehler: Satz 2: Die Gruppe ${} im Ersatz gibt es im Ausdruck nicht."},
        {"(\\d+)|${1", "Fehler: Satz 2: Im Ersatz fehlt die schließende Klammer nach ${."},
    };
    for (const auto &[fields, error] : rows) {
        const QStringList f = QString::fromUtf8(fields).split(u'|');
        EXPECT_EQ(run({Checked, f[0], f[1], Unchecked, Checked}, u"1"_s), QString::fromUtf8(error));
    }
    // A set that is off or has no search text is not read at all.
    EXPECT_EQ(run({Unchecked, u"("_s, u"$9"_s, Unchecked, Checked}, u"a"_s), u"a"_s);
    EXPECT_EQ(run({Checked, QString(), u"$9"_s, Unchecked, Checked}, u"a"_s), u"a"_s);
    // Catastrophic backtracking meets PCRE2's match limit.
    EXPECT_EQ(run({Checked, u"(a+)+$"_s, u"x"_s, Unchecked, Checked}, QString(250, u'a') + u'b'),
              u"broken off"_s);
}

} // namespace
