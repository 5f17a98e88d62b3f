#pragma once

// For the targets whose readers open a file: each input is written to a file
// of the process's own, which they then read as a user's file.

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

inline void WriteFuzzInput(const QByteArray &path, const uint8_t *data, size_t size)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        std::abort();
    if (size > 0 && ::write(fd, data, size) != ssize_t(size))
        std::abort();
    ::close(fd);
}
