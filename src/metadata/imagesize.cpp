#include "metadata/imagefacts.h"

#include "metadata/modules_p.h"
#include "metadata/photofacts_p.h"

#include <QCoreApplication>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ImageSize)
};

using ReaderFunction = void (*)(const QString *, QSize *);

} // namespace

QSize ReadImageSize(const QString &path)
{
    // A RAW file's own size lies in a directory Qt does not read, if Qt reads
    // the file at all; the formats read here spare loading the GUI library.
    QSize size = OwnImageSize(path);
    if (size.isValid())
        return size;
    static const auto reader = reinterpret_cast<ReaderFunction>(LoadModuleFunction(
        "kesto_imagesize", "kesto_read_image_size",
        Text::tr("Kesto: Das Modul zum Lesen von Bildgrößen fehlt; [BREITE] und [HÖHE] "
                 "bleiben leer.\n")));
    if (reader)
        reader(&path, &size);
    return size;
}

} // namespace kesto
