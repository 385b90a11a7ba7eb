<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Strings</name>
    <message>
        <source>Nov 05, 2013</source>
        <translation>05.11.2013</translation>
    </message>
    <message>
        <source>Digital Meter</source>
        <translation>Digitalanzeige</translation>
    </message>
    <message>
        <source>Analog Meter</source>
        <translation>Analoganzeige</translation>
    </message>
    <message>
        <source>Comparator</source>
        <translation>Komparator</translation>
    </message>
    <message>
        <source>Data list</source>
        <translation>Datenliste</translation>
    </message>
    <message>
        <source>Graphical Recorder</source>
        <translation>Grafischer Schreiber</translation>
    </message>
    <message>
        <source>Graphical viewer</source>
        <translation>Diagrammansicht</translation>
    </message>
    <message>
        <source>Acquisition Interval option</source>
        <translation>Erfassungsintervall</translation>
    </message>
    <message>
        <source>Exporting Data Logger</source>
        <translation>Messdaten exportieren</translation>
    </message>
    <message>
        <source>Acquisition Mode</source>
        <translation>Erfassungsart</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Full Speed</source>
        <translation>Maximale Rate</translation>
    </message>
    <message>
        <source>Customization...</source>
        <translation>Benutzerdefiniert...</translation>
    </message>
    <message>
        <source>Interval in second(s)</source>
        <translation>Intervall in Sekunden</translation>
    </message>
    <message>
        <source>Input an integer value ? </source>
        <translation>Ganze Zahl eingeben: </translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>MetaFile</source>
        <translation>Metadatei</translation>
    </message>
    <message>
        <source>BitMap</source>
        <translation>Bitmap</translation>
    </message>
    <message>
        <source>Text/Data Only</source>
        <translation>Nur Text/Daten</translation>
    </message>
    <message>
        <source>Export Destination</source>
        <translation>Exportziel</translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>Page Scope</source>
        <translation>Seitenbereich</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Alle Seiten</translation>
    </message>
    <message>
        <source>This Page</source>
        <translation>Diese Seite</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Object Size</source>
        <translation>Objektgröße</translation>
    </message>
    <message>
        <source>No Specific Size</source>
        <translation>Keine feste Größe</translation>
    </message>
    <message>
        <source>Pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>Millimeters</source>
        <translation>Millimeter</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Printer Set&amp;up...</source>
        <translation>Dru&amp;cker einrichten...</translation>
    </message>
    <message>
        <source>&amp;Import data from DMM</source>
        <translation>Daten aus DMM &amp;importieren</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Link</source>
        <translation>&amp;Verbinden</translation>
    </message>
    <message>
        <source>Un&amp;link</source>
        <translation>&amp;Trennen</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>&amp;Digital Meter</source>
        <translation>&amp;Digitalanzeige</translation>
    </message>
    <message>
        <source>&amp;Analog Meter</source>
        <translation>&amp;Analoganzeige</translation>
    </message>
    <message>
        <source>&amp;Comparator</source>
        <translation>&amp;Komparator</translation>
    </message>
    <message>
        <source>&amp;Graphical Recorder</source>
        <translation>&amp;Grafischer Schreiber</translation>
    </message>
    <message>
        <source>Data &amp;List</source>
        <translation>Daten&amp;liste</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>&amp;Acquisition</source>
        <translation>&amp;Erfassung</translation>
    </message>
    <message>
        <source>Star&amp;t</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>Sto&amp;p</source>
        <translation>Sto&amp;pp</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>Ma&amp;nuell</translation>
    </message>
    <message>
        <source>&amp;Interval...</source>
        <translation>&amp;Intervall...</translation>
    </message>
    <message>
        <source>F&amp;irst page</source>
        <translation>&amp;Erste Seite</translation>
    </message>
    <message>
        <source>Page &amp;Up</source>
        <translation>&amp;Vorherige Seite</translation>
    </message>
    <message>
        <source>Page &amp;Down</source>
        <translation>&amp;Nächste Seite</translation>
    </message>
    <message>
        <source>&amp;Last page</source>
        <translation>&amp;Letzte Seite</translation>
    </message>
    <message>
        <source>&amp;Print this page ...</source>
        <translation>Diese Seite &amp;drucken ...</translation>
    </message>
    <message>
        <source>E&amp;xport ...</source>
        <translation>&amp;Exportieren ...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Graph Line &amp;Color</source>
        <translation>Linien&amp;farbe</translation>
    </message>
    <message>
        <source>&amp;Fit all data</source>
        <translation>&amp;Alle Daten zeigen</translation>
    </message>
    <message>
        <source>&amp;Undo Zooming</source>
        <translation>&amp;Zoom zurücknehmen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Info...</translation>
    </message>
    <message>
        <source>Link to DMM</source>
        <translation>Mit dem DMM verbinden</translation>
    </message>
    <message>
        <source>Unlink DMM</source>
        <translation>Verbindung zum DMM trennen</translation>
    </message>
    <message>
        <source>Windows tile</source>
        <translation>Fenster nebeneinander anordnen</translation>
    </message>
    <message>
        <source>Digital meter</source>
        <translation>Digitalanzeige</translation>
    </message>
    <message>
        <source>Analog meter</source>
        <translation>Analoganzeige</translation>
    </message>
    <message>
        <source>Data List</source>
        <translation>Datenliste</translation>
    </message>
    <message>
        <source>Port selection...</source>
        <translation>Portauswahl...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Acquisition start</source>
        <translation>Erfassung starten</translation>
    </message>
    <message>
        <source>Acquisition stop</source>
        <translation>Erfassung stoppen</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Datei öffnen...</translation>
    </message>
    <message>
        <source>Save file...</source>
        <translation>Datei speichern...</translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation>Diese Seite drucken</translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation>Aufzeichnung löschen</translation>
    </message>
    <message>
        <source>Interval option...</source>
        <translation>Erfassungsintervall...</translation>
    </message>
    <message>
        <source>Manual acquisition</source>
        <translation>Manuelle Erfassung</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Erste Seite</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Vorherige Seite</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Letzte Seite</translation>
    </message>
    <message>
        <source>Fit all data</source>
        <translation>Alle Daten zeigen</translation>
    </message>
    <message>
        <source>Undo Zooming</source>
        <translation>Zoom zurücknehmen</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Import data from DMM</source>
        <translation>Daten aus DMM importieren</translation>
    </message>
    <message>
        <source>Serial Port selection</source>
        <translation>Serielle Schnittstelle wählen</translation>
    </message>
    <message>
        <source>Comparator Hi-Low limit setting</source>
        <translation>Grenzwerte des Komparators</translation>
    </message>
    <message>
        <source>Upper-Limit : </source>
        <translation>Oberer Grenzwert : </translation>
    </message>
    <message>
        <source>Lower-Limit : </source>
        <translation>Unterer Grenzwert : </translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <source>PF</source>
        <translation>PF</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>Blatt</translation>
    </message>
    <message>
        <source>System: Windows 9x </source>
        <translation>System: Windows 9x </translation>
    </message>
    <message>
        <source>System: Windows NT </source>
        <translation>System: Windows NT </translation>
    </message>
    <message>
        <source>System: Unknown </source>
        <translation>System: unbekannt </translation>
    </message>
    <message>
        <source>System: Linux </source>
        <translation>System: Linux </translation>
    </message>
    <message>
        <source>Data Logger</source>
        <translation>Datenlogger</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Untitled.g52</source>
        <translation>Unbenannt.g52</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Data Logger files(*.g52)|*.g52|Data Logger files(*.g51)|*.g51|Temporary files(*.TMP)|*.tmp</source>
        <translation>Datenlogger-Dateien(*.g52)|*.g52|Datenlogger-Dateien(*.g51)|*.g51|Temporäre Dateien(*.TMP)|*.tmp</translation>
    </message>
    <message>
        <source>Data Logger files(*.g52)|*.g52</source>
        <translation>Datenlogger-Dateien(*.g52)|*.g52</translation>
    </message>
    <message>
        <source>CSV files(*.csv)|*.csv</source>
        <translation>CSV-Dateien(*.csv)|*.csv</translation>
    </message>
    <message>
        <source>The recording could not be written to its temporary file (%s). Recording has stopped; the readings taken so far are kept in memory.</source>
        <translation>Die Aufzeichnung konnte nicht in ihre temporäre Datei geschrieben werden (%s). Die Aufzeichnung ist beendet; die bisher erfassten Messwerte bleiben im Speicher.</translation>
    </message>
    <message>
        <source>The meter&apos;s line on %s hung up: the cable was pulled or the port went away. The link has ended; press Link again once the meter is back.</source>
        <translation>Die Leitung zum Messgerät an %s ist abgebrochen: Das Kabel wurde gezogen oder der Port ist verschwunden. Die Verbindung ist beendet; drücken Sie wieder Verbinden, sobald das Messgerät zurück ist.</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)|*.bmp</source>
        <translation>Bitmap-Dateien (*.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>All (*.emf)|*.emf|Enhanced Metafiles (*.emf)|*.emf</source>
        <translation>Alle (*.emf)|*.emf|Erweiterte Metadateien (*.emf)|*.emf</translation>
    </message>
    <message>
        <source>Page %d does not exist: the pages are numbered 1 to %d.</source>
        <translation>Seite %d gibt es nicht: Die Seiten sind von 1 bis %d nummeriert.</translation>
    </message>
    <message>
        <source>Metafiles are written as enhanced metafiles only. Please choose a name ending in &quot;.emf&quot; instead of &quot;.wmf&quot;.</source>
        <translation>Metadateien werden nur als erweiterte Metadateien (EMF) geschrieben. Bitte wählen Sie einen Namen, der auf „.emf“ statt auf „.wmf“ endet.</translation>
    </message>
    <message>
        <source>A bitmap of %d x %d pixels is larger than the chart can make (at most 16384 pixels a side and 67108864 pixels in all).</source>
        <translation>Eine Bitmap von %d x %d Pixeln ist größer, als das Diagramm sie erzeugen kann (höchstens 16384 Pixel je Kante und 67108864 Pixel insgesamt).</translation>
    </message>
    <message>
        <source>A metafile of %d x %d hundredths of a millimetre is larger than the chart can make (at most 1000000 a side).</source>
        <translation>Eine Metadatei von %d x %d Hundertstelmillimetern ist größer, als das Diagramm sie erzeugen kann (höchstens 1000000 je Kante).</translation>
    </message>
    <message>
        <source>The printer could not start the print-out (%s).</source>
        <translation>Der Drucker konnte den Ausdruck nicht beginnen (%s).</translation>
    </message>
    <message>
        <source>network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>the connection was refused (nothing listens on that port)</source>
        <translation>die Verbindung wurde abgewiesen (an diesem Port lauscht nichts)</translation>
    </message>
    <message>
        <source>there is no route to the host</source>
        <translation>es gibt keine Route zum Host</translation>
    </message>
    <message>
        <source>the host name is unknown</source>
        <translation>der Hostname ist unbekannt</translation>
    </message>
    <message>
        <source>no answer within 2 seconds</source>
        <translation>keine Antwort innerhalb von 2 Sekunden</translation>
    </message>
    <message>
        <source>the network is unreachable</source>
        <translation>das Netzwerk ist nicht erreichbar</translation>
    </message>
    <message>
        <source>no port is given</source>
        <translation>es ist kein Port angegeben</translation>
    </message>
    <message>
        <source>the port is not a number from 1 to 65535</source>
        <translation>der Port ist keine Zahl von 1 bis 65535</translation>
    </message>
    <message>
        <source>only tcp:// is understood</source>
        <translation>nur tcp:// wird verstanden</translation>
    </message>
    <message>
        <source>the host is missing or is no valid name or address</source>
        <translation>der Host fehlt oder ist kein gültiger Name und keine gültige Adresse</translation>
    </message>
    <message>
        <source>Readings: </source>
        <translation>Messwerte: </translation>
    </message>
    <message>
        <source>First: </source>
        <translation>Erster: </translation>
    </message>
    <message>
        <source>Last: </source>
        <translation>Letzter: </translation>
    </message>
    <message>
        <source>Minimum: </source>
        <translation>Minimum: </translation>
    </message>
    <message>
        <source>Maximum: </source>
        <translation>Maximum: </translation>
    </message>
    <message>
        <source>Mean: </source>
        <translation>Mittelwert: </translation>
    </message>
    <message>
        <source>Standard deviation: </source>
        <translation>Standardabweichung: </translation>
    </message>
    <message>
        <source>Above the upper limit %1: %2 readings, %3</source>
        <translation>Über dem oberen Grenzwert %1: %2 Messwerte, %3</translation>
    </message>
    <message>
        <source>Below the lower limit %1: %2 readings, %3</source>
        <translation>Unter dem unteren Grenzwert %1: %2 Messwerte, %3</translation>
    </message>
    <message>
        <source>Limits: none set</source>
        <translation>Grenzwerte: keine gesetzt</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistik</translation>
    </message>
    <message>
        <source>In view</source>
        <translation>Im Ausschnitt</translation>
    </message>
    <message>
        <source>Whole recording</source>
        <translation>Gesamte Aufzeichnung</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Statistics...</source>
        <translation>&amp;Statistik...</translation>
    </message>
    <message>
        <source>A recording was interrupted at %1 (%2 readings). Open it now?

Its file: %3</source>
        <translation>Eine Aufzeichnung wurde um %1 unterbrochen (%2 Messwerte). Jetzt öffnen?

Ihre Datei: %3</translation>
    </message>
    <message>
        <source>meter: %s</source>
        <translation>Messgerät: %s</translation>
    </message>
    <message>
        <source>no meter heard</source>
        <translation>kein Messgerät meldet sich</translation>
    </message>
    <message>
        <source>orvel-cli: unknown command &apos;%s&apos;</source>
        <translation>orvel-cli: unbekannter Befehl „%s“</translation>
    </message>
    <message>
        <source>orvel-cli: cannot read %s</source>
        <translation>orvel-cli: %s kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>orvel-cli: line %d: more than 15 bytes in one read</source>
        <translation>orvel-cli: Zeile %d: mehr als 15 Bytes in einem Lesevorgang</translation>
    </message>
    <message>
        <source>orvel-cli: line %d: &apos;%s&apos; is not a hexadecimal byte</source>
        <translation>orvel-cli: Zeile %d: „%s“ ist kein hexadezimales Byte</translation>
    </message>
    <message>
        <source>orvel-cli: cannot open a pseudo-terminal</source>
        <translation>orvel-cli: kein Pseudo-Terminal zu öffnen</translation>
    </message>
    <message>
        <source>orvel-cli: cannot make the link %s</source>
        <translation>orvel-cli: der Link %s kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>orvel-cli: bad value for %s</source>
        <translation>orvel-cli: ungültiger Wert für %s</translation>
    </message>
    <message>
        <source>orvel-cli: scenario: %s</source>
        <translation>orvel-cli: Szenario: %s</translation>
    </message>
    <message>
        <source>orvel-cli: cannot listen on %1: %2</source>
        <translation>orvel-cli: auf %1 kann nicht gelauscht werden: %2</translation>
    </message>
    <message>
        <source>line %d: the repeat count must be a whole number from 1 up</source>
        <translation>Zeile %d: die Wiederholungszahl muss eine ganze Zahl ab 1 sein</translation>
    </message>
    <message>
        <source>line %d: &apos;%s&apos; is not a display of up to four digits</source>
        <translation>Zeile %d: „%s“ ist keine Anzeige aus höchstens vier Stellen</translation>
    </message>
    <message>
        <source>line %d: unknown annunciator &apos;%s&apos;</source>
        <translation>Zeile %d: unbekanntes Anzeigesymbol „%s“</translation>
    </message>
    <message>
        <source>orvel-cli: page %d is outside 1 .. %d</source>
        <translation>orvel-cli: Seite %d liegt außerhalb von 1 .. %d</translation>
    </message>
    <message>
        <source>orvel-cli: cannot write %s</source>
        <translation>orvel-cli: %s kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>orvel-cli: %s exists; give --force to replace it</source>
        <translation>orvel-cli: %s ist vorhanden; zum Ersetzen --force angeben</translation>
    </message>
    <message>
        <source>Time covered: %1</source>
        <translation>Erfasste Zeitspanne: %1</translation>
    </message>
    <message>
        <source>Intervals: median %1, shortest %2, longest %3 from %4</source>
        <translation>Intervalle: Median %1, kürzestes %2, längstes %3 ab %4</translation>
    </message>
    <message>
        <source>Intervals: none (%1)</source>
        <translation>Intervalle: keine (%1)</translation>
    </message>
    <message>
        <source>fewer than two readings with a readable time</source>
        <translation>weniger als zwei Messwerte mit lesbarer Zeit</translation>
    </message>
    <message>
        <source>Expected interval: %1 (%2); gaps are intervals longer than %3</source>
        <translation>Erwartetes Intervall: %1 (%2); Lücken sind Intervalle über %3</translation>
    </message>
    <message>
        <source>full speed</source>
        <translation>maximale Rate</translation>
    </message>
    <message>
        <source>every %1 s</source>
        <translation>alle %1 s</translation>
    </message>
    <message>
        <source>judged from the readings</source>
        <translation>aus den Messwerten bestimmt</translation>
    </message>
    <message>
        <source>Expected interval: none (manual readings); gaps are not judged</source>
        <translation>Erwartetes Intervall: keines (manuelle Messwerte); Lücken werden nicht bewertet</translation>
    </message>
    <message>
        <source>Gaps: %1, %2 missing, the longest %3 from %4</source>
        <translation>Lücken: %1, %2 fehlen, die längste %3 ab %4</translation>
    </message>
    <message>
        <source>Gaps: none</source>
        <translation>Lücken: keine</translation>
    </message>
    <message>
        <source>Times out of order: %1 (steps back in time: those intervals are not counted)</source>
        <translation>Zeiten außer der Reihe: %1 (Rücksprünge in der Zeit: diese Intervalle zählen nicht)</translation>
    </message>
    <message>
        <source>Times unreadable: %1 (blank or damaged: left out of the intervals and the area)</source>
        <translation>Unlesbare Zeiten: %1 (leer oder beschädigt: bei Intervallen und Fläche ausgelassen)</translation>
    </message>
    <message>
        <source>Charge: %1 Ah</source>
        <translation>Ladung: %1 Ah</translation>
    </message>
    <message>
        <source>Area under the readings: %1 %2</source>
        <translation>Fläche unter den Messwerten: %1 %2</translation>
    </message>
    <message>
        <source>Area under the readings: none (%1)</source>
        <translation>Fläche unter den Messwerten: keine (%1)</translation>
    </message>
    <message>
        <source>the readings mix functions or units</source>
        <translation>die Messwerte mischen Funktionen oder Einheiten</translation>
    </message>
    <message>
        <source>Readings stored: %1, time covered %2</source>
        <translation>Gespeicherte Messwerte: %1, Zeitspanne %2</translation>
    </message>
    <message>
        <source>environment</source>
        <translation>Umgebung</translation>
    </message>
    <message>
        <source>user file</source>
        <translation>Nutzerdatei</translation>
    </message>
    <message>
        <source>default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>present</source>
        <translation>vorhanden</translation>
    </message>
    <message>
        <source>absent</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>AP hh:mm:ss</source>
        <extracomment>The recorder&apos;s status-bar clock, a QTime format: AP is AM/PM, hh the hour of 12, HH of 24.</extracomment>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <source>permission denied — add yourself to the dialout group, then log in again</source>
        <translation>Zugriff verweigert — nehmen Sie sich in die Gruppe dialout auf und melden Sie sich neu an</translation>
    </message>
    <message>
        <source>orvel-cli: %1, line %2: %3; lines left out: %4</source>
        <translation>orvel-cli: %1, Zeile %2: %3; ausgelassene Zeilen: %4</translation>
    </message>
    <message>
        <source>orvel-cli: cannot read the marks in %1: %2</source>
        <translation>orvel-cli: die Markierungen in %1 können nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Mark on reading %1 at %2 (%3): %4</source>
        <translation>Markierung auf Messwert %1 um %2 (%3): %4</translation>
    </message>
    <message>
        <source>%1: mark: %2</source>
        <translation>%1: Markierung: %2</translation>
    </message>
    <message>
        <source>orvel-cli: the mark on reading %1 could not be written (%2); recording goes on</source>
        <translation>orvel-cli: die Markierung auf Messwert %1 konnte nicht geschrieben werden (%2); die Aufzeichnung läuft weiter</translation>
    </message>
    <message>
        <source>orvel-cli: no reading was stored; the mark &apos;%1&apos; was not placed</source>
        <translation>orvel-cli: es wurde kein Messwert gespeichert; die Markierung „%1“ wurde nicht gesetzt</translation>
    </message>
    <message>
        <source>Mar&amp;k</source>
        <translation>&amp;Markieren</translation>
    </message>
    <message>
        <source>Mark &amp;with Text...</source>
        <translation>Mit &amp;Text markieren...</translation>
    </message>
    <message>
        <source>&amp;Edit Mark Text...</source>
        <translation>Markierungstext &amp;bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Remove Mark</source>
        <translation>Markierung &amp;entfernen</translation>
    </message>
    <message>
        <source>Mark the newest reading while recording, else the reading under the cursor (Shift: with a text)</source>
        <translation>Beim Aufzeichnen den neuesten Messwert markieren, sonst den Messwert unter dem Cursor (Umschalt: mit Text)</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Markierung</translation>
    </message>
    <message>
        <source>Text of the mark:</source>
        <translation>Text der Markierung:</translation>
    </message>
    <message>
        <source>The mark is placed, but it could not be written beside the temporary file (%s). It stays with the readings and is saved with them.</source>
        <translation>Die Markierung ist gesetzt, konnte aber nicht neben die temporäre Datei geschrieben werden (%s). Sie bleibt bei den Messwerten und wird mit ihnen gespeichert.</translation>
    </message>
    <message>
        <source>The marks file %1 could not be read whole: line %2: %3. The readings were opened with the marks that could be read.</source>
        <translation>Die Markierungsdatei %1 konnte nicht vollständig gelesen werden: Zeile %2: %3. Die Messwerte wurden mit den lesbaren Markierungen geöffnet.</translation>
    </message>
    <message>
        <source>The marks file %1 could not be read: %2. The readings were opened without marks.</source>
        <translation>Die Markierungsdatei %1 konnte nicht gelesen werden: %2. Die Messwerte wurden ohne Markierungen geöffnet.</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>Markierungen</translation>
    </message>
    <message>
        <source>not the four fields of a mark (reading, time, kind, text)</source>
        <translation>nicht die vier Felder einer Markierung (Messwert, Zeit, Art, Text)</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is no reading number</source>
        <translation>„%s“ ist keine Messwertnummer</translation>
    </message>
    <message>
        <source>reading %1 is beyond the recording&apos;s %2</source>
        <translation>Messwert %1 liegt hinter dem Ende der Aufzeichnung (%2 Messwerte)</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is no kind of mark</source>
        <translation>„%s“ ist keine Art von Markierung</translation>
    </message>
    <message>
        <source>Data Logging ...</source>
        <translation>Aufzeichnung läuft ...</translation>
    </message>
    <message>
        <source>Data in buffer : %d</source>
        <translation>Messwerte im Puffer : %d</translation>
    </message>
    <message>
        <source>Page : %d of %d</source>
        <translation>Seite : %d von %d</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Do you want to save the data to a file before exit ?</source>
        <translation>Möchten Sie die Daten vor dem Beenden in einer Datei speichern?</translation>
    </message>
    <message>
        <source>Will re-try automatically in 3 seconds.</source>
        <translation>Neuer Versuch automatisch in 3 Sekunden.</translation>
    </message>
    <message>
        <source>Check cable connection and COM port selection if required.</source>
        <translation>Prüfen Sie gegebenenfalls die Kabelverbindung und die Wahl des COM-Ports.</translation>
    </message>
    <message>
        <source>(Will continue automatically in 3 seconds.)</source>
        <translation>(Geht in 3 Sekunden automatisch weiter.)</translation>
    </message>
    <message>
        <source>Reading Data : %d of %d</source>
        <translation>Daten lesen : %d von %d</translation>
    </message>
    <message>
        <source>The battery power of the DMM is low.</source>
        <translation>Die Batterie des DMM ist schwach.</translation>
    </message>
    <message>
        <source>You must select a valid COM port before linking to the DMM.</source>
        <translation>Vor dem Verbinden mit dem DMM muss ein gültiger COM-Port gewählt sein.</translation>
    </message>
    <message>
        <source>Do you really want to clear the data in buffer ?</source>
        <translation>Wollen Sie die Daten im Puffer wirklich löschen?</translation>
    </message>
    <message>
        <source>Buffer has data.</source>
        <translation>Der Puffer enthält Daten.</translation>
    </message>
    <message>
        <source>No data received.</source>
        <translation>Keine Daten empfangen.</translation>
    </message>
    <message>
        <source>Reading data from selected file. Please wait ...</source>
        <translation>Daten werden aus der gewählten Datei gelesen. Bitte warten ...</translation>
    </message>
    <message>
        <source>Adding data into buffer. Please wait...</source>
        <translation>Daten werden in den Puffer übernommen. Bitte warten...</translation>
    </message>
    <message>
        <source>First page.</source>
        <translation>Erste Seite.</translation>
    </message>
    <message>
        <source>Last page.</source>
        <translation>Letzte Seite.</translation>
    </message>
    <message>
        <source>Acquiring  data from DMM ... please wait ...</source>
        <translation>Daten werden vom DMM erfasst ... bitte warten ...</translation>
    </message>
    <message>
        <source>Processing data ... please wait ...</source>
        <translation>Daten werden verarbeitet ... bitte warten ...</translation>
    </message>
    <message>
        <source>Do you really want to abort import data ?</source>
        <translation>Wollen Sie den Datenimport wirklich abbrechen?</translation>
    </message>
    <message>
        <source>Warning[W%d]</source>
        <translation>Warnung[W%d]</translation>
    </message>
    <message>
        <source>The specified serial port open error.</source>
        <translation>Die gewählte serielle Schnittstelle lässt sich nicht öffnen.</translation>
    </message>
    <message>
        <source>You must link to the DMM by clicking the link button before starting data logging.</source>
        <translation>Vor dem Start der Aufzeichnung müssen Sie sich mit der Schaltfläche Verbinden mit dem DMM verbinden.</translation>
    </message>
    <message>
        <source>Unable to create file for real time temporary storage in hard disk.</source>
        <translation>Die Datei für die laufende Zwischenspeicherung auf der Festplatte kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>File open error.</source>
        <translation>Fehler beim Öffnen der Datei.</translation>
    </message>
    <message>
        <source>File save error.</source>
        <translation>Fehler beim Speichern der Datei.</translation>
    </message>
    <message>
        <source>Insufficient system memory !</source>
        <translation>Nicht genügend Arbeitsspeicher!</translation>
    </message>
    <message>
        <source>Not a valid floating point value !</source>
        <translation>Keine gültige Gleitkommazahl!</translation>
    </message>
    <message>
        <source>Limit setting is unacceptable.</source>
        <translation>Diese Grenzwerte sind nicht zulässig.</translation>
    </message>
    <message>
        <source>The COM port setting raises an error.</source>
        <translation>Die Einstellung des COM-Ports führt zu einem Fehler.</translation>
    </message>
    <message>
        <source>Cannot reach the meter at %1 port %2: %3.</source>
        <translation>Das Messgerät an %1 Port %2 ist nicht erreichbar: %3.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a network port: %2. Write it as tcp://HOST:PORT, with a port from 1 to 65535.</source>
        <translation>„%1“ ist kein Netzwerkport: %2. Schreiben Sie ihn als tcp://HOST:PORT, mit einem Port von 1 bis 65535.</translation>
    </message>
    <message>
        <source>Please &quot;Browse&quot; and specify a file name !</source>
        <translation>Bitte über „Durchsuchen“ einen Dateinamen angeben!</translation>
    </message>
    <message>
        <source>The DMM connected to this PC does not support built-in DATA LOGGING function.</source>
        <translation>Das an diesen PC angeschlossene DMM hat keine eingebaute Datenlogger-Funktion.</translation>
    </message>
    <message>
        <source>Cannot open file %s</source>
        <translation>Datei %s kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot create file %s</source>
        <translation>Datei %s kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid floating point value</source>
        <translation>„%s“ ist keine gültige Gleitkommazahl</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <translation>„%s“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>Error[E%d]</source>
        <translation>Fehler[E%d]</translation>
    </message>
    <message>
        <source>Usage: orvel [OPTION] [FILE]

Starts the Orvel Data Logging System: reads a handheld multimeter&apos;s display
over a serial port, shows it as a digital and an analog meter, records and
charts the readings, and saves, prints and exports them. FILE, a logger data
file (.g52, .g51), is opened into the recorder at start-up.

Options:
  --help                show this text and exit
  --version             print the version and exit

Environment:
  ORVEL_COM1 … ORVEL_COM10
                        device path of that port (or tcp://HOST:PORT for a meter
                        served on the network), for this run

Files:
  ZEVDL.ini             settings, in the folder the program was started from
  ~/.config/orvel/ports.conf
                        lines COMn=/dev/… that map ports to devices
</source>
        <translation>Aufruf: orvel [OPTION] [DATEI]

Startet das Orvel Data Logging System: liest die Anzeige eines Hand-Multimeters
über eine serielle Schnittstelle, zeigt sie als Digital- und als Analoganzeige,
zeichnet die Messwerte auf, stellt sie als Diagramm dar und speichert, druckt
und exportiert sie. DATEI, eine Logger-Datei
(.g52, .g51), wird beim Start im Schreiber geöffnet.

Optionen:
  --help                diesen Text anzeigen und beenden
  --version             die Version ausgeben und beenden

Umgebung:
  ORVEL_COM1 … ORVEL_COM10
                        Gerätepfad dieses Ports (oder tcp://HOST:PORT für ein im
                        Netzwerk bereitgestelltes Messgerät), für diesen Lauf

Dateien:
  ZEVDL.ini             Einstellungen, im Startordner des Programms
  ~/.config/orvel/ports.conf
                        Zeilen COMn=/dev/…, die Ports Geräten zuordnen
</translation>
    </message>
    <message>
        <source>the condition is empty: write one such as above 1.5, below 150mA, outside 4.9..5.1, overload or silent 10s</source>
        <translation>die Bedingung ist leer: schreiben Sie eine wie above 1.5, below 150mA, outside 4.9..5.1, overload oder silent 10s</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no condition: start with above, below, inside, outside, overload, silent, after, readings or at</source>
        <translation>„%1“ ist keine Bedingung: beginnen Sie mit above, below, inside, outside, overload, silent, after, readings oder at</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a value after it, such as %1 1.5</source>
        <translation>nach „%1“ fehlt ein Wert, etwa %1 1.5</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no value: write a number with a prefix and a unit if you like, such as 1.5, 150m, 150mA or 4.7k</source>
        <translation>„%1“ ist kein Wert: schreiben Sie eine Zahl, wenn Sie wollen mit Vorsatz und Einheit, etwa 1.5, 150m, 150mA oder 4.7k</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no unit: V, A, F, Hz, VA, ohm (Ω), C (°C) or °F, after a prefix n, u, m, k, M or G if you like</source>
        <translation>„%1“ ist keine Einheit: V, A, F, Hz, VA, ohm (Ω), C (°C) oder °F, wenn Sie wollen nach einem Vorsatz n, u, m, k, M oder G</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a range LO..HI after it, such as %1 4.9..5.1</source>
        <translation>nach „%1“ fehlt ein Bereich UNTEN..OBEN, etwa %1 4.9..5.1</translation>
    </message>
    <message>
        <source>the range %1..%2 runs backwards: the low end comes first</source>
        <translation>der Bereich %1..%2 läuft rückwärts: das untere Ende kommt zuerst</translation>
    </message>
    <message>
        <source>the ends of the range name different units (%1 and %2)</source>
        <translation>die Enden des Bereichs nennen verschiedene Einheiten (%1 und %2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no duration: write a number with ms, s, m or h, such as 500ms, 10s, 5m or 2h</source>
        <translation>„%1“ ist keine Dauer: schreiben Sie eine Zahl mit ms, s, m oder h, etwa 500ms, 10s, 5m oder 2h</translation>
    </message>
    <message>
        <source>the duration %1 is out of range: longer than 0 and at most 366 days</source>
        <translation>die Dauer %1 liegt außerhalb des Bereichs: länger als 0 und höchstens 366 Tage</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no count of readings: a whole number from 1 on</source>
        <translation>„%1“ ist keine Anzahl von Messwerten: eine ganze Zahl ab 1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no time of day: HH:MM or HH:MM:SS, such as 7:30 or 18:00:30</source>
        <translation>„%1“ ist keine Uhrzeit: HH:MM oder HH:MM:SS, etwa 7:30 oder 18:00:30</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not understood: only &apos;for&apos; and a duration may follow the condition</source>
        <translation>„%1“ wird nicht verstanden: nach der Bedingung dürfen nur „for“ und eine Dauer folgen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a duration after it, such as %1 10s</source>
        <translation>nach „%1“ fehlt eine Dauer, etwa %1 10s</translation>
    </message>
    <message>
        <source>&apos;%1&apos; counts from the start of the recording: it can only stop one</source>
        <translation>„%1“ zählt ab dem Beginn der Aufzeichnung: damit lässt sich eine nur beenden</translation>
    </message>
    <message>
        <source>&apos;at&apos; cannot be an alarm: a time of day starts or stops a recording</source>
        <translation>„at“ kann kein Alarm sein: eine Uhrzeit startet oder beendet eine Aufzeichnung</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a range LO..HI or the word &apos;limits&apos; after it, such as %1 4.9..5.1 or %1 limits</source>
        <translation>nach „%1“ fehlt ein Bereich UNTEN..OBEN oder das Wort „limits“, etwa %1 4.9..5.1 oder %1 limits</translation>
    </message>
    <message>
        <source>the value %1 does not fit single precision</source>
        <translation>der Wert %1 passt nicht in einfache Genauigkeit</translation>
    </message>
    <message>
        <source>Waiting: %1, %2 readings kept</source>
        <translation>Wartet: %1, %2 Messwerte vorgehalten</translation>
    </message>
    <message>
        <source>%1 (the meter reads %2)</source>
        <translation>%1 (das Messgerät misst %2)</translation>
    </message>
    <message>
        <source>%1 (the comparator&apos;s upper limit is not above its lower one)</source>
        <translation>%1 (die obere Grenze des Komparators liegt nicht über der unteren)</translation>
    </message>
    <message>
        <source>start: %1</source>
        <translation>Start: %1</translation>
    </message>
    <message>
        <source>stop: %1</source>
        <translation>Stopp: %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>the command for the mark on reading %1 was not run: %2 commands still run</source>
        <translation>der Befehl für die Markierung auf Messwert %1 wurde nicht ausgeführt: %2 Befehle laufen noch</translation>
    </message>
    <message>
        <source>the command for the mark on reading %1 ended with status %2</source>
        <translation>der Befehl für die Markierung auf Messwert %1 endete mit Status %2</translation>
    </message>
    <message>
        <source>the command for the mark on reading %1 could not start: %2</source>
        <translation>der Befehl für die Markierung auf Messwert %1 konnte nicht starten: %2</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>orvel-cli: waiting for %1, keeping %2 readings</source>
        <translation>orvel-cli: wartet auf %1, hält %2 Messwerte vor</translation>
    </message>
    <message>
        <source>Started: %1 at %2, %3 readings kept before it</source>
        <translation>Gestartet: %1 um %2, %3 Messwerte davor vorgehalten</translation>
    </message>
    <message>
        <source>Started: at once</source>
        <translation>Gestartet: sofort</translation>
    </message>
    <message>
        <source>Not started: still waiting for %1</source>
        <translation>Nicht gestartet: wartet noch auf %1</translation>
    </message>
    <message>
        <source>Stopped: %1 at %2</source>
        <translation>Beendet: %1 um %2</translation>
    </message>
    <message>
        <source>Stopped: by a signal</source>
        <translation>Beendet: durch ein Signal</translation>
    </message>
    <message>
        <source>Stopped: the meter&apos;s line was lost</source>
        <translation>Beendet: die Leitung zum Messgerät ist abgebrochen</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Beendet: %1</translation>
    </message>
    <message>
        <source>Readings not in the file: %1 (%2)</source>
        <translation>Messwerte nicht in der Datei: %1 (%2)</translation>
    </message>
    <message>
        <source>%1 cannot hold: the meter reads %2</source>
        <translation>%1 kann nicht zutreffen: das Messgerät misst %2</translation>
    </message>
    <message>
        <source>orvel-cli: %1 %2: %3</source>
        <translation>orvel-cli: %1 %2: %3</translation>
    </message>
    <message>
        <source>orvel-cli: cannot write %1</source>
        <translation>orvel-cli: %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Stopped: by hand</source>
        <translation>Beendet: von Hand</translation>
    </message>
    <message>
        <source>&amp;Conditions...</source>
        <translation>Be&amp;dingungen...</translation>
    </message>
    <message>
        <source>Unattended Recording</source>
        <translation>Unbeaufsichtigte Aufzeichnung</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>At once</source>
        <translation>Sofort</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wenn</translation>
    </message>
    <message>
        <source>At the time</source>
        <translation>Zur Uhrzeit</translation>
    </message>
    <message>
        <source>Readings kept before the start:</source>
        <translation>Vor dem Start vorgehaltene Messwerte:</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>After this many readings</source>
        <translation>Nach so vielen Messwerten</translation>
    </message>
    <message>
        <source>After this long</source>
        <translation>Nach dieser Dauer</translation>
    </message>
    <message>
        <source>When any of these holds (one condition a line)</source>
        <translation>Wenn eine davon zutrifft (eine Bedingung je Zeile)</translation>
    </message>
    <message>
        <source>Alarms: a mark when one of these holds (one condition a line)</source>
        <translation>Alarme: eine Markierung, wenn eine davon zutrifft (eine Bedingung je Zeile)</translation>
    </message>
    <message>
        <source>Sound the comparator&apos;s tone on an alarm</source>
        <translation>Bei einem Alarm den Ton des Komparators spielen</translation>
    </message>
    <message>
        <source>Command on each mark (run by the shell; the mark in ORVEL_MARK_* variables):</source>
        <translation>Befehl bei jeder Markierung (von der Shell ausgeführt; die Markierung in ORVEL_MARK_*-Variablen):</translation>
    </message>
    <message>
        <source>The conditions could not be kept in %1: %2</source>
        <translation>Die Bedingungen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Start, stop and alarms of an unattended recording</source>
        <translation>Start, Stopp und Alarme einer unbeaufsichtigten Aufzeichnung</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>orvel-cli: %s: a picture&apos;s name ends in .png, .svg or .pdf</source>
        <translation>orvel-cli: %s: der Name eines Bildes endet auf .png, .svg oder .pdf</translation>
    </message>
    <message>
        <source>orvel-cli: %1 charts of %2 × %3 pixels make a picture too large; plot fewer pages or give a smaller --size</source>
        <translation>orvel-cli: %1 Diagramme von %2 × %3 Pixeln ergeben ein zu großes Bild; zeichnen Sie weniger Seiten oder geben Sie eine kleinere --size an</translation>
    </message>
    <message>
        <source>orvel-cli: recording into %s</source>
        <translation>orvel-cli: Aufzeichnung in %s</translation>
    </message>
    <message>
        <source>orvel-cli: %s is complete:</source>
        <translation>orvel-cli: %s ist vollständig:</translation>
    </message>
    <message>
        <source>Usage: orvel-cli COMMAND [OPTIONS]

Commands (orvel-cli COMMAND --help shows one of them):
  decode [FILE]         decode serial reads (hex bytes, one read a line) into JSON lines
  simulate [OPTIONS]    play a meter on a pseudo-terminal; prints its path first
      --listen [HOST:]PORT
                        serve the meter on TCP instead, to one client at a time; binds to
                        the loopback address 127.0.0.1 unless HOST is given (0.0.0.0: every
                        address); prints tcp://HOST:PORT first (PORT 0: a free port)
      --period MS       time between frames (default 250)
      --pace            send byte by byte at the line&apos;s rate
      --scenario NAME|FILE
                        play a built-in scenario: battery (the default: a cell discharging
                        through a changing load, then charged again) or tour (every
                        function in turn); or a scenario FILE
      --count N         stop after N frames
      --link PATH       also make a symbolic link PATH to the terminal
      --fault KIND      misbehave: noise (random bytes before each frame), drop
                        (one frame in two, at random, loses a byte), stall (3 s of
                        silence every 20 frames), burst (20 frames back to back each
                        period, faster than the line carries them), hangup
                        (after 20 frames the terminal closes as if the cable were
                        pulled; 2 s later a new one opens, its path printed again;
                        on TCP the connection closes)
  monitor PORT [--count N] [--json]
                        link to a meter and print what the digital meter shows, a line a tick;
                        ends with status 3 when the line hangs up; --json: a JSON object a
                        reading and a warning, nothing else on standard output
      --port PORT       the port, given as an option instead
  record PORT --out FILE.g52 [OPTIONS]
                        record readings as the recorder does, each one written at once;
                        each line on standard input places a mark with that text on the
                        newest stored reading (lines before the first reading wait for
                        it), written at once to FILE.g52.marks
      --port PORT       the port, given as an option instead
      --interval S|full store the first reading every S seconds, or every one (default full)
      --count N         stop after N stored readings
      --duration S      stop after S seconds (SIGINT and SIGTERM also end it)
      --start-when COND wait, storing nothing, until COND fires, then record
      --pre N           with --start-when: keep the last N readings before it and store
                        them first, with their own times (default 0)
      --stop-when COND  stop when COND fires, before that reading (repeat: any of them)
      --mark-when COND  an alarm: place a mark when COND fires (repeat for more)
      --tone            sound the comparator&apos;s tone on each alarm
      --on-mark CMD     run CMD through the shell on each mark, without waiting for it;
                        the mark in ORVEL_MARK_READING, _TIME, _VALUE, _UNIT, _KIND,
                        _TEXT and _FILE (at most 4 at once; more are dropped)
                        COND: above X, below X, inside LO..HI, outside LO..HI, outside
                        limits, overload, silent D; to stop also after D, readings N;
                        to start or stop at HH:MM[:SS]; then maybe &quot;for D&quot; (it must
                        hold that long). X: 1.5, 150m, 150mA, 4.7k; D: 500ms, 10s, 5m, 2h
      --csv FILE        also write each reading&apos;s exported text line to FILE
      --force           replace existing output files
      --rotate daily|DURATION|never
                        name the files after the date and time each begins
                        (FILE-YYYYMMDD-HHMMSS.g52, never an existing name) and begin the
                        next at midnight, or after every DURATION (seconds, or 90s, 15m,
                        1h, 7d); never: one file; readings are numbered in each file
      --quiet           no line a stored reading on standard error
      --json            a JSON object a stored reading, a mark and a warning on standard output
  convert IN [OUT | --out OUT] [--pages FROM-TO] [--marks]
                        write the exported text of a logger data file (.g52, .g51,
                        .TMP) to OUT, or to standard output; pages counted as the
                        recorder counts them (page 1 is the short one)
      --marks           write instead the lines of IN&apos;s marks file (IN.marks) for the
                        marks on those pages&apos; readings, numbered as in IN
  stats FILE [--pages FROM-TO] [--json]
                        print the statistics of a logger data file&apos;s readings: count,
                        times, minimum, maximum, mean, deviation, the area under them,
                        intervals and gaps, then the marks on them; as text, or as one
                        JSON object
  plot FILE [--pages FROM-TO] [--size WIDTHxHEIGHT] --out PICTURE
                        draw a logger data file as the graph viewer shows it (from 8192
                        readings on, each block&apos;s largest and smallest), or pages FROM to
                        TO as the recorder shows them, with its marks, into PICTURE: .png,
                        .svg or .pdf; a chart is WIDTHxHEIGHT pixels (default 1280x800,
                        96 dots per inch); pages go one under another, in a PDF a page each
  ports [--listen]      list COM1..COM10 and the device each one opens; with --listen, listen
                        up to a second on each that opens and show what a meter sends
                        (a network port shows &quot;network&quot; and is connected to only then)
  help                  show this text
  version               print the version

PORT is COM1..COM10, a device path, or tcp://HOST:PORT for a meter served on the
network (tcp://[::1]:4001 for an IPv6 address); the program only connects out.
</source>
        <translation>Aufruf: orvel-cli BEFEHL [OPTIONEN]

Befehle (orvel-cli BEFEHL --help zeigt einen davon):
  decode [DATEI]        serielle Lesevorgänge (Hex-Bytes, einer je Zeile) in JSON-Zeilen umsetzen
  simulate [OPTIONEN]   ein Messgerät an einem Pseudo-Terminal spielen; gibt zuerst dessen Pfad aus
      --listen [HOST:]PORT
                        das Messgerät stattdessen über TCP bereitstellen, für je einen Client;
                        bindet an die Loopback-Adresse 127.0.0.1, wenn kein HOST angegeben ist
                        (0.0.0.0: jede Adresse); gibt zuerst tcp://HOST:PORT aus (PORT 0: ein
                        freier Port)
      --period MS       Zeit zwischen den Frames (Vorgabe 250)
      --pace            Byte für Byte im Takt der Leitung senden
      --scenario NAME|DATEI
                        ein eingebautes Szenario spielen: battery (die Vorgabe: eine Zelle, die
                        sich über eine wechselnde Last entlädt und dann wieder geladen wird) oder
                        tour (jede Funktion der Reihe nach); oder eine Szenario-DATEI
      --count N         nach N Frames aufhören
      --link PFAD       zusätzlich einen symbolischen Link PFAD auf das Terminal anlegen
      --fault ART       Fehlverhalten: noise (zufällige Bytes vor jedem Frame), drop (von je zwei
                        Frames verliert einer, zufällig, ein Byte), stall (3 s Stille alle 20
                        Frames), burst (20 Frames je Periode direkt hintereinander, schneller als
                        die Leitung sie überträgt), hangup (nach 20 Frames schließt sich das
                        Terminal, als wäre das Kabel gezogen; 2 s später öffnet sich ein neues,
                        sein Pfad wird erneut ausgegeben; über TCP wird die Verbindung geschlossen)
  monitor PORT [--count N] [--json]
                        mit einem Messgerät verbinden und je Takt ausgeben, was die Digitalanzeige
                        zeigt; endet mit Status 3, wenn die Leitung abbricht; --json: ein
                        JSON-Objekt je Messwert und je Warnung, sonst nichts auf der
                        Standardausgabe
      --port PORT       der Port, stattdessen als Option angegeben
  record PORT --out DATEI.g52 [OPTIONEN]
                        Messwerte aufzeichnen wie der Schreiber, jeden sofort geschrieben; jede
                        Zeile der Standardeingabe setzt eine Markierung mit diesem Text auf den
                        neuesten gespeicherten Messwert (Zeilen vor dem ersten Messwert warten auf
                        ihn), sofort in DATEI.g52.marks geschrieben
      --port PORT       der Port, stattdessen als Option angegeben
      --interval S|full je S Sekunden den ersten Messwert speichern oder jeden (Vorgabe full)
      --count N         nach N gespeicherten Messwerten aufhören
      --duration S      nach S Sekunden aufhören (auch SIGINT und SIGTERM beenden)
      --start-when BED
                        warten, ohne zu speichern, bis BED eintritt, dann aufzeichnen
      --pre N           mit --start-when: die letzten N Messwerte davor vorhalten und sie
                        zuerst speichern, mit ihren eigenen Zeiten (Vorgabe 0)
      --stop-when BED   aufhören, wenn BED eintritt, vor diesem Messwert (mehrfach: jede davon)
      --mark-when BED   ein Alarm: eine Markierung setzen, wenn BED eintritt (mehrfach für mehr)
      --tone            bei jedem Alarm den Ton des Komparators spielen
      --on-mark BEFEHL  BEFEHL bei jeder Markierung durch die Shell ausführen, ohne darauf
                        zu warten; die Markierung in ORVEL_MARK_READING, _TIME, _VALUE, _UNIT,
                        _KIND, _TEXT und _FILE (höchstens 4 zugleich; weitere entfallen)
                        BED: above X, below X, inside LO..HI, outside LO..HI, outside
                        limits, overload, silent D; zum Beenden auch after D, readings N;
                        zum Starten oder Beenden at HH:MM[:SS]; dann gegebenenfalls &quot;for D&quot;
                        (sie muss so lange zutreffen). X: 1.5, 150m, 150mA, 4.7k; D: 500ms,
                        10s, 5m, 2h
      --csv DATEI       zusätzlich die exportierte Textzeile jedes Messwerts in DATEI schreiben
      --force           vorhandene Ausgabedateien ersetzen
      --rotate daily|DAUER|never
                        die Dateien nach Datum und Uhrzeit ihres Beginns benennen
                        (DATEI-JJJJMMTT-HHMMSS.g52, nie ein vorhandener Name) und die nächste
                        um Mitternacht beginnen oder nach jeder DAUER (Sekunden, oder 90s, 15m,
                        1h, 7d); never: eine Datei; die Messwerte sind je Datei nummeriert
      --quiet           keine Zeile je gespeichertem Messwert auf der Standardfehlerausgabe
      --json            ein JSON-Objekt je gespeichertem Messwert, je Markierung und je Warnung auf
                        der Standardausgabe
  convert EIN [AUS | --out AUS] [--pages VON-BIS] [--marks]
                        den exportierten Text einer Logger-Datei (.g52, .g51, .TMP) nach AUS oder
                        auf die Standardausgabe schreiben; Seiten gezählt wie im Schreiber (Seite 1
                        ist die kurze)
      --marks           stattdessen die Zeilen der Markierungsdatei EIN.marks für die Markierungen
                        auf den Messwerten dieser Seiten schreiben, nummeriert wie in EIN
  stats DATEI [--pages VON-BIS] [--json]
                        die Statistik der Messwerte einer Logger-Datei ausgeben: Anzahl, Zeiten,
                        Minimum, Maximum, Mittelwert, Abweichung, die Fläche darunter, Intervalle
                        und Lücken, dann die Markierungen darauf; als Text oder als ein JSON-Objekt
  plot DATEI [--pages VON-BIS] [--size BREITExHÖHE] --out BILD
                        eine Logger-Datei zeichnen, wie die Diagrammansicht sie zeigt (ab 8192
                        Messwerten den größten und kleinsten jedes Blocks), oder die Seiten VON
                        bis BIS, wie der Schreiber sie zeigt, mit ihren Markierungen, in BILD:
                        .png, .svg oder .pdf; ein Diagramm hat BREITExHÖHE Pixel (Vorgabe
                        1280x800, 96 Punkte je Zoll); Seiten untereinander, im PDF je eine Seite
  ports [--listen]      COM1..COM10 mit dem Gerät auflisten, das jeder öffnet; mit --listen an
                        jedem, der sich öffnet, bis zu einer Sekunde lauschen und zeigen, was ein
                        Messgerät sendet (ein Netzwerkport zeigt „Netzwerk“ und wird erst dann
                        verbunden)
  help                  diesen Text anzeigen
  version               die Version ausgeben

PORT ist COM1..COM10, ein Gerätepfad oder tcp://HOST:PORT für ein im Netzwerk
bereitgestelltes Messgerät (tcp://[::1]:4001 für eine IPv6-Adresse); das Programm
verbindet sich nur nach außen.
</translation>
    </message>
    <message>
        <source>orvel-cli: %1 has no option %2</source>
        <translation>orvel-cli: %1 hat keine Option %2</translation>
    </message>
</context>
</TS>
