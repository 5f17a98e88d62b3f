#pragma once

#include "filelist/digitchoices.h"
#include "filelist/filelist.h"
#include "filelist/loader.h"
#include "filelist/pathsources.h"
#include "filelist/statusline.h"
#include "mask/mask.h"
#include "naming/replacesets.h"
#include "naming/suppliednames.h"
#include "rename/journal.h"
#include "rename/pipeline.h"
#include "storage/renameoptions.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace kesto {

class UserQuestions;

/// The renamer without its window: the rows, the naming options as the
/// controls hold them, the status panels and which commands may be used. The
/// window binds its widgets to this object and forwards their events to the
/// handlers below; the command-line tool and the tests drive it directly.
///
/// A batch from files to renamed files reads:
///     load(paths);        // rows with their facts
///     refresh();          // the new names, as the list shows them
///     renameCommand();    // exactly those names, through RenameRows()
class Session : public QObject
{
    Q_OBJECT
public:
    /// Live: every change previews and runs the full test, as the window
    /// needs. OnDemand: only refresh() builds names, the full test is left to
    /// testNames() or renameCommand(), and loading reads only the facts the
    /// mask and the sort column use, for a run that previews once (the
    /// command line).
    enum class Preview { Live, OnDemand };

    explicit Session(UserQuestions &questions, Preview preview = Preview::Live,
                     QObject *parent = nullptr);
    ~Session() override;

    FileList &list() { return m_list; }
    const FileList &list() const { return m_list; }
    StatusLine &status() { return m_status; }
    const StatusLine &status() const { return m_status; }
    DigitChoices &digitChoices() { return m_digits; }
    const DigitChoices &digitChoices() const { return m_digits; }
    /// The journals of this session (tests may point them elsewhere than the
    /// data folder).
    Journal &journal() { return m_journal; }
    UserQuestions &questions() { return m_questions; }

    /// Option values, as the controls hold them.
    const RenameOptions &options() const { return m_options; }
    /// The last check of the mask, made by each refresh.
    const MaskCheck &maskCheck() const { return m_mask; }
    /// The name list and the table of "[LISTE]" and "[SPALTE n]"; a change
    /// through suppliedNames() is previewed by suppliedNamesChanged().
    SuppliedNames &suppliedNames() { return m_supplied; }
    const SuppliedNames &suppliedNames() const { return m_supplied; }
    void suppliedNamesChanged() { previewIfLive(); }

    // Change handlers of the option controls. Text and check-box changes
    // schedule a refresh; the three lists refresh at once. A value equal to
    // the current one is no change.
    void setMaskText(const QString &text);
    void setCounterStartText(const QString &text);
    void setCounterStepText(const QString &text);
    void setSearchActive(int set, int checkState);
    void setSearchText(int set, const QString &text);
    void setReplaceText(int set, const QString &text);
    void setSearchInNewName(int set, int checkState);
    void setSearchRegex(int set, int checkState);
    void setSearchMatchCase(int set, int checkState);
    void setRandomUpper(int checkState);
    void setRandomLower(int checkState);
    void setRandomDigits(int checkState);
    void setRandomExtra(int checkState);
    void setRandomExtraChars(const QString &text);
    void setTransliterate(int checkState);
    void setCounterPerFolder(int checkState);
    void setCompanions(int checkState);
    void setNumberClashes(int checkState);
    /// Letter-case list clicked.
    void chooseLetterCase(int position);
    /// Leading-character list clicked.
    void chooseLeadChar(int position);
    /// Digit-count list clicked (the list announces the choice itself).
    void chooseDigitCount(int index) { m_digits.choose(index); }
    /// Chooses the digit count \a digits when the list offers it for the
    /// rows and counter fields of now; else the choice stays.
    void setDigitCount(int digits);
    /// Puts every option into its control, each with its own handler, as
    /// loading a saved mask does. Positions outside their list keep the
    /// current choice.
    void applyOptions(const RenameOptions &options);

    bool renameEnabled() const { return m_renameEnabled; }
    bool moveDownEnabled() const { return m_list.canMoveSelected(FileList::Direction::Down); }
    bool moveUpEnabled() const { return m_list.canMoveSelected(FileList::Direction::Up); }
    int progressValue() const { return m_progressValue; }
    int progressMaximum() const { return m_progressMaximum; }

    /// Disables the rename command and restarts the one-shot refresh timer.
    void scheduleRefresh();
    QTimer &refreshTimer() { return m_timer; }

    /// Brings the new names, the status panels and the commands up to date
    /// with the options and rows of now; a Live session runs the full test
    /// on the names too (see testNames()). A call during a refresh is dropped.
    void refresh();
    /// The full test of the names shown: each checked row is tested for
    /// duplicates, clashes with existing entries and names its drive refuses.
    /// True when renaming may go ahead.
    bool testNames();

