#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace kesto::test {

struct SamplePhoto
{
    QString name;
    QByteArray bytes;
};

/// Small JPEG files covering the layouts the Exif reader meets: both byte
/// orders, thumbnails, maker notes, every data type, and broken blocks. They
/// are the fuzzer's seed corpus too (make_exif_seeds).
QList<SamplePhoto> samplePhotos();

} // namespace kesto::test
