#include "ui/dialogquestions.h"

#include <QInputDialog>
#include <QMessageBox>

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

bool DialogQuestions::askYesNo(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, displayText(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool DialogQuestions::askOkCancel(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Warning, title, displayText(text),
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void DialogQuestions::tell(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Information, title, displayText(text), QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace kesto
