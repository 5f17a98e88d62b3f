#include "cli/cliargs.h"

#include "naming/replacesets.h"
#include "naming/textcase.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <utility>

namespace kesto::cli {

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CliArguments)
};

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

QString usageCalls()
{
    return Text::tr("Aufruf: kesto-cli [OPTION…] DATEI…\n"
                    "        kesto-cli [OPTION…] -r ORDNER…\n"
                    "        kesto-cli [OPTION…] --folders [-r] ORDNER…\n"
                    "        kesto-cli [OPTION…] --files-from LISTE\n"
                    "        kesto-cli [--apply] [--json] --plan-in PLAN\n"
                    "        kesto-cli --undo | --history\n");
}

QString usageSummary()
{
    return Text::tr(
        "Lädt die Dateien wie das Fenster, bildet die neuen Namen, prüft sie und gibt\n"
        "\"Vorher\" TAB \"Nachher\" und je Datei alten TAB neuen Namen aus. Mit --apply\n"
        "werden die markierten Dateien umbenannt; eine vorhandene Datei wird nie\n"
        "überschrieben.\n");
}

QString usageNamesInOutput()
{
    return Text::tr(
        "In der Ausgabe steht ein Tabulator in einem Namen als \\t, ein Zeilenvorschub\n"
        "als \\n, ein Wagenrücklauf als \\r und ein umgekehrter Schrägstrich als \\\\.\n"
        "Bytes eines Namens, die kein UTF-8 sind, werden als Windows-1252 gelesen;\n"
        "der neue Name wird in UTF-8 geschrieben. Ein Pfad, der fehlt, ein Ordner\n"
        "(ohne --recursive oder --folders), keine gewöhnliche Datei oder nicht lesbar\n"
        "ist, wird mit seinem Grund auf der Fehlerausgabe genannt und übergangen,\n"
        "ebenso ein Unterordner, der sich nicht lesen lässt.\n");
}

QString usageNamingOptions()
{
    return Text::tr(
        "Optionen (Werte so, wie man sie im Fenster eingibt):\n"
        "  --mask TEXT               Umbenennungsmaske, z. B. \"[name]_[zahl].[typ]\";\n"
        "                            Datum mit Format: \"[aufnahmedatum yyyy-MM-dd].[typ]\",\n"
        "                            \"[datum dd. MMMM yyyy, dddd].[typ]\"; ein / trennt\n"
        "                            Ordner, die unter dem Ordner der Datei angelegt\n"
        "                            werden: \"[aufnahmejahr]/[aufnahmemonat]/[name].[typ]\"\n"
        "  --start ZAHL              Zähler: Start bei (0 bis 99999999)\n"
        "  --step ZAHL               Zähler: Schrittweite (0 bis 99999)\n"
        "  --digits N                Zähler: Länge (Stellenanzahl)\n"
        "  --lead keine|Null|Leerzeichen|Unterstrich\n"
        "                            Zähler: Vornullen\n"
        "  --counter-per-folder      Zähler: in jedem Ordner neu beginnen\n"
        "  --case SCHREIBWEISE       beibehalten, \"alles groß\", \"alles klein\",\n"
        "                            \"anfangs groß\", alternierend-1, alternierend-2 oder 0-5\n"
        "  --transliterate           Umlaute und Akzente umschreiben (Grüße → Gruesse,\n"
        "                            ÄRGER → AERGER, café → cafe, Москва → Moskva)\n"
        "  --companions              Begleitdateien mitnehmen: Dateien desselben Ordners\n"
        "                            mit demselben Namen vor dem Typ und weiterem Typ\n"
        "                            folgen der ersten von ihnen, z. B. mit --mask\n"
        "                            \"Urlaub_[zahl].[typ]\" IMG_1.CR2 → Urlaub_1.CR2,\n"
        "                            IMG_1.JPG → Urlaub_1.JPG, IMG_1.JPG.xmp →\n"
        "                            Urlaub_1.JPG.xmp; IMG_10.JPG gehört nicht dazu\n"
        "  --companions-main TYP     wie --companions, doch die Datei mit diesem Typ\n"
        "                            gibt den Namen vor, z. B. --companions-main JPG\n"
        "  --replace SUCHE ERSATZ    Suchen und Ersetzen im alten Namen (höchstens drei)\n"
        "  --replace-new SUCHE ERSATZ  dasselbe im neuen Namen\n"
        "  --replace-re SUCHE ERSATZ   dasselbe mit einem regulären Ausdruck; im Ersatz\n"
        "                            stehen $0 … $99 und ${name} für Gruppen, $$ für $,\n"
        "                            \\U … \\E für Großbuchstaben, \\L … \\E für kleine,\n"
        "                            z. B. --replace-re '(\\d+)_(\\w+)' '$2-$1'\n"
        "  --replace-new-re SUCHE ERSATZ  dasselbe im neuen Namen\n"
        "  --match-case              Groß-/Kleinschreibung beachten im Satz der Option\n"
        "                            --replace… davor, z. B. --replace IMG Bild --match-case\n"
        "  --random-upper            Zufallskette: Großbuchstaben\n"
        "  --random-lower            Zufallskette: Kleinbuchstaben\n"
        "  --random-digits           Zufallskette: Zahlen\n"
        "  --random-extra ZEICHEN    Zufallskette: diese Sonderzeichen\n"
        "  --preset NAME             von der gespeicherten Maske NAME ausgehen\n"
        "  --sort SPALTE[:desc]      nach Spalte 1-8 sortieren (1 = Alter Name, 4 = Größe,\n"
        "                            8 = Aufnahme (Exif)); Vorgabe 1, aufsteigend;\n"
        "                            Zahlen nach ihrem Wert: IMG_2 vor IMG_10\n");
}

