#pragma once

#include <QMainWindow>

namespace kesto {

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
};

} // namespace kesto
