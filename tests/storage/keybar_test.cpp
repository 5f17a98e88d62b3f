#include "storage/keybar.h"

#include "storagetest.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray DefaultKeysFile = "[Tasten]\r\n"
                                   "0=[name]\r\n1=[typ]\r\n2=[zahl]\r\n3=[datum]\r\n4=\r\n"
                                   "5=[zeit]\r\n6=[tag]\r\n7=[monat]\r\n8=[jahr]\r\n9=\r\n"
                                   "10=[stunde]\r\n11=[minute]\r\n12=[sekunde]\r\n13=[dir]\r\n"
                                   "14=\r\n15=[ ]\r\n16=\r\n17=\r\n18=\r\n19=\r\n20=\r\n21=\r\n"
                                   "22=\r\n23=\r\n";

QStringList texts(const KeyBar &bar)
{
    QStringList list;
    for (int n = 0; n < KeyBar::KeyCount; ++n)
        list << bar.text(n);
    return list;
}

class Keys : public ::testing::Test
{
protected:
    test::TempFolder dir;
    QString file = dir.file("Kesto-Tasten.INI");
    test::ScriptedQuestions questions;
    KeyBar bar;
    QByteArray bytes() const { return dir.read("Kesto-Tasten.INI"); }
};

TEST_F(Keys, AFirstStartWritesTheDefaultsIntoANewKeysFile)
{
    QSignalSpy changed(&bar, &KeyBar::keyChanged);
    bar.InitKeyBar(file);
    EXPECT_EQ(bytes(), DefaultKeysFile);
    EXPECT_EQ(changed.count(), KeyBar::KeyCount);

    KeyBar loaded;
    for (int n = 0; n < KeyBar::KeyCount; ++n)
        loaded.SetKey(n, "stale");
    loaded.InitKeyBar(file);
    EXPECT_EQ(texts(loaded), texts(bar));
    EXPECT_EQ(loaded.text(0), "[name]");
    EXPECT_EQ(loaded.text(4), "");
    EXPECT_EQ(loaded.text(15), "[ ]");
    EXPECT_EQ(bytes(), DefaultKeysFile) << "loading writes nothing";
}

TEST_F(Keys, KeysMissingOrEmptyInTheFileAreUndefined)
{
    dir.write("Kesto-Tasten.INI", "[Tasten]\r\n3=x\r\n0=\r\n");
    bar.InitKeyBar(file);
    QStringList expected(KeyBar::KeyCount, QString());
    expected[3] = "x";
    EXPECT_EQ(texts(bar), expected);
}

TEST_F(Keys, OldAbbreviationsAreReplacedOnLoadingButNotInTheFile)
{
    const QByteArray file1252 = "[Tasten]\r\n0=[h]\r\n1=[M]\r\n2=[s]\r\n3=[rDatum]\r\n"
                                "4=[H] \r\n5=x[M]\r\n6=[SEKUNDE]\r\n7=\xC4[S]\r\n";
    dir.write("Kesto-Tasten.INI", file1252);
    bar.InitKeyBar(file);
    EXPECT_EQ(bar.text(0), "[stunde]");
    EXPECT_EQ(bar.text(1), "[minute]");
    EXPECT_EQ(bar.text(2), "[sekunde]");
    EXPECT_EQ(bar.text(3), "[tag]-[monat]-[jahr]");
    EXPECT_EQ(bar.text(4), "[H] ") << "only the whole text counts";
    EXPECT_EQ(bar.text(5), "x[M]");
    EXPECT_EQ(bar.text(6), "[SEKUNDE]");
    EXPECT_EQ(bar.text(7), u"Ä[S]"_s);
    EXPECT_EQ(bytes(), file1252);
}

TEST_F(Keys, WithoutAWritableDataFolderTheDefaultsStillHold)
{
    KeyBar other;
    other.InitKeyBar(dir.file("missing/Kesto-Tasten.INI"));
    EXPECT_EQ(other.text(0), "[name]");
    EXPECT_EQ(other.text(13), "[dir]");
}

TEST(KeyCaptions, ShowSixteenCharactersAndThreeDots)
{
    const std::pair<QString, QString> cases[] = {
        {"", ""},
        {"[name]", "[name]"},
        {"0123456789abcdef", "0123456789abcdef"},
        {"0123456789abcdefg", "0123456789abcdef..."},
        {"[tag]-[monat]-[jahr]", "[tag]-[monat]-[j..."},
        {u"ÄÖÜäöüßÄÖÜäöüßÄÖ"_s, u"ÄÖÜäöüßÄÖÜäöüßÄÖ"_s},
        {u"\U0001F600123456789abcdef"_s, u"\U0001F600123456789abcdef"_s},
        {u"\U0001F600123456789abcdefg"_s, u"\U0001F600123456789abcdef..."_s},
    };
    for (const auto &[text, caption] : cases)
        EXPECT_EQ(KeyBar::captionFor(text), caption) << text.toStdString();
}

