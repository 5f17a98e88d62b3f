#include "ui/maskmenu.h"

#include "mask/dateformat.h"
#include "rename/session.h"
#include "storage/ini.h"
#include "storage/savedmasks.h"

#include <QCoreApplication>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(MaskMenu)
};

QString separatorCaption()
{
    return QStringLiteral("-");
}

QString cancelCaption()
{
    return Text::tr("&Abbrechen");
}

QString noMasksCaption()
{
    return Text::tr("Keine gespeicherten Masken");
}

QString dateFormatsCaption()
{
    return Text::tr("&Datumsformat einfügen");
}

QString fileFactsCaption()
{
    return Text::tr("Datei&angaben einfügen");
}

// Plain code order: capitals before small letters, umlauts after "z".
bool codeLess(const QString &a, const QString &b)
{
    return std::lexicographical_compare(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                                        [](QChar x, QChar y) { return x.unicode() < y.unicode(); });
}

QStringList savedNames(const QString &masksIni)
{
    const QString joined = IniSectionNames(QStringLiteral("\t"), masksIni);
    return joined.isEmpty() ? QStringList() : joined.split(u'\t');
}

// A mask name is shown as typed; an ampersand in it marks no access key.
QString menuText(const MaskMenuEntry &entry)
{
    if (!entry.isMask)
        return entry.caption;
    QString text = entry.caption;
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

QStringList DateFormatExamples()
{
    // The placeholder, the format behind its blank; the stamp is that of the help page's examples.
    static const std::pair<const char16_t *, const char16_t *> examples[] = {
        {u"DATUM", u"yyyy-MM-dd"},
        {u"DATUM", u"dd.MM.yyyy HH-mm"},
        {u"ERSTELLDATUM", u"yyyyMMdd_HHmmss"},
        {u"AUFNAHMEDATUM", u"dd. MMMM yyyy"},
        {u"AUFNAHMEDATUM", u"yyyy MMMM, dddd"},
    };
    QStringList out;
    for (const auto &[placeholder, format] : examples)
        out << QStringLiteral("[%1 %2]\t%3")
                   .arg(QString::fromUtf16(placeholder), QString::fromUtf16(format),
                        FormatTimeStamp(u"2024-05-17 14-30-00", QString::fromUtf16(format)));
    return out;
}

QStringList FileFactPlaceholders()
{
    return {Text::tr("[TITEL]\tTitel des Musikstücks"),
            Text::tr("[INTERPRET]\tInterpret"),
            Text::tr("[ALBUM]\tAlbum"),
            Text::tr("[TITELNR]\tTitelnummer, zweistellig"),
            Text::tr("[ERSCHEINUNGSJAHR]\tErscheinungsjahr"),
            Text::tr("[GENRE]\tGenre"),
            Text::tr("[PRÜFSUMME]\tSHA-256-Prüfsumme, 8 Ziffern"),
            Text::tr("[PRÜFSUMME 16]\tSHA-256-Prüfsumme, 16 Ziffern"),
            Text::tr("[DAUER]\tDauer eines Films"),
            Text::tr("[HERSTELLER]\tHersteller der Kamera"),
            Text::tr("[MODELL]\tModell der Kamera"),
            Text::tr("[OBJEKTIV]\tObjektiv"),
            Text::tr("[ISO]\tISO-Empfindlichkeit"),
            Text::tr("[BLENDE]\tBlende, etwa 2.8"),
            Text::tr("[BELICHTUNG]\tBelichtungszeit, etwa 1_250"),
            Text::tr("[BRENNWEITE]\tBrennweite in mm"),
            Text::tr("[BREITENGRAD]\tBreitengrad des Aufnahmeorts"),
            Text::tr("[LÄNGENGRAD]\tLängengrad des Aufnahmeorts"),
            Text::tr("[AUSRICHTUNG]\tAusrichtung des Fotos, 1 bis 8"),
            Text::tr("[LISTE]\tName aus der Namensliste"),
            Text::tr("[SPALTE 2]\tZelle der Spalte 2 aus der Tabelle")};
}

QList<MaskMenuEntry> MaskMenuEntries(const QStringList &names)
{
    QStringList sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), codeLess);
    QList<MaskMenuEntry> entries;
    for (const QString &name : std::as_const(sorted)) {
        if (name != StandardMaskName())
            entries.append({name, true});
    }
    if (entries.isEmpty())
        entries.append({noMasksCaption(), false, false});
    entries.append({separatorCaption(), false});
    entries.append({cancelCaption(), false});
    return entries;
}

MaskMenu::MaskMenu(Session &session, const QString &masksIni, QLineEdit *maskField, QWidget *parent)
    : QObject(parent)
    , m_session(session)
    , m_masksIni(masksIni)
    , m_maskField(maskField)
    , m_menu(new QMenu(parent))
{
    m_menu->setObjectName(QStringLiteral("pummain"));
}

MaskMenu::~MaskMenu()
{
    delete m_menu;
}

QMenu *MaskMenu::buildMenu(Mode mode)
{
    m_mode = mode;
    m_entries = MaskMenuEntries(savedNames(m_masksIni));
    m_menu->clear();
    for (int index = 0; index < m_entries.size(); ++index) {
        const MaskMenuEntry &entry = m_entries[index];
        if (entry.caption == separatorCaption()) {
            m_menu->addSeparator();
            continue;
        }
        QAction *action = m_menu->addAction(menuText(entry));
        action->setEnabled(entry.enabled);
        connect(action, &QAction::triggered, this, [this, index] { MaskMenuChosen(index); });
    }
    if (mode == Load) {
        // Above the line before the cancel entry.
        addInsertMenu(dateFormatsCaption(), DateFormatExamples());
        addInsertMenu(fileFactsCaption(), FileFactPlaceholders());
    }
    return m_menu;
}

void MaskMenu::addInsertMenu(const QString &caption, const QStringList &entries)
{
    QMenu *menu = new QMenu(caption, m_menu);
    m_menu->insertMenu(m_menu->actions().value(m_menu->actions().size() - 2), menu);
    for (const QString &entry : entries) {
        connect(menu->addAction(entry), &QAction::triggered, m_maskField, [this, entry] {
            m_maskField->insert(entry.section(u'\t', 0, 0));
            m_maskField->setFocus(Qt::OtherFocusReason);
        });
    }
}

void MaskMenu::ShowMaskMenu(Mode mode)
{
    buildMenu(mode)->exec(QCursor::pos());
}

void MaskMenu::MaskMenuChosen(int index)
{
    if (index < 0 || index >= m_entries.size() || !m_entries[index].isMask)
        return;
    const QString name = m_entries[index].caption;
    if (m_mode == Delete) {
        DeleteMask(name, m_masksIni, m_session.questions());
        return;
    }
    RenameOptions options = m_session.options();
    OptionListSizes sizes;
    sizes.digitCount = int(m_session.digitChoices().entries().size());
    LoadMask(name, options, m_masksIni, sizes);
    m_session.applyOptions(options);
}

} // namespace kesto
