#include "ui/tooltips.h"

#include "storage/keybar.h"
#include "support/scriptedquestions.h"
#include "ui/keybarwidget.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <map>

using namespace kesto;

namespace {

const char *const Controls[] = {
    "Liste",
    "Schreibweise",
    "Bar",
    "Zahl",
    "Schrittweite",
    "StellenAnzahl",
    "Vornullenzeichen",
    "StatusPanel1",
    "StatusPanel2",
    "ToolTipCheck",
    "TopMostChk",
    "SucheText0",
    "SucheText1",
    "SucheText2",
    "ErsetzeText0",
    "ErsetzeText1",
    "ErsetzeText2",
    "Maske",
    "ZufallsketteGROSSChk",
};
const int Buttons[] = {0, 1, 2, 3, 4, 8, 9, 10, 12, 13, 25, 32, 100, 101, 102, 150};

// A window of the named controls, nested as the real one nests them.
class TooltipWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *page = new QWidget(&window);
        for (const char *name : Controls) {
            auto *w = new QLabel(page);
            w->setObjectName(name);
        }
        for (int index : Buttons) {
            auto *b = new QPushButton(&window);
            b->setObjectName(QString("Btn%1").arg(index));
        }
        keys.SetKey(6, "[tag]");
        keys.SetKey(9, "   ");
        keys.SetKey(14, "");
        bar = new KeyBarWidget(keys, nullptr, questions, page);
    }

    QString tip(const QString &name) const
    {
        auto *w = window.findChild<QWidget *>(name);
        return w ? w->toolTip() : QString("<missing>");
    }

    std::map<QString, QString> allTooltips() const
    {
        std::map<QString, QString> tips;
        for (QWidget *w : window.findChildren<QWidget *>()) {
            if (!w->objectName().isEmpty())
                tips[w->objectName()] = w->toolTip();
        }
        return tips;
    }

    test::ScriptedQuestions questions;
    KeyBar keys;
    QWidget window;
    KeyBarWidget *bar = nullptr;
};

TEST_F(TooltipWindow, SwitchedOnEveryControlOfTheTableAndEveryKeyHasItsTooltip)
{
    ApplyTooltips(&window, true, keys);

    EXPECT_EQ(tip("Liste"), "Namen der umzubenennenden Dateien in diese Liste ziehen");
    EXPECT_EQ(tip("Btn32"), "Kopiert eine Liste der Namen in den Spalten 'Alter Name' und "
                            "'Neuer Name' in die Zwischenablage.");
    EXPECT_EQ(tip("StatusPanel2"), "Programmstatus und Hinweise für den Anwender");
    EXPECT_EQ(tip("SucheText2"), "Tragen Sie hier den Text ein, den Sie durch den Text im Feld "
                                 "'durch' ersetzen lassen wollen.");
    EXPECT_EQ(tip("ErsetzeText0"), "Tragen Sie hier den Text ein, der anstatt des Textes im "
                                   "Feld 'Ersetze' eingetragen werden soll.");
    for (const ControlTooltip &c : TooltipTable())
        EXPECT_EQ(tip(c.objectName), c.tooltip) << c.objectName.toStdString();

    EXPECT_EQ(tip("Btn200"), "Fügt den Text '[name]' in die aktuelle Maske ein.");
    EXPECT_EQ(tip("Btn206"), "Fügt den Text '[tag]' in die aktuelle Maske ein.");
    const QString undefined = "Undefinierte Taste: Klicken Sie die Taste mit dem rechten "
                              "Mausbutton, um sie zu definieren.";
    EXPECT_EQ(tip("Btn209"), undefined) << "blanks only";
    EXPECT_EQ(tip("Btn214"), undefined);

    for (const char *unnamed : {"Btn4", "Maske", "ZufallsketteGROSSChk", "KeyBar"})
        EXPECT_EQ(tip(unnamed), "") << unnamed;
}

TEST_F(TooltipWindow, SwitchingOffEmptiesAllAndOnRestoresThem)
{
    ApplyTooltips(&window, true, keys);
    const auto on = allTooltips();
    ASSERT_EQ(on.size(), std::size(Controls) + std::size(Buttons) + KeyBar::KeyCount + 1);

    ApplyTooltips(&window, false, keys);
    for (const auto &[name, tooltip] : allTooltips())
        EXPECT_EQ(tooltip, "") << name.toStdString();

    ApplyTooltips(&window, true, keys);
    EXPECT_EQ(allTooltips(), on);
}

TEST_F(TooltipWindow, KeyTooltipsFollowTheAssignments)
{
    ApplyTooltips(&window, true, keys);
    keys.SetKey(6, "[monat]");
    KeyTooltips(&window, true, keys);
    EXPECT_EQ(tip("Btn206"), "Fügt den Text '[monat]' in die aktuelle Maske ein.");
    EXPECT_EQ(tip("Liste"), "Namen der umzubenennenden Dateien in diese Liste ziehen");

    KeyTooltips(&window, false, keys);
    EXPECT_EQ(tip("Btn206"), "");
    EXPECT_EQ(tip("Liste"), "Namen der umzubenennenden Dateien in diese Liste ziehen")
        << "only the keys change";
}

} // namespace
