#include "ui/filelistview.h"

#include "filelist/fileentry.h"

#include <QAccessible>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace kesto {

FileListView::FileListView(QWidget *parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false); // the session sorts; the view only shows its order
    setWordWrap(false);
    setShowGrid(false);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

QList<QByteArray> FileListView::localPaths(const QMimeData *mime)
{
    QList<QByteArray> paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        // The encoded path keeps bytes that are no UTF-8 as %XX escapes.
        const QByteArray path =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

void FileListView::setFontSize(int points)
{
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    // Room for the check box and the 16-pixel icons, even at small sizes.
    const int rowHeight = std::max(QFontMetrics(f).height() + 6, 20);
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

QMap<int, bool> FileListView::shownCheckMarks() const
{
    QMap<int, bool> marks;
    if (!(QAccessible::isActive() || m_announcer) || !model())
        return marks;
    const auto add = [this, &marks](int row) { marks.insert(row, isChecked(row)); };
    const int first = rowAt(0);
    const int last = rowAt(viewport()->height() - 1);
    if (first >= 0) {
        for (int row = first; row <= (last >= 0 ? last : model()->rowCount() - 1); ++row)
            add(row);
    }
    if (currentIndex().isValid())
        add(currentIndex().row());
    return marks;
}

void FileListView::announceCheckChanges(const QMap<int, bool> &before)
{
    QAccessibleInterface *list =
        before.isEmpty() ? nullptr : QAccessible::queryAccessibleInterface(this);
    if (!list || !list->tableInterface())
        return;
    QAccessible::State changed;
    changed.checked = true;
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() >= model()->rowCount() || isChecked(it.key()) == it.value())
            continue;
        if (QAccessibleInterface *box = list->tableInterface()->cellAt(it.key(), ColOldName)) {
            QAccessibleStateChangeEvent event(box, changed);
            if (m_announcer)
                m_announcer(&event);
            else
                QAccessible::updateAccessibility(&event);
        }
    }
}

bool FileListView::isChecked(int row) const
{
    return model()->index(row, ColOldName).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

void FileListView::dragEnterEvent(QDragEnterEvent *event)
{
    // Accept everything, so that a drop without files can be answered with a beep.
    event->acceptProposedAction();
}

void FileListView::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void FileListView::dropEvent(QDropEvent *event)
{
    const QList<QByteArray> paths = localPaths(event->mimeData());
    event->acceptProposedAction();
    if (paths.isEmpty())
        Q_EMIT emptyDrop();
    else
        Q_EMIT filesDropped(paths);
}

void FileListView::keyPressEvent(QKeyEvent *event)
{
    // Space ticks the row's box from whichever column the caret stands in.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        currentIndex().isValid() && model()) {
        const QModelIndex box = model()->index(currentIndex().row(), ColOldName);
        const QMap<int, bool> before = shownCheckMarks();
        model()->setData(box, isChecked(box.row()) ? Qt::Unchecked : Qt::Checked,
                         Qt::CheckStateRole);
        announceCheckChanges(before);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace kesto
