#include "ui/dialogquestions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace kesto;

namespace {

// Runs \a answer on the modal dialog once it is up.
template<typename Dialog> void whenShown(const std::function<void(Dialog *)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(dialog);
    });
}

TEST(DialogQuestions, MessagesShowCarriageReturnsAsLineBreaksAndNoIsTheDefault)
{
    DialogQuestions questions;
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "Die Maske 'a' existiert.\nÜberschreiben?");
        EXPECT_EQ(box->windowTitle(), "Kesto - Maske löschen");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->defaultButton()->click();
    });
    EXPECT_FALSE(
        questions.askYesNo("Die Maske 'a' existiert.\r\nÜberschreiben?", "Kesto - Maske löschen"));
    whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(questions.askYesNo("Wirklich?", "Kesto"));

    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "Folgende Datei:\n\n/a/<b>.txt\n-->\n/a/c.txt");
        EXPECT_EQ(box->textFormat(), Qt::PlainText) << "a path is no markup";
        box->defaultButton()->click();
    });
    EXPECT_TRUE(questions.askOkCancel("Folgende Datei:\r\r/a/<b>.txt\r-->\r/a/c.txt", "Kesto"));
    whenShown<QMessageBox>([](QMessageBox *b) { b->button(QMessageBox::Cancel)->click(); });
    EXPECT_FALSE(questions.askOkCancel("x", "Kesto"));
}

TEST(DialogQuestions, TheInputBoxGivesTheAnswerOrNothingWhenCancelled)
{
    DialogQuestions questions;
    whenShown<QInputDialog>([](QInputDialog *box) {
        EXPECT_EQ(box->windowTitle() + "|" + box->labelText() + "|" + box->textValue(),
                  "Titel|Name:|Vorgabe");
        box->setTextValue("Urlaub 2024");
        box->accept();
    });
    EXPECT_EQ(questions.askText("Name:", "Titel", "Vorgabe"), "Urlaub 2024");
    whenShown<QInputDialog>([](QInputDialog *box) {
        box->setTextValue("wird verworfen");
        box->reject();
    });
    EXPECT_EQ(questions.askText("?", "Kesto", QString()), QString());
}

} // namespace
