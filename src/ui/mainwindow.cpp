#include "ui/mainwindow.h"

#include "rename/messages.h"
#include "storage/applog.h"
#include "storage/savedmasks.h"
#include "storage/settings.h"
#include "ui/filelistmodel.h"
#include "ui/filelistview.h"
#include "ui/helpwindow.h"
#include "ui/windowtexts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QTabBar>

#include <cmath>

namespace kesto {

namespace {

Qt::CheckState qtState(int stored)
{
    switch (stored) {
    case Checked:
        return Qt::Checked;
    case Undetermined:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

void setTextKeepingCaret(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

int pixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

QRect availableArea(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(QPoint(), MainWindow::designedSize());
}

} // namespace

// --- binding the window to the session ---------------------------------------

void MainWindow::connectSession()
{
    StatusLine *status = &m_session.status();
    connect(status, &StatusLine::panel1Changed, m_panel1, &QLabel::setText);
    connect(status, &StatusLine::panel2Changed, m_panel2, &QLabel::setText);
    connect(&m_session, &Session::commandsChanged, this, &MainWindow::updateCommands);
    connect(&m_session, &Session::progressChanged, this, [this](int value, int maximum) {
        // The bar would repaint itself at once on every new value; painted
        // with the next events instead, a step costs nothing.
        m_bar->setUpdatesEnabled(false);
        m_bar->setRange(0, std::max(1, maximum));
        m_bar->setValue(value);
        m_bar->setUpdatesEnabled(true);
    });
    connect(&m_session, &Session::beepRequested, this, [] { QApplication::beep(); });
    connect(&m_session, &Session::clipboardRequested, this,
            [](const QString &text) { QGuiApplication::clipboard()->setText(text); });
    connect(&m_session, &Session::optionsChanged, this, &MainWindow::showOptions);
    connect(&m_session, &Session::undoChanged, this, &MainWindow::updateUndoCommand);

    DigitChoices *digits = &m_session.digitChoices();
    connect(digits, &DigitChoices::entriesChanged, this, &MainWindow::fillDigitChoices);
    connect(digits, &DigitChoices::entryChosen, this, [this](int index) {
        const QSignalBlocker block(m_digitCount);
        m_digitCount->setCurrentIndex(index);
    });

    connect(m_model, &FileListModel::highlightChanged, this, [this] {
        if (!m_listCommandRunning)
            showHighlight();
    });
    auto highlightAfterChange = [this] {
        if (!m_listCommandRunning)
            showHighlight();
    };
    connect(m_model, &QAbstractItemModel::modelReset, this, highlightAfterChange);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, highlightAfterChange);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MainWindow::takeOverHighlight);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section < VisibleColumnCount) // the reasons are no sort order
            runListCommand([this, section] { m_session.sortByColumn(section); });
    });
    connect(m_list, &FileListView::filesDropped, this,
            [this](const QList<QByteArray> &paths) { loadFiles(paths, true); });
    connect(m_list, &FileListView::emptyDrop, this, [] { QApplication::beep(); });
}

void MainWindow::showOptions()
{
    const bool wasShowing = m_showingOptions;
    m_showingOptions = true;
    const RenameOptions &o = m_session.options();
    setTextKeepingCaret(m_mask, o.mask);
    setTextKeepingCaret(m_counterStart, o.counterStart);
    setTextKeepingCaret(m_counterStep, o.counterStep);
    m_digitCount->setCurrentIndex(m_session.digitChoices().chosenIndex());
    m_leadChar->setCurrentIndex(o.leadChar);
    m_counterPerFolder->setCheckState(qtState(o.counterPerFolder));
    m_numberClashes->setCheckState(qtState(o.numberClashes));
    m_letterCase->setCurrentIndex(o.letterCase);
    m_transliterate->setCheckState(qtState(o.transliterate));
    m_companions->setCheckState(qtState(o.companions));
    for (int k = 0; k < 3; ++k) {
        m_searchActive[k]->setCheckState(qtState(o.sets[k].active));
        setTextKeepingCaret(m_searchText[k], o.sets[k].search);
        setTextKeepingCaret(m_replaceText[k], o.sets[k].replace);
        m_searchInNewName[k]->setCheckState(qtState(o.sets[k].inNewName));
        m_searchRegex[k]->setCheckState(qtState(o.sets[k].regex));
        m_searchMatchCase[k]->setCheckState(qtState(o.sets[k].matchCase));
    }
    m_randomUpper->setCheckState(qtState(o.randomUpper));
    m_randomLower->setCheckState(qtState(o.randomLower));
    m_randomDigits->setCheckState(qtState(o.randomDigits));
    m_randomExtra->setCheckState(qtState(o.randomExtra));
    setTextKeepingCaret(m_randomExtraChars, o.randomExtraChars);
    m_showingOptions = wasShowing;
}

