// kesto-cli: the renamer without a window. It loads the files as the window's
// command line does, applies the options, runs the full test and prints the
// old and new names; with --apply it renames.

#include "cli/cliargs.h"
#include "cli/cliplan.h"
#include "cli/clitexts.h"
#include "mask/mask.h"
#include "rename/messages.h"
#include "rename/planrun.h"
#include "rename/progressmeter.h"
#include "rename/session.h"
#include "storage/applog.h"
#include "storage/datafolder.h"
#include "storage/language.h"
#include "storage/questions.h"
#include "storage/savedmasks.h"
#include "storage/tabletext.h"
#include "storage/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <unistd.h>
#include <utility>

using namespace kesto;

namespace {

QString lineBreaksForTerminal(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The progress of a long run as one line on a terminal, written over itself
// after a carriage return and erased (ESC [K) before anything else is written.
class TerminalProgress
{
public:
    // The line waits a second unless KESTO_PROGRESS_DELAY_MS says otherwise,
    // so that a test sees it in a short run.
    TerminalProgress(bool enabled, QTextStream &err)
        : m_enabled(enabled)
        , m_meter(qEnvironmentVariableIsSet("KESTO_PROGRESS_DELAY_MS")
                      ? qEnvironmentVariableIntValue("KESTO_PROGRESS_DELAY_MS")
                      : ProgressMeter::DefaultDelay)
        , m_err(err)
    {}

    void follow(Session &session)
    {
        if (m_enabled)
            QObject::connect(&session, &Session::progressChanged,
                             [this](int done, int total) { show(done, total); });
    }

    void show(int done, int total)
    {
        if (!m_enabled)
            return;
        switch (m_meter.update(done, total)) {
        case ProgressMeter::Show::Line:
            m_err << '\r' << m_meter.text() << "\x1b[K" << Qt::flush;
            m_lineShown = true;
            break;
        case ProgressMeter::Show::Clear:
            clear();
            break;
        case ProgressMeter::Show::Nothing:
            break;
        }
    }

    void clear()
    {
        if (std::exchange(m_lineShown, false))
            m_err << "\r\x1b[K" << Qt::flush;
    }

private:
    const bool m_enabled;
    ProgressMeter m_meter;
    QTextStream &m_err;
    bool m_lineShown = false;
};

// Answers the core's questions from the command line: the "[TYP]" warning by
// --yes, a failed rename by going on with every further file, whose failures
// the batch tells once at its end.
class CliQuestions : public UserQuestions
{
public:
    CliQuestions(bool yes, bool noUndo, QTextStream &err, TerminalProgress *progress = nullptr)
        : m_yes(yes)
        , m_noUndo(noUndo)
        , m_err(err)
        , m_progress(progress)
    {}

    QString askText(const QString &, const QString &, const QString &) override { return {}; }
    bool askYesNo(const QString &text, const QString &) override
    {
        if (!m_yes)
            err() << lineBreaksForTerminal(text) << Qt::endl;
        return m_yes;
    }
    bool askRenameWithoutUndo(const QString &text, const QString &) override
    {
        if (!m_noUndo) {
            // The reason, without the question the dialog asks.
            err() << lineBreaksForTerminal(text.left(text.lastIndexOf(u"\r\r"))) << '\n'
                  << cli::texts::noUndoRefused() << Qt::endl;
        }
        return m_noUndo;
    }
    void tell(const QString &text, const QString &) override
    {
        err() << lineBreaksForTerminal(text) << Qt::endl;
    }
    FailureAnswer askAfterFailure(const QString &, const QString &) override
    {
        return FailureAnswer::SkipAll;
    }
    bool askOkCancel(const QString &text, const QString &) override
    {
        // The message and its reason; the dialog's OK/Cancel hint after the
        // last blank line means nothing here. (A name may hold line breaks
        // itself, so lines are not counted.)
        err() << lineBreaksForTerminal(text.left(text.lastIndexOf(u"\r\r"))) << Qt::endl;
        return true;
    }

private:
    // The error output, with no progress line left in the way.
    QTextStream &err()
    {
        if (m_progress)
            m_progress->clear();
        return m_err;
    }

    bool m_yes, m_noUndo;
    QTextStream &m_err;
    TerminalProgress *m_progress;
};

void applyArguments(const cli::Arguments &a, RenameOptions &o)
{
    if (a.mask)
        o.mask = *a.mask;
    if (a.counterStart)
        o.counterStart = *a.counterStart;
    if (a.counterStep)
        o.counterStep = *a.counterStep;
    if (a.leadChar)
        o.leadChar = *a.leadChar;
    if (a.letterCase)
        o.letterCase = *a.letterCase;
    std::copy(a.replacements.cbegin(), a.replacements.cend(), o.sets.begin());
    if (a.randomUpper)
        o.randomUpper = Checked;
    if (a.randomLower)
        o.randomLower = Checked;
    if (a.randomDigits)
        o.randomDigits = Checked;
    if (a.randomExtra) {
        o.randomExtra = Checked;
        o.randomExtraChars = *a.randomExtra;
    }
    if (a.transliterate)
        o.transliterate = Checked;
    if (a.counterPerFolder)
        o.counterPerFolder = Checked;
    if (a.companions || a.companionsMain)
        o.companions = Checked;
    if (a.companionsMain)
        o.companionsMain = *a.companionsMain;
    if (a.numberClashes)
        o.numberClashes = Checked;
}

int history(Session &session, QTextStream &out)
{
    for (const BatchRecord &b : session.journal().batches()) {
        out << b.begun.toString(TimeShownFormat) << '\t' << b.files << '\t' << EscapedName(b.folder)
            << '\t' << cli::texts::batchState(b.state);
        // A fifth field only for a batch that made folders.
        if (b.newFolderCount > 0)
            out << '\t' << messages::foldersMade(b.newFolderCount);
        out << '\n';
    }
    out.flush();
    return 0;
}

int undo(Session &session, QTextStream &out, QTextStream &err)
{
    const BatchRecord last = session.lastBatch();
    if (last.state == BatchState::Damaged) {
        session.undoCommand(); // which tells why it does nothing
        return 1;
    }
    if (last.files == 0 || last.state == BatchState::Running) {
        // One still running in another process is not "nothing to undo": it
        // can be undone once it ends.
        err << (last.files == 0 ? cli::texts::nothingToUndo() : cli::texts::stillRunning())
            << Qt::endl;
        return 1;
    }
    const UndoResult result = session.undoCommand();
    out << NamesHeader << '\n';
    for (const Move &m : result.movedBack) {
        out << EscapedName(DecodeTextPart(m.folder + m.from)) << '\t'
            << EscapedName(DecodeTextPart(m.folder + m.to)) << '\n';
    }
    out.flush();
    err << session.status().panel2() << Qt::endl;
    return result.complete ? 0 : 1;
}

// The options of a saved mask, if one is named, with the arguments over them;
// false when the named mask does not exist.
bool optionsFrom(const cli::Arguments &a, RenameOptions &options, QTextStream &err)
{
    if (a.preset) {
        const QString masksIni = MakeAppPaths().masksIni;
        if (!SavedMaskNames(masksIni).contains(*a.preset)) {
            err << cli::texts::noSavedMask(*a.preset) << Qt::endl;
            return false;
        }
        LoadMask(*a.preset, options, masksIni, OptionListSizes{});
    }
    applyArguments(a, options);
    return true;
}

// Why the names are not renamed, then each row's reason, so that a script can tell.
void printRefusal(const Session &session, QTextStream &err)
{
    const MaskCheck &mask = session.maskCheck();
    err << (mask.ok ? session.status().panel2() : mask.statusText) << Qt::endl;
    for (const FileEntry &e : session.list().rows()) {
        if (!e.hint.isEmpty())
            err << EscapedName(e.oldName) << '\t' << EscapedName(e.newName) << '\t' << e.hint
                << '\n';
    }
    err.flush();
}

// Writes the names to standard output; gives the errno of a failed write, or 0.
int printNames(const FileList &list)
{
    const QByteArray names = NamesText(list, NamesLayout::Terminal).toUtf8();
    if (std::fwrite(names.constData(), 1, size_t(names.size()), stdout) != size_t(names.size()) ||
        std::fflush(stdout) != 0)
        return errno;
    return 0;
}

// The paths of each --files-from list after those of the arguments; false
// when a list cannot be read.
bool addListedPaths(cli::Arguments &a, QTextStream &err)
{
    for (const QByteArray &list : std::as_const(a.pathLists)) {
        SkipReason reason = SkipReason::Unreadable;
        const std::optional<QList<QByteArray>> paths = ReadPathList(list, a.nulSeparated, reason);
        if (!paths) {
            err << cli::texts::listUnreadable(EscapedName(DecodeTextPart(list)), reason)
                << Qt::endl;
            return false;
        }
        a.files += *paths;
    }
    return true;
}

// The name list and the table of \a a, for the rows loaded; each line of the
// table that gives none of them its values is named. False when one cannot
// be read.
bool supplyNames(const cli::Arguments &a, Session &session, QTextStream &err)
{
    SuppliedNames &supplied = session.suppliedNames();
    for (const auto &[source, isTable] : {std::pair(a.nameList, false), {a.table, true}}) {
        if (!source)
            continue;
        SkipReason reason = SkipReason::Unreadable;
        const std::optional<QByteArray> bytes = ReadListSource(*source, reason);
        const QString shown = EscapedName(DecodeTextPart(*source));
        if (!bytes) {
            err << (isTable ? cli::texts::tableUnreadable(shown, reason)
                            : cli::texts::listUnreadable(shown, reason))
                << Qt::endl;
            return false;
        }
        if (isTable)
            supplied.setTable(ReadTable(DecodeText(*bytes)));
        else
            supplied.setList(NameListLines(DecodeText(*bytes)));
    }
    for (const TableLine &line : supplied.unusedLines(session.list()))
        err << cli::texts::unusedTableLine(line.number, EscapedName(line.cells.first()))
            << Qt::endl;
    return true;
}

// Previews the files of \a a, tests the names and, with --apply, renames them:
// the exit status.
int renameFiles(cli::Arguments &a, const RenameOptions &options, QTextStream &err)
{
    TerminalProgress progress(!a.quiet && ::isatty(STDERR_FILENO), err);
    CliQuestions questions(a.yes, a.noUndo, err, &progress);
    Session session(questions, Session::Preview::OnDemand);
    progress.follow(session);
    if (session.interruptedBatch().files > 0)
        err << cli::texts::interrupted() << Qt::endl;
    session.applyOptions(options);
    session.list().sortBy(a.sortColumn - 1,
                          a.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
    const QList<SkippedPath> skipped =
        a.recursive || a.folderRows ? session.load(a.files, a.folders) : session.load(a.files);
    // The rows hold what they need of the paths; the list of them would only
    // stand in the way of the plan's memory.
    a.files = {};
    for (const SkippedPath &p : skipped)
        err << cli::texts::skipped(EscapedName(p.path), p.reason) << Qt::endl;
    if (session.list().isEmpty()) {
        err << cli::texts::nothingLeft() << Qt::endl;
        return 1;
    }
    if (!supplyNames(a, session, err))
        return 2;
    if (a.digitCount)
        session.setDigitCount(*a.digitCount);
    session.refresh();
    // The rows with their verdicts, for --json and --plan-out.
    QList<PlanRow> rows;
    if (a.json || a.planOut)
        rows = cli::TestedRows(session, a.planOut.has_value());
    int outputError = a.json ? 0 : printNames(session.list());

    int status = skipped.isEmpty() ? 0 : 1;
    if (!a.apply) {
        if (session.testNames()) {
            if (!a.quiet) {
                const FileList &list = session.list();
                err << cli::texts::ready(list.checkedCount() - list.checkedFolderCount(),
                                         list.checkedFolderCount())
                    << Qt::endl;
            }
        } else {
            printRefusal(session, err);
            status = 1;
        }
    } else {
        const RenameResult result = session.renameCommand();
        if (result.verdict == RenameResult::Verdict::Refused)
            printRefusal(session, err);
        else if (result.verdict == RenameResult::Verdict::Ran)
            err << session.status().panel2() << Qt::endl;
        if (!result.complete())
            status = 1;
        if (a.json)
            SetResults(rows, result);
    }
    const Plan plan{cli::UsedOptions(session, a), std::move(rows)};
    if (a.planOut && !cli::WritePlan(*a.planOut, plan, err))
        status = 1;
    if (a.json)
        outputError = cli::PrintBytes(PlanJson(plan));
    if (outputError != 0) {
        err << cli::texts::outputFailed(messages::systemErrorText(outputError)) << Qt::endl;
        status = 1;
    }
    return status;
}

// --plan-in: the plan's rows as they stand now and, with --apply, the plan
// renamed; the exit status.
int runPlan(const cli::Arguments &a, QTextStream &err)
{
    std::optional<Plan> plan = cli::ReadPlan(*a.planIn, err);
    if (!plan)
        return 2;
    TerminalProgress progress(!a.quiet && ::isatty(STDERR_FILENO), err);
    CliQuestions questions(a.yes, a.noUndo, err, &progress);
    Journal journal;
    if (journal.interruptedBatch().files > 0)
        err << cli::texts::interrupted() << Qt::endl;
    const bool hasExtension =
        CheckMask(plan->options.value(QLatin1String("mask")).toString()).hasExtension;
    const RenameResult result =
        RunPlan(*plan, a.apply, hasExtension, journal, questions,
                [&progress](int done, int steps) { progress.show(done, steps); });
    progress.clear();
    const int outputError =
        cli::PrintBytes(a.json ? PlanJson(*plan) : cli::PlanNamesText(plan->rows));
    if (result.verdict == RenameResult::Verdict::Refused)
        err << result.refusal << Qt::endl;
    else if (a.apply && result.verdict == RenameResult::Verdict::Ran && result.total() > 0)
        err << (result.complete()
                    ? messages::renameDone()
                    : messages::renamePartly(int(result.renamed.size()), result.total()))
            << Qt::endl;
    const int left = cli::TellRowsLeft(plan->rows, err);
    if (!a.apply && left == 0 && !a.quiet) {
        const auto folders = int(std::count_if(plan->rows.begin(), plan->rows.end(),
                                               [](const PlanRow &row) { return row.isFolder; }));
        err << cli::texts::ready(int(plan->rows.size()) - folders, folders) << Qt::endl;
    }
    int status = left > 0 || !result.complete() ? 1 : 0;
    if (outputError != 0) {
        err << cli::texts::outputFailed(messages::systemErrorText(outputError)) << Qt::endl;
        status = 1;
    }
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // A run lives for a moment and builds one list: keep freed memory for the
    // next allocation instead of handing it back and faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    // A reader that goes away (`| head`) must not end a batch half done: the
    // failed write is reported once the files are renamed.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quarvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Kesto"));
    InstallTextLanguage();
    QTextStream out(stdout);
    QTextStream err(stderr);

    cli::Arguments a;
    {
        // Views of argv; gone before the rows are read, as a list of 100,000
        // paths costs as much as a tenth of their rows.
        QList<QByteArray> args;
        args.reserve(argc);
        for (int i = 1; i < argc; ++i)
            args.append(QByteArray::fromRawData(argv[i], qsizetype(std::strlen(argv[i]))));
        a = cli::ParseArguments(args);
    }
    if (a.help || a.version) {
        out << (a.help ? cli::UsageText() : QStringLiteral("kesto-cli " KESTO_VERSION "\n"));
        return 0;
    }
    if (!a.error.isEmpty()) {
        err << "kesto-cli: " << a.error << "\n\n" << cli::UsageText();
        return 2;
    }
    RenameOptions options;
    if (!optionsFrom(a, options, err))
        return 2;
    if (a.history || a.undo) {
        CliQuestions questions(a.yes, a.noUndo, err);
        Session session(questions, Session::Preview::OnDemand);
        return a.history ? history(session, out) : undo(session, out, err);
    }
    if (a.planIn)
        return runPlan(a, err);
    if (!addListedPaths(a, err))
        return 2;
    return renameFiles(a, options, err);
}
