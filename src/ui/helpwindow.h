#pragma once

#include <QDialog>

class QTextBrowser;

namespace kesto {

/// The program's own help: how the list, the mask language and the options
/// work, in German, with examples. Not modal, so the user can keep it open
/// next to the main window.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    /// The help text as HTML.
    static QString helpHtml();

private:
    QTextBrowser *m_browser;
};

} // namespace kesto
