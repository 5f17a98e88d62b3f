#pragma once

#include "storage/questions.h"

#include <QPointer>
#include <QWidget>

namespace kesto {

/// Answers the core's questions with dialogs over \a parent: an input box,
/// Yes/No with the question icon and No as default (Yes for a confirmation),
/// OK/Cancel for a failure,
/// an information with OK only for a message.
/// The core's carriage returns are shown as line breaks.
class DialogQuestions : public UserQuestions
{
public:
    explicit DialogQuestions(QWidget *parent = nullptr)
        : m_parent(parent)
    {}

    void setParent(QWidget *parent) { m_parent = parent; }

    QString askText(const QString &prompt, const QString &title, const QString &preset) override;
    bool askYesNo(const QString &text, const QString &title) override;
    bool confirm(const QString &text, const QString &title) override;
    bool askOkCancel(const QString &text, const QString &title) override;
    /// OK, "Alle überspringen" and Cancel, with OK as default.
    FailureAnswer askAfterFailure(const QString &text, const QString &title) override;
    void tell(const QString &text, const QString &title) override;
    /// "Nur die Dateien im Ordner" (the default), "Mit allen Unterordnern"
    /// and Cancel, with a check box for hidden files.
    FolderAnswer askFolderFiles(const QString &text, const QString &title) override;

    /// \a text with "\r\n" and a lone "\r" turned into "\n".
    static QString displayText(const QString &text);

private:
    QPointer<QWidget> m_parent;
};

} // namespace kesto
