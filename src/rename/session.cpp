#include "rename/session.h"

#include "filelist/loader.h"
#include "metadata/imagefacts.h"
#include "naming/builder.h"
#include "naming/textcase.h"
#include "rename/formatmessage.h"
#include "rename/messages.h"
#include "rename/numericinput.h"
#include "rename/plan.h"
#include "rename/renamer.h"
#include "storage/applog.h"
#include "storage/questions.h"
#include "storage/textfile.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>

#include <limits>

namespace kesto {

namespace {

constexpr int RefreshDelayMs = 1500;
// How long what the list read of a file is taken as still true for a batch's journal.
constexpr qint64 IdentityFreshFor = 3000;

} // namespace

Session::Session(UserQuestions &questions, QObject *parent)
    : QObject(parent)
    , m_questions(questions)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(RefreshDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { ChkSituation(false); });
    connect(&m_digits, &DigitChoices::entryChosen, this, &Session::onDigitEntryChosen);
    connect(&m_digits, &DigitChoices::entriesChanged, this,
            [this] { m_options.digits = m_digits.chosenIndex(); });
    // With an empty list and both counters still 0 this offers 1 to 12 and
    // chooses 1, which the choice handler takes over as the digit count.
    MinDigits = AdjustDigitChoices(0, CounterStart, CounterStep, m_digits);
}

Session::~Session() = default;

// --- option controls ------------------------------------------------------

void Session::setMaskText(const QString &text)
{
    changeOption(m_options.mask, text);
}

void Session::setStartText(const QString &text)
{
    changeOption(m_options.start, text);
}

