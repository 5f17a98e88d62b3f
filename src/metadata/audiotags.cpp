#include "metadata/audiotags.h"

#include <QFile>

#include <algorithm>

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>

namespace kesto {

namespace {

QString textOf(const TagLib::String &value)
{
    return SafeNameValue(QString::fromStdWString(value.toWString()));
}

QString numberText(unsigned int number, int digits)
{
    return number == 0 ? QString() : QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

} // namespace

AudioTags ReadAudioTags(const QString &path)
{
    // The audio properties are not needed, and reading them may scan the
    // whole stream.
    const TagLib::FileRef file(QFile::encodeName(path).constData(), false);
    if (file.isNull() || !file.tag())
        return {};
    const TagLib::Tag *found = file.tag();
    // TagLib gives a WAV file's ID3v2 tag alone, while most writers keep the
    // tags in its INFO chunk.
    if (const auto *wav = dynamic_cast<TagLib::RIFF::WAV::File *>(file.file());
        wav && !wav->hasID3v2Tag())
        found = wav->InfoTag();
    const TagLib::Tag &tag = *found;
    return {textOf(tag.title()),        textOf(tag.artist()),      textOf(tag.album()),
            numberText(tag.track(), 2), numberText(tag.year(), 1), textOf(tag.genre())};
}

QString SafeNameValue(const QString &value)
{
    const auto unsafe = [](QChar c) { return c == u'/' || c.category() == QChar::Other_Control; };
    QString safe = value.trimmed();
    // Most values are safe already; they are passed on without a copy.
    if (std::none_of(safe.cbegin(), safe.cend(), unsafe))
        return safe;
    for (QChar &c : safe) {
        if (unsafe(c))
            c = u'_';
    }
    return safe;
}

} // namespace kesto
