#include "storage/ini.h"
#include "storage/savedmasks.h"

#include "storagetest.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray DefaultsAsStandard =
    "[.Standard]\r\n"
    "Maske=[name].[typ]\r\nStart=1\r\nStep=1\r\n"
    "Digits=0\r\nLeadZeros=0\r\nLetterCase=0\r\n"
    "SearchAktiv=0\r\nSearch=\r\nReplace=\r\nSearchInNeu=0\r\n"
    "SearchAktiv1=0\r\nSearch1=\r\nReplace1=\r\nSearchInNeu1=0\r\n"
    "SearchAktiv2=0\r\nSearch2=\r\nReplace2=\r\nSearchInNeu2=0\r\n"
    "ZufallGross=0\r\nZufallKlein=0\r\nZufallZahl=0\r\n"
    "ZufallExtra=0\r\nZufallExtraChars=\r\n";

// Options in which every one of the 23 fields differs from its default.
RenameOptions unusualOptions()
{
    RenameOptions o;
    o.Maske = u"[name] = [Ä]ß [zahl]"_s;
    o.Start = " 7";
    o.Step = "-2 ";
    o.Digits = 3;
    o.LeadZeros = -1;
    o.LetterCase = 5;
    o.Sets[0] = {Checked, " ", "_", Unchecked};
    o.Sets[1] = {Undetermined, "a=b", "[x]", Checked};
    o.Sets[2] = {Checked, u"Ärger "_s, u"\"ö\""_s, Undetermined};
    o.ZufallGross = Checked;
    o.ZufallKlein = Undetermined;
    o.ZufallZahl = Checked;
    o.ZufallExtra = Checked;
    o.ZufallExtraChars = "=[]; ";
    return o;
}

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
    RenameOptions load(const QString &name)
    {
        RenameOptions o = unusualOptions();
        LoadMask(name, o, file);
        return o;
    }
};

TEST_F(SavedMasks, AFirstStartWithoutFileLoadsTheDefaults)
{
    EXPECT_EQ(load(".Standard"), RenameOptions());
    EXPECT_EQ(RenameOptions().Maske, "[name].[typ]");
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(SavedMasks, ShutdownStoresTheOptionsAsStandardWithoutAskingInTheKeyOrder)
{
    EXPECT_TRUE(SaveMask(".Standard", RenameOptions(), file, questions));
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(bytes(), DefaultsAsStandard);
    EXPECT_TRUE(SaveMask("any other name", RenameOptions(), file, questions));
    EXPECT_EQ(bytes(), DefaultsAsStandard) << "the same section, replaced in place";
}

TEST_F(SavedMasks, AllTwentyThreeKeysRoundTripUnderUnusualNames)
{
    const QString names[] = {
        "Urlaub 2024", u"Äpfel & Öl – ß"_s, " blanks around ", "a=b", "[x]", "[", "a]b", ";note"};
    RenameOptions o = unusualOptions();
    for (const QString &name : names) {
        o.Maske = name + " [zahl]";
        ASSERT_TRUE(saveAs(name, o)) << name.toStdString();
    }
    EXPECT_EQ(SavedMaskNames(file), QStringList(std::begin(names), std::end(names)));
    for (const QString &name : names) {
        RenameOptions loaded;
        LoadMask(name, loaded, file);
        o.Maske = name + " [zahl]";
        EXPECT_EQ(loaded, o) << name.toStdString();
    }
}

TEST_F(SavedMasks, TheNameDialogAsksWithItsTextsAndCancellingWritesNothing)
{
    EXPECT_FALSE(SaveMask(QString(), RenameOptions(), file, questions));
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].kind, "text");
    EXPECT_EQ(questions.asked[0].text, u"Bitte geben Sie einen möglichst bezeichnenden Namen "
                                       u"für die zu speichernde Maske ein:"_s);
    EXPECT_EQ(questions.asked[0].title, "Kesto - Aktuelle Maske speichern");
    EXPECT_EQ(questions.asked[0].preset, "");
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(SavedMasks, AnExistingNameIsReplacedOnlyAfterYesAndFoundWithoutRegardToLetterCase)
{
    RenameOptions first;
    first.Maske = "first";
    ASSERT_TRUE(saveAs("Urlaub", first));
    const QByteArray before = bytes();
    questions.asked.clear();

    RenameOptions second;
    second.Maske = "second";
    EXPECT_FALSE(saveAs("urlaub", second, false));
    ASSERT_EQ(questions.asked.size(), 2);
    EXPECT_EQ(questions.asked[1].kind, "yesno");
    EXPECT_EQ(questions.asked[1].text, u"Eine Maske mit dem Namen 'urlaub' existiert bereits.\r\n"
                                       u"Möchten Sie diese Maske überschreiben?"_s);
    EXPECT_EQ(questions.asked[1].title, "Kesto - Aktuelle Maske speichern");
    EXPECT_EQ(bytes(), before);

    EXPECT_TRUE(saveAs("urlaub", second, true));
    EXPECT_EQ(SavedMaskNames(file), QStringList{"Urlaub"});
    EXPECT_EQ(load("Urlaub").Maske, "second");
}

