// The floor for reading capture dates: per photo one open, one read of its
// first 4 KiB and a walk to the Exif DateTimeOriginal (tag 0x9003) inside
// them, nothing else. A date beyond the first 4 KiB is not found: cameras
// write it well within them. Kesto's date reading is timed against it.
//
// Usage: limit_exifdate FILE...
//   prints "FILE<TAB>date" for each photo with a date within its first 4 KiB.

#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

enum { Head = 4096 };

static unsigned get16(const unsigned char *p, int intel)
{
    return intel ? p[0] | p[1] << 8 : p[0] << 8 | p[1];
}

static uint32_t get32(const unsigned char *p, int intel)
{
    return intel ? (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24
                 : (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | (uint32_t)p[3];
}

// The value field of the entry with \a tag in the directory at \a dir of the
// TIFF block tiff[0 .. size), or NULL.
static const unsigned char *findEntry(const unsigned char *tiff, size_t size, uint32_t dir,
                                      unsigned tag, int intel)
{
    if (dir > size || size - dir < 2)
        return NULL;
    unsigned n = get16(tiff + dir, intel);
    for (unsigned k = 0; k < n; ++k) {
        size_t at = dir + 2 + 12 * (size_t)k;
        if (at + 12 > size)
            return NULL;
        if (get16(tiff + at, intel) == tag)
            return tiff + at + 8;
    }
    return NULL;
}

// The date of the photo whose head is buf[0 .. len), written to \a date; 0 without one.
static int captureDate(const unsigned char *buf, size_t len, char date[20])
{
    if (len < 4 || buf[0] != 0xFF || buf[1] != 0xD8)
        return 0;
    size_t at = 2;
    while (at + 4 <= len && buf[at] == 0xFF) {
        unsigned marker = buf[at + 1];
        size_t segment = (size_t)buf[at + 2] << 8 | buf[at + 3];
        if (marker == 0xDA || segment < 2)
            return 0;
        if (marker == 0xE1 && segment >= 8 && at + 10 <= len && memcmp(buf + at + 4, "Exif\0\0", 6) == 0) {
            const unsigned char *tiff = buf + at + 10;
            size_t size = len - (at + 10);
            if (size > segment - 8)
                size = segment - 8;
            if (size < 8)
                return 0;
            int intel = tiff[0] == 'I';
            const unsigned char *exif = findEntry(tiff, size, get32(tiff + 4, intel), 0x8769, intel);
            if (!exif)
                return 0;
            const unsigned char *value = findEntry(tiff, size, get32(exif, intel), 0x9003, intel);
            if (!value)
                return 0;
            uint32_t offset = get32(value, intel);
            if (offset > size || size - offset < 19)
                return 0;
            memcpy(date, tiff + offset, 19);
            date[19] = 0;
            return 1;
        }
        at += 2 + segment;
    }
    return 0;
}

int main(int argc, char **argv)
{
    static unsigned char buf[Head];
    for (int i = 1; i < argc; ++i) {
        int fd = open(argv[i], O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        ssize_t len = read(fd, buf, Head);
        close(fd);
        char date[20];
        if (len > 0 && captureDate(buf, (size_t)len, date))
            printf("%s\t%s\n", argv[i], date);
    }
    return 0;
}
