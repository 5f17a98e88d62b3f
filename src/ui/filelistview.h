#pragma once

#include <QByteArray>
#include <QList>
#include <QTableView>

class QMimeData;

namespace kesto {

/// The table of the file list: fixed row heights so that tens of thousands of
/// rows scroll smoothly, whole rows highlighted, and files dropped from a file
/// manager handed on as the bytes of their paths.
class FileListView : public QTableView
{
    Q_OBJECT
public:
    explicit FileListView(QWidget *parent = nullptr);

    /// The local file paths among the URLs of \a mime, as raw bytes, so that
    /// names that are not valid UTF-8 arrive as they are on disk.
    static QList<QByteArray> localPaths(const QMimeData *mime);

    /// Sets the list font to \a points and the row height to match.
    void setFontSize(int points);

Q_SIGNALS:
    void filesDropped(const QList<QByteArray> &paths);
    /// Something without local files was dropped.
    void emptyDrop();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kesto