TEST_F(SavedMasks, ANameThatIsOnlyThePrefixOfAStoredOneIsNotAsked)
{
    ASSERT_TRUE(saveAs("Urlaub", RenameOptions()));
    questions.asked.clear();
    EXPECT_TRUE(saveAs("Urlau", RenameOptions()));
    EXPECT_EQ(questions.asked.size(), 1) << "only the name was asked";
    EXPECT_EQ(SavedMaskNames(file), (QStringList{"Urlaub", "Urlau"}));
}

TEST_F(SavedMasks, SavingAsStandardThroughTheDialogAsksOnceTheProgramWasClosed)
{
    ASSERT_TRUE(SaveMask(".Standard", RenameOptions(), file, questions));
    RenameOptions o;
    o.Maske = "[zahl]";
    EXPECT_TRUE(saveAs(".Standard", o, true));
    ASSERT_EQ(questions.asked.size(), 2);
    EXPECT_EQ(load(".Standard").Maske, "[zahl]");
}

struct StoredValueCase
{
    const char *stored;
    int expected;
};

TEST(StoredCheckStates, TakeTheRoundedNumberTheValueBeginsWith)
{
    // -1: no check state, the check box keeps its value.
    const StoredValueCase cases[] = {
        {"0", 0},
        {"1", 1},
        {"2", 2},
        {"", 0},
        {"abc", 0},
        {" 1", 1},
        {"1abc", 1},
        {"1.6", 2},
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {".6", 1},
        {"1.", 1},
        {"-0.4", 0},
        {"+1", 1},
        {"1e0", 1},
        {"2E-1", 0},
        {"1e", 1},
        {"3", -1},
        {"-1", -1},
        {"2.6", -1},
        {"1e400", -1},
        {"99999999999999999999", -1},
        {"-", 0},
        {"\t2x", 2},
    };
    for (const StoredValueCase &c : cases)
        EXPECT_EQ(StoredCheckState(c.stored), c.expected) << c.stored;
}

TEST_F(SavedMasks, AStoredValueNoControlCouldShowLeavesItsFieldAsItWas)
{
    // The field holds 7 before loading; 7 after it means the value was not taken.
    const StoredValueCase positions[] = {
        {"-1", -1}, {"0", 0}, {"11", 11}, {" 3 ", 3},   {"12", 7}, {"-2", 7},
        {"abc", 7}, {"", 7},  {"1.5", 7}, {"40000", 7}, {"3x", 7},
    };
    for (const StoredValueCase &c : positions) {
        dir.write("Kesto-Masken.INI", QByteArray("[m]\r\nDigits=") + c.stored + "\r\n");
        RenameOptions o;
        o.Digits = 7;
        LoadMask("m", o, file);
        EXPECT_EQ(o.Digits, c.expected) << c.stored;
    }

    dir.write("Kesto-Masken.INI", "[m]\r\nLeadZeros=4\r\nLetterCase=5\r\nSearchAktiv1=7\r\n"
                                  "SearchInNeu2=1\r\nZufallGross=-1\r\nZufallExtra=2\r\n");
    RenameOptions o = unusualOptions();
    LoadMask("m", o, file);
    EXPECT_EQ(o.LeadZeros, -1) << "4 is beyond the four entries";
    EXPECT_EQ(o.LetterCase, 5);
    EXPECT_EQ(o.Sets[1].Active, Undetermined) << "7 is no check state";
    EXPECT_EQ(o.Sets[2].InNewName, Checked);
    EXPECT_EQ(o.ZufallGross, Checked) << "-1 is no check state";
    EXPECT_EQ(o.ZufallExtra, Undetermined);
    EXPECT_EQ(o.Sets[0].Active, Unchecked) << "a missing key is read as 0";
}

TEST_F(SavedMasks, ListSizesDecideWhichPositionsFit)
{
    dir.write("Kesto-Masken.INI", "[m]\r\nDigits=12\r\nLeadZeros=2\r\nLetterCase=2\r\n");
    RenameOptions o;
    LoadMask("m", o, file, OptionListSizes{13, 2, 3});
    EXPECT_EQ(o.Digits, 12);
    EXPECT_EQ(o.LeadZeros, 0);
    EXPECT_EQ(o.LetterCase, 2);
}

TEST_F(SavedMasks, DeletingAsksAndRemovesOnlyThatSection)
{
    ASSERT_TRUE(SaveMask(".Standard", RenameOptions(), file, questions));
    ASSERT_TRUE(saveAs("Urlaub", unusualOptions()));
    const QByteArray withUrlaub = bytes();
    questions.asked.clear();

    questions.yesNoAnswers = {false};
    EXPECT_FALSE(DeleteMask("Urlaub", file, questions));
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].kind, "yesno");
    EXPECT_EQ(questions.asked[0].text, u"Wollen Sie die Maske 'Urlaub' wirklich löschen?"_s);
    EXPECT_EQ(questions.asked[0].title, u"Kesto - Maske löschen"_s);
    EXPECT_EQ(bytes(), withUrlaub);

    questions.yesNoAnswers = {true};
    EXPECT_TRUE(DeleteMask("Urlaub", file, questions));
    EXPECT_EQ(bytes(), DefaultsAsStandard + "\r\n") << "the blank line before it stays";
    EXPECT_EQ(SavedMaskNames(file), QStringList{".Standard"});
}

TEST_F(SavedMasks, DeletingFromAMissingFileDoesNothing)
{
    questions.yesNoAnswers = {true};
    EXPECT_FALSE(DeleteMask("Urlaub", file, questions));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(SavedMaskNames(file).isEmpty());
}

} // namespace
