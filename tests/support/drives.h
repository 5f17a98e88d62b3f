#pragma once

#include "support/tempfiles.h"

#include <QDir>
#include <QRandomGenerator>

#include <cstdlib>
#include <unistd.h>

namespace kesto::test {

/// Runs \a script in \a folder, its output appended to "log" there.
inline bool RunIn(const TempFolder &folder, const QString &script)
{
    const QString line =
        QStringLiteral("cd '%1' && PATH=$PATH:/usr/sbin:/sbin && { %2; } >>log 2>&1");
    return std::system(qPrintable(line.arg(folder.path(), script))) == 0;
}

/// Whether a journal in \a folder (ending in "/") holds a whole plan: from
/// then on the batch is one to repair.
inline bool HoldsAWholePlan(const QString &folder)
{
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        QFile file(folder + name);
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains("\nplanned "))
            return true;
    }
    return false;
}

/// Makes \a folder one nothing may be written to while it lives: for root,
/// whom mode bits do not stop, a read-only bind mount over it, else mode 0555.
struct ReadOnly
{
    QString folder;
    TempFolder setup{};
    bool root = ::geteuid() == 0;
    bool made =
        RunIn(setup,
              QString::fromLatin1(root ? "mount --bind -o ro %1 %1" : "chmod 0555 %1").arg(folder));

    ~ReadOnly()
    {
        RunIn(setup, QString::fromLatin1(root ? "umount %1" : "chmod 0755 %1").arg(folder));
    }
};

/// A real exFAT drive through FUSE, as USB sticks are: no RENAME_NOREPLACE,
/// no hard links, and an entry number per spelling. Needs root (a loop
/// device); mounted tells whether it is there.
struct ExfatDrive
{
    TempFolder image, drive;
    bool mounted = RunIn(image, QStringLiteral("truncate -s 16M img && mkfs.exfat img && "
                                               "losetup -f --show img >dev && "
                                               "mount.exfat-fuse $(cat dev) ") +
                                    drive.path());

    ~ExfatDrive()
    {
        RunIn(image,
              QStringLiteral("umount ") + drive.path() + QStringLiteral("; losetup -d $(cat dev)"));
    }
};

/// A FAT drive served by fusefat from an image ("fuse.fusefat" in the mount
/// table); mounted asks the mount table, as fusefat ends well also unmounted.
struct FatDrive
{
    TempFolder image, drive;
    bool mounted = RunIn(image, QStringLiteral("truncate -s 16M img && mkfs.vfat img && fusefat "
                                               "-o rw+ img %1 && mountpoint -q %1")
                                    .arg(drive.path()));

    ~FatDrive() { RunIn(image, QStringLiteral("fusermount -u ") + drive.path()); }
};

/// A network drive: sshfs over a private sshd on 127.0.0.1, with its own
/// host key, user key and configuration, serving the folder remote. sshfs
/// refuses RENAME_NOREPLACE and makes up its inode numbers for each mount;
/// \a options go to sshfs (e.g. "disable_hardlink").
struct SshfsDrive
{
    explicit SshfsDrive(const QString &options = {})
        : options(options)
    {
        const QString config = QStringLiteral(
            "Port %1\nListenAddress 127.0.0.1\nHostKey %2/hostkey\nAuthorizedKeysFile "
            "%2/userkey.pub\nPasswordAuthentication no\nStrictModes no\nUsePAM no\nPidFile "
            "%2/sshd.pid\nSubsystem sftp internal-sftp\n");
        if (!RunIn(setup, QStringLiteral("test -x /usr/sbin/sshd && command -v sshfs && "
                                         "ssh-keygen -q -t ed25519 -N '' -f hostkey && "
                                         "ssh-keygen -q -t ed25519 -N '' -f userkey && "
                                         "mkdir -p /run/sshd")))
            return;
        for (int attempt = 0; attempt < 5; ++attempt) {
            port = 20000 + int(QRandomGenerator::global()->bounded(30000));
            setup.write(QStringLiteral("sshd_config"), config.arg(port).arg(setup.path()).toUtf8());
            if (RunIn(setup, QStringLiteral("/usr/sbin/sshd -f sshd_config -E sshd.log"))) {
                mounted = mount();
                return;
            }
        }
    }
    ~SshfsDrive()
    {
        RunIn(setup, QStringLiteral("fusermount -u ") + drive.path() +
                         QStringLiteral("; kill $(cat sshd.pid)"));
    }

    bool mount() const
    {
        return RunIn(setup, QStringLiteral("sshfs -p %1 -o IdentityFile=%2/userkey,"
                                           "StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,"
                                           "BatchMode=yes%3 $(id -un)@127.0.0.1:%4 %5")
                                .arg(port)
                                .arg(setup.path(), options.isEmpty() ? QString() : u',' + options,
                                     remote.path(), drive.path()));
    }
    /// Unmounts and mounts again: a new mount, new inode numbers.
    bool remount() const
    {
        return RunIn(setup, QStringLiteral("fusermount -u ") + drive.path()) && mount();
    }

    TempFolder setup, remote, drive;
    QString options;
    int port = 0;
    bool mounted = false;
};

} // namespace kesto::test
