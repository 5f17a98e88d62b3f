// The only part of the core that needs the GUI library: reading an image's
// pixel size from its header. It is a module of its own, loaded on first use,
// so that the command-line tool starts without loading the GUI library and
// the dozen libraries behind it.

#include <QImageReader>
#include <QSize>
#include <QString>

extern "C" Q_DECL_EXPORT void kesto_read_image_size(const QString *path, QSize *size)
{
    QImageReader reader(*path);
    *size = reader.size();
}
