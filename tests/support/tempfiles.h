#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kesto::test {

/// A temporary folder for one test, with helpers to make and inspect files.
class TempFolder
{
public:
    TempFolder();
    /// Removes the folder by its bytes: Qt cannot remove names that are no UTF-8.
    ~TempFolder();

    /// The folder path, without a final "/".
    QString path() const { return m_dir.path(); }
    /// path() + "/" + \a name.
    QString file(const QString &name) const;

    /// Writes \a content to \a name (sub-folders are created) and returns the full path.
    QString write(const QString &name, const QByteArray &content = {});
    /// write() for a name given as bytes, which need not be UTF-8; returns
    /// the full path as bytes.
    QByteArray writeBytes(const QByteArray &name, const QByteArray &content = {});
    /// The names in the folder \a sub (empty: this one) as bytes, sorted.
    QList<QByteArray> rawNames(const QByteArray &sub = {}) const;
    /// Creates the sub-folder \a name and returns its full path.
    QString mkdir(const QString &name);
    /// The bytes of \a name, or a null array when it cannot be read.
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;
    /// The names in the folder (not recursive), sorted by code.
    QStringList names() const;
    /// Name and bytes of every entry in the folder.
    QMap<QString, QByteArray> contents() const;
    /// Every entry below the folder by its path from here, sorted: a folder
    /// as "PATH/", a file as "PATH=CONTENT", one blank between two.
    QString tree() const;

    /// Sets access and modification time of \a name (local time) with utimensat.
    static bool setTimes(const QString &fullPath, const QDateTime &modified);

    /// A short silent audio file \a name with the tags \a metadata ("title=A|genre=B"), its
    /// path; ffmpeg, not TagLib, writes it (with the options \a extra) as its extension says.
    QString writeAudio(const QString &name, const QString &metadata,
                       const QStringList &extra = {}) const;

private:
    QTemporaryDir m_dir;
};

} // namespace kesto::test
