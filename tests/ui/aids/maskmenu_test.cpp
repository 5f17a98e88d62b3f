#include "ui/maskmenu.h"

#include "rename/session.h"
#include "storage/savedmasks.h"
#include "support/scriptedquestions.h"
#include "support/tempfiles.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace kesto;

namespace {

QList<MaskMenuEntry> masks(const QStringList &names)
{
    QList<MaskMenuEntry> entries;
    for (const QString &name : names)
        entries.append({name, true});
    entries.append({"-", false});
    entries.append({"&Abbrechen", false});
    return entries;
}

struct EntriesCase
{
    const char *name;
    QStringList stored;
    QStringList listed;
};

TEST(MaskMenuEntries, ListNamesInCodeOrderWithoutTheStartupMask)
{
    const EntriesCase cases[] = {
        {"no masks", {}, {}},
        {"only the start-up mask", {".Standard"}, {}},
        {"capitals before small letters", {"b", "A", "a", "B"}, {"A", "B", "a", "b"}},
        {"umlauts after z", {"ä", "z", "Z", "Ä", "Ende"}, {"Ende", "Z", "z", "Ä", "ä"}},
        {"a prefix before the longer name", {"ab", "a", ".Standard", "a b"}, {"a", "a b", "ab"}},
        {"the start-up mask only by its exact name",
         {".standard", ".Standard", ".Standard "},
         {".Standard ", ".standard"}},
        {"digits and signs by code", {"_x", "1", "-", "~"}, {"-", "1", "_x", "~"}},
        {"by code units: a surrogate pair before U+FF21",
         {"\uFF21", "\U0001F600"},
         {"\U0001F600", "\uFF21"}},
    };
    for (const EntriesCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MaskMenuEntries(c.stored), masks(c.listed));
    }
}

class MaskMenuTest : public ::testing::Test
{
protected:
    void SetUp() override { window.resize(400, 300); }

    void save(const QString &name, const QString &maske, const QString &start = "1")
    {
        RenameOptions o;
        o.Maske = maske;
        o.Start = start;
        test::ScriptedQuestions answer;
        answer.textAnswers = {name};
        answer.yesNoAnswers = {true};
        ASSERT_TRUE(SaveMask(name == ".Standard" ? name : QString(), o, masksIni, answer));
    }

    // The menu as the user sees it: captions, "|" for a separator line.
    QStringList shown(MaskMenu::Mode mode)
    {
        QStringList texts;
        for (QAction *a : menu.buildMenu(mode)->actions())
            texts << (a->isSeparator() ? QString("|") : a->text());
        return texts;
    }

    void choose(MaskMenu::Mode mode, const QString &text)
    {
        for (QAction *a : menu.buildMenu(mode)->actions()) {
            if (!a->isSeparator() && a->text() == text) {
                a->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
    }

    test::TempFolder dir;
    QString masksIni = dir.file("Kesto-Masken.INI");
    test::ScriptedQuestions questions;
    Session session{questions};
    QWidget window;
    MaskMenu menu{session, masksIni, &window};
};

TEST_F(MaskMenuTest, WithoutAMasksFileOnlySeparatorAndCancelAreShown)
{
    EXPECT_EQ(shown(MaskMenu::Load), QStringList({"|", "&Abbrechen"}));
    save(".Standard", "[name]");
    EXPECT_EQ(shown(MaskMenu::Delete), QStringList({"|", "&Abbrechen"}));
}

TEST_F(MaskMenuTest, ListsTheStoredMasksInCodeOrderAndAMinusAsASeparator)
{
    for (const char *name : {"b", ".Standard", "Z", "-", "a", "Tom & Jerry", "C"})
        save(name, "[name]");
    EXPECT_EQ(shown(MaskMenu::Load),
              QStringList({"|", "C", "Tom && Jerry", "Z", "a", "b", "|", "&Abbrechen"}));
}

TEST_F(MaskMenuTest, IsBuiltAfreshFromTheFileEachTime)
{
    save("Alt", "[name]");
    EXPECT_EQ(shown(MaskMenu::Load), QStringList({"Alt", "|", "&Abbrechen"}));
    save("Neu", "[name]");
    EXPECT_EQ(shown(MaskMenu::Delete), QStringList({"Alt", "Neu", "|", "&Abbrechen"}));
    EXPECT_EQ(menu.mode(), MaskMenu::Delete);
}

TEST_F(MaskMenuTest, ChoosingAMaskInTheLoadMenuPutsItsOptionsIntoTheSession)
{
    save("Urlaub", "[jahr]-[zahl].[typ]", "7");
    save("Tom & Jerry", "[name]-tj.[typ]");

    choose(MaskMenu::Load, "Urlaub");
    EXPECT_EQ(session.options().Maske, "[jahr]-[zahl].[typ]");
    EXPECT_EQ(session.options().Start, "7");

    choose(MaskMenu::Load, "Tom && Jerry");
    EXPECT_EQ(session.options().Maske, "[name]-tj.[typ]");
    EXPECT_EQ(session.options().Start, "1");
    EXPECT_TRUE(questions.asked.isEmpty());
}

TEST_F(MaskMenuTest, DeletingAsksFirstAndNoKeepsTheMask)
{
    save("Urlaub", "[jahr]-[zahl].[typ]");
    questions.yesNoAnswers = {false};

    choose(MaskMenu::Delete, "Urlaub");

    ASSERT_EQ(questions.asked.size(), 1);
    EXPECT_EQ(questions.asked[0].kind, "yesno");
    EXPECT_EQ(questions.asked[0].text, "Wollen Sie die Maske 'Urlaub' wirklich löschen?");
    EXPECT_EQ(questions.asked[0].title, "Kesto - Maske löschen");
    EXPECT_EQ(shown(MaskMenu::Load), QStringList({"Urlaub", "|", "&Abbrechen"}));
    EXPECT_EQ(session.options().Maske, "[name].[typ]") << "deleting loads nothing";

    questions.yesNoAnswers = {true};
    choose(MaskMenu::Delete, "Urlaub");
    EXPECT_EQ(shown(MaskMenu::Delete), QStringList({"|", "&Abbrechen"}));
}

TEST_F(MaskMenuTest, TheCancelEntryDoesNothing)
{
    save("Urlaub", "[jahr]-[zahl].[typ]");
    choose(MaskMenu::Delete, "&Abbrechen");
    choose(MaskMenu::Load, "&Abbrechen");
    EXPECT_TRUE(questions.asked.isEmpty());
    EXPECT_EQ(session.options().Maske, "[name].[typ]");
    EXPECT_EQ(SavedMaskNames(masksIni), QStringList({"Urlaub"}));
}

TEST_F(MaskMenuTest, ShowingTheMenuLetsTheUserChooseAnEntry)
{
    save("Urlaub", "[jahr]-[zahl].[typ]");
    window.show();
    QTimer::singleShot(0, &window, [this] {
        QMenu *popup = menu.menu();
        ASSERT_TRUE(popup->isVisible());
        ASSERT_EQ(popup->actions().size(), 3);
        popup->setActiveAction(popup->actions().first());
        QTest::keyClick(popup, Qt::Key_Return);
    });
    menu.ShowMaskMenu(MaskMenu::Load);
    EXPECT_EQ(session.options().Maske, "[jahr]-[zahl].[typ]");
    EXPECT_FALSE(menu.menu()->isVisible());
}

} // namespace
