#include "support/scriptedquestions.h"

namespace kesto::test {

QString ScriptedQuestions::askText(const QString &prompt, const QString &title,
                                   const QString &preset)
{
    asked.append({QStringLiteral("text"), prompt, title, preset});
    return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
}

bool ScriptedQuestions::askYesNo(const QString &text, const QString &title)
{
    asked.append({QStringLiteral("yesno"), text, title, {}});
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
}

bool ScriptedQuestions::askOkCancel(const QString &text, const QString &title)
{
    asked.append({QStringLiteral("okcancel"), text, title, {}});
    return okCancelAnswers.isEmpty() ? false : okCancelAnswers.takeFirst();
}

} // namespace kesto::test
