#include "filelist/fileentry.h"

#include <gtest/gtest.h>

using namespace kesto;
using namespace Qt::StringLiterals;

TEST(FileEntry, SplitsAtTheLastSlashAndTheLastDotOfTheNameOnly)
{
    // Path, then Folder|OldName|BaseName|Type.
    const std::pair<const char *, const char *> rows[] = {
        {"/home/u/archive.tar.gz", "/home/u/|archive.tar.gz|archive.tar|gz"},
        {"/home/u/README", "/home/u/|README|README|"},
        {"/home/u/.profile", "/home/u/|.profile||profile"},
        {"/home/u/name.", "/home/u/|name.|name|"},
        {"/fotos/2005.07 Urlaub/bild", "/fotos/2005.07 Urlaub/|bild|bild|"},
        {"/x/a\\b:c.txt", "/x/|a\\b:c.txt|a\\b:c|txt"},
        {"datei.JPG", "|datei.JPG|datei|JPG"},
        {"/boot.img", "/|boot.img|boot|img"},
    };
    for (const auto &[path, parts] : rows) {
        const FileEntry e = FileEntry::fromPath(QString::fromUtf8(path));
        EXPECT_EQ(e.fullPath(), QString::fromUtf8(path));
        EXPECT_EQ(QStringList({e.folder, e.oldName, e.baseName().toString(), e.type().toString()})
                      .join(u'|'),
                  parts);
    }
}
