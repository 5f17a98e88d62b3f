#pragma once

#include "support/tempfiles.h"

#include <QString>

#include <cstdlib>

namespace kesto::test {

/// A real exFAT drive through FUSE, as USB sticks are: no RENAME_NOREPLACE,
/// no hard links, and an entry number per spelling. Needs root (a loop
/// device); mounted tells whether it is there.
struct ExfatDrive
{
    TempFolder image, drive;
    bool mounted =
        run(QStringLiteral("truncate -s 16M img && mkfs.exfat img && "
                           "losetup -f --show img >dev && mount.exfat-fuse $(cat dev) ") +
            drive.path());

    ~ExfatDrive()
    {
        run(QStringLiteral("umount ") + drive.path() + QStringLiteral("; losetup -d $(cat dev)"));
    }
    /// Runs \a script in the image's folder, its output into "log" there.
    bool run(const QString &script) const
    {
        const QString line =
            QStringLiteral("cd '%1' && PATH=$PATH:/usr/sbin:/sbin && { %2; } >>log 2>&1");
        return std::system(qPrintable(line.arg(image.path(), script))) == 0;
    }
};

} // namespace kesto::test
