// Kept apart from the other image facts so that a program that never asks for
// a pixel size is not linked against the GUI library.
#include "metadata/imagefacts.h"

#include <QImageReader>

namespace kesto {

QSize ReadImageSize(const QString &path)
{
    QImageReader reader(path);
    return reader.size();
}

} // namespace kesto