void Session::setStepText(const QString &text)
{
    changeOption(m_options.step, text);
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

void Session::chooseLetterCase(int position)
{
    if (position < 0 || position >= LetterCaseEntries().size())
        return;
    m_options.letterCase = position;
    letterCase = position;
    ChkSituation(false);
}

void Session::chooseLeadChar(int position)
{
    if (position < 0 || position >= LeadCharEntries().size())
        return;
    m_options.leadChar = position;
    LeadChar = LeadCharForPosition(position, LeadChar);
    // The counter part of the pass could refill and re-choose the digit list.
    SkipCounterRefresh = true;
    ChkSituation(false);
    SkipCounterRefresh = false;
}

void Session::onDigitEntryChosen(int index)
{
    m_options.digits = index;
    SkipCounterRefresh = true;
    DigitCount = m_digits.chosenText();
    ChkSituation(false);
    SkipCounterRefresh = false;
}

void Session::applyOptions(const RenameOptions &o)
{
    setMaskText(o.mask);
    setStartText(o.start);
    setStepText(o.step);
    if (o.digits != m_digits.chosenIndex() && o.digits >= 0 && o.digits < m_digits.entries().size())
        m_digits.choose(o.digits);
    if (o.leadChar != m_options.leadChar)
        chooseLeadChar(o.leadChar);
    if (o.letterCase != m_options.letterCase)
        chooseLetterCase(o.letterCase);
    for (int k = 0; k < 3; ++k) {
        setSearchActive(k, o.sets[k].active);
        setSearchText(k, o.sets[k].search);
        setReplaceText(k, o.sets[k].replace);
        setSearchInNewName(k, o.sets[k].inNewName);
    }
    setRandomUpper(o.randomUpper);
    setRandomLower(o.randomLower);
    setRandomDigits(o.randomDigits);
    setRandomExtra(o.randomExtra);
    setRandomExtraChars(o.randomExtraChars);
    Q_EMIT optionsChanged();
}

void Session::ScheduleRefresh()
{
    if (m_renameEnabled) {
        m_renameEnabled = false;
        Q_EMIT commandsChanged();
    }
    m_timer.stop();
    m_timer.start();
}

// --- the pass ---------------------------------------------------------------

void Session::counterFieldsCanonical()
{
    // Pasted text becomes the number it reads as, written back into its field.
    CounterStart = ValidateNumericText(m_options.start);
    CounterStep = ValidateNumericText(m_options.step);
    const QString start = QString::number(CounterStart);
    const QString step = QString::number(CounterStep);
    if (start != m_options.start || step != m_options.step) {
        m_options.start = start;
        m_options.step = step;
        Q_EMIT optionsChanged();
    }
}

void Session::ChkSituation(bool DoAllTest)
{
    if (m_running)
        return;
    m_running = true;
    m_timer.stop();

    m_status.setPanel1(QStringLiteral("..."));
    const int rows = m_list.count();
    const bool hasRows = rows >= 1;

    if (!SkipCounterRefresh) {
        counterFieldsCanonical();
        MinDigits = AdjustDigitChoices(rows, CounterStart, CounterStep, m_digits);
    }

    const MaskCheck check = CheckMask(m_options.mask);
    MaskTokens = check.tokens;
    maskOk = check.ok;
    MaskHasTyp = check.hasExtension;
    m_maskStatus = check.statusText;
    m_status.setMessage(check.statusText);

    CounterInRange =
        !(maskOk && hasRows && UsesCounter(MaskTokens)) ||
        CounterValue(CounterStart, CounterStep, rows) <= std::numeric_limits<qint32>::max();

    RecomputeNames(DoAllTest);
    // The pass has cleared the mask check's message; the rows only say
    // "< Maskenfehler >", so the status bar says what is wrong.
    if (hasRows && check.errorCode >= 0)
        m_status.setMessage(check.statusText);

    if (maskOk && hasRows) {
        if (!CounterInRange)
            m_status.setMessage(messages::counterOutOfRange());
        else if (!namesUnique)
            m_status.setMessage(messages::notUnique());
        else if (!noCollision)
            m_status.setMessage(messages::collision());
        else if (!noEmptyName)
            m_status.setMessage(messages::emptyName());
        else if (!namesFit)
            m_status.setMessage(messages::tooLong());
        else if (!namesAllowed)
            m_status.setMessage(messages::notAllowed());
        else if (!foldersReadable)
            m_status.setMessage(messages::folderUnreadable());
    }
    RenameReady = noEmptyName && noCollision && namesUnique && namesFit && namesAllowed &&
                  foldersReadable && maskOk && hasRows && CounterInRange;
    if (RenameReady)
        m_status.setMessage(messages::readyToRename(messages::renameCaption()));
    m_status.setPanel1(messages::checkedCount(CheckedCount, rows));

    m_renameEnabled = RenameReady;
    updateMoveCommands();
    Q_EMIT commandsChanged();
    m_running = false;
}

void Session::RecomputeNames(bool DoAllTest)
{
    const int rows = m_list.count();
    // An emptied list has nothing checked; the counts of its last pass would
    // otherwise stand next to "von 0".
    CheckedCount = 0;
    SelectedCount = 0;
    if (rows == 0)
        return;
    m_status.setMessage(messages::checkingNames());

    if (!maskOk || !CounterInRange) {
        // Without a usable mask every row shows the mask error; a counter out
        // of range leaves the names of the last pass.
        for (int i = 0; i < rows; ++i) {
            FileEntry &e = m_list.entry(i);
            if (!maskOk) {
                e.newName = messages::maskErrorName();
                e.icon = RowIcon::Error;
            }
            CheckedCount += e.checked;
            SelectedCount += e.selected;
        }
        m_list.notifyRowsChanged(0, rows - 1, ColOldName, ColNewName);
        m_status.setMessage(QString());
        return;
    }

    if (m_onlyFullTestNames && !DoAllTest) {
        for (const FileEntry &e : m_list.rows()) {
            CheckedCount += e.checked;
            SelectedCount += e.selected;
        }
        m_status.setMessage(QString());
        return;
    }
    noEmptyName = noCollision = namesUnique = true;
    namesFit = namesAllowed = foldersReadable = true;
    setProgress(0, rows);

    NamingContext context;
    context.tokens = MaskTokens;
    context.counterStart = CounterStart;
    context.counterStep = CounterStep;
    context.digitCount = DigitCount.toInt();
    context.leadChar = LeadChar;
    context.letterCase = letterCase;
    context.sets = m_options.sets;
    context.alphabet.upper = isOn(m_options.randomUpper);
    context.alphabet.lower = isOn(m_options.randomLower);
    context.alphabet.digits = isOn(m_options.randomDigits);
    context.alphabet.extra = isOn(m_options.randomExtra);
    context.alphabet.extraChars = m_options.randomExtraChars;
    const bool needsImageSize = NeedsImageSize(MaskTokens);

    QList<int> tested;
    // The window cannot repaint during the pass, so the bar moves in steps of
    // one percent instead of once per row.
    const int step = std::max(1, rows / 100);
    for (int i = 0; i < rows; ++i) {
        FileEntry &e = m_list.entry(i);
        CheckedCount += e.checked;
        SelectedCount += e.selected;
        if (i % step == 0)
            setProgress(i + 1, rows);
        if (needsImageSize && !e.imageSizeKnown) {
            e.imageSize = ReadImageSize(ReachablePath(e).path());
            e.imageSizeKnown = true;
        }
        e.newName = BuildNewName(e, i + 1, context);
        if (DoAllTest && e.checked)
            tested.append(i);
    }
    if (DoAllTest)
        runTests(tested);
    m_list.notifyRowsChanged(0, rows - 1, ColOldName, ColNewName);
    setProgress(0, rows);
    m_status.setMessage(QString());
}

namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The bytes of \a text's UTF-8 and its closing NUL.
qsizetype utf8Size(QStringView text)
{
    return (isAscii(text) ? text.size() : text.toUtf8().size()) + 1;
}

// Writes \a text as UTF-8 with a closing NUL at \a to, which has room for
// utf8Size(\a text) bytes; gives the bytes without the NUL, kept where they are.
QByteArray writeUtf8(char *&to, QStringView text)
{
    char *const from = to;
    if (isAscii(text)) {
        for (QChar c : text)
            *to++ = char(c.unicode());
    } else {
        const QByteArray bytes = text.toUtf8();
        to = std::copy(bytes.begin(), bytes.end(), to);
    }
    *to++ = 0;
    return QByteArray::fromRawData(from, to - from - 1);
}

} // namespace

