#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace kesto {

class KeyBar;

/// A control of the main window, by object name, and its tooltip.
struct ControlTooltip
{
    QString objectName;
    QString tooltip;
};

/// The tooltips of the window's controls while the switch is on, in the order
/// in which they are set. The placeholder keys are not in it, nor the undo
/// command, whose tooltip names the batch it would undo.
const QList<ControlTooltip> &TooltipTable();

/// Sets the tooltips of the keys "Btn200" .. "Btn223" under \a root from
/// \a keys, or empties them when \a on is false.
void KeyTooltips(QWidget *root, bool on, const KeyBar &keys);

/// Sets every tooltip under \a root as the switch \a on says: on, the keys and
/// then the table; off, every "Btn" button and every control of the table
/// empty. Key bars under \a root keep following the switch when a key is
/// defined later.
void ApplyTooltips(QWidget *root, bool on, const KeyBar &keys);

} // namespace kesto
