#include "storage/heldfolder.h"

#include <fcntl.h>
#include <unistd.h>

namespace kesto {

HeldFolder::~HeldFolder()
{
    giveUp();
}

int HeldFolder::fdFor(const QByteArray &folder)
{
    if (m_held && folder == m_folder)
        return m_fd;
    giveUp();
    m_held = true;
    m_folder = folder;
    m_fd = ::open(folder.isEmpty() ? "." : folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return m_fd;
}

void HeldFolder::giveUp()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace kesto
