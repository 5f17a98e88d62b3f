#pragma once

#include "rename/batch.h"
#include "support/tempfiles.h"

#include <QFile>

namespace kesto::test {

/// The moves of the "from>to" pairs in \a dir, in the given order; an old
/// name not there yet is made as a file that holds its name.
inline QList<Move> movesIn(TempFolder &dir, const QStringList &pairs)
{
    QList<Move> moves;
    const QByteArray folder = QFile::encodeName(dir.path() + u'/');
    for (const QString &pair : pairs) {
        const QString from = pair.section(u'>', 0, 0);
        if (!dir.exists(from))
            dir.write(from, from.toUtf8());
        moves.append({folder, from.toUtf8(), pair.section(u'>', 1).toUtf8(), {}});
    }
    return moves;
}

// The files in \a dir as "name=content", a temporary name shown as "*".
inline QString filesIn(const TempFolder &dir)
{
    QStringList files;
    for (const auto &[name, content] : dir.contents().asKeyValueRange())
        files << (name.startsWith(u".kesto-") ? QStringLiteral("*") : name) + u'=' +
                     QString::fromUtf8(content);
    return files.join(u' ');
}

} // namespace kesto::test
