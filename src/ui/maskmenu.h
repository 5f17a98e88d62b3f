#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLineEdit;
class QWidget;

namespace kesto {

class Session;

/// One entry of the menu of saved masks. A caption "-" is shown as a
/// separator line, which cannot be chosen, whatever the entry stands for.
struct MaskMenuEntry
{
    QString caption;
    bool isMask = false; ///< stands for the saved mask named caption
    bool enabled = true; ///< false for a note, which cannot be chosen

    friend bool operator==(const MaskMenuEntry &, const MaskMenuEntry &) = default;
};

/// The entries for the saved-mask names \a names in any order: the names
/// sorted by character code, ".Standard" left out, or a note that there are
/// none; then a separator and the cancel entry.
QList<MaskMenuEntry> MaskMenuEntries(const QStringList &names);

/// Date placeholders with a format of their own, each with what it gives for
/// a sample time stamp, as "[DATUM yyyy-MM-dd]\t2024-05-17".
QStringList DateFormatExamples();
/// The placeholders of file facts, each with what it gives, as
/// "[TITEL]\tTitel des Musikstücks".
QStringList FileFactPlaceholders();

/// The popup menu of saved masks, built afresh from the masks file each time
/// it opens; a choice loads the mask into the session or deletes it. The load
/// menu also offers DateFormatExamples() and FileFactPlaceholders(), which go
/// into \a maskField as a key's text does.
class MaskMenu : public QObject
{
    Q_OBJECT
public:
    enum Mode { Load = 1, Delete = 2 };

    MaskMenu(Session &session, const QString &masksIni, QLineEdit *maskField, QWidget *parent);
    ~MaskMenu() override;

    /// Builds the menu for \a mode and shows it at the mouse position.
    void ShowMaskMenu(Mode mode);
    /// Builds the menu for \a mode from the masks file without showing it.
    QMenu *buildMenu(Mode mode);

    /// Entry \a index was chosen: loads (mode Load) or, after asking, deletes
    /// (mode Delete) its mask; the separator and the cancel entry do nothing.
    void MaskMenuChosen(int index);

private:
    /// A submenu above the cancel line whose entries insert their text up to the tab.
    void addInsertMenu(const QString &caption, const QStringList &entries);
    Session &m_session;
    QString m_masksIni;
    QLineEdit *m_maskField;
    QPointer<QMenu> m_menu; // a child of the parent widget, which may go first
    QList<MaskMenuEntry> m_entries;
    Mode m_mode = Load;
};

} // namespace kesto
