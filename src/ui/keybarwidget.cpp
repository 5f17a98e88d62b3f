#include "ui/keybarwidget.h"

#include "ui/tooltips.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace kesto {

namespace {

// The designed grid, in twips (15 twips to a pixel): five columns filled
// column by column, five keys to a column, four in the last.
constexpr int ColumnLeft[] = {0, 2070, 4140, 6210, 8280};
constexpr int RowTop[] = {570, 1050, 1530, 1980, 2430};
constexpr int KeyWidth = 2000;
constexpr int LastColumnKeyWidth = 2115;
constexpr int KeyHeight = 400;
constexpr int KeysPerColumn = 5;

constexpr int GridWidth = 8280 + LastColumnKeyWidth;

int pixels(double twips)
{
    return qRound(twips / 15.0);
}

// Key \a n with the grid's columns narrowed to \a scale of their width.
QRect keyGeometry(int n, double scale)
{
    const int column = n / KeysPerColumn;
    const int row = n % KeysPerColumn;
    const int width = column == 4 ? LastColumnKeyWidth : KeyWidth;
    const int left = pixels(ColumnLeft[column] * scale);
    return QRect(left, pixels(RowTop[row]), pixels((ColumnLeft[column] + width) * scale) - left,
                 pixels(KeyHeight));
}

} // namespace

KeyBarWidget::KeyBarWidget(KeyBar &keys, QLineEdit *maskField, UserQuestions &questions,
                           QWidget *parent)
    : QWidget(parent)
    , m_keys(keys)
    , m_maskField(maskField)
    , m_questions(questions)
{
    setObjectName(QStringLiteral("KeyBar"));
    for (int n = 0; n < KeyBar::KeyCount; ++n) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Btn%1").arg(200 + n));
        // The right button defines the key; it must not open a menu of the window as well.
        button->setContextMenuPolicy(Qt::PreventContextMenu);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, n] { InsertKeyText(n); });
        m_buttons[n] = button;
        showCaption(n);
    }
    placeKeys();
    connect(&m_keys, &KeyBar::keyChanged, this, &KeyBarWidget::showCaption);
}

KeyBarWidget *KeyBarWidget::createIn(QWidget *area, KeyBar &keys, QLineEdit *maskField,
                                     UserQuestions &questions)
{
    auto *bar = new KeyBarWidget(keys, maskField, questions, area);
    if (area->layout()) {
        area->layout()->addWidget(bar);
    } else {
        // The bar follows the area, which the window narrows and widens.
        bar->setGeometry(area->rect());
        area->installEventFilter(bar);
    }
    if (maskField && maskField->window() == bar->window()) {
        // The keys follow the mask field they write into, also those that
        // Tab skips while they have no text (Qt orders only focusable ones).
        QWidget *previous = maskField;
        for (QPushButton *key : bar->m_buttons) {
            key->setFocusPolicy(Qt::TabFocus);
            QWidget::setTabOrder(previous, key);
            previous = key;
        }
        for (int n = 0; n < KeyBar::KeyCount; ++n)
            bar->applyFocusRule(n);
    }
    bar->setVisible(true);
    return bar;
}

void KeyBarWidget::InitKeyBar(const QString &keysIni)
{
    m_keysIni = keysIni;
    m_keys.InitKeyBar(keysIni);
}

QSize KeyBarWidget::sizeHint() const
{
    return QSize(pixels(GridWidth), pixels(RowTop[KeysPerColumn - 1] + KeyHeight));
}

void KeyBarWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeKeys();
}

void KeyBarWidget::placeKeys()
{
    // Narrower than designed, the keys narrow with the bar; wider, they keep their size.
    const double scale = std::min(1.0, double(width()) / pixels(GridWidth));
    for (int n = 0; n < KeyBar::KeyCount; ++n)
        m_buttons[n]->setGeometry(keyGeometry(n, scale));
}

QPushButton *KeyBarWidget::button(int n) const
{
    return n >= 0 && n < KeyBar::KeyCount ? m_buttons[n] : nullptr;
}

QString KeyBarWidget::buttonText(const QString &caption)
{
    QString text = caption;
    return text.replace(u'&', QStringLiteral("&&"));
}

void KeyBarWidget::showCaption(int n)
{
    QPushButton *b = button(n);
    if (!b)
        return;
    b->setText(buttonText(m_keys.caption(n)));
    // A screen reader gets the whole text, also where the caption is cut, and
    // an empty key still has a name.
    const QString text = m_keys.text(n).trimmed();
    b->setAccessibleName(text.isEmpty() ? tr("Undefinierte Taste %1").arg(n + 1)
                                        : tr("Taste %1").arg(m_keys.text(n)));
    applyFocusRule(n);
}

void KeyBarWidget::applyFocusRule(int n)
{
    // A click must not take the focus: the mask field would lose its
    // selection, which the key's text is to replace. A key that inserts
    // nothing is no stop on the way through the window.
    m_buttons[n]->setFocusPolicy(m_keys.text(n).trimmed().isEmpty() ? Qt::NoFocus : Qt::TabFocus);
}

void KeyBarWidget::InsertKeyText(int n)
{
    if (!m_maskField)
        return;
    const KeyBar::Insertion insertion = m_keys.insertion(n);
    if (!insertion.text.isEmpty()) {
        m_maskField->insert(insertion.text);
        if (insertion.caretCorrection != 0)
            m_maskField->setCursorPosition(m_maskField->cursorPosition() +
                                           insertion.caretCorrection);
    }
    m_maskField->setFocus(Qt::OtherFocusReason);
}

void KeyBarWidget::DefineKey(int n)
{
    m_keys.DefineKey(n, m_questions, m_keysIni);
    KeyTooltips(this, m_tooltipsOn, m_keys);
}

bool KeyBarWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        return false;
    }
    // The right button, or the keys that open a context menu on a focused key.
    const bool define =
        (event->type() == QEvent::MouseButtonPress &&
         static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) ||
        (event->type() == QEvent::ContextMenu &&
         static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard);
    const auto key = std::find(m_buttons.begin(), m_buttons.end(), watched);
    if (key == m_buttons.end())
        return QWidget::eventFilter(watched, event);
    const int n = int(key - m_buttons.begin());
    if (define) {
        DefineKey(n);
        return true;
    }
    // Tab passes over the keys without text; the arrows reach every key of
    // the grid, so an empty one can be defined from the keyboard too.
    if (event->type() == QEvent::KeyPress) {
        int step = 0;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
            step = n % KeysPerColumn > 0 ? -1 : 0;
            break;
        case Qt::Key_Down:
            step = n % KeysPerColumn < KeysPerColumn - 1 ? 1 : 0;
            break;
        case Qt::Key_Left:
            step = -KeysPerColumn;
            break;
        case Qt::Key_Right:
            step = KeysPerColumn;
            break;
        default:
            return QWidget::eventFilter(watched, event);
        }
        if (QPushButton *next = button(n + step))
            next->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kesto
