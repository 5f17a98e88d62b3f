#pragma once

#include "rename/batch.h"
#include "support/tempfiles.h"

#include <QFile>
#include <QStringList>

namespace kesto::test {

/// The moves of the "from>to" pairs in \a dir, in the given order; an old
/// name not there yet is made as a file that holds its name.
inline QList<Move> movesIn(TempFolder &dir, const QStringList &pairs)
{
    QList<Move> moves;
    for (const QString &pair : pairs) {
        const QString from = pair.section(u'>', 0, 0);
        if (!dir.exists(from))
            dir.write(from, from.toUtf8());
        moves.append({QFile::encodeName(dir.path() + u'/'),
                      from.toUtf8(),
                      pair.section(u'>', 1).toUtf8(),
                      {}});
    }
    return moves;
}

} // namespace kesto::test
