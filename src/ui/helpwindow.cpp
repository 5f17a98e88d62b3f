#include "ui/helpwindow.h"

#include "ui/windowtexts.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kesto {

HelpWindow::HelpWindow(QWidget *parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(windowtexts::helpTitle());
    setModal(false);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setAccessibleName(windowtexts::helpTitle());
    m_browser->setOpenExternalLinks(false);
    m_browser->setHtml(helpHtml());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(680, 560);
}

namespace {

QString helpSteps()
{
    return HelpWindow::tr("<h2>Kesto &ndash; Dateien stapelweise umbenennen</h2>") +
           HelpWindow::tr(
               "<h3>So geht es</h3>"
               "<ol>"
               "<li>Ziehen Sie die Dateien aus einem Dateimanager in die Liste "
               "<i>Kandidaten zum Umbenennen</i> (oder geben Sie sie beim Start auf der "
               "Kommandozeile an). Ziehen Sie einen Ordner hinein oder wählen Sie ihn mit "
               "<i>Ordner hinzufügen…</i>, fragt Kesto einmal, ob <i>Nur die Dateien im Ordner</i> "
               "oder die Dateien <i>Mit allen Unterordnern</i> in die Liste sollen; mit <i>Auch "
               "versteckte Dateien</i> kommen die hinzu, deren Name mit einem Punkt beginnt. "
               "Symbolische Verknüpfungen auf Ordner werden nicht betreten. Ein Unterordner, der "
               "sich nicht lesen lässt, wird mit seinem Grund genannt. Mit <i>Ordner selbst "
               "umbenennen</i> kommt der Ordner selbst als Zeile in die Liste: <code>[NAME]</code> "
               "ist sein ganzer Name, <code>[TYP]</code> bleibt leer, seine Daten sind die des "
               "Ordners. Benennt eine Umbenennung einen Ordner und Dateien darin um, kommen die "
               "Dateien zuerst an die Reihe.</li>"
               "<li>Beschreiben Sie auf der Seite <i>Maske</i>, wie die neuen Namen aussehen "
               "sollen. "
               "Die Spalte <i>Neuer Name</i> zeigt das Ergebnis etwa anderthalb Sekunden nach der "
               "letzten Änderung.</li>"
               "<li>Nur Dateien mit Häkchen werden umbenannt. Klicken Sie <i>Umbenennen</i>. "
               "Vorher wird geprüft, ob zwei neue Namen gleich wären, ob ein neuer Name schon "
               "einer vorhandenen Datei gehört und ob ein Name leer bliebe; dann wird nichts "
               "umbenannt und die Statuszeile nennt den Grund. Die Spalte <i>Hinweis</i> sagt "
               "bei jeder betroffenen Datei, was nicht geht; <i>Nächster Fehler</i> (oder F8) "
               "springt zur nächsten.</li>"
               "<li><i>Rückgängig</i> gibt den Dateien der letzten Umbenennung ihre alten Namen "
               "zurück, ein weiterer Klick denen der Umbenennung davor (bis zu 20). Eine Datei, "
               "die inzwischen verschoben wurde oder deren alter Name wieder vergeben ist, bleibt, "
               "wo sie ist. Wurde eine Umbenennung unterbrochen, etwa durch einen Stromausfall, "
               "bietet Kesto beim nächsten Start an, sie rückgängig zu machen.</li>"
               "</ol>");
}

QString helpFilePlaceholders()
{
    return HelpWindow::tr(
        "<h3>Die Maske</h3>"
        "<p>Die Maske besteht aus Text und Platzhaltern in eckigen Klammern. Groß- und "
        "Kleinschreibung der Platzhalter spielt keine Rolle: <code>[name]</code> und "
        "<code>[NAME]</code> bedeuten dasselbe. Die Beispiele beziehen sich auf die Datei "
        "<code>IMG_4711.JPG</code>, zuletzt geändert am 17.05.2024 um 14:30:05.</p>"
        "<table border='1' cellspacing='0' cellpadding='3'>"
        "<tr><th>Platzhalter</th><th>steht für</th><th>Beispiel</th></tr>"
        "<tr><td><code>[NAME]</code></td><td>der alte Name ohne Dateityp</td>"
        "<td>IMG_4711</td></tr>"
        "<tr><td><code>[TYP]</code></td><td>der Dateityp (die Endung ohne Punkt)</td>"
        "<td>JPG</td></tr>"
        "<tr><td><code>[DIR]</code></td><td>der Name des Ordners, in dem die Datei liegt</td>"
        "<td>Urlaub</td></tr>"
        "<tr><td><code>[ZAHL]</code></td><td>der Zähler (siehe unten)</td><td>001</td></tr>"
        "<tr><td><code>[DATUM]</code></td><td>Datum der letzten Änderung, Jahr-Monat-Tag</td>"
        "<td>2024-05-17</td></tr>"
        "<tr><td><code>[RDATUM]</code></td><td>dasselbe als Tag-Monat-Jahr</td>"
        "<td>17-05-2024</td></tr>"
        "<tr><td><code>[TAG]</code>, <code>[MONAT]</code>, <code>[JAHR]</code></td>"
        "<td>Teile dieses Datums</td><td>17, 05, 2024</td></tr>"
        "<tr><td><code>[ZEIT]</code></td><td>Uhrzeit der letzten Änderung</td>"
        "<td>14-30-05</td></tr>"
        "<tr><td><code>[STUNDE]</code>, <code>[MINUTE]</code>, <code>[SEKUNDE]</code></td>"
        "<td>Teile dieser Uhrzeit; kurz auch <code>[H]</code>, <code>[M]</code>, "
        "<code>[S]</code></td><td>14, 30, 05</td></tr>"
        "<tr><td><code>[ERSTELLDATUM]</code>, <code>[ERSTELLTAG]</code>, "
        "<code>[ERSTELLMONAT]</code>, <code>[ERSTELLJAHR]</code>, "
        "<code>[ERSTELLZEIT]</code>, "
        "<code>[ERSTELLSTUNDE]</code>, <code>[ERSTELLMINUTE]</code>, "
        "<code>[ERSTELLSEKUNDE]</code></td>"
        "<td>dasselbe für den Zeitpunkt, an dem die Datei erstellt wurde</td><td></td></tr>");
}

QString helpContentPlaceholders()
{
    return HelpWindow::tr(
        "<tr><td><code>[AUFNAHMEDATUM]</code>, <code>[AUFNAHMETAG]</code>, "
        "<code>[AUFNAHMEMONAT]</code>, <code>[AUFNAHMEJAHR]</code>, "
        "<code>[AUFNAHMEZEIT]</code>, <code>[AUFNAHMESTUNDE]</code>, "
        "<code>[AUFNAHMEMINUTE]</code>, <code>[AUFNAHMESEKUNDE]</code></td>"
        "<td>dasselbe für den Aufnahmezeitpunkt, den die Kamera in einem Foto (JPEG, TIFF, "
        "RAW wie DNG, NEF, CR2, ARW, ORF, RW2, PEF, dazu HEIC, AVIF, PNG, WebP) oder einem "
        "Film gespeichert hat; leer bei Dateien ohne Aufnahmedatum</td>"
        "<td>2005-07-14</td></tr>"
        "<tr><td><code>[BREITE]</code>, <code>[HÖHE]</code></td>"
        "<td>Breite und Höhe eines Bildes in Pixeln</td><td>4000, 3000</td></tr>"
        "<tr><td><code>[TITEL]</code>, <code>[INTERPRET]</code>, <code>[ALBUM]</code>, "
        "<code>[TITELNR]</code>, <code>[ERSCHEINUNGSJAHR]</code>, <code>[GENRE]</code></td>"
        "<td>die Angaben eines Musikstücks (MP3, FLAC, Ogg Vorbis, Opus, M4A, WAV); die "
        "Titelnummer zweistellig</td><td>Blue in Green, Miles Davis, Kind of Blue, 03, 1959, "
        "Jazz</td></tr>"
        "<tr><td><code>[PRÜFSUMME]</code>, <code>[PRÜFSUMME n]</code></td>"
        "<td>die ersten 8 (oder n, 1 bis 64) Hexadezimalziffern der SHA-256-Prüfsumme des "
        "Dateiinhalts</td><td>9f86d081</td></tr>"
        "<tr><td><code>[DAUER]</code></td>"
        "<td>die Dauer eines Films (MP4, MOV, M4V, 3GP) in Minuten und Sekunden, ab einer "
        "Stunde mit den Stunden davor; auf ganze Sekunden gerundet</td>"
        "<td>3-07, 1-02-05</td></tr>"
        "<tr><td><code>[HERSTELLER]</code>, <code>[MODELL]</code>, "
        "<code>[OBJEKTIV]</code></td>"
        "<td>Hersteller und Modell der Kamera und das Objektiv, mit denen ein Foto "
        "aufgenommen wurde</td><td>Canon, Canon EOS R6, RF24-105mm F4 L IS USM</td></tr>"
        "<tr><td><code>[ISO]</code>, <code>[BLENDE]</code>, <code>[BELICHTUNG]</code>, "
        "<code>[BRENNWEITE]</code></td>"
        "<td>ISO-Empfindlichkeit, Blende, Belichtungszeit in Sekunden (ein Bruch mit "
        "<code>_</code> statt <code>/</code>) und Brennweite in mm</td>"
        "<td>400, 2.8, 1_250, 50</td></tr>"
        "<tr><td><code>[BREITENGRAD]</code>, <code>[LÄNGENGRAD]</code></td>"
        "<td>der Aufnahmeort in Grad mit 5 Nachkommastellen, negativ im Süden und "
        "Westen</td><td>52.51627, 13.37770</td></tr>"
        "<tr><td><code>[AUSRICHTUNG]</code></td>"
        "<td>wie das Foto zu drehen ist, 1 bis 8 (1 aufrecht, 6 um 90° nach rechts)</td>"
        "<td>6</td></tr>"
        "<tr><td><code>[ZUFALLSKETTE 8]</code></td>"
        "<td>eine Zeichenkette aus 8 zufälligen Zeichen (0 bis 260), siehe unten</td>"
        "<td>k3Rf9QaZ</td></tr>"
        "<tr><td><code>[DATUM Format]</code>, <code>[ERSTELLDATUM Format]</code>, "
        "<code>[AUFNAHMEDATUM Format]</code></td>"
        "<td>das Datum in einem eigenen Format, siehe unten</td><td>17. Mai 2024</td></tr>"
        "</table>"
        "<p>Beispiel: <code>Urlaub [ZAHL] [DATUM].[TYP]</code> ergibt "
        "<code>Urlaub 001 2024-05-17.JPG</code>.</p>");
}

QString helpDateFormatsAndNameParts()
{
    return HelpWindow::tr(
               "<h4>Datumsformate</h4>"
               "<p>Hinter einem Leerzeichen nehmen <code>[DATUM]</code>, "
               "<code>[ERSTELLDATUM]</code> "
               "und <code>[AUFNAHMEDATUM]</code> ein Format an. Es besteht aus den "
               "Formatbuchstaben "
               "von Qt, bei denen Groß- und Kleinschreibung zählt: <code>d</code> und "
               "<code>dd</code> "
               "der Tag, <code>ddd</code> und <code>dddd</code> der Wochentag (Fr., Freitag), "
               "<code>M</code> und <code>MM</code> der Monat, <code>MMM</code> und "
               "<code>MMMM</code> "
               "sein Name (Mai), <code>yy</code> und <code>yyyy</code> das Jahr, <code>H</code> "
               "und "
               "<code>HH</code> die Stunde, <code>mm</code> die Minute, <code>ss</code> die "
               "Sekunde. "
               "Text in einfachen Anführungszeichen bleibt, wie er ist. Monats- und Tagesnamen "
               "sind "
               "deutsch. Beispiele für den 17.05.2024 um 14:30:05:</p>"
               "<ul>"
               "<li><code>[DATUM yyyy-MM-dd]</code> ergibt <code>2024-05-17</code></li>"
               "<li><code>[ERSTELLDATUM dd.MM.yy HH-mm]</code> ergibt <code>17.05.24 "
               "14-30</code></li>"
               "<li><code>[AUFNAHMEDATUM yyyy MMMM, dddd]</code> ergibt "
               "<code>2024 Mai, Freitag</code></li>"
               "<li><code>[DATUM dd. MMMM yyyy 'um' H 'Uhr']</code> ergibt "
               "<code>17. Mai 2024 um 14 Uhr</code></li>"
               "</ul>"
               "<p>Ein Format, das eines der verbotenen Zeichen (siehe unten, etwa <code>/</code> "
               "oder <code>:</code>) in den Namen brächte, ist ein Maskenfehler.</p>") +
           HelpWindow::tr(
               "<h4>Teile des alten Namens</h4>"
               "<p>Zahlen in eckigen Klammern schneiden Zeichen aus dem alten Namen ohne Dateityp "
               "(hier <code>IMG_4711</code>); gezählt wird ab 1:</p>"
               "<ul>"
               "<li><code>[5]</code> &ndash; das fünfte Zeichen: <code>4</code></li>"
               "<li><code>[1-3]</code> &ndash; die Zeichen 1 bis 3: <code>IMG</code></li>"
               "<li><code>[5-]</code> &ndash; ab Zeichen 5 bis zum Ende: <code>4711</code></li>"
               "<li><code>[2,3]</code> &ndash; ab Zeichen 2 drei Zeichen: <code>MG_</code></li>"
               "<li>Ein <code>R</code> zählt von rechts: <code>[R1]</code> ergibt <code>1</code>, "
               "<code>[R1-4]</code> ergibt <code>4711</code>, <code>[R2,3]</code> ergibt "
               "<code>471</code>.</li>"
               "</ul>"
               "<p>Die Zahlen dürfen höchstens 260 sein, der Anfang darf nicht 0 sein und das Ende "
               "eines Bereichs nicht vor seinem Anfang liegen. Bereiche jenseits des Namensendes "
               "ergeben nichts.</p>");
}

QString helpFoldersAndForbiddenCharacters()
{
    return HelpWindow::tr(
               "<h4>Ordner aus der Maske</h4>"
               "<p>Ein <code>/</code> in der Maske trennt Ordner: "
               "<code>[AUFNAHMEJAHR]/[AUFNAHMEMONAT]/[NAME].[TYP]</code> verschiebt jede Datei in "
               "den Ordner <code>2024/05</code> unterhalb ihres bisherigen Ordners; die Spalte "
               "<i>Neuer Name</i> zeigt <code>2024/05/IMG_4711.JPG</code>. Fehlende Ordner legt "
               "Kesto an. Der Weg führt nur nach unten: vor und nach jedem <code>/</code> muss "
               "ein Name stehen, und <code>.</code> oder <code>..</code> sind als Name ein "
               "Maskenfehler. Nur ein <code>/</code>, den Sie in die Maske schreiben, trennt "
               "Ordner; einer aus einem Platzhalter, einer Zufallszeichenkette oder einem "
               "Ersetzen wird zu <code>_</code>. Schreibweise und Ersetzen im neuen Namen gelten "
               "für jeden Ordner und den Dateinamen für sich. Die Prüfung vor dem Umbenennen "
               "schaut auch in die Zielordner: Zwei Dateien, die im selben neuen Ordner gleich "
               "hießen, eine Datei, die dort schon so heißt, oder eine Datei mit dem Namen eines "
               "neuen Ordners halten die Umbenennung auf. Liegt ein Zielordner auf einem anderen "
               "Laufwerk (etwa ein dort eingehängter USB-Stick), nennt die Zeile &bdquo;anderes "
               "Laufwerk&ldquo;; Kesto kopiert nie. <i>Rückgängig</i> holt die Dateien zurück und "
               "entfernt die Ordner, die die Umbenennung angelegt hat, sobald sie leer sind; "
               "einen Ordner, in den inzwischen etwas anderes gelegt wurde, lässt es stehen und "
               "sagt es.</p>") +
           HelpWindow::tr("<h4>Klammern und verbotene Zeichen</h4>"
                          "<p>Eine öffnende eckige Klammer als Text schreiben Sie doppelt: "
                          "<code>[[2024]</code> ergibt <code>[2024]</code>. Die Zeichen "
                          "<code>\\ : * ? \" &lt; &gt; |</code> sind in der Maske nicht erlaubt, "
                          "<code>/</code> nur als Trenner von Ordnern. Eine "
                          "fehlerhafte Maske meldet die Statuszeile; die Liste zeigt dann "
                          "<code>&lt; Maskenfehler &gt;</code>.</p>"
                          "<p>Fehlt <code>[TYP]</code> in der Maske, fragt Kesto vor dem "
                          "Umbenennen nach, denn "
                          "die Dateien verlören sonst ihre Endung.</p>");
}

QString helpCounterAndLists()
{
    return HelpWindow::tr(
               "<h3>Zähler</h3>"
               "<p><code>[ZAHL]</code> zählt die Dateien in der Reihenfolge der Liste, markiert "
               "oder "
               "nicht. <i>Start bei</i> ist der Wert der ersten Datei, <i>Schrittweite</i> der "
               "Abstand zwischen zwei Dateien. <i>Länge</i> ist die Mindestzahl der Stellen, "
               "<i>Vornullen</i> das Zeichen, mit dem links aufgefüllt wird (keine, Null, "
               "Leerzeichen, Unterstrich). Mit Start 1, Schrittweite 1, Länge 3 und Vornullen "
               "&bdquo;Null&ldquo; heißen die Dateien <code>001</code>, <code>002</code>, "
               "<code>003</code> &hellip; Die Reihenfolge ändern Sie mit einem Klick auf eine "
               "Spaltenüberschrift (ein zweiter Klick kehrt sie um) oder mit den Pfeiltasten neben "
               "der Liste, die die hervorgehobenen Zeilen verschieben. Die Namen werden so "
               "sortiert, "
               "wie man es erwartet: Zahlen nach ihrem Wert (<code>IMG_2</code> vor "
               "<code>IMG_10</code>), <code>apfel</code>, <code>Apfel</code> und "
               "<code>Äpfel</code> "
               "nebeneinander.</p>"
               "<p>Mit <i>In jedem Ordner neu beginnen</i> fängt der Zähler in jedem Ordner wieder "
               "bei <i>Start bei</i> an, in der Reihenfolge der Liste: <code>Urlaub/a.jpg</code>, "
               "<code>Feier/b.jpg</code> und <code>Urlaub/c.jpg</code> bekommen 1, 1 und 2.</p>") +
           HelpWindow::tr(
               "<p>Mit <i>Doppelte Namen durchnummerieren</i> bekommen Dateien, deren neue "
               "Namen gleich sind oder schon einer vorhandenen Datei gehören, <code> (2)</code>, "
               "<code> (3)</code> &hellip; vor der Endung, in der Reihenfolge der Liste: aus "
               "dreimal <code>Foto.jpg</code> werden <code>Foto.jpg</code>, "
               "<code>Foto (2).jpg</code> und <code>Foto (3).jpg</code>. Die erste behält ihren "
               "Namen, außer eine vorhandene Datei heißt so; ein Name, den eine andere Datei der "
               "Liste gerade abgibt, ist frei. Die Vorschau zeigt die Nummern, bevor etwas "
               "umbenannt wird. Die Einstellung wird mit der Maske gespeichert.</p>") +
           HelpWindow::tr(
               "<h3>Namen aus einer Liste oder Tabelle</h3>"
               "<p>Im Menü der Liste (rechte Maustaste) liest <i>Namen aus Liste…</i> eine "
               "Textdatei und <i>Namen aus der Zwischenablage</i> den kopierten Text: Zeile n ist "
               "der Name der n-ten markierten Datei in der Reihenfolge der Liste und steht in der "
               "Maske für <code>[LISTE]</code>. So behält <code>[LISTE].[TYP]</code> die "
               "Endungen, und <code>[ZAHL] [LISTE]</code> nummeriert die Namen. Die Datei darf "
               "UTF-8 oder Windows-1252 sein, mit Zeilenenden von Windows oder Linux; leere "
               "Zeilen zählen mit, nach dem letzten Zeilenende beginnt keine weitere. Hat die "
               "Liste mehr oder weniger Namen, als Dateien markiert sind, nennt die Statuszeile "
               "beide Zahlen, und umbenannt wird nichts. Wie viele Namen die Liste hat, steht "
               "links in der Statuszeile; eine neue Liste ersetzt die alte.</p>"
               "<p><i>Tabelle laden…</i> liest eine Tabelle (CSV oder TSV, etwa aus einer "
               "Tabellenkalkulation). Ihre erste Spalte nennt die Datei: mit absolutem Pfad oder "
               "nur mit dem Namen, der dann in jedem Ordner passt. <code>[SPALTE 2]</code>, "
               "<code>[SPALTE 3]</code> &hellip; stehen für die weiteren Zellen dieser Zeile. "
               "Trennzeichen ist der Tabulator, das Semikolon oder das Komma, je nachdem, was die "
               "erste Zeile enthält; eine Zelle in Anführungszeichen darf Trennzeichen enthalten. "
               "Eine markierte Datei, die in der Tabelle fehlt, zeigt <i>nicht in der "
               "Tabelle</i>, und umbenannt wird nichts; Zeilen, die zu keiner Datei der Liste "
               "gehören, nennt eine Meldung.</p>");
}

QString helpSearchAndCase()
{
    return HelpWindow::tr(
               "<h3>Suchen und Ersetzen</h3>"
               "<p>Drei Sätze ersetzen Text, jeder für sich mit <i>Aktiv</i> eingeschaltet, in der "
               "Reihenfolge 1, 2, 3. Groß- und Kleinschreibung werden beim Suchen nicht "
               "unterschieden, außer mit <i>Groß/klein beachten</i> (dann findet <code>img_</code> "
               "nicht <code>IMG_</code>). Normalerweise wird im alten Namen gesucht; das betrifft "
               "nur "
               "<code>[NAME]</code> und die Teile des alten Namens. Mit <i>Im neuen statt dem "
               "alten "
               "Namen suchen</i> wird im fertigen neuen Namen ersetzt, Dateityp eingeschlossen. "
               "Beispiel: Ersetze <code>img_</code> durch <code>Foto-</code> macht aus "
               "<code>IMG_4711</code> den Namen <code>Foto-4711</code>.</p>"
               "<p>Ein <code>Ä</code> findet auch ein zerlegtes &bdquo;A mit Punkten&ldquo;, wie "
               "macOS Namen schreibt. Neue Namen werden immer zusammengesetzt geschrieben (NFC): "
               "<code>[NAME].[TYP]</code> bringt einen zerlegten Namen in diese Form, und die "
               "Zeile "
               "zählt als Änderung.</p>"
               "<p>Mit <i>Regulärer Ausdruck</i> ist der Suchtext ein regulärer Ausdruck (PCRE2: "
               "Lookbehind, benannte Gruppen, Unicode-Eigenschaften wie <code>\\p{Lu}</code>). "
               "Jeder Treffer wird ersetzt. Im Ersatztext stehen <code>$0</code> bis "
               "<code>$99</code> für den ganzen Treffer und die Gruppen, <code>${1}</code> oder "
               "<code>${name}</code> für eine Gruppe, <code>$$</code> für ein <code>$</code>; was "
               "zwischen <code>\\U</code> und <code>\\E</code> steht, wird groß geschrieben, "
               "zwischen <code>\\L</code> und <code>\\E</code> klein. Beispiele: "
               "<code>(\\d+)_(\\w+)</code> durch <code>$2-$1</code> macht aus "
               "<code>0042_Urlaub</code> den Namen <code>Urlaub-0042</code>; "
               "<code>(?&lt;=IMG_)0+</code> durch nichts macht aus <code>IMG_0007</code> "
               "<code>IMG_7</code>; <code>^(\\w)</code> durch <code>\\U$1\\E</code> macht aus "
               "<code>urlaub</code> <code>Urlaub</code>. Ist ein Ausdruck oder Ersatztext "
               "fehlerhaft "
               "(eine offene Klammer, eine Gruppe, die es nicht gibt) oder bricht die Suche an den "
               "Grenzen von PCRE2 ab, zeigt jede Zeile <code>&lt; Suchfehler &gt;</code>, die "
               "Statuszeile nennt Satz und Grund, und umbenannt wird nichts.</p>") +
           HelpWindow::tr(
               "<h3>Schreibweise</h3>"
               "<p>Die Schreibweise gilt für den ganzen neuen Namen, am Beispiel "
               "<code>mein URLAUB-foto 2te.JPG</code>:</p>"
               "<ul>"
               "<li>beibehalten: unverändert</li>"
               "<li>alles groß: <code>MEIN URLAUB-FOTO 2TE.JPG</code></li>"
               "<li>alles klein: <code>mein urlaub-foto 2te.jpg</code></li>"
               "<li>anfangs groß: <code>Mein urlaub-foto 2te.jpg</code></li>"
               "<li>alternierend-1 (groß nach Leerzeichen): <code>Mein Urlaub-foto "
               "2te.jpg</code></li>"
               "<li>alternierend-2 (groß nach jedem Nicht-Buchstaben): "
               "<code>Mein Urlaub-Foto 2Te.Jpg</code></li>"
               "</ul>"
               "<p><i>Umlaute und Akzente umschreiben</i> schreibt den neuen Namen nach dem "
               "Ersetzen "
               "und der Schreibweise in ASCII: <code>Grüße</code> wird <code>Gruesse</code>, "
               "<code>Ärger</code> wird <code>Aerger</code>, <code>ÄRGER</code> wird "
               "<code>AERGER</code>, <code>café</code> wird <code>cafe</code>, <code>Łódź</code> "
               "wird <code>Lodz</code>, <code>Москва</code> wird <code>Moskva</code>. Zeichen ohne "
               "ASCII-Form (etwa &frac12; oder ein Emoji) bleiben, wie sie sind; leer wird ein "
               "Name "
               "dadurch nie.</p>");
}

QString helpRandomPresetsAndOptions()
{
    return HelpWindow::tr(
               "<h3>Zufallszeichenketten</h3>"
               "<p><code>[ZUFALLSKETTE n]</code> setzt n zufällige Zeichen ein, für jede Datei und "
               "jede Vorschau neu. Aus welchen Zeichen gewählt wird, bestimmen Sie auf der Seite "
               "<i>Schreibweise</i>: Großbuchstaben, Kleinbuchstaben, Zahlen und die "
               "nebenstehenden "
               "Sonderzeichen. Ist nichts gewählt, bleibt die Zufallszeichenkette leer. Beispiel "
               "mit nur &bdquo;Zahlen&ldquo;: <code>[NAME]-[ZUFALLSKETTE 4].[TYP]</code> ergibt "
               "etwa <code>IMG_4711-8302.JPG</code>.</p>") +
           HelpWindow::tr(
               "<h3>Masken speichern und Platzhaltertasten</h3>"
               "<p>Die kleinen Schaltflächen auf der Seite <i>Maske</i> speichern alle "
               "Einstellungen "
               "unter einem Namen, laden oder löschen gespeicherte Einstellungen und setzen die "
               "Maske auf <code>[name].[typ]</code> zurück. Beim Beenden merkt sich Kesto die "
               "Einstellungen für den nächsten Start. Die Platzhaltertasten fügen ihren Text in "
               "die Maske ein; mit der rechten Maustaste belegen Sie eine Taste neu.</p>") +
           HelpWindow::tr(
               "<h3>Optionen</h3>"
               "<p>Hier schalten Sie die Tooltips ein und aus, halten das Fenster über allen "
               "anderen, öffnen den Ordner mit den gespeicherten Masken und dem Protokoll und "
               "wählen die Schriftgröße der Liste.</p>");
}

} // namespace

QString HelpWindow::helpHtml()
{
    // One text a section, so that a change to one leaves the others translated.
    return helpSteps() + helpFilePlaceholders() + helpContentPlaceholders() +
           helpDateFormatsAndNameParts() + helpFoldersAndForbiddenCharacters() +
           helpCounterAndLists() + helpSearchAndCase() + helpRandomPresetsAndOptions();
}

} // namespace kesto
