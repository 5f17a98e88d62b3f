#pragma once

#include <QByteArray>

namespace kesto {

/// A folder held open for looking names up in it (O_PATH): files handled
/// together mostly share their folder, and a name looked up in a folder held
/// open costs less than its whole path walked again.
class HeldFolder
{
public:
    HeldFolder() = default;
    ~HeldFolder();
    HeldFolder(const HeldFolder &) = delete;
    HeldFolder &operator=(const HeldFolder &) = delete;

    /// The descriptor of \a folder (its path in the file system's bytes; empty
    /// for the current folder), opened only when it is not the one held; -1
    /// where it cannot be opened, until another folder is asked for.
    int fdFor(const QByteArray &folder);
    /// Closes the folder held but remembers it: fdFor gives -1 for it until
    /// another folder is asked for.
    void giveUp();

private:
    QByteArray m_folder;
    bool m_held = false;
    int m_fd = -1;
};

} // namespace kesto