void Session::runTests(const QList<int> &checkedRows)
{
    // The pairs' names are views: of the row's own bytes, or of one block
    // that holds the UTF-8 of all the others, sized before it is written.
    qsizetype bytes = 0;
    for (int i : checkedRows) {
        const FileEntry &e = m_list.at(i);
        if (e.rawBytes().isEmpty())
            bytes += utf8Size(e.oldName);
        bytes += utf8Size(e.newName);
    }
    QByteArray names(bytes, Qt::Uninitialized);
    char *to = names.data();

    QList<PlannedRename> pairs;
    pairs.reserve(checkedRows.size());
    // Neighbouring rows mostly share their folder: one copy of its bytes.
    QByteArray folder;
    QString folderText;
    bool fromText = false;
    for (int i : checkedRows) {
        const FileEntry &e = m_list.at(i);
        PlannedRename p;
        p.row = i;
        const QByteArray &raw = e.rawBytes();
        if (raw.isEmpty()) {
            if (!fromText || e.folder != folderText) {
                folderText = e.folder;
                folder = QFile::encodeName(folderText);
                fromText = true;
            }
            p.oldName = writeUtf8(to, e.oldName);
        } else {
            const qsizetype slash = raw.lastIndexOf('/') + 1;
            if (fromText || QByteArrayView(raw).first(slash) != folder) {
                folder = raw.left(slash);
                fromText = false;
            }
            p.oldName = QByteArray::fromRawData(raw.constData() + slash, raw.size() - slash);
        }
        p.folder = folder;
        p.newName = writeUtf8(to, e.newName);
        p.shownOld = e.oldName;
        p.shownNew = e.newName;
        pairs.append(std::move(p));
    }
    const RenamePlan plan = CheckPlan(std::move(pairs));
    namesUnique = plan.namesUnique;
    noCollision = plan.noCollision;
    noEmptyName = plan.noEmptyName;
    namesFit = plan.namesFit;
    namesAllowed = plan.namesAllowed;
    foldersReadable = plan.foldersReadable;
    for (const PlannedRename &p : plan.pairs) {
        FileEntry &e = m_list.entry(p.row);
        const bool ok = p.status == PairStatus::Ok || p.status == PairStatus::Unchanged;
        e.icon = ok ? RowIcon::Normal : RowIcon::Error;
        e.hint = p.reason();
    }
}