void MainWindow::fillDigitChoices()
{
    const bool wasShowing = m_showingOptions;
    m_showingOptions = true;
    m_digitCount->clear();
    m_digitCount->addItems(m_session.digitChoices().entries());
    m_digitCount->setCurrentIndex(m_session.digitChoices().chosenIndex());
    m_showingOptions = wasShowing;
}

void MainWindow::updateCommands()
{
    m_buttons.value(Command::Rename)->setEnabled(m_session.renameEnabled());
    m_buttons.value(Command::MoveDown)->setEnabled(m_session.moveDownEnabled());
    m_buttons.value(Command::MoveUp)->setEnabled(m_session.moveUpEnabled());
}

void MainWindow::updateUndoCommand()
{
    const QString description = UndoTooltip(m_session.undoableBatch());
    QPushButton *undo = m_buttons.value(Command::Undo);
    undo->setEnabled(!description.isEmpty());
    // The tooltip follows the switch like every other; a screen reader is
    // told what the command would undo in any case.
    undo->setToolTip(m_toolTipCheck->isChecked() ? description : QString());
    undo->setAccessibleDescription(description);
}

template<typename F> void MainWindow::runListCommand(F &&command)
{
    const bool outer = !m_listCommandRunning;
    m_listCommandRunning = true;
    command();
    if (outer) {
        m_listCommandRunning = false;
        showHighlight();
        updateSortIndicator();
    }
}

template<typename F> void MainWindow::changeChecks(F &&command)
{
    const QMap<int, bool> before = m_list->shownCheckMarks();
    runListCommand(command);
    m_list->announceCheckChanges(before);
}

