#pragma once

#include <QString>
#include <QStringList>

namespace kesto {

/// Fills "%1" to "%10" (in this order, without regard to letter case) with
/// \a params (missing ones are empty), then resolves the backslash escapes
/// \T tab, \N carriage return, \L line feed, \H double quote; any other
/// escaped character stands for itself.
QString FormatMessage(const QString &messageTemplate, const QStringList &params = {});

} // namespace kesto
