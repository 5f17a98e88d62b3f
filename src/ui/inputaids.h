#pragma once

namespace kesto {

class MainWindow;

/// Gives \a window its placeholder keys, its menus of saved masks and its
/// tooltips. Call it before the window's start-up, which sets the keys up
/// and switches the tooltips.
void AttachInputAids(MainWindow &window);

} // namespace kesto
