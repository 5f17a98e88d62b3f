#include "filelist/digitchoices.h"

#include <algorithm>

namespace kesto {

DigitChoices::DigitChoices(QObject *parent)
    : QObject(parent)
{}

QString DigitChoices::chosenText() const
{
    return m_chosen >= 0 && m_chosen < m_entries.size() ? m_entries.at(m_chosen) : QString();
}

void DigitChoices::setEntries(const QStringList &entries)
{
    m_entries = entries;
    m_chosen = -1;
    Q_EMIT entriesChanged();
}

void DigitChoices::choose(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_chosen = index;
    Q_EMIT entryChosen(index);
}

int AdjustDigitChoices(int rows, qint32 counterStart, qint32 counterStep, DigitChoices &choices)
{
    // Computed wide: the counter range is checked by the preview pass, and the
    // digit count must not wrap before that check can speak.
    const qint64 last = qint64(counterStart) + (qint64(rows) - 1) * qint64(counterStep);
    const int minDigits = static_cast<int>(QString::number(last).size());
    if (choices.chosenText().toInt() < minDigits) {
        QStringList entries;
        for (int n = std::min(minDigits, 12); n <= 12; ++n)
            entries.append(QString::number(n));
        choices.setEntries(entries);
        choices.choose(0);
    }
    return minDigits;
}

} // namespace kesto
