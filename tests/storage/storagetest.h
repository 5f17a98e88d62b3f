#pragma once

// Readable failure messages for the Qt types the storage tests compare, and
// helpers of the storage tests.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toPercentEncoding(" =[]\"';:,.-_/").toStdString() << '"';
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{';
    for (const QString &s : l)
        *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}

#include <functional>

namespace kesto::test {

/// Runs \a checks (gtest assertions) where files that allow nobody to read
/// them cannot be read: directly for an ordinary user, for root in a child
/// process as the user "nobody" (make the folders it uses open to all).
/// False when that cannot be done; the caller then skips its assertions.
bool RunWithoutReadRights(const std::function<void()> &checks);

} // namespace kesto::test
