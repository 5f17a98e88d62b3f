#include "ui/inputaids.h"

#include "../windowfixture.h"
#include "storage/savedmasks.h"
#include "ui/tooltips.h"

#include <QCheckBox>
#include <QMenu>
#include <QTimer>

#include <map>

using namespace kesto;

namespace {

const QString Undefined = "Undefinierte Taste: Klicken Sie die Taste mit dem rechten "
                          "Mausbutton, um sie zu definieren.";

// The main window as the program starts it: with keys, mask menus and tooltips.
class InputAidsTest : public kesto::test::WindowTest
{
protected:
    MainWindow &start() { return WindowTest::start({}, AttachInputAids); }
    QPushButton *key(int n) { return find<QPushButton>(QString("Btn%1").arg(200 + n)); }

    // Opens the menu of \a buttonIndex, chooses \a choice and returns the entries
    // shown, "|" for a separator line.
    QStringList openMenu(int buttonIndex, const QString &choice)
    {
        QStringList shown;
        QTimer::singleShot(0, &window(), [&] {
            auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr);
            for (QAction *a : popup->actions()) {
                shown << (a->isSeparator() ? QString("|") : a->text());
                if (a->text() == choice)
                    popup->setActiveAction(a);
            }
            QTest::keyClick(popup, Qt::Key_Return);
        });
        window().BtnClick(buttonIndex);
        return shown;
    }

    std::map<QString, QString> tooltips()
    {
        std::map<QString, QString> tips;
        for (QWidget *w : window().findChildren<QWidget *>())
            tips[w->objectName()] = w->toolTip();
        return tips;
    }
};

TEST_F(InputAidsTest, KeysFillTheGridAfterTheMaskFieldAndALongTextShowsSixteenCharacters)
{
    QFile keys(MakeAppPaths().keysIni);
    ASSERT_TRUE(keys.open(QIODevice::WriteOnly));
    keys.write("[Tasten]\r\n3=[datum]-[zeit]-ab\r\n7=Tom & Jerry\r\n");
    keys.close();
    MainWindow &w = start();
    const std::pair<int, QRect> places[] = {{0, {0, 38, 133, 27}},     {1, {0, 70, 133, 27}},
                                            {4, {0, 162, 133, 27}},    {5, {138, 38, 133, 27}},
                                            {19, {414, 162, 133, 27}}, {20, {552, 38, 141, 27}},
                                            {23, {552, 132, 141, 27}}};
    for (const auto &[n, pixels] : places)
        EXPECT_EQ(key(n)->geometry(), pixels) << n;
    EXPECT_TRUE(w.keyBarArea()->isAncestorOf(key(23)));
    EXPECT_EQ(w.findChild<QWidget *>("Btn224"), nullptr);
    EXPECT_EQ(w.maskField()->nextInFocusChain(), key(0));
    EXPECT_EQ(key(23)->nextInFocusChain(), w.button(100));

    EXPECT_EQ(key(3)->text(), "[datum]-[zeit]-a...");
    EXPECT_EQ(key(7)->text(), "Tom && Jerry") << "the ampersand is shown, not an access key";
    EXPECT_EQ(key(0)->text(), "") << "a key missing in the file is undefined";
    w.maskField()->clear();
    QTest::mouseClick(key(3), Qt::LeftButton);
    EXPECT_EQ(w.maskField()->text(), "[datum]-[zeit]-ab");
}

TEST_F(InputAidsTest, AKeyInsertsOverTheSelectionOrAtTheCaretAndFocusesTheMask)
{
    struct Case
    {
        int key, selStart, selLength;
        const char *result;
        int caret;
    };
    const Case cases[] = {{0, 2, 2, "ab[name]ef", 8},   // over the selection
                          {2, 3, 0, "abc[zahl]def", 9}, // at the caret, focus elsewhere
                          {15, 1, 4, "a[]f", 2},        // "[ ]": the caret between the brackets
                          {4, 3, 0, "abcdef", 3}};      // undefined: inserts nothing
    MainWindow &w = start();
    for (const Case &c : cases) {
        w.maskField()->setFocus();
        w.maskField()->setText("abcdef");
        w.maskField()->setSelection(c.selStart, c.selLength);
        if (c.selLength == 0) {
            w.maskField()->setCursorPosition(c.selStart);
            w.button(100)->setFocus();
        }
        QTest::mouseClick(key(c.key), Qt::LeftButton);
        EXPECT_EQ(w.session().options().Maske, c.result);
        EXPECT_EQ(w.maskField()->cursorPosition(), c.caret) << c.result;
        EXPECT_FALSE(w.maskField()->hasSelectedText());
        EXPECT_EQ(QApplication::focusWidget(), w.maskField()) << c.result;
    }
}

