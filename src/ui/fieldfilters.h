#pragma once

#include <QObject>

class QKeyEvent;

namespace kesto {

/// Drops typed characters other than the digits 0 to 9 from a text field.
/// Backspace, cursor keys and shortcuts such as paste pass: pasted text is
/// made canonical by the next refresh instead.
class DigitKeyFilter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    /// Whether a key press is a character that a counter field refuses.
    static bool refuses(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

/// Selects the whole text of a line edit whenever it receives the focus, also
/// by a mouse click, which would otherwise put the caret where it landed.
class SelectAllOnFocus : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace kesto