void MainWindow::takeOverHighlight()
{
    if (m_listCommandRunning)
        return;
    QList<int> rows;
    for (const QItemSelectionRange &range : m_list->selectionModel()->selection()) {
        for (int r = range.top(); r <= range.bottom(); ++r)
            rows.append(r);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    m_session.setSelectedRows(rows);
}

void MainWindow::showHighlight()
{
    const FileList &list = m_session.list();
    QItemSelection selection;
    const int rows = list.count();
    for (int i = 0; i < rows; ++i) {
        if (!list.at(i).selected)
            continue;
        int last = i;
        while (last + 1 < rows && list.at(last + 1).selected)
            ++last;
        selection.select(m_model->index(i, 0), m_model->index(last, m_model->columnCount() - 1));
        i = last;
    }
    const bool wasRunning = m_listCommandRunning;
    m_listCommandRunning = true;
    m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_listCommandRunning = wasRunning;
}

void MainWindow::updateSortIndicator()
{
    const FileList &list = m_session.list();
    const int column = list.sortColumn() == ColSizeKey ? int(ColSize) : list.sortColumn();
    m_list->horizontalHeader()->setSortIndicator(column < VisibleColumnCount ? column : -1,
                                                 list.sortOrder());
}

// --- commands -------------------------------------------------------------------

void MainWindow::runCommand(Command command)
{
    switch (command) {
    case Command::ClearList:
        runListCommand([this] { m_session.clearList(); });
        break;
    case Command::CheckAll:
        changeChecks([this] { m_session.changeChecks(FileList::CheckChange::CheckAll); });
        break;
    case Command::UncheckAll:
        changeChecks([this] { m_session.changeChecks(FileList::CheckChange::UncheckAll); });
        break;
    case Command::InvertChecks:
        changeChecks([this] { m_session.changeChecks(FileList::CheckChange::Invert); });
        break;
    case Command::OpenDataFolder:
        QDesktopServices::openUrl(DataFolderUrl());
        break;
    case Command::Rename:
        runListCommand([this] { m_session.renameCommand(); });
        break;
    case Command::Close:
        close();
        break;
    case Command::Help:
        showHelp();
        break;
    case Command::Undo:
        runListCommand([this] {
            if (!m_session.undoCommand(Session::Ask::First).declined)
                showUndoneFiles();
        });
        break;
    case Command::MoveDown:
        runListCommand([this] { m_session.moveSelectedRows(FileList::Direction::Down); });
        break;
    case Command::MoveUp:
        runListCommand([this] { m_session.moveSelectedRows(FileList::Direction::Up); });
        break;
    case Command::NextFault:
        selectNextFaultyRow();
        break;
    case Command::Info:
        showInfo();
        break;
    case Command::CopyNames:
        m_session.copyNamesToClipboard();
        break;
    case Command::AddFiles:
        addFiles();
        break;
    case Command::AddFolder:
        addFolder();
        break;
    case Command::SaveMask:
        SaveMask(QString(), m_session.options(), m_paths.masksIni, *m_questions);
        break;
    case Command::LoadMaskMenu:
        Q_EMIT maskMenuRequested(1);
        break;
    case Command::DeleteMaskMenu:
        Q_EMIT maskMenuRequested(2);
        break;
    case Command::ResetMask:
        m_mask->setText(DefaultMask());
        m_mask->setFocus();
        break;
    }
}

void MainWindow::buildListMenu()
{
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    const auto action = [this](const QString &text, auto handler) {
        auto *a = new QAction(text, m_list);
        connect(a, &QAction::triggered, this, handler);
        // The shortcuts act where the list has the focus.
        a->setShortcutContext(Qt::WidgetShortcut);
        m_list->addAction(a);
        return a;
    };
    QAction *remove = action(windowtexts::removeRowsCaption(), [this] {
        runListCommand([this] { m_session.removeSelectedRows(); });
    });
    remove->setShortcut(QKeySequence::Delete);
    m_rowActions = {remove,
                    action(windowtexts::checkRowsCaption(),
                           [this] { changeChecks([this] { m_session.checkSelectedRows(true); }); }),
                    action(windowtexts::uncheckRowsCaption(), [this] {
                        changeChecks([this] { m_session.checkSelectedRows(false); });
                    })};
    m_openRowFolder = action(windowtexts::openRowFolderCaption(), [this] { openRowFolder(); });
    connect(m_list, &QWidget::customContextMenuRequested, this, &MainWindow::showListMenu);
}

void MainWindow::showListMenu(const QPoint &viewportPosition)
{
    const bool highlighted = m_list->selectionModel()->hasSelection();
    for (QAction *a : std::as_const(m_rowActions))
        a->setEnabled(highlighted);
    m_openRowFolder->setEnabled(m_list->currentIndex().isValid());
    QMenu menu(this);
    menu.addActions(m_rowActions);
    menu.addSeparator();
    menu.addAction(m_openRowFolder);
    menu.addSeparator();
    for (Command c : {Command::AddFiles, Command::AddFolder})
        menu.addAction(windowtexts::buttonCaption(int(c)), this, [this, c] { runCommand(c); });
    menu.addSeparator();
    menu.addAction(windowtexts::nameListCaption(), this, [this] { loadNameList(false); });
    menu.addAction(windowtexts::clipboardNamesCaption(), this, [this] { loadNameList(true); });
    menu.addAction(windowtexts::tableCaption(), this, [this] { loadNameTable(); });
    menu.exec(m_list->viewport()->mapToGlobal(viewportPosition));
}

void MainWindow::showUndoneFiles()
{
    // The files went back on disk; the list follows in a preview, and the
    // status bar keeps saying what the undo did.
    const QString said = m_session.status().panel2();
    m_session.refresh();
    m_session.status().setMessage(said);
}

void MainWindow::selectNextFaultyRow()
{
    const FileList &list = m_session.list();
    const int rows = list.count();
    const QModelIndex current = m_list->currentIndex();
    const int from = current.isValid() ? current.row() : -1;
    for (int step = 1; step <= rows; ++step) {
        const int row = (from + step) % rows;
        if (list.at(row).icon != RowIcon::Error)
            continue;
        // No click on the list: the status bar keeps the test's message.
        m_session.setSelectedRows({row}, false);
        showHighlight();
        const QModelIndex at = m_model->index(row, current.isValid() ? current.column() : 0);
        m_list->selectionModel()->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
        m_list->scrollTo(at);
        // Where a screen reader reads the row out, with its reason.
        m_list->setFocus();
        return;
    }
    QApplication::beep();
    m_session.status().setMessage(messages::noFaultyNames());
}

void MainWindow::offerRepair()
{
    if (!m_session.offerRepair())
        return;
    // Files went back to their old names: what was read ahead of them is stale.
    m_readAhead.reset();
    runListCommand([this] { showUndoneFiles(); });
}

void MainWindow::loadFiles(const QList<QByteArray> &paths, bool askForFolders)
{
    // A drop while files are still being read would interleave two loads.
    if (m_loading) {
        QApplication::beep();
        return;
    }
    m_loading = true;
    const std::unique_ptr<RowsReadAhead> ahead = std::move(m_readAhead);
    QList<SkippedPath> skipped;
    runListCommand([this, &paths, askForFolders, &ahead, &skipped] {
        const auto serve = [] { QCoreApplication::processEvents(); };
        skipped = askForFolders ? m_session.loadChosen(paths, serve)
                                : m_session.load(paths, serve, ahead.get());
    });
    m_loading = false;
    // Once for the whole load, with the list already shown.
    if (!skipped.isEmpty())
        m_questions->tell(messages::skippedPaths(skipped), messages::appTitle());
}

void MainWindow::stepPage(int step)
{
    showPage((m_currentPage - 1 + step + 5) % 5 + 1);
}

void MainWindow::openFocusContextMenu()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        return;
    // Where the Menu key opens it: at the caret or the current cell.
    const QPoint at = focus->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, focus->mapToGlobal(at));
    QApplication::sendEvent(focus, &event);
}

