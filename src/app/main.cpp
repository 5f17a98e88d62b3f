#include "storage/messages.h"
#include "storage/textfile.h"
#include "ui/inputaids.h"
#include "ui/mainwindow.h"
#include "ui/qttranslations.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QMessageBox>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // QApplication has taken its own options out of argv; what remains are
    // file paths, one per argument, in the bytes the system gave them.
    QList<QByteArray> files;
    for (int i = 1; i < argc; ++i)
        files.append(QByteArray(argv[i]));
    // Read while the window is built: that takes about as long again.
    std::unique_ptr<kesto::RowsReadAhead> ahead;
    if (!files.isEmpty())
        ahead = std::make_unique<kesto::RowsReadAhead>(files);

    QApplication::setApplicationName(QStringLiteral("Kesto"));
    QApplication::setOrganizationName(QStringLiteral("Quarvel"));
    QApplication::setApplicationVersion(QStringLiteral(KESTO_VERSION));
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
