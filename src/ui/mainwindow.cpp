#include "ui/mainwindow.h"

namespace kesto {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Kesto - Rename"));
    resize(900, 600);
}

} // namespace kesto
