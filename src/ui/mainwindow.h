#pragma once

#include "rename/session.h"
#include "storage/datafolder.h"
#include "ui/proportionallayout.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QStatusBar;
class QTabBar;

namespace kesto {

class DialogQuestions;
class FileListModel;
class FileListView;
class HelpWindow;

/// The main window "Form1": the file list with its commands, the five option
/// pages behind the tab strip, the command frame and the status bar, bound to
/// a Session. Controls carry the names the product gives them as objectName
/// ("Liste", "Maske", "Btn8", …).
///
/// Construction builds the window at its designed size and records the
/// proportional layout; start() then runs the start-up in its order, so
/// that the key bar, the tooltips and the mask menus can be connected to
/// the signals below in between.
/// The command buttons. Each value is the number in its button's object name
/// ("Btn8"), which the stored key bar and the tooltips know it by.
enum class Command : int {
    ClearList = 0,
    CheckAll = 1,
    UncheckAll = 2,
    InvertChecks = 3,
    OpenDataFolder = 4,
    Rename = 8,
    Close = 9,
    Help = 10,
    Undo = 11,
    MoveDown = 12,
    MoveUp = 13,
    NextFault = 14,
    Info = 25,
    CopyNames = 32,
    AddFiles = 40,
    AddFolder = 41,
    SaveMask = 100,
    LoadMaskMenu = 101,
    DeleteMaskMenu = 102,
    ResetMask = 150,
};

class MainWindow : public QWidget
{
    Q_OBJECT
public:
    /// A window asking its questions through \a questions, or through its own
    /// dialogs when none is given.
    explicit MainWindow(UserQuestions *questions = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    /// The designed size; the window may be made narrower, down to 800 pixels.
    static QSize designedSize();

    /// The whole start, in its order: placement, paths, log, key bar, lists,
    /// settings, the options of the last run and a first preview; the window
    /// on the screen; the repair of an interrupted batch; then the files of
    /// \a files (raw bytes as the command line gives them; each one path),
    /// read after the repair so that none is listed under a name it takes away.
    void start(const QList<QByteArray> &files = {});

    Session &session() { return m_session; }
    UserQuestions &questions() { return *m_questions; }
    /// Paths of the masks file, the keys file and the log, fixed by start().
    const AppPaths &paths() const { return m_paths; }

    /// The button of \a command.
    QPushButton *button(Command command) const { return m_buttons.value(command); }
    /// The mask field "Maske".
    QLineEdit *maskField() const { return m_mask; }
    /// The empty container on page 1 ("keyBarArea") where the 24 placeholder
    /// keys go; it spans the key grid from its top-left corner (column left 0,
    /// row top 0 of the grid's container), 10395 x 2830 twips, and lies under
    /// the mask field, which uses the band above the first key row.
    QWidget *keyBarArea() const { return m_keyBarArea; }
    FileListView *listView() const { return m_list; }
    FileListModel *listModel() const { return m_model; }

    /// Runs \a command, as a click on its button does.
    void runCommand(Command command);

    /// Loads files as given on the command line or chosen, keeping the
    /// window responsive every 16 ms; the paths that became no row are named
    /// in one message, each with its reason. Folders among \a paths are
    /// passed over, or with \a askForFolders loaded as the user answers
    /// (Session::loadChosen()), as a drop loads them.
    void loadFiles(const QList<QByteArray> &paths, bool askForFolders = false);

    /// Rows begun to be read for the files the window was started with; the
    /// load of exactly those files takes them over, unless a repair at the
    /// start has moved files since.
    void setReadAhead(std::unique_ptr<RowsReadAhead> ahead) { m_readAhead = std::move(ahead); }

Q_SIGNALS:
    /// Start-up has fixed the paths and reached the key bar: the keys are to be
    /// set up from \a keysIni, inside keyBarArea().
    void keyBarStarting(const QString &keysIni);
    /// The tooltip switch changed, and at start-up when the stored switch is on.
    void tooltipsSwitched(bool on);
    /// Button 101 (mode 1, load) or 102 (mode 2, delete): the menu of saved masks.
    void maskMenuRequested(int mode);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void startUp();
    /// With the window on the screen: if the last batch was interrupted, asks
    /// whether to give its files their old names back, and does so on "Ja".
    void offerRepair();
    void buildListFrame(QWidget *root);
    void buildListMenu();
    void buildOptionArea(QWidget *root);
    void buildMaskPage(QWidget *page);
    void placeGlyphButtons();
    void buildCounterPage(QWidget *page);
    void buildSearchPage(QWidget *page);
    void buildCasePage(QWidget *page);
    void buildOptionsPage(QWidget *page);
    void buildCommandFrame(QWidget *parent);
    void buildStatus(QWidget *root);
    void setTabOrderChain();
    void addShortcuts();
    void recordLayout();
    void connectSession();
    void connectControls();

    QPushButton *makeButton(Command command, QWidget *parent);
    void showPage(int index);
    /// The page \a step pages on, round the strip.
    void stepPage(int step);
    /// Asks for files, or a folder whose files to take, and loads them.
    /// The paths chosen in a dialog for files (or one folder, if \a folder)
    /// that opens where the last choice was made; none when cancelled.
    QStringList chooseFromLastFolder(bool folder);
    void addFiles();
    void addFolder();
    /// The text of a file chosen in a dialog titled \a title; nothing when
    /// it is cancelled or the file cannot be read, which is told.
    std::optional<QString> chooseTextFile(const QString &title);
    /// "Namen aus Liste…": the lines of a text file, or with \a clipboard
    /// those of the clipboard, become the names of "[LISTE]".
    void loadNameList(bool clipboard);
    /// "Tabelle laden…": a table for "[SPALTE n]"; its lines that belong to
    /// no file of the list are told.
    void loadNameTable();
    void showListMenu(const QPoint &viewportPosition);
    void openRowFolder();
    /// Shift+F10: the focused control's context menu, as the Menu key opens it.
    void openFocusContextMenu();
    void fillDigitChoices();
    void showOptions();
    void updateCommands();
    void updateUndoCommand();
    /// After an undo: a preview that keeps the undo's message.
    void showUndoneFiles();
    void selectNextFaultyRow();
    void applyListFont(int points);
    void onToolTipCheck(bool on);
    void onTopMost(bool on);
    void showHelp();
    void showInfo();

    void restorePlacement();
    void shutDown();

    // The view's highlight and the rows' Selected flags follow each other;
    // a command runs with the view's side muted and the flags win afterwards.
    template<typename F> void runListCommand(F &&command);
    /// A list command that changes check marks, told to a screen reader.
    template<typename F> void changeChecks(F &&command);
    void takeOverHighlight();
    void showHighlight();
    void updateSortIndicator();

    std::unique_ptr<DialogQuestions> m_ownQuestions;
    UserQuestions *m_questions;
    Session m_session;
    AppPaths m_paths;
    ProportionalLayout m_layout;

    QHash<Command, QPushButton *> m_buttons;
    FileListView *m_list = nullptr;
    FileListModel *m_model = nullptr;
    QProgressBar *m_bar = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QWidget *m_frame2 = nullptr;
    QGroupBox *m_frame3 = nullptr;
    QWidget *m_frame4 = nullptr;
    QWidget *m_frame8 = nullptr;
    QList<QAction *> m_rowActions; // remove, check, uncheck: the highlighted rows
    QAction *m_openRowFolder = nullptr;
    QTabBar *m_tabs = nullptr;
    std::array<QWidget *, 5> m_layers{};
    QStatusBar *m_status = nullptr;
    QLabel *m_panel1 = nullptr;
    QLabel *m_panel2 = nullptr;

    QLineEdit *m_mask = nullptr;
    QWidget *m_keyBarArea = nullptr;
    QLineEdit *m_counterStart = nullptr;
    QLineEdit *m_counterStep = nullptr;
    QComboBox *m_digitCount = nullptr;
    QComboBox *m_leadChar = nullptr;
    QCheckBox *m_counterPerFolder = nullptr;
    QCheckBox *m_numberClashes = nullptr;
    std::array<QCheckBox *, 3> m_searchActive{};
    std::array<QLineEdit *, 3> m_searchText{};
    std::array<QLineEdit *, 3> m_replaceText{};
    std::array<QCheckBox *, 3> m_searchInNewName{};
    std::array<QCheckBox *, 3> m_searchRegex{};
    std::array<QCheckBox *, 3> m_searchMatchCase{};
    QComboBox *m_letterCase = nullptr;
    QCheckBox *m_transliterate = nullptr;
    QCheckBox *m_companions = nullptr;
    QCheckBox *m_randomUpper = nullptr;
    QCheckBox *m_randomLower = nullptr;
    QCheckBox *m_randomDigits = nullptr;
    QCheckBox *m_randomExtra = nullptr;
    QLineEdit *m_randomExtraChars = nullptr;
    QCheckBox *m_toolTipCheck = nullptr;
    QCheckBox *m_topMost = nullptr;
    QSlider *m_fontSize = nullptr;
    QLabel *m_fontSizeValue = nullptr;

    QPointer<HelpWindow> m_help;
    int m_currentPage = 1;
    bool m_showingOptions = false; // fields are being set from the session
    bool m_listCommandRunning = false;
    bool m_loading = false;
    std::unique_ptr<RowsReadAhead> m_readAhead;
    bool m_shutDown = false;
};

} // namespace kesto
