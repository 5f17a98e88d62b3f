#pragma once

#include "storage/questions.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kesto::test {

/// Answers the core's questions from queues filled by the test and records
/// every question asked. An empty queue answers "" / No / Cancel.
class ScriptedQuestions : public UserQuestions
{
public:
    struct Asked
    {
        QString kind; ///< "text", "yesno" or "okcancel"
        QString text;
        QString title;
        QString preset;
    };

    QStringList textAnswers;
    QList<bool> yesNoAnswers;
    QList<bool> okCancelAnswers;
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
    bool askOkCancel(const QString &text, const QString &title) override
    {
        asked.append({QStringLiteral("okcancel"), text, title, {}});
        return !okCancelAnswers.isEmpty() && okCancelAnswers.takeFirst();
    }
};

} // namespace kesto::test