TEST_F(Keys, DefiningAKeyAsksWithItsCurrentTextAndStoresTheAnswer)
{
    bar.InitKeyBar(file);
    QSignalSpy changed(&bar, &KeyBar::keyChanged);
    questions.textAnswers = {"[name]-[zahl] mit Überlänge"};
    EXPECT_TRUE(bar.DefineKey(4, questions, file));
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].kind, "text");
    EXPECT_EQ(questions.asked[0].text,
              "Bitte geben Sie an, wie die ausgewählte Taste belegt werden soll (Um die Belegung "
              "zu löschen geben Sie einfach nur ein Leerzeichen ein).");
    EXPECT_EQ(questions.asked[0].title, u"Kesto - Tastenbelegung ändern"_s);
    EXPECT_EQ(questions.asked[0].preset, "");
    EXPECT_EQ(bar.text(4), u"[name]-[zahl] mit Überlänge"_s);
    EXPECT_EQ(bar.caption(4), "[name]-[zahl] mi...");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 4);
    QByteArray expected = DefaultKeysFile;
    expected.replace("\r\n4=\r\n", "\r\n4=[name]-[zahl] mit \xC3\x9C"
                                   "berl\xC3\xA4nge\r\n");
    EXPECT_EQ(bytes(), expected);

    KeyBar reloaded;
    reloaded.InitKeyBar(file);
    EXPECT_EQ(reloaded.text(4), bar.text(4));
}

TEST_F(Keys, AnEmptyAnswerChangesNothing)
{
    bar.InitKeyBar(file);
    QSignalSpy changed(&bar, &KeyBar::keyChanged);
    EXPECT_FALSE(bar.DefineKey(0, questions, file));
    EXPECT_EQ(questions.asked.at(0).preset, "[name]");
    EXPECT_EQ(bar.text(0), "[name]");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(bytes(), DefaultKeysFile);
}

TEST_F(Keys, AnAnswerOfBlanksOnlyMakesTheKeyUndefinedAndWritesItEmpty)
{
    bar.InitKeyBar(file);
    questions.textAnswers = {"   "};
    EXPECT_TRUE(bar.DefineKey(0, questions, file));
    EXPECT_EQ(bar.text(0), "");
    QByteArray expected = DefaultKeysFile;
    expected.replace("0=[name]", "0=");
    EXPECT_EQ(bytes(), expected);
    EXPECT_EQ(bar.tooltip(0, true), "Undefinierte Taste: Klicken Sie die Taste mit dem rechten "
                                    "Mausbutton, um sie zu definieren.");
}

TEST_F(Keys, TooltipsNameTheTextOrAskForADefinitionAndAreEmptyWhenSwitchedOff)
{
    bar.SetKey(0, "[tag]");
    bar.SetKey(1, "");
    bar.SetKey(2, "   ");
    bar.SetKey(3, " x ");
    EXPECT_EQ(bar.tooltip(0, true), u"Fügt den Text '[tag]' in die aktuelle Maske ein."_s);
    EXPECT_EQ(bar.tooltip(3, true), u"Fügt den Text ' x ' in die aktuelle Maske ein."_s);
    const QString undefined = "Undefinierte Taste: Klicken Sie die Taste mit dem rechten "
                              "Mausbutton, um sie zu definieren.";
    EXPECT_EQ(bar.tooltip(1, true), undefined);
    EXPECT_EQ(bar.tooltip(2, true), undefined);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(bar.tooltip(n, false), "");
}

TEST_F(Keys, TheBlankBracketKeyInsertsEmptyBracketsWithTheCaretBetween)
{
    bar.SetKey(1, "[name]");
    bar.SetKey(2, "");
    const KeyBar::Insertion brackets = bar.insertion(15);
    EXPECT_EQ(brackets.text, "[]");
    EXPECT_EQ(brackets.caretCorrection, -1);
    EXPECT_EQ(bar.insertion(1).text, "[name]");
    EXPECT_EQ(bar.insertion(1).caretCorrection, 0);
    EXPECT_EQ(bar.insertion(2).text, "");
}

TEST_F(Keys, KeyNumbersOutsideTheBarAreIgnored)
{
    QSignalSpy changed(&bar, &KeyBar::keyChanged);
    bar.SetKey(24, "x");
    bar.SetKey(-1, "x");
    EXPECT_EQ(bar.text(24), "");
    EXPECT_EQ(bar.text(-1), "");
    EXPECT_FALSE(bar.DefineKey(24, questions, file));
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(changed.count(), 0);
}

} // namespace