void Session::setProgress(int value, int maximum)
{
    if (value == m_progressValue && maximum == m_progressMaximum)
        return;
    m_progressValue = value;
    m_progressMaximum = maximum;
    Q_EMIT progressChanged(value, maximum);
}

void Session::updateMoveCommands()
{
    const int rows = m_list.count();
    if (SelectedCount != 0 && rows != 0) {
        m_moveDownEnabled = !m_list.at(rows - 1).selected;
        m_moveUpEnabled = !m_list.at(0).selected;
    } else {
        m_moveDownEnabled = m_moveUpEnabled = false;
    }
}

// --- loading ------------------------------------------------------------------

QList<SkippedPath> Session::LoadListWithFileNames(const QStringList &paths,
                                                  const std::function<void()> &yield)
{
    return loadPaths(PathsFromText(paths), yield);
}

QList<SkippedPath> Session::LoadListWithFileNames(const QList<QByteArray> &rawPaths,
                                                  const std::function<void()> &yield,
                                                  RowsReadAhead *ahead)
{
    if (ahead && ahead->rawPaths() != rawPaths)
        ahead = nullptr;
    // The rows read ahead need no paths made again.
    if (ahead && canTakeReadAhead())
        return loadPaths({}, yield, ahead);
    return loadPaths(PathsFromBytes(rawPaths), yield);
}

bool Session::canTakeReadAhead() const
{
    return m_list.isEmpty() && !m_onlyFullTestNames;
}

QList<SkippedPath> Session::loadPaths(const QList<PathToLoad> &paths,
                                      const std::function<void()> &yield, RowsReadAhead *ahead)
{
    WriteTimedLog(QStringLiteral(" ENTRY LoadListWithFileNames "));
    const int n = static_cast<int>(ahead ? ahead->rawPaths().size() : paths.size());
    m_status.setMessage(messages::filling());
    m_list.setKeepSorted(false);
    setProgress(0, n);

    NewRows added;
    if (ahead) {
        // Only what is not read yet is waited for, while the window is served.
        while (!ahead->waitFor(std::chrono::milliseconds(16))) {
            setProgress(ahead->done(), n);
            if (yield)
                yield();
        }
        added = ahead->take();
        WriteLogLines(added.log);
    } else {
        const WantedFacts wanted =
            m_onlyFullTestNames ? FactsUsedBy(CheckMask(m_options.mask).tokens, m_list.sortColumn())
                                : WantedFacts{};
        added = ReadNewRows(
            paths, m_list, wanted, [this, n](int i) { setProgress(i, n); }, yield);
    }
    // Each new row goes to the top; the sort below puts everything in place.
    std::reverse(added.rows.begin(), added.rows.end());
    m_list.insertRows(0, std::move(added.rows));

    setProgress(0, n);
    m_list.setKeepSorted(true);
    // The pass sizes the digit choices itself; a choice it makes is taken over
    // without a second pass over the rows.
    ChkSituation(false);
    WriteTimedLog(QStringLiteral(" EXIT LoadListWithFileNames "));
    return std::move(added.skipped);
}

// --- renaming -------------------------------------------------------------------

void Session::renameCommand()
{
    ChkSituation(true);
    if (m_renameEnabled)
        UmTaufen();
}