void MainWindow::addShortcuts()
{
    const auto shortcut = [this](const QList<QKeySequence> &keys, auto handler) {
        auto *s = new QShortcut(this);
        s->setKeys(keys);
        connect(s, &QShortcut::activated, this, handler);
    };
    shortcut({QKeySequence::Open}, [this] { runCommand(Command::AddFiles); });
    shortcut({Qt::SHIFT | Qt::Key_F10}, [this] { openFocusContextMenu(); });
    // Qt matches the Backtab a keyboard gives for Ctrl+Shift+Tab to the latter.
    shortcut({Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown}, [this] { stepPage(1); });
    shortcut({Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp},
             [this] { stepPage(-1); });
}

void MainWindow::showPage(int index)
{
    if (index < 1 || index > 5)
        return;
    for (int k = 0; k < 5; ++k)
        m_layers[k]->setVisible(k + 1 == index);
    m_currentPage = index;
    if (m_tabs->currentIndex() != index - 1)
        m_tabs->setCurrentIndex(index - 1);
}

void MainWindow::applyListFont(int points)
{
    m_list->setFontSize(points);
    m_fontSizeValue->setText(QString::number(points));
}

void MainWindow::onToolTipCheck(bool on)
{
    SaveSettingValue(QStringLiteral("ToolTips"), on ? QStringLiteral("1") : QStringLiteral("0"));
    Q_EMIT tooltipsSwitched(on);
    // The undo command's tooltip is no fixed text; it is what a screen
    // reader is told in any case.
    QPushButton *undo = m_buttons.value(Command::Undo);
    undo->setToolTip(on ? undo->accessibleDescription() : QString());
}

void MainWindow::onTopMost(bool on)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing the flags of a shown window hides it.
    if (visible)
        show();
}

void MainWindow::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showInfo()
{
    QMessageBox::about(this, windowtexts::infoTitle(),
                       windowtexts::infoText(QStringLiteral(KESTO_VERSION)));
}

// --- start-up and shutdown ------------------------------------------------------

void MainWindow::start(const QList<QByteArray> &files)
{
    startUp();
    show();
    offerRepair();
    // The last step, with the window on the screen so that the progress of a
    // long list can be seen.
    if (!files.isEmpty())
        loadFiles(files);
}

void MainWindow::startUp()
{
    restorePlacement();

    m_paths = MakeAppPaths();
    SetLogPath(m_paths.log);
    DeleteLog();
    WriteLog(LogTimestamp() + QStringLiteral(" START ") + messages::appTitle() + QLatin1Char(' ') +
             QStringLiteral(KESTO_VERSION));

    Q_EMIT keyBarStarting(m_paths.keysIni);

    // The lists were filled when the window was built.
    m_fontSize->setValue(StoredListFontSize());
    applyListFont(m_fontSize->value());
    // Designed unchecked: a stored "on" switches the tooltips on through the handler.
    m_toolTipCheck->setChecked(StoredToolTips() == 1);

    RenameOptions options = m_session.options();
    OptionListSizes sizes;
    sizes.digitCount = static_cast<int>(m_session.digitChoices().entries().size());
    LoadMask(StandardMaskName(), options, m_paths.masksIni, sizes);
    m_session.applyOptions(options);

    runListCommand([this] { m_session.clearList(); });
}

void MainWindow::restorePlacement()
{
    const QRect area = availableArea(this);
    const QSize designed = designedSize();
    const WindowGeometry g = RestoreWindowPlacement(
        LoadStoredPlacement(), designed.width() * TwipsPerPixel, designed.height() * TwipsPerPixel,
        area.width() * TwipsPerPixel, area.height() * TwipsPerPixel);
    move(area.x() + pixels(g.left), area.y() + pixels(g.top));
    resize(pixels(g.width), pixels(g.height));
    m_layout.ResizeLayout();
    placeGlyphButtons();
}

void MainWindow::shutDown()
{
    if (m_shutDown || m_paths.masksIni.isEmpty())
        return;
    m_shutDown = true;
    SaveMask(StandardMaskName(), m_session.options(), m_paths.masksIni, *m_questions);

    // Edges relative to the screen's free area, as the start-up reads them.
    const QRect area = availableArea(this);
    Placement p;
    p.top = (y() - area.y()) * TwipsPerPixel;
    p.left = (x() - area.x()) * TwipsPerPixel;
    p.width = width() * TwipsPerPixel;
    p.height = height() * TwipsPerPixel;
    SaveWindowPlacement(p);

    WriteLog(LogTimestamp() + QStringLiteral(" EXIT"));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    shutDown();
    if (m_help)
        m_help->close();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized() && m_layout.isReady()) {
        m_layout.ResizeLayout();
        placeGlyphButtons();
    }
}

} // namespace kesto
