#include "metadata/isobmff.h"

#include "metadata/filebytes.h"

namespace kesto {

QByteArray HeifExifBlock(FileBytes &)
{
    return {};
}

MovieFacts ReadMovieFacts(FileBytes &)
{
    return {};
}

} // namespace kesto