QString usageInputOptions()
{
    return Text::tr(
        "  -r, --recursive           aus jedem ORDNER die gewöhnlichen Dateien laden,\n"
        "                            mit allen Unterordnern; symbolische Verknüpfungen\n"
        "                            auf Ordner werden nicht betreten. Reihenfolge: je\n"
        "                            Ordner erst die Dateien, dann die Unterordner,\n"
        "                            beide nach Namen (IMG_2 vor IMG_10)\n"
        "  --depth N                 nur N Ebenen Unterordner (0 = nur der Ordner selbst)\n"
        "  --include MUSTER          nur Dateien, deren Name passt; mehrfach möglich\n"
        "  --exclude MUSTER          keine Dateien, deren Name passt; mehrfach möglich.\n"
        "                            Muster wie in der Shell (*, ?, [abc], [!abc]),\n"
        "                            Groß/klein gleich: --include '*.jpg' --exclude 'tmp*'\n"
        "  --hidden                  auch versteckte Dateien und Ordner (Name mit \".\")\n"
        "  --folders                 jeden ORDNER selbst umbenennen, mit -r auch die\n"
        "                            Ordner darunter: [NAME] ist der ganze Name, [TYP]\n"
        "                            leer, ein Punkt vor [TYP] entfällt; was in einem\n"
        "                            Ordner liegt, wird vor ihm umbenannt\n"
        "  --files-from LISTE        die Pfade einer Datei (- = Standardeingabe), einer\n"
        "                            je Zeile; relativ zum aktuellen Ordner. Für mehr\n"
        "                            Dateien, als die Befehlszeile fasst\n"
        "  --null                    die Pfade der LISTE enden mit NUL statt Zeilenende:\n"
        "                            find Fotos -name '*.jpg' -mtime -7 -print0 |\n"
        "                              kesto-cli --files-from - --null --mask …\n"
        "  --names-from LISTE        je Zeile der LISTE (- = Standardeingabe) ein neuer\n"
        "                            Name für [LISTE]: Zeile n gilt der n-ten markierten\n"
        "                            Datei; UTF-8 oder Windows-1252, leere Zeilen zählen\n"
        "                            mit. Zählt die Liste mehr oder weniger Namen als\n"
        "                            Dateien, wird nichts umbenannt. Beispiel:\n"
        "                            --names-from namen.txt --mask '[zahl] [liste].[typ]'\n"
        "  --table TABELLE           CSV oder TSV (Trennzeichen Tabulator, Semikolon\n"
        "                            oder Komma, Zellen in \"…\" dürfen es enthalten);\n"
        "                            die erste Spalte nennt die Datei, als absoluten\n"
        "                            Pfad oder bloßen Namen, [SPALTE 2], [SPALTE 3] …\n"
        "                            sind die weiteren Zellen ihrer Zeile. Eine Datei\n"
        "                            ohne Zeile ist ein Fehler, eine Zeile ohne Datei\n"
        "                            wird genannt. Beispiel:\n"
        "                            --table titel.csv --mask '[spalte 2] - [name].[typ]'\n");
}

