#include "cli/cliargs.h"

#include "naming/textcase.h"

#include <QFile>

namespace kesto::cli {

namespace {

QString text(const QByteArray &arg)
{
    return QString::fromLocal8Bit(arg);
}

// A list entry by its caption or by its position.
std::optional<int> listPosition(const QString &value, const QStringList &entries)
{
    bool isNumber = false;
    const int n = value.toInt(&isNumber);
    if (isNumber)
        return n >= 0 && n < entries.size() ? std::optional<int>(n) : std::nullopt;
    const qsizetype i = entries.indexOf(value, 0);
    if (i < 0) {
        for (qsizetype k = 0; k < entries.size(); ++k) {
            if (entries.at(k).compare(value, Qt::CaseInsensitive) == 0)
                return int(k);
        }
        return std::nullopt;
    }
    return int(i);
}

} // namespace

QString UsageText()
{
    return QStringLiteral(
        "Aufruf: kesto-cli [OPTION…] DATEI…\n"
        "        kesto-cli --undo | --history\n"
        "\n"
        "Lädt die Dateien wie das Fenster, bildet die neuen Namen, prüft sie und gibt\n"
        "\"Vorher\" TAB \"Nachher\" und je Datei alten TAB neuen Namen aus. Mit --apply\n"
        "werden die markierten Dateien umbenannt; eine vorhandene Datei wird nie\n"
        "überschrieben.\n"
        "\n"
        "In der Ausgabe steht ein Tabulator in einem Namen als \\t, ein Zeilenvorschub\n"
        "als \\n, ein Wagenrücklauf als \\r und ein umgekehrter Schrägstrich als \\\\.\n"
        "Bytes eines Namens, die kein UTF-8 sind, werden als Windows-1252 gelesen;\n"
        "der neue Name wird in UTF-8 geschrieben. Ein Pfad, der fehlt, ein Ordner,\n"
        "keine gewöhnliche Datei oder nicht lesbar ist, wird mit seinem Grund auf\n"
        "der Fehlerausgabe genannt und übergangen.\n"
        "\n"
        "Optionen (Werte so, wie man sie im Fenster eingibt):\n"
        "  --mask TEXT               Umbenennungsmaske, z. B. \"[name]_[zahl].[typ]\"\n"
        "  --start TEXT              Zähler: Start bei\n"
        "  --step TEXT               Zähler: Schrittweite\n"
        "  --digits N                Zähler: Länge (Stellenanzahl)\n"
        "  --lead keine|Null|Leerzeichen|Unterstrich\n"
        "                            Zähler: Vornullen\n"
        "  --case SCHREIBWEISE       beibehalten, \"alles groß\", \"alles klein\",\n"
        "                            \"anfangs groß\", alternierend-1, alternierend-2 oder 0-5\n"
        "  --replace SUCHE ERSATZ    Suchen und Ersetzen im alten Namen (höchstens drei)\n"
        "  --replace-new SUCHE ERSATZ  dasselbe im neuen Namen\n"
        "  --random-upper            Zufallskette: Großbuchstaben\n"
        "  --random-lower            Zufallskette: Kleinbuchstaben\n"
        "  --random-digits           Zufallskette: Zahlen\n"
        "  --random-extra ZEICHEN    Zufallskette: diese Sonderzeichen\n"
        "  --preset NAME             von der gespeicherten Maske NAME ausgehen\n"
        "  --sort SPALTE[:desc]      nach Spalte 1-8 sortieren (1 = Alter Name, 4 = Größe,\n"
        "                            8 = Aufnahme (Exif)); Vorgabe 1, aufsteigend\n"
        "  --apply                   umbenennen\n"
        "  --yes                     ohne [TYP] umbenennen, ohne zu fragen\n"
        "  --undo                    die letzte noch nicht rückgängig gemachte\n"
        "                            Umbenennung rückgängig machen (auch eine\n"
        "                            unterbrochene); gibt Vorher/Nachher aus\n"
        "  --history                 die aufbewahrten Umbenennungen auflisten\n"
        "  --                        Ende der Optionen\n"
        "  --help                    diese Hilfe\n"
        "\n"
        "Findet die Prüfung Fehler, steht nach der Meldung je fehlerhafter Datei\n"
        "alter Name TAB neuer Name TAB Grund auf der Fehlerausgabe.\n"
        "\n"
        "Rückgabewert: 0 Namen in Ordnung (und alles umbenannt), 1 Prüfung oder\n"
        "Umbenennung fehlgeschlagen, ein Pfad übergangen oder die Ausgabe nicht\n"
        "schreibbar (die Umbenennung läuft trotzdem zu Ende), 2 falscher Aufruf.\n");
}

Arguments ParseArguments(const QList<QByteArray> &args)
{
    Arguments a;
    // Nearly every argument is a path: one array, no regrowing.
    a.files.reserve(args.size());
    auto fail = [&a](const QString &message) {
        if (a.error.isEmpty())
            a.error = message;
    };
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QByteArray &arg = args.at(i);
        if (optionsEnded || !arg.startsWith("--")) {
            a.files.append(arg);
            continue;
        }
        auto value = [&](int count = 1) -> QStringList {
            if (i + count >= args.size()) {
                fail(QStringLiteral("Der Option %1 fehlt ein Wert.").arg(text(arg)));
                i = args.size();
                return QStringList(count, QString());
            }
            QStringList values;
            for (int k = 1; k <= count; ++k)
                values.append(text(args.at(i + k)));
            i += count;
            return values;
        };
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            a.help = true;
        } else if (arg == "--mask") {
            a.mask = value().first();
        } else if (arg == "--start") {
            a.start = value().first();
        } else if (arg == "--step") {
            a.step = value().first();
        } else if (arg == "--preset") {
            a.preset = value().first();
        } else if (arg == "--digits") {
            bool ok = false;
            const int n = value().first().toInt(&ok);
            if (!ok || n < 1 || n > 12)
                fail(QStringLiteral("--digits erwartet eine Zahl von 1 bis 12."));
            a.digits = n;
        } else if (arg == "--lead") {
            a.leadChar = listPosition(value().first(), LeadCharEntries());
            if (!a.leadChar)
                fail(QStringLiteral("--lead erwartet keine, Null, Leerzeichen oder Unterstrich."));
        } else if (arg == "--case") {
            a.letterCase = listPosition(value().first(), LetterCaseEntries());
            if (!a.letterCase)
                fail(
                    QStringLiteral("--case erwartet einen Eintrag der Schreibweise oder 0 bis 5."));
        } else if (arg == "--replace" || arg == "--replace-new") {
            const QStringList v = value(2);
            if (a.replacements.size() == 3)
                fail(QStringLiteral("Es gibt höchstens drei Sätze für Suchen und Ersetzen."));
            else
                a.replacements.append({v.at(0), v.at(1), arg == "--replace-new"});
        } else if (arg == "--random-upper") {
            a.randomUpper = true;
        } else if (arg == "--random-lower") {
            a.randomLower = true;
        } else if (arg == "--random-digits") {
            a.randomDigits = true;
        } else if (arg == "--random-extra") {
            a.randomExtra = value().first();
        } else if (arg == "--sort") {
            QString v = value().first();
            if (v.endsWith(QLatin1String(":desc"))) {
                a.sortDescending = true;
                v.chop(5);
            }
            bool ok = false;
            a.sortColumn = v.toInt(&ok);
            if (!ok || a.sortColumn < 1 || a.sortColumn > 8)
                fail(QStringLiteral(
                    "--sort erwartet eine Spalte von 1 bis 8, wahlweise mit :desc."));
        } else if (arg == "--apply") {
            a.apply = true;
        } else if (arg == "--yes") {
            a.yes = true;
        } else if (arg == "--undo") {
            a.undo = true;
        } else if (arg == "--history") {
            a.history = true;
        } else {
            fail(QStringLiteral("Unbekannte Option: %1").arg(text(arg)));
        }
    }
    if ((a.undo || a.history) && !a.files.isEmpty())
        fail(QStringLiteral("--undo und --history nehmen keine Dateien."));
    if (a.undo && a.history)
        fail(QStringLiteral("--undo und --history gehen nicht zusammen."));
    if (a.files.isEmpty() && !a.help && !a.undo && !a.history)
        fail(QStringLiteral("Es wurde keine Datei angegeben."));
    return a;
}

} // namespace kesto::cli
