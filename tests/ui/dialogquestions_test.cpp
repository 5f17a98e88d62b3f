#include "ui/dialogquestions.h"

#include "windowfixture.h"

#include <QInputDialog>
#include <QMessageBox>

using namespace kesto;
using kesto::test::whenShown;

namespace {

TEST(DialogQuestions, TextsShowCarriageReturnsAsLineBreaksButtonsSpeakGermanAndNoIsTheDefault)
{
    DialogQuestions questions;
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle() + "|" + box->text(),
                  "Kesto - Maske löschen|Die Maske 'a' existiert.\nÜberschreiben?");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        // The warning about a missing [TYP] asks to click 'Nein'.
        EXPECT_EQ(box->button(QMessageBox::Yes)->text() + "|" +
                      box->button(QMessageBox::No)->text(),
                  "&Ja|&Nein");
        box->defaultButton()->click();
    });
    EXPECT_FALSE(
        questions.askYesNo("Die Maske 'a' existiert.\r\nÜberschreiben?", "Kesto - Maske löschen"));
    whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(questions.askYesNo("Wirklich?", "Kesto"));

    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "Folgende Datei:\n\n/a/<b>.txt\n-->\n/a/c.txt");
        EXPECT_EQ(box->textFormat(), Qt::PlainText) << "a path is no markup";
        EXPECT_EQ(box->button(QMessageBox::Ok)->text() + "|" +
                      box->button(QMessageBox::Cancel)->text(),
                  "OK|Abbrechen");
        box->defaultButton()->click();
    });
    EXPECT_TRUE(questions.askOkCancel("Folgende Datei:\r\r/a/<b>.txt\r-->\r/a/c.txt", "Kesto"));
    whenShown<QMessageBox>([](QMessageBox *b) { b->button(QMessageBox::Cancel)->click(); });
    EXPECT_FALSE(questions.askOkCancel("x", "Kesto"));

    QString told;
    whenShown<QMessageBox>([&told](QMessageBox *box) {
        QStringList buttons;
        for (const QAbstractButton *b : box->buttons())
            buttons << b->text();
        told = box->text() + "|" + buttons.join(',');
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        box->buttons().constFirst()->click();
    });
    questions.tell("Folgende Dateien:\r\rb --> a", "Kesto");
    EXPECT_EQ(told, "Folgende Dateien:\n\nb --> a|OK") << "a message to take note of";

    whenShown<QInputDialog>([](QInputDialog *box) {
        EXPECT_EQ(box->windowTitle() + "|" + box->labelText() + "|" + box->textValue(),
                  "Titel|Name:|Vorgabe");
        EXPECT_EQ(box->cancelButtonText(), "Abbrechen");
        box->setTextValue("Urlaub 2024");
        box->accept();
    });
    EXPECT_EQ(questions.askText("Name:", "Titel", "Vorgabe"), "Urlaub 2024");
}

} // namespace
