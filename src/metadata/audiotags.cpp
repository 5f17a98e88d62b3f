#include "metadata/audiotags.h"

#include "metadata/modules_p.h"

#include <QCoreApplication>

#include <algorithm>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(AudioTags)
};

using ReaderFunction = void (*)(const QString *, AudioTags *, unsigned int *, unsigned int *);

QString numberText(unsigned int number, int digits)
{
    return number == 0 ? QString() : QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

} // namespace

AudioTags ReadAudioTags(const QString &path)
{
    static const auto reader = reinterpret_cast<ReaderFunction>(LoadModuleFunction(
        "kesto_audiotags", "kesto_read_audio_tags",
        Text::tr("Kesto: Das Modul zum Lesen von Audio-Tags fehlt; [TITEL], [INTERPRET], "
                 "[ALBUM], [TITELNR], [ERSCHEINUNGSJAHR] und [GENRE] bleiben leer.\n")));
    AudioTags tags;
    if (!reader)
        return tags;
    unsigned int track = 0;
    unsigned int year = 0;
    reader(&path, &tags, &track, &year);
    for (QString *text : {&tags.title, &tags.artist, &tags.album, &tags.genre})
        *text = SafeNameValue(*text);
    tags.track = numberText(track, 2);
    tags.year = numberText(year, 1);
    return tags;
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
