#pragma once

#include "filelist/digitchoices.h"
#include "filelist/filelist.h"
#include "filelist/loader.h"
#include "filelist/statusline.h"
#include "mask/mask.h"
#include "rename/journal.h"
#include "storage/renameoptions.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace kesto {

class UserQuestions;

/// The renamer without its window: the rows, the naming options as the
/// controls hold them, the check flags, the status panels and which commands
/// may be used. The window binds its widgets to this object and forwards
/// their events to the handlers below; the command-line tool and the tests
/// drive it directly.
///
/// One pass from files to renamed files reads:
///     LoadListWithFileNames(paths);   // rows with their facts, then a preview
///     ChkSituation(true);             // new names and the full test
///     if (renameEnabled()) UmTaufen(); // rename, then a fresh preview
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(UserQuestions &questions, QObject *parent = nullptr);
    ~Session() override;

    FileList &list() { return m_list; }
    const FileList &list() const { return m_list; }
    StatusLine &status() { return m_status; }
    const StatusLine &status() const { return m_status; }
    DigitChoices &digitChoices() { return m_digits; }
    const DigitChoices &digitChoices() const { return m_digits; }
    UserQuestions &questions() { return m_questions; }

    // Option values, as the controls hold them.
    const RenameOptions &options() const { return m_options; }

    // Change handlers of the option controls. Text and check-box changes
    // schedule a refresh; the three lists refresh at once. A value equal to
    // the current one is no change.
    void setMaskText(const QString &text);
    void setStartText(const QString &text);
    void setStepText(const QString &text);
    void setSearchActive(int set, int checkState);
    void setSearchText(int set, const QString &text);
    void setReplaceText(int set, const QString &text);
    void setSearchInNewName(int set, int checkState);
    void setRandomUpper(int checkState);
    void setRandomLower(int checkState);
    void setRandomDigits(int checkState);
    void setRandomExtra(int checkState);
    void setRandomExtraChars(const QString &text);
    /// Letter-case list clicked: takes the position over and previews at once.
    void chooseLetterCase(int position);
    /// Leading-character list clicked.
    void chooseLeadChar(int position);
    /// Digit-count list clicked (the list announces the choice itself).
    void chooseDigitCount(int index) { m_digits.choose(index); }
    /// Puts every option into its control, each with its own handler, as
    /// loading a saved mask does. Positions outside their list keep the
    /// current choice.
    void applyOptions(const RenameOptions &options);

    // Values taken over from the controls.
    qint32 CounterStart = 0;
    qint32 CounterStep = 0;
    QString DigitCount;
    QString LeadChar;
    int letterCase = 0;
    bool SkipCounterRefresh = false;
    int MinDigits = 0;

    // Check flags and counters of the last pass.
    QList<MaskToken> MaskTokens;
    bool maskOk = false;
    bool MaskHasTyp = false;
    bool namesUnique = true;
    bool noCollision = true;
    bool noEmptyName = true;
    bool namesFit = true;
    bool namesAllowed = true;
    bool foldersReadable = true;
    bool CounterInRange = true;
    bool RenameReady = false;
    int CheckedCount = 0;
    int SelectedCount = 0;
    /// The status text the mask check left, also when the pass replaced it.
    QString maskStatus() const { return m_maskStatus; }

    bool renameEnabled() const { return m_renameEnabled; }
    bool moveDownEnabled() const { return m_moveDownEnabled; }
    bool moveUpEnabled() const { return m_moveUpEnabled; }
    int progressValue() const { return m_progressValue; }
    int progressMaximum() const { return m_progressMaximum; }

    /// Disables the rename command and restarts the one-shot refresh timer.
    void ScheduleRefresh();
    QTimer &refreshTimer() { return m_timer; }

    /// Brings names, flags, status panels and commands up to date; with
    /// \a DoAllTest the checked rows are also tested for duplicates, clashes
    /// with existing entries and blank names. A call during a pass is dropped.
    void ChkSituation(bool DoAllTest);

    /// Adds the regular files among \a paths that are not yet in the list,
    /// with their facts, sorts, and previews; gives the paths that named no
    /// such file, with the reason. \a yield is called about every 16 ms so a
    /// window can stay responsive.
    QList<SkippedPath> LoadListWithFileNames(const QStringList &paths,
                                             const std::function<void()> &yield = {});
    /// The same for paths as the system hands them over. A name that is no
    /// UTF-8 keeps its bytes and is shown decoded (see FileEntry::rawBytes()).
    /// Rows \a ahead began to read for these paths are taken over when the
    /// list is empty.
    QList<SkippedPath> LoadListWithFileNames(const QList<QByteArray> &rawPaths,
                                             const std::function<void()> &yield = {},
                                             RowsReadAhead *ahead = nullptr);

    /// For a run that ends in one full test (the command line): loading reads
    /// only the facts the mask and the sort column use, and the passes before
    /// the full test leave the names alone. Off by default: the window shows
    /// every fact and every preview.
    void setOnlyFullTestNames(bool on) { m_onlyFullTestNames = on; }

    /// Renames the checked rows from the last to the first and removes each
    /// renamed row; asks before renaming without "[TYP]" and after a failure.
    void UmTaufen();
    /// The rename command: a full test, then the renaming if still allowed.
    void renameCommand();

    // Undo. Every batch is recorded in a journal before its first rename.
    /// The journals of this session (tests and the command line may point
    /// them elsewhere than the data folder).
    Journal &journal() { return m_journal; }
    /// The newest batch not yet undone, also one still running; no files
    /// when there is none.
    BatchRecord lastBatch() const;
    /// lastBatch() unless it is still running: that one is not to be undone
    /// under its feet.
    BatchRecord undoableBatch() const;
    /// Text for the undo command's tooltip, empty when there is nothing to undo.
    static QString undoDescription(const BatchRecord &batch);
    /// Undoes the newest batch not yet undone; files that cannot go back are
    /// listed in one message. Returns the undo's outcome.
    UndoResult undoCommand();
    /// At start: if the newest batch was interrupted, asks whether to give the
    /// renamed files their old names back, and does so on "Ja". True when
    /// files were moved back (or tried to be).
    bool offerRepair();
    /// The newest batch when it was cut off (its journal has no end and no
    /// one holds it), else an empty record.
    BatchRecord interruptedBatch() const;

    // List commands.
    void clearListCommand();
    /// 1 checks every row, 0 unchecks every row, 2 inverts every check mark.
    void SetAllChecks(int mode);
    enum Direction { Down, Up };
    void MoveSelectedRows(Direction direction);
    /// Header k clicked (1 = "Alter Name" … 8 = "Aufnahme (Exif)").
    void SortByColumn(int k);
    int LastSortColumn = 0;
    /// "Vorher" TAB "Nachher", then old TAB new name per row, lines ended by
    /// \a lineEnd (CR LF on the clipboard).
    QString namesText(QStringView lineEnd = u"\r\n") const;
    /// Puts namesText() on the clipboard (through clipboardRequested) and beeps.
    void CopyNamesToClipboard();

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
    /// Loads \a paths, or else the rows \a ahead read.
    QList<SkippedPath> loadPaths(const QList<PathToLoad> &paths, const std::function<void()> &yield,
                                 RowsReadAhead *ahead = nullptr);
    /// Whether rows read ahead, with every fact, can become the list.
    bool canTakeReadAhead() const;
    void onDigitEntryChosen(int index);
    void RecomputeNames(bool DoAllTest);
    void runTests(const QList<int> &checkedRows);
    void setProgress(int value, int maximum);
    void setCommands(bool rename, bool down, bool up);
    void updateMoveCommands();
    void counterFieldsCanonical();
    template<typename T> void changeOption(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        ScheduleRefresh();
    }

    UserQuestions &m_questions;
    FileList m_list;
    StatusLine m_status;
    DigitChoices m_digits;
    RenameOptions m_options;
    Journal m_journal;
    QTimer m_timer;
    QString m_maskStatus;
    bool m_running = false;
    bool m_onlyFullTestNames = false;
    bool m_renameEnabled = false;
    bool m_moveDownEnabled = false;
    bool m_moveUpEnabled = false;
    int m_progressValue = 0;
    int m_progressMaximum = 0;
};

} // namespace kesto
