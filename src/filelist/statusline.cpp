#include "filelist/statusline.h"

namespace kesto {

StatusLine::StatusLine(QObject *parent)
    : QObject(parent)
{}

void StatusLine::setMessage(const QString &text)
{
    if (text == m_panel2)
        return;
    m_panel2 = text;
    Q_EMIT panel2Changed(text);
}

void StatusLine::setPanel1(const QString &text)
{
    if (text == m_panel1)
        return;
    m_panel1 = text;
    Q_EMIT panel1Changed(text);
}

} // namespace kesto
