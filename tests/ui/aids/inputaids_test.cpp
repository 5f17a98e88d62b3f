#include "ui/inputaids.h"

#include "storage/textfile.h"

#include "../windowfixture.h"
#include "ui/maskmenu.h"
#include "ui/tooltips.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QTabBar>

#include <map>

using namespace kesto;

namespace {

// The main window as the program starts it: with keys, mask menus and tooltips.
class InputAidsTest : public kesto::test::WindowTest
{
protected:
    MainWindow &start() { return WindowTest::start({}, AttachInputAids); }
    QPushButton *key(int n) { return find<QPushButton>(QString("Btn%1").arg(200 + n)); }

    // Opens the menu of \a buttonIndex, chooses \a choice and returns the entries
    // shown, "|" for a separator line, "-" before one that cannot be chosen.
    QStringList openMenu(int buttonIndex, const QString &choice)
    {
        return test::chooseFromMenu([&] { window().runCommand(Command(buttonIndex)); }, choice);
    }
    std::map<QString, QString> tooltips()
    {
        std::map<QString, QString> tips;
        for (QWidget *w : window().findChildren<QWidget *>())
            tips[w->objectName()] = w->toolTip();
        return tips;
    }
};

TEST_F(InputAidsTest, KeysFillTheGridAndInsertOverTheSelectionOrAtTheCaretFocusingTheMask)
{
    ASSERT_TRUE(WriteFileBytes(MakeAppPaths().keysIni, "[Tasten]\r\n1=[name]\r\n3=[datum]-[zeit]-ab"
                                                       "\r\n7=Tom & Jerry\r\n15=[ ]\r\n"));
    MainWindow &w = start();
    EXPECT_EQ(key(9)->geometry(), QRect(138, 162, 133, 27)) << "filled column by column";
    EXPECT_EQ(key(23)->geometry(), QRect(552, 132, 141, 27));
    EXPECT_TRUE(w.keyBarArea()->isAncestorOf(key(23)));
    // A 17-character text shows 16 and "...", an ampersand no access key, and
    // a key missing in the file nothing.
    EXPECT_EQ(key(3)->text() + "|" + key(7)->text() + "|" + key(0)->text(),
              "[datum]-[zeit]-a...|Tom && Jerry|");

    // The key, the selection's start and length, the mask and the caret after the click.
    const std::tuple<int, int, int, const char *, int> cases[] = {
        {1, 2, 2, "ab[name]ef", 8},               // over the selection
        {3, 3, 0, "abc[datum]-[zeit]-abdef", 20}, // at the caret, focus elsewhere, all 17
        {15, 1, 4, "a[]f", 2},                    // "[ ]": the caret between the brackets
        {0, 3, 0, "abcdef", 3}};                  // undefined: inserts nothing
    QLineEdit *mask = w.maskField();
    for (const auto &[n, from, length, result, caret] : cases) {
        mask->setFocus();
        mask->setText("abcdef");
        mask->setCursorPosition(from);
        mask->cursorForward(true, length);
        if (length == 0)
            w.button(Command::SaveMask)->setFocus();
        QTest::mouseClick(key(n), Qt::LeftButton);
        EXPECT_EQ(w.session().options().mask, result);
        EXPECT_EQ(mask->cursorPosition(), caret) << result;
        EXPECT_TRUE(QApplication::focusWidget() == mask && !mask->hasSelectedText()) << result;
    }
}

// The mask buttons save under a name asked for and reset the mask; the menus
// list the saved masks but the standard one, which closing the window saves.
TEST_F(InputAidsTest, TheMenusListSavedMasksInCodeOrderLoadAndDeleteAfterAsking)
{
    start().close();
    MainWindow &w = start();
    w.maskField()->setText("[zahl]");
    QTest::mouseClick(w.button(Command::ResetMask), Qt::LeftButton);
    EXPECT_EQ(w.maskField()->text(), "[name].[typ]");
    EXPECT_EQ(QApplication::focusWidget(), w.maskField());
    EXPECT_EQ(openMenu(101, "&Abbrechen").join(' '),
              "-Keine gespeicherten Masken &Datumsformat einfügen Datei&angaben einfügen | "
              "&Abbrechen");
    for (const char *name : {"b", "Z", "-", "a", "Tom & Jerry", "Ä"}) {
        w.maskField()->setText(QString("[name]-%1.[typ]").arg(name));
        questions.textAnswers = {name};
        QTest::mouseClick(w.button(Command::SaveMask), Qt::LeftButton);
    }
    const QStringList listed{"|", "Tom && Jerry", "Z", "a", "b", "Ä", "|", "&Abbrechen"};
    const QStringList inserts{"&Datumsformat einfügen", "Datei&angaben einfügen"};
    EXPECT_EQ(openMenu(101, "Tom && Jerry"), listed.first(6) + inserts + listed.sliced(6));
    EXPECT_EQ(w.maskField()->text(), "[name]-Tom & Jerry.[typ]");

    questions.asked.clear();
    questions.yesNoAnswers = {false, true};
    EXPECT_EQ(openMenu(102, "b"), listed);
    EXPECT_EQ(openMenu(102, "b"), listed) << "No keeps the mask";
    EXPECT_EQ(openMenu(102, "&Abbrechen"),
              (QStringList{"|", "Tom && Jerry", "Z", "a", "Ä", "|", "&Abbrechen"}));
    EXPECT_EQ(w.maskField()->text(), "[name]-Tom & Jerry.[typ]") << "deleting loads nothing";
    MaskMenu menu(w.session(), w.paths().masksIni, w.maskField(), &w);
    menu.buildMenu(MaskMenu::Load)->actions()[5]->menu()->actions()[3]->trigger();
    EXPECT_EQ(w.maskField()->text(), "[name]-Tom & Jerry.[typ][AUFNAHMEDATUM dd. MMMM yyyy]");
    menu.buildMenu(MaskMenu::Load)->actions()[6]->menu()->actions()[8]->trigger();
    EXPECT_TRUE(w.maskField()->text().endsWith("yyyy][DAUER]"));
}

TEST_F(InputAidsTest, ARightPressDefinesAKeyAndEveryTooltipFollowsItAndTheStoredSwitch)
{
    MainWindow &w = start();
    EXPECT_EQ(find("Liste")->toolTip(), "Namen der umzubenennenden Dateien in diese Liste ziehen");
    for (const ControlTooltip &c : TooltipTable())
        EXPECT_EQ(find(c.objectName)->toolTip(), c.tooltip) << c.objectName.toStdString();

    questions.textAnswers = {"[jahr][monat]", "[dir]"};
    QTest::mousePress(key(6), Qt::RightButton);
    QTest::mouseRelease(key(6), Qt::RightButton);
    EXPECT_EQ(questions.asked.size(), 1) << "the release asks nothing";
    EXPECT_EQ(w.maskField()->text(), "[name].[typ]") << "a right click inserts nothing";
    EXPECT_EQ(key(6)->text(), "[jahr][monat]");
    EXPECT_TRUE(key(6)->toolTip().contains("'[jahr][monat]'")) << key(6)->toolTip().toStdString();

    const auto on = tooltips();
    find<QCheckBox>("ToolTipCheck")->click();
    EXPECT_EQ(GetSettingValue("ToolTips", "?"), "0");
    for (const auto &[name, tooltip] : tooltips())
        EXPECT_EQ(tooltip, "") << name.toStdString();
    QTest::mousePress(key(9), Qt::RightButton); // defined while they are off
    find<QCheckBox>("ToolTipCheck")->click();
    auto back = tooltips();
    EXPECT_TRUE(back.at("Btn209").contains("'[dir]'"));
    back["Btn209"] = on.at("Btn209");
    EXPECT_EQ(back, on);
}

// Tab passes over the keys that insert nothing, the arrows reach every key;
// Shift+F10 and the Menu key define the focused key as the right button does, and a key given a
// text is a stop again. Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown and Ctrl+PgUp turn the pages from
// anywhere, round the strip.
TEST_F(InputAidsTest, TabSkipsEmptyKeysTheMenuKeysDefineAKeyAndCtrlKeysTurnThePages)
{
    MainWindow &w = start();
    dropFiles({"a.txt"}); // "Umbenennen" is off for an empty list
    const auto tabsToRename = [&](int presses = 0) {
        for (w.maskField()->setFocus();
             QApplication::focusWidget() != w.button(Command::Rename) && presses < 60; ++presses)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return presses;
    };
    EXPECT_EQ(tabsToRename(), 18) << "13 keys with a text, 4 mask buttons";
    questions.textAnswers = {"[dir]", "x", "[zahl]"};
    key(0)->setFocus();
    QTest::keyClick(key(0), Qt::Key_F10, Qt::ShiftModifier);
    key(1)->setFocus();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, {});
    QApplication::sendEvent(w.windowHandle(), &menuKey);
    EXPECT_EQ(key(4)->focusPolicy(), Qt::NoFocus) << "an empty key, reached by the arrows";
    for (Qt::Key arrow :
         {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left})
        QTest::keyClick(QApplication::focusWidget(), arrow);
    QApplication::sendEvent(w.windowHandle(), &menuKey);
    EXPECT_EQ(key(0)->text() + key(1)->text() + key(4)->text(), "[dir]x[zahl]");
    EXPECT_EQ(tabsToRename(), 19);

    QString pages;
    for (const QString &step : QString("Btn204=Ctrl+Tab Zahl=Ctrl+PgDown SucheText0=Ctrl+Shift+"
                                       "Backtab Liste=Ctrl+PgUp Liste=Ctrl+PgUp Btn4=Ctrl+Tab")
                                   .split(' ')) {
        find(step.section('=', 0, 0))->setFocus();
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(step.section('=', 1)));
        pages += QString::number(find<QTabBar>("MyTabStrip")->currentIndex() + 1);
    }
    EXPECT_EQ(pages, "232151");
}

} // namespace
