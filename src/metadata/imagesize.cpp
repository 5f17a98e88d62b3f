#include "metadata/imagefacts.h"

#include "metadata/photofacts_p.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ImageSize)
};

using ReaderFunction = void (*)(const QString *, QSize *);

// The module next to an installed program, else the one of the build tree.
ReaderFunction loadReader()
{
    const QStringList candidates{QCoreApplication::applicationDirPath() +
                                     QStringLiteral("/" KESTO_IMAGESIZE_RELDIR),
                                 QStringLiteral(KESTO_IMAGESIZE_BUILDDIR)};
    for (const QString &dir : candidates) {
        QLibrary module(dir + QStringLiteral("/kesto_imagesize"));
        if (auto f = reinterpret_cast<ReaderFunction>(module.resolve("kesto_read_image_size")))
            return f;
    }
    std::fputs(Text::tr("Kesto: Das Modul zum Lesen von Bildgrößen fehlt; [BREITE] und [HÖHE] "
                        "bleiben leer.\n")
                   .toUtf8()
                   .constData(),
               stderr);
    return nullptr;
}

} // namespace

QSize ReadImageSize(const QString &path)
{
    // A RAW file's own size lies in a directory Qt does not read, if Qt reads
    // the file at all; the formats read here spare loading the GUI library.
    QSize size = OwnImageSize(path);
    if (size.isValid())
        return size;
    static const ReaderFunction reader = loadReader();
    if (reader)
        reader(&path, &size);
    return size;
}

} // namespace kesto
