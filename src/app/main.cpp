#include "storage/applog.h"
#include "storage/datafolder.h"
#include "storage/language.h"
#include "storage/messages.h"
#include "storage/textfile.h"
#include "ui/inputaids.h"
#include "ui/mainwindow.h"
#include "ui/qttranslations.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

// These are told before the application object exists, some with no display
// at all: translated by the English texts themselves (localText()).
const char *const UsageText = QT_TRANSLATE_NOOP(
    "AppMain", "Aufruf: kesto [DATEI…]\n"
               "        kesto --help | --version\n"
               "\n"
               "Öffnet das Fenster mit den Dateien in der Liste: dort werden die neuen Namen\n"
               "aus Maske, Zähler, Schreibweise und Suchen und Ersetzen gebildet, neben den\n"
               "alten geprüft und die markierten Dateien in einem Zug umbenannt. Weitere\n"
               "Dateien lassen sich auf die Liste ziehen.\n"
               "\n"
               "Optionen:\n"
               "  --help                    diese Hilfe\n"
               "  --version                 die Versionsnummer\n"
               "  -platform NAME            die Anzeige von Qt, z. B. offscreen (wie die\n"
               "                            Umgebungsvariable QT_QPA_PLATFORM)\n"
               "\n"
               "Ohne Bildschirm (weder DISPLAY noch WAYLAND_DISPLAY gesetzt) öffnet sich kein\n"
               "Fenster; dann benennt kesto-cli um, siehe kesto-cli --help.\n"
               "\n"
               "Rückgabewert: 0, sobald das Fenster geschlossen ist, 1 ohne Bildschirm.\n");

const char *const NoDisplay = QT_TRANSLATE_NOOP(
    "AppMain", "kesto: Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY "
               "ist gesetzt); ohne Fenster benennt kesto-cli um, siehe kesto-cli --help.\n");

const char *const DisplayFailed =
    QT_TRANSLATE_NOOP("AppMain", "kesto: Das Fenster lässt sich auf diesem Bildschirm nicht "
                                 "öffnen; ohne Fenster benennt kesto-cli um, siehe kesto-cli "
                                 "--help.\n");

QByteArray localText(const char *german)
{
    const QTranslator *english = kesto::EnglishTexts();
    const QString translated = english ? english->translate("AppMain", german) : QString();
    return translated.isEmpty() ? QByteArray(german) : translated.toUtf8();
}

bool hasArgument(int argc, char *argv[], std::initializer_list<const char *> names)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *name : names) {
            if (std::strcmp(argv[i], name) == 0)
                return true;
        }
    }
    return false;
}

// Qt finds a display through these, or is told its platform or display.
bool displayNamed(int argc, char *argv[])
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           hasArgument(argc, argv, {"-platform", "--platform", "-display", "--display"});
}

// File paths, one per argument, in the bytes the system gave them: views of
// argv, whose texts live as long as the process (Qt takes its options out of
// the array of pointers, not out of the texts), as 100,000 copies would cost
// as much as a third of their rows.
QList<QByteArray> filesIn(int argc, char *argv[])
{
    QList<QByteArray> files;
    files.reserve(argc);
    for (int i = 1; i < argc; ++i)
        files.append(QByteArray::fromRawData(argv[i], qsizetype(std::strlen(argv[i]))));
    return files;
}

bool hasOptionLike(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            return true;
    }
    return false;
}

QtMessageHandler qtMessages = nullptr;

// A platform that cannot start (a display that does not answer) is fatal to
// Qt, which aborts and leaves a core dump: the user is told in one line and
// the exit status is 1, as without any display.
void endWhenDisplayFails(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        qtMessages(type, context, text);
        return;
    }
    std::fputs(localText(DisplayFailed).constData(), stderr);
    ::_exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    // Help and version need no display.
    if (hasArgument(argc, argv, {"--help", "--version"})) {
        std::fputs(hasArgument(argc, argv, {"--help"}) ? localText(UsageText).constData()
                                                       : "kesto " KESTO_VERSION "\n",
                   stdout);
        return 0;
    }
    if (!displayNamed(argc, argv)) {
        std::fputs(localText(NoDisplay).constData(), stderr);
        return 1;
    }
    QApplication::setApplicationName(QStringLiteral("Kesto"));
    QApplication::setOrganizationName(QStringLiteral("Quarvel"));
    // The files are read while Qt connects to the display and the window is
    // built, which take about as long again; their log lines wait in the rows.
    // Only arguments that cannot be Qt's options are read before Qt has taken
    // its own out of argv.
    QList<QByteArray> files = filesIn(argc, argv);
    std::unique_ptr<kesto::RowsReadAhead> ahead;
    const bool qtOptions = hasOptionLike(argc, argv);
    if (!qtOptions && !files.isEmpty()) {
        kesto::SetLogPath(kesto::MakeAppPaths().log);
        ahead = std::make_unique<kesto::RowsReadAhead>(files);
    }
    qtMessages = qInstallMessageHandler(endWhenDisplayFails);
    // Without an argument that can be Qt's option Qt is given the program's
    // name alone: its window turns the whole argument list into texts, which
    // for 100,000 files cost as much as a tenth of their rows.
    int qtArgc = qtOptions ? argc : 1;
    QApplication app(qtArgc, argv);
    qInstallMessageHandler(qtMessages);
    if (qtOptions) {
        files = filesIn(qtArgc, argv);
        if (!files.isEmpty())
            ahead = std::make_unique<kesto::RowsReadAhead>(files);
    }
    QApplication::setApplicationVersion(QStringLiteral(KESTO_VERSION));
    // Qt's own texts are English unless told otherwise.
    if (!kesto::InstallTextLanguage())
        kesto::InstallGermanQtTranslations(app);

    kesto::SetSaveFailureHandler([](const QString &message) {
        QMessageBox::warning(QApplication::activeWindow(),
                             kesto::storagemessages::fileNotSavedTitle(), message);
    });

    kesto::MainWindow window;
    window.setReadAhead(std::move(ahead));
    kesto::AttachInputAids(window);
    window.start(files);
    // Closed while the files were loading: the event loop would wait for a
    // window that is gone.
    if (!window.isVisible())
        return 0;
    return app.exec();
}
