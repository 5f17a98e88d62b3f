<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>AppMain</name>
    <message>
        <source>Aufruf: kesto [DATEI…]
        kesto --help | --version

Öffnet das Fenster mit den Dateien in der Liste: dort werden die neuen Namen
aus Maske, Zähler, Schreibweise und Suchen und Ersetzen gebildet, neben den
alten geprüft und die markierten Dateien in einem Zug umbenannt. Weitere
Dateien lassen sich auf die Liste ziehen.

Optionen:
  --help                    diese Hilfe
  --version                 die Versionsnummer
  -platform NAME            die Anzeige von Qt, z. B. offscreen (wie die
                            Umgebungsvariable QT_QPA_PLATFORM)

Ohne Bildschirm (weder DISPLAY noch WAYLAND_DISPLAY gesetzt) öffnet sich kein
Fenster; dann benennt kesto-cli um, siehe kesto-cli --help.

Rückgabewert: 0, sobald das Fenster geschlossen ist, 1 ohne Bildschirm.
</source>
        <translation>Usage: kesto [FILE…]
        kesto --help | --version

Opens the window with the files in the list: there the new names are built
from the mask, the counter, the letter case and search and replace, tested
next to the old ones, and the checked files are renamed in one go. More
files can be dragged onto the list.

Options:
  --help                    this help
  --version                 the version number
  -platform NAME            Qt&apos;s display, e.g. offscreen (like the
                            environment variable QT_QPA_PLATFORM)

Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) no window
opens; then kesto-cli renames, see kesto-cli --help.

Exit status: 0 once the window is closed, 1 without a display.
</translation>
    </message>
    <message>
        <source>kesto: Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt); ohne Fenster benennt kesto-cli um, siehe kesto-cli --help.
</source>
        <translation>kesto: No display found (neither DISPLAY nor WAYLAND_DISPLAY is set); without a window, kesto-cli renames, see kesto-cli --help.
</translation>
    </message>
    <message>
        <source>kesto: Das Fenster lässt sich auf diesem Bildschirm nicht öffnen; ohne Fenster benennt kesto-cli um, siehe kesto-cli --help.
</source>
        <translation>kesto: The window cannot be opened on this display; without a window, kesto-cli renames, see kesto-cli --help.
</translation>
    </message>
</context>
<context>
    <name>AudioTags</name>
    <message>
        <source>Kesto: Das Modul zum Lesen von Audio-Tags fehlt; [TITEL], [INTERPRET], [ALBUM], [TITELNR], [ERSCHEINUNGSJAHR] und [GENRE] bleiben leer.
</source>
        <translation>Kesto: The module that reads audio tags is missing; [TITEL], [INTERPRET], [ALBUM], [TITELNR], [ERSCHEINUNGSJAHR] and [GENRE] stay empty.
</translation>
    </message>
</context>
<context>
    <name>Checksum</name>
    <message>
        <source>Kesto: Das Modul zum Berechnen von Prüfsummen fehlt; [PRÜFSUMME] bleibt leer.
</source>
        <translation>Kesto: The module that computes checksums is missing; [PRÜFSUMME] stays empty.
</translation>
    </message>
</context>
<context>
    <name>ChoiceLists</name>
    <message>
        <source>beibehalten</source>
        <translation>keep</translation>
    </message>
    <message>
        <source>alles groß</source>
        <translation>all upper case</translation>
    </message>
    <message>
        <source>alles klein</source>
        <translation>all lower case</translation>
    </message>
    <message>
        <source>anfangs groß</source>
        <translation>first letter upper case</translation>
    </message>
    <message>
        <source>alternierend-1</source>
        <translation>alternating-1</translation>
    </message>
    <message>
        <source>alternierend-2</source>
        <translation>alternating-2</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Null</source>
        <translation>zero</translation>
    </message>
    <message>
        <source>Leerzeichen</source>
        <translation>blank</translation>
    </message>
    <message>
        <source>Unterstrich</source>
        <translation>underscore</translation>
    </message>
</context>
<context>
    <name>CliArguments</name>
    <message>
        <source>Unbekannte Option: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>Der Option %1 fehlt ein Wert.</source>
        <translation>The option %1 lacks a value.</translation>
    </message>
    <message>
        <source>%1 erwartet eine Zahl von 0 bis %2.</source>
        <translation>%1 expects a number from 0 to %2.</translation>
    </message>
    <message>
        <source>--digits erwartet eine Zahl von 1 bis 12.</source>
        <translation>--digits expects a number from 1 to 12.</translation>
    </message>
    <message>
        <source>--lead erwartet keine, Null, Leerzeichen oder Unterstrich.</source>
        <translation>--lead expects keine, Null, Leerzeichen or Unterstrich.</translation>
    </message>
    <message>
        <source>--case erwartet einen Eintrag der Schreibweise oder 0 bis 5.</source>
        <translation>--case expects an entry of the letter case list or 0 to 5.</translation>
    </message>
    <message>
        <source>Es gibt höchstens drei Sätze für Suchen und Ersetzen.</source>
        <translation>There are at most three sets for search and replace.</translation>
    </message>
    <message>
        <source>--match-case steht hinter --replace, --replace-new, --replace-re oder --replace-new-re.</source>
        <translation>--match-case goes after --replace, --replace-new, --replace-re or --replace-new-re.</translation>
    </message>
    <message>
        <source>--depth erwartet eine Zahl ab 0.</source>
        <translation>--depth expects a number from 0 up.</translation>
    </message>
    <message>
        <source>%1: kein gültiges Muster: %2</source>
        <translation>%1: not a valid pattern: %2</translation>
    </message>
    <message>
        <source>--sort erwartet eine Spalte von 1 bis 8, wahlweise mit :desc.</source>
        <translation>--sort expects a column from 1 to 8, optionally with :desc.</translation>
    </message>
    <message>
        <source>--depth, --include, --exclude und --hidden gelten nur mit --recursive.</source>
        <translation>--depth, --include, --exclude and --hidden only apply with --recursive.</translation>
    </message>
    <message>
        <source>--null gilt nur mit --files-from.</source>
        <translation>--null only applies with --files-from.</translation>
    </message>
    <message>
        <source>--undo und --history nehmen keine Dateien.</source>
        <translation>--undo and --history take no files.</translation>
    </message>
    <message>
        <source>--undo und --history gehen nicht zusammen.</source>
        <translation>--undo and --history do not go together.</translation>
    </message>
    <message>
        <source>--undo und --history nehmen keine Optionen zum Umbenennen.</source>
        <translation>--undo and --history take no renaming options.</translation>
    </message>
    <message>
        <source>Es wurde keine Datei angegeben.</source>
        <translation>No file was given.</translation>
    </message>
    <message>
        <source>--plan-in nimmt keine Dateien und von den Optionen nur --apply, --json, --yes, --no-undo und --quiet.</source>
        <translation>--plan-in takes no files and of the options only --apply, --json, --yes, --no-undo and --quiet.</translation>
    </message>
    <message>
        <source>--plan-out schreibt einen Plan zum Prüfen und gilt nur ohne --apply.</source>
        <translation>--plan-out writes a plan to check and only applies without --apply.</translation>
    </message>
    <message>
        <source>Nur eine der Optionen --files-from, --names-from und --table liest die Standardeingabe.</source>
        <translation>Only one of the options --files-from, --names-from and --table may read standard input.</translation>
    </message>
    <message>
        <source>Aufruf: kesto-cli [OPTION…] DATEI…
        kesto-cli [OPTION…] -r ORDNER…
        kesto-cli [OPTION…] --folders [-r] ORDNER…
        kesto-cli [OPTION…] --files-from LISTE
        kesto-cli [--apply] [--json] --plan-in PLAN
        kesto-cli --undo | --history
</source>
        <translation>Usage: kesto-cli [OPTION…] FILE…
       kesto-cli [OPTION…] -r FOLDER…
       kesto-cli [OPTION…] --folders [-r] FOLDER…
       kesto-cli [OPTION…] --files-from LIST
       kesto-cli [--apply] [--json] --plan-in PLAN
       kesto-cli --undo | --history
</translation>
    </message>
    <message>
        <source>Lädt die Dateien wie das Fenster, bildet die neuen Namen, prüft sie und gibt
&quot;Vorher&quot; TAB &quot;Nachher&quot; und je Datei alten TAB neuen Namen aus. Mit --apply
werden die markierten Dateien umbenannt; eine vorhandene Datei wird nie
überschrieben.
</source>
        <translation>Loads the files as the window does, builds the new names, tests them and
prints &quot;Vorher&quot; TAB &quot;Nachher&quot; and one line per file: old TAB new name. With
--apply the checked files are renamed; an existing file is never
overwritten.
</translation>
    </message>
    <message>
        <source>In der Ausgabe steht ein Tabulator in einem Namen als \t, ein Zeilenvorschub
als \n, ein Wagenrücklauf als \r und ein umgekehrter Schrägstrich als \\.
Bytes eines Namens, die kein UTF-8 sind, werden als Windows-1252 gelesen;
der neue Name wird in UTF-8 geschrieben. Ein Pfad, der fehlt, ein Ordner
(ohne --recursive oder --folders), keine gewöhnliche Datei oder nicht lesbar
ist, wird mit seinem Grund auf der Fehlerausgabe genannt und übergangen,
ebenso ein Unterordner, der sich nicht lesen lässt.
</source>
        <translation>In the output a tab in a name is shown as \t, a line feed as \n, a carriage
return as \r and a backslash as \\. Bytes of a name that are no UTF-8 are
read as Windows-1252; the new name is written in UTF-8. A path that is
missing, a folder (without --recursive or --folders), no regular file or
not readable is named with its reason on standard error and passed over,
and so is a subfolder that cannot be read.
</translation>
    </message>
    <message>
        <source>Optionen (Werte so, wie man sie im Fenster eingibt):
  --mask TEXT               Umbenennungsmaske, z. B. &quot;[name]_[zahl].[typ]&quot;;
                            Datum mit Format: &quot;[aufnahmedatum yyyy-MM-dd].[typ]&quot;,
                            &quot;[datum dd. MMMM yyyy, dddd].[typ]&quot;; ein / trennt
                            Ordner, die unter dem Ordner der Datei angelegt
                            werden: &quot;[aufnahmejahr]/[aufnahmemonat]/[name].[typ]&quot;
  --start ZAHL              Zähler: Start bei (0 bis 99999999)
  --step ZAHL               Zähler: Schrittweite (0 bis 99999)
  --digits N                Zähler: Länge (Stellenanzahl)
  --lead keine|Null|Leerzeichen|Unterstrich
                            Zähler: Vornullen
  --counter-per-folder      Zähler: in jedem Ordner neu beginnen
  --case SCHREIBWEISE       beibehalten, &quot;alles groß&quot;, &quot;alles klein&quot;,
                            &quot;anfangs groß&quot;, alternierend-1, alternierend-2 oder 0-5
  --transliterate           Umlaute und Akzente umschreiben (Grüße → Gruesse,
                            ÄRGER → AERGER, café → cafe, Москва → Moskva)
  --companions              Begleitdateien mitnehmen: Dateien desselben Ordners
                            mit demselben Namen vor dem Typ und weiterem Typ
                            folgen der ersten von ihnen, z. B. mit --mask
                            &quot;Urlaub_[zahl].[typ]&quot; IMG_1.CR2 → Urlaub_1.CR2,
                            IMG_1.JPG → Urlaub_1.JPG, IMG_1.JPG.xmp →
                            Urlaub_1.JPG.xmp; IMG_10.JPG gehört nicht dazu
  --companions-main TYP     wie --companions, doch die Datei mit diesem Typ
                            gibt den Namen vor, z. B. --companions-main JPG
  --replace SUCHE ERSATZ    Suchen und Ersetzen im alten Namen (höchstens drei)
  --replace-new SUCHE ERSATZ  dasselbe im neuen Namen
  --replace-re SUCHE ERSATZ   dasselbe mit einem regulären Ausdruck; im Ersatz
                            stehen $0 … $99 und ${name} für Gruppen, $$ für $,
                            \U … \E für Großbuchstaben, \L … \E für kleine,
                            z. B. --replace-re &apos;(\d+)_(\w+)&apos; &apos;$2-$1&apos;
  --replace-new-re SUCHE ERSATZ  dasselbe im neuen Namen
  --match-case              Groß-/Kleinschreibung beachten im Satz der Option
                            --replace… davor, z. B. --replace IMG Bild --match-case
  --random-upper            Zufallskette: Großbuchstaben
  --random-lower            Zufallskette: Kleinbuchstaben
  --random-digits           Zufallskette: Zahlen
  --random-extra ZEICHEN    Zufallskette: diese Sonderzeichen
  --preset NAME             von der gespeicherten Maske NAME ausgehen
  --sort SPALTE[:desc]      nach Spalte 1-8 sortieren (1 = Alter Name, 4 = Größe,
                            8 = Aufnahme (Exif)); Vorgabe 1, aufsteigend;
                            Zahlen nach ihrem Wert: IMG_2 vor IMG_10
</source>
        <translation>Options (values as they are typed into the window):
  --mask TEXT               rename mask, e.g. &quot;[name]_[zahl].[typ]&quot;; a date
                            with a format: &quot;[aufnahmedatum yyyy-MM-dd].[typ]&quot;,
                            &quot;[datum dd. MMMM yyyy, dddd].[typ]&quot;; a / separates
                            folders below the file&apos;s folder, made where they
                            are missing: &quot;[aufnahmejahr]/[aufnahmemonat]/[name]&quot;
  --start NUMBER            counter: start at (0 to 99999999)
  --step NUMBER             counter: step (0 to 99999)
  --digits N                counter: length (number of digits)
  --lead keine|Null|Leerzeichen|Unterstrich
                            counter: padding (none, zeros, blanks, underscores)
  --counter-per-folder      counter: start again in each folder
  --case CASE               beibehalten (keep), &quot;alles groß&quot; (upper),
                            &quot;alles klein&quot; (lower), &quot;anfangs groß&quot; (capitalised),
                            alternierend-1, alternierend-2 or 0-5
  --transliterate           write umlauts and accents in ASCII (Grüße → Gruesse,
                            ÄRGER → AERGER, café → cafe, Москва → Moskva)
  --companions              take companion files along: files of the same folder
                            with the same name before the type and another type
                            follow the first of them, e.g. with --mask
                            &quot;Holiday_[zahl].[typ]&quot; IMG_1.CR2 → Holiday_1.CR2,
                            IMG_1.JPG → Holiday_1.JPG, IMG_1.JPG.xmp →
                            Holiday_1.JPG.xmp; IMG_10.JPG is not one of them
  --companions-main TYPE    as --companions, but the file of this type gives
                            the name, e.g. --companions-main JPG
  --replace SEARCH REPLACEMENT  search and replace in the old name (at most 3)
  --replace-new SEARCH REPLACEMENT  the same in the new name
  --replace-re SEARCH REPLACEMENT   the same with a regular expression; in the
                            replacement $0 … $99 and ${name} stand for groups,
                            $$ for $, \U … \E for capitals, \L … \E for small
                            letters, e.g. --replace-re &apos;(\d+)_(\w+)&apos; &apos;$2-$1&apos;
  --replace-new-re SEARCH REPLACEMENT  the same in the new name
  --match-case              match letter case in the set of the --replace…
                            option before it,
                            e.g. --replace IMG Bild --match-case
  --random-upper            random string: capital letters
  --random-lower            random string: small letters
  --random-digits           random string: digits
  --random-extra CHARACTERS random string: these special characters
  --preset NAME             start from the saved mask NAME
  --sort COLUMN[:desc]      sort by column 1-8 (1 = old name, 4 = size,
                            8 = Exif capture date); default 1, ascending;
                            numbers by their value: IMG_2 before IMG_10