void Session::UmTaufen()
{
    if (!MaskHasTyp) {
        const QString warning = FormatMessage(messages::missingTypTemplate());
        if (!m_questions.askYesNo(warning, messages::appTitle()))
            return;
    }
    const int rows = m_list.count();
    setProgress(0, rows);
    m_status.setMessage(messages::renaming());

    // The checked rows from the last to the first, the order in which the
    // renames run where no name waits for another.
    QList<Move> moves;
    QList<int> rowOf;
    QList<int> renamed;
    for (int i = rows - 1; i >= 0; --i) {
        const FileEntry &e = m_list.at(i);
        if (!e.checked)
            continue;
        // The folder keeps the bytes it has; the new name is written in UTF-8.
        const QByteArray from = e.pathBytes();
        const qsizetype slash = from.lastIndexOf('/') + 1;
        const QByteArray to = e.newName.toUtf8();
        if (!IsPossibleFileName(e.newName)) {
            // A name the file system cannot hold is not even tried.
            if (!m_questions.askOkCancel(
                    messages::renameFailed(e.fullPath(), e.folder + e.newName,
                                           messages::renameFailureReason(EINVAL)),
                    messages::appTitle())) {
                moves.clear();
                break;
            }
            continue;
        }
        if (to == from.mid(slash)) {
            // The file has the wanted name already.
            renamed.append(i);
            continue;
        }
        // Rows of one folder share its bytes rather than each holding a copy.
        const QByteArrayView folder(from.constData(), slash);
        moves.append({!moves.isEmpty() && moves.back().folder == folder ? moves.back().folder
                                                                        : folder.toByteArray(),
                      from.mid(slash),
                      to,
                      {}});
        rowOf.append(i);
    }
    const QList<Step> steps = OrderMoves(moves);
    QList<JournalEntry> entries;
    entries.reserve(moves.size());
    // What the list read a moment ago is still what is renamed; after longer,
    // an editor may have saved a new file under the name.
    const qint64 freshSince = FileIdentity::now() - IdentityFreshFor;
    for (qsizetype m = 0; m < moves.size(); ++m) {
        JournalEntry entry{moves[m]};
        const FileEntry &e = m_list.at(rowOf[m]);
        if (e.identity.readAt != 0 && e.identity.readAt >= freshSince) {
            entry.identity = e.identity;
            entry.size = e.size;
        }
        entries.append(entry);
    }
    // Without a journal the batch is as safe, only not undoable.
    const bool journaled = !moves.isEmpty() && m_journal.begin(entries);
    const QList<MoveResult> results = ApplyMoves(
        moves, steps,
        [&](int m, int error) {
            const FileEntry &e = m_list.at(rowOf[m]);
            return m_questions.askOkCancel(
                messages::renameFailed(e.fullPath(), e.folder + e.newName,
                                       messages::renameFailureReason(error)),
                messages::appTitle());
        },
        // Cycles and letter-case-only moves take two steps each.
        [&](int done) { setProgress(done, int(steps.size())); });
    if (journaled)
        m_journal.end();
    for (qsizetype m = 0; m < moves.size(); ++m) {
        if (results[m] == MoveResult::Done)
            renamed.append(rowOf[m]);
    }
    std::sort(renamed.begin(), renamed.end(), std::greater<int>());
    Q_EMIT undoChanged();

    // renamed holds descending positions; remove each run of neighbours at once.
    for (qsizetype k = 0; k < renamed.size();) {
        qsizetype j = k;
        while (j + 1 < renamed.size() && renamed.at(j + 1) == renamed.at(j) - 1)
            ++j;
        m_list.removeRows(renamed.at(j), static_cast<int>(j - k + 1));
        k = j + 1;
    }

    setProgress(0, rows);
    ChkSituation(false);
    m_status.setMessage(messages::renameDone());
}

// --- undo ------------------------------------------------------------------------

BatchRecord Session::lastBatch() const
{
    for (BatchRecord &b : m_journal.batches()) {
        if (b.state != BatchState::Undone)
            return std::move(b);
    }
    return {};
}

BatchRecord Session::undoableBatch() const
{
    BatchRecord b = lastBatch();
    return b.state == BatchState::Running ? BatchRecord() : b;
}

QString Session::undoDescription(const BatchRecord &batch)
{
    if (batch.files == 0)
        return {};
    return messages::undoTooltip(batch.begun.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")),
                                 batch.files);
}

UndoResult Session::undoCommand()
{
    const BatchRecord batch = Journal::read(undoableBatch().path);
    if (batch.entries.isEmpty())
        return {};
    QStringList stays;
    UndoResult result = UndoBatch(batch, [&](const JournalEntry &e, int error) {
        stays.append(DecodeTextPart(e.move.folder + e.move.to) + QStringLiteral(" --> ") +
                     DecodeTextPart(e.move.from) + QStringLiteral(" (") +
                     (error ? messages::undoReason(error) : messages::undoMovedOn()) +
                     QLatin1Char(')'));
    });
    m_status.setMessage(messages::undoDone(int(result.movedBack.size())));
    if (!stays.isEmpty())
        m_questions.tell(messages::undoFailed(stays), messages::appTitle());
    Q_EMIT undoChanged();
    return result;
}

