#include "ui/dialogquestions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace kesto;

namespace {

// Runs \a inspect on the dialog that \a ask opens, once it is up.
template<typename Dialog> void whenShown(const std::function<void(Dialog *)> &inspect)
{
    QTimer::singleShot(0, [inspect] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        inspect(dialog);
    });
}

TEST(DialogQuestions, YesNoAsksWithTheQuestionIconAndNoAsDefault)
{
    DialogQuestions questions;
    QString text;
    whenShown<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        EXPECT_EQ(box->windowTitle(), "Kesto - Maske löschen");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        EXPECT_NE(box->button(QMessageBox::Yes), nullptr);
        box->defaultButton()->click();
    });
    EXPECT_FALSE(questions.askYesNo("Eine Maske mit dem Namen 'a' existiert bereits.\r\n"
                                    "Möchten Sie diese Maske überschreiben?",
                                    "Kesto - Maske löschen"));
    EXPECT_EQ(text, "Eine Maske mit dem Namen 'a' existiert bereits.\n"
                    "Möchten Sie diese Maske überschreiben?");

    whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(questions.askYesNo("Wirklich?", "Kesto"));
}

TEST(DialogQuestions, TheFailureDialogShowsCarriageReturnsAsLineBreaks)
{
    DialogQuestions questions;
    const QString cr(QChar(13));
    whenShown<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "Folgende Datei ließ sich nicht umbenennen:\n\n/a/<b>.txt\n-->\n"
                               "/a/c.txt");
        EXPECT_EQ(box->textFormat(), Qt::PlainText) << "a path is no markup";
        EXPECT_EQ(box->windowTitle(), "Kesto");
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(questions.askOkCancel("Folgende Datei ließ sich nicht umbenennen:" + cr + cr +
                                           "/a/<b>.txt" + cr + "-->" + cr + "/a/c.txt",
                                       "Kesto"));

    whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    EXPECT_TRUE(questions.askOkCancel("x", "Kesto"));
}

TEST(DialogQuestions, TheInputBoxGivesTheAnswerOrNothingWhenCancelled)
{
    DialogQuestions questions;
    whenShown<QInputDialog>([](QInputDialog *box) {
        EXPECT_EQ(box->windowTitle(), "Kesto - Aktuelle Maske speichern");
        EXPECT_EQ(box->labelText(), "Bitte geben Sie einen Namen ein:");
        EXPECT_EQ(box->textValue(), "Vorgabe");
        box->setTextValue("Urlaub 2024");
        box->accept();
    });
    EXPECT_EQ(questions.askText("Bitte geben Sie einen Namen ein:",
                                "Kesto - Aktuelle Maske speichern", "Vorgabe"),
              "Urlaub 2024");

    whenShown<QInputDialog>([](QInputDialog *box) {
        box->setTextValue("wird verworfen");
        box->reject();
    });
    EXPECT_EQ(questions.askText("?", "Kesto", QString()), QString());
}

} // namespace
