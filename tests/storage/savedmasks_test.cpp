#include "storage/savedmasks.h"

#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray DefaultsAsStandard =
    "[.Standard]\r\n"
    "Maske=[name].[typ]\r\nStart=1\r\nStep=1\r\nDigits=0\r\nLeadZeros=0\r\nLetterCase=0\r\n"
    "SearchAktiv=0\r\nSearch=\r\nReplace=\r\nSearchInNeu=0\r\nSearchRegEx=0\r\n"
    "SearchMatchCase=0\r\n"
    "SearchAktiv1=0\r\nSearch1=\r\nReplace1=\r\nSearchInNeu1=0\r\nSearchRegEx1=0\r\n"
    "SearchMatchCase1=0\r\n"
    "SearchAktiv2=0\r\nSearch2=\r\nReplace2=\r\nSearchInNeu2=0\r\nSearchRegEx2=0\r\n"
    "SearchMatchCase2=0\r\n"
    "ZufallGross=0\r\nZufallKlein=0\r\nZufallZahl=0\r\nZufallExtra=0\r\nZufallExtraChars=\r\n"
    "Umschreiben=0\r\nZaehlerJeOrdner=0\r\nBegleitdateien=0\r\n";

// Options in which every stored field differs from its default.
const std::array<SearchReplaceSet, 3> UnusualSets{
    {{Checked, " ", "_", Unchecked, Checked, Undetermined},
     {Undetermined, "a=b", "[x]", Checked, Undetermined, Checked},
     {Checked, u"Ärger "_s, u"\"ö\" \U0001F600"_s, Undetermined, Checked, Checked}}};
const RenameOptions Unusual(u"[name] = [Ä]ß [zahl]"_s, " 7", "-2 ", 3, -1, 5, UnusualSets, Checked,
                            Undetermined, Checked, Checked, "'=[]; #\t'", Checked, Undetermined,
                            Checked, QString(), Checked);

class SavedMasks : public ::testing::Test
{
protected:
    test::TempFolder dir;
    QString file = dir.file("Kesto-Masken.INI");
    test::ScriptedQuestions questions;

    QByteArray bytes() const { return dir.read("Kesto-Masken.INI"); }
    bool saveAs(const QString &name, const RenameOptions &o, bool overwrite = false)
    {
        questions.textAnswers = {name};
        questions.yesNoAnswers = {overwrite};
        return SaveMask(QString(), o, file, questions);
    }
    // The questions asked, each as kind|title|text|preset.
    QStringList asked() const
    {
        QStringList list;
        for (const test::ScriptedQuestions::Asked &q : questions.asked)
            list << QStringList{q.kind, q.title, q.text, q.preset}.join(u'|');
        return list;
    }
    RenameOptions load(const QString &name, const OptionListSizes &sizes = {})
    {
        RenameOptions o = Unusual;
        LoadMask(name, o, file, sizes);
        return o;
    }
};

TEST_F(SavedMasks, EveryKeyRoundTripsUnderUnusualNames)
{
    const QStringList names = {
        "Urlaub 2024", u"Äpfel & Öl – ß"_s, " blanks around ", "a=b", "[x]", "[", "a]b", ";note"};
    RenameOptions o = Unusual;
    for (const QString &name : names) {
        o.mask = name + " [zahl]";
        ASSERT_TRUE(saveAs(name, o)) << name.toStdString();
    }
    EXPECT_EQ(SavedMaskNames(file), names);
    for (const QString &name : names) {
        o.mask = name + " [zahl]";
        EXPECT_EQ(load(name), o) << name.toStdString();
    }
}

