#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kesto"));
    QApplication::setOrganizationName(QStringLiteral("Quarvel"));
    QApplication::setApplicationVersion(QStringLiteral(KESTO_VERSION));

    kesto::MainWindow window;
    window.show();
    return app.exec();
}
