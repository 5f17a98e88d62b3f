// kesto-cli: the renamer without a window. It loads the files as the window's
// command line does, applies the options, runs the full test and prints the
// old and new names; with --apply it renames.

#include "cli/cliargs.h"
#include "cli/clitexts.h"
#include "rename/messages.h"
#include "rename/session.h"
#include "storage/datafolder.h"
#include "storage/questions.h"
#include "storage/savedmasks.h"
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

using namespace kesto;

namespace {

// A name may hold a tab or a line break; escaped like C, every row of the list
// stays one line of two fields.
void appendEscaped(QString &out, const QString &name)
{
    const auto special = [](QChar c) {
        return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\\';
    };
    if (std::none_of(name.begin(), name.end(), special)) {
        out += name;
        return;
    }
    for (QChar c : name) {
        switch (c.unicode()) {
        case u'\t':
            out += u"\\t";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        default:
            out += c;
        }
    }
}

QString escaped(const QString &name)
{
    QString out;
    appendEscaped(out, name);
    return out;
}

// "Vorher" TAB "Nachher", then old TAB new name per row, escaped.
QByteArray namesList(const FileList &list)
{
    qsizetype length = 15;
    for (const FileEntry &e : list.rows())
        length += e.oldName.size() + e.newName.size() + 2;
    QString text;
    text.reserve(length);
    text += u"Vorher\tNachher\n";
    for (const FileEntry &e : list.rows()) {
        appendEscaped(text, e.oldName);
        text += u'\t';
        appendEscaped(text, e.newName);
        text += u'\n';
    }
    return text.toUtf8();
}

QString lineBreaksForTerminal(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Answers the core's questions from the command line: the "[TYP]" warning by
// --yes, a failed rename by going on with the next file, as OK does.
class CliQuestions : public UserQuestions
{
public:
    CliQuestions(bool yes, QTextStream &err)
        : m_yes(yes)
        , m_err(err)
    {}

    int failures = 0;
    bool refused = false;

    QString askText(const QString &, const QString &, const QString &) override { return {}; }
    bool askYesNo(const QString &text, const QString &) override
    {
        if (!m_yes) {
            m_err << lineBreaksForTerminal(text) << Qt::endl;
            refused = true;
        }
        return m_yes;
    }
    void tell(const QString &text, const QString &) override
    {
        m_err << lineBreaksForTerminal(text) << Qt::endl;
    }
    bool askOkCancel(const QString &text, const QString &) override
    {
        ++failures;
        // The message and its reason; the dialog's OK/Cancel hint after the
        // last blank line means nothing here. (A name may hold line breaks
        // itself, so lines are not counted.)
        const QString message = lineBreaksForTerminal(text.left(text.lastIndexOf(u"\r\r")));
        m_err << message << Qt::endl;
        return true;
    }

private:
    bool m_yes;
    QTextStream &m_err;
};

void applyArguments(const cli::Arguments &a, RenameOptions &o)
{
    if (a.mask)
        o.mask = *a.mask;
    if (a.start)
        o.start = *a.start;
    if (a.step)
        o.step = *a.step;
    if (a.leadChar)
        o.leadChar = *a.leadChar;
    if (a.letterCase)
        o.letterCase = *a.letterCase;
    for (qsizetype k = 0; k < a.replacements.size(); ++k) {
        SearchReplaceSet &set = o.sets[k];
        set.active = Checked;
        set.search = a.replacements.at(k).search;
        set.replace = a.replacements.at(k).replacement;
        set.inNewName = a.replacements.at(k).inNewName ? Checked : Unchecked;
    }
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
}

int history(Session &session, QTextStream &out)
{
    for (const BatchRecord &b : session.journal().batches()) {
        out << b.begun.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) << '\t' << b.files << '\t'
            << escaped(b.folder) << '\t' << cli::texts::batchState(b.state) << '\n';
    }
    out.flush();
    return 0;
}

int undo(Session &session, QTextStream &out, QTextStream &err)
{
    const BatchRecord last = session.lastBatch();
    if (last.files == 0 || last.state == BatchState::Running) {
        // One still running in another process is not "nothing to undo": it
        // can be undone once it ends.
        err << (last.files == 0 ? cli::texts::nothingToUndo() : cli::texts::stillRunning())
            << Qt::endl;
        return 1;
    }
    const UndoResult result = session.undoCommand();
    out << "Vorher\tNachher\n";
    for (const Move &m : result.movedBack) {
        out << escaped(DecodeTextPart(m.folder + m.from)) << '\t'
            << escaped(DecodeTextPart(m.folder + m.to)) << '\n';
    }
    out.flush();
    err << session.status().panel2() << Qt::endl;
    return result.complete ? 0 : 1;
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
    QTextStream out(stdout);
    QTextStream err(stderr);

    cli::Arguments a = [&] {
        QList<QByteArray> args;
        args.reserve(argc);
        for (int i = 1; i < argc; ++i)
            args.append(QByteArray::fromRawData(argv[i], qsizetype(std::strlen(argv[i]))));
        return cli::ParseArguments(args);
    }();
    if (a.help) {
        out << cli::UsageText();
        return 0;
    }
    if (!a.error.isEmpty()) {
        err << "kesto-cli: " << a.error << "\n\n" << cli::UsageText();
        return 2;
    }

    RenameOptions options;
    if (a.preset) {
        const QString masksIni = MakeAppPaths().masksIni;
        if (!SavedMaskNames(masksIni).contains(*a.preset)) {
            err << "kesto-cli: "
                << QStringLiteral("Es gibt keine gespeicherte Maske '%1'.").arg(*a.preset)
                << Qt::endl;
            return 2;
        }
        LoadMask(*a.preset, options, masksIni, OptionListSizes{});
    }
    applyArguments(a, options);

    CliQuestions questions(a.yes, err);
    Session session(questions);
    session.setOnlyFullTestNames(true);
    if (a.history)
        return history(session, out);
    if (a.undo)
        return undo(session, out, err);
    if (session.interruptedBatch().files > 0)
        err << cli::texts::interrupted() << Qt::endl;
    session.applyOptions(options);
    session.SortByColumn(a.sortColumn);
    if (a.sortDescending)
        session.SortByColumn(a.sortColumn);

    const QList<SkippedPath> skipped = session.LoadListWithFileNames(a.files);
    // The rows hold what they need of the paths; the list of them would only
    // stand in the way of the plan's memory.
    a.files = {};
    for (const SkippedPath &p : skipped)
        err << cli::texts::skipped(escaped(p.path), p.reason) << Qt::endl;
    if (session.list().isEmpty()) {
        err << cli::texts::nothingLeft() << Qt::endl;
        return 1;
    }
    if (a.digits) {
        const qsizetype entry =
            session.digitChoices().entries().indexOf(QString::number(*a.digits));
        if (entry >= 0)
            session.chooseDigitCount(int(entry));
    }
    // The rename command's full test, as in the window.
    session.ChkSituation(true);
    const QByteArray names = namesList(session.list());
    int outputError = 0;
    if (std::fwrite(names.constData(), 1, size_t(names.size()), stdout) != size_t(names.size()) ||
        std::fflush(stdout) != 0)
        outputError = errno;

    int status = skipped.isEmpty() ? 0 : 1;
    if (!session.renameEnabled()) {
        err << (session.maskOk ? session.status().panel2() : session.maskStatus()) << Qt::endl;
        // Then why, row by row, so that a script can tell.
        for (const FileEntry &e : session.list().rows()) {
            if (!e.hint.isEmpty())
                err << escaped(e.oldName) << '\t' << escaped(e.newName) << '\t' << e.hint << '\n';
        }
        err.flush();
        status = 1;
    } else if (!a.apply) {
        err << cli::texts::ready(session.CheckedCount) << Qt::endl;
    } else {
        session.UmTaufen();
        if (questions.refused || questions.failures != 0)
            status = 1;
        if (!questions.refused)
            err << session.status().panel2() << Qt::endl;
    }
    if (outputError != 0) {
        err << cli::texts::outputFailed(QString::fromLocal8Bit(std::strerror(outputError)))
            << Qt::endl;
        status = 1;
    }
    return status;
}
