#pragma once

#include <QObject>
#include <QStringList>

namespace kesto {

/// The entries of the digit-count list and the chosen one. Choosing an entry
/// announces it through entryChosen(), as a click on the list would.
class DigitChoices : public QObject
{
    Q_OBJECT
public:
    explicit DigitChoices(QObject *parent = nullptr);

    QStringList entries() const { return m_entries; }
    int chosenIndex() const { return m_chosen; }
    /// The text of the chosen entry, empty when none is chosen.
    QString chosenText() const;

    /// Replaces the entries; afterwards no entry is chosen.
    void setEntries(const QStringList &entries);
    /// Chooses entry \a index (ignored when out of range) and emits entryChosen().
    void choose(int index);

Q_SIGNALS:
    void entriesChanged();
    void entryChosen(int index);

private:
    QStringList m_entries;
    int m_chosen = -1;
};

/// Recomputes MinDigits, the number of characters of the largest counter
/// value start + (rows - 1) * step (a minus sign counts), and refills
/// \a choices with MinDigits .. 12 when the chosen entry is smaller. Returns
/// MinDigits.
int AdjustDigitChoices(int rows, qint32 counterStart, qint32 counterStep, DigitChoices &choices);

} // namespace kesto
