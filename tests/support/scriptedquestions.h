#pragma once

#include "storage/questions.h"

#include <QList>
#include <QStringList>

namespace kesto::test {

/// Answers the core's questions from queues filled by the test and records
/// every question asked. An empty queue answers "" / No / Cancel / no files.
class ScriptedQuestions : public UserQuestions
{
public:
    struct Asked
    {
        QString kind; ///< "text", "yesno", "confirm", "okcancel", "failure" or "folder"
        QString text;
        QString title;
        QString preset;
    };

    QStringList textAnswers;
    QList<bool> yesNoAnswers;
    QList<bool> okCancelAnswers;
    QList<bool> confirmAnswers;
    QList<FailureAnswer> failureAnswers;
    QList<FolderAnswer> folderAnswers;
    QList<Asked> asked;

    QString askText(const QString &prompt, const QString &title, const QString &preset) override
    {
        asked.append({QStringLiteral("text"), prompt, title, preset});
        return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
    }
    bool askYesNo(const QString &text, const QString &title) override
    {
        asked.append({QStringLiteral("yesno"), text, title, {}});
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    bool confirm(const QString &text, const QString &title) override
    {
        asked.append({QStringLiteral("confirm"), text, title, {}});
        return !confirmAnswers.isEmpty() && confirmAnswers.takeFirst();
    }
    bool askOkCancel(const QString &text, const QString &title) override
    {
        asked.append({QStringLiteral("okcancel"), text, title, {}});
        return !okCancelAnswers.isEmpty() && okCancelAnswers.takeFirst();
    }
    /// Answers from failureAnswers, else as an OK/Cancel question does.
    FailureAnswer askAfterFailure(const QString &text, const QString &title) override
    {
        if (failureAnswers.isEmpty())
            return UserQuestions::askAfterFailure(text, title);
        asked.append({QStringLiteral("failure"), text, title, {}});
        return failureAnswers.takeFirst();
    }
    FolderAnswer askFolderFiles(const QString &text, const QString &title) override
    {
        asked.append({QStringLiteral("folder"), text, title, {}});
        return folderAnswers.isEmpty() ? FolderAnswer() : folderAnswers.takeFirst();
    }
};

} // namespace kesto::test
