#include "ui/inputaids.h"

#include "storage/keybar.h"
#include "ui/keybarwidget.h"
#include "ui/mainwindow.h"
#include "ui/maskmenu.h"
#include "ui/tooltips.h"

namespace kesto {

void AttachInputAids(MainWindow &window)
{
    auto *keys = new KeyBar(&window);
    KeyBarWidget *bar =
        KeyBarWidget::createIn(window.keyBarArea(), *keys, window.maskField(), window.questions());
    QObject::connect(&window, &MainWindow::keyBarStarting, bar, &KeyBarWidget::InitKeyBar);
    QObject::connect(&window, &MainWindow::tooltipsSwitched, &window,
                     [&window, keys](bool on) { ApplyTooltips(&window, on, *keys); });
    // Built afresh from the masks file at every opening; nothing is kept.
    QObject::connect(&window, &MainWindow::maskMenuRequested, &window, [&window](int mode) {
        MaskMenu menu(window.session(), window.paths().masksIni, window.maskField(), &window);
        menu.ShowMaskMenu(mode == MaskMenu::Delete ? MaskMenu::Delete : MaskMenu::Load);
    });
}

} // namespace kesto
