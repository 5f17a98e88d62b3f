#include "ui/fieldfilters.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace kesto {

bool DigitKeyFilter::refuses(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // Keys without a printable character (backspace, Tab, Enter, cursor keys,
    // Delete) keep their work in the field and in the window.
    for (QChar c : event.text()) {
        if (c.isPrint() && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return true;
    }
    return false;
}

bool DigitKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && refuses(*static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

bool SelectAllOnFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched)) {
            // After the mouse press that gave the focus has placed the caret.
            QPointer<QLineEdit> guarded(edit);
            QTimer::singleShot(0, edit, [guarded] {
                if (guarded && guarded->hasFocus())
                    guarded->selectAll();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kesto