QString usageRunningOptions()
{
    return Text::tr(
        "  --number-clashes          Doppelte Namen durchnummerieren: gleiche neue Namen\n"
        "                            und Namen vorhandener Dateien bekommen \" (2)\",\n"
        "                            \" (3)\" … vor der Endung, in der Reihenfolge der\n"
        "                            Liste: --mask 'Foto.[typ]' --number-clashes ergibt\n"
        "                            Foto.jpg, Foto (2).jpg, Foto (3).jpg …\n"
        "  --json                    statt der Liste ein JSON-Objekt: \"options\" (die\n"
        "                            verwendeten Optionen) und \"rows\", je Datei\n"
        "                            folder, old, new, status und reason (mit --apply\n"
        "                            auch result und result_reason):\n"
        "                            kesto-cli --json --mask \"[zahl].[typ]\" *.jpg\n"
        "  --plan-out PLAN           den geprüften Plan mit der Identität jeder Datei\n"
        "                            in die Datei PLAN schreiben (JSON mit Prüfsumme;\n"
        "                            jede Änderung macht ihn unbrauchbar); nicht mit\n"
        "                            --apply\n"
        "  --plan-in PLAN            den Plan aus PLAN zeigen, mit --apply genau ihn\n"
        "                            umbenennen, nur die Dateien, die noch dieselben\n"
        "                            sind und deren neuer Name frei ist:\n"
        "                            kesto-cli --mask \"[zahl].[typ]\" --plan-out p.json *\n"
        "                            kesto-cli --plan-in p.json --apply\n"
        "  --apply                   umbenennen\n"
        "  --yes                     ohne [TYP] umbenennen, ohne zu fragen\n"
        "  --no-undo                 auch umbenennen, wenn sich das Protokoll zum\n"
        "                            Rückgängigmachen nicht schreiben lässt\n"
        "  --undo                    die letzte noch nicht rückgängig gemachte\n"
        "                            Umbenennung rückgängig machen (auch eine\n"
        "                            unterbrochene); gibt Vorher/Nachher aus\n"
        "  --history                 die aufbewahrten Umbenennungen auflisten: Datum,\n"
        "                            Dateien, Ordner, Zustand und, wenn sie Ordner\n"
        "                            angelegt hat, \"N Ordner angelegt\"\n"
        "  --quiet                   ohne Fortschrittsanzeige und ohne die Zeile\n"
        "                            \"Bereit: …\"\n"
        "  --                        Ende der Optionen\n"
        "  --help                    diese Hilfe\n"
        "  --version                 die Versionsnummer\n");
}

QString usageProgress()
{
    return Text::tr("Ist die Fehlerausgabe ein Terminal, zeigt sie bei einem Lauf, der länger als\n"
                    "eine Sekunde dauert, eine Zeile mit dem Fortschritt: Dateien erledigt von\n"
                    "allen, Dateien je Sekunde und die verbleibende Zeit.\n");
}

QString usageFaults()
{
    return Text::tr("Findet die Prüfung Fehler, steht nach der Meldung je fehlerhafter Datei\n"
                    "alter Name TAB neuer Name TAB Grund auf der Fehlerausgabe.\n");
}

