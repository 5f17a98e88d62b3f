#pragma once

#include <QObject>
#include <QString>

namespace kesto {

/// The two panels of the status bar: panel 1 counts rows, panel 2 carries the
/// current message.
class StatusLine : public QObject
{
    Q_OBJECT
public:
    explicit StatusLine(QObject *parent = nullptr);

    QString panel1() const { return m_panel1; }
    QString panel2() const { return m_panel2; }

    /// Sets the text of panel 2.
    void setMessage(const QString &text);
    void setPanel1(const QString &text);

Q_SIGNALS:
    void panel1Changed(const QString &text);
    void panel2Changed(const QString &text);

private:
    QString m_panel1 = tr("0 Dateien");
    QString m_panel2;
};

} // namespace kesto
