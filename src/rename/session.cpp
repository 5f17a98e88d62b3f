#include "rename/session.h"

#include "filelist/loader.h"
#include "metadata/imagefacts.h"
#include "naming/builder.h"
#include "naming/messages.h"
#include "naming/numericinput.h"
#include "naming/textcase.h"
#include "rename/clashnumbers.h"
#include "rename/companions.h"
#include "rename/messages.h"
#include "storage/applog.h"
#include "storage/questions.h"
#include "storage/textfile.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <limits>

namespace kesto {

namespace {

constexpr int RefreshDelayMs = 1500;

} // namespace

Session::Session(UserQuestions &questions, Preview preview, QObject *parent)
    : QObject(parent)
    , m_questions(questions)
    , m_preview(preview)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(RefreshDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &Session::refresh);
    connect(&m_digits, &DigitChoices::entryChosen, this, &Session::onDigitEntryChosen);
    connect(&m_digits, &DigitChoices::entriesChanged, this,
            [this] { m_options.digitCount = m_digits.chosenIndex(); });
    // Before the first refresh the counters count as 0: this offers 1 to 12
    // and chooses 1.
    AdjustDigitChoices(0, 0, 0, m_digits);
}

Session::~Session() = default;

// --- option controls ------------------------------------------------------

void Session::setMaskText(const QString &text)
{
    changeOption(m_options.mask, text);
}

void Session::setCounterStartText(const QString &text)
{
    changeOption(m_options.counterStart, text);
}

void Session::setCounterStepText(const QString &text)
{
    changeOption(m_options.counterStep, text);
}

void Session::setSearchActive(int set, int checkState)
{
    if (set >= 0 && set < 3)
        changeOption(m_options.sets[set].active, checkState);
}

void Session::setSearchText(int set, const QString &text)
{
    if (set >= 0 && set < 3)
        changeOption(m_options.sets[set].search, text);
}

void Session::setReplaceText(int set, const QString &text)
{
    if (set >= 0 && set < 3)
        changeOption(m_options.sets[set].replace, text);
}

void Session::setSearchInNewName(int set, int checkState)
{
    if (set >= 0 && set < 3)
        changeOption(m_options.sets[set].inNewName, checkState);
}

void Session::setSearchRegex(int set, int checkState)
{
    if (set >= 0 && set < 3)
        changeOption(m_options.sets[set].regex, checkState);
}

void Session::setSearchMatchCase(int set, int checkState)
{
    if (set >= 0 && set < 3)
        changeOption(m_options.sets[set].matchCase, checkState);
}

void Session::setRandomUpper(int checkState)
{
    changeOption(m_options.randomUpper, checkState);
}

void Session::setRandomLower(int checkState)
{
    changeOption(m_options.randomLower, checkState);
}

void Session::setRandomDigits(int checkState)
{
    changeOption(m_options.randomDigits, checkState);
}

void Session::setRandomExtra(int checkState)
{
    changeOption(m_options.randomExtra, checkState);
}

void Session::setRandomExtraChars(const QString &text)
{
    changeOption(m_options.randomExtraChars, text);
}

void Session::setTransliterate(int checkState)
{
    changeOption(m_options.transliterate, checkState);
}

void Session::setCounterPerFolder(int checkState)
{
    changeOption(m_options.counterPerFolder, checkState);
}

void Session::setCompanions(int checkState)
{
    changeOption(m_options.companions, checkState);
}

void Session::setNumberClashes(int checkState)
{
    changeOption(m_options.numberClashes, checkState);
}

void Session::chooseLetterCase(int position)
{
    if (position < 0 || position >= LetterCaseEntries().size())
        return;
    m_options.letterCase = position;
    previewIfLive();
}

void Session::chooseLeadChar(int position)
{
    if (position < 0 || position >= LeadCharEntries().size())
        return;
    m_options.leadChar = position;
    previewIfLive();
}

void Session::onDigitEntryChosen(int index)
{
    m_options.digitCount = index;
    previewIfLive();
}

void Session::setDigitCount(int digits)
{
    takeOverCounters();
    const qsizetype entry = m_digits.entries().indexOf(QString::number(digits));
    if (entry >= 0)
        m_digits.choose(int(entry));
}