QString usageJsonKeys()
{
    return Text::tr("Im JSON ist status einer dieser Schlüssel: ok, unchanged, duplicate, exists,\n"
                    "blank, too_long, not_allowed, impossible, unreadable_folder,\n"
                    "unwritable_folder, other_drive, folder_clash (ein neuer Ordner auf einem\n"
                    "anderen Laufwerk oder mit dem Namen einer Datei), no_name (Maske oder Suchen\n"
                    "fehlerhaft), changed und missing (Datei seit dem Plan geändert oder nicht\n"
                    "mehr da); result ist renamed, failed oder skipped. Ein Name, der kein UTF-8\n"
                    "ist, steht in old (folder) als Windows-1252 und in old_bytes (folder_bytes)\n"
                    "als Base64 seiner Bytes.\n");
}

QString usageExitStatus()
{
    return Text::tr("Rückgabewert: 0 Namen in Ordnung (und alles umbenannt), 1 Prüfung oder\n"
                    "Umbenennung fehlgeschlagen, eine Datei des Plans übergangen, ein Pfad\n"
                    "übergangen oder die Ausgabe nicht schreibbar (die Umbenennung läuft\n"
                    "trotzdem zu Ende), 2 falscher Aufruf oder ein Plan, der sich nicht lesen\n"
                    "lässt, beschädigt oder verändert ist (dann wird nichts umbenannt).\n");
}

} // namespace

QString UsageText()
{
    // Translated section by section, so that a change to one leaves the others
    // translated; each ends with a line feed, and a blank line stands between two.
    const QString options = usageNamingOptions() + usageInputOptions() + usageRunningOptions();
    return QStringList{usageCalls(),    usageSummary(), usageNamesInOutput(), options,
                       usageProgress(), usageFaults(),  usageJsonKeys(),      usageExitStatus()}
        .join(u'\n');
}

namespace {

// The options that only switch something on.
constexpr std::pair<const char *, bool Arguments::*> Switches[] = {
    {"--help", &Arguments::help},
    {"--version", &Arguments::version},
    {"--quiet", &Arguments::quiet},
    {"--random-upper", &Arguments::randomUpper},
    {"--random-lower", &Arguments::randomLower},
    {"--random-digits", &Arguments::randomDigits},
    {"--transliterate", &Arguments::transliterate},
    {"--counter-per-folder", &Arguments::counterPerFolder},
    {"--companions", &Arguments::companions},
    {"--apply", &Arguments::apply},
    {"--yes", &Arguments::yes},
    {"--no-undo", &Arguments::noUndo},
    {"--undo", &Arguments::undo},
    {"--history", &Arguments::history},
    {"-r", &Arguments::recursive},
    {"--recursive", &Arguments::recursive},
    {"--null", &Arguments::nulSeparated},
    {"--folders", &Arguments::folderRows},
    {"--json", &Arguments::json},
    {"--number-clashes", &Arguments::numberClashes},
};

// The options that go with --plan-in.
const QList<QByteArray> PlanInOptions{"--plan-in", "--apply", "--json", "--yes",
                                      "--no-undo", "--quiet", "--help", "--version"};

// Walks the command line; the first error found is the one reported.
class ArgumentReader
{
public:
    ArgumentReader(const QList<QByteArray> &args, Arguments &a)
        : m_args(args)
        , m_a(a)
    {}

    bool folderOption() const { return m_folderOption; }

    void fail(const QString &message)
    {
        if (m_a.error.isEmpty())
            m_a.error = message;
    }

    void read()
    {
        bool optionsEnded = false;
        for (m_at = 0; m_at < m_args.size(); ++m_at) {
            const QByteArray &arg = m_args.at(m_at);
            if (optionsEnded || (!arg.startsWith("--") && arg != "-r"))
                m_a.files.append(arg);
            else if (arg == "--")
                optionsEnded = true;
            else if (!readSwitch(arg) && !readOption(arg))
                fail(Text::tr("Unbekannte Option: %1").arg(text(arg)));
            else {
                m_a.namingOption |=
                    !QList<QByteArray>{"--help", "--version", "--quiet", "--undo", "--history"}
                         .contains(arg);
                m_a.notForPlanIn |= !PlanInOptions.contains(arg);
            }
        }
    }

private:
    // The \a count arguments after the option; a missing one ends the
    // command line.
    QStringList values(int count)
    {
        if (m_at + count >= m_args.size()) {
            fail(Text::tr("Der Option %1 fehlt ein Wert.").arg(text(m_args.at(m_at))));
            m_at = m_args.size();
            return QStringList(count, QString());
        }
        QStringList values;
        for (int k = 1; k <= count; ++k)
            values.append(text(m_args.at(m_at + k)));
        m_at += count;
        return values;
    }
    QString value() { return values(1).first(); }

