#include "ui/dialogquestions.h"

#include "ui/windowtexts.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kesto {

QString DialogQuestions::displayText(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QString DialogQuestions::askText(const QString &prompt, const QString &title, const QString &preset)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, displayText(title), displayText(prompt),
                                                 QLineEdit::Normal, preset, &ok);
    return ok ? answer : QString();
}

namespace {

bool askYesNoWithDefault(QWidget *parent, const QString &text, const QString &title,
                         QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, DialogQuestions::displayText(text),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// A warning with OK as default and Cancel on Escape.
void makeOkCancel(QMessageBox &box)
{
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
}

} // namespace

bool DialogQuestions::askYesNo(const QString &text, const QString &title)
{
    return askYesNoWithDefault(m_parent, text, title, QMessageBox::No);
}

bool DialogQuestions::confirm(const QString &text, const QString &title)
{
    return askYesNoWithDefault(m_parent, text, title, QMessageBox::Yes);
}

bool DialogQuestions::askOkCancel(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, displayText(text), QMessageBox::NoButton,
                    m_parent);
    makeOkCancel(box);
    return box.exec() == QMessageBox::Ok;
}

UserQuestions::FailureAnswer DialogQuestions::askAfterFailure(const QString &text,
                                                              const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, displayText(text), QMessageBox::NoButton,
                    m_parent);
    makeOkCancel(box);
    QPushButton *skipAll = box.addButton(windowtexts::skipAllCaption(), QMessageBox::AcceptRole);
    skipAll->setObjectName(QStringLiteral("SkipAll"));
    box.exec();
    if (box.clickedButton() == skipAll)
        return FailureAnswer::SkipAll;
    return box.clickedButton() == box.button(QMessageBox::Ok) ? FailureAnswer::GoOn
                                                              : FailureAnswer::Stop;
}

UserQuestions::FolderAnswer DialogQuestions::askFolderFiles(const QString &text,
                                                            const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, displayText(text), QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *own = box.addButton(windowtexts::ownFilesCaption(), QMessageBox::AcceptRole);
    QPushButton *all = box.addButton(windowtexts::withSubfoldersCaption(), QMessageBox::AcceptRole);
    QPushButton *itself =
        box.addButton(windowtexts::folderItselfCaption(), QMessageBox::AcceptRole);
    box.setDefaultButton(own);
    box.setEscapeButton(QMessageBox::Cancel);
    box.setCheckBox(new QCheckBox(windowtexts::hiddenFilesCaption()));
    box.exec();
    using Files = FolderAnswer::Files;
    const Files files = box.clickedButton() == own      ? Files::OwnFiles
                        : box.clickedButton() == all    ? Files::WithSubfolders
                        : box.clickedButton() == itself ? Files::FolderItself
                                                        : Files::None;
    return {files, box.checkBox()->isChecked()};
}

void DialogQuestions::tell(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Information, title, displayText(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace kesto
