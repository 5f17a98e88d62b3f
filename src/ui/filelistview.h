#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTableView>

#include <functional>

class QAccessibleEvent;
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

    /// While a screen reader listens: the check marks of the rows it can see,
    /// those in the view and the current one, by row; else none. Bounded by
    /// the view's height, so that a command on a long list stays fast.
    QMap<int, bool> shownCheckMarks() const;
    /// Where the view sends what a screen reader is to hear instead of to
    /// Qt's accessibility, and always, not only while a reader listens.
    void setAnnouncer(std::function<void(QAccessibleEvent *)> announcer)
    {
        m_announcer = std::move(announcer);
    }
    /// Tells a screen reader of each row of \a before whose check mark has
    /// changed since, as a change of its check box's state.
    void announceCheckChanges(const QMap<int, bool> &before);

Q_SIGNALS:
    void filesDropped(const QList<QByteArray> &paths);
    /// Something without local files was dropped.
    void emptyDrop();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool isChecked(int row) const;

    std::function<void(QAccessibleEvent *)> m_announcer;
};

} // namespace kesto