TEST_F(InputAidsTest, ARightPressDefinesTheKeyAndTheTooltipsFollow)
{
    MainWindow &w = start();
    questions.textAnswers = {"[jahr][monat]", " ", "[dir]"};
    QTest::mousePress(key(6), Qt::RightButton);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].preset, "[tag]");
    EXPECT_EQ(key(6)->text(), "[jahr][monat]");
    EXPECT_EQ(key(6)->toolTip(), "Fügt den Text '[jahr][monat]' in die aktuelle Maske ein.");
    QFile file(w.paths().keysIni);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\r\n6=[jahr][monat]\r\n"));
    QTest::mouseRelease(key(6), Qt::RightButton);
    EXPECT_EQ(questions.asked.size(), 1) << "the release asks nothing";
    EXPECT_EQ(w.maskField()->text(), "[name].[typ]") << "a right click inserts nothing";

    QTest::mousePress(key(6), Qt::RightButton);
    EXPECT_EQ(key(6)->text(), "") << "a blank makes the key undefined";
    EXPECT_EQ(key(6)->toolTip(), Undefined);

    find<QCheckBox>("ToolTipCheck")->click();
    QTest::mousePress(key(9), Qt::RightButton);
    EXPECT_EQ(key(9)->text(), "[dir]");
    for (int n = 0; n < 24; ++n)
        EXPECT_EQ(key(n)->toolTip(), "") << n;
}

TEST_F(InputAidsTest, TheMenusListSavedMasksInCodeOrderLoadAndDeleteAfterAsking)
{
    MainWindow &w = start();
    EXPECT_EQ(openMenu(101, "&Abbrechen"), (QStringList{"|", "&Abbrechen"}));
    for (const char *name : {"b", ".Standard", "Z", "-", "a", "Tom & Jerry", "Ä"}) {
        RenameOptions o;
        o.Maske = QString("[name]-%1.[typ]").arg(name);
        questions.textAnswers = {name};
        ASSERT_TRUE(SaveMask(name[0] == '.' ? name : QString(), o, w.paths().masksIni, questions));
    }
    const QStringList listed{"|", "Tom && Jerry", "Z", "a", "b", "Ä", "|", "&Abbrechen"};
    EXPECT_EQ(openMenu(101, "Tom && Jerry"), listed);
    EXPECT_EQ(w.maskField()->text(), "[name]-Tom & Jerry.[typ]");

    questions.asked.clear();
    questions.yesNoAnswers = {false, true};
    EXPECT_EQ(openMenu(102, "b"), listed);
    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].kind, "yesno");
    EXPECT_EQ(openMenu(102, "b"), listed) << "No keeps the mask";
    QStringList left = listed;
    left.removeOne("b");
    EXPECT_EQ(openMenu(102, "&Abbrechen"), left);
    EXPECT_EQ(w.maskField()->text(), "[name]-Tom & Jerry.[typ]") << "deleting loads nothing";
}

TEST_F(InputAidsTest, TooltipsFollowTheSwitchAndItIsStored)
{
    start();
    EXPECT_EQ(find("Liste")->toolTip(), "Namen der umzubenennenden Dateien in diese Liste ziehen");
    for (const ControlTooltip &c : TooltipTable())
        EXPECT_EQ(find(c.objectName)->toolTip(), c.tooltip) << c.objectName.toStdString();
    EXPECT_EQ(key(0)->toolTip(), "Fügt den Text '[name]' in die aktuelle Maske ein.");
    EXPECT_EQ(key(4)->toolTip(), Undefined);
    for (const char *none : {"Btn4", "Maske", "ZufallsketteGROSSChk", "KeyBar"})
        EXPECT_EQ(find(none)->toolTip(), "") << none;

    const auto on = tooltips();
    find<QCheckBox>("ToolTipCheck")->click();
    EXPECT_EQ(GetSettingValue("ToolTips", "?"), "0");
    for (const auto &[name, tooltip] : tooltips())
        EXPECT_EQ(tooltip, "") << name.toStdString();
    find<QCheckBox>("ToolTipCheck")->click();
    EXPECT_EQ(tooltips(), on);
}

} // namespace
