#pragma once

#include <QString>

namespace kesto {

/// The tags of an audio file, each a text that is safe in a file name (see
/// SafeNameValue()), empty where the file has none.
struct AudioTags
{
    QString title;
    QString artist;
    QString album;
    QString track; ///< two digits at least ("07"), empty for none or 0
    QString year;  ///< empty for none or 0
    QString genre;

    friend bool operator==(const AudioTags &, const AudioTags &) = default;
};

/// The tags of the audio file at \a path (MP3 with ID3v1 or ID3v2, FLAC, Ogg
/// Vorbis, Opus, M4A, WAV and whatever else TagLib knows); all empty for a
/// file that is no audio file or cannot be read.
AudioTags ReadAudioTags(const QString &path);

/// \a value as a part of a file name: blanks at both ends removed, "/" and
/// control characters turned into "_".
QString SafeNameValue(const QString &value);

} // namespace kesto
