#pragma once

#include <QFunctionPointer>
#include <QString>

namespace kesto {

/// The function \a function of Kesto's module \a module (such as
/// "kesto_imagesize"), found next to an installed program or else in the build
/// tree; null when the module or its function is missing, after \a missing was
/// written to stderr. Libraries that only some placeholders need live in such
/// modules, loaded on first use, so that the programs start without them.
QFunctionPointer LoadModuleFunction(const char *module, const char *function,
                                    const QString &missing);

} // namespace kesto
