# fish completion of kesto-cli: its options, the entries of --case, --lead
# and --sort, the saved masks for --preset and files for the rest.

# The saved masks as the masks file holds them: its section headers in file
# order, each once (headers match without regard to letter case and to
# blanks around the name).
function __kesto_cli_masks
    set -l data $HOME/.local/share
    set -q XDG_DATA_HOME[1]; and test -n "$XDG_DATA_HOME"; and set data $XDG_DATA_HOME
    set -l file $data/Quarvel/Kesto/Kesto-Masken.INI
    test -r $file; or return
    awk 'NR == 1 { sub(/^\357\273\277/, "") }
        { sub(/\r$/, ""); sub(/^[ \t]+/, ""); sub(/[ \t]+$/, "") }
        /^\[.+\]$/ {
            name = substr($0, 2, length($0) - 2)
            key = tolower(name)
            gsub(/^[ \t]+|[ \t]+$/, "", key)
            if (key != "" && !(key in seen)) { seen[key] = 1; print name }
        }' $file
end

set -l c complete -c kesto-cli
$c -l mask -x -d Umbenennungsmaske
$c -l start -x -d 'Zähler: Start bei'
$c -l step -x -d 'Zähler: Schrittweite'
$c -l digits -x -a '(seq 1 12)' -d 'Zähler: Länge'
$c -l lead -x -a 'keine Null Leerzeichen Unterstrich' -d 'Zähler: Vornullen'
$c -l counter-per-folder -d 'Zähler: in jedem Ordner neu beginnen'
$c -l case -x -a "beibehalten 'alles groß' 'alles klein' 'anfangs groß' alternierend-1 alternierend-2" -d Schreibweise
$c -l transliterate -d 'Umlaute und Akzente umschreiben'
$c -l companions -d 'Begleitdateien mitnehmen'
$c -l companions-main -x -d 'Typ der Datei, die den Namen vorgibt'
$c -l replace -x -d 'Suchen und Ersetzen im alten Namen'
$c -l replace-new -x -d 'Suchen und Ersetzen im neuen Namen'
$c -l replace-re -x -d 'Suchen und Ersetzen mit regulärem Ausdruck im alten Namen'
$c -l replace-new-re -x -d 'Suchen und Ersetzen mit regulärem Ausdruck im neuen Namen'
$c -l match-case -d 'Groß-/Kleinschreibung beachten im Satz davor'
$c -l random-upper -d 'Zufallskette: Großbuchstaben'
$c -l random-lower -d 'Zufallskette: Kleinbuchstaben'
$c -l random-digits -d 'Zufallskette: Zahlen'
$c -l random-extra -x -d 'Zufallskette: diese Sonderzeichen'
$c -l preset -x -a '(__kesto_cli_masks)' -d 'von der gespeicherten Maske ausgehen'
$c -l sort -x -a '(seq 1 8; seq -f %g:desc 1 8)' -d 'nach Spalte sortieren'
$c -s r -l recursive -d 'die Dateien der Ordner laden, mit allen Unterordnern'
$c -l depth -x -d 'nur so viele Ebenen Unterordner'
$c -l include -x -d 'nur Dateien, deren Name zum Muster passt'
$c -l exclude -x -d 'keine Dateien, deren Name zum Muster passt'
$c -l hidden -d 'auch versteckte Dateien und Ordner'
$c -l folders -d 'die Ordner selbst umbenennen'
$c -l files-from -r -F -d 'die Pfade aus einer Datei (- = Standardeingabe)'
$c -l null -d 'die Pfade der Liste enden mit NUL'
$c -l names-from -r -F -d 'die neuen Namen für [LISTE] aus einer Datei (- = Standardeingabe)'
$c -l table -r -F -d 'eine Tabelle (CSV oder TSV) für [SPALTE n]'
$c -l number-clashes -d 'Doppelte Namen durchnummerieren'
$c -l json -d 'statt der Liste ein JSON-Objekt mit Optionen und Zeilen'
$c -l plan-out -r -F -d 'den geprüften Plan in eine Datei schreiben'
$c -l plan-in -r -F -d 'den Plan aus einer Datei zeigen oder umbenennen'
$c -l apply -d umbenennen
$c -l yes -d 'ohne [TYP] umbenennen, ohne zu fragen'
$c -l no-undo -d 'auch ohne Protokoll zum Rückgängigmachen umbenennen'
$c -l undo -d 'die letzte Umbenennung rückgängig machen'
$c -l history -d 'die aufbewahrten Umbenennungen auflisten'
$c -l quiet -d 'ohne Fortschrittsanzeige und ohne die Zeile "Bereit: …"'
$c -l help -d Hilfe
$c -l version -d Versionsnummer
