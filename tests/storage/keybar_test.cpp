#include "storage/keybar.h"

#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray DefaultKeysFile = "[Tasten]\r\n"
                                   "0=[name]\r\n1=[typ]\r\n2=[zahl]\r\n3=[datum]\r\n4=\r\n"
                                   "5=[zeit]\r\n6=[tag]\r\n7=[monat]\r\n8=[jahr]\r\n9=\r\n"
                                   "10=[stunde]\r\n11=[minute]\r\n12=[sekunde]\r\n13=[dir]\r\n"
                                   "14=\r\n15=[ ]\r\n16=\r\n17=\r\n18=\r\n19=\r\n20=\r\n21=\r\n"
                                   "22=\r\n23=\r\n";

QString texts(const KeyBar &bar)
{
    QStringList list;
    for (int n = 0; n < KeyBar::KeyCount; ++n)
        list << bar.text(n);
    return list.join(u'|');
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

TEST_F(Keys, TheKeysFileStartsWithTheDefaultsTakesDefinedKeysAndIsReadWithOldNamesReplaced)
{
    bar.InitKeyBar(file);
    EXPECT_EQ(bytes(), DefaultKeysFile);

    questions.textAnswers = {"", "[name]-[zahl] mit Überlänge", "   "};
    EXPECT_FALSE(bar.DefineKey(0, questions, file)) << "an empty answer changes nothing";
    EXPECT_EQ(bytes(), DefaultKeysFile);
    const auto &q = questions.asked.value(0);
    EXPECT_EQ(QStringList({q.kind, q.title, q.text, q.preset}).join(u'|'),
              u"text|Kesto - Tastenbelegung ändern|Bitte geben Sie an, wie die ausgewählte Taste "
              u"belegt werden soll (Um die Belegung zu löschen geben Sie einfach nur ein "
              u"Leerzeichen ein).|[name]"_s);
    EXPECT_TRUE(bar.DefineKey(4, questions, file));
    // Blanks only make the key undefined and write it empty.
    EXPECT_TRUE(bar.DefineKey(0, questions, file));
    EXPECT_EQ(bar.text(0) + u'|' + bar.text(4), u"|[name]-[zahl] mit Überlänge"_s);
    QByteArray expected = DefaultKeysFile;
    expected.replace("0=[name]", "0=")
        .replace("\r\n4=\r\n", "\r\n4=[name]-[zahl] mit \xC3\x9C"
                               "berl\xC3\xA4nge\r\n");
    EXPECT_EQ(bytes(), expected);
    EXPECT_FALSE(bar.DefineKey(24, questions, file)) << "no such key";
    EXPECT_EQ(questions.asked.size(), 3);

    // Old abbreviations are replaced on loading but stay in the file; keys missing or
    // empty in the file are undefined.
    const QByteArray file1252 = "[Tasten]\r\n0=[h]\r\n1=[M]\r\n2=[s]\r\n3=[rDatum]\r\n"
                                "4=[H] \r\n5=x[M]\r\n6=[SEKUNDE]\r\n7=\xC4[S]\r\n9=\r\n";
    dir.write("Kesto-Tasten.INI", file1252);
    bar.InitKeyBar(file);
    EXPECT_EQ(texts(bar), u"[stunde]|[minute]|[sekunde]|[tag]-[monat]-[jahr]|[H] |x[M]|"
                          u"[SEKUNDE]|Ä[S]||||||||||||||||"_s);
    EXPECT_EQ(bytes(), file1252);

    // A file without the keys (one a full disk left empty, say) starts anew with the
    // defaults, keeping what it held; a folder in its place gets them only for this run.
    dir.write("Kesto-Tasten.INI", "; note\r\n");
    bar.SetKey(0, "x");
    bar.InitKeyBar(file);
    EXPECT_EQ(texts(bar), texts(KeyBar()));
    EXPECT_EQ(bytes(), "; note\r\n\r\n" + DefaultKeysFile);
    bar.SetKey(0, "x");
    bar.InitKeyBar(dir.mkdir("folder"));
    EXPECT_EQ(texts(bar), texts(KeyBar()));
}

TEST_F(Keys, CaptionsTooltipsAndInsertionsFollowTheText)
{
    const QString sixteen = u"\U0001F600123456789abcdef"_s; // 17 UTF-16 units
    EXPECT_EQ(KeyBar::captionFor(sixteen), sixteen);
    EXPECT_EQ(KeyBar::captionFor(sixteen + u"g"_s), sixteen + u"..."_s);

    bar.SetKey(0, "[tag]");
    bar.SetKey(2, "   ");
    EXPECT_EQ(bar.tooltip(0, true), u"Fügt den Text '[tag]' in die aktuelle Maske ein."_s);
    EXPECT_EQ(bar.tooltip(0, false), "");
    const QString undefined = u"Undefinierte Taste: Klicken Sie die Taste mit dem rechten "
                              u"Mausbutton, um sie zu definieren."_s;
    EXPECT_EQ(bar.tooltip(4, true) + bar.tooltip(2, true), undefined + undefined);

    // The "[ ]" key inserts empty brackets with the caret between them.
    const auto insertion = [&](int n) {
        return bar.insertion(n).text + u'|' + QString::number(bar.insertion(n).caretCorrection);
    };
    EXPECT_EQ(insertion(15) + u' ' + insertion(0) + u' ' + insertion(4), u"[]|-1 [tag]|0 |0"_s);
}

} // namespace
