#pragma once

#include "storage/keybar.h"

#include <QString>
#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace kesto {

class UserQuestions;

/// The 24 placeholder keys "Btn200" .. "Btn223" over a KeyBar: a left click
/// inserts the key's text into the mask field, a right-button press (or the
/// keyboard's context menu on a focused key) asks for a new text. Tab skips
/// the keys without text. Keys are numbered 0 .. 23 here, as in KeyBar.
class KeyBarWidget : public QWidget
{
    Q_OBJECT
public:
    /// Keys bound to \a keys that insert into \a maskField and ask through \a questions.
    KeyBarWidget(KeyBar &keys, QLineEdit *maskField, UserQuestions &questions,
                 QWidget *parent = nullptr);

    /// A key bar filling \a area, also when the area changes its size; its
    /// keys follow \a maskField in the tab order.
    static KeyBarWidget *createIn(QWidget *area, KeyBar &keys, QLineEdit *maskField,
                                  UserQuestions &questions);

    /// Loads the keys from \a keysIni (creating it on a first start) and keeps
    /// the path for later definitions.
    void InitKeyBar(const QString &keysIni);

    QPushButton *button(int n) const;
    /// The designed grid.
    QSize sizeHint() const override;

    /// The click action of key \a n: its text replaces the selection of the
    /// mask field, or goes in at the caret, and the field gets the focus.
    void InsertKeyText(int n);
    /// The right-press action of key \a n: asks for its text, then shows the
    /// tooltips of all keys anew.
    void DefineKey(int n);

    /// Whether key tooltips are shown; later definitions follow it.
    void setTooltipsOn(bool on) { m_tooltipsOn = on; }

    /// The text a button shows for a caption: an ampersand stays visible
    /// instead of marking an access key.
    static QString buttonText(const QString &caption);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showCaption(int n);
    void applyFocusRule(int n);
    void placeKeys();

    KeyBar &m_keys;
    QLineEdit *m_maskField;
    UserQuestions &m_questions;
    QString m_keysIni;
    bool m_tooltipsOn = false;
    std::array<QPushButton *, KeyBar::KeyCount> m_buttons{};
};

} // namespace kesto
