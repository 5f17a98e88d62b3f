#include "metadata/checksum.h"

#include "metadata/modules_p.h"

#include <QCoreApplication>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Checksum)
};

using ChecksumFunction = void (*)(const QString *, QString *);

} // namespace

QString FileChecksum(const QString &path)
{
    static const auto function = reinterpret_cast<ChecksumFunction>(LoadModuleFunction(
        "kesto_checksum", "kesto_file_checksum",
        Text::tr("Kesto: Das Modul zum Berechnen von Prüfsummen fehlt; [PRÜFSUMME] bleibt "
                 "leer.\n")));
    QString checksum;
    if (function)
        function(&path, &checksum);
    return checksum;
}

} // namespace kesto
