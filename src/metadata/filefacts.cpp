#include "metadata/filefacts.h"

#include "metadata/filetimes.h"
#include "metadata/filetimes_p.h"
#include "metadata/imagefacts.h"

#include <QFile>

namespace kesto {

FileFacts ReadFileFacts(const QString &path, bool withCaptureDate)
{
    FileFacts facts;
    struct statx status;
    if (path.isEmpty() || !statFile(QFile::encodeName(path), &status))
        return facts;
    facts.exists = true;
    facts.isRegularFile = S_ISREG(status.stx_mode);
    facts.Size = qint64(status.stx_size);
    facts.SizeText = FormatFileSize(facts.Size);
    static constexpr QStringView dash = u"-";
    static constexpr QStringView blank = u" ";
    facts.Modified = localTimeText(status.stx_mtime.tv_sec, dash, blank, dash);
    if (status.stx_mask & STATX_BTIME)
        facts.Created = localTimeText(status.stx_btime.tv_sec, dash, blank, dash);
    if (withCaptureDate && facts.isRegularFile)
        facts.Captured = GetCaptureDate(path, facts.Size);
    return facts;
}

} // namespace kesto
