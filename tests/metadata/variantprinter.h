#pragma once

// Readable Exif values in GoogleTest failure messages.

#include <QVariant>

#include <ostream>

inline void PrintTo(const QVariant &v, std::ostream *os)
{
    if (!v.isValid())
        *os << "(empty)";
    else if (v.typeId() == QMetaType::Int)
        *os << "int " << v.toInt();
    else
        *os << '"' << v.toString().toStdString() << '"';
}
