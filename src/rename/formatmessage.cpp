#include "rename/formatmessage.h"

namespace kesto {

QString FormatMessage(const QString &messageTemplate, const QStringList &params)
{
    QString text = messageTemplate;
    for (int k = 1; k <= 10; ++k) {
        const QString marker = QLatin1Char('%') + QString::number(k);
        const QString value = k <= params.size() ? params.at(k - 1) : QString();
        qsizetype from = 0;
        for (;;) {
            const qsizetype at = text.indexOf(marker, from, Qt::CaseInsensitive);
            if (at < 0)
                break;
            text.replace(at, marker.size(), value);
            from = at + value.size();
        }
    }

    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= text.size())
            break;
        switch (text.at(i).toUpper().unicode()) {
        case 'T':
            out += QChar(9);
            break;
        case 'N':
            out += QChar(13);
            break;
        case 'L':
            out += QChar(10);
            break;
        case 'H':
            out += QChar(34);
            break;
        default:
            out += text.at(i);
        }
    }
    return out;
}

} // namespace kesto