void Session::applyOptions(const RenameOptions &o)
{
    setMaskText(o.mask);
    setCounterStartText(o.counterStart);
    setCounterStepText(o.counterStep);
    if (o.digitCount != m_digits.chosenIndex() && o.digitCount >= 0 &&
        o.digitCount < m_digits.entries().size())
        m_digits.choose(o.digitCount);
    if (o.leadChar != m_options.leadChar)
        chooseLeadChar(o.leadChar);
    if (o.letterCase != m_options.letterCase)
        chooseLetterCase(o.letterCase);
    for (int k = 0; k < 3; ++k) {
        setSearchActive(k, o.sets[k].active);
        setSearchText(k, o.sets[k].search);
        setReplaceText(k, o.sets[k].replace);
        setSearchInNewName(k, o.sets[k].inNewName);
        setSearchRegex(k, o.sets[k].regex);
        setSearchMatchCase(k, o.sets[k].matchCase);
    }
    setRandomUpper(o.randomUpper);
    setRandomLower(o.randomLower);
    setRandomDigits(o.randomDigits);
    setRandomExtra(o.randomExtra);
    setRandomExtraChars(o.randomExtraChars);
    setTransliterate(o.transliterate);
    setCounterPerFolder(o.counterPerFolder);
    setCompanions(o.companions);
    changeOption(m_options.companionsMain, o.companionsMain);
    setNumberClashes(o.numberClashes);
    Q_EMIT optionsChanged();
}

void Session::scheduleRefresh()
{
    // The names shown are no longer those of the options: nothing is renamed
    // until they are again.
    if (m_renameEnabled) {
        m_renameEnabled = false;
        Q_EMIT commandsChanged();
    }
    if (m_preview == Preview::Live)
        m_timer.start();
}

void Session::previewIfLive()
{
    if (m_preview == Preview::Live)
        refresh();
}

// --- the preview ------------------------------------------------------------

void Session::takeOverCounters()
{
    // Pasted text becomes the number it reads as, written back into its field.
    const QString start = QString::number(ValidateNumericText(m_options.counterStart));
    const QString step = QString::number(ValidateNumericText(m_options.counterStep));
    if (start != m_options.counterStart || step != m_options.counterStep) {
        m_options.counterStart = start;
        m_options.counterStep = step;
        Q_EMIT optionsChanged();
    }
    // This may choose another digit count; the refresh under way takes it.
    AdjustDigitChoices(m_list.count(), start.toInt(), step.toInt(), m_digits);
}

bool Session::counterInRange() const
{
    const int rows = m_list.count();
    return !(m_mask.ok && rows > 0 && UsesCounter(m_mask.tokens)) ||
           CounterValue(m_options.counterStart.toInt(), m_options.counterStep.toInt(), rows) <=
               std::numeric_limits<qint32>::max();
}

void Session::refresh()
{
    if (m_refreshing)
        return;
    const QScopedValueRollback<bool> busy(m_refreshing, true);
    m_timer.stop();
    m_status.setPanel1(QStringLiteral("..."));
    takeOverCounters();
    m_mask = CheckMask(m_options.mask);
    // Expressions are compiled when their sets change, not for every preview.
    if (m_replaceSets.options() != m_options.sets)
        m_replaceSets = ReplaceSets(m_options.sets);
    m_searchError = m_replaceSets.error();
    m_status.setMessage(m_mask.ok && !m_searchError.isEmpty() ? m_searchError : m_mask.statusText);
    const bool inRange = counterInRange();
    buildNames(inRange);
    const bool hasRows = !m_list.isEmpty();
    // The rows only say "< Maskenfehler >" or "< Suchfehler >", so the status
    // bar says what is wrong.
    if (hasRows && m_mask.errorCode >= 0)
        m_status.setMessage(m_mask.statusText);
    if (m_mask.ok && hasRows && !m_searchError.isEmpty())
        m_status.setMessage(m_searchError);
    else if (m_mask.ok && hasRows && !inRange)
        m_status.setMessage(messages::counterOutOfRange());
    showOutcome(m_mask.ok && hasRows && inRange && m_searchError.isEmpty() && finishNames());
}

bool Session::finishNames()
{
    const QString fault = m_supplied.fault(m_list, m_mask.tokens);
    if (!fault.isEmpty())
        m_status.setMessage(fault);
    else if (isOn(m_options.numberClashes) && NumberClashes(m_list) > 0)
        NameCompanions(m_list, m_mask.hasExtension);
    return fault.isEmpty();
}

