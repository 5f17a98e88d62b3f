#pragma once

#include "support/tempfiles.h"

#include <QProcess>
#include <QStandardPaths>

namespace kesto::test {

/// Whether ffmpeg, which writes the audio files of the tests, is installed.
inline bool HasFfmpeg()
{
    return !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty();
}

/// Writes a short silent audio file \a name in \a dir, its format chosen by
/// the extension, with the tags \a metadata ("title=...") and the ffmpeg
/// output options \a extra; gives its path. ffmpeg, not TagLib, writes the
/// tags, so that the reader is not tested against itself.
inline QString WriteAudio(const TempFolder &dir, const QString &name, const QStringList &metadata,
                          const QStringList &extra = {})
{
    QStringList args = {QStringLiteral("-v"), QStringLiteral("error"),
                        QStringLiteral("-f"), QStringLiteral("lavfi"),
                        QStringLiteral("-i"), QStringLiteral("anullsrc=r=48000:cl=mono"),
                        QStringLiteral("-t"), QStringLiteral("0.05")};
    for (const QString &pair : metadata)
        args << QStringLiteral("-metadata") << pair;
    QProcess::execute(QStringLiteral("ffmpeg"), args + extra + QStringList{dir.file(name)});
    return dir.file(name);
}

} // namespace kesto::test
