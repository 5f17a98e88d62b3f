#include "ui/inputaids.h"

#include "storage/applog.h"
#include "storage/datafolder.h"
#include "storage/savedmasks.h"
#include "storage/settings.h"
#include "support/scriptedquestions.h"
#include "ui/mainwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kesto;

namespace {

// The main window as the program starts it, on a fresh account.
class WindowWithAids : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(SettingsFile());
        const AppPaths paths = MakeAppPaths();
        for (const QString &file : {paths.masksIni, paths.keysIni, paths.log})
            QFile::remove(file);
    }
    void TearDown() override
    {
        window.reset();
        SetLogPath(QString());
    }

    MainWindow &start()
    {
        window = std::make_unique<MainWindow>(&questions);
        AttachInputAids(*window);
        window->startUp();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    QPushButton *button(const QString &name) const
    {
        return window->findChild<QPushButton *>(name);
    }

    // The entries of the popup menu that \a buttonIndex opens, choosing \a choice.
    QStringList openMenu(int buttonIndex, const QString &choice)
    {
        QStringList shown;
        QTimer::singleShot(0, window.get(), [&] {
            auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(popup, nullptr);
            for (QAction *a : popup->actions()) {
                shown << (a->isSeparator() ? QString("|") : a->text());
                if (a->text() == choice)
                    popup->setActiveAction(a);
            }
            QTest::keyClick(popup, Qt::Key_Return);
        });
        window->BtnClick(buttonIndex);
        return shown;
    }

    test::ScriptedQuestions questions;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowWithAids, TheStartUpSetsUpTheKeysAndSwitchesTheTooltipsOn)
{
    MainWindow &w = start();

    QPushButton *first = button("Btn200");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(w.keyBarArea()->isAncestorOf(first));
    EXPECT_EQ(first->text(), "[name]");
    EXPECT_EQ(w.maskField()->nextInFocusChain(), first) << "the keys follow the mask field";
    EXPECT_EQ(button("Btn223")->nextInFocusChain(), button("Btn100"));
    EXPECT_TRUE(QFile::exists(w.paths().keysIni));
    EXPECT_EQ(first->toolTip(), "Fügt den Text '[name]' in die aktuelle Maske ein.");
    EXPECT_EQ(button("Btn101")->toolTip(), "Blendet ein Menü zur Auswahl gespeicherter Masken ein");

    w.findChild<QCheckBox *>("ToolTipCheck")->click();
    EXPECT_EQ(first->toolTip(), "");
    EXPECT_EQ(button("Btn101")->toolTip(), "");
    EXPECT_EQ(GetSettingValue("ToolTips", "?"), "0");
}

TEST_F(WindowWithAids, AKeyWritesIntoTheMaskOfTheSession)
{
    MainWindow &w = start();
    w.maskField()->setFocus();
    w.maskField()->setSelection(0, 6);

    QTest::mouseClick(button("Btn213"), Qt::LeftButton);

    EXPECT_EQ(w.maskField()->text(), "[dir].[typ]");
    EXPECT_EQ(w.session().options().Maske, "[dir].[typ]");
    EXPECT_EQ(QApplication::focusWidget(), w.maskField());
}

TEST_F(WindowWithAids, TheMaskButtonsOpenTheMenusOfSavedMasks)
{
    MainWindow &w = start();
    RenameOptions urlaub;
    urlaub.Maske = "[jahr] [name].[typ]";
    questions.textAnswers = {"Urlaub"};
    ASSERT_TRUE(SaveMask(QString(), urlaub, w.paths().masksIni, questions));

    EXPECT_EQ(openMenu(101, "Urlaub"), QStringList({"Urlaub", "|", "&Abbrechen"}));
    EXPECT_EQ(w.maskField()->text(), "[jahr] [name].[typ]");

    questions.yesNoAnswers = {true};
    openMenu(102, "Urlaub");
    EXPECT_EQ(questions.asked.last().text, "Wollen Sie die Maske 'Urlaub' wirklich löschen?");
    EXPECT_FALSE(SavedMaskNames(w.paths().masksIni).contains("Urlaub"));
}

} // namespace