void Session::showOutcome(bool named)
{
    // Every fault shows while the user still shapes the names; "Umbenennen"
    // tests them once more, since the folders may have changed meanwhile.
    const bool test = named && m_preview == Preview::Live;
    const QString refusal = test ? Refusal(TestRows(m_list)) : QString();
    // The view hears of the new names once: with their icons from the test.
    if (!test && !m_list.isEmpty())
        m_list.notifyRowsChanged(0, m_list.count() - 1, ColOldName, ColNewName);
    if (named)
        m_status.setMessage(refusal.isEmpty() ? messages::readyToRename(messages::renameCaption())
                                              : refusal);
    m_status.setPanel1(
        messages::checkedCount(m_list.checkedCount(), m_list.count(), m_list.folderCount()) +
        namingmessages::suppliedCounts(m_supplied.listSize(), m_supplied.tableSize()));
    m_renameEnabled = named && refusal.isEmpty();
    Q_EMIT commandsChanged();
}

void Session::buildNames(bool counterInRange)
{
    const int rows = m_list.count();
    if (rows == 0)
        return;
    m_status.setMessage(messages::checkingNames());
    GroupCompanions(m_list, isOn(m_options.companions), m_options.companionsMain);
    // Without a usable mask or sets every row shows the error; a counter out
    // of range leaves the names of the last refresh.
    if (m_mask.ok && m_searchError.isEmpty() && counterInRange) {
        NamingContext context;
        context.tokens = m_mask.tokens;
        context.counterStart = m_options.counterStart.toInt();
        context.counterStep = m_options.counterStep.toInt();
        context.digitCount = m_digits.chosenText().toInt();
        context.leadChar = LeadCharForPosition(m_options.leadChar, QString());
        context.letterCase = m_options.letterCase;
        context.sets = m_replaceSets;
        context.alphabet = {isOn(m_options.randomUpper), isOn(m_options.randomLower),
                            isOn(m_options.randomDigits), isOn(m_options.randomExtra),
                            m_options.randomExtraChars};
        context.transliterate = isOn(m_options.transliterate);
        // Per folder, the counter counts the rows of each folder in list order.
        const bool perFolder = isOn(m_options.counterPerFolder);
        QHash<QString, int> rowsInFolder;
        const bool needsImageSize = NeedsImageSize(m_mask.tokens);
        const ContentUse content = ContentUsedBy(m_mask.tokens);
        const std::vector<SuppliedValues> supplied = m_supplied.valuesFor(m_list, m_mask.tokens);
        if (content.photo)
            ReadPhotoFactsSideBySide(m_list, content.photoWithCaptureDate);
        setProgress(0, rows);
        // The window cannot repaint during the refresh, so the bar moves in
        // steps of one percent instead of once per row.
        const int step = std::max(1, rows / 100);
        // Companions take their names from their main row and count for no counter.
        int position = 0;
        for (int i = 0; i < rows; ++i) {
            FileEntry &e = m_list.entry(i);
            if (i % step == 0)
                setProgress(i + 1, rows);
            if (e.companion)
                continue;
            ++position;
            if (needsImageSize && !e.imageSizeKnown) {
                e.imageSize = ReadImageSize(ReachablePath(e).path());
                e.imageSizeKnown = true;
            }
            e.readContent(content);
            int failedSet = -1;
            e.newName = BuildNewName(e, perFolder ? ++rowsInFolder[e.folder] : position, context,
                                     &failedSet, supplied.empty() ? SuppliedValues() : supplied[i]);
            e.emptyValues = content.any() ? EmptyValues(e, m_mask.tokens) : 0;
            // The first such name blocks the batch; every further one would
            // take PCRE2's whole budget again.
            if (failedSet >= 0) {
                m_searchError =
                    namingmessages::setError(failedSet, namingmessages::brokenOff(e.oldName));
                break;
            }
        }
        NameCompanions(m_list, m_mask.hasExtension);
        setProgress(0, rows);
    }
    if (!m_mask.ok || !m_searchError.isEmpty()) {
        const QString shown = m_mask.ok ? messages::searchErrorName() : messages::maskErrorName();
        for (int i = 0; i < rows; ++i) {
            FileEntry &e = m_list.entry(i);
            e.newName = shown;
            e.icon = RowIcon::Error;
            e.hint.clear();
            e.emptyValues = 0;
        }
    }
    m_status.setMessage(QString());
}

bool Session::testNames()
{
    if (!m_renameEnabled)
        return false;
    const QString refusal = Refusal(TestRows(m_list));
    if (refusal.isEmpty())
        return true;
    m_status.setMessage(refusal);
    m_renameEnabled = false;
    Q_EMIT commandsChanged();
    return false;
}

void Session::setProgress(int value, int maximum)
{
    if (value == m_progressValue && maximum == m_progressMaximum)
        return;
    m_progressValue = value;
    m_progressMaximum = maximum;
    Q_EMIT progressChanged(value, maximum);
}

// --- loading ------------------------------------------------------------------

