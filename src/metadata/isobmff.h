#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QtGlobal>

namespace kesto {

class FileBytes;

/// The Exif block of a HEIF, HEIC or AVIF image (its "Exif" item), from the
/// TIFF header on (the byte-order mark first); empty when the file is no such
/// image, has no Exif item or is damaged.
QByteArray HeifExifBlock(FileBytes &file);

/// Width and height of the primary image of a HEIF, HEIC or AVIF file, as its
/// image spatial extent property tells them (before any rotation); an
/// invalid size for a file that is no such image or is damaged.
QSize HeifImageSize(FileBytes &file);

/// What a film in an ISO base media file (MP4, MOV, M4V, 3GP) tells of itself.
struct MovieFacts
{
    /// When it was filmed, laid out as Exif stores a date ("2024:03:05 14:07:09"),
    /// in local time; "" when the file tells none.
    QString captured;
    /// Its length in milliseconds; -1 when unknown.
    qint64 durationMs = -1;
};

/// The facts of the film in \a file; empty facts for a file that is no such film.
MovieFacts ReadMovieFacts(FileBytes &file);

/// A length as "[DAUER]" shows it, rounded to whole seconds: minutes and
/// seconds ("3-07"), from an hour on hours before them ("1-02-05"); "" for a
/// negative (unknown) length.
QString DurationText(qint64 milliseconds);

} // namespace kesto