BatchRecord Session::interruptedBatch() const
{
    QList<BatchRecord> batches = m_journal.batches();
    if (batches.isEmpty() || batches.first().state != BatchState::Interrupted)
        return {};
    return batches.takeFirst();
}

bool Session::offerRepair()
{
    if (interruptedBatch().files == 0)
        return false;
    if (!m_questions.askYesNo(messages::interruptedQuestion(), messages::appTitle()))
        return false;
    undoCommand();
    return true;
}

// --- list commands ----------------------------------------------------------------

void Session::clearListCommand()
{
    m_list.clear();
    ChkSituation(false);
}

void Session::SetAllChecks(int mode)
{
    const int rows = m_list.count();
    for (int i = 0; i < rows; ++i) {
        FileEntry &e = m_list.entry(i);
        e.checked = mode == 1 ? true : mode == 0 ? false : !e.checked;
    }
    m_list.notifyRowsChanged(0, rows - 1, ColOldName, ColOldName);
    ChkSituation(false);
}

void Session::MoveSelectedRows(Direction direction)
{
    m_list.setKeepSorted(false);
    const int rows = m_list.count();
    if (rows == 0)
        return;
    const int edge = direction == Down ? rows - 1 : 0;
    if (m_list.at(edge).selected) {
        Q_EMIT beepRequested();
        ScheduleRefresh();
        return;
    }
    // Working from the far end lets a block of highlighted rows move together.
    auto moveOne = [this](int from, int to) {
        m_list.moveRow(from, to);
        FileEntry &e = m_list.entry(to);
        e.newName = messages::maskErrorName();
        e.icon = RowIcon::None;
        m_list.notifyRowsChanged(to, to, ColOldName, ColNewName);
    };
    if (direction == Down) {
        for (int i = rows - 2; i >= 0; --i) {
            if (m_list.at(i).selected)
                moveOne(i, i + 1);
        }
    } else {
        for (int i = 1; i < rows; ++i) {
            if (m_list.at(i).selected)
                moveOne(i, i - 1);
        }
    }
    m_list.notifySelectionChanged();
    updateMoveCommands();
    Q_EMIT commandsChanged();
    ScheduleRefresh();
}

void Session::SortByColumn(int k)
{
    if (k == LastSortColumn) {
        m_list.setSortOrder(m_list.sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                     : Qt::AscendingOrder);
    } else {
        LastSortColumn = k;
        m_list.setSortColumn(k == 4 ? int(ColSizeKey) : k - 1);
        if (!m_list.keepSorted())
            m_list.setKeepSorted(true);
    }
    ChkSituation(false);
}

QString Session::namesText(QStringView lineEnd) const
{
    const QLatin1StringView header("Vorher\tNachher");
    qsizetype length = header.size() + lineEnd.size();
    for (const FileEntry &e : m_list.rows())
        length += e.oldName.size() + 1 + e.newName.size() + lineEnd.size();
    QString text;
    text.reserve(length);
    text += header;
    text += lineEnd;
    for (const FileEntry &e : m_list.rows()) {
        text += e.oldName;
        text += QLatin1Char('\t');
        text += e.newName;
        text += lineEnd;
    }
    return text;
}

void Session::CopyNamesToClipboard()
{
    m_status.setMessage(messages::copying());
    Q_EMIT clipboardRequested(namesText());
    Q_EMIT beepRequested();
    m_status.setMessage(messages::copied());
}

void Session::setChecked(int row, bool checked)
{
    if (row < 0 || row >= m_list.count() || m_list.at(row).checked == checked)
        return;
    m_list.entry(row).checked = checked;
    m_list.notifyRowsChanged(row, row, ColOldName, ColOldName);
    ScheduleRefresh();
}

void Session::setSelectedRows(const QList<int> &rows, bool refresh)
{
    const QSet<int> wanted(rows.begin(), rows.end());
    SelectedCount = 0;
    for (int i = 0; i < m_list.count(); ++i) {
        const bool selected = wanted.contains(i);
        m_list.entry(i).selected = selected;
        SelectedCount += selected;
    }
    // The move commands follow the highlight at once rather than after the
    // next preview, so a highlighted row can be moved right away.
    updateMoveCommands();
    Q_EMIT commandsChanged();
    if (refresh)
        ScheduleRefresh();
}

} // namespace kesto
