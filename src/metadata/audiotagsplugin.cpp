// The only part of the core that needs TagLib: reading the tags of an audio
// file. It is a module of its own, loaded on first use, so that the programs
// start without TagLib; the texts come out as TagLib gives them, and the core
// makes them fit for a name.

#include "metadata/audiotags.h"

#include <QFile>

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tfilestream.h>
#include <taglib/wavfile.h>

namespace {

QString textOf(const TagLib::String &value)
{
    return QString::fromStdWString(value.toWString());
}

} // namespace

// Fills the texts of \a tags, \a track and \a year (0 for none); leaves them
// as they are for a file that is no audio file or cannot be read.
extern "C" Q_DECL_EXPORT void kesto_read_audio_tags(const QString *path, kesto::AudioTags *tags,
                                                    unsigned int *track, unsigned int *year)
{
    // Opened for reading only: TagLib opens a file by its name for writing
    // where it may, and closing it then tells every watcher of the folder the
    // file was written. The audio properties are not needed, and reading them
    // may scan the whole stream.
    TagLib::FileStream stream(QFile::encodeName(*path).constData(), true);
    if (!stream.isOpen())
        return;
    const TagLib::FileRef file(&stream, false);
    if (file.isNull() || !file.tag())
        return;
    const TagLib::Tag *found = file.tag();
    // TagLib gives a WAV file's ID3v2 tag alone, while most writers keep the
    // tags in its INFO chunk.
    if (const auto *wav = dynamic_cast<TagLib::RIFF::WAV::File *>(file.file());
        wav && !wav->hasID3v2Tag())
        found = wav->InfoTag();
    const TagLib::Tag &tag = *found;
    tags->title = textOf(tag.title());
    tags->artist = textOf(tag.artist());
    tags->album = textOf(tag.album());
    tags->genre = textOf(tag.genre());
    *track = tag.track();
    *year = tag.year();
}