    /// Adds the regular files among \a paths that are not yet in the list,
    /// with their facts, sorts, and previews; gives the paths that named no
    /// such file, with the reason. \a yield is called about every 16 ms so a
    /// window can stay responsive.
    QList<SkippedPath> load(const QStringList &paths, const std::function<void()> &yield = {});
    /// The same for paths as the system hands them over. A name that is no
    /// UTF-8 keeps its bytes and is shown decoded (see FileEntry::rawBytes()).
    /// Rows \a ahead began to read for these paths are taken over when the
    /// list is empty.
    QList<SkippedPath> load(const QList<QByteArray> &rawPaths,
                            const std::function<void()> &yield = {},
                            RowsReadAhead *ahead = nullptr);
    /// The same with the files \a folders lets in of each folder among
    /// \a rawPaths and of the folders below it (see WalkFolder()).
    QList<SkippedPath> load(const QList<QByteArray> &rawPaths, const FolderFilter &folders,
                            const std::function<void()> &yield = {});
    /// Paths the user dropped or chose: when folders are among them, asks
    /// once which of their files to load, and loads nothing when the user
    /// cancels.
    QList<SkippedPath> loadChosen(const QList<QByteArray> &rawPaths,
                                  const std::function<void()> &yield = {});

    /// The rename command: renames the checked rows to the names shown and
    /// removes each renamed row. Refused while the names shown are not those
    /// of the options of now.
    RenameResult renameCommand();

    // Undo. Every batch is recorded in a journal before its first rename.
    BatchRecord lastBatch() const { return m_journal.lastBatch(); }
    BatchRecord undoableBatch() const { return m_journal.undoableBatch(); }
    /// Whether a command asks before it acts: the window's command does; the
    /// command line, which was told what to do, does not.
    enum class Ask { Not, First };
    /// Undoes the newest batch not yet undone, with Ask::First only after
    /// the user confirmed it; files that cannot go back are listed in one
    /// message. Returns the undo's outcome.
    UndoResult undoCommand(Ask ask = Ask::Not);
    /// At start: if the newest batch was interrupted, asks whether to give the
    /// renamed files their old names back, naming when, where and how many,
    /// and does so on "Ja". True when files were moved back (or tried to be).
    bool offerRepair();
    BatchRecord interruptedBatch() const { return m_journal.interruptedBatch(); }

    // List commands: the list does them, the session previews after them.
    void clearList();
    void changeChecks(FileList::CheckChange change);
    void moveSelectedRows(FileList::Direction direction);
    /// Takes the highlighted rows out of the list (their files stay as they are).
    void removeSelectedRows();
    /// Checks or unchecks the highlighted rows.
    void checkSelectedRows(bool checked);
    /// The header of \a column was clicked.
    void sortByColumn(int column);
    /// Puts the names on the clipboard (through clipboardRequested) and beeps.
    void copyNamesToClipboard();
    /// A row's check box was clicked.
    void setChecked(int row, bool checked);
    /// The highlight changed in the view; takes it over for the move commands
    /// and, as a click on the list does, schedules a refresh unless \a refresh
    /// is false (a command moved the highlight, not the user's click).
    void setSelectedRows(const QList<int> &rows, bool refresh = true);

Q_SIGNALS:
    /// An option value changed other than through its own handler (a saved
    /// mask was loaded, a counter field was made canonical).
    void optionsChanged();
    void commandsChanged();
    void progressChanged(int value, int maximum);
    void beepRequested();
    void clipboardRequested(const QString &text);
    /// A batch was renamed or undone: what the undo command offers changed.
    void undoChanged();

private:
    QList<SkippedPath> loadPaths(const QList<PathToLoad> &paths, const std::function<void()> &yield,
                                 RowsReadAhead *ahead = nullptr);
    UndoResult undo(const BatchRecord &batch);
    void previewIfLive();
    void onDigitEntryChosen(int index);
    void takeOverCounters();
    bool counterInRange() const;
    void buildNames(bool counterInRange);
    /// The fault of the names a list or table supplied, shown; else the
    /// clashes numbered, when asked for. False on a fault.
    bool finishNames();
    /// Shows whether the names may be renamed: \a named (built from a usable
    /// mask) and, in a Live session, passing the full test.
    void showOutcome(bool named);
    void setProgress(int value, int maximum);
    /// Gives each row that failed in \a result its reason, until the next
    /// preview tests it again.
    void markFailedRows(const RenameResult &result);
    template<typename T> void changeOption(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        scheduleRefresh();
    }

    UserQuestions &m_questions;
    const Preview m_preview;
    FileList m_list;
    StatusLine m_status;
    DigitChoices m_digits;
    RenameOptions m_options;
    MaskCheck m_mask;
    ReplaceSets m_replaceSets;
    SuppliedNames m_supplied;
    QString m_searchError; ///< why the sets did not run, as the status says it
    Journal m_journal;
    QTimer m_timer;
    bool m_refreshing = false;
    bool m_renameEnabled = false;
    int m_progressValue = 0;
    int m_progressMaximum = 0;
};

} // namespace kesto
