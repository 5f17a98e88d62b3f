#include "ui/dialogquestions.h"

#include "windowfixture.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>

using namespace kesto;

namespace {

// Title, text, icon and buttons of a message box, the default marked "*".
QString shownBox(const QMessageBox *box)
{
    QStringList buttons;
    for (const QAbstractButton *b : box->buttons())
        buttons << (b == box->defaultButton() ? "*" : "") + b->text();
    return QString("%1|%2|%3|%4")
        .arg(box->windowTitle(), box->text(), QString::number(box->icon()), buttons.join(','));
}

// Each question as it is shown: title, text with carriage returns as line
// breaks and no markup, icon, buttons with the default marked "*"; then the
// button clicked and the answer it gives.
TEST(DialogQuestions, TextsShowCarriageReturnsAsLineBreaksButtonsSpeakGermanAndNoIsTheDefault)
{
    DialogQuestions questions;
    auto failure = [&] { return int(questions.askAfterFailure("a --> b", "Kesto")); };
    // NoButton clicks "Alle überspringen".
    const std::tuple<std::function<int()>, QMessageBox::StandardButton, const char *> cases[] = {
        {[&] { return questions.askYesNo("Die Maske 'a' existiert.\r\nÜberschreiben?", "Kesto"); },
         QMessageBox::No, "Kesto|Die Maske 'a' existiert.\nÜberschreiben?|4|&Ja,*&Nein|0"},
        {[&] { return questions.askYesNo("Wirklich?", "Kesto"); }, QMessageBox::Yes,
         "Kesto|Wirklich?|4|&Ja,*&Nein|1"},
        {[&] { return questions.askOkCancel("Folgende Datei:\r\r/a/<b>.txt\r-->\r/a/c.txt", "K"); },
         QMessageBox::Ok, "K|Folgende Datei:\n\n/a/<b>.txt\n-->\n/a/c.txt|2|*OK,Abbrechen|1"},
        {[&] { return questions.askOkCancel("x", "Kesto"); }, QMessageBox::Cancel,
         "Kesto|x|2|*OK,Abbrechen|0"},
        {[&] { return questions.confirm("Zurück?", "Kesto"); }, QMessageBox::No,
         "Kesto|Zurück?|4|*&Ja,&Nein|0"},
        {failure, QMessageBox::Ok, "Kesto|a --> b|2|*OK,Alle überspringen,Abbrechen|0"},
        {failure, QMessageBox::NoButton, "Kesto|a --> b|2|*OK,Alle überspringen,Abbrechen|1"},
        {failure, QMessageBox::Cancel, "Kesto|a --> b|2|*OK,Alle überspringen,Abbrechen|2"},
        {[&] { return questions.tell("Folgende Dateien:\r\rb --> a", "Kesto"), true; },
         QMessageBox::Ok, "Kesto|Folgende Dateien:\n\nb --> a|1|OK|1"},
    };
    for (const auto &[ask, click, shown] : cases) {
        QString seen;
        test::whenShown<QMessageBox>([&seen, click](QMessageBox *box) {
            seen = shownBox(box);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            (click ? box->button(click) : box->findChild<QAbstractButton *>("SkipAll"))->click();
        });
        seen += QString("|%1").arg(ask());
        EXPECT_EQ(seen, shown);
    }

    // The folder question: a button by its place (4: Escape), the check box ticked or not.
    for (const auto &[button, hidden, answer] :
         {std::tuple{0, false, "1 0"}, {1, true, "2 1"}, {2, false, "3 0"}, {4, true, "0 1"}}) {
        QString seen;
        test::whenShown<QMessageBox>([&seen, button = button, hidden = hidden](QMessageBox *box) {
            seen = shownBox(box) + '|' + box->checkBox()->text();
            box->checkBox()->setChecked(hidden);
            button < 4 ? box->buttons().at(button)->click() : QTest::keyClick(box, Qt::Key_Escape);
        });
        const UserQuestions::FolderAnswer a = questions.askFolderFiles("Welche?\r", "Kesto");
        EXPECT_EQ(seen + QString("|%1 %2").arg(int(a.files)).arg(a.hidden),
                  "Kesto|Welche?\n|4|*Nur die Dateien im Ordner,Mit allen Unterordnern,Ordner "
                  "selbst umbenennen,Abbrechen|"
                  "Auch versteckte Dateien|" +
                      QString(answer));
    }

    test::whenShown<QInputDialog>([](QInputDialog *box) {
        EXPECT_EQ(box->windowTitle() + "|" + box->labelText() + "|" + box->textValue() + "|" +
                      box->cancelButtonText(),
                  "Titel|Name:|Vorgabe|Abbrechen");
        box->setTextValue("Urlaub 2024");
        box->accept();
    });
    EXPECT_EQ(questions.askText("Name:", "Titel", "Vorgabe"), "Urlaub 2024");
}

} // namespace
