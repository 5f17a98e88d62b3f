#include "storage/keybar.h"

#include "storage/ini.h"
#include "storage/messages.h"

namespace kesto {

namespace {

QString section()
{
    return QStringLiteral("Tasten");
}

bool validKey(int n)
{
    return n >= 0 && n < KeyBar::KeyCount;
}

bool blanksOnly(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; });
}

// Position behind the first \a count characters (a surrogate pair is one).
qsizetype positionAfterCharacters(const QString &text, int count)
{
    qsizetype i = 0;
    for (int seen = 0; seen < count && i < text.size(); ++seen) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        i += pair ? 2 : 1;
    }
    return i;
}

} // namespace

KeyBar::KeyBar(QObject *parent)
    : QObject(parent)
{
    for (int n = 0; n < KeyCount; ++n)
        m_texts[n] = defaultText(n);
}

QString KeyBar::defaultText(int n)
{
    switch (n) {
    case 0:
        return QStringLiteral("[name]");
    case 1:
        return QStringLiteral("[typ]");
    case 2:
        return QStringLiteral("[zahl]");
    case 3:
        return QStringLiteral("[datum]");
    case 5:
        return QStringLiteral("[zeit]");
    case 6:
        return QStringLiteral("[tag]");
    case 7:
        return QStringLiteral("[monat]");
    case 8:
        return QStringLiteral("[jahr]");
    case 10:
        return QStringLiteral("[stunde]");
    case 11:
        return QStringLiteral("[minute]");
    case 12:
        return QStringLiteral("[sekunde]");
    case 13:
        return QStringLiteral("[dir]");
    case 15:
        return QStringLiteral("[ ]");
    default:
        return QString();
    }
}

QString KeyBar::captionFor(const QString &text)
{
    const qsizetype cut = positionAfterCharacters(text, 16);
    if (cut == text.size())
        return text;
    return text.left(cut) + QStringLiteral("...");
}

QString KeyBar::replaceOldAbbreviation(const QString &text)
{
    static const std::pair<const char16_t *, const char16_t *> table[] = {
        {u"[H]", u"[stunde]"},
        {u"[M]", u"[minute]"},
        {u"[S]", u"[sekunde]"},
        {u"[RDATUM]", u"[tag]-[monat]-[jahr]"},
    };
    for (const auto &[old, replacement] : table) {
        if (text.compare(QStringView(old), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(replacement);
    }
    return text;
}

QString KeyBar::text(int n) const
{
    return validKey(n) ? m_texts[n] : QString();
}

QString KeyBar::tooltip(int n, bool tooltipsOn) const
{
    if (!tooltipsOn)
        return QString();
    const QString assigned = text(n);
    return blanksOnly(assigned) ? storagemessages::undefinedKeyTooltip()
                                : storagemessages::keyTooltip(assigned);
}

KeyBar::Insertion KeyBar::insertion(int n) const
{
    const QString assigned = text(n);
    if (assigned == u"[ ]")
        return {QStringLiteral("[]"), -1};
    return {assigned, 0};
}

void KeyBar::InitKeyBar(const QString &keysIni)
{
    int error = 0;
    const std::optional<IniSection> stored = IniGetSection(section(), keysIni, &error);
    if (stored) {
        for (int n = 0; n < KeyCount; ++n)
            SetKey(n, replaceOldAbbreviation(stored->value(QString::number(n), QString())));
        return;
    }
    // A file without the keys (empty after a full disk, say) gets the defaults
    // like a first start, which adds them and loses nothing; one that cannot be
    // read gets them only for this run.
    QList<IniEntry> entries;
    for (int n = 0; n < KeyCount; ++n) {
        SetKey(n, defaultText(n));
        entries.append({QString::number(n), m_texts[n]});
    }
    if (error == 0)
        IniPutStrings(section(), entries, keysIni);
}

void KeyBar::SetKey(int n, const QString &text)
{
    if (!validKey(n))
        return;
    m_texts[n] = text;
    Q_EMIT keyChanged(n);
}

bool KeyBar::DefineKey(int n, UserQuestions &questions, const QString &keysIni)
{
    if (!validKey(n))
        return false;
    const QString answer = IniFlattenLineBreaks(questions.askText(
        storagemessages::defineKeyPrompt(), storagemessages::defineKeyTitle(), m_texts[n]));
    if (answer.isEmpty())
        return false;
    const QString assigned = blanksOnly(answer) ? QString() : answer;
    IniPutString(section(), QString::number(n), assigned, keysIni);
    SetKey(n, assigned);
    return true;
}

} // namespace kesto