</translation>
    </message>
    <message>
        <source>  -r, --recursive           aus jedem ORDNER die gewöhnlichen Dateien laden,
                            mit allen Unterordnern; symbolische Verknüpfungen
                            auf Ordner werden nicht betreten. Reihenfolge: je
                            Ordner erst die Dateien, dann die Unterordner,
                            beide nach Namen (IMG_2 vor IMG_10)
  --depth N                 nur N Ebenen Unterordner (0 = nur der Ordner selbst)
  --include MUSTER          nur Dateien, deren Name passt; mehrfach möglich
  --exclude MUSTER          keine Dateien, deren Name passt; mehrfach möglich.
                            Muster wie in der Shell (*, ?, [abc], [!abc]),
                            Groß/klein gleich: --include &apos;*.jpg&apos; --exclude &apos;tmp*&apos;
  --hidden                  auch versteckte Dateien und Ordner (Name mit &quot;.&quot;)
  --folders                 jeden ORDNER selbst umbenennen, mit -r auch die
                            Ordner darunter: [NAME] ist der ganze Name, [TYP]
                            leer, ein Punkt vor [TYP] entfällt; was in einem
                            Ordner liegt, wird vor ihm umbenannt
  --files-from LISTE        die Pfade einer Datei (- = Standardeingabe), einer
                            je Zeile; relativ zum aktuellen Ordner. Für mehr
                            Dateien, als die Befehlszeile fasst
  --null                    die Pfade der LISTE enden mit NUL statt Zeilenende:
                            find Fotos -name &apos;*.jpg&apos; -mtime -7 -print0 |
                              kesto-cli --files-from - --null --mask …
  --names-from LISTE        je Zeile der LISTE (- = Standardeingabe) ein neuer
                            Name für [LISTE]: Zeile n gilt der n-ten markierten
                            Datei; UTF-8 oder Windows-1252, leere Zeilen zählen
                            mit. Zählt die Liste mehr oder weniger Namen als
                            Dateien, wird nichts umbenannt. Beispiel:
                            --names-from namen.txt --mask &apos;[zahl] [liste].[typ]&apos;
  --table TABELLE           CSV oder TSV (Trennzeichen Tabulator, Semikolon
                            oder Komma, Zellen in &quot;…&quot; dürfen es enthalten);
                            die erste Spalte nennt die Datei, als absoluten
                            Pfad oder bloßen Namen, [SPALTE 2], [SPALTE 3] …
                            sind die weiteren Zellen ihrer Zeile. Eine Datei
                            ohne Zeile ist ein Fehler, eine Zeile ohne Datei
                            wird genannt. Beispiel:
                            --table titel.csv --mask &apos;[spalte 2] - [name].[typ]&apos;
</source>
        <translation>  -r, --recursive           load the regular files of every FOLDER, with all
                            its subfolders; symbolic links to folders are not
                            entered. Order: in each folder first the files,
                            then the subfolders, both by name (IMG_2 before
                            IMG_10)
  --depth N                 only N levels of subfolders (0 = only the folder)
  --include PATTERN         only files whose name matches; may be repeated
  --exclude PATTERN         no files whose name matches; may be repeated.
                            Patterns as in the shell (*, ?, [abc], [!abc]), in
                            any letter case: --include &apos;*.jpg&apos; --exclude &apos;tmp*&apos;
  --hidden                  hidden files and folders too (name begins with &quot;.&quot;)
  --folders                 rename every FOLDER itself, with -r also the
                            folders below it: [NAME] is the whole name, [TYP]
                            empty, a dot before [TYP] is left out; what lies
                            in a folder is renamed before it
  --files-from LIST         the paths in a file (- = standard input), one a
                            line; relative to the current folder. For more
                            files than a command line holds
  --null                    the paths of the LIST end with NUL, not a line feed:
                            find Fotos -name &apos;*.jpg&apos; -mtime -7 -print0 |
                              kesto-cli --files-from - --null --mask …
  --names-from LIST         one new name a line of LIST (- = standard input)
                            for [LISTE]: line n is for the n-th checked file;
                            UTF-8 or Windows-1252, blank lines count. When the
                            list holds more or fewer names than files,
                            nothing is renamed. Example:
                            --names-from names.txt --mask &apos;[zahl] [liste].[typ]&apos;
  --table TABLE             CSV or TSV (separator tab, semicolon or comma;
                            cells in &quot;…&quot; may hold it); the first column names
                            the file by its absolute path or bare name,
                            [SPALTE 2], [SPALTE 3] … are the other cells of
                            its line. A file without a line is an error, a
                            line without a file is named. Example:
                            --table titles.csv --mask &apos;[spalte 2] [name].[typ]&apos;
</translation>
    </message>
    <message>
        <source>  --number-clashes          Doppelte Namen durchnummerieren: gleiche neue Namen
                            und Namen vorhandener Dateien bekommen &quot; (2)&quot;,
                            &quot; (3)&quot; … vor der Endung, in der Reihenfolge der
                            Liste: --mask &apos;Foto.[typ]&apos; --number-clashes ergibt
                            Foto.jpg, Foto (2).jpg, Foto (3).jpg …
  --json                    statt der Liste ein JSON-Objekt: &quot;options&quot; (die
                            verwendeten Optionen) und &quot;rows&quot;, je Datei
                            folder, old, new, status und reason (mit --apply
                            auch result und result_reason):
                            kesto-cli --json --mask &quot;[zahl].[typ]&quot; *.jpg
  --plan-out PLAN           den geprüften Plan mit der Identität jeder Datei
                            in die Datei PLAN schreiben (JSON mit Prüfsumme;
                            jede Änderung macht ihn unbrauchbar); nicht mit
                            --apply
  --plan-in PLAN            den Plan aus PLAN zeigen, mit --apply genau ihn
                            umbenennen, nur die Dateien, die noch dieselben
                            sind und deren neuer Name frei ist:
                            kesto-cli --mask &quot;[zahl].[typ]&quot; --plan-out p.json *
                            kesto-cli --plan-in p.json --apply
  --apply                   umbenennen
  --yes                     ohne [TYP] umbenennen, ohne zu fragen
  --no-undo                 auch umbenennen, wenn sich das Protokoll zum
                            Rückgängigmachen nicht schreiben lässt
  --undo                    die letzte noch nicht rückgängig gemachte
                            Umbenennung rückgängig machen (auch eine
                            unterbrochene); gibt Vorher/Nachher aus
  --history                 die aufbewahrten Umbenennungen auflisten: Datum,
                            Dateien, Ordner, Zustand und, wenn sie Ordner
                            angelegt hat, &quot;N Ordner angelegt&quot;
  --quiet                   ohne Fortschrittsanzeige und ohne die Zeile
                            &quot;Bereit: …&quot;
  --                        Ende der Optionen
  --help                    diese Hilfe
  --version                 die Versionsnummer
</source>
        <translation>  --number-clashes          number duplicate names: equal new names and names
                            of existing files get &quot; (2)&quot;, &quot; (3)&quot; … before the
                            extension, in list order: --mask &apos;Foto.[typ]&apos;
                            --number-clashes gives Foto.jpg, Foto (2).jpg,
                            Foto (3).jpg …
  --json                    a JSON object instead of the list: &quot;options&quot; (the
                            options used) and &quot;rows&quot;, per file folder, old,
                            new, status and reason (with --apply also result
                            and result_reason):
                            kesto-cli --json --mask &quot;[zahl].[typ]&quot; *.jpg
  --plan-out PLAN           write the tested plan with the identity of each
                            file to the file PLAN (JSON with a checksum; any
                            change makes it unusable); not with --apply
  --plan-in PLAN            show the plan in PLAN, with --apply rename exactly
                            that, only the files that are still the same and
                            whose new name is free:
                            kesto-cli --mask &quot;[zahl].[typ]&quot; --plan-out p.json *
                            kesto-cli --plan-in p.json --apply
  --apply                   rename
  --yes                     rename without [TYP] without asking
  --no-undo                 rename even when the journal for undoing cannot
                            be written
  --undo                    undo the newest batch not yet undone (also an
                            interrupted one); prints Vorher/Nachher
  --history                 list the kept batches: date, files, folder, state
                            and, for one that made folders, &quot;N Ordner angelegt&quot;
  --quiet                   no progress line and no &quot;Ready: …&quot; line
  --                        end of options
  --help                    this help
  --version                 the version number
</translation>
    </message>
    <message>
        <source>Ist die Fehlerausgabe ein Terminal, zeigt sie bei einem Lauf, der länger als
eine Sekunde dauert, eine Zeile mit dem Fortschritt: Dateien erledigt von
allen, Dateien je Sekunde und die verbleibende Zeit.
</source>
        <translation>When standard error is a terminal, a run that takes longer than a second
shows a progress line there: files done of all, files per second and the
time left.
</translation>
    </message>
    <message>
        <source>Findet die Prüfung Fehler, steht nach der Meldung je fehlerhafter Datei
alter Name TAB neuer Name TAB Grund auf der Fehlerausgabe.
</source>
        <translation>When the test finds faults, the message is followed on standard error by one
line per faulty file: old name TAB new name TAB reason.
</translation>
    </message>
    <message>
        <source>Im JSON ist status einer dieser Schlüssel: ok, unchanged, duplicate, exists,
blank, too_long, not_allowed, impossible, unreadable_folder,
unwritable_folder, other_drive, folder_clash (ein neuer Ordner auf einem
anderen Laufwerk oder mit dem Namen einer Datei), no_name (Maske oder Suchen
fehlerhaft), changed und missing (Datei seit dem Plan geändert oder nicht
mehr da); result ist renamed, failed oder skipped. Ein Name, der kein UTF-8
ist, steht in old (folder) als Windows-1252 und in old_bytes (folder_bytes)
als Base64 seiner Bytes.
</source>
        <translation>In the JSON, status is one of these keys: ok, unchanged, duplicate, exists,
blank, too_long, not_allowed, impossible, unreadable_folder,
unwritable_folder, other_drive, folder_clash (a new folder on another drive
or with the name of a file), no_name (mask or search faulty), changed and
missing (file changed since the plan or gone); result is renamed, failed or
skipped.
A name that is no UTF-8 is given in old (folder) as Windows-1252 and in
old_bytes (folder_bytes) as Base64 of its bytes.
</translation>
    </message>
    <message>
        <source>Rückgabewert: 0 Namen in Ordnung (und alles umbenannt), 1 Prüfung oder
Umbenennung fehlgeschlagen, eine Datei des Plans übergangen, ein Pfad
übergangen oder die Ausgabe nicht schreibbar (die Umbenennung läuft
trotzdem zu Ende), 2 falscher Aufruf oder ein Plan, der sich nicht lesen
lässt, beschädigt oder verändert ist (dann wird nichts umbenannt).
</source>
        <translation>Exit status: 0 names fine (and everything renamed), 1 test or rename failed,
a file of the plan passed over, a path passed over or the output not
writable (the renaming still runs to its end), 2 wrong usage or a plan that
cannot be read, is damaged or was changed (then nothing is renamed).
</translation>
    </message>
