// libFuzzer target for the ISO base media reader: arbitrary bytes as a file in
// memory, read for a HEIF image's Exif block and size and for a film's facts. A second
// read in 8-byte pieces must give the same, so the piecewise reading is checked
// as well.
#include "metadata/filebytes.h"
#include "metadata/isobmff.h"

#include <cstdint>
#include <cstdlib>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// Opens \a file on a copy of the input in memory; false for an empty input.
bool openCopy(kesto::FileBytes &file, const uint8_t *data, size_t size)
{
    const int fd = ::memfd_create("fuzz_isobmff", MFD_CLOEXEC);
    if (fd < 0)
        std::abort();
    if (size > 0 && ::write(fd, data, size) != ssize_t(size))
        std::abort();
    return file.adopt(fd, qint64(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    kesto::FileBytes whole;
    kesto::FileBytes pieces(8, 8);
    if (!openCopy(whole, data, size) || !openCopy(pieces, data, size))
        return 0;

    const QByteArray exif = kesto::HeifExifBlock(whole);
    if (!exif.isEmpty() && !exif.startsWith("II*") && !exif.startsWith(QByteArray("MM\0*", 4)))
        std::abort();
    const QSize extent = kesto::HeifImageSize(whole);
    if (extent.isValid() && (extent.width() <= 0 || extent.height() <= 0))
        std::abort();
    const kesto::MovieFacts facts = kesto::ReadMovieFacts(whole);
    // The name builder takes the date's parts by their places.
    if (!facts.captured.isEmpty() && facts.captured.size() != 19)
        std::abort();
    (void)kesto::DurationText(facts.durationMs);

    const kesto::MovieFacts again = kesto::ReadMovieFacts(pieces);
    if (kesto::HeifExifBlock(pieces) != exif || kesto::HeifImageSize(pieces) != extent ||
        again.captured != facts.captured || again.durationMs != facts.durationMs)
        std::abort();
    return 0;
}