QList<SkippedPath> Session::load(const QStringList &paths, const std::function<void()> &yield)
{
    return loadPaths(PathsFromText(paths), yield);
}

QList<SkippedPath> Session::load(const QList<QByteArray> &rawPaths,
                                 const std::function<void()> &yield, RowsReadAhead *ahead)
{
    // Rows read ahead carry every fact, as the window shows them; they need
    // no paths made again.
    if (ahead && ahead->rawPaths() == rawPaths && m_list.isEmpty() && m_preview == Preview::Live)
        return loadPaths({}, yield, ahead);
    return loadPaths(PathsFromBytes(rawPaths), yield);
}

QList<SkippedPath> Session::load(const QList<QByteArray> &rawPaths, const FolderFilter &folders,
                                 const std::function<void()> &yield)
{
    // The walk may take a while before the first file is read.
    m_status.setMessage(messages::filling());
    return loadPaths(PathsWithFolderFiles(rawPaths, folders, yield), yield);
}

QList<SkippedPath> Session::loadChosen(const QList<QByteArray> &rawPaths,
                                       const std::function<void()> &yield)
{
    const QList<QByteArray> folders = FoldersAmong(rawPaths);
    if (folders.isEmpty())
        return load(rawPaths, yield);
    using Files = UserQuestions::FolderAnswer::Files;
    const UserQuestions::FolderAnswer answer = m_questions.askFolderFiles(
        messages::folderFilesQuestion(PathFromBytes(folders.first()).path, folders.size()),
        messages::appTitle());
    if (answer.files == Files::None)
        return {};
    return load(rawPaths, FolderFilterFor(answer), yield);
}

QList<SkippedPath> Session::loadPaths(const QList<PathToLoad> &paths,
                                      const std::function<void()> &yield, RowsReadAhead *ahead)
{
    WriteTimedLog(QStringLiteral(" ENTRY LoadListWithFileNames "));
    const int n = static_cast<int>(ahead ? ahead->rawPaths().size() : paths.size());
    m_status.setMessage(messages::filling());
    m_list.setKeepSorted(false);
    setProgress(0, n);
    const WantedFacts wanted =
        m_preview == Preview::OnDemand
            ? FactsUsedBy(CheckMask(m_options.mask).tokens, m_list.sortColumn())
            : WantedFacts{};
    NewRows added =
        ahead ? ahead->takeWhileServing([this, n](int i) { setProgress(i, n); }, yield)
              : ReadNewRows(
                    paths, m_list, wanted, [this, n](int i) { setProgress(i, n); }, yield);
    // Each new row goes to the top; the sort below puts everything in place.
    std::reverse(added.rows.begin(), added.rows.end());
    m_list.insertRows(0, std::move(added.rows));
    setProgress(0, n);
    m_list.setKeepSorted(true);
    previewIfLive();
    WriteTimedLog(QStringLiteral(" EXIT LoadListWithFileNames "));
    return std::move(added.skipped);
}

// --- renaming -------------------------------------------------------------------

RenameResult Session::renameCommand()
{
    if (!m_renameEnabled)
        return RenameResult::refused(m_status.panel2());
    const int rows = m_list.count();
    setProgress(0, rows);
    const QString ready = m_status.panel2();
    m_status.setMessage(messages::renaming());
    RenameResult result = RenameRows(m_list, m_mask.hasExtension, m_journal, m_questions,
                                     [this](int done, int steps) { setProgress(done, steps); });
    switch (result.verdict) {
    case RenameResult::Verdict::Refused:
        m_status.setMessage(result.refusal);
        m_renameEnabled = false;
        Q_EMIT commandsChanged();
        return result;
    case RenameResult::Verdict::Declined:
        m_status.setMessage(ready);
        setProgress(0, rows);
        return result;
    case RenameResult::Verdict::Ran:
        break;
    }
    Q_EMIT undoChanged();
    m_list.removeRowsDescending(result.renamed);
    setProgress(0, rows);
    previewIfLive();
    markFailedRows(result);
    m_status.setMessage(result.complete()
                            ? messages::renameDone(result.foldersMade)
                            : messages::renamePartly(int(result.renamed.size()), result.total()));
    return result;
}

void Session::markFailedRows(const RenameResult &result)
{
    for (const FailedRow &failed : result.failed) {
        // The renamed rows above it have left the list; they sort from the last.
        const auto firstAbove = std::lower_bound(result.renamed.begin(), result.renamed.end(),
                                                 failed.row, std::greater<int>());
        FileEntry &e = m_list.entry(failed.row - int(result.renamed.end() - firstAbove));
        e.icon = RowIcon::Error;
        e.hint = messages::renameFailureReason(failed.error);
    }
    if (!result.failed.isEmpty())
        m_list.notifyRowsChanged(0, m_list.count() - 1, ColOldName, ColNewName);
}

