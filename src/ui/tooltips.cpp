#include "ui/tooltips.h"

#include "storage/keybar.h"
#include "ui/keybarwidget.h"

#include <QCoreApplication>
#include <QWidget>

namespace kesto {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(Tooltips)
};

constexpr int FirstKeyButton = 200;
constexpr int LastButton = 223;

QString buttonName(int index)
{
    return QStringLiteral("Btn%1").arg(index);
}

void setTooltip(QWidget *root, const QString &objectName, const QString &tooltip)
{
    QWidget *w = root->objectName() == objectName ? root : root->findChild<QWidget *>(objectName);
    if (w)
        w->setToolTip(tooltip);
}

} // namespace

const QList<ControlTooltip> &TooltipTable()
{
    static const QList<ControlTooltip> table = [] {
        QList<ControlTooltip> t = {
            {QStringLiteral("Liste"),
             Text::tr("Namen der umzubenennenden Dateien in diese Liste ziehen")},
            {QStringLiteral("Schreibweise"),
             Text::tr("Legt Groß- und/oder Kleinschreibung der neuen Namen fest")},
            {QStringLiteral("Btn0"), Text::tr("Löscht alle Dateinamen in der obenstehenden Liste")},
            {QStringLiteral("Btn1"), Text::tr("Markiert alle Dateien in der Liste als ausgewählt")},
            {QStringLiteral("Btn2"), Text::tr("Löscht alle Dateimarkierungen")},
            {QStringLiteral("Btn3"), Text::tr("Kehrt die aktuelle Dateiauswahl um")},
            {QStringLiteral("Btn32"),
             Text::tr("Kopiert eine Liste der Namen in den Spalten 'Alter Name' und 'Neuer "
                      "Name' in die Zwischenablage.")},
            {QStringLiteral("Btn40"),
             Text::tr("Fügt der Liste Dateien hinzu, die Sie in einem Dialog auswählen "
                      "(Strg+O)")},
            {QStringLiteral("Btn41"),
             Text::tr("Fügt der Liste alle Dateien eines Ordners hinzu, ohne seine "
                      "Unterordner")},
            {QStringLiteral("Btn8"),
             Text::tr("Startet die Umbenennung aller markierten Dateien in der Liste")},
            {QStringLiteral("Btn14"),
             Text::tr("Wählt die nächste Datei aus, deren neuer Name nicht geht (F8)")},
            {QStringLiteral("Btn9"), Text::tr("Beendet das Programm")},
            {QStringLiteral("Btn25"), Text::tr("Zeigt Zusatzinfos über dieses Programm an")},
            {QStringLiteral("Btn10"), Text::tr("Öffnet die Online-Hilfe zu diesem Programm")},
            {QStringLiteral("Btn150"),
             Text::tr("Setzt die Maske auf die Standardeinstellung zurück")},
            {QStringLiteral("Btn13"),
             Text::tr("Bewegt alle markierten Einträge um eine Position nach oben")},
            {QStringLiteral("Btn12"),
             Text::tr("Bewegt alle markierten Einträge um eine Position nach unten")},
            {QStringLiteral("Btn100"),
             Text::tr("Sichert die aktuelle Maske unter einem frei wählbaren Namen")},
            {QStringLiteral("Btn101"),
             Text::tr("Blendet ein Menü zur Auswahl gespeicherter Masken ein")},
            {QStringLiteral("Btn102"),
             Text::tr("Blendet ein Menü zum Löschen gespeicherter Masken ein")},
            {QStringLiteral("Bar"), Text::tr("Zeigt den aktuellen Verarbeitungsstand an")},
            {QStringLiteral("Zahl"),
             Text::tr("Tragen Sie hier den Startwert für den Dateizähler ein")},
            {QStringLiteral("Schrittweite"),
             Text::tr("Tragen Sie hier die Schrittweite für den Dateizähler ein")},
            {QStringLiteral("StellenAnzahl"),
             Text::tr("Tragen Sie hier die Anzahl der Stellen des Dateizählers ein "
                      "(wichtig für Vornullen etc.)")},
            {QStringLiteral("Vornullenzeichen"),
             Text::tr("Hier legen Sie das für Vornullen zu verwendende Zeichen fest")},
            {QStringLiteral("StatusPanel1"), Text::tr("Anzahl der Dateien in der Liste")},
            {QStringLiteral("StatusPanel2"),
             Text::tr("Programmstatus und Hinweise für den Anwender")},
            {QStringLiteral("ToolTipCheck"), Text::tr("Schaltet die Tooltips ein oder aus")},
            {QStringLiteral("TopMostChk"),
             Text::tr("Verhindert, dass Kesto von anderen Fenstern verdeckt wird.")},
        };
        for (int set = 0; set < 3; ++set)
            t.append({QStringLiteral("SucheText%1").arg(set),
                      Text::tr("Tragen Sie hier den Text ein, den Sie durch den Text im "
                               "Feld 'durch' ersetzen lassen wollen.")});
        for (int set = 0; set < 3; ++set)
            t.append({QStringLiteral("ErsetzeText%1").arg(set),
                      Text::tr("Tragen Sie hier den Text ein, der anstatt des Textes im "
                               "Feld 'Ersetze' eingetragen werden soll.")});
        return t;
    }();
    return table;
}

void KeyTooltips(QWidget *root, bool on, const KeyBar &keys)
{
    for (int n = 0; n < KeyBar::KeyCount; ++n)
        setTooltip(root, buttonName(FirstKeyButton + n), keys.tooltip(n, on));
}

void ApplyTooltips(QWidget *root, bool on, const KeyBar &keys)
{
    for (KeyBarWidget *bar : root->findChildren<KeyBarWidget *>())
        bar->setTooltipsOn(on);
    if (on) {
        KeyTooltips(root, true, keys);
        for (const ControlTooltip &c : TooltipTable())
            setTooltip(root, c.objectName, c.tooltip);
        return;
    }
    for (int index = 0; index <= LastButton; ++index)
        setTooltip(root, buttonName(index), QString());
    for (const ControlTooltip &c : TooltipTable()) {
        if (!c.objectName.startsWith(u"Btn"))
            setTooltip(root, c.objectName, QString());
    }
}

} // namespace kesto
