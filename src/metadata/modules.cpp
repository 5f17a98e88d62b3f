#include "metadata/modules_p.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace kesto {

QFunctionPointer LoadModuleFunction(const char *module, const char *function,
                                    const QString &missing)
{
    const QStringList candidates{QCoreApplication::applicationDirPath() +
                                     QStringLiteral("/" KESTO_MODULE_RELDIR),
                                 QStringLiteral(KESTO_MODULE_BUILDDIR)};
    for (const QString &dir : candidates) {
        QLibrary library(dir + u'/' + QLatin1StringView(module));
        if (QFunctionPointer f = library.resolve(function))
            return f;
    }
    std::fputs(missing.toUtf8().constData(), stderr);
    return nullptr;
}

} // namespace kesto