    bool readSwitch(const QByteArray &arg)
    {
        for (const auto &[name, flag] : Switches) {
            if (arg == name) {
                m_a.*flag = true;
                return true;
            }
        }
        return false;
    }

    // False for an option it does not know.
    bool readOption(const QByteArray &arg)
    {
        if (arg == "--mask")
            m_a.mask = value();
        else if (arg == "--start")
            m_a.counterStart = counterField(8);
        else if (arg == "--step")
            m_a.counterStep = counterField(5);
        else if (arg == "--preset")
            m_a.preset = value();
        else if (arg == "--random-extra")
            m_a.randomExtra = value();
        else if (arg == "--companions-main")
            m_a.companionsMain = value();
        else if (arg == "--digits")
            readDigits();
        else if (arg == "--lead")
            readLead();
        else if (arg == "--case")
            readCase();
        else if (arg == "--replace" || arg == "--replace-new" || arg == "--replace-re" ||
                 arg == "--replace-new-re")
            readReplacement(arg.startsWith("--replace-new"), arg.endsWith("-re"));
        else if (arg == "--match-case")
            readMatchCase();
        else if (arg == "--sort")
            readSort();
        else if (arg == "--depth")
            readDepth();
        else if (arg == "--include" || arg == "--exclude")
            readPattern(arg == "--include" ? m_a.folders.include : m_a.folders.exclude);
        else if (arg == "--hidden")
            m_a.folders.hidden = m_folderOption = true;
        else if (arg == "--files-from")
            m_a.pathLists.append(rawValue());
        else if (arg == "--names-from")
            m_a.nameList = rawValue();
        else if (arg == "--table")
            m_a.table = rawValue();
        else if (arg == "--plan-out")
            m_a.planOut = rawValue();
        else if (arg == "--plan-in")
            m_a.planIn = rawValue();
        else
            return false;
        return true;
    }
    // A counter field's value: digits only, as many as the window's field takes.
    QString counterField(int digits)
    {
        const QString option = text(m_args.at(m_at));
        const QString v = value();
        const bool digitsOnly = std::all_of(v.begin(), v.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        if (v.isEmpty() || v.size() > digits || !digitsOnly)
            fail(Text::tr("%1 erwartet eine Zahl von 0 bis %2.")
                     .arg(option, QString(digits, QLatin1Char('9'))));
        return v;
    }

    void readDigits()
    {
        bool ok = false;
        const int n = value().toInt(&ok);
        if (!ok || n < 1 || n > 12)
            fail(Text::tr("--digits erwartet eine Zahl von 1 bis 12."));
        m_a.digitCount = n;
    }

    void readLead()
    {
        m_a.leadChar = listPosition(value(), LeadCharEntries());
        if (!m_a.leadChar)
            fail(Text::tr("--lead erwartet keine, Null, Leerzeichen oder Unterstrich."));
    }

    void readCase()
    {
        m_a.letterCase = listPosition(value(), LetterCaseEntries());
        if (!m_a.letterCase)
            fail(Text::tr("--case erwartet einen Eintrag der Schreibweise oder 0 bis 5."));
    }

    void readReplacement(bool inNewName, bool regex)
    {
        const QStringList v = values(2);
        if (m_a.replacements.size() == 3)
            fail(Text::tr("Es gibt höchstens drei Sätze für Suchen und Ersetzen."));
        else
            m_a.replacements.append({Checked, v.at(0), v.at(1), inNewName ? Checked : Unchecked,
                                     regex ? Checked : Unchecked, Unchecked});
    }

    void readMatchCase()
    {
        if (m_a.replacements.isEmpty())
            fail(Text::tr("--match-case steht hinter --replace, --replace-new, --replace-re oder "
                          "--replace-new-re."));
        else
            m_a.replacements.last().matchCase = Checked;
    }

    void readDepth()
    {
        bool ok = false;
        m_a.folders.depth = value().toInt(&ok);
        m_folderOption = true;
        if (!ok || m_a.folders.depth < 0)
            fail(Text::tr("--depth erwartet eine Zahl ab 0."));
    }

    void readPattern(QStringList &patterns)
    {
        const QString option = text(m_args.at(m_at));
        patterns.append(value());
        m_folderOption = true;
        if (!IsUsablePattern(patterns.last()))
            fail(Text::tr("%1: kein gültiges Muster: %2").arg(option, patterns.last()));
    }

    // A value as the system handed it over: a path.
    QByteArray rawValue()
    {
        const qsizetype at = m_at + 1;
        value();
        return at < m_args.size() ? m_args.at(at) : QByteArray();
    }

    void readSort()
    {
        QString v = value();
        if (v.endsWith(QLatin1String(":desc"))) {
            m_a.sortDescending = true;
            v.chop(5);
        }
        bool ok = false;
        m_a.sortColumn = v.toInt(&ok);
        if (!ok || m_a.sortColumn < 1 || m_a.sortColumn > 8)
            fail(Text::tr("--sort erwartet eine Spalte von 1 bis 8, wahlweise mit :desc."));
    }

    const QList<QByteArray> &m_args;
    Arguments &m_a;
    qsizetype m_at = 0;
    bool m_folderOption = false; ///< --depth, --include, --exclude or --hidden given
};

} // namespace

Arguments ParseArguments(const QList<QByteArray> &args)
{
    Arguments a;
    // Nearly every argument is a path: one array, no regrowing.
    a.files.reserve(args.size());
    ArgumentReader reader(args, a);
    reader.read();
    a.folders.folderRows = a.folderRows;
    a.folders.files = a.recursive;
    if (reader.folderOption() && !a.recursive)
        reader.fail(
            Text::tr("--depth, --include, --exclude und --hidden gelten nur mit --recursive."));
    if (a.nulSeparated && a.pathLists.isEmpty())
        reader.fail(Text::tr("--null gilt nur mit --files-from."));
    if (a.pathLists.count("-") + (a.nameList == "-") + (a.table == "-") > 1)
        reader.fail(Text::tr("Nur eine der Optionen --files-from, --names-from und --table liest "
                             "die Standardeingabe."));
    if ((a.undo || a.history) && !(a.files.isEmpty() && a.pathLists.isEmpty()))
        reader.fail(Text::tr("--undo und --history nehmen keine Dateien."));
    if (a.undo && a.history)
        reader.fail(Text::tr("--undo und --history gehen nicht zusammen."));
    if ((a.undo || a.history) && a.namingOption)
        reader.fail(Text::tr("--undo und --history nehmen keine Optionen zum Umbenennen."));
    const bool noFiles = a.files.isEmpty() && a.pathLists.isEmpty();
    if (a.planIn && (!noFiles || a.notForPlanIn))
        reader.fail(Text::tr("--plan-in nimmt keine Dateien und von den Optionen nur "
                             "--apply, --json, --yes, --no-undo und --quiet."));
    if (a.planOut && a.apply)
        reader.fail(Text::tr("--plan-out schreibt einen Plan zum Prüfen und gilt nur "
                             "ohne --apply."));
    if (noFiles && !a.help && !a.undo && !a.history && !a.planIn)
        reader.fail(Text::tr("Es wurde keine Datei angegeben."));
    std::array<SearchReplaceSet, 3> sets;
    std::copy(a.replacements.cbegin(), a.replacements.cend(), sets.begin());
    const QString faultySet = ReplaceSets(sets).error();
    if (!faultySet.isEmpty())
        reader.fail(faultySet);
    return a;
}

} // namespace kesto::cli