// --- undo ------------------------------------------------------------------------

UndoResult Session::undoCommand(Ask ask)
{
    const BatchRecord batch = Journal::read(undoableBatch().path);
    const bool undoable = batch.state != BatchState::Damaged &&
                          batch.state != BatchState::Unrecorded && !batch.entries.isEmpty();
    if (ask == Ask::First && undoable &&
        !m_questions.confirm(
            messages::undoQuestion(BatchFacts(batch), batch.files, batch.newFolderCount),
            messages::appTitle()))
        return {.movedBack = {}, .complete = false, .declined = true};
    return undo(batch);
}

UndoResult Session::undo(const BatchRecord &batch)
{
    if (batch.state == BatchState::Damaged) {
        m_questions.tell(messages::journalDamaged(batch.path), messages::appTitle());
        return {{}, false};
    }
    if (batch.state == BatchState::Unrecorded) {
        // Said once; the next undo takes back the batch before it.
        Journal::markUndone(batch.path);
        m_status.setMessage(messages::undoUnrecorded(batch.begun.toString(TimeShownFormat)));
        Q_EMIT undoChanged();
        return {{}, false};
    }
    if (batch.entries.isEmpty())
        return {};
    QStringList stays;
    UndoResult result = UndoBatch(batch, [&](const JournalEntry &e, int error) {
        stays.append(DecodeTextPart(e.move.folder + e.move.to) + QStringLiteral(" --> ") +
                     DecodeTextPart(e.move.from) + QStringLiteral(" (") +
                     (error ? messages::undoReason(error) : messages::undoMovedOn()) +
                     QLatin1Char(')'));
    });
    const int movedBack = int(result.movedBack.size());
    m_status.setMessage(result.complete ? messages::undoDone(movedBack)
                                        : messages::undoPartly(movedBack, int(stays.size())));
    if (!stays.isEmpty() || !result.keptFolders.isEmpty())
        m_questions.tell(messages::undoFailed(stays, result.keptFolders), messages::appTitle());
    Q_EMIT undoChanged();
    return result;
}

bool Session::offerRepair()
{
    const BatchRecord interrupted = interruptedBatch();
    if (interrupted.files == 0)
        return false;
    // Read once: a batch of a million files has a long journal.
    const BatchRecord batch = Journal::read(interrupted.path);
    if (!m_questions.confirm(
            messages::interruptedQuestion(BatchFacts(batch), batch.files, batch.newFolderCount),
            messages::appTitle()))
        return false;
    undo(batch);
    return true;
}

// --- list commands ----------------------------------------------------------------

void Session::clearList()
{
    m_list.clear();
    previewIfLive();
}

void Session::changeChecks(FileList::CheckChange change)
{
    m_list.changeChecks(change);
    previewIfLive();
}

void Session::moveSelectedRows(FileList::Direction direction)
{
    if (m_list.isEmpty())
        return;
    if (!m_list.moveSelectedRows(direction, messages::maskErrorName()))
        Q_EMIT beepRequested();
    Q_EMIT commandsChanged();
    scheduleRefresh();
}

void Session::removeSelectedRows()
{
    QList<int> rows;
    for (int row = m_list.count() - 1; row >= 0; --row) {
        if (m_list.at(row).selected)
            rows.append(row);
    }
    if (rows.isEmpty())
        return;
    m_list.removeRowsDescending(rows);
    previewIfLive();
}

void Session::checkSelectedRows(bool checked)
{
    if (m_list.setSelectedChecked(checked))
        previewIfLive();
}

void Session::sortByColumn(int column)
{
    m_list.clickHeader(column);
    previewIfLive();
}

void Session::copyNamesToClipboard()
{
    m_status.setMessage(messages::copying());
    Q_EMIT clipboardRequested(NamesText(m_list, NamesLayout::Clipboard));
    Q_EMIT beepRequested();
    m_status.setMessage(messages::copied());
}

void Session::setChecked(int row, bool checked)
{
    if (m_list.setChecked(row, checked))
        scheduleRefresh();
}

void Session::setSelectedRows(const QList<int> &rows, bool refresh)
{
    m_list.setSelectedRows(rows);
    // The move commands follow the highlight at once rather than after the
    // next preview, so a highlighted row can be moved right away.
    Q_EMIT commandsChanged();
    if (refresh)
        scheduleRefresh();
}

} // namespace kesto
