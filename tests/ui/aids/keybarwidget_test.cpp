#include "ui/keybarwidget.h"

#include "storage/messages.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"
#include "ui/tooltips.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace kesto;

namespace {

class KeyBarWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(800, 300);
        mask = new QLineEdit(&window);
        mask->setObjectName("Maske");
        mask->setGeometry(0, 0, 600, 30);
        other = new QPushButton("Speichern", &window);
        other->setObjectName("Btn100");
        other->setGeometry(650, 0, 40, 30);
        area = new QWidget(&window);
        area->setObjectName("keyBarArea");
        area->setGeometry(0, 40, 700, 200);
        bar = KeyBarWidget::createIn(area, keys, mask, questions);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QPushButton *key(int n) const { return bar->button(n); }
    void writeKeysFile(const QByteArray &bytes) { keysIni = dir.write("Kesto-Tasten.INI", bytes); }
    void focusElsewhere()
    {
        other->setFocus();
        ASSERT_TRUE(other->hasFocus());
    }

    test::TempFolder dir;
    QString keysIni = dir.file("Kesto-Tasten.INI");
    test::ScriptedQuestions questions;
    KeyBar keys;
    QWidget window;
    QLineEdit *mask = nullptr;
    QPushButton *other = nullptr;
    QWidget *area = nullptr;
    KeyBarWidget *bar = nullptr;
};

struct KeyPlace
{
    int key;
    QRect pixels;
};

TEST_F(KeyBarWindow, KeysFillTheGridColumnByColumn)
{
    const KeyPlace places[] = {
        {0, {0, 38, 133, 27}},     {1, {0, 70, 133, 27}},    {4, {0, 162, 133, 27}},
        {5, {138, 38, 133, 27}},   {9, {138, 162, 133, 27}}, {10, {276, 38, 133, 27}},
        {19, {414, 162, 133, 27}}, {20, {552, 38, 141, 27}}, {23, {552, 132, 141, 27}},
    };
    for (const KeyPlace &p : places) {
        SCOPED_TRACE(p.key);
        EXPECT_EQ(key(p.key)->objectName(), QString("Btn%1").arg(200 + p.key));
        EXPECT_EQ(key(p.key)->geometry(), p.pixels);
    }
    EXPECT_EQ(window.findChild<QPushButton *>("Btn223"), key(23));
    EXPECT_EQ(window.findChild<QPushButton *>("Btn224"), nullptr);
    EXPECT_EQ(bar->parentWidget(), area);
    EXPECT_EQ(bar->geometry(), QRect(0, 0, 693, 189));
}

TEST_F(KeyBarWindow, AKeyInsideALayoutTakesItsPlaceThere)
{
    QWidget laidOut;
    auto *layout = new QVBoxLayout(&laidOut);
    KeyBarWidget *inLayout = KeyBarWidget::createIn(&laidOut, keys, mask, questions);
    EXPECT_EQ(layout->indexOf(inLayout), 0);
}

TEST_F(KeyBarWindow, AKeyReplacesTheSelectionOfTheMask)
{
    mask->setFocus();
    mask->setText("abcdef");
    mask->setSelection(2, 2);
    QSignalSpy changed(mask, &QLineEdit::textChanged);
    QSignalSpy edited(mask, &QLineEdit::textEdited);

    QTest::mouseClick(key(0), Qt::LeftButton);

    EXPECT_EQ(mask->text(), "ab[name]ef");
    EXPECT_EQ(mask->cursorPosition(), 8);
    EXPECT_FALSE(mask->hasSelectedText());
    EXPECT_TRUE(mask->hasFocus());
    // Whichever of the two the window binds, the session hears of the change.
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(edited.count(), 1);
}

TEST_F(KeyBarWindow, AKeyInsertsAtTheCaretAndGivesTheMaskTheFocus)
{
    mask->setText("[name].[typ]");
    mask->setCursorPosition(6);
    focusElsewhere();

    QTest::mouseClick(key(2), Qt::LeftButton);

    EXPECT_EQ(mask->text(), "[name][zahl].[typ]");
    EXPECT_EQ(mask->cursorPosition(), 12);
    EXPECT_TRUE(mask->hasFocus());
}

TEST_F(KeyBarWindow, TheBlankBracketKeyLeavesTheCaretBetweenTheBrackets)
{
    ASSERT_EQ(keys.text(15), "[ ]");
    mask->setFocus();
    mask->setText("abcdef");
    mask->setSelection(1, 4);
    QTest::mouseClick(key(15), Qt::LeftButton);
    EXPECT_EQ(mask->text(), "a[]f");
    EXPECT_EQ(mask->cursorPosition(), 2);
    EXPECT_FALSE(mask->hasSelectedText());
}

TEST_F(KeyBarWindow, AnUndefinedKeyInsertsNothingButMovesTheFocus)
{
    ASSERT_EQ(keys.text(4), "");
    mask->setText("abcdef");
    focusElsewhere();
    QSignalSpy changed(mask, &QLineEdit::textChanged);

    QTest::mouseClick(key(4), Qt::LeftButton);

    EXPECT_EQ(mask->text(), "abcdef");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(mask->hasFocus());
}

