#pragma once

#include "storage/questions.h"

#include <QObject>
#include <QString>

#include <array>

namespace kesto {

/// The assignments of the 24 placeholder keys and the keys file that keeps
/// them ("Kesto-Tasten.INI", section "Tasten", keys "0" .. "23"). Key numbers
/// run from 0 to 23; the window shows key n as its button 200 + n.
class KeyBar : public QObject
{
    Q_OBJECT
public:
    static constexpr int KeyCount = 24;

    /// The text a key inserts, and how far the caret moves back afterwards.
    struct Insertion
    {
        QString text;
        int caretCorrection = 0;
    };

    /// A bar whose keys carry their default texts.
    explicit KeyBar(QObject *parent = nullptr);

    /// The text key \a n has on a first start ("" for an undefined key).
    static QString defaultText(int n);
    /// The caption a key with \a text shows: the text if it has fewer than 17
    /// characters, else its first 16 characters and "...".
    static QString captionFor(const QString &text);
    /// The text an old abbreviation ("[H]", "[M]", "[S]", "[RDATUM]", any letter
    /// case) stands for; any other text unchanged.
    static QString replaceOldAbbreviation(const QString &text);

    /// The assigned text of key \a n ("" for an undefined key or a bad \a n).
    QString text(int n) const;
    QString caption(int n) const { return captionFor(text(n)); }
    /// The tooltip of key \a n while the tooltip switch is \a tooltipsOn.
    QString tooltip(int n, bool tooltipsOn) const;
    /// What a click on key \a n inserts into the mask: "[ ]" inserts "[]" with
    /// the caret between the brackets.
    Insertion insertion(int n) const;

    /// Loads the keys from \a keysIni, old abbreviations replaced (the file keeps
    /// them). Without keys in the file (no file, an empty one) the keys get their
    /// default texts, which are written into it; an unreadable file is left alone.
    void InitKeyBar(const QString &keysIni);

    /// Assigns \a text to key \a n.
    void SetKey(int n, const QString &text);

    /// Asks the user for the text of key \a n and stores it in \a keysIni: an
    /// empty answer changes nothing, blanks only make the key undefined.
    /// True when the key was changed.
    bool DefineKey(int n, UserQuestions &questions, const QString &keysIni);

Q_SIGNALS:
    /// Key \a n got a text (its caption and tooltip are to be shown anew).
    void keyChanged(int n);

private:
    std::array<QString, KeyCount> m_texts;
};

} // namespace kesto