</context>
<context>
    <name>CliTexts</name>
    <message>
        <source>kesto-cli: übergangen (%1): %2</source>
        <translation>kesto-cli: passed over (%1): %2</translation>
    </message>
    <message>
        <source>kesto-cli: Die Liste ließ sich nicht lesen (%1): %2</source>
        <translation>kesto-cli: The list could not be read (%1): %2</translation>
    </message>
    <message>
        <source>kesto-cli: Es gibt keine gespeicherte Maske &apos;%1&apos;.</source>
        <translation>kesto-cli: There is no saved mask &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>kesto-cli: Es bleibt keine Datei zum Umbenennen.</source>
        <translation>kesto-cli: No file is left to rename.</translation>
    </message>
    <message>
        <source>Bereit: mit --apply wird 1 Datei umbenannt.</source>
        <translation>Ready: with --apply 1 file is renamed.</translation>
    </message>
    <message>
        <source>Bereit: mit --apply werden %1 Dateien umbenannt.</source>
        <translation>Ready: with --apply %1 files are renamed.</translation>
    </message>
    <message>
        <source>kesto-cli: Die Liste ließ sich nicht ausgeben: %1</source>
        <translation>kesto-cli: The list could not be written: %1</translation>
    </message>
    <message>
        <source>kesto-cli: Die letzte Umbenennung wurde unterbrochen; kesto-cli --undo gibt den Dateien ihre alten Namen zurück.</source>
        <translation>kesto-cli: The last rename was interrupted; kesto-cli --undo gives the files their old names back.</translation>
    </message>
    <message>
        <source>kesto-cli: Es wurde nichts umbenannt; mit --no-undo wird ohne Möglichkeit zum Rückgängigmachen umbenannt.</source>
        <translation>kesto-cli: Nothing was renamed; with --no-undo the files are renamed without a way to undo it.</translation>
    </message>
    <message>
        <source>kesto-cli: Es gibt keine Umbenennung, die sich rückgängig machen ließe.</source>
        <translation>kesto-cli: There is no rename that could be undone.</translation>
    </message>
    <message>
        <source>kesto-cli: Die letzte Umbenennung läuft noch; rückgängig machen lässt sie sich, sobald sie beendet ist.</source>
        <translation>kesto-cli: The last rename is still running; it can be undone once it has ended.</translation>
    </message>
    <message>
        <source>kesto-cli: Der Plan ließ sich nicht lesen (%1): %2</source>
        <translation>kesto-cli: The plan could not be read (%1): %2</translation>
    </message>
    <message>
        <source>kesto-cli: Der Plan ist beschädigt oder wurde verändert (%1); es wurde nichts umbenannt: %2</source>
        <translation>kesto-cli: The plan is damaged or was changed (%1); nothing was renamed: %2</translation>
    </message>
    <message>
        <source>Fehler: 1 Datei des Plans lässt sich nicht umbenennen:</source>
        <translation>Error: 1 file of the plan cannot be renamed:</translation>
    </message>
    <message>
        <source>Fehler: %1 Dateien des Plans lassen sich nicht umbenennen:</source>
        <translation>Error: %1 files of the plan cannot be renamed:</translation>
    </message>
    <message>
        <source>kesto-cli: Die Tabelle ließ sich nicht lesen (%1): %2</source>
        <translation>kesto-cli: The table could not be read (%1): %2</translation>
    </message>
    <message>
        <source>kesto-cli: Zeile %1 der Tabelle gehört zu keiner Datei der Liste: %2</source>
        <translation>kesto-cli: Line %1 of the table belongs to no file of the list: %2</translation>
    </message>
    <message>
        <source>Bereit: mit --apply wird %1 umbenannt.</source>
        <translation>Ready: with --apply %1 is renamed.</translation>
    </message>
    <message>
        <source>Bereit: mit --apply werden %1 umbenannt.</source>
        <translation>Ready: with --apply %1 are renamed.</translation>
    </message>
    <message>
        <source>Bereit: mit --apply werden %1 und %2 umbenannt.</source>
        <translation>Ready: with --apply %1 and %2 are renamed.</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>Alter Name</source>
        <translation>Old Name</translation>
    </message>
    <message>
        <source>Neuer Name</source>
        <translation>New Name</translation>
    </message>
    <message>
        <source>In Ordner</source>
        <translation>In Folder</translation>
    </message>
    <message>
        <source>Größe</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Letzte Änderung</source>
        <translation>Last Change</translation>
    </message>
    <message>
        <source>Erstellung</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Aufnahme (Exif)</source>
        <translation>Captured (Exif)</translation>
    </message>
    <message>
        <source>versteckte Sortierspalte für pfad</source>
        <translation>hidden sort column for path</translation>
    </message>
    <message>
        <source>(versteckte Sortierspalte für nurnamen</source>
        <translation>(hidden sort column for name only</translation>
    </message>
    <message>
        <source>(versteckte Spalte für bytegrösse</source>
        <translation>(hidden column for size in bytes</translation>
    </message>
</context>
<context>
    <name>ImageSize</name>
    <message>
        <source>Kesto: Das Modul zum Lesen von Bildgrößen fehlt; [BREITE] und [HÖHE] bleiben leer.
</source>
        <translation>Kesto: The module that reads image sizes is missing; [BREITE] and [HÖHE] stay empty.
</translation>
    </message>
</context>
<context>
    <name>MaskMenu</name>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Keine gespeicherten Masken</source>
        <translation>No saved masks</translation>
    </message>
    <message>
        <source>&amp;Datumsformat einfügen</source>
        <translation>Insert &amp;date format</translation>
    </message>
    <message>
        <source>Datei&amp;angaben einfügen</source>
        <translation>Insert file &amp;facts</translation>
    </message>
    <message>
        <source>[TITEL]	Titel des Musikstücks</source>
        <translation>[TITEL]	Title of the track</translation>
    </message>
    <message>
        <source>[INTERPRET]	Interpret</source>
        <translation>[INTERPRET]	Artist</translation>
    </message>
    <message>
        <source>[ALBUM]	Album</source>
        <translation>[ALBUM]	Album</translation>
    </message>
    <message>
        <source>[TITELNR]	Titelnummer, zweistellig</source>
        <translation>[TITELNR]	Track number, two digits</translation>
    </message>
    <message>
        <source>[ERSCHEINUNGSJAHR]	Erscheinungsjahr</source>
        <translation>[ERSCHEINUNGSJAHR]	Year of release</translation>
    </message>
    <message>
        <source>[GENRE]	Genre</source>
        <translation>[GENRE]	Genre</translation>
    </message>
    <message>
        <source>[PRÜFSUMME]	SHA-256-Prüfsumme, 8 Ziffern</source>
        <translation>[PRÜFSUMME]	SHA-256 checksum, 8 digits</translation>
    </message>
    <message>
        <source>[PRÜFSUMME 16]	SHA-256-Prüfsumme, 16 Ziffern</source>
        <translation>[PRÜFSUMME 16]	SHA-256 checksum, 16 digits</translation>
    </message>
    <message>
        <source>[DAUER]	Dauer eines Films</source>
        <translation>[DAUER]	Length of a film</translation>
    </message>
    <message>
        <source>[HERSTELLER]	Hersteller der Kamera</source>
        <translation>[HERSTELLER]	Maker of the camera</translation>
    </message>
    <message>
        <source>[MODELL]	Modell der Kamera</source>
        <translation>[MODELL]	Model of the camera</translation>
    </message>
    <message>
        <source>[OBJEKTIV]	Objektiv</source>
        <translation>[OBJEKTIV]	Lens</translation>
    </message>
    <message>
        <source>[ISO]	ISO-Empfindlichkeit</source>
        <translation>[ISO]	ISO speed</translation>
    </message>
    <message>
        <source>[BLENDE]	Blende, etwa 2.8</source>
        <translation>[BLENDE]	Aperture, e.g. 2.8</translation>
    </message>
    <message>
        <source>[BELICHTUNG]	Belichtungszeit, etwa 1_250</source>
        <translation>[BELICHTUNG]	Exposure time, e.g. 1_250</translation>
    </message>
    <message>
        <source>[BRENNWEITE]	Brennweite in mm</source>
        <translation>[BRENNWEITE]	Focal length in mm</translation>
    </message>
    <message>
        <source>[BREITENGRAD]	Breitengrad des Aufnahmeorts</source>
        <translation>[BREITENGRAD]	Latitude of the place taken</translation>
    </message>
    <message>
        <source>[LÄNGENGRAD]	Längengrad des Aufnahmeorts</source>
        <translation>[LÄNGENGRAD]	Longitude of the place taken</translation>
    </message>
    <message>
        <source>[AUSRICHTUNG]	Ausrichtung des Fotos, 1 bis 8</source>
        <translation>[AUSRICHTUNG]	Orientation of the photo, 1 to 8</translation>
    </message>
    <message>
        <source>[LISTE]	Name aus der Namensliste</source>
        <translation>[LISTE]	name from the name list</translation>
    </message>
    <message>
        <source>[SPALTE 2]	Zelle der Spalte 2 aus der Tabelle</source>
        <translation>[SPALTE 2]	cell of column 2 of the table</translation>
    </message>
</context>
<context>
    <name>MaskMessages</name>
    <message>
        <source>Maske ist OK</source>
        <translation>Mask is OK</translation>
    </message>
    <message>
        <source>Fehler: </source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>Die Zahl ist zu groß</source>
        <translation>The number is too large</translation>
    </message>
    <message>
        <source>Die Maske ist falsch oder nicht vollständig aufgebaut</source>
        <translation>The mask is wrong or incomplete</translation>
    </message>
    <message>
        <source>Es wurde eine Zahl erwartet</source>
        <translation>A number was expected</translation>
    </message>
    <message>
        <source>Schließende Klammer fehlt</source>
        <translation>Closing bracket missing</translation>
    </message>
    <message>
        <source>Das Bereichsende ist kleiner als der Bereichsanfang</source>
        <translation>The end of the range is less than its start</translation>
    </message>
    <message>
        <source>Die Zeichen \ / : ? &quot; &lt; &gt; | sind in Dateinamen nicht erlaubt</source>
        <translation>The characters \ / : ? &quot; &lt; &gt; | are not allowed in file names</translation>
    </message>
    <message>
        <source>Null ist als Bereichsbeginn nicht zulässig</source>
        <translation>Zero is not allowed as the start of a range</translation>
    </message>
    <message>
        <source>Die Maske ist zu lang</source>
        <translation>The mask is too long</translation>
    </message>
    <message>
        <source>Vor oder nach einem Schrägstrich fehlt ein Name</source>
        <translation>A name is missing before or after a slash</translation>
    </message>
    <message>
        <source>Die Namen . und .. sind in der Maske nicht zulässig</source>
        <translation>The names . and .. are not allowed in the mask</translation>
    </message>
</context>
<context>
    <name>NamingMessages</name>
    <message>
        <source>Fehler: Satz %1: %2.</source>
        <translation>Error: set %1: %2.</translation>
    </message>
    <message>
        <source>Der reguläre Ausdruck ist an Stelle %1 fehlerhaft: %2</source>
        <translation>The regular expression is faulty at position %1: %2</translation>
    </message>
    <message>
        <source>Die Gruppe %1 im Ersatz gibt es im Ausdruck nicht</source>
        <translation>The group %1 in the replacement does not exist in the expression</translation>
    </message>
    <message>
        <source>Im Ersatz fehlt die schließende Klammer nach ${</source>
        <translation>The replacement lacks the closing brace after ${</translation>
    </message>
    <message>
        <source>Die Suche bei „%1“ überschreitet die Grenzen von PCRE2</source>
        <translation>The search in “%1” exceeds the limits of PCRE2</translation>
    </message>
    <message>
        <source>kein Wert für %1</source>
        <translation>no value for %1</translation>
    </message>
    <message>
        <source>Fehler: Für [LISTE] wurde keine Namensliste geladen.</source>
        <translation>Error: No name list was loaded for [LISTE].</translation>
    </message>
    <message>
        <source>Fehler: Die Liste hat %1 Namen, markiert ist 1 Datei.</source>
        <translation>Error: Names in the list: %1, files checked: 1.</translation>
    </message>
    <message>
        <source>Fehler: Die Liste hat %1 Namen, markiert sind %2 Dateien.</source>
        <translation>Error: Names in the list: %1, files checked: %2.</translation>
    </message>
    <message>
        <source>Fehler: Für [SPALTE n] wurde keine Tabelle geladen.</source>
        <translation>Error: No table was loaded for [SPALTE n].</translation>
    </message>
    <message>
        <source>Fehler: 1 markierte Datei steht nicht in der Tabelle.</source>
        <translation>Error: 1 checked file is not in the table.</translation>
    </message>
    <message>
        <source>Fehler: %1 markierte Dateien stehen nicht in der Tabelle.</source>
        <translation>Error: %1 checked files are not in the table.</translation>
    </message>
    <message>
        <source>nicht in der Tabelle</source>
        <translation>not in the table</translation>
    </message>
    <message>
        <source>, 1 Name in der Liste</source>
        <translation>, 1 name in the list</translation>
    </message>
    <message>
        <source>, %1 Namen in der Liste</source>
        <translation>, %1 names in the list</translation>
    </message>
    <message>
        <source>, 1 Zeile in der Tabelle</source>
        <translation>, 1 line in the table</translation>
    </message>
    <message>
        <source>, %1 Zeilen in der Tabelle</source>
        <translation>, %1 lines in the table</translation>
    </message>
    <message>
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>… und %1 weitere</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>Diese Zeilen der Tabelle gehören zu keiner Datei der Liste:</source>
        <translation>These lines of the table belong to no file of the list:</translation>
    </message>
</context>
<context>
    <name>PlanMessages</name>
    <message>
        <source>Datei hat sich seit dem Plan geändert</source>
        <translation>file has changed since the plan</translation>
    </message>
    <message>
        <source>Datei ist nicht mehr vorhanden</source>
        <translation>file is gone</translation>
    </message>
    <message>
        <source>nicht versucht, die Prüfung hat Fehler gefunden</source>
        <translation>not tried, the test found faults</translation>
    </message>
    <message>
        <source>nicht versucht, die Umbenennung wurde nicht bestätigt</source>
        <translation>not tried, the renaming was not confirmed</translation>
    </message>
    <message>
        <source>die Prüfsumme stimmt nicht</source>
        <translation>the checksum is wrong</translation>
    </message>
    <message>
        <source>kein Plan von Kesto</source>
        <translation>not a plan of Kesto</translation>
    </message>
    <message>
        <source>unbekannte Version</source>
        <translation>unknown version</translation>
    </message>
    <message>
        <source>größer als 256 MiB</source>
        <translation>larger than 256 MiB</translation>
    </message>
    <message>
        <source>Eintrag %1 ist fehlerhaft</source>
        <translation>entry %1 is faulty</translation>
    </message>
    <message>
        <source>Eintrag %1 nennt eine Datei zum zweiten Mal</source>
        <translation>entry %1 names a file a second time</translation>
    </message>
</context>
<context>
    <name>ProgressMeter</name>
    <message>
        <source>%1 von 1 Datei</source>
        <translation>%1 of 1 file</translation>
    </message>
    <message>
        <source>%1 von %2 Dateien</source>
        <translation>%1 of %2 files</translation>
    </message>
    <message>
        <source>, %1 Dateien/s, noch %2</source>
        <translation>, %1 files/s, %2 left</translation>
    </message>
</context>
<context>
    <name>RenameMessages</name>
    <message>
        <source>Überprüfung der vorgesehenen Namen ... </source>
        <translation>Checking the intended names ... </translation>
    </message>
    <message>
        <source>Fehler: Die neuen Dateinamen sind nicht alle eindeutig - überprüfen Sie die Maske!</source>
        <translation>Error: The new file names are not all unique - check the mask!</translation>
    </message>
    <message>
        <source>Fehler: Einige neue Namen überschneiden sich mit denen existierender Dateien!</source>
        <translation>Error: Some new names are those of existing files!</translation>
    </message>
    <message>
        <source>Fehler: Es gibt Namen, die nur aus Leerzeichen oder gar keinen Zeichen bestehen!</source>
        <translation>Error: There are names made of blanks only or of no characters at all!</translation>
    </message>
    <message>
        <source>Fehler: Der Zähler liegt außerhalb des zulässigen Bereichs.</source>
        <translation>Error: The counter is out of the allowed range.</translation>
    </message>
    <message>
        <source>Zum Umbenennen der Dateien klicken Sie jetzt die Schaltfläche &apos;%1&apos;.</source>
        <translation>To rename the files, now click the button &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>&amp;Umbenennen</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>%1 von %2 Dateien markiert</source>
        <translation>%1 of %2 files checked</translation>
    </message>
    <message>
        <source>Die Dateiliste wird aufgefüllt ...</source>
        <translation>Filling the file list ...</translation>
    </message>
    <message>
        <source>Sollen aus dem Ordner „%1“ nur die Dateien darin in die Liste aufgenommen werden oder auch die aller Unterordner?</source>
        <translation>Should only the files in the folder “%1” go into the list, or those of all subfolders too?</translation>
    </message>
    <message>
        <source>Sollen aus den %1 Ordnern nur die Dateien darin in die Liste aufgenommen werden oder auch die aller Unterordner?</source>
        <translation>Should only the files in the %1 folders go into the list, or those of all subfolders too?</translation>
    </message>
    <message>
        <source>nicht vorhanden</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>ein Ordner</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>keine gewöhnliche Datei</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>nicht lesbar</source>
        <translation>not readable</translation>
    </message>
    <message>
        <source>Pfad zu lang</source>
        <translation>path too long</translation>
    </message>
    <message>
        <source>… und %1 weitere</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>Folgende Pfade wurden nicht in die Liste aufgenommen:</source>
        <translation>These paths were not taken into the list:</translation>
    </message>
    <message>
        <source>Umbenennung läuft ...</source>
        <translation>Renaming ...</translation>
    </message>
    <message>
        <source>Umbenennung abgeschlossen.</source>
        <translation>Renaming done.</translation>
    </message>
    <message>
        <source>Umbenennung beendet: %1 von %2 Dateien umbenannt, %3 nicht.</source>
        <translation>Renaming ended: %1 of %2 files renamed, %3 not.</translation>
    </message>
    <message>
        <source>WARNUNG: In Ihrer Umbenennungmaske wurde der Platzhalter .[TYP] NICHT verwendet!\n\nBitte beachten Sie, dass dadurch der Dateityp aus dem Namen Ihrer Dateien entfernt wird und diese sich anschließend ggf. nicht mehr wie gewohnt öffnen lassen.\n\nFalls Sie den Platzhalter [TYP] nicht absichtlich ausgelassen haben, so sollten Sie jetzt anschließend &apos;Nein&apos; klicken und Ihre Umbenennungmaske zunächst um .[TYP] ergänzen (Bitte beachten Sie den Dezimalpunkt VOR [TYP])\n\nMöchten Sie die Umbenennung nun wirklich ohne .[TYP] vornehmen?</source>
        <translation>WARNING: Your rename mask does NOT use the placeholder .[TYP]!\n\nPlease note that this removes the file type from the names of your files, which then may no longer open as they used to.\n\nIf you did not leave out the placeholder [TYP] on purpose, click &apos;No&apos; now and first add .[TYP] to your rename mask (please mind the dot BEFORE [TYP])\n\nDo you really want to rename without .[TYP]?</translation>
    </message>
    <message>
        <source>Keine Berechtigung.</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>Das Laufwerk ist schreibgeschützt.</source>
        <translation>The drive is read-only.</translation>
    </message>
    <message>
        <source>Der Empfänger der Ausgabe ist beendet.</source>
        <translation>The receiver of the output has ended.</translation>
    </message>
    <message>
        <source>Auf dem Laufwerk ist kein Platz mehr.</source>
        <translation>The drive is full.</translation>
    </message>
    <message>
        <source>Das Kontingent auf dem Laufwerk ist erschöpft.</source>
        <translation>The quota on the drive is used up.</translation>
    </message>
    <message>
        <source>Ein-/Ausgabefehler des Laufwerks.</source>
        <translation>Input/output error of the drive.</translation>
    </message>
    <message>
        <source>Die Datei ist in Gebrauch.</source>
        <translation>The file is in use.</translation>
    </message>
    <message>
        <source>Ein Teil des Pfads ist kein Ordner.</source>
        <translation>A part of the path is not a folder.</translation>
    </message>
    <message>
        <source>Das Ziel ist ein Ordner.</source>
        <translation>The target is a folder.</translation>
    </message>
    <message>
        <source>Zu viele symbolische Verknüpfungen im Pfad.</source>
        <translation>Too many symbolic links in the path.</translation>
    </message>
    <message>
        <source>Das Ziel liegt auf einem anderen Laufwerk.</source>
        <translation>The target is on another drive.</translation>
    </message>
    <message>
        <source>Es sind zu viele Dateien geöffnet.</source>
        <translation>Too many files are open.</translation>
    </message>
    <message>
        <source>Der Speicher reicht nicht aus.</source>
        <translation>Out of memory.</translation>
    </message>
    <message>
        <source>Die Datei ist zu groß.</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>Das Laufwerk kann das nicht.</source>
        <translation>The drive cannot do that.</translation>
    </message>
    <message>
        <source>Systemfehler %1.</source>
        <translation>System error %1.</translation>
    </message>
    <message>
        <source>Eine Datei dieses Namens existiert bereits.</source>
        <translation>A file of this name exists already.</translation>
    </message>
    <message>
        <source>Der Ordner oder die Datei existiert nicht mehr.</source>
        <translation>The folder or the file no longer exists.</translation>
    </message>
    <message>
        <source>Der Name ist zu lang.</source>
        <translation>The name is too long.</translation>
    </message>
    <message>
        <source>Der neue Name ist als Dateiname nicht möglich.</source>
        <translation>The new name is not possible as a file name.</translation>
    </message>
    <message>
        <source>Folgende Datei ließ sich nicht umbenennen:</source>
        <translation>This file could not be renamed:</translation>
    </message>
    <message>
        <source>Klicken Sie &apos;OK&apos;, um fortzusetzen oder &apos;Abbrechen&apos; um die Aktion zu beenden.</source>
        <translation>Click &apos;OK&apos; to go on or &apos;Cancel&apos; to end the action.</translation>
    </message>
    <message>
        <source>Die Liste der alten und neuen Namen wird in die Zwischenablage kopiert ...</source>
        <translation>Copying the list of old and new names to the clipboard ...</translation>
    </message>
    <message>
        <source>Fertig! Die Liste der alten und neuen Namen wurde in die Zwischenablage kopiert.</source>
        <translation>Done! The list of old and new names was copied to the clipboard.</translation>
    </message>
    <message>
        <source>Fehler: Einige neue Namen sind zu lang für ihren Ordner!</source>
        <translation>Error: Some new names are too long for their folder!</translation>
    </message>
    <message>
        <source>Fehler: Einige neue Namen enthalten Zeichen, die auf ihrem Laufwerk nicht erlaubt sind!</source>
        <translation>Error: Some new names hold characters their drive does not allow!</translation>
    </message>
    <message>
        <source>Fehler: Einige Ordner lassen sich nicht lesen, ihre neuen Namen sind nicht prüfbar!</source>
        <translation>Error: Some folders cannot be read, their new names cannot be tested!</translation>
    </message>
    <message>
        <source>Fehler: Einige Ordner sind nicht beschreibbar, ihre Dateien lassen sich nicht umbenennen!</source>
        <translation>Error: Some folders are not writable, their files cannot be renamed!</translation>
    </message>
    <message>
        <source>Name doppelt vergeben</source>
        <translation>Name given twice</translation>
    </message>
    <message>
        <source>Datei existiert bereits</source>
        <translation>File exists already</translation>
    </message>
    <message>
        <source>Name ist leer</source>
        <translation>Name is empty</translation>
    </message>
    <message>
        <source>Name zu lang (%1 Bytes, erlaubt %2)</source>
        <translation>Name too long (%1 bytes, %2 allowed)</translation>
    </message>
    <message>
        <source>Zeichen %1 ist auf diesem Laufwerk nicht erlaubt</source>
        <translation>Character %1 is not allowed on this drive</translation>
    </message>
    <message>
        <source>kein gültiger Dateiname</source>
        <translation>not a valid file name</translation>
    </message>
    <message>
        <source>Ordner nicht lesbar</source>
        <translation>Folder not readable</translation>
    </message>
    <message>
        <source>Ordner nicht beschreibbar</source>
        <translation>Folder not writable</translation>
    </message>
    <message>
        <source>wird in der Reihe umbenannt</source>
        <translation>is renamed in the chain</translation>
    </message>
    <message>
        <source>Keine fehlerhaften Namen gefunden.</source>
        <translation>No faulty names found.</translation>
    </message>
    <message>
        <source>1 Datei</source>
        <translation>1 file</translation>
    </message>
    <message>
        <source>%1 Dateien</source>
        <translation>%1 files</translation>
    </message>
    <message>
        <source>Macht die Umbenennung vom %1 rückgängig (%2)</source>
        <translation>Undoes the rename of %1 (%2)</translation>
    </message>
    <message>
        <source>vom %1 in %2</source>
        <translation>of %1 in %2</translation>
    </message>
    <message>
        <source> und 1 weiteren Ordner</source>
        <translation> and 1 more folder</translation>
    </message>
    <message>
        <source> und %1 weiteren Ordnern</source>
        <translation> and %1 more folders</translation>
    </message>
    <message>
        <source>Umbenennung %1 (%2) rückgängig machen?</source>
        <translation>Undo the rename %1 (%2)?</translation>
    </message>
    <message>
        <source>Rückgängig gemacht: 1 Datei hat ihren alten Namen zurück.</source>
        <translation>Undone: 1 file has its old name back.</translation>
    </message>
    <message>
        <source>Rückgängig gemacht: %1 Dateien haben ihre alten Namen zurück.</source>
        <translation>Undone: %1 files have their old names back.</translation>
    </message>
    <message>
        <source>Nur teilweise rückgängig gemacht: %1 zurück, %2 nicht.</source>
        <translation>Only partly undone: %1 back, %2 not.</translation>
    </message>
    <message>
        <source>1 Datei hat ihren alten Namen</source>
        <translation>1 file has its old name</translation>
    </message>
    <message>
        <source>%1 Dateien haben ihre alten Namen</source>
        <translation>%1 files have their old names</translation>
    </message>
    <message>
        <source>die Datei wurde seither verschoben, gelöscht oder ersetzt</source>
        <translation>the file has been moved, deleted or replaced since</translation>
    </message>
    <message>
        <source>eine andere Datei gleicht ihr in Länge, Zeit und Inhalt; welche die umbenannte ist, lässt sich nicht sagen</source>
        <translation>another file matches it in length, time and content; which one was renamed cannot be told</translation>
    </message>
    <message>
        <source>der alte Name ist wieder vergeben</source>
        <translation>the old name is taken again</translation>
    </message>
    <message>
        <source>Folgende Dateien ließen sich nicht zurückbenennen und bleiben, wo sie sind:</source>
        <translation>These files could not be renamed back and stay where they are:</translation>
    </message>
    <message>
        <source> (verborgen; kein Name daneben war frei)</source>
        <translation> (hidden; no name beside it was free)</translation>
    </message>
    <message>
        <source>Folgende Dateien bekamen weder ihren neuen Namen noch ihren alten zurück, der inzwischen vergeben ist, und heißen jetzt:</source>
        <translation>These files got neither their new name nor their old one back, which has been taken meanwhile, and are now called:</translation>
    </message>
    <message>
        <source>nicht mehr versucht, die Umbenennung wurde abgebrochen</source>
        <translation>not tried, the renaming was cancelled</translation>
    </message>
    <message>
        <source>%1 von %2 Dateien wurde umbenannt.</source>
        <translation>%1 of %2 files was renamed.</translation>
    </message>
    <message>
        <source>%1 von %2 Dateien wurden umbenannt.</source>
        <translation>%1 of %2 files were renamed.</translation>
    </message>
    <message>
        <source>Folgende Dateien ließen sich nicht umbenennen und behalten ihren alten Namen:</source>
        <translation>These files could not be renamed and keep their old name:</translation>
    </message>
    <message>
        <source>Das Protokoll der letzten Umbenennung ist beschädigt; sie lässt sich nicht rückgängig machen</source>
        <translation>The journal of the last rename is damaged; it cannot be undone</translation>
    </message>
    <message>
        <source>Das Protokoll der letzten Umbenennung ist beschädigt oder stammt nicht von Kesto. Es wird nicht befolgt; keine Datei wurde zurückbenannt.</source>
        <translation>The journal of the last rename is damaged or does not come from Kesto. It is not followed; no file was renamed back.</translation>
    </message>
    <message>
        <source>Die Umbenennung vom %1 lief ohne Protokoll und lässt sich nicht rückgängig machen</source>
        <translation>The rename of %1 ran without a journal and cannot be undone</translation>
    </message>
    <message>
        <source>. Ein weiteres Rückgängig nimmt die Umbenennung davor zurück.</source>
        <translation>. Another undo takes back the rename before it.</translation>
    </message>
    <message>
        <source>Das Protokoll dieser Umbenennung lässt sich nicht schreiben:</source>
        <translation>The journal of this rename cannot be written:</translation>
    </message>
    <message>
        <source>Ohne Möglichkeit zum Rückgängigmachen umbenennen?</source>
        <translation>Rename without a way to undo it?</translation>
    </message>
    <message>
        <source>Die letzte Umbenennung (%1, %2) wurde unterbrochen. Sollen die bereits umbenannten Dateien ihre alten Namen zurückbekommen?</source>
        <translation>The last rename (%1, %2) was interrupted. Should the files renamed so far get their old names back?</translation>
    </message>
    <message>
        <source>Begleitdatei von %1</source>
        <translation>Companion of %1</translation>
    </message>
    <message>
        <source>%1 von %2 markiert (%3, %4)</source>
        <translation>%1 of %2 checked (%3, %4)</translation>
    </message>
    <message>
        <source>1 Ordner</source>
        <translation>1 folder</translation>
    </message>
    <message>
        <source>%1 Ordner</source>
        <translation>%1 folders</translation>
    </message>
    <message>
        <source>Umbenennung abgeschlossen, %1 Ordner angelegt.</source>
        <translation>Renaming finished, %1 folders made.</translation>
    </message>
    <message>
        <source>Fehler: Einige neue Ordner liegen auf einem anderen Laufwerk, dorthin wird nicht verschoben!</source>
        <translation>Error: Some new folders are on another drive; nothing is moved there!</translation>
    </message>
    <message>
        <source>Fehler: Einige neue Ordner tragen den Namen einer Datei, sie lassen sich nicht anlegen!</source>
        <translation>Error: Some new folders have the name of a file; they cannot be made!</translation>
    </message>
    <message>
        <source>anderes Laufwerk</source>
        <translation>another drive</translation>
    </message>
    <message>
        <source>Datei und neuer Ordner gleichen Namens</source>
        <translation>a file and a new folder of the same name</translation>
    </message>
    <message>
        <source>, %1 Ordner angelegt</source>
        <translation>, %1 folders made</translation>
    </message>
    <message>
        <source>Folgende Ordner, die die Umbenennung angelegt hatte, sind nicht leer und bleiben, wo sie sind:</source>
        <translation>These folders, which the renaming made, are not empty and stay where they are:</translation>
    </message>
</context>
<context>
    <name>StorageMessages</name>
    <message>
        <source>Bitte geben Sie einen möglichst bezeichnenden Namen für die zu speichernde Maske ein:</source>
        <translation>Please enter a telling name for the mask to save:</translation>
    </message>
    <message>
        <source>Kesto - Aktuelle Maske speichern</source>
        <translation>Kesto - Save Current Mask</translation>
    </message>
    <message>
        <source>Eine Maske mit dem Namen &apos;%1&apos; existiert bereits.<byte value="xd"/>
Möchten Sie diese Maske überschreiben?</source>
        <translation>A mask named &apos;%1&apos; exists already.<byte value="xd"/>
Do you want to overwrite this mask?</translation>
    </message>
    <message>
        <source>Wollen Sie die Maske &apos;%1&apos; wirklich löschen?</source>
        <translation>Do you really want to delete the mask &apos;%1&apos;?</translation>
    </message>
    <message>
        <source>Kesto - Maske löschen</source>
        <translation>Kesto - Delete Mask</translation>
    </message>
    <message>
        <source>Bitte geben Sie an, wie die ausgewählte Taste belegt werden soll (Um die Belegung zu löschen geben Sie einfach nur ein Leerzeichen ein).</source>
        <translation>Please enter what the chosen key is to insert (to clear the key, just enter a single blank).</translation>
    </message>
    <message>
        <source>Kesto - Tastenbelegung ändern</source>
        <translation>Kesto - Change Key</translation>
    </message>
    <message>
        <source>Fügt den Text &apos;%1&apos; in die aktuelle Maske ein.</source>
        <translation>Inserts the text &apos;%1&apos; into the current mask.</translation>
    </message>
    <message>
        <source>Undefinierte Taste: Klicken Sie die Taste mit dem rechten Mausbutton, um sie zu definieren.</source>
        <translation>Undefined key: click the key with the right mouse button to define it.</translation>
    </message>
    <message>
        <source>Kesto: Der Datenordner &quot;%1&quot; kann nicht angelegt werden; Masken, Tastenbelegung und Protokoll werden nicht gespeichert.</source>
        <translation>Kesto: The data folder &quot;%1&quot; cannot be created; masks, keys and log are not saved.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gespeichert werden (%2). Die bisherige Fassung der Datei bleibt unverändert erhalten. Weitere Fehler beim Speichern werden bis zum Programmende nicht gemeldet.</source>
        <translation>The file &quot;%1&quot; cannot be saved (%2). The previous version of the file is kept unchanged. Further errors while saving are not reported until the program ends.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht angelegt werden (%2). Weitere Fehler beim Speichern werden bis zum Programmende nicht gemeldet.</source>
        <translation>The file &quot;%1&quot; cannot be created (%2). Further errors while saving are not reported until the program ends.</translation>
    </message>
    <message>
        <source>Kesto - Datei speichern</source>
        <translation>Kesto - Save File</translation>
    </message>
</context>
<context>
    <name>Tooltips</name>
    <message>
        <source>Namen der umzubenennenden Dateien in diese Liste ziehen</source>
        <translation>Drag the names of the files to rename into this list</translation>
    </message>
    <message>
        <source>Legt Groß- und/oder Kleinschreibung der neuen Namen fest</source>
        <translation>Sets upper and/or lower case of the new names</translation>
    </message>
    <message>
        <source>Löscht alle Dateinamen in der obenstehenden Liste</source>
        <translation>Removes all file names from the list above</translation>
    </message>
    <message>
        <source>Markiert alle Dateien in der Liste als ausgewählt</source>
        <translation>Checks all files in the list</translation>
    </message>
    <message>
        <source>Löscht alle Dateimarkierungen</source>
        <translation>Unchecks all files</translation>
    </message>
    <message>
        <source>Kehrt die aktuelle Dateiauswahl um</source>
        <translation>Inverts the current file selection</translation>
    </message>
    <message>
        <source>Kopiert eine Liste der Namen in den Spalten &apos;Alter Name&apos; und &apos;Neuer Name&apos; in die Zwischenablage.</source>
        <translation>Copies a list of the names in the columns &apos;Old Name&apos; and &apos;New Name&apos; to the clipboard.</translation>
    </message>
    <message>
        <source>Fügt der Liste Dateien hinzu, die Sie in einem Dialog auswählen (Strg+O)</source>
        <translation>Adds files you choose in a dialog to the list (Ctrl+O)</translation>
    </message>
    <message>
        <source>Fügt der Liste alle Dateien eines Ordners hinzu, ohne seine Unterordner</source>
        <translation>Adds all files of a folder to the list, without its subfolders</translation>
    </message>
    <message>
        <source>Startet die Umbenennung aller markierten Dateien in der Liste</source>
        <translation>Starts renaming all checked files in the list</translation>
    </message>
    <message>
        <source>Wählt die nächste Datei aus, deren neuer Name nicht geht (F8)</source>
        <translation>Selects the next file whose new name does not work (F8)</translation>
    </message>
    <message>
        <source>Beendet das Programm</source>
        <translation>Ends the program</translation>
    </message>
    <message>
        <source>Zeigt Zusatzinfos über dieses Programm an</source>
        <translation>Shows more about this program</translation>
    </message>
    <message>
        <source>Öffnet die Online-Hilfe zu diesem Programm</source>
        <translation>Opens the help of this program</translation>
    </message>
    <message>
        <source>Setzt die Maske auf die Standardeinstellung zurück</source>
        <translation>Resets the mask to its default</translation>
    </message>
    <message>
        <source>Bewegt alle markierten Einträge um eine Position nach oben</source>
        <translation>Moves all highlighted entries up by one</translation>
    </message>
    <message>
        <source>Bewegt alle markierten Einträge um eine Position nach unten</source>
        <translation>Moves all highlighted entries down by one</translation>
    </message>
    <message>
        <source>Sichert die aktuelle Maske unter einem frei wählbaren Namen</source>
        <translation>Saves the current mask under a name of your choice</translation>
    </message>
    <message>
        <source>Blendet ein Menü zur Auswahl gespeicherter Masken ein</source>
        <translation>Shows a menu to choose a saved mask</translation>
    </message>
    <message>
        <source>Blendet ein Menü zum Löschen gespeicherter Masken ein</source>
        <translation>Shows a menu to delete saved masks</translation>
    </message>
    <message>
        <source>Zeigt den aktuellen Verarbeitungsstand an</source>
        <translation>Shows how far the work has got</translation>
    </message>
    <message>
        <source>Tragen Sie hier den Startwert für den Dateizähler ein</source>
        <translation>Enter the start value of the file counter here</translation>
    </message>
    <message>
        <source>Tragen Sie hier die Schrittweite für den Dateizähler ein</source>
        <translation>Enter the step of the file counter here</translation>
    </message>
    <message>
        <source>Tragen Sie hier die Anzahl der Stellen des Dateizählers ein (wichtig für Vornullen etc.)</source>
        <translation>Enter the number of digits of the file counter here (matters for leading zeros etc.)</translation>
    </message>
    <message>
        <source>Hier legen Sie das für Vornullen zu verwendende Zeichen fest</source>
        <translation>Sets the character used for leading zeros</translation>
    </message>
    <message>
        <source>Anzahl der Dateien in der Liste</source>
        <translation>Number of files in the list</translation>
    </message>
    <message>
        <source>Programmstatus und Hinweise für den Anwender</source>
        <translation>Program status and hints for the user</translation>
    </message>
    <message>
        <source>Schaltet die Tooltips ein oder aus</source>
        <translation>Switches the tooltips on or off</translation>
    </message>
    <message>
        <source>Verhindert, dass Kesto von anderen Fenstern verdeckt wird.</source>
        <translation>Keeps Kesto from being covered by other windows.</translation>
    </message>
    <message>
        <source>Tragen Sie hier den Text ein, den Sie durch den Text im Feld &apos;durch&apos; ersetzen lassen wollen.</source>
        <translation>Enter the text here that is to be replaced by the text in the field &apos;with&apos;.</translation>
    </message>
    <message>
        <source>Tragen Sie hier den Text ein, der anstatt des Textes im Feld &apos;Ersetze&apos; eingetragen werden soll.</source>
        <translation>Enter the text here that is to go in place of the text in the field &apos;Replace&apos;.</translation>
    </message>
</context>
<context>
    <name>WindowTexts</name>
    <message>
        <source>Liste l&amp;öschen</source>
        <translation>Clear &amp;list</translation>
    </message>
    <message>
        <source>&amp;Alle auswählen</source>
        <translation>Select &amp;all</translation>
    </message>
    <message>
        <source>&amp;Keine Auswahl</source>
        <translation>Select &amp;none</translation>
    </message>
    <message>
        <source>Auswahl &amp;umkehren</source>
        <translation>In&amp;vert selection</translation>
    </message>
    <message>
        <source>&amp;Datenverz. öffnen</source>
        <translation>Open &amp;data folder</translation>
    </message>
    <message>
        <source>&amp;Umbenennen</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>&amp;Ende</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Rückgängig</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Nächster &amp;Fehler</source>
        <translation>Next &amp;error</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Kopie</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Da&amp;teien hinzufügen…</source>
        <translation>Add &amp;files…</translation>
    </message>
    <message>
        <source>&amp;Ordner hinzufügen…</source>
        <translation>Add f&amp;older…</translation>
    </message>
    <message>
        <source>Markierte Einträge nach unten verschieben</source>
        <translation>Move highlighted entries down</translation>
    </message>
    <message>
        <source>Markierte Einträge nach oben verschieben</source>
        <translation>Move highlighted entries up</translation>
    </message>
    <message>
        <source>Maske speichern</source>
        <translation>Save mask</translation>
    </message>
    <message>
        <source>Gespeicherte Maske laden</source>
        <translation>Load saved mask</translation>
    </message>
    <message>
        <source>Gespeicherte Maske löschen</source>
        <translation>Delete saved mask</translation>
    </message>
    <message>
        <source>Maske zurücksetzen</source>
        <translation>Reset mask</translation>
    </message>
    <message>
        <source>Alle überspringen</source>
        <translation>Skip all</translation>
    </message>
    <message>
        <source>Nur die Dateien im Ordner</source>
        <translation>Only the files in the folder</translation>
    </message>
    <message>
        <source>Mit allen Unterordnern</source>
        <translation>With all subfolders</translation>
    </message>
    <message>
        <source>Auch versteckte Dateien</source>
        <translation>Hidden files too</translation>
    </message>
    <message>
        <source>Dateien hinzufügen</source>
        <translation>Add Files</translation>
    </message>
    <message>
        <source>Ordner hinzufügen</source>
        <translation>Add Folder</translation>
    </message>
    <message>
        <source>Aus der Liste &amp;entfernen</source>
        <translation>&amp;Remove from the list</translation>
    </message>
    <message>
        <source>&amp;Auswählen</source>
        <translation>&amp;Check</translation>
    </message>
    <message>
        <source>Auswahl auf&amp;heben</source>
        <translation>Unc&amp;heck</translation>
    </message>
    <message>
        <source>Ordner der Datei ö&amp;ffnen</source>
        <translation>Open the file&apos;s &amp;folder</translation>
    </message>
    <message>
        <source>Kandidaten zum Umbenennen</source>
        <translation>Files to rename</translation>
    </message>
    <message>
        <source>Steuerung</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>Maske</source>
        <translation>Mask</translation>
    </message>
    <message>
        <source>Zähler</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>Suchen und Ersetzen</source>
        <translation>Search and Replace</translation>
    </message>
    <message>
        <source>Schreibweise</source>
        <translation>Letter Case</translation>
    </message>
    <message>
        <source>Optionen</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Start bei</source>
        <translation>Start at</translation>
    </message>
    <message>
        <source>Schrittweite</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Länge</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Vornullen</source>
        <translation>Padding</translation>
    </message>
    <message>
        <source>In &amp;jedem Ordner neu beginnen</source>
        <translation>&amp;Start again in each folder</translation>
    </message>
    <message>
        <source>Aktiv:</source>
        <translation>Active:</translation>
    </message>
    <message>
        <source>Ersetze</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>durch</source>
        <translation>with</translation>
    </message>
    <message>
        <source>Im neuen statt dem alten Namen suchen</source>
        <translation>Search the new name, not the old</translation>
    </message>
    <message>
        <source>Re&amp;gulärer Ausdruck</source>
        <translation>Re&amp;gular expression</translation>
    </message>
    <message>
        <source>Groß/klein &amp;beachten</source>
        <translation>&amp;Match case</translation>
    </message>
    <message>
        <source>Satz %1: %2</source>
        <translation>Set %1: %2</translation>
    </message>
    <message>
        <source>Schreibweise des neuen Namens:</source>
        <translation>Letter case of the new name:</translation>
    </message>
    <message>
        <source>Zufallszeichenkette mit folgenden Elementen aufbauen:</source>
        <translation>Build random strings from these elements:</translation>
    </message>
    <message>
        <source>Großbuchstaben</source>
        <translation>Capital letters</translation>
    </message>
    <message>
        <source>Kleinbuchstaben</source>
        <translation>Small letters</translation>
    </message>
    <message>
        <source>Zahlen</source>
        <translation>Digits</translation>
    </message>
    <message>
        <source>Nebenstehende Sonderzeichen:</source>
        <translation>These special characters:</translation>
    </message>
    <message>
        <source>Sonderzeichen</source>
        <translation>Special characters</translation>
    </message>
    <message>
        <source>U&amp;mlaute und Akzente umschreiben</source>
        <translation>&amp;Transliterate umlauts and accents</translation>
    </message>
    <message>
        <source>ToolTips zeigen</source>
        <translation>Show tooltips</translation>
    </message>
    <message>
        <source>Fenster immer sichtbar</source>
        <translation>Window always on top</translation>
    </message>
    <message>
        <source>Listenschriftgöße:</source>
        <translation>List font size:</translation>
    </message>
    <message>
        <source>Platzhaltertasten</source>
        <translation>Placeholder keys</translation>
    </message>
    <message>
        <source>Fortschritt</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Optionsseiten</source>
        <translation>Option pages</translation>
    </message>
    <message>
        <source>Statusleiste</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>&lt; Maskenfehler &gt;</source>
        <translation>&lt; Mask error &gt;</translation>
    </message>
    <message>
        <source>&lt; Suchfehler &gt;</source>
        <translation>&lt; Search error &gt;</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Dateianzahl</source>
        <translation>File count</translation>
    </message>
    <message>
        <source>Meldung</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Info über Kesto</source>
        <translation>About Kesto</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Kesto %1&lt;/h3&gt;&lt;p&gt;Stapelumbenennung von Dateien.&lt;/p&gt;&lt;p&gt;Ziehen Sie Dateien in die Liste, beschreiben Sie den neuen Namen mit einer Maske aus Text und Platzhaltern wie [name], [zahl] oder [datum], prüfen Sie die Vorschau und benennen Sie alle markierten Dateien mit einem Klick um.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Kesto %1&lt;/h3&gt;&lt;p&gt;Batch renaming of files.&lt;/p&gt;&lt;p&gt;Drag files into the list, describe the new name with a mask of text and placeholders such as [name], [zahl] (number) or [datum] (date), check the preview and rename all checked files with one click.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Kesto - Hilfe</source>
        <translation>Kesto - Help</translation>
    </message>
    <message>
        <source>Begleitdateien mit&amp;nehmen</source>
        <translation>Take compa&amp;nion files along</translation>
    </message>
    <message>
        <source>Ordner selbst umbenennen</source>
        <translation>Rename the folder itself</translation>
    </message>
    <message>
        <source>&amp;Namen aus Liste…</source>
        <translation>&amp;Names from list…</translation>
    </message>
    <message>
        <source>Namen aus der &amp;Zwischenablage</source>
        <translation>Names from the &amp;clipboard</translation>
    </message>
    <message>
        <source>Ta&amp;belle laden…</source>
        <translation>Load &amp;table…</translation>
    </message>
    <message>
        <source>Namen aus Liste</source>
        <translation>Names from list</translation>
    </message>
    <message>
        <source>Tabelle laden</source>
        <translation>Load table</translation>
    </message>
    <message>
        <source>Die Datei „%1“ ließ sich nicht lesen: %2</source>
        <translation>The file “%1” could not be read: %2</translation>
    </message>
    <message>
        <source>Doppelte Namen durch&amp;nummerieren</source>
        <translation>&amp;Number duplicate names</translation>
    </message>
</context>
<context>
    <name>kesto::HelpWindow</name>
    <message>
        <source>&lt;h2&gt;Kesto &amp;ndash; Dateien stapelweise umbenennen&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Kesto &amp;ndash; rename files in batches&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h4&gt;Datumsformate&lt;/h4&gt;&lt;p&gt;Hinter einem Leerzeichen nehmen &lt;code&gt;[DATUM]&lt;/code&gt;, &lt;code&gt;[ERSTELLDATUM]&lt;/code&gt; und &lt;code&gt;[AUFNAHMEDATUM]&lt;/code&gt; ein Format an. Es besteht aus den Formatbuchstaben von Qt, bei denen Groß- und Kleinschreibung zählt: &lt;code&gt;d&lt;/code&gt; und &lt;code&gt;dd&lt;/code&gt; der Tag, &lt;code&gt;ddd&lt;/code&gt; und &lt;code&gt;dddd&lt;/code&gt; der Wochentag (Fr., Freitag), &lt;code&gt;M&lt;/code&gt; und &lt;code&gt;MM&lt;/code&gt; der Monat, &lt;code&gt;MMM&lt;/code&gt; und &lt;code&gt;MMMM&lt;/code&gt; sein Name (Mai), &lt;code&gt;yy&lt;/code&gt; und &lt;code&gt;yyyy&lt;/code&gt; das Jahr, &lt;code&gt;H&lt;/code&gt; und &lt;code&gt;HH&lt;/code&gt; die Stunde, &lt;code&gt;mm&lt;/code&gt; die Minute, &lt;code&gt;ss&lt;/code&gt; die Sekunde. Text in einfachen Anführungszeichen bleibt, wie er ist. Monats- und Tagesnamen sind deutsch. Beispiele für den 17.05.2024 um 14:30:05:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;code&gt;[DATUM yyyy-MM-dd]&lt;/code&gt; ergibt &lt;code&gt;2024-05-17&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[ERSTELLDATUM dd.MM.yy HH-mm]&lt;/code&gt; ergibt &lt;code&gt;17.05.24 14-30&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[AUFNAHMEDATUM yyyy MMMM, dddd]&lt;/code&gt; ergibt &lt;code&gt;2024 Mai, Freitag&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[DATUM dd. MMMM yyyy &apos;um&apos; H &apos;Uhr&apos;]&lt;/code&gt; ergibt &lt;code&gt;17. Mai 2024 um 14 Uhr&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Ein Format, das eines der verbotenen Zeichen (siehe unten, etwa &lt;code&gt;/&lt;/code&gt; oder &lt;code&gt;:&lt;/code&gt;) in den Namen brächte, ist ein Maskenfehler.&lt;/p&gt;</source>
        <translation>&lt;h4&gt;Date formats&lt;/h4&gt;&lt;p&gt;After a blank, &lt;code&gt;[DATUM]&lt;/code&gt;, &lt;code&gt;[ERSTELLDATUM]&lt;/code&gt; and &lt;code&gt;[AUFNAHMEDATUM]&lt;/code&gt; take a format. It is made of Qt&apos;s format letters, whose letter case counts: &lt;code&gt;d&lt;/code&gt; and &lt;code&gt;dd&lt;/code&gt; the day, &lt;code&gt;ddd&lt;/code&gt; and &lt;code&gt;dddd&lt;/code&gt; the weekday (Fr., Freitag), &lt;code&gt;M&lt;/code&gt; and &lt;code&gt;MM&lt;/code&gt; the month, &lt;code&gt;MMM&lt;/code&gt; and &lt;code&gt;MMMM&lt;/code&gt; its name (Mai), &lt;code&gt;yy&lt;/code&gt; and &lt;code&gt;yyyy&lt;/code&gt; the year, &lt;code&gt;H&lt;/code&gt; and &lt;code&gt;HH&lt;/code&gt; the hour, &lt;code&gt;mm&lt;/code&gt; the minute, &lt;code&gt;ss&lt;/code&gt; the second. Text in single quotes stays as it is. The names of months and weekdays are German. Examples for 17.05.2024 at 14:30:05:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;code&gt;[DATUM yyyy-MM-dd]&lt;/code&gt; gives &lt;code&gt;2024-05-17&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[ERSTELLDATUM dd.MM.yy HH-mm]&lt;/code&gt; gives &lt;code&gt;17.05.24 14-30&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[AUFNAHMEDATUM yyyy MMMM, dddd]&lt;/code&gt; gives &lt;code&gt;2024 Mai, Freitag&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[DATUM dd. MMMM yyyy &apos;um&apos; H &apos;Uhr&apos;]&lt;/code&gt; gives &lt;code&gt;17. Mai 2024 um 14 Uhr&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;A format that would bring one of the forbidden characters (see below, such as &lt;code&gt;/&lt;/code&gt; or &lt;code&gt;:&lt;/code&gt;) into the name is a mask error.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h4&gt;Teile des alten Namens&lt;/h4&gt;&lt;p&gt;Zahlen in eckigen Klammern schneiden Zeichen aus dem alten Namen ohne Dateityp (hier &lt;code&gt;IMG_4711&lt;/code&gt;); gezählt wird ab 1:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;code&gt;[5]&lt;/code&gt; &amp;ndash; das fünfte Zeichen: &lt;code&gt;4&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[1-3]&lt;/code&gt; &amp;ndash; die Zeichen 1 bis 3: &lt;code&gt;IMG&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[5-]&lt;/code&gt; &amp;ndash; ab Zeichen 5 bis zum Ende: &lt;code&gt;4711&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[2,3]&lt;/code&gt; &amp;ndash; ab Zeichen 2 drei Zeichen: &lt;code&gt;MG_&lt;/code&gt;&lt;/li&gt;&lt;li&gt;Ein &lt;code&gt;R&lt;/code&gt; zählt von rechts: &lt;code&gt;[R1]&lt;/code&gt; ergibt &lt;code&gt;1&lt;/code&gt;, &lt;code&gt;[R1-4]&lt;/code&gt; ergibt &lt;code&gt;4711&lt;/code&gt;, &lt;code&gt;[R2,3]&lt;/code&gt; ergibt &lt;code&gt;471&lt;/code&gt;.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Die Zahlen dürfen höchstens 260 sein, der Anfang darf nicht 0 sein und das Ende eines Bereichs nicht vor seinem Anfang liegen. Bereiche jenseits des Namensendes ergeben nichts.&lt;/p&gt;</source>
        <translation>&lt;h4&gt;Parts of the old name&lt;/h4&gt;&lt;p&gt;Numbers in square brackets cut characters out of the old name without the file type (here &lt;code&gt;IMG_4711&lt;/code&gt;), counted from 1:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;code&gt;[5]&lt;/code&gt; &amp;ndash; the fifth character: &lt;code&gt;4&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[1-3]&lt;/code&gt; &amp;ndash; characters 1 to 3: &lt;code&gt;IMG&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[5-]&lt;/code&gt; &amp;ndash; from character 5 to the end: &lt;code&gt;4711&lt;/code&gt;&lt;/li&gt;&lt;li&gt;&lt;code&gt;[2,3]&lt;/code&gt; &amp;ndash; three characters from character 2: &lt;code&gt;MG_&lt;/code&gt;&lt;/li&gt;&lt;li&gt;An &lt;code&gt;R&lt;/code&gt; counts from the right: &lt;code&gt;[R1]&lt;/code&gt; gives &lt;code&gt;1&lt;/code&gt;, &lt;code&gt;[R1-4]&lt;/code&gt; gives &lt;code&gt;4711&lt;/code&gt;, &lt;code&gt;[R2,3]&lt;/code&gt; gives &lt;code&gt;471&lt;/code&gt;.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;The numbers may be at most 260, the start may not be 0 and the end of a range may not lie before its start. Ranges beyond the end of the name give nothing.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Zähler&lt;/h3&gt;&lt;p&gt;&lt;code&gt;[ZAHL]&lt;/code&gt; zählt die Dateien in der Reihenfolge der Liste, markiert oder nicht. &lt;i&gt;Start bei&lt;/i&gt; ist der Wert der ersten Datei, &lt;i&gt;Schrittweite&lt;/i&gt; der Abstand zwischen zwei Dateien. &lt;i&gt;Länge&lt;/i&gt; ist die Mindestzahl der Stellen, &lt;i&gt;Vornullen&lt;/i&gt; das Zeichen, mit dem links aufgefüllt wird (keine, Null, Leerzeichen, Unterstrich). Mit Start 1, Schrittweite 1, Länge 3 und Vornullen &amp;bdquo;Null&amp;ldquo; heißen die Dateien &lt;code&gt;001&lt;/code&gt;, &lt;code&gt;002&lt;/code&gt;, &lt;code&gt;003&lt;/code&gt; &amp;hellip; Die Reihenfolge ändern Sie mit einem Klick auf eine Spaltenüberschrift (ein zweiter Klick kehrt sie um) oder mit den Pfeiltasten neben der Liste, die die hervorgehobenen Zeilen verschieben. Die Namen werden so sortiert, wie man es erwartet: Zahlen nach ihrem Wert (&lt;code&gt;IMG_2&lt;/code&gt; vor &lt;code&gt;IMG_10&lt;/code&gt;), &lt;code&gt;apfel&lt;/code&gt;, &lt;code&gt;Apfel&lt;/code&gt; und &lt;code&gt;Äpfel&lt;/code&gt; nebeneinander.&lt;/p&gt;&lt;p&gt;Mit &lt;i&gt;In jedem Ordner neu beginnen&lt;/i&gt; fängt der Zähler in jedem Ordner wieder bei &lt;i&gt;Start bei&lt;/i&gt; an, in der Reihenfolge der Liste: &lt;code&gt;Urlaub/a.jpg&lt;/code&gt;, &lt;code&gt;Feier/b.jpg&lt;/code&gt; und &lt;code&gt;Urlaub/c.jpg&lt;/code&gt; bekommen 1, 1 und 2.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Counter&lt;/h3&gt;&lt;p&gt;&lt;code&gt;[ZAHL]&lt;/code&gt; counts the files in the order of the list, checked or not. &lt;i&gt;Start at&lt;/i&gt; is the value of the first file, &lt;i&gt;Step&lt;/i&gt; the distance between two files. &lt;i&gt;Length&lt;/i&gt; is the least number of digits, &lt;i&gt;Padding&lt;/i&gt; the character it is filled up with on the left (none, zero, blank, underscore). With start 1, step 1, length 3 and padding &amp;ldquo;zero&amp;rdquo; the files are called &lt;code&gt;001&lt;/code&gt;, &lt;code&gt;002&lt;/code&gt;, &lt;code&gt;003&lt;/code&gt; &amp;hellip; You change the order with a click on a column header (a second click reverses it) or with the arrow buttons beside the list, which move the highlighted rows. Names are sorted as one expects: numbers by their value (&lt;code&gt;IMG_2&lt;/code&gt; before &lt;code&gt;IMG_10&lt;/code&gt;), &lt;code&gt;apfel&lt;/code&gt;, &lt;code&gt;Apfel&lt;/code&gt; and &lt;code&gt;Äpfel&lt;/code&gt; next to each other.&lt;/p&gt;&lt;p&gt;With &lt;i&gt;Start again in each folder&lt;/i&gt; the counter begins at &lt;i&gt;Start at&lt;/i&gt; again in each folder, in the order of the list: &lt;code&gt;Urlaub/a.jpg&lt;/code&gt;, &lt;code&gt;Feier/b.jpg&lt;/code&gt; and &lt;code&gt;Urlaub/c.jpg&lt;/code&gt; get 1, 1 and 2.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Suchen und Ersetzen&lt;/h3&gt;&lt;p&gt;Drei Sätze ersetzen Text, jeder für sich mit &lt;i&gt;Aktiv&lt;/i&gt; eingeschaltet, in der Reihenfolge 1, 2, 3. Groß- und Kleinschreibung werden beim Suchen nicht unterschieden, außer mit &lt;i&gt;Groß/klein beachten&lt;/i&gt; (dann findet &lt;code&gt;img_&lt;/code&gt; nicht &lt;code&gt;IMG_&lt;/code&gt;). Normalerweise wird im alten Namen gesucht; das betrifft nur &lt;code&gt;[NAME]&lt;/code&gt; und die Teile des alten Namens. Mit &lt;i&gt;Im neuen statt dem alten Namen suchen&lt;/i&gt; wird im fertigen neuen Namen ersetzt, Dateityp eingeschlossen. Beispiel: Ersetze &lt;code&gt;img_&lt;/code&gt; durch &lt;code&gt;Foto-&lt;/code&gt; macht aus &lt;code&gt;IMG_4711&lt;/code&gt; den Namen &lt;code&gt;Foto-4711&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;Ein &lt;code&gt;Ä&lt;/code&gt; findet auch ein zerlegtes &amp;bdquo;A mit Punkten&amp;ldquo;, wie macOS Namen schreibt. Neue Namen werden immer zusammengesetzt geschrieben (NFC): &lt;code&gt;[NAME].[TYP]&lt;/code&gt; bringt einen zerlegten Namen in diese Form, und die Zeile zählt als Änderung.&lt;/p&gt;&lt;p&gt;Mit &lt;i&gt;Regulärer Ausdruck&lt;/i&gt; ist der Suchtext ein regulärer Ausdruck (PCRE2: Lookbehind, benannte Gruppen, Unicode-Eigenschaften wie &lt;code&gt;\p{Lu}&lt;/code&gt;). Jeder Treffer wird ersetzt. Im Ersatztext stehen &lt;code&gt;$0&lt;/code&gt; bis &lt;code&gt;$99&lt;/code&gt; für den ganzen Treffer und die Gruppen, &lt;code&gt;${1}&lt;/code&gt; oder &lt;code&gt;${name}&lt;/code&gt; für eine Gruppe, &lt;code&gt;$$&lt;/code&gt; für ein &lt;code&gt;$&lt;/code&gt;; was zwischen &lt;code&gt;\U&lt;/code&gt; und &lt;code&gt;\E&lt;/code&gt; steht, wird groß geschrieben, zwischen &lt;code&gt;\L&lt;/code&gt; und &lt;code&gt;\E&lt;/code&gt; klein. Beispiele: &lt;code&gt;(\d+)_(\w+)&lt;/code&gt; durch &lt;code&gt;$2-$1&lt;/code&gt; macht aus &lt;code&gt;0042_Urlaub&lt;/code&gt; den Namen &lt;code&gt;Urlaub-0042&lt;/code&gt;; &lt;code&gt;(?&amp;lt;=IMG_)0+&lt;/code&gt; durch nichts macht aus &lt;code&gt;IMG_0007&lt;/code&gt; &lt;code&gt;IMG_7&lt;/code&gt;; &lt;code&gt;^(\w)&lt;/code&gt; durch &lt;code&gt;\U$1\E&lt;/code&gt; macht aus &lt;code&gt;urlaub&lt;/code&gt; &lt;code&gt;Urlaub&lt;/code&gt;. Ist ein Ausdruck oder Ersatztext fehlerhaft (eine offene Klammer, eine Gruppe, die es nicht gibt) oder bricht die Suche an den Grenzen von PCRE2 ab, zeigt jede Zeile &lt;code&gt;&amp;lt; Suchfehler &amp;gt;&lt;/code&gt;, die Statuszeile nennt Satz und Grund, und umbenannt wird nichts.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Search and replace&lt;/h3&gt;&lt;p&gt;Three sets replace text, each switched on by its own &lt;i&gt;Active&lt;/i&gt;, in the order 1, 2, 3. Searching ignores letter case, except with &lt;i&gt;Match case&lt;/i&gt; (then &lt;code&gt;img_&lt;/code&gt; does not find &lt;code&gt;IMG_&lt;/code&gt;). Normally the old name is searched; that only affects &lt;code&gt;[NAME]&lt;/code&gt; and the parts of the old name. With &lt;i&gt;Search the new name, not the old&lt;/i&gt; the finished new name is searched, file type included. Example: replace &lt;code&gt;img_&lt;/code&gt; with &lt;code&gt;Foto-&lt;/code&gt; turns &lt;code&gt;IMG_4711&lt;/code&gt; into the name &lt;code&gt;Foto-4711&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;An &lt;code&gt;Ä&lt;/code&gt; also finds a decomposed &amp;ldquo;A with dots&amp;rdquo; as macOS writes names. New names are always written composed (NFC): &lt;code&gt;[NAME].[TYP]&lt;/code&gt; brings a decomposed name into this form, and the row counts as a change.&lt;/p&gt;&lt;p&gt;With &lt;i&gt;Regular expression&lt;/i&gt; the search text is a regular expression (PCRE2: lookbehind, named groups, Unicode properties such as &lt;code&gt;\p{Lu}&lt;/code&gt;). Every match is replaced. In the replacement &lt;code&gt;$0&lt;/code&gt; to &lt;code&gt;$99&lt;/code&gt; stand for the whole match and the groups, &lt;code&gt;${1}&lt;/code&gt; or &lt;code&gt;${name}&lt;/code&gt; for a group, &lt;code&gt;$$&lt;/code&gt; for a &lt;code&gt;$&lt;/code&gt;; what stands between &lt;code&gt;\U&lt;/code&gt; and &lt;code&gt;\E&lt;/code&gt; is written in capitals, between &lt;code&gt;\L&lt;/code&gt; and &lt;code&gt;\E&lt;/code&gt; in small letters. Examples: &lt;code&gt;(\d+)_(\w+)&lt;/code&gt; with &lt;code&gt;$2-$1&lt;/code&gt; turns &lt;code&gt;0042_Urlaub&lt;/code&gt; into the name &lt;code&gt;Urlaub-0042&lt;/code&gt;; &lt;code&gt;(?&amp;lt;=IMG_)0+&lt;/code&gt; with nothing turns &lt;code&gt;IMG_0007&lt;/code&gt; into &lt;code&gt;IMG_7&lt;/code&gt;; &lt;code&gt;^(\w)&lt;/code&gt; with &lt;code&gt;\U$1\E&lt;/code&gt; turns &lt;code&gt;urlaub&lt;/code&gt; into &lt;code&gt;Urlaub&lt;/code&gt;. When an expression or replacement is faulty (an open bracket, a group that does not exist) or the search breaks off at the limits of PCRE2, every row shows &lt;code&gt;&amp;lt; Search error &amp;gt;&lt;/code&gt;, the status bar names the set and the reason, and nothing is renamed.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Schreibweise&lt;/h3&gt;&lt;p&gt;Die Schreibweise gilt für den ganzen neuen Namen, am Beispiel &lt;code&gt;mein URLAUB-foto 2te.JPG&lt;/code&gt;:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;beibehalten: unverändert&lt;/li&gt;&lt;li&gt;alles groß: &lt;code&gt;MEIN URLAUB-FOTO 2TE.JPG&lt;/code&gt;&lt;/li&gt;&lt;li&gt;alles klein: &lt;code&gt;mein urlaub-foto 2te.jpg&lt;/code&gt;&lt;/li&gt;&lt;li&gt;anfangs groß: &lt;code&gt;Mein urlaub-foto 2te.jpg&lt;/code&gt;&lt;/li&gt;&lt;li&gt;alternierend-1 (groß nach Leerzeichen): &lt;code&gt;Mein Urlaub-foto 2te.jpg&lt;/code&gt;&lt;/li&gt;&lt;li&gt;alternierend-2 (groß nach jedem Nicht-Buchstaben): &lt;code&gt;Mein Urlaub-Foto 2Te.Jpg&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;&lt;i&gt;Umlaute und Akzente umschreiben&lt;/i&gt; schreibt den neuen Namen nach dem Ersetzen und der Schreibweise in ASCII: &lt;code&gt;Grüße&lt;/code&gt; wird &lt;code&gt;Gruesse&lt;/code&gt;, &lt;code&gt;Ärger&lt;/code&gt; wird &lt;code&gt;Aerger&lt;/code&gt;, &lt;code&gt;ÄRGER&lt;/code&gt; wird &lt;code&gt;AERGER&lt;/code&gt;, &lt;code&gt;café&lt;/code&gt; wird &lt;code&gt;cafe&lt;/code&gt;, &lt;code&gt;Łódź&lt;/code&gt; wird &lt;code&gt;Lodz&lt;/code&gt;, &lt;code&gt;Москва&lt;/code&gt; wird &lt;code&gt;Moskva&lt;/code&gt;. Zeichen ohne ASCII-Form (etwa &amp;frac12; oder ein Emoji) bleiben, wie sie sind; leer wird ein Name dadurch nie.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Letter case&lt;/h3&gt;&lt;p&gt;The letter case applies to the whole new name, shown on &lt;code&gt;mein URLAUB-foto 2te.JPG&lt;/code&gt;:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;keep: unchanged&lt;/li&gt;&lt;li&gt;all upper case: &lt;code&gt;MEIN URLAUB-FOTO 2TE.JPG&lt;/code&gt;&lt;/li&gt;&lt;li&gt;all lower case: &lt;code&gt;mein urlaub-foto 2te.jpg&lt;/code&gt;&lt;/li&gt;&lt;li&gt;first letter upper case: &lt;code&gt;Mein urlaub-foto 2te.jpg&lt;/code&gt;&lt;/li&gt;&lt;li&gt;alternating-1 (upper case after blanks): &lt;code&gt;Mein Urlaub-foto 2te.jpg&lt;/code&gt;&lt;/li&gt;&lt;li&gt;alternating-2 (upper case after every non-letter): &lt;code&gt;Mein Urlaub-Foto 2Te.Jpg&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;&lt;i&gt;Transliterate umlauts and accents&lt;/i&gt; writes the new name in ASCII after the replacements and the letter case: &lt;code&gt;Grüße&lt;/code&gt; becomes &lt;code&gt;Gruesse&lt;/code&gt;, &lt;code&gt;Ärger&lt;/code&gt; becomes &lt;code&gt;Aerger&lt;/code&gt;, &lt;code&gt;ÄRGER&lt;/code&gt; becomes &lt;code&gt;AERGER&lt;/code&gt;, &lt;code&gt;café&lt;/code&gt; becomes &lt;code&gt;cafe&lt;/code&gt;, &lt;code&gt;Łódź&lt;/code&gt; becomes &lt;code&gt;Lodz&lt;/code&gt;, &lt;code&gt;Москва&lt;/code&gt; becomes &lt;code&gt;Moskva&lt;/code&gt;. Characters without an ASCII form (such as &amp;frac12; or an emoji) stay as they are; a name never becomes empty by it.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Zufallszeichenketten&lt;/h3&gt;&lt;p&gt;&lt;code&gt;[ZUFALLSKETTE n]&lt;/code&gt; setzt n zufällige Zeichen ein, für jede Datei und jede Vorschau neu. Aus welchen Zeichen gewählt wird, bestimmen Sie auf der Seite &lt;i&gt;Schreibweise&lt;/i&gt;: Großbuchstaben, Kleinbuchstaben, Zahlen und die nebenstehenden Sonderzeichen. Ist nichts gewählt, bleibt die Zufallszeichenkette leer. Beispiel mit nur &amp;bdquo;Zahlen&amp;ldquo;: &lt;code&gt;[NAME]-[ZUFALLSKETTE 4].[TYP]&lt;/code&gt; ergibt etwa &lt;code&gt;IMG_4711-8302.JPG&lt;/code&gt;.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Random strings&lt;/h3&gt;&lt;p&gt;&lt;code&gt;[ZUFALLSKETTE n]&lt;/code&gt; puts in n random characters, new for every file and every preview. Which characters are chosen from you set on the page &lt;i&gt;Letter Case&lt;/i&gt;: capital letters, small letters, digits and the special characters beside them. When nothing is chosen, the random string stays empty. Example with only &amp;ldquo;Digits&amp;rdquo;: &lt;code&gt;[NAME]-[ZUFALLSKETTE 4].[TYP]&lt;/code&gt; gives something like &lt;code&gt;IMG_4711-8302.JPG&lt;/code&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Masken speichern und Platzhaltertasten&lt;/h3&gt;&lt;p&gt;Die kleinen Schaltflächen auf der Seite &lt;i&gt;Maske&lt;/i&gt; speichern alle Einstellungen unter einem Namen, laden oder löschen gespeicherte Einstellungen und setzen die Maske auf &lt;code&gt;[name].[typ]&lt;/code&gt; zurück. Beim Beenden merkt sich Kesto die Einstellungen für den nächsten Start. Die Platzhaltertasten fügen ihren Text in die Maske ein; mit der rechten Maustaste belegen Sie eine Taste neu.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Saving masks and placeholder keys&lt;/h3&gt;&lt;p&gt;The small buttons on the page &lt;i&gt;Mask&lt;/i&gt; save all settings under a name, load or delete saved settings and reset the mask to &lt;code&gt;[name].[typ]&lt;/code&gt;. On exit Kesto remembers the settings for the next start. The placeholder keys insert their text into the mask; with the right mouse button you give a key a new text.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Optionen&lt;/h3&gt;&lt;p&gt;Hier schalten Sie die Tooltips ein und aus, halten das Fenster über allen anderen, öffnen den Ordner mit den gespeicherten Masken und dem Protokoll und wählen die Schriftgröße der Liste.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Options&lt;/h3&gt;&lt;p&gt;Here you switch the tooltips on and off, keep the window above all others, open the folder with the saved masks and the log, and choose the font size of the list.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Mit &lt;i&gt;Doppelte Namen durchnummerieren&lt;/i&gt; bekommen Dateien, deren neue Namen gleich sind oder schon einer vorhandenen Datei gehören, &lt;code&gt; (2)&lt;/code&gt;, &lt;code&gt; (3)&lt;/code&gt; &amp;hellip; vor der Endung, in der Reihenfolge der Liste: aus dreimal &lt;code&gt;Foto.jpg&lt;/code&gt; werden &lt;code&gt;Foto.jpg&lt;/code&gt;, &lt;code&gt;Foto (2).jpg&lt;/code&gt; und &lt;code&gt;Foto (3).jpg&lt;/code&gt;. Die erste behält ihren Namen, außer eine vorhandene Datei heißt so; ein Name, den eine andere Datei der Liste gerade abgibt, ist frei. Die Vorschau zeigt die Nummern, bevor etwas umbenannt wird. Die Einstellung wird mit der Maske gespeichert.&lt;/p&gt;</source>
        <translation>&lt;p&gt;With &lt;i&gt;Number duplicate names&lt;/i&gt;, files whose new names are equal, or already belong to an existing file, get &lt;code&gt; (2)&lt;/code&gt;, &lt;code&gt; (3)&lt;/code&gt; &amp;hellip; before the extension, in list order: three times &lt;code&gt;Foto.jpg&lt;/code&gt; become &lt;code&gt;Foto.jpg&lt;/code&gt;, &lt;code&gt;Foto (2).jpg&lt;/code&gt; and &lt;code&gt;Foto (3).jpg&lt;/code&gt;. The first keeps its name unless an existing file has it; a name another file of the list is giving up is free. The preview shows the numbers before anything is renamed. The setting is saved with the mask.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Namen aus einer Liste oder Tabelle&lt;/h3&gt;&lt;p&gt;Im Menü der Liste (rechte Maustaste) liest &lt;i&gt;Namen aus Liste…&lt;/i&gt; eine Textdatei und &lt;i&gt;Namen aus der Zwischenablage&lt;/i&gt; den kopierten Text: Zeile n ist der Name der n-ten markierten Datei in der Reihenfolge der Liste und steht in der Maske für &lt;code&gt;[LISTE]&lt;/code&gt;. So behält &lt;code&gt;[LISTE].[TYP]&lt;/code&gt; die Endungen, und &lt;code&gt;[ZAHL] [LISTE]&lt;/code&gt; nummeriert die Namen. Die Datei darf UTF-8 oder Windows-1252 sein, mit Zeilenenden von Windows oder Linux; leere Zeilen zählen mit, nach dem letzten Zeilenende beginnt keine weitere. Hat die Liste mehr oder weniger Namen, als Dateien markiert sind, nennt die Statuszeile beide Zahlen, und umbenannt wird nichts. Wie viele Namen die Liste hat, steht links in der Statuszeile; eine neue Liste ersetzt die alte.&lt;/p&gt;&lt;p&gt;&lt;i&gt;Tabelle laden…&lt;/i&gt; liest eine Tabelle (CSV oder TSV, etwa aus einer Tabellenkalkulation). Ihre erste Spalte nennt die Datei: mit absolutem Pfad oder nur mit dem Namen, der dann in jedem Ordner passt. &lt;code&gt;[SPALTE 2]&lt;/code&gt;, &lt;code&gt;[SPALTE 3]&lt;/code&gt; &amp;hellip; stehen für die weiteren Zellen dieser Zeile. Trennzeichen ist der Tabulator, das Semikolon oder das Komma, je nachdem, was die erste Zeile enthält; eine Zelle in Anführungszeichen darf Trennzeichen enthalten. Eine markierte Datei, die in der Tabelle fehlt, zeigt &lt;i&gt;nicht in der Tabelle&lt;/i&gt;, und umbenannt wird nichts; Zeilen, die zu keiner Datei der Liste gehören, nennt eine Meldung.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Names from a list or a table&lt;/h3&gt;&lt;p&gt;In the list&amp;apos;s menu (right mouse button), &lt;i&gt;Names from list…&lt;/i&gt; reads a text file and &lt;i&gt;Names from the clipboard&lt;/i&gt; the copied text: line n is the name of the n-th checked file in list order and stands for &lt;code&gt;[LISTE]&lt;/code&gt; in the mask. So &lt;code&gt;[LISTE].[TYP]&lt;/code&gt; keeps the extensions, and &lt;code&gt;[ZAHL] [LISTE]&lt;/code&gt; numbers the names. The file may be UTF-8 or Windows-1252, with Windows or Linux line ends; blank lines count, and the last line end starts no further line. When the list holds more or fewer names than files are checked, the status bar gives both counts and nothing is renamed. How many names the list holds is shown on the left of the status bar; a new list replaces the old one.&lt;/p&gt;&lt;p&gt;&lt;i&gt;Load table…&lt;/i&gt; reads a table (CSV or TSV, from a spreadsheet, say). Its first column names the file: by its absolute path, or by its name alone, which then matches in any folder. &lt;code&gt;[SPALTE 2]&lt;/code&gt;, &lt;code&gt;[SPALTE 3]&lt;/code&gt; &amp;hellip; stand for the other cells of that line. The separator is the tab, the semicolon or the comma, whichever the first line holds; a cell in quotes may hold separators. A checked file the table lacks shows &lt;i&gt;not in the table&lt;/i&gt;, and nothing is renamed; lines that belong to no file of the list are named in a message.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h4&gt;Ordner aus der Maske&lt;/h4&gt;&lt;p&gt;Ein &lt;code&gt;/&lt;/code&gt; in der Maske trennt Ordner: &lt;code&gt;[AUFNAHMEJAHR]/[AUFNAHMEMONAT]/[NAME].[TYP]&lt;/code&gt; verschiebt jede Datei in den Ordner &lt;code&gt;2024/05&lt;/code&gt; unterhalb ihres bisherigen Ordners; die Spalte &lt;i&gt;Neuer Name&lt;/i&gt; zeigt &lt;code&gt;2024/05/IMG_4711.JPG&lt;/code&gt;. Fehlende Ordner legt Kesto an. Der Weg führt nur nach unten: vor und nach jedem &lt;code&gt;/&lt;/code&gt; muss ein Name stehen, und &lt;code&gt;.&lt;/code&gt; oder &lt;code&gt;..&lt;/code&gt; sind als Name ein Maskenfehler. Nur ein &lt;code&gt;/&lt;/code&gt;, den Sie in die Maske schreiben, trennt Ordner; einer aus einem Platzhalter, einer Zufallszeichenkette oder einem Ersetzen wird zu &lt;code&gt;_&lt;/code&gt;. Schreibweise und Ersetzen im neuen Namen gelten für jeden Ordner und den Dateinamen für sich. Die Prüfung vor dem Umbenennen schaut auch in die Zielordner: Zwei Dateien, die im selben neuen Ordner gleich hießen, eine Datei, die dort schon so heißt, oder eine Datei mit dem Namen eines neuen Ordners halten die Umbenennung auf. Liegt ein Zielordner auf einem anderen Laufwerk (etwa ein dort eingehängter USB-Stick), nennt die Zeile &amp;bdquo;anderes Laufwerk&amp;ldquo;; Kesto kopiert nie. &lt;i&gt;Rückgängig&lt;/i&gt; holt die Dateien zurück und entfernt die Ordner, die die Umbenennung angelegt hat, sobald sie leer sind; einen Ordner, in den inzwischen etwas anderes gelegt wurde, lässt es stehen und sagt es.&lt;/p&gt;</source>
        <translation>&lt;h4&gt;Folders from the mask&lt;/h4&gt;&lt;p&gt;A &lt;code&gt;/&lt;/code&gt; in the mask separates folders: &lt;code&gt;[AUFNAHMEJAHR]/[AUFNAHMEMONAT]/[NAME].[TYP]&lt;/code&gt; moves each file into the folder &lt;code&gt;2024/05&lt;/code&gt; below its own folder; the column &lt;i&gt;New name&lt;/i&gt; shows &lt;code&gt;2024/05/IMG_4711.JPG&lt;/code&gt;. Kesto makes the folders that are missing. The path only leads down: a name must stand before and after each &lt;code&gt;/&lt;/code&gt;, and &lt;code&gt;.&lt;/code&gt; or &lt;code&gt;..&lt;/code&gt; as a name is a mask error. Only a &lt;code&gt;/&lt;/code&gt; you write into the mask separates folders; one from a placeholder, a random string or a replacement becomes &lt;code&gt;_&lt;/code&gt;. The letter case and the replacements in the new name apply to each folder and to the file name on its own. The test before renaming looks into the target folders too: two files that would get the same name in the same new folder, a file that has that name there already, or a file with the name of a new folder stop the renaming. When a target folder is on another drive (say a USB stick mounted there), the row says &amp;ldquo;another drive&amp;rdquo;; Kesto never copies. &lt;i&gt;Undo&lt;/i&gt; brings the files back and removes the folders the renaming made once they are empty; a folder into which something else was put meanwhile stays, and Kesto says so.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h4&gt;Klammern und verbotene Zeichen&lt;/h4&gt;&lt;p&gt;Eine öffnende eckige Klammer als Text schreiben Sie doppelt: &lt;code&gt;[[2024]&lt;/code&gt; ergibt &lt;code&gt;[2024]&lt;/code&gt;. Die Zeichen &lt;code&gt;\ : * ? &quot; &amp;lt; &amp;gt; |&lt;/code&gt; sind in der Maske nicht erlaubt, &lt;code&gt;/&lt;/code&gt; nur als Trenner von Ordnern. Eine fehlerhafte Maske meldet die Statuszeile; die Liste zeigt dann &lt;code&gt;&amp;lt; Maskenfehler &amp;gt;&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;Fehlt &lt;code&gt;[TYP]&lt;/code&gt; in der Maske, fragt Kesto vor dem Umbenennen nach, denn die Dateien verlören sonst ihre Endung.&lt;/p&gt;</source>
        <translation>&lt;h4&gt;Brackets and forbidden characters&lt;/h4&gt;&lt;p&gt;To write an opening square bracket as text, write it twice: &lt;code&gt;[[2024]&lt;/code&gt; gives &lt;code&gt;[2024]&lt;/code&gt;. The characters &lt;code&gt;\ : * ? &quot; &amp;lt; &amp;gt; |&lt;/code&gt; are not allowed in the mask, &lt;code&gt;/&lt;/code&gt; only to separate folders. The status bar reports a faulty mask; the list then shows &lt;code&gt;&amp;lt; Mask error &amp;gt;&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;When &lt;code&gt;[TYP]&lt;/code&gt; is missing from the mask, Kesto asks before renaming, since the files would lose their extension.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Die Maske&lt;/h3&gt;&lt;p&gt;Die Maske besteht aus Text und Platzhaltern in eckigen Klammern. Groß- und Kleinschreibung der Platzhalter spielt keine Rolle: &lt;code&gt;[name]&lt;/code&gt; und &lt;code&gt;[NAME]&lt;/code&gt; bedeuten dasselbe. Die Beispiele beziehen sich auf die Datei &lt;code&gt;IMG_4711.JPG&lt;/code&gt;, zuletzt geändert am 17.05.2024 um 14:30:05.&lt;/p&gt;&lt;table border=&apos;1&apos; cellspacing=&apos;0&apos; cellpadding=&apos;3&apos;&gt;&lt;tr&gt;&lt;th&gt;Platzhalter&lt;/th&gt;&lt;th&gt;steht für&lt;/th&gt;&lt;th&gt;Beispiel&lt;/th&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[NAME]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;der alte Name ohne Dateityp&lt;/td&gt;&lt;td&gt;IMG_4711&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[TYP]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;der Dateityp (die Endung ohne Punkt)&lt;/td&gt;&lt;td&gt;JPG&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DIR]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;der Name des Ordners, in dem die Datei liegt&lt;/td&gt;&lt;td&gt;Urlaub&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ZAHL]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;der Zähler (siehe unten)&lt;/td&gt;&lt;td&gt;001&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DATUM]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;Datum der letzten Änderung, Jahr-Monat-Tag&lt;/td&gt;&lt;td&gt;2024-05-17&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[RDATUM]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;dasselbe als Tag-Monat-Jahr&lt;/td&gt;&lt;td&gt;17-05-2024&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[TAG]&lt;/code&gt;, &lt;code&gt;[MONAT]&lt;/code&gt;, &lt;code&gt;[JAHR]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;Teile dieses Datums&lt;/td&gt;&lt;td&gt;17, 05, 2024&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ZEIT]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;Uhrzeit der letzten Änderung&lt;/td&gt;&lt;td&gt;14-30-05&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[STUNDE]&lt;/code&gt;, &lt;code&gt;[MINUTE]&lt;/code&gt;, &lt;code&gt;[SEKUNDE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;Teile dieser Uhrzeit; kurz auch &lt;code&gt;[H]&lt;/code&gt;, &lt;code&gt;[M]&lt;/code&gt;, &lt;code&gt;[S]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;14, 30, 05&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ERSTELLDATUM]&lt;/code&gt;, &lt;code&gt;[ERSTELLTAG]&lt;/code&gt;, &lt;code&gt;[ERSTELLMONAT]&lt;/code&gt;, &lt;code&gt;[ERSTELLJAHR]&lt;/code&gt;, &lt;code&gt;[ERSTELLZEIT]&lt;/code&gt;, &lt;code&gt;[ERSTELLSTUNDE]&lt;/code&gt;, &lt;code&gt;[ERSTELLMINUTE]&lt;/code&gt;, &lt;code&gt;[ERSTELLSEKUNDE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;dasselbe für den Zeitpunkt, an dem die Datei erstellt wurde&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;h3&gt;The mask&lt;/h3&gt;&lt;p&gt;The mask is made of text and placeholders in square brackets. The letter case of the placeholders does not matter: &lt;code&gt;[name]&lt;/code&gt; and &lt;code&gt;[NAME]&lt;/code&gt; mean the same. The placeholders keep their German names. The examples refer to the file &lt;code&gt;IMG_4711.JPG&lt;/code&gt;, last changed on 17.05.2024 at 14:30:05.&lt;/p&gt;&lt;table border=&apos;1&apos; cellspacing=&apos;0&apos; cellpadding=&apos;3&apos;&gt;&lt;tr&gt;&lt;th&gt;Placeholder&lt;/th&gt;&lt;th&gt;stands for&lt;/th&gt;&lt;th&gt;Example&lt;/th&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[NAME]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the old name without the file type&lt;/td&gt;&lt;td&gt;IMG_4711&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[TYP]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the file type (the extension without the dot)&lt;/td&gt;&lt;td&gt;JPG&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DIR]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the name of the folder the file is in&lt;/td&gt;&lt;td&gt;Urlaub&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ZAHL]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the counter (see below)&lt;/td&gt;&lt;td&gt;001&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DATUM]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;date of the last change, year-month-day&lt;/td&gt;&lt;td&gt;2024-05-17&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[RDATUM]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the same as day-month-year&lt;/td&gt;&lt;td&gt;17-05-2024&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[TAG]&lt;/code&gt;, &lt;code&gt;[MONAT]&lt;/code&gt;, &lt;code&gt;[JAHR]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;day, month and year of this date&lt;/td&gt;&lt;td&gt;17, 05, 2024&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ZEIT]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;time of day of the last change&lt;/td&gt;&lt;td&gt;14-30-05&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[STUNDE]&lt;/code&gt;, &lt;code&gt;[MINUTE]&lt;/code&gt;, &lt;code&gt;[SEKUNDE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;hour, minute and second of this time; short also &lt;code&gt;[H]&lt;/code&gt;, &lt;code&gt;[M]&lt;/code&gt;, &lt;code&gt;[S]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;14, 30, 05&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ERSTELLDATUM]&lt;/code&gt;, &lt;code&gt;[ERSTELLTAG]&lt;/code&gt;, &lt;code&gt;[ERSTELLMONAT]&lt;/code&gt;, &lt;code&gt;[ERSTELLJAHR]&lt;/code&gt;, &lt;code&gt;[ERSTELLZEIT]&lt;/code&gt;, &lt;code&gt;[ERSTELLSTUNDE]&lt;/code&gt;, &lt;code&gt;[ERSTELLMINUTE]&lt;/code&gt;, &lt;code&gt;[ERSTELLSEKUNDE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the same for the moment the file was created&lt;/td&gt;&lt;td&gt;&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;code&gt;[AUFNAHMEDATUM]&lt;/code&gt;, &lt;code&gt;[AUFNAHMETAG]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEMONAT]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEJAHR]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEZEIT]&lt;/code&gt;, &lt;code&gt;[AUFNAHMESTUNDE]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEMINUTE]&lt;/code&gt;, &lt;code&gt;[AUFNAHMESEKUNDE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;dasselbe für den Aufnahmezeitpunkt, den die Kamera in einem Foto (JPEG, TIFF, RAW wie DNG, NEF, CR2, ARW, ORF, RW2, PEF, dazu HEIC, AVIF, PNG, WebP) oder einem Film gespeichert hat; leer bei Dateien ohne Aufnahmedatum&lt;/td&gt;&lt;td&gt;2005-07-14&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[BREITE]&lt;/code&gt;, &lt;code&gt;[HÖHE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;Breite und Höhe eines Bildes in Pixeln&lt;/td&gt;&lt;td&gt;4000, 3000&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[TITEL]&lt;/code&gt;, &lt;code&gt;[INTERPRET]&lt;/code&gt;, &lt;code&gt;[ALBUM]&lt;/code&gt;, &lt;code&gt;[TITELNR]&lt;/code&gt;, &lt;code&gt;[ERSCHEINUNGSJAHR]&lt;/code&gt;, &lt;code&gt;[GENRE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;die Angaben eines Musikstücks (MP3, FLAC, Ogg Vorbis, Opus, M4A, WAV); die Titelnummer zweistellig&lt;/td&gt;&lt;td&gt;Blue in Green, Miles Davis, Kind of Blue, 03, 1959, Jazz&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[PRÜFSUMME]&lt;/code&gt;, &lt;code&gt;[PRÜFSUMME n]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;die ersten 8 (oder n, 1 bis 64) Hexadezimalziffern der SHA-256-Prüfsumme des Dateiinhalts&lt;/td&gt;&lt;td&gt;9f86d081&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DAUER]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;die Dauer eines Films (MP4, MOV, M4V, 3GP) in Minuten und Sekunden, ab einer Stunde mit den Stunden davor; auf ganze Sekunden gerundet&lt;/td&gt;&lt;td&gt;3-07, 1-02-05&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[HERSTELLER]&lt;/code&gt;, &lt;code&gt;[MODELL]&lt;/code&gt;, &lt;code&gt;[OBJEKTIV]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;Hersteller und Modell der Kamera und das Objektiv, mit denen ein Foto aufgenommen wurde&lt;/td&gt;&lt;td&gt;Canon, Canon EOS R6, RF24-105mm F4 L IS USM&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ISO]&lt;/code&gt;, &lt;code&gt;[BLENDE]&lt;/code&gt;, &lt;code&gt;[BELICHTUNG]&lt;/code&gt;, &lt;code&gt;[BRENNWEITE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;ISO-Empfindlichkeit, Blende, Belichtungszeit in Sekunden (ein Bruch mit &lt;code&gt;_&lt;/code&gt; statt &lt;code&gt;/&lt;/code&gt;) und Brennweite in mm&lt;/td&gt;&lt;td&gt;400, 2.8, 1_250, 50&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[BREITENGRAD]&lt;/code&gt;, &lt;code&gt;[LÄNGENGRAD]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;der Aufnahmeort in Grad mit 5 Nachkommastellen, negativ im Süden und Westen&lt;/td&gt;&lt;td&gt;52.51627, 13.37770&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[AUSRICHTUNG]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;wie das Foto zu drehen ist, 1 bis 8 (1 aufrecht, 6 um 90° nach rechts)&lt;/td&gt;&lt;td&gt;6&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ZUFALLSKETTE 8]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;eine Zeichenkette aus 8 zufälligen Zeichen (0 bis 260), siehe unten&lt;/td&gt;&lt;td&gt;k3Rf9QaZ&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DATUM Format]&lt;/code&gt;, &lt;code&gt;[ERSTELLDATUM Format]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEDATUM Format]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;das Datum in einem eigenen Format, siehe unten&lt;/td&gt;&lt;td&gt;17. Mai 2024&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;p&gt;Beispiel: &lt;code&gt;Urlaub [ZAHL] [DATUM].[TYP]&lt;/code&gt; ergibt &lt;code&gt;Urlaub 001 2024-05-17.JPG&lt;/code&gt;.&lt;/p&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;code&gt;[AUFNAHMEDATUM]&lt;/code&gt;, &lt;code&gt;[AUFNAHMETAG]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEMONAT]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEJAHR]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEZEIT]&lt;/code&gt;, &lt;code&gt;[AUFNAHMESTUNDE]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEMINUTE]&lt;/code&gt;, &lt;code&gt;[AUFNAHMESEKUNDE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the same for the moment of capture that the camera stored in a photo (JPEG, TIFF, RAW such as DNG, NEF, CR2, ARW, ORF, RW2, PEF, and HEIC, AVIF, PNG, WebP) or a film; empty for files without a capture date&lt;/td&gt;&lt;td&gt;2005-07-14&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[BREITE]&lt;/code&gt;, &lt;code&gt;[HÖHE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;width and height of an image in pixels&lt;/td&gt;&lt;td&gt;4000, 3000&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[TITEL]&lt;/code&gt;, &lt;code&gt;[INTERPRET]&lt;/code&gt;, &lt;code&gt;[ALBUM]&lt;/code&gt;, &lt;code&gt;[TITELNR]&lt;/code&gt;, &lt;code&gt;[ERSCHEINUNGSJAHR]&lt;/code&gt;, &lt;code&gt;[GENRE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the tags of a music track (MP3, FLAC, Ogg Vorbis, Opus, M4A, WAV): title, artist, album, track number (two digits), year of release, genre&lt;/td&gt;&lt;td&gt;Blue in Green, Miles Davis, Kind of Blue, 03, 1959, Jazz&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[PRÜFSUMME]&lt;/code&gt;, &lt;code&gt;[PRÜFSUMME n]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the first 8 (or n, 1 to 64) hexadecimal digits of the SHA-256 checksum of the file&apos;s content&lt;/td&gt;&lt;td&gt;9f86d081&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DAUER]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the length of a film (MP4, MOV, M4V, 3GP) in minutes and seconds, from one hour on with the hours in front; rounded to whole seconds&lt;/td&gt;&lt;td&gt;3-07, 1-02-05&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[HERSTELLER]&lt;/code&gt;, &lt;code&gt;[MODELL]&lt;/code&gt;, &lt;code&gt;[OBJEKTIV]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;maker and model of the camera and the lens a photo was taken with&lt;/td&gt;&lt;td&gt;Canon, Canon EOS R6, RF24-105mm F4 L IS USM&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ISO]&lt;/code&gt;, &lt;code&gt;[BLENDE]&lt;/code&gt;, &lt;code&gt;[BELICHTUNG]&lt;/code&gt;, &lt;code&gt;[BRENNWEITE]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;ISO speed, aperture, exposure time in seconds (a fraction with &lt;code&gt;_&lt;/code&gt; instead of &lt;code&gt;/&lt;/code&gt;) and focal length in mm&lt;/td&gt;&lt;td&gt;400, 2.8, 1_250, 50&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[BREITENGRAD]&lt;/code&gt;, &lt;code&gt;[LÄNGENGRAD]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;latitude and longitude of the place taken in degrees with 5 decimals, negative in the south and west&lt;/td&gt;&lt;td&gt;52.51627, 13.37770&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[AUSRICHTUNG]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;how the photo is to be turned, 1 to 8 (1 upright, 6 by 90° to the right)&lt;/td&gt;&lt;td&gt;6&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[ZUFALLSKETTE 8]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;a string of 8 random characters (0 to 260), see below&lt;/td&gt;&lt;td&gt;k3Rf9QaZ&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;&lt;code&gt;[DATUM Format]&lt;/code&gt;, &lt;code&gt;[ERSTELLDATUM Format]&lt;/code&gt;, &lt;code&gt;[AUFNAHMEDATUM Format]&lt;/code&gt;&lt;/td&gt;&lt;td&gt;the date in a format of your own, see below&lt;/td&gt;&lt;td&gt;17. Mai 2024&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;&lt;p&gt;Example: &lt;code&gt;Urlaub [ZAHL] [DATUM].[TYP]&lt;/code&gt; gives &lt;code&gt;Urlaub 001 2024-05-17.JPG&lt;/code&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;So geht es&lt;/h3&gt;&lt;ol&gt;&lt;li&gt;Ziehen Sie die Dateien aus einem Dateimanager in die Liste &lt;i&gt;Kandidaten zum Umbenennen&lt;/i&gt; (oder geben Sie sie beim Start auf der Kommandozeile an). Ziehen Sie einen Ordner hinein oder wählen Sie ihn mit &lt;i&gt;Ordner hinzufügen…&lt;/i&gt;, fragt Kesto einmal, ob &lt;i&gt;Nur die Dateien im Ordner&lt;/i&gt; oder die Dateien &lt;i&gt;Mit allen Unterordnern&lt;/i&gt; in die Liste sollen; mit &lt;i&gt;Auch versteckte Dateien&lt;/i&gt; kommen die hinzu, deren Name mit einem Punkt beginnt. Symbolische Verknüpfungen auf Ordner werden nicht betreten. Ein Unterordner, der sich nicht lesen lässt, wird mit seinem Grund genannt. Mit &lt;i&gt;Ordner selbst umbenennen&lt;/i&gt; kommt der Ordner selbst als Zeile in die Liste: &lt;code&gt;[NAME]&lt;/code&gt; ist sein ganzer Name, &lt;code&gt;[TYP]&lt;/code&gt; bleibt leer, seine Daten sind die des Ordners. Benennt eine Umbenennung einen Ordner und Dateien darin um, kommen die Dateien zuerst an die Reihe.&lt;/li&gt;&lt;li&gt;Beschreiben Sie auf der Seite &lt;i&gt;Maske&lt;/i&gt;, wie die neuen Namen aussehen sollen. Die Spalte &lt;i&gt;Neuer Name&lt;/i&gt; zeigt das Ergebnis etwa anderthalb Sekunden nach der letzten Änderung.&lt;/li&gt;&lt;li&gt;Nur Dateien mit Häkchen werden umbenannt. Klicken Sie &lt;i&gt;Umbenennen&lt;/i&gt;. Vorher wird geprüft, ob zwei neue Namen gleich wären, ob ein neuer Name schon einer vorhandenen Datei gehört und ob ein Name leer bliebe; dann wird nichts umbenannt und die Statuszeile nennt den Grund. Die Spalte &lt;i&gt;Hinweis&lt;/i&gt; sagt bei jeder betroffenen Datei, was nicht geht; &lt;i&gt;Nächster Fehler&lt;/i&gt; (oder F8) springt zur nächsten.&lt;/li&gt;&lt;li&gt;&lt;i&gt;Rückgängig&lt;/i&gt; gibt den Dateien der letzten Umbenennung ihre alten Namen zurück, ein weiterer Klick denen der Umbenennung davor (bis zu 20). Eine Datei, die inzwischen verschoben wurde oder deren alter Name wieder vergeben ist, bleibt, wo sie ist. Wurde eine Umbenennung unterbrochen, etwa durch einen Stromausfall, bietet Kesto beim nächsten Start an, sie rückgängig zu machen.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;h3&gt;How it works&lt;/h3&gt;&lt;ol&gt;&lt;li&gt;Drag the files from a file manager into the list &lt;i&gt;Files to rename&lt;/i&gt; (or name them on the command line at start). Drag a folder in, or choose it with &lt;i&gt;Add folder…&lt;/i&gt;, and Kesto asks once whether &lt;i&gt;Only the files in the folder&lt;/i&gt; or the files &lt;i&gt;With all subfolders&lt;/i&gt; go into the list; with &lt;i&gt;Hidden files too&lt;/i&gt; those whose name begins with a dot come along. Symbolic links to folders are not entered. A subfolder that cannot be read is named with its reason. With &lt;i&gt;Rename the folder itself&lt;/i&gt; the folder itself becomes a row of the list: &lt;code&gt;[NAME]&lt;/code&gt; is its whole name, &lt;code&gt;[TYP]&lt;/code&gt; stays empty, its dates are the folder&apos;s own. When a rename renames a folder and files in it, the files come first.&lt;/li&gt;&lt;li&gt;Describe on the page &lt;i&gt;Mask&lt;/i&gt; what the new names are to look like. The column &lt;i&gt;New Name&lt;/i&gt; shows the result about one and a half seconds after the last change.&lt;/li&gt;&lt;li&gt;Only checked files are renamed. Click &lt;i&gt;Rename&lt;/i&gt;. First Kesto tests whether two new names would be the same, whether a new name already belongs to an existing file and whether a name would be empty; then nothing is renamed and the status bar tells the reason. The column &lt;i&gt;Note&lt;/i&gt; says for each file concerned what does not work; &lt;i&gt;Next error&lt;/i&gt; (or F8) jumps to the next one.&lt;/li&gt;&lt;li&gt;&lt;i&gt;Undo&lt;/i&gt; gives the files of the last rename their old names back, another click those of the rename before (up to 20). A file that has been moved meanwhile, or whose old name is taken again, stays where it is. When a rename was interrupted, by a power cut for instance, Kesto offers to undo it at the next start.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
</context>
<context>
    <name>kesto::KeyBarWidget</name>
    <message>
        <source>Undefinierte Taste %1</source>
        <translation>Undefined key %1</translation>
    </message>
    <message>
        <source>Taste %1</source>
        <translation>Key %1</translation>
    </message>
</context>
<context>
    <name>kesto::StatusLine</name>
    <message>
        <source>0 Dateien</source>
        <translation>0 files</translation>
    </message>
</context>
</TS>