TEST_F(KeyBarWindow, ALongTextShowsSixteenCharactersButInsertsAll)
{
    writeKeysFile("[Tasten]\r\n3=[datum]-[zeit]-ab\r\n7=Tom & Jerry\r\n");
    bar->InitKeyBar(keysIni);

    EXPECT_EQ(key(3)->text(), "[datum]-[zeit]-a...");
    EXPECT_EQ(key(7)->text(), "Tom && Jerry") << "the ampersand is shown, not an access key";
    EXPECT_EQ(key(0)->text(), "") << "a key missing in the file is undefined";

    QTest::mouseClick(key(3), Qt::LeftButton);
    EXPECT_EQ(mask->text(), "[datum]-[zeit]-ab");
}

TEST_F(KeyBarWindow, ARightPressAsksForTheKeysTextWithTheCurrentOneAsPreset)
{
    bar->InitKeyBar(keysIni);
    bar->setTooltipsOn(true);
    questions.textAnswers = {"[jahr][monat]"};

    QTest::mousePress(key(6), Qt::RightButton);

    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].kind, "text");
    EXPECT_EQ(questions.asked[0].text,
              "Bitte geben Sie an, wie die ausgewählte Taste belegt werden soll (Um die Belegung "
              "zu löschen geben Sie einfach nur ein Leerzeichen ein).");
    EXPECT_EQ(questions.asked[0].title, "Kesto - Tastenbelegung ändern");
    EXPECT_EQ(questions.asked[0].preset, "[tag]");
    EXPECT_EQ(key(6)->text(), "[jahr][monat]");
    EXPECT_EQ(key(6)->toolTip(), "Fügt den Text '[jahr][monat]' in die aktuelle Maske ein.");
    EXPECT_TRUE(dir.read("Kesto-Tasten.INI").contains("\r\n6=[jahr][monat]\r\n"));

    QTest::mouseRelease(key(6), Qt::RightButton);
    EXPECT_EQ(questions.asked.size(), 1) << "the release asks nothing";
    EXPECT_EQ(mask->text(), "") << "a right click inserts nothing";
}

TEST_F(KeyBarWindow, DefiningAKeyWithABlankMakesItUndefined)
{
    bar->InitKeyBar(keysIni);
    bar->setTooltipsOn(true);
    questions.textAnswers = {" "};

    QTest::mousePress(key(6), Qt::RightButton);

    EXPECT_EQ(keys.text(6), "");
    EXPECT_EQ(key(6)->text(), "");
    EXPECT_EQ(key(6)->toolTip(), "Undefinierte Taste: Klicken Sie die Taste mit dem rechten "
                                 "Mausbutton, um sie zu definieren.");
    EXPECT_TRUE(dir.read("Kesto-Tasten.INI").contains("\r\n6=\r\n"));
    EXPECT_EQ(key(5)->toolTip(), "Fügt den Text '[zeit]' in die aktuelle Maske ein.")
        << "every key's tooltip is set anew";
}

TEST_F(KeyBarWindow, CancellingTheDefinitionChangesNothing)
{
    bar->InitKeyBar(keysIni);
    const QByteArray before = dir.read("Kesto-Tasten.INI");

    QTest::mousePress(key(6), Qt::RightButton);

    EXPECT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(key(6)->text(), "[tag]");
    EXPECT_EQ(dir.read("Kesto-Tasten.INI"), before);
}

TEST_F(KeyBarWindow, DefiningAKeyWhileTooltipsAreOffLeavesThemEmpty)
{
    bar->InitKeyBar(keysIni);
    ApplyTooltips(&window, true, keys);
    ApplyTooltips(&window, false, keys);
    questions.textAnswers = {"[dir]"};

    QTest::mousePress(key(9), Qt::RightButton);

    ASSERT_EQ(keys.text(9), "[dir]");
    for (int n = 0; n < KeyBar::KeyCount; ++n)
        EXPECT_EQ(key(n)->toolTip(), "") << n;
}

struct PressCase
{
    const char *name;
    const char *objectName;
    Qt::MouseButton button;
    QPoint at; ///< inside the widget; the centre when null
};

TEST_F(KeyBarWindow, OnlyARightPressOnAKeyOpensTheDialog)
{
    bar->InitKeyBar(keysIni);
    const PressCase cases[] = {
        {"right press on another button", "Btn100", Qt::RightButton, {}},
        {"middle press on a key", "Btn201", Qt::MiddleButton, {}},
        {"right press between two keys", "KeyBar", Qt::RightButton, {135, 50}},
    };
    for (const PressCase &c : cases) {
        SCOPED_TRACE(c.name);
        auto *target = window.findChild<QWidget *>(c.objectName);
        ASSERT_NE(target, nullptr);
        QTest::mousePress(target, c.button, {}, c.at);
        QTest::mouseRelease(target, c.button, {}, c.at);
        EXPECT_TRUE(questions.asked.isEmpty());
    }
    EXPECT_EQ(keys.text(1), "[typ]");
    EXPECT_EQ(mask->text(), "");
}

} // namespace