TEST_F(SavedMasks, SavingAsksForTheNameAndBeforeReplacingAMaskOfThatNameAndDeletingAsksToo)
{
    EXPECT_EQ(load(".Standard"), RenameOptions()) << "a first start gets the defaults";
    // At shutdown the options are stored as ".Standard" without a question.
    ASSERT_TRUE(SaveMask("any other name", RenameOptions(), file, questions));
    EXPECT_EQ(bytes(), DefaultsAsStandard);
    EXPECT_FALSE(saveAs(QString(), Unusual));
    EXPECT_EQ(bytes(), DefaultsAsStandard) << "cancelling writes nothing";

    ASSERT_TRUE(saveAs("Urlaub", Unusual));
    EXPECT_TRUE(saveAs("Urlau", Unusual)) << "a prefix of a stored name is another name";
    // The file finds sections without regard to letter case, so the question does too.
    EXPECT_FALSE(saveAs("urlaub", RenameOptions(), false));
    EXPECT_EQ(load("Urlaub"), Unusual);
    EXPECT_TRUE(saveAs("urlaub", RenameOptions(), true));
    EXPECT_EQ(load("Urlaub"), RenameOptions()) << "a stored numbering is switched off";
    questions.yesNoAnswers = {false, true};
    EXPECT_FALSE(DeleteMask("Urlau", file, questions));
    EXPECT_TRUE(DeleteMask("Urlau", file, questions)) << "No kept the mask";
    EXPECT_EQ(SavedMaskNames(file), (QStringList{".Standard", "Urlaub"}));

    const QString named = u"text|Kesto - Aktuelle Maske speichern|Bitte geben Sie einen möglichst "
                          u"bezeichnenden Namen für die zu speichernde Maske ein:|"_s;
    const QString exists =
        u"yesno|Kesto - Aktuelle Maske speichern|Eine Maske mit dem Namen "
        u"'urlaub' existiert bereits.\r\nMöchten Sie diese Maske überschreiben?|"_s;
    const QString remove =
        u"yesno|Kesto - Maske löschen|Wollen Sie die Maske 'Urlau' wirklich löschen?|"_s;
    EXPECT_EQ(asked(),
              QStringList({named, named, named, named, exists, named, exists, remove, remove}));
}

TEST_F(SavedMasks, AStoredValueNoControlCouldShowLeavesItsFieldAsItWasAndAMissingOneIsDefault)
{
    // The stored texts that give each state; -1: none, the check box keeps its value.
    const std::pair<int, QStringList> rows[] = {
        {0, {"0", "", "abc", "0.5", "-0.4", "2E-1", "-"}},
        {1, {"1", " 1", "1abc", ".6", "1.", "+1", "1e0", "1e"}},
        {2, {"2", "1.6", "1.5", "2.5", "\t2x"}},
        {-1, {"3", "-1", "2.6", "1e400", "99999999999999999999"}}};
    for (const auto &[state, texts] : rows) {
        for (const QString &text : texts)
            EXPECT_EQ(StoredCheckState(text), state) << text.toStdString();
    }
    // Digits holds 3 before loading; 3 after it means the value was not taken.
    const std::pair<const char *, int> positions[] = {
        {"-1", -1}, {"0", 0}, {"11", 11}, {" 4 ", 4},   {"12", 3}, {"-2", 3},
        {"abc", 3}, {"", 3},  {"1.5", 3}, {"40000", 3}, {"3x", 3}};
    for (const auto &[stored, digits] : positions) {
        dir.write("Kesto-Masken.INI", QByteArray("[m]\r\nDigits=") + stored + "\r\n");
        EXPECT_EQ(load("m").digitCount, digits) << stored;
    }
    dir.write("Kesto-Masken.INI",
              "[m]\r\nLeadZeros=4\r\nLetterCase=3\r\nSearchAktiv1=7\r\nZufallGross=-1\r\n");
    RenameOptions expected;
    expected.leadChar = Unusual.leadChar;             // 4 is beyond the four entries
    expected.letterCase = Unusual.letterCase;         // 3 is beyond a list of three
    expected.sets[1].active = Unusual.sets[1].active; // 7 is no check state
    expected.randomUpper = Unusual.randomUpper;       // nor is -1
    EXPECT_EQ(load("m", OptionListSizes{12, 4, 3}), expected);
}

} // namespace
