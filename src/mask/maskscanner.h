#pragma once

#include <QStringView>

#include <optional>

namespace kesto {

/// The cursor over a mask text: reads keywords and numbers in any letter case.
/// Positions count from 1, as in the messages users see.
class MaskScanner
{
public:
    explicit MaskScanner(QStringView text)
        : m_text(text)
    {}

    /// True and behind the keyword when the characters at the cursor, in
    /// capitals, equal \a keyword (written in capitals); else nothing moves.
    bool MatchKeyword(QStringView keyword);

    /// True and behind the digits when a digit 0-9 stands at the cursor; the
    /// value is number(), or 0 with tooBig() when it passed MaxMaskNumber.
    bool ReadNumber();

    int number() const { return m_number; }
    bool tooBig() const { return m_tooBig; }
    bool atEnd() const { return m_cursor > m_text.size(); }

    /// The text from the cursor up to the next "[" or "/" (or the end); the
    /// cursor moves to that character.
    QStringView takeLiteral();

    /// The text from the cursor up to the next \a end, as written; the cursor
    /// moves behind that \a end. Nothing, and no move, when none follows.
    std::optional<QStringView> takeUpTo(QChar end);

private:
    QStringView m_text;
    int m_cursor = 1;
    int m_number = 0;
    bool m_tooBig = false;
};

} // namespace kesto
