<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ColumnNames</name>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message>
        <source>Bandwidth</source>
        <translation>Bandbreite</translation>
    </message>
    <message>
        <source>IF Shift</source>
        <translation>ZF-Verschiebung</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Schnelltaste</translation>
    </message>
    <message>
        <source>Lockout</source>
        <translation>Sperre</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Level Squelch</source>
        <translation>Pegel-Squelch</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Callsign</source>
        <translation>Rufzeichen</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>%1, column %2</source>
        <translation>%1, Spalte %2</translation>
    </message>
    <message>
        <source>CSV header: %1</source>
        <translation>Kopfzeile der CSV-Datei: %1</translation>
    </message>
    <message>
        <source>x (reserved, column %1)</source>
        <translation>x (reserviert, Spalte %1)</translation>
    </message>
    <message>
        <source>x (Secondary squelch type)</source>
        <translation>x (Sekundärer Squelch-Typ)</translation>
    </message>
    <message>
        <source>x (Secondary squelch value)</source>
        <translation>x (Sekundärer Squelch-Wert)</translation>
    </message>
</context>
<context>
    <name>Count</name>
    <message numerus="yes">
        <source>%Ln row(s)</source>
        <translation>
            <numerusform>%Ln Zeile</numerusform>
            <numerusform>%Ln Zeilen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln cell(s)</source>
        <translation>
            <numerusform>%Ln Zelle</numerusform>
            <numerusform>%Ln Zellen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln column(s)</source>
        <translation>
            <numerusform>%Ln Spalte</numerusform>
            <numerusform>%Ln Spalten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln channel(s)</source>
        <translation>
            <numerusform>%Ln Kanal</numerusform>
            <numerusform>%Ln Kanäle</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln line(s)</source>
        <translation>
            <numerusform>%Ln Textzeile</numerusform>
            <numerusform>%Ln Textzeilen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln problem(s)</source>
        <translation>
            <numerusform>%Ln Problem</numerusform>
            <numerusform>%Ln Probleme</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln notice(s)</source>
        <translation>
            <numerusform>%Ln Hinweis</numerusform>
            <numerusform>%Ln Hinweise</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln record(s)</source>
        <translation>
            <numerusform>%Ln Datensatz</numerusform>
            <numerusform>%Ln Datensätze</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln character(s)</source>
        <translation>
            <numerusform>%Ln Zeichen</numerusform>
            <numerusform>%Ln Zeichen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln page(s)</source>
        <translation>
            <numerusform>%Ln Seite</numerusform>
            <numerusform>%Ln Seiten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln empty row(s)</source>
        <translation>
            <numerusform>%Ln leere Zeile</numerusform>
            <numerusform>%Ln leere Zeilen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln broadcast(s)</source>
        <translation>
            <numerusform>%Ln Sendung</numerusform>
            <numerusform>%Ln Sendungen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EditDialogs</name>
    <message>
        <source>Go to Channel</source>
        <translation>Gehe zu Kanal</translation>
    </message>
    <message>
        <source>Channel number:</source>
        <translation>Kanalnummer:</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Number each &amp;Location + 1</source>
        <translation>Jede &amp;Location + 1 nummerieren</translation>
    </message>
    <message>
        <source>&amp;Keep the Locations, leave out 0</source>
        <translation>Locations &amp;behalten, 0 auslassen</translation>
    </message>
    <message>
        <source>Number &amp;1 to n in file order</source>
        <translation>&amp;1 bis n in Dateireihenfolge nummerieren</translation>
    </message>
    <message>
        <source>Save as .&amp;csv</source>
        <translation>Als .&amp;csv speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Save as %1</source>
        <translation>Als %1 speichern</translation>
    </message>
</context>
<context>
    <name>TablePrinter</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>corvalen::BackgroundWork</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>corvalen::BackupOption</name>
    <message>
        <source>Keep a &amp;Backup When Saving</source>
        <translation>Beim Speichern &amp;Sicherung behalten</translation>
    </message>
    <message>
        <source>Before a save replaces a file, its previous version is kept beside it as NAME~</source>
        <translation>Bevor eine Datei beim Speichern ersetzt wird, bleibt ihre vorige Fassung daneben als NAME~ erhalten</translation>
    </message>
</context>
<context>
    <name>corvalen::CellEditorDelegate</name>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Frequency in %1; a unit typed with the number (Hz, kHz, MHz, k, M) wins</source>
        <translation>Frequenz in %1; eine mit der Zahl getippte Einheit (Hz, kHz, MHz, k, M) gilt vorrangig</translation>
    </message>
    <message>
        <source>%1 is not a whole number of Hz: in %2 give at most %3 decimals; the cell keeps its frequency</source>
        <translation>%1 ist keine ganze Zahl von Hz: in %2 höchstens %3 Nachkommastellen angeben; die Zelle behält ihre Frequenz</translation>
    </message>
    <message>
        <source>%1 is too large for a frequency; the cell keeps its frequency</source>
        <translation>%1 ist zu groß für eine Frequenz; die Zelle behält ihre Frequenz</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a frequency: type a number, in %2 or with Hz, kHz or MHz after it; the cell keeps its frequency</source>
        <translation>„%1“ ist keine Frequenz: eine Zahl eingeben, in %2 oder mit Hz, kHz oder MHz dahinter; die Zelle behält ihre Frequenz</translation>
    </message>
</context>
<context>
    <name>corvalen::ChannelActions</name>
    <message>
        <source>Set Field of Selected Rows…</source>
        <translation>Feld der gewählten Zeilen setzen…</translation>
    </message>
    <message>
        <source>Add Channel Range…</source>
        <translation>Kanalbereich anfügen…</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Move to Top</source>
        <translation>An den Anfang</translation>
    </message>
    <message>
        <source>Move to Bottom</source>
        <translation>An das Ende</translation>
    </message>
    <message>
        <source>Go to Channel…</source>
        <translation>Gehe zu Kanal…</translation>
    </message>
    <message>
        <source>Select the rows to change first</source>
        <translation>Zuerst die zu ändernden Zeilen wählen</translation>
    </message>
    <message>
        <source>Set %1 of Selected Rows</source>
        <translation>%1 der gewählten Zeilen setzen</translation>
    </message>
    <message>
        <source>%1 of the selected rows already held that</source>
        <translation>%1 der gewählten Zeilen hatte diesen Wert schon</translation>
    </message>
    <message>
        <source>Set %1 of %2</source>
        <translation>%1 von %2 gesetzt</translation>
    </message>
    <message>
        <source>Add Channel Range</source>
        <translation>Kanalbereich anfügen</translation>
    </message>
    <message>
        <source>Added 1 channel, number %1</source>
        <translation>1 Kanal angefügt, Nummer %1</translation>
    </message>
    <message>
        <source>Added %1 channels, numbered %2 to %3</source>
        <translation>%1 Kanäle angefügt, Nummern %2 bis %3</translation>
    </message>
    <message>
        <source>No row holds channel %1</source>
        <translation>Keine Zeile enthält Kanal %1</translation>
    </message>
    <message>
        <source>Channel %1 is in row %2</source>
        <translation>Kanal %1 steht in Zeile %2</translation>
    </message>
    <message>
        <source>Moved %1 up</source>
        <translation>%1 nach oben verschoben</translation>
    </message>
    <message>
        <source>Moved %1 down</source>
        <translation>%1 nach unten verschoben</translation>
    </message>
    <message>
        <source>Moved %1 to the top</source>
        <translation>%1 an den Anfang verschoben</translation>
    </message>
    <message>
        <source>Moved %1 to the bottom</source>
        <translation>%1 ans Ende verschoben</translation>
    </message>
</context>
<context>
    <name>corvalen::ChannelRangeDialog</name>
    <message>
        <source>Add Channel Range</source>
        <translation>Kanalbereich anfügen</translation>
    </message>
    <message>
        <source>&amp;Start:</source>
        <translation>&amp;Anfang:</translation>
    </message>
    <message>
        <source>e.g. 118 or 118.000 MHz (MHz when no unit)</source>
        <translation>z. B. 118 oder 118,000 MHz (MHz ohne Einheit)</translation>
    </message>
    <message>
        <source>S&amp;top:</source>
        <translation>&amp;Ende:</translation>
    </message>
    <message>
        <source>e.g. 136.975 MHz, included when a step lands on it</source>
        <translation>z. B. 136,975 MHz, enthalten, wenn ein Schritt es trifft</translation>
    </message>
    <message>
        <source>Ste&amp;p:</source>
        <translation>&amp;Schritt:</translation>
    </message>
    <message>
        <source>e.g. 25 kHz or 8330 Hz (kHz when no unit)</source>
        <translation>z. B. 25 kHz oder 8330 Hz (kHz ohne Einheit)</translation>
    </message>
    <message>
        <source>First &amp;number:</source>
        <translation>Erste &amp;Nummer:</translation>
    </message>
    <message>
        <source>empty: after the highest, %1</source>
        <translation>leer: nach der höchsten, %1</translation>
    </message>
    <message>
        <source>&amp;Mode:</source>
        <translation>&amp;Modus:</translation>
    </message>
    <message>
        <source>&amp;Bandwidth:</source>
        <translation>&amp;Bandbreite:</translation>
    </message>
    <message>
        <source>&amp;IF Shift:</source>
        <translation>&amp;ZF-Verschiebung:</translation>
    </message>
    <message>
        <source>&amp;Groups:</source>
        <translation>&amp;Gruppen:</translation>
    </message>
    <message>
        <source>e.g. 1+3</source>
        <translation>z. B. 1+3</translation>
    </message>
    <message>
        <source>&amp;Callsign:</source>
        <translation>&amp;Rufzeichen:</translation>
    </message>
    <message>
        <source>Co&amp;mments:</source>
        <translation>&amp;Kommentar:</translation>
    </message>
    <message>
        <source>empty: %1 Hz, the default for the mode</source>
        <translation>leer: %1 Hz, die Vorgabe des Modus</translation>
    </message>
    <message>
        <source>Adds 1 channel, numbered %1; %2 in all.</source>
        <translation>Fügt 1 Kanal an, Nummer %1; %2 insgesamt.</translation>
    </message>
    <message>
        <source>Adds %1 channels, numbered %2 to %3; %4 in all.</source>
        <translation>Fügt %1 Kanäle an, Nummern %2 bis %3; %4 insgesamt.</translation>
    </message>
</context>
<context>
    <name>corvalen::ChannelViewModel</name>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
</context>
<context>
    <name>corvalen::CompareDialog</name>
    <message>
        <source>Take &amp;Channel from File</source>
        <translation>&amp;Kanal aus der Datei übernehmen</translation>
    </message>
    <message>
        <source>Take C&amp;ell from File</source>
        <translation>&amp;Zelle aus der Datei übernehmen</translation>
    </message>
    <message>
        <source>Compare with %1</source>
        <translation>Mit %1 vergleichen</translation>
    </message>
    <message>
        <source>All differences</source>
        <translation>Alle Unterschiede</translation>
    </message>
    <message>
        <source>Only in the table</source>
        <translation>Nur in der Tabelle</translation>
    </message>
    <message>
        <source>Only in the file</source>
        <translation>Nur in der Datei</translation>
    </message>
    <message>
        <source>Changed</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Rows holding this text</source>
        <translation>Zeilen mit diesem Text</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Zeigen:</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Unterschied</translation>
    </message>
    <message>
        <source>only in the table</source>
        <translation>nur in der Tabelle</translation>
    </message>
    <message>
        <source>only in the file</source>
        <translation>nur in der Datei</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>The table and %1 hold the same channels in the fields compared: %2.</source>
        <translation>Die Tabelle und %1 halten dieselben Kanäle in den verglichenen Feldern: %2.</translation>
    </message>
    <message>
        <source>%1 only in the table, %2 only in the file, %3 changed. Fields compared: %4.</source>
        <translation>%1 nur in der Tabelle, %2 nur in der Datei, %3 geändert. Verglichene Felder: %4.</translation>
    </message>
    <message>
        <source>Take Channel %1 from %2</source>
        <translation>Kanal %1 aus %2 übernehmen</translation>
    </message>
    <message>
        <source>Take %1 of Channel %2 from %3</source>
        <translation>%1 von Kanal %2 aus %3 übernehmen</translation>
    </message>
</context>
<context>
    <name>corvalen::EditActions</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Add Row</source>
        <translation>Zeile anfügen</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>Zeile einfügen</translation>
    </message>
    <message>
        <source>Delete Row(s)</source>
        <translation>Zeile(n) löschen</translation>
    </message>
    <message>
        <source>Re-Index</source>
        <translation>Neu nummerieren</translation>
    </message>
    <message>
        <source>Copied %1</source>
        <translation>%1 kopiert</translation>
    </message>
    <message>
        <source>Cut %1</source>
        <translation>%1 ausgeschnitten</translation>
    </message>
    <message>
        <source>Nothing to paste: the clipboard holds no text</source>
        <translation>Nichts einzufügen: die Zwischenablage enthält keinen Text</translation>
    </message>
    <message>
        <source>Pasted %1 of %2 at row %3</source>
        <translation>%1 aus %2 bei Zeile %3 eingefügt</translation>
    </message>
    <message>
        <source>; %1 added</source>
        <translation>; %1 angefügt</translation>
    </message>
    <message>
        <source>; %1 past the last column left out</source>
        <translation>; %1 nach der letzten Spalte ausgelassen</translation>
    </message>
    <message>
        <source>Clear Cells</source>
        <translation>Zellen leeren</translation>
    </message>
    <message>
        <source>Adds an empty channel at the end</source>
        <translation>Fügt am Ende einen leeren Kanal an</translation>
    </message>
    <message>
        <source>Inserts an empty channel below the current row</source>
        <translation>Fügt unter der aktuellen Zeile einen leeren Kanal ein</translation>
    </message>
    <message>
        <source>Removes the selected rows and renumbers the rest</source>
        <translation>Entfernt die ausgewählten Zeilen und nummeriert die übrigen neu</translation>
    </message>
    <message>
        <source>Renumbers the Number column 1 to n in table order</source>
        <translation>Nummeriert die Spalte Nummer in Tabellenfolge von 1 bis n</translation>
    </message>
    <message>
        <source>Empties the selected cells</source>
        <translation>Leert die ausgewählten Zellen</translation>
    </message>
    <message>
        <source>Copies the selected cells and empties them</source>
        <translation>Kopiert die ausgewählten Zellen und leert sie</translation>
    </message>
    <message>
        <source>Copies the selected cells as tab-separated text</source>
        <translation>Kopiert die ausgewählten Zellen als Text mit Tabulatoren</translation>
    </message>
    <message>
        <source>Pastes tab-separated text from the current cell down</source>
        <translation>Fügt Text mit Tabulatoren ab der aktuellen Zelle abwärts ein</translation>
    </message>
    <message>
        <source>No rows selected; nothing deleted</source>
        <translation>Keine Zeilen ausgewählt; nichts gelöscht</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>%1 gelöscht</translation>
    </message>
    <message>
        <source>Deleted %1; the rest renumbered 1 to %2</source>
        <translation>%1 gelöscht; die übrigen von 1 bis %2 neu nummeriert</translation>
    </message>
    <message>
        <source>Every row already has its number (1 to %1); nothing changed</source>
        <translation>Jede Zeile hat schon ihre Nummer (1 bis %1); nichts geändert</translation>
    </message>
    <message>
        <source>Renumbered %1 1 to %2</source>
        <translation>%1 von 1 bis %2 neu nummeriert</translation>
    </message>
    <message>
        <source>Undid %1</source>
        <translation>Rückgängig gemacht: %1</translation>
    </message>
    <message>
        <source>Redid %1</source>
        <translation>Wiederhergestellt: %1</translation>
    </message>
    <message>
        <source>Inserted an empty row as row %1</source>
        <translation>Leere Zeile als Zeile %1 eingefügt</translation>
    </message>
    <message>
        <source>Added an empty row as row %1</source>
        <translation>Leere Zeile als Zeile %1 angefügt</translation>
    </message>
</context>
<context>
    <name>corvalen::FileActions</name>
    <message>
        <source>SDR# frequency list (*.xml)|*.xml</source>
        <translation>SDR#-Frequenzliste (*.xml)|*.xml</translation>
    </message>
    <message>
        <source>SDR++ frequency manager (*.json)|*.json</source>
        <translation>SDR++-Frequenzmanager (*.json)|*.json</translation>
    </message>
    <message>
        <source>Wrote %1 of %3 bytes to %2</source>
        <translation>%1 zu %3 Byte in %2 geschrieben</translation>
    </message>
    <message>
        <source>Channel files|%1</source>
        <translation>Kanaldateien|%1</translation>
    </message>
    <message>
        <source>; %1 replaced by a later row with the same Number</source>
        <translation>; %1 durch eine spätere Zeile mit derselben Nummer ersetzt</translation>
    </message>
    <message>
        <source>row %1 (by row %2)</source>
        <translation>Zeile %1 (durch Zeile %2)</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 weitere</translation>
    </message>
    <message>
        <source>Replaced by a later row with the same Number: %1</source>
        <translation>Durch eine spätere Zeile mit derselben Nummer ersetzt: %1</translation>
    </message>
    <message>
        <source>Channel numbers</source>
        <translation>Kanalnummern</translation>
    </message>
    <message>
        <source>%1 has a channel at Location 0, which is no channel number of the receiver. How should its channels be numbered?</source>
        <translation>%1 hat einen Kanal an Location 0, die keine Kanalnummer des Empfängers ist. Wie sollen seine Kanäle nummeriert werden?</translation>
    </message>
    <message>
        <source>Memory files (*.csv)|*.csv</source>
        <translation>Speicherdateien (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Data files (*.csv)|*.csv</source>
        <translation>Datendateien (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Memory files (*.g3m)|*.g3m</source>
        <translation>Speicherdateien (*.g3m)|*.g3m</translation>
    </message>
    <message>
        <source>Select your File</source>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>Open Winradio .csv file</source>
        <translation>Winradio-.csv-Datei öffnen</translation>
    </message>
    <message>
        <source>Save .csv file</source>
        <translation>.csv-Datei speichern</translation>
    </message>
    <message>
        <source>Recent files</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>nothing imported</source>
        <translation>nichts importiert</translation>
    </message>
    <message>
        <source>Reading %1…</source>
        <translation>%1 wird gelesen…</translation>
    </message>
    <message>
        <source>Saving %1…</source>
        <translation>%1 wird gespeichert…</translation>
    </message>
    <message>
        <source>Stopped reading %1; %2</source>
        <translation>Lesen von %1 abgebrochen; %2</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Read %1 from %2</source>
        <translation>%1 aus %2 gelesen</translation>
    </message>
    <message>
        <source>; %1 reported</source>
        <translation>; %1 gemeldet</translation>
    </message>
    <message>
        <source>nothing opened</source>
        <translation>nichts geöffnet</translation>
    </message>
    <message>
        <source>Read %1 from %2 (%3-byte records)</source>
        <translation>%1 aus %2 gelesen (Datensätze zu %3 Byte)</translation>
    </message>
    <message>
        <source>%1 no longer exists; removed from Recent files</source>
        <translation>%1 gibt es nicht mehr; aus „Zuletzt geöffnet“ entfernt</translation>
    </message>
    <message>
        <source>; stopped so you can check this first</source>
        <translation>; angehalten, damit Sie das zuerst prüfen können</translation>
    </message>
    <message>
        <source>Save to CSV File</source>
        <translation>Als CSV-Datei speichern</translation>
    </message>
    <message>
        <source> already exists.<byte value="xd"/>
Select OK to overwrite, or Cancel to try again.</source>
        <translation> existiert bereits.<byte value="xd"/>
OK überschreibt die Datei, Abbrechen wählt eine andere.</translation>
    </message>
    <message>
        <source>nothing saved</source>
        <translation>nichts gespeichert</translation>
    </message>
    <message>
        <source>Saved %1 to %2</source>
        <translation>%1 in %2 gespeichert</translation>
    </message>
    <message>
        <source>the file was not changed</source>
        <translation>die Datei blieb unverändert</translation>
    </message>
    <message>
        <source>; %1 not written</source>
        <translation>; %1 nicht geschrieben</translation>
    </message>
    <message>
        <source>No recent files</source>
        <translation>Keine zuletzt geöffneten Dateien</translation>
    </message>
    <message>
        <source>CHIRP files (*.csv)|*.csv</source>
        <translation>CHIRP-Dateien (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Memory files (*.15m)|*.15m</source>
        <translation>Speicherdateien (*.15m)|*.15m</translation>
    </message>
    <message>
        <source>Save as CHIRP .csv file…</source>
        <translation>Als CHIRP-.csv-Datei speichern…</translation>
    </message>
    <message>
        <source>Append Channels from File…</source>
        <translation>Kanäle aus Datei anfügen…</translation>
    </message>
    <message>
        <source>Read %1 from the CHIRP file %2</source>
        <translation>%1 aus der CHIRP-Datei %2 gelesen</translation>
    </message>
    <message>
        <source>; nothing opened</source>
        <translation>; nichts geöffnet</translation>
    </message>
    <message>
        <source>; %1 skipped</source>
        <translation>; %1 übersprungen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>; the file was not changed</source>
        <translation>; die Datei blieb unverändert</translation>
    </message>
    <message>
        <source>; %1 already in the file kept</source>
        <translation>; %1 schon in der Datei behalten</translation>
    </message>
    <message>
        <source>%1 is a .15m memory file, for the receiver models 305 and 315, not &quot;%2&quot;</source>
        <translation>%1 ist eine .15m-Speicherdatei für die Empfängermodelle 305 und 315, nicht „%2“</translation>
    </message>
    <message>
        <source>%1 is a .g3m memory file; the receiver model %2 uses .15m files</source>
        <translation>%1 ist eine .g3m-Speicherdatei; das Empfängermodell %2 verwendet .15m-Dateien</translation>
    </message>
    <message>
        <source>Save as CHIRP File</source>
        <translation>Als CHIRP-Datei speichern</translation>
    </message>
    <message>
        <source>Saved %1 to the CHIRP file %2</source>
        <translation>%1 in der CHIRP-Datei %2 gespeichert</translation>
    </message>
    <message>
        <source>Append Channels from File</source>
        <translation>Kanäle aus Datei anfügen</translation>
    </message>
    <message>
        <source>; nothing appended</source>
        <translation>; nichts angefügt</translation>
    </message>
    <message>
        <source>nothing appended</source>
        <translation>nichts angefügt</translation>
    </message>
    <message>
        <source>Append %1</source>
        <translation>%1 anfügen</translation>
    </message>
    <message>
        <source>Appended %1 from %2 after row %3</source>
        <translation>%1 aus %2 nach Zeile %3 angefügt</translation>
    </message>
    <message>
        <source>Open %1 file…</source>
        <translation>%1-Datei öffnen…</translation>
    </message>
    <message>
        <source>Save %1 file</source>
        <translation>%1-Datei speichern</translation>
    </message>
    <message>
        <source>The memory table has changes that are not saved. Save them as a .csv or %1 file first, or discard them?</source>
        <translation>Die Speichertabelle hat ungespeicherte Änderungen. Zuerst als .csv- oder %1-Datei speichern oder verwerfen?</translation>
    </message>
    <message>
        <source>Save as SDR Bookmark List…</source>
        <translation>Als SDR-Lesezeichenliste speichern…</translation>
    </message>
    <message>
        <source>Read %1 from the SDR# list %2</source>
        <translation>%1 aus der SDR#-Liste %2 gelesen</translation>
    </message>
    <message>
        <source>Read %1 from the SDR++ list %2</source>
        <translation>%1 aus der SDR++-Liste %2 gelesen</translation>
    </message>
    <message>
        <source>Save as SDR Bookmark List</source>
        <translation>Als SDR-Lesezeichenliste speichern</translation>
    </message>
    <message>
        <source>Saved %1 to the SDR++ list %2</source>
        <translation>%1 in der SDR++-Liste %2 gespeichert</translation>
    </message>
    <message>
        <source>Saved %1 to the SDR# list %2</source>
        <translation>%1 in der SDR#-Liste %2 gespeichert</translation>
    </message>
    <message>
        <source>gqrx bookmarks (*.csv)|*.csv</source>
        <translation>gqrx-Lesezeichen (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Read %1 from the gqrx bookmarks %2</source>
        <translation>%1 aus den gqrx-Lesezeichen %2 gelesen</translation>
    </message>
    <message>
        <source>Saved %1 to the gqrx bookmarks %2</source>
        <translation>%1 in den gqrx-Lesezeichen %2 gespeichert</translation>
    </message>
    <message>
        <source>Cancelled; nothing opened</source>
        <translation>Abgebrochen; nichts geöffnet</translation>
    </message>
    <message>
        <source>Cancelled; nothing appended</source>
        <translation>Abgebrochen; nichts angefügt</translation>
    </message>
</context>
<context>
    <name>corvalen::FindBar</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find in every column</source>
        <translation>In allen Spalten suchen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%1 of %2 rows</source>
        <translation>%1 von %2 Zeilen</translation>
    </message>
</context>
<context>
    <name>corvalen::GridViewOptions</name>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Frequency in Hz</source>
        <translation>Frequenz in Hz</translation>
    </message>
    <message>
        <source>Frequency in kHz</source>
        <translation>Frequenz in kHz</translation>
    </message>
    <message>
        <source>Frequency in MHz</source>
        <translation>Frequenz in MHz</translation>
    </message>
</context>
<context>
    <name>corvalen::KeeperQuestions</name>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Keep for Later</source>
        <translation>Für &amp;später behalten</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Compare</source>
        <translation>&amp;Vergleichen</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>&amp;Überschreiben</translation>
    </message>
</context>
<context>
    <name>corvalen::LockoutEditor</name>
    <message>
        <source>Scan lockout</source>
        <translation>Beim Suchlauf überspringen</translation>
    </message>
    <message>
        <source>Do not set mode</source>
        <translation>Modus nicht setzen</translation>
    </message>
    <message>
        <source>Do not set squelch</source>
        <translation>Rauschsperre nicht setzen</translation>
    </message>
</context>
<context>
    <name>corvalen::MainWindow</name>
    <message>
        <source>Grid View[*]</source>
        <translation>Tabellenansicht[*]</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>Probleme</translation>
    </message>
    <message>
        <source>No problems</source>
        <translation>Keine Probleme</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Problems: cells a save cannot use as they stand. Notices: values written a little differently, and channels alike. See the Problems panel</source>
        <translation>Probleme: Zellen, die ein Speichern so nicht übernehmen kann. Hinweise: Werte, die etwas anders geschrieben werden, und gleiche Kanäle. Siehe die Liste „Probleme“</translation>
    </message>
    <message>
        <source>Last change: %1</source>
        <translation>Letzte Änderung: %1</translation>
    </message>
    <message>
        <source>Grid View — %1[*]</source>
        <translation>Tabellenansicht — %1[*]</translation>
    </message>
    <message>
        <source>Memory channels</source>
        <translation>Speicherkanäle</translation>
    </message>
</context>
<context>
    <name>corvalen::MemoryTableModel</name>
    <message>
        <source>Edit Cell</source>
        <translation>Zelle bearbeiten</translation>
    </message>
</context>
<context>
    <name>corvalen::OnAirNow</name>
    <message>
        <source>On Air Now</source>
        <translation>Jetzt auf Sendung</translation>
    </message>
    <message>
        <source>Within the Next Hour</source>
        <translation>In der nächsten Stunde</translation>
    </message>
    <message>
        <source>Show only the schedule&apos;s channels on air now, by their Comments</source>
        <translation>Nur die Kanäle des Sendeplans zeigen, die laut ihrem Kommentar jetzt senden</translation>
    </message>
    <message>
        <source>On Air Now shows the channels on air at any time in the next hour</source>
        <translation>Jetzt auf Sendung zeigt die Kanäle, die irgendwann in der nächsten Stunde senden</translation>
    </message>
    <message>
        <source>On air from %1 to %2 UTC: %3 of %4 rows</source>
        <translation>Auf Sendung von %1 bis %2 UTC: %3 von %4 Zeilen</translation>
    </message>
    <message>
        <source>On air at %1 UTC: %2 of %3 rows</source>
        <translation>Auf Sendung um %1 UTC: %2 von %3 Zeilen</translation>
    </message>
</context>
<context>
    <name>corvalen::PrintActions</name>
    <message>
        <source>Print…</source>
        <translation>Drucken…</translation>
    </message>
    <message>
        <source>Export PDF…</source>
        <translation>Als PDF exportieren…</translation>
    </message>
    <message>
        <source>Grid View</source>
        <translation>Tabellenansicht</translation>
    </message>
    <message>
        <source>Printing failed; nothing printed</source>
        <translation>Drucken fehlgeschlagen; nichts gedruckt</translation>
    </message>
    <message>
        <source>Printing the channel list…</source>
        <translation>Die Kanalliste wird gedruckt…</translation>
    </message>
    <message>
        <source>Printing cancelled</source>
        <translation>Drucken abgebrochen</translation>
    </message>
    <message>
        <source>Export cancelled; nothing exported</source>
        <translation>Export abgebrochen; nichts exportiert</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>%1 gedruckt</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>Corvalen</source>
        <translation>Corvalen</translation>
    </message>
    <message>
        <source> already exists.<byte value="xd"/>
Select OK to overwrite, or Cancel to try again.</source>
        <translation> existiert bereits.<byte value="xd"/>
OK überschreibt die Datei, Abbrechen wählt eine andere.</translation>
    </message>
    <message>
        <source>Exported %1 to %2</source>
        <translation>%1 nach %2 exportiert</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)|*.pdf</source>
        <translation>PDF-Dateien (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>Cannot write %1; nothing exported</source>
        <translation>%1 kann nicht geschrieben werden; nichts exportiert</translation>
    </message>
    <message>
        <source>nothing exported</source>
        <translation>nichts exportiert</translation>
    </message>
</context>
<context>
    <name>corvalen::ProblemsPanel</name>
    <message>
        <source>Problems</source>
        <translation>Probleme</translation>
    </message>
</context>
<context>
    <name>corvalen::RecoveryCopy</name>
    <message>
        <source>cannot make the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot lock %1</source>
        <translation>%1 kann nicht gesperrt werden</translation>
    </message>
</context>
<context>
    <name>corvalen::ScheduleActions</name>
    <message>
        <source>Import Broadcast Schedule…</source>
        <translation>Sendeplan importieren…</translation>
    </message>
    <message>
        <source>EiBi schedules (*.csv)|*.csv</source>
        <translation>EiBi-Sendepläne (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Import Broadcast Schedule</source>
        <translation>Sendeplan importieren</translation>
    </message>
    <message>
        <source>nothing imported</source>
        <translation>nichts importiert</translation>
    </message>
    <message>
        <source>%1 is no EiBi schedule: its first line does not start with the kHz column; nothing imported</source>
        <translation>%1 ist kein EiBi-Sendeplan: seine erste Zeile beginnt nicht mit der Spalte kHz; nichts importiert</translation>
    </message>
    <message>
        <source>Import %1</source>
        <translation>%1 importieren</translation>
    </message>
    <message>
        <source>Imported %1 from %2 of %3 after row %4</source>
        <translation>%1 aus %2 von %3 nach Zeile %4 importiert</translation>
    </message>
    <message>
        <source>; %1 reported</source>
        <translation>; %1 gemeldet</translation>
    </message>
    <message>
        <source>The table&apos;s schedule channels already match %1; nothing changed</source>
        <translation>Die Kanäle des Sendeplans in der Tabelle stimmen schon mit %1 überein; nichts geändert</translation>
    </message>
    <message>
        <source>nothing changed</source>
        <translation>nichts geändert</translation>
    </message>
    <message>
        <source>Update from %1</source>
        <translation>Aktualisierung aus %1</translation>
    </message>
    <message>
        <source>Updated the schedule channels from %1: %2 kept, %3 updated, %4 added, %5 removed</source>
        <translation>Kanäle des Sendeplans aus %1 aktualisiert: %2 behalten, %3 aktualisiert, %4 hinzugefügt, %5 entfernt</translation>
    </message>
</context>
<context>
    <name>corvalen::ScheduleDialog</name>
    <message>
        <source>Valid on</source>
        <translation>Gültig am</translation>
    </message>
    <message>
        <source>Import Broadcast Schedule - %1</source>
        <translation>Sendeplan importieren - %1</translation>
    </message>
    <message>
        <source>HHMM or HHMM-HHMM, UTC</source>
        <translation>HHMM oder HHMM-HHMM, UTC</translation>
    </message>
    <message>
        <source>Any day</source>
        <translation>Jeder Tag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>codes, e.g. E,F</source>
        <translation>Kürzel, z. B. E,F</translation>
    </message>
    <message>
        <source>areas, e.g. Eu,NAm</source>
        <translation>Gebiete, z. B. Eu,NAm</translation>
    </message>
    <message>
        <source>part of the name, any case</source>
        <translation>Teil des Namens, Groß- und Kleinschreibung egal</translation>
    </message>
    <message>
        <source>kHz FROM-TO, e.g. 5900-6200</source>
        <translation>kHz VON-BIS, z. B. 5900-6200</translation>
    </message>
    <message>
        <source>On air at:</source>
        <translation>Auf Sendung um:</translation>
    </message>
    <message>
        <source>Weekday:</source>
        <translation>Wochentag:</translation>
    </message>
    <message>
        <source>Languages:</source>
        <translation>Sprachen:</translation>
    </message>
    <message>
        <source>Target areas:</source>
        <translation>Zielgebiete:</translation>
    </message>
    <message>
        <source>Station:</source>
        <translation>Sender:</translation>
    </message>
    <message>
        <source>Band:</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Inactive broadcasts are left out; without a date the Start and Stop dates are not checked. One channel is added per frequency and station.</source>
        <translation>Inaktive Sendungen bleiben weg; ohne Datum werden Start- und Enddaten nicht geprüft. Je Frequenz und Sender wird ein Kanal angefügt.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 pass, on %Ln channel(s)</source>
        <translation>
            <numerusform>%1 von %2 passen, auf %Ln Kanal</numerusform>
            <numerusform>%1 von %2 passen, auf %Ln Kanälen</numerusform>
        </translation>
    </message>
    <message>
        <source>Update the table&apos;s schedule channels instead of adding new ones</source>
        <translation>Die Kanäle des Sendeplans in der Tabelle aktualisieren, statt neue hinzuzufügen</translation>
    </message>
    <message>
        <source>A new season: channels whose Comments hold a schedule&apos;s times are kept, updated or removed, the new ones added; your other channels stay as they are. A preview comes first</source>
        <translation>Eine neue Saison: Kanäle, deren Kommentar Sendezeiten eines Sendeplans enthält, werden behalten, aktualisiert oder entfernt, die neuen hinzugefügt; Ihre übrigen Kanäle bleiben, wie sie sind. Zuerst kommt eine Vorschau</translation>
    </message>
    <message>
        <source>Preview…</source>
        <translation>Vorschau…</translation>
    </message>
</context>
<context>
    <name>corvalen::SeasonPreviewDialog</name>
    <message>
        <source>Update Schedule Channels - %1</source>
        <translation>Kanäle des Sendeplans aktualisieren - %1</translation>
    </message>
    <message>
        <source>%1 kept, %2 updated, %3 added, %4 removed. Channels whose Comments hold no schedule&apos;s times are yours and stay as they are; the update is one step to undo.</source>
        <translation>%1 behalten, %2 aktualisiert, %3 hinzugefügt, %4 entfernt. Kanäle, deren Kommentar keine Sendezeiten eines Sendeplans enthält, sind Ihre eigenen und bleiben, wie sie sind; die Aktualisierung lässt sich in einem Schritt rückgängig machen.</translation>
    </message>
    <message>
        <source>Updated (%1)</source>
        <translation>Aktualisiert (%1)</translation>
    </message>
    <message>
        <source>Added (%1)</source>
        <translation>Hinzugefügt (%1)</translation>
    </message>
    <message>
        <source>Removed (%1)</source>
        <translation>Entfernt (%1)</translation>
    </message>
    <message>
        <source>Kept (%1)</source>
        <translation>Behalten (%1)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>corvalen::SeasonRowsModel</name>
    <message>
        <source>New Comments</source>
        <translation>Neuer Kommentar</translation>
    </message>
</context>
<context>
    <name>corvalen::SetFieldDialog</name>
    <message>
        <source>Set Field of Selected Rows</source>
        <translation>Feld der gewählten Zeilen setzen</translation>
    </message>
    <message>
        <source>Changes 1 selected row.</source>
        <translation>Ändert 1 gewählte Zeile.</translation>
    </message>
    <message>
        <source>Changes %1 selected rows.</source>
        <translation>Ändert %1 gewählte Zeilen.</translation>
    </message>
    <message>
        <source>Set to</source>
        <translation>Setzen auf</translation>
    </message>
    <message>
        <source>Add group</source>
        <translation>Gruppe hinzufügen</translation>
    </message>
    <message>
        <source>Remove group</source>
        <translation>Gruppe entfernen</translation>
    </message>
    <message>
        <source>&amp;Column:</source>
        <translation>&amp;Spalte:</translation>
    </message>
    <message>
        <source>&amp;Change:</source>
        <translation>Ä&amp;nderung:</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>&amp;Wert:</translation>
    </message>
    <message>
        <source>&amp;Group:</source>
        <translation>&amp;Gruppe:</translation>
    </message>
</context>
<context>
    <name>corvalen::SettingsActions</name>
    <message>
        <source>Winradio Folder</source>
        <translation>Winradio-Ordner</translation>
    </message>
    <message>
        <source>This appears to be the first time you have run this application. Please go to the Options Menu and select your Winradio .exe file so that the Winradio path can be saved.</source>
        <translation>Sie starten dieses Programm anscheinend zum ersten Mal. Bitte wählen Sie im Menü „Optionen“ Ihre Winradio-.exe-Datei aus, damit der Winradio-Pfad gespeichert werden kann.</translation>
    </message>
    <message>
        <source>%1: %2; the editor writes for the model %3</source>
        <translation>%1: %2; der Editor schreibt für das Modell %3</translation>
    </message>
    <message>
        <source>Could not save the settings to %1: %2</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Settings kept in %1</source>
        <translation>Einstellungen liegen in %1</translation>
    </message>
    <message>
        <source>settings saved to %1</source>
        <translation>Einstellungen in %1 gespeichert</translation>
    </message>
    <message>
        <source>; %1 written as &quot;?&quot; (no Windows-1252 byte)</source>
        <translation>; %1 als „?“ geschrieben (kein Windows-1252-Byte)</translation>
    </message>
    <message>
        <source>Winradio File (*.exe)|*.exe</source>
        <translation>Winradio-Programm (*.exe)|*.exe</translation>
    </message>
    <message>
        <source>Select your Winradio file</source>
        <translation>Winradio-Programm auswählen</translation>
    </message>
    <message>
        <source>Winradio folder %1: %2; the folder and model stay as they were</source>
        <translation>Winradio-Ordner %1: %2; Ordner und Modell bleiben, wie sie waren</translation>
    </message>
    <message>
        <source>Winradio folder %1, receiver model &quot;%2&quot;; %3</source>
        <translation>Winradio-Ordner %1, Empfängermodell „%2“; %3</translation>
    </message>
</context>
<context>
    <name>corvalen::WorkKeeper</name>
    <message>
        <source>The recovery copy could not be written: %1</source>
        <translation>Die Wiederherstellungskopie konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>No recovery copy will be kept: %1</source>
        <translation>Es wird keine Wiederherstellungskopie geführt: %1</translation>
    </message>
    <message>
        <source>a table never saved</source>
        <translation>einer nie gespeicherten Tabelle</translation>
    </message>
    <message>
        <source>Corvalen ended without saving the changes to %1. A recovery copy of them from %2 holds %3 changed.

Restore it into the table, keep it for later, or discard it?</source>
        <translation>Corvalen wurde beendet, ohne die Änderungen an %1 zu speichern. Eine Wiederherstellungskopie davon vom %2 enthält %3 geändert.

In die Tabelle wiederherstellen, für später behalten oder verwerfen?</translation>
    </message>
    <message>
        <source>Restore Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen wiederherstellen</translation>
    </message>
    <message>
        <source>Restored %1 changed in %2 from the recovery copy of %3; not saved yet</source>
        <translation>%1 geändert in %2 aus der Wiederherstellungskopie vom %3 wiederhergestellt; noch nicht gespeichert</translation>
    </message>
    <message>
        <source>%1 was changed by another program; a save over it asks first</source>
        <translation>%1 wurde von einem anderen Programm geändert; Speichern darüber fragt zuerst nach</translation>
    </message>
    <message>
        <source>%1 was removed or renamed by another program</source>
        <translation>%1 wurde von einem anderen Programm entfernt oder umbenannt</translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened or saved here. Saving now replaces those changes.

Compare the table with the file, reload the file (your edits stay one Undo away), overwrite it, or cancel?</source>
        <translation>%1 wurde von einem anderen Programm geändert, seit es hier geöffnet oder gespeichert wurde. Speichern ersetzt jetzt diese Änderungen.

Die Tabelle mit der Datei vergleichen, die Datei neu laden (Ihre Änderungen bleiben einen Rückgängig-Schritt entfernt), sie überschreiben oder abbrechen?</translation>
    </message>
    <message>
        <source>What differs between %1 on disk and the table:</source>
        <translation>Was sich zwischen %1 auf der Platte und der Tabelle unterscheidet:</translation>
    </message>
    <message>
        <source>Reloaded %1; the edits it replaced are one Undo away</source>
        <translation>%1 neu geladen; die ersetzten Änderungen sind einen Rückgängig-Schritt entfernt</translation>
    </message>
    <message>
        <source>Not saved: %1 was changed by another program</source>
        <translation>Nicht gespeichert: %1 wurde von einem anderen Programm geändert</translation>
    </message>
    <message>
        <source>The same channels in the fields the file holds.</source>
        <translation>Dieselben Kanäle in den Feldern, die die Datei hält.</translation>
    </message>
    <message>
        <source>Co&amp;mpare with File…</source>
        <translation>Mit Datei &amp;vergleichen…</translation>
    </message>
    <message>
        <source>Channel files|*.csv;*.g3m;*.15m;*.xml;*.json</source>
        <translation>Kanaldateien|*.csv;*.g3m;*.15m;*.xml;*.json</translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation>Mit Datei vergleichen</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>A .csv or .g3m memory file to open.</source>
        <translation>Eine .csv- oder .g3m-Speicherdatei, die geöffnet wird.</translation>
    </message>
    <message>
        <source>Edit the memory channels of Winradio receivers.</source>
        <translation>Bearbeitet die Speicherkanäle von Winradio-Empfängern.</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>&quot;{1}&quot; is an EiBi broadcast schedule: pick its broadcasts with File &gt; Import Broadcast Schedule, or with corvalen-cli schedule</source>
        <translation>&quot;{1}&quot; ist ein EiBi-Sendeplan: seine Sendungen wählt man mit Datei &gt; Sendeplan importieren oder mit corvalen-cli schedule aus</translation>
    </message>
    <message>
        <source>&quot;{1}&quot; is no EiBi schedule: its first line does not start with the kHz column; nothing written</source>
        <translation>&quot;{1}&quot; ist kein EiBi-Sendeplan: seine erste Zeile beginnt nicht mit der Spalte kHz; nichts geschrieben</translation>
    </message>
    <message>
        <source>&quot;{1}&quot; is no receiver model: the models are 303, 313, 305 and 315</source>
        <translation>&quot;{1}&quot; ist kein Empfängermodell: die Modelle sind 303, 313, 305 und 315</translation>
    </message>
    <message>
        <source>--model &quot;{1}&quot; is no receiver model: the models are 303, 313, 305 and 315</source>
        <translation>--model &quot;{1}&quot; ist kein Empfängermodell: die Modelle sind 303, 313, 305 und 315</translation>
    </message>
    <message>
        <source>--numbering takes keep, shift or sequential, not {1}</source>
        <translation>--numbering nimmt keep, shift oder sequential, nicht {1}</translation>
    </message>
    <message>
        <source>--set {1}={2}: {3}; nothing written</source>
        <translation>--set {1}={2}: {3}; nichts geschrieben</translation>
    </message>
    <message>
        <source>--to takes {1:or}, not {2}</source>
        <translation>--to nimmt {1:or}, nicht {2}</translation>
    </message>
    <message>
        <source>Bandwidth is below 0 Hz, so no bandwidth; written as 0 Hz</source>
        <translation>Bandbreite liegt unter 0 Hz, also keine Bandbreite; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Bandwidth is empty; channel skipped</source>
        <translation>Bandbreite ist leer; Kanal übersprungen</translation>
    </message>
    <message>
        <source>Bandwidth is empty; the channel will be skipped the next time the .csv file is opened</source>
        <translation>Bandbreite ist leer; der Kanal wird beim nächsten Öffnen der .csv-Datei übersprungen</translation>
    </message>
    <message>
        <source>Bandwidth is not a whole number of Hz; the mode&apos;s default taken</source>
        <translation>Bandbreite ist keine ganze Zahl in Hz; die Vorgabe des Modus genommen</translation>
    </message>
    <message>
        <source>Bandwidth {1} is below 0 Hz, so no bandwidth; written as 0 Hz</source>
        <translation>Bandbreite {1} liegt unter 0 Hz, also keine Bandbreite; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Bandwidth {1} is not a whole number of Hz; the mode&apos;s default taken</source>
        <translation>Bandbreite {1} ist keine ganze Zahl in Hz; die Vorgabe des Modus genommen</translation>
    </message>
    <message>
        <source>Callsign used again in its list, which keys bookmarks by name; written with a suffix such as &quot; (2)&quot;</source>
        <translation>Rufzeichen kommt in seiner Liste wieder vor, die Lesezeichen nach dem Namen unterscheidet; mit einem Zusatz wie &quot; (2)&quot; geschrieben</translation>
    </message>
    <message>
        <source>Callsign {1} is used again in its list, which keys bookmarks by name; written with a suffix such as &quot; (2)&quot;{2:later}</source>
        <translation>Rufzeichen {1} kommt in seiner Liste wieder vor, die Lesezeichen nach dem Namen unterscheidet; mit einem Zusatz wie &quot; (2)&quot; geschrieben{2:later}</translation>
    </message>
    <message>
        <source>Cannot open {1:file}: {2}</source>
        <translation>Kann {1:file} nicht öffnen: {2}</translation>
    </message>
    <message>
        <source>Cannot read {1:file}: {2}</source>
        <translation>Kann {1:file} nicht lesen: {2}</translation>
    </message>
    <message>
        <source>Cannot save {1:output}: {2}</source>
        <translation>Kann {1:output} nicht speichern: {2}</translation>
    </message>
    <message>
        <source>Cannot save: no file name was given</source>
        <translation>Kann nicht speichern: kein Dateiname angegeben</translation>
    </message>
    <message>
        <source>Channel numbers {1} to {2} go past {3}, the highest channel number</source>
        <translation>Kanalnummern {1} bis {2} gehen über {3} hinaus, die höchste Kanalnummer</translation>
    </message>
    <message>
        <source>First number &quot;{1}&quot; is not a channel number from 1 to {2}.</source>
        <translation>Erste Nummer &quot;{1}&quot; ist keine Kanalnummer von 1 bis {2}.</translation>
    </message>
    <message>
        <source>Frequency and Mode already in an earlier row</source>
        <translation>Frequenz und Modus stehen schon in einer früheren Zeile</translation>
    </message>
    <message>
        <source>Frequency is above 4294967295 Hz; written as 0 Hz</source>
        <translation>Frequenz liegt über 4294967295 Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Frequency is above {2} Hz, the highest the {3:phrase} holds exactly; row not written</source>
        <translation>Frequenz liegt über {2} Hz, der höchsten, die eine {3:phrase} genau hält; Zeile nicht geschrieben</translation>
    </message>
    <message>
        <source>Frequency is below 0 Hz; written as 0 Hz</source>
        <translation>Frequenz liegt unter 0 Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Frequency is empty; written as 0 Hz</source>
        <translation>Frequenz ist leer; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Frequency is not a frequency in Hz; entry left out</source>
        <translation>Frequenz ist keine Frequenz in Hz; Eintrag ausgelassen</translation>
    </message>
    <message>
        <source>Frequency is not a frequency in MHz; kept as it is</source>
        <translation>Frequenz ist keine Frequenz in MHz; so belassen</translation>
    </message>
    <message>
        <source>Frequency is not a number of Hz; written as 0 Hz</source>
        <translation>Frequenz ist keine Zahl in Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Frequency is not a whole number of Hz</source>
        <translation>Frequenz ist keine ganze Zahl in Hz</translation>
    </message>
    <message>
        <source>Frequency is not a whole number of Hz; rounded</source>
        <translation>Frequenz ist keine ganze Zahl in Hz; gerundet</translation>
    </message>
    <message>
        <source>Frequency is not a whole number of Hz; row not written</source>
        <translation>Frequenz ist keine ganze Zahl in Hz; Zeile nicht geschrieben</translation>
    </message>
    <message>
        <source>Frequency {1} Hz with mode {2} is already in row {3}</source>
        <translation>Frequenz {1} Hz mit Modus {2} steht schon in Zeile {3}</translation>
    </message>
    <message>
        <source>Frequency {1} is above 4294967295 Hz; written as 0 Hz</source>
        <translation>Frequenz {1} liegt über 4294967295 Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Frequency {1} is above {2} Hz, the highest the {3:phrase} holds exactly; row not written</source>
        <translation>Frequenz {1} liegt über {2} Hz, der höchsten, die eine {3:phrase} genau hält; Zeile nicht geschrieben</translation>
    </message>
    <message>
        <source>Frequency {1} is below 0 Hz; written as 0 Hz</source>
        <translation>Frequenz {1} liegt unter 0 Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Frequency {1} is not a frequency in Hz; entry left out</source>
        <translation>Frequenz {1} ist keine Frequenz in Hz; Eintrag ausgelassen</translation>
    </message>
    <message>
        <source>Frequency {1} is not a frequency in MHz; kept as it is</source>
        <translation>Frequenz {1} ist keine Frequenz in MHz; so belassen</translation>
    </message>
    <message>
        <source>Frequency {1} is not a number of Hz; written as 0 Hz</source>
        <translation>Frequenz {1} ist keine Zahl in Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>Frequency {1} is not a whole number of Hz; rounded to {2}</source>
        <translation>Frequenz {1} ist keine ganze Zahl in Hz; auf {2} gerundet</translation>
    </message>
    <message>
        <source>Frequency {1} is not a whole number of Hz; row not written</source>
        <translation>Frequenz {1} ist keine ganze Zahl in Hz; Zeile nicht geschrieben</translation>
    </message>
    <message>
        <source>Frequency {1} is not a whole number of Hz; written as {2}</source>
        <translation>Frequenz {1} ist keine ganze Zahl in Hz; als {2} geschrieben</translation>
    </message>
    <message>
        <source>Give a start, a stop and a step.</source>
        <translation>Anfang, Ende und Schritt angeben.</translation>
    </message>
    <message>
        <source>Groups are 16 on the receiver, too few for {1:moregroupname} (first {2}); {3:channel} left without a group</source>
        <translation>Gruppen hat der Empfänger 16, zu wenige für {1:moregroupname} (zuerst {2}); {3:channel} ohne Gruppe gelassen</translation>
    </message>
    <message>
        <source>Groups is not a group from 1 to 16</source>
        <translation>Gruppen ist keine Gruppe von 1 bis 16</translation>
    </message>
    <message>
        <source>Groups names a group that is not a whole number</source>
        <translation>Gruppen nennt eine Gruppe, die keine ganze Zahl ist</translation>
    </message>
    <message>
        <source>Groups names a number that is not a group from 1 to 16</source>
        <translation>Gruppen nennt eine Zahl, die keine Gruppe von 1 bis 16 ist</translation>
    </message>
    <message>
        <source>Groups names groups that are not whole numbers</source>
        <translation>Gruppen nennt Gruppen, die keine ganzen Zahlen sind</translation>
    </message>
    <message>
        <source>Groups names numbers that are not groups from 1 to 16</source>
        <translation>Gruppen nennt Zahlen, die keine Gruppen von 1 bis 16 sind</translation>
    </message>
    <message>
        <source>Groups names several groups; an entry of the {2:phrase} has one, so the first is written</source>
        <translation>Gruppen nennt mehrere Gruppen; ein Eintrag einer {2:phrase} hat nur eine, also wird die erste geschrieben</translation>
    </message>
    <message>
        <source>Groups now stand for the {1:phrase}&apos;s group names: {2}</source>
        <translation>Gruppen stehen jetzt für die Gruppennamen der {1:phrase}: {2}</translation>
    </message>
    <message>
        <source>Groups {1} is not a group from 1 to 16; written as {2:groups}</source>
        <translation>Gruppen {1} ist keine Gruppe von 1 bis 16; als {2:groups} geschrieben</translation>
    </message>
    <message>
        <source>Groups {1} names several groups; an entry of the {2:phrase} has one, so the first is written{3:later}</source>
        <translation>Gruppen {1} nennt mehrere Gruppen; ein Eintrag einer {2:phrase} hat nur eine, also wird die erste geschrieben{3:later}</translation>
    </message>
    <message>
        <source>Groups {1} names {2}, which are not groups from 1 to 16; written as {3:groups}</source>
        <translation>Gruppen {1} nennt {2}, keine Gruppen von 1 bis 16; als {3:groups} geschrieben</translation>
    </message>
    <message>
        <source>Groups {1} names {2}, which are not whole group numbers; written as {3:groups}</source>
        <translation>Gruppen {1} nennt {2}, keine ganzen Gruppennummern; als {3:groups} geschrieben</translation>
    </message>
    <message>
        <source>Groups {1} names {2}, which is not a group from 1 to 16; written as {3:groups}</source>
        <translation>Gruppen {1} nennt {2}, keine Gruppe von 1 bis 16; als {3:groups} geschrieben</translation>
    </message>
    <message>
        <source>Groups {1} names {2}, which is not a whole group number; written as {3:groups}</source>
        <translation>Gruppen {1} nennt {2}, keine ganze Gruppennummer; als {3:groups} geschrieben</translation>
    </message>
    <message>
        <source>Hotkey is not a hot key number (2 to 12 for F2 to F12); written as no hot key</source>
        <translation>Hotkey ist keine Hotkey-Nummer (2 bis 12 für F2 bis F12); als kein Hotkey geschrieben</translation>
    </message>
    <message>
        <source>Hotkey {1} is not a hot key number (2 to 12 for F2 to F12); written as no hot key</source>
        <translation>Hotkey {1} ist keine Hotkey-Nummer (2 bis 12 für F2 bis F12); als kein Hotkey geschrieben</translation>
    </message>
    <message>
        <source>Level Squelch is above 0</source>
        <translation>Squelch-Pegel liegt über 0</translation>
    </message>
    <message>
        <source>Level Squelch is too low</source>
        <translation>Squelch-Pegel ist zu niedrig</translation>
    </message>
    <message>
        <source>Level Squelch {1} is above 0; written as {2}</source>
        <translation>Squelch-Pegel {1} liegt über 0; als {2} geschrieben</translation>
    </message>
    <message>
        <source>Level Squelch {1} is too low; written as {2}</source>
        <translation>Squelch-Pegel {1} ist zu niedrig; als {2} geschrieben</translation>
    </message>
    <message>
        <source>Location 0 is no channel number of the receiver; {1:channel} left out</source>
        <translation>Location 0 ist keine Kanalnummer des Empfängers; {1:channel} ausgelassen</translation>
    </message>
    <message>
        <source>Location is not a channel number from 1 to 65535; kept as it is</source>
        <translation>Location ist keine Kanalnummer von 1 bis 65535; so belassen</translation>
    </message>
    <message>
        <source>Location {1}</source>
        <translation>Location {1}</translation>
    </message>
    <message>
        <source>Location {1} is not a channel number from 1 to 65535; kept as it is</source>
        <translation>Location {1} ist keine Kanalnummer von 1 bis 65535; so belassen</translation>
    </message>
    <message>
        <source>Lockout is not a sum of lockout flags (1 scan lockout, 2 do not set mode, 4 do not set squelch); written as no lockout flags</source>
        <translation>Sperre ist keine Summe von Sperrflags (1 beim Suchlauf sperren, 2 Modus nicht setzen, 4 Squelch nicht setzen); als keine Sperrflags geschrieben</translation>
    </message>
    <message>
        <source>Lockout {1} is not a sum of lockout flags (1 scan lockout, 2 do not set mode, 4 do not set squelch); written as no lockout flags</source>
        <translation>Sperre {1} ist keine Summe von Sperrflags (1 beim Suchlauf sperren, 2 Modus nicht setzen, 4 Squelch nicht setzen); als keine Sperrflags geschrieben</translation>
    </message>
    <message>
        <source>Mode is empty; written as {1}</source>
        <translation>Modus ist leer; als {1} geschrieben</translation>
    </message>
    <message>
        <source>Mode {1} has no CHIRP equivalent; written as {2}</source>
        <translation>Modus {1} gibt es in CHIRP nicht; als {2} geschrieben</translation>
    </message>
    <message>
        <source>Mode {1} has no equal in the {2:phrase}; written as {3}</source>
        <translation>Modus {1} hat in einer {2:phrase} keine Entsprechung; als {3} geschrieben</translation>
    </message>
    <message>
        <source>Mode {1} has no equal in the {2:phrase}; written as {3}{4:later}</source>
        <translation>Modus {1} hat in einer {2:phrase} keine Entsprechung; als {3} geschrieben{4:later}</translation>
    </message>
    <message>
        <source>Mode {1} is no mode the receiver has; kept as it is</source>
        <translation>Modus {1} hat der Empfänger nicht; so belassen</translation>
    </message>
    <message>
        <source>Mode {1} is no mode the receiver has; kept as it is{2:later}</source>
        <translation>Modus {1} hat der Empfänger nicht; so belassen{2:later}</translation>
    </message>
    <message>
        <source>Mode {1} is not a mode the receiver knows ({2}); written as {3}</source>
        <translation>Modus {1} kennt der Empfänger nicht ({2}); als {3} geschrieben</translation>
    </message>
    <message>
        <source>Number is empty; row not written</source>
        <translation>Nummer ist leer; Zeile nicht geschrieben</translation>
    </message>
    <message>
        <source>Number is not a channel number from 1 to 65535; row not written</source>
        <translation>Nummer ist keine Kanalnummer von 1 bis 65535; Zeile nicht geschrieben</translation>
    </message>
    <message>
        <source>Number used again in a later row; CHIRP keeps only the later line</source>
        <translation>Nummer kommt in einer späteren Zeile wieder vor; CHIRP behält nur die spätere Zeile</translation>
    </message>
    <message>
        <source>Number used again in a later row; only the later row is written</source>
        <translation>Nummer kommt in einer späteren Zeile wieder vor; nur die spätere Zeile wird geschrieben</translation>
    </message>
    <message>
        <source>Number {1}</source>
        <translation>Nummer {1}</translation>
    </message>
    <message>
        <source>Number {1} is not a channel number from 1 to 65535; row not written</source>
        <translation>Nummer {1} ist keine Kanalnummer von 1 bis 65535; Zeile nicht geschrieben</translation>
    </message>
    <message>
        <source>Number {1} is used again in row {2}; CHIRP keeps only the later line</source>
        <translation>Nummer {1} kommt in Zeile {2} wieder vor; CHIRP behält nur die spätere Zeile</translation>
    </message>
    <message>
        <source>Number {1} is used again in row {2}; only row {2} is written as channel {3}</source>
        <translation>Nummer {1} kommt in Zeile {2} wieder vor; nur Zeile {2} wird als Kanal {3} geschrieben</translation>
    </message>
    <message>
        <source>OUTPUT must end in {1:or}: {2}</source>
        <translation>OUTPUT muss auf {1:or} enden: {2}</translation>
    </message>
    <message>
        <source>SDR# frequency lists (XML) are not supported by this build: it was made without an XML library (pugixml)</source>
        <translation>SDR#-Frequenzlisten (XML) unterstützt diese Ausgabe des Programms nicht: sie wurde ohne XML-Bibliothek (pugixml) gebaut</translation>
    </message>
    <message>
        <source>Skip is neither S nor P; ignored</source>
        <translation>Skip ist weder S noch P; übergangen</translation>
    </message>
    <message>
        <source>Skip {1} is neither S nor P; ignored</source>
        <translation>Skip {1} ist weder S noch P; übergangen</translation>
    </message>
    <message>
        <source>Step &quot;{1}&quot; is 0 Hz; it must be at least 1 Hz</source>
        <translation>Schritt &quot;{1}&quot; ist 0 Hz; er muss mindestens 1 Hz sein</translation>
    </message>
    <message>
        <source>Step &quot;{1}&quot; is below 1 Hz; it must be at least 1 Hz</source>
        <translation>Schritt &quot;{1}&quot; liegt unter 1 Hz; er muss mindestens 1 Hz sein</translation>
    </message>
    <message>
        <source>Step &quot;{1}&quot; is not a fraction of a frequency over a whole number from 1 to 1000000, such as 25k/3</source>
        <translation>Schritt &quot;{1}&quot; ist kein Bruch aus einer Frequenz und einer ganzen Zahl von 1 bis 1000000, wie 25k/3</translation>
    </message>
    <message>
        <source>Step &quot;{1}&quot; is taken as the airband raster of 25/3 kHz (8333.33... Hz); each channel is rounded to the nearest Hz</source>
        <translation>Schritt &quot;{1}&quot; gilt als Flugfunkraster von 25/3 kHz (8333,33... Hz); jeder Kanal wird auf das nächste Hz gerundet</translation>
    </message>
    <message>
        <source>Stop &quot;{1}&quot; is below start &quot;{2}&quot;</source>
        <translation>Stopp &quot;{1}&quot; liegt unter Start &quot;{2}&quot;</translation>
    </message>
    <message>
        <source>Stop &quot;{1}&quot; is not on the raster; the last channel is at {2} MHz</source>
        <translation>Stopp &quot;{1}&quot; liegt nicht auf dem Raster; der letzte Kanal liegt bei {2} MHz</translation>
    </message>
    <message>
        <source>The first channel number {1} is not a channel number from 1 to {2}</source>
        <translation>Die erste Kanalnummer {1} ist keine Kanalnummer von 1 bis {2}</translation>
    </message>
    <message>
        <source>Time(UTC) is not a span HHMM-HHMM; left out when a time is asked for</source>
        <translation>Time(UTC) ist keine Spanne HHMM-HHMM; ausgelassen, wenn nach einer Zeit gefragt wird</translation>
    </message>
    <message>
        <source>Time(UTC) {1} is not a span HHMM-HHMM; left out when a time is asked for</source>
        <translation>Time(UTC) {1} ist keine Spanne HHMM-HHMM; ausgelassen, wenn nach einer Zeit gefragt wird</translation>
    </message>
    <message>
        <source>Try corvalen-cli {1} --help</source>
        <translation>Siehe corvalen-cli {1} --help</translation>
    </message>
    <message>
        <source>a byte that no column keeps is not zero (offset {1}); a save writes zeros there</source>
        <translation>ein Byte, das keine Spalte hält, ist nicht null (Offset {1}); Speichern schreibt dort Nullen</translation>
    </message>
    <message>
        <source>a byte that no column keeps is not zero; a save writes zeros there</source>
        <translation>ein Byte, das keine Spalte hält, ist nicht null; Speichern schreibt dort Nullen</translation>
    </message>
    <message>
        <source>a quoted field is not closed before the end of the file; the rest of the file was read into it</source>
        <translation>ein Feld in Anführungszeichen ist bis zum Dateiende nicht geschlossen; der Rest der Datei wurde in dieses Feld gelesen</translation>
    </message>
    <message>
        <source>a {1} file is for the models (&quot;{2}&quot; or &quot;{3}&quot;), not &quot;{4}&quot;: {5}</source>
        <translation>eine {1}-Datei ist für die Modelle (&quot;{2}&quot; oder &quot;{3}&quot;), nicht &quot;{4}&quot;: {5}</translation>
    </message>
    <message>
        <source>and {1} more</source>
        <translation>und {1} weitere</translation>
    </message>
    <message>
        <source>another program is updating it (waited {1} s); nothing was written</source>
        <translation>ein anderes Programm ändert sie gerade ({1} s gewartet); nichts geschrieben</translation>
    </message>
    <message>
        <source>blank line skipped</source>
        <translation>leere Zeile übersprungen</translation>
    </message>
    <message>
        <source>bookmark {1} of list {2}: frequency {3} is not a frequency in Hz; left out</source>
        <translation>Lesezeichen {1} der Liste {2}: Frequenz {3} ist keine Frequenz in Hz; ausgelassen</translation>
    </message>
    <message>
        <source>bookmark {1} of list {2}: frequency {3} is not a whole number of Hz; rounded to {4}</source>
        <translation>Lesezeichen {1} der Liste {2}: Frequenz {3} ist keine ganze Zahl in Hz; auf {4} gerundet</translation>
    </message>
    <message>
        <source>bookmark {1} of list {2}: {3}</source>
        <translation>Lesezeichen {1} der Liste {2}: {3}</translation>
    </message>
    <message>
        <source>bookmark {1} of list {2}: {3} → {4}</source>
        <translation>Lesezeichen {1} der Liste {2}: {3} → {4}</translation>
    </message>
    <message>
        <source>bytes that no column keeps are not zero (offsets {1}); a save writes zeros there</source>
        <translation>Bytes, die keine Spalte hält, sind nicht null (Offsets {1}); Speichern schreibt dort Nullen</translation>
    </message>
    <message>
        <source>bytes that no column keeps are not zero; a save writes zeros there</source>
        <translation>Bytes, die keine Spalte hält, sind nicht null; Speichern schreibt dort Nullen</translation>
    </message>
    <message>
        <source>channel {1} added: {2}</source>
        <translation>Kanal {1} hinzugekommen: {2}</translation>
    </message>
    <message>
        <source>channel {1} changed: {2}</source>
        <translation>Kanal {1} geändert: {2}</translation>
    </message>
    <message>
        <source>channel {1} removed: {2}</source>
        <translation>Kanal {1} entfernt: {2}</translation>
    </message>
    <message>
        <source>channels numbered 1 to {1} in file order, not by their Location</source>
        <translation>Kanäle in Dateireihenfolge von 1 bis {1} nummeriert, nicht nach ihrer Location</translation>
    </message>
    <message>
        <source>checked {1:channel} of {2}: no problems or notices</source>
        <translation>{1:channel} von {2} geprüft: keine Probleme oder Hinweise</translation>
    </message>
    <message>
        <source>checked {1:channel} of {2}: {3:problem}, {4:notice}</source>
        <translation>{1:channel} von {2} geprüft: {3:problem}, {4:notice}</translation>
    </message>
    <message>
        <source>checked {1:record} of {2}: all verify</source>
        <translation>{1:record} von {2} geprüft: alle stimmen</translation>
    </message>
    <message>
        <source>checked {1:record} of {2}: {3:badchecksum}</source>
        <translation>{1:record} von {2} geprüft: {3:badchecksum}</translation>
    </message>
    <message>
        <source>checked {1:record} of {2}: {3:badchecksum}, and the file ends inside a record</source>
        <translation>{1:record} von {2} geprüft: {3:badchecksum}, und die Datei endet mitten in einem Datensatz</translation>
    </message>
    <message>
        <source>checksum does not match the record</source>
        <translation>Prüfsumme passt nicht zum Datensatz</translation>
    </message>
    <message>
        <source>checksum {1} does not match the record, whose bytes sum to {2}</source>
        <translation>Prüfsumme {1} passt nicht zum Datensatz, dessen Bytes {2} ergeben</translation>
    </message>
    <message>
        <source>compared no field</source>
        <translation>verglichen: kein Feld</translation>
    </message>
    <message>
        <source>compared {1:names}</source>
        <translation>verglichen: {1:names}</translation>
    </message>
    <message>
        <source>fewer fields than the 19 expected; missing fields left empty</source>
        <translation>weniger Felder als die 19 erwarteten; fehlende Felder bleiben leer</translation>
    </message>
    <message>
        <source>frequency is not a frequency in Hz; left out</source>
        <translation>Frequenz ist keine Frequenz in Hz; ausgelassen</translation>
    </message>
    <message>
        <source>frequency is not a whole number of Hz; rounded</source>
        <translation>Frequenz ist keine ganze Zahl in Hz; gerundet</translation>
    </message>
    <message>
        <source>from {1} of {2:broadcast} in {3}</source>
        <translation>aus {1} von {2:broadcast} in {3}</translation>
    </message>
    <message>
        <source>has fewer fields than the header&apos;s {2}; the missing ones read as empty</source>
        <translation>hat weniger Felder als die {2} der Kopfzeile; die fehlenden werden leer gelesen</translation>
    </message>
    <message>
        <source>has more fields than the header&apos;s {2}; the extra ones are ignored</source>
        <translation>hat mehr Felder als die {2} der Kopfzeile; die überzähligen werden übergangen</translation>
    </message>
    <message>
        <source>has {1:field}: neither a gqrx bookmark (5) nor a tag with its colour (name; #rrggbb); line left out</source>
        <translation>hat {1:field}: weder ein gqrx-Lesezeichen (5) noch ein Tag mit seiner Farbe (Name; #rrggbb); Zeile ausgelassen</translation>
    </message>
    <message>
        <source>has {1} fields where the header has {2}; the extra ones are ignored</source>
        <translation>hat {1} Felder, wo die Kopfzeile {2} hat; die überzähligen werden übergangen</translation>
    </message>
    <message>
        <source>has {1} fields where the header has {2}; the missing ones read as empty</source>
        <translation>hat {1} Felder, wo die Kopfzeile {2} hat; die fehlenden werden leer gelesen</translation>
    </message>
    <message>
        <source>holds another channel number than its place&apos;s</source>
        <translation>hält eine andere Kanalnummer als die seines Platzes</translation>
    </message>
    <message>
        <source>holds channel number {1} but lies at the place of channel {2}</source>
        <translation>hält Kanalnummer {1}, liegt aber am Platz von Kanal {2}</translation>
    </message>
    <message>
        <source>is neither a gqrx bookmark (5 fields) nor a tag with its colour (name; #rrggbb); line left out</source>
        <translation>ist weder ein gqrx-Lesezeichen (5 Felder) noch ein Tag mit seiner Farbe (Name; #rrggbb); Zeile ausgelassen</translation>
    </message>
    <message>
        <source>it changed while it was read; nothing was written</source>
        <translation>sie wurde während des Lesens geändert; nichts geschrieben</translation>
    </message>
    <message>
        <source>it gives more than the {1} bytes that are read</source>
        <translation>sie liefert mehr als die {1} Bytes, die gelesen werden</translation>
    </message>
    <message>
        <source>it holds {1} records of {2} bytes, more than the {3} of a memory file</source>
        <translation>sie hält {1} Datensätze zu {2} Bytes, mehr als die {3} einer Speicherdatei</translation>
    </message>
    <message>
        <source>it is no regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>kHz is not a frequency of whole Hz in kHz; line left out</source>
        <translation>kHz ist keine Frequenz ganzer Hz in kHz; Zeile ausgelassen</translation>
    </message>
    <message>
        <source>kHz {1} is not a frequency of whole Hz in kHz; line left out</source>
        <translation>kHz {1} ist keine Frequenz ganzer Hz in kHz; Zeile ausgelassen</translation>
    </message>
    <message>
        <source>line {1}</source>
        <translation>Zeile {1}</translation>
    </message>
    <message>
        <source>line {1} declares a document type (DTD), which an SDR# list never has; refused</source>
        <translation>Zeile {1} deklariert einen Dokumenttyp (DTD), den eine SDR#-Liste nie hat; abgelehnt</translation>
    </message>
    <message>
        <source>line {1} holds a NUL byte (byte {2}), so this is no CSV text file</source>
        <translation>Zeile {1} enthält ein NUL-Byte (Byte {2}), ist also keine CSV-Textdatei</translation>
    </message>
    <message>
        <source>line {1} holds a NUL byte (byte {2}), so this is no CSV text file (a .g3m memory file, or text saved as UTF-16?)</source>
        <translation>Zeile {1} enthält ein NUL-Byte (Byte {2}), ist also keine CSV-Textdatei (eine .g3m-Speicherdatei oder als UTF-16 gespeicherter Text?)</translation>
    </message>
    <message>
        <source>line {1} is not well-formed JSON (byte {2})</source>
        <translation>Zeile {1} ist kein wohlgeformtes JSON (Byte {2})</translation>
    </message>
    <message>
        <source>line {1} is not well-formed XML: {2:reason}</source>
        <translation>Zeile {1} ist kein wohlgeformtes XML: {2:reason}</translation>
    </message>
    <message>
        <source>line {1} nests more than {2} levels deep, which an SDR++ list never does; refused</source>
        <translation>Zeile {1} ist tiefer als {2} Ebenen verschachtelt, was eine SDR++-Liste nie ist; abgelehnt</translation>
    </message>
    <message>
        <source>line {1} refers to an entity XML does not define; refused</source>
        <translation>Zeile {1} verweist auf eine Entität, die XML nicht definiert; abgelehnt</translation>
    </message>
    <message>
        <source>mode code {1} is not a known mode; Mode reads &quot;{1}&quot;</source>
        <translation>Moduscode {1} ist kein bekannter Modus; Modus lautet &quot;{1}&quot;</translation>
    </message>
    <message>
        <source>more fields than the 19 expected; fields after the 19th dropped</source>
        <translation>mehr Felder als die 19 erwarteten; Felder nach dem 19. verworfen</translation>
    </message>
    <message>
        <source>no broadcast of {1} passes the filters; nothing written</source>
        <translation>keine Sendung aus {1} besteht die Filter; nichts geschrieben</translation>
    </message>
    <message>
        <source>no channels in {1}</source>
        <translation>keine Kanäle in {1}</translation>
    </message>
    <message>
        <source>no command given (convert, verify, check, diff, fill, schedule or on-air)</source>
        <translation>kein Befehl angegeben (convert, verify, check, diff, fill, schedule oder on-air)</translation>
    </message>
    <message>
        <source>offset {1}</source>
        <translation>Offset {1}</translation>
    </message>
    <message>
        <source>offsets {1}</source>
        <translation>Offsets {1}</translation>
    </message>
    <message>
        <source>over {1}: {2} kept, {3} updated, {4} added, {5} removed</source>
        <translation>über {1}: {2} behalten, {3} aktualisiert, {4} hinzugefügt, {5} entfernt</translation>
    </message>
    <message>
        <source>record {1}</source>
        <translation>Datensatz {1}</translation>
    </message>
    <message>
        <source>row {1}</source>
        <translation>Zeile {1}</translation>
    </message>
    <message>
        <source>the JSON cannot be read: {1}</source>
        <translation>das JSON ist nicht lesbar: {1}</translation>
    </message>
    <message>
        <source>the JSON has no &quot;lists&quot; object, so it is no SDR++ frequency manager file (nor a &quot;bookmarks&quot; object, as SDR++ exports)</source>
        <translation>das JSON hat kein Objekt &quot;lists&quot;, ist also keine Datei des SDR++-Frequenzmanagers (auch kein Objekt &quot;bookmarks&quot;, wie SDR++ exportiert)</translation>
    </message>
    <message>
        <source>the XML has no &lt;ArrayOfMemoryEntry&gt; element, so it is no SDR# list</source>
        <translation>das XML hat kein Element &lt;ArrayOfMemoryEntry&gt;, ist also keine SDR#-Liste</translation>
    </message>
    <message>
        <source>the band &quot;{1}&quot; is not FROM-TO in kHz with FROM not above TO (e.g. 5900-6200)</source>
        <translation>das Band &quot;{1}&quot; ist nicht FROM-TO in kHz mit FROM nicht über TO (z. B. 5900-6200)</translation>
    </message>
    <message>
        <source>the broadcasts of {1} that pass the filters make {2} channels, more than the {3} a receiver holds; pick fewer with the filters; nothing written</source>
        <translation>die Sendungen aus {1}, die die Filter bestehen, ergeben {2} Kanäle, mehr als die {3} eines Empfängers; wählen Sie mit den Filtern weniger; nichts geschrieben</translation>
    </message>
    <message>
        <source>the checksum of none of its {1} records matches, so it holds no records of the model {2}</source>
        <translation>die Prüfsumme keines ihrer {1} Datensätze stimmt, sie hält also keine Datensätze des Modells {2}</translation>
    </message>
    <message>
        <source>the column {1} holds values a receiver memory has no place for (first on line {2}); not read</source>
        <translation>die Spalte {1} hält Werte, für die ein Empfängerspeicher keinen Platz hat (zuerst in Zeile {2}); nicht gelesen</translation>
    </message>
    <message>
        <source>the columns {1:list} hold values a receiver memory has no place for (first on line {2}); not read</source>
        <translation>die Spalten {1:list} halten Werte, für die ein Empfängerspeicher keinen Platz hat (zuerst in Zeile {2}); nicht gelesen</translation>
    </message>
    <message>
        <source>the date &quot;{1}&quot; is no real date YYYY-MM-DD</source>
        <translation>das Datum &quot;{1}&quot; ist kein echtes Datum YYYY-MM-DD</translation>
    </message>
    <message>
        <source>the day &quot;{1}&quot; is none of Mo, Tu, We, Th, Fr, Sa, Su</source>
        <translation>der Tag &quot;{1}&quot; ist keiner von Mo, Tu, We, Th, Fr, Sa, Su</translation>
    </message>
    <message>
        <source>the file ends {1} bytes into this record of {2} bytes; it is not read</source>
        <translation>die Datei endet nach {1} Bytes dieses Datensatzes von {2} Bytes; er wird nicht gelesen</translation>
    </message>
    <message>
        <source>the file holds Location 0: every channel is numbered its Location + 1</source>
        <translation>die Datei hat Location 0: jeder Kanal erhält die Nummer Location + 1</translation>
    </message>
    <message>
        <source>the file is UTF-8 text, not Windows-1252; read as UTF-8</source>
        <translation>die Datei ist UTF-8-Text, nicht Windows-1252; als UTF-8 gelesen</translation>
    </message>
    <message>
        <source>the file is not UTF-8 as CHIRP writes it; read as Windows-1252</source>
        <translation>die Datei ist nicht UTF-8, wie CHIRP schreibt; als Windows-1252 gelesen</translation>
    </message>
    <message>
        <source>the file is not UTF-8 as SDR# writes it; read as Windows-1252</source>
        <translation>die Datei ist nicht UTF-8, wie SDR# schreibt; als Windows-1252 gelesen</translation>
    </message>
    <message>
        <source>the file is not UTF-8 as gqrx writes it; read as Windows-1252</source>
        <translation>die Datei ist nicht UTF-8, wie gqrx schreibt; als Windows-1252 gelesen</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the file is {1} bytes long, more than the {2} bytes that are read</source>
        <translation>die Datei ist {1} Bytes lang, mehr als die {2} Bytes, die gelesen werden</translation>
    </message>
    <message>
        <source>the header has no {1:list} column; those cells stay empty</source>
        <translation>die Kopfzeile hat keine Spalte {1:list}; diese Zellen bleiben leer</translation>
    </message>
    <message>
        <source>the time &quot;{1}&quot; is neither HHMM nor HHMM-HHMM (UTC, 0000 to 2359, a span may end at 2400)</source>
        <translation>die Zeit &quot;{1}&quot; ist weder HHMM noch HHMM-HHMM (UTC, 0000 bis 2359, eine Spanne darf um 2400 enden)</translation>
    </message>
    <message>
        <source>the {1:phrase} holds {2} bookmarks, more than the {3} channels a receiver holds; not read</source>
        <translation>die {1:phrase} hält {2} Lesezeichen, mehr als die {3} Kanäle eines Empfängers; nicht gelesen</translation>
    </message>
    <message>
        <source>the {1:phrase} is larger than {2} MiB; not read</source>
        <translation>die {1:phrase} ist größer als {2} MiB; nicht gelesen</translation>
    </message>
    <message>
        <source>unknown command {1}</source>
        <translation>unbekannter Befehl {1}</translation>
    </message>
    <message>
        <source>unknown option {1}</source>
        <translation>unbekannte Option {1}</translation>
    </message>
    <message>
        <source>values of {1:list} have no place in a CHIRP file (first in row {2}, {3:row} in all); not written</source>
        <translation>Werte von {1:list} haben in einer CHIRP-Datei keinen Platz (zuerst in Zeile {2}, {3:row} insgesamt); nicht geschrieben</translation>
    </message>
    <message>
        <source>verify needs --model (&quot;{1}&quot; or &quot;{2}&quot;)</source>
        <translation>verify braucht --model (&quot;{1}&quot; oder &quot;{2}&quot;)</translation>
    </message>
    <message>
        <source>wrote {1:channel} to {2}</source>
        <translation>{1:channel} nach {2} geschrieben</translation>
    </message>
    <message>
        <source>wrote {1:channel} to {2} from {3:record} of {4}</source>
        <translation>{1:channel} nach {2} geschrieben aus {3:record} von {4}</translation>
    </message>
    <message>
        <source>wrote {1:channel} to {2}: {3} new, numbered {4} to {5}</source>
        <translation>{1:channel} nach {2} geschrieben: {3} neu, nummeriert {4} bis {5}</translation>
    </message>
    <message>
        <source>wrote {1:record} to {2}</source>
        <translation>{1:record} nach {2} geschrieben</translation>
    </message>
    <message>
        <source>{1:character}</source>
        <translation>{1:character}</translation>
    </message>
    <message>
        <source>{1:emptyrow} skipped</source>
        <translation>{1:emptyrow} übersprungen</translation>
    </message>
    <message>
        <source>{1:entryhas} Days that say no plain weekday (first {2}); kept</source>
        <translation>{1:entryhas} Days, die keinen einfachen Wochentag nennen (zuerst {2}); behalten</translation>
    </message>
    <message>
        <source>{1:entryhas} a Start or Stop that is no day and month DDMM; that date not checked</source>
        <translation>{1:entryhas} ein Start oder Stop, das kein Tag und Monat DDMM ist; dieses Datum nicht geprüft</translation>
    </message>
    <message>
        <source>{1:field}</source>
        <translation>{1:field}</translation>
    </message>
    <message>
        <source>{1:field} where 19 were expected; fields after the 19th dropped</source>
        <translation>{1:field}, wo 19 erwartet wurden; Felder nach dem 19. verworfen</translation>
    </message>
    <message>
        <source>{1:field} where 19 were expected; missing fields left empty</source>
        <translation>{1:field}, wo 19 erwartet wurden; fehlende Felder bleiben leer</translation>
    </message>
    <message>
        <source>{1:file} was replaced under this name only: its other name (a hard link) keeps the old content</source>
        <translation>{1:file} wurde nur unter diesem Namen ersetzt: ihr anderer Name (ein harter Link) behält den alten Inhalt</translation>
    </message>
    <message>
        <source>{1:file} was replaced under this name only: its {2} other names (hard links) keep the old content</source>
        <translation>{1:file} wurde nur unter diesem Namen ersetzt: ihre {2} anderen Namen (harte Links) behalten den alten Inhalt</translation>
    </message>
    <message>
        <source>{1:inputline} reported</source>
        <translation>{1:inputline} gemeldet</translation>
    </message>
    <message>
        <source>{1:line} reported</source>
        <translation>{1:line} gemeldet</translation>
    </message>
    <message>
        <source>{1:phrase} &quot;{2}&quot; is above {3} Hz, the highest frequency a memory channel holds</source>
        <translation>{1:phrase} &quot;{2}&quot; liegt über {3} Hz, der höchsten Frequenz, die ein Speicherkanal hält</translation>
    </message>
    <message>
        <source>{1:phrase} &quot;{2}&quot; is not a frequency: give digits with an optional fraction and the unit Hz, kHz or MHz ({3} when none is given)</source>
        <translation>{1:phrase} &quot;{2}&quot; ist keine Frequenz: geben Sie Ziffern mit optionalen Nachkommastellen und der Einheit Hz, kHz oder MHz an ({3}, wenn keine angegeben ist)</translation>
    </message>
    <message>
        <source>{1:phrase} &quot;{2}&quot; is not a whole number of Hz</source>
        <translation>{1:phrase} &quot;{2}&quot; ist keine ganze Zahl in Hz</translation>
    </message>
    <message>
        <source>{1:phrase} a {2} file needs --model (&quot;{3}&quot; or &quot;{4}&quot;)</source>
        <translation>{1:phrase} einer {2}-Datei braucht es --model (&quot;{3}&quot; oder &quot;{4}&quot;)</translation>
    </message>
    <message>
        <source>{1:phrase} {2} channels; with the {3} rows already in the table that is more than {4} rows; no more fit</source>
        <translation>{1:phrase} {2} Kanäle; mit den {3} Zeilen, die schon in der Tabelle stehen, sind das mehr als {4} Zeilen; keine passen mehr</translation>
    </message>
    <message>
        <source>{1:phrase} {2} channels; with the {3} rows already in the table that is more than {4} rows; {5} more fit</source>
        <translation>{1:phrase} {2} Kanäle; mit den {3} Zeilen, die schon in der Tabelle stehen, sind das mehr als {4} Zeilen; {5} passen noch</translation>
    </message>
    <message>
        <source>{1:problem} of other kinds; --all lists every one</source>
        <translation>{1:problem} anderer Arten; --all listet jede auf</translation>
    </message>
    <message>
        <source>{1:reason}</source>
        <translation>{1:reason}</translation>
    </message>
    <message>
        <source>{1:record} already in the file kept</source>
        <translation>{1:record} der Datei behalten</translation>
    </message>
    <message>
        <source>{1:record} reported</source>
        <translation>{1:record} gemeldet</translation>
    </message>
    <message>
        <source>{1:row} not written</source>
        <translation>{1:row} nicht geschrieben</translation>
    </message>
    <message>
        <source>{1:row} replaced by a later row with the same Number</source>
        <translation>{1:row} durch eine spätere Zeile mit derselben Nummer ersetzt</translation>
    </message>
    <message>
        <source>{1}</source>
        <translation>{1}</translation>
    </message>
    <message>
        <source>{1} ({2}) → {3:groups}</source>
        <translation>{1} ({2}) → {3:groups}</translation>
    </message>
    <message>
        <source>{1} Hz {2}, as row {3}</source>
        <translation>{1} Hz {2}, wie Zeile {3}</translation>
    </message>
    <message>
        <source>{1} Hz → {2}</source>
        <translation>{1} Hz → {2}</translation>
    </message>
    <message>
        <source>{1} and {2} differ: {3:channel} added, {4} removed, {5} changed</source>
        <translation>{1} und {2} unterscheiden sich: {3:channel} hinzugekommen, {4} entfernt, {5} geändert</translation>
    </message>
    <message>
        <source>{1} and {2} differ: {3:channel} added, {4} removed, {5} changed; {6:row} without a channel number</source>
        <translation>{1} und {2} unterscheiden sich: {3:channel} hinzugekommen, {4} entfernt, {5} geändert; {6:row} ohne Kanalnummer</translation>
    </message>
    <message>
        <source>{1} at the place of {2}</source>
        <translation>{1} am Platz von {2}</translation>
    </message>
    <message>
        <source>{1} blank lines skipped (this is the first)</source>
        <translation>{1} leere Zeilen übersprungen (dies ist die erste)</translation>
    </message>
    <message>
        <source>{1} holds records of other models than &quot;{2}&quot;</source>
        <translation>{1} hält Datensätze anderer Modelle als &quot;{2}&quot;</translation>
    </message>
    <message>
        <source>{1} needs a value</source>
        <translation>{1} braucht einen Wert</translation>
    </message>
    <message>
        <source>{1} needs a value ({2:or})</source>
        <translation>{1} braucht einen Wert ({2:or})</translation>
    </message>
    <message>
        <source>{1} needs {2:phrase}</source>
        <translation>{1} braucht {2:phrase}</translation>
    </message>
    <message>
        <source>{1} of {2:channel} in {3} on air</source>
        <translation>{2:channel} in {3}, davon {1} auf Sendung</translation>
    </message>
    <message>
        <source>{1} {2} -&gt; {3}</source>
        <translation>{1} {2} -&gt; {3}</translation>
    </message>
    <message>
        <source>{1} → {2:groups}</source>
        <translation>{1} → {2:groups}</translation>
    </message>
    <message>
        <source>{1} → {2}</source>
        <translation>{1} → {2}</translation>
    </message>
    <message>
        <source>{1} → {2}{3:later}</source>
        <translation>{1} → {2}{3:later}</translation>
    </message>
    <message>
        <source>{1} → {3}</source>
        <translation>{1} → {3}</translation>
    </message>
    <message>
        <source>{1}, again in row {2}</source>
        <translation>{1}, wieder in Zeile {2}</translation>
    </message>
    <message>
        <source>{1}, bytes sum to {2}</source>
        <translation>{1}, Bytes ergeben {2}</translation>
    </message>
    <message>
        <source>{1}, {2}: {3}</source>
        <translation>{1}, {2}: {3}</translation>
    </message>
    <message>
        <source>{1}: channel {2} of {3} is given again in {4}; only {4} is compared</source>
        <translation>{1}: Kanal {2} aus {3} kommt in {4} wieder vor; nur {4} wird verglichen</translation>
    </message>
    <message>
        <source>{1}: {2}</source>
        <translation>{1}: {2}</translation>
    </message>
    <message>
        <source>{1}: {2} has no channel number from 1 to 65535 ({3}); it is not compared</source>
        <translation>{1}: {2} hat keine Kanalnummer von 1 bis 65535 ({3}); sie wird nicht verglichen</translation>
    </message>
    <message>
        <source>{1}; nothing written</source>
        <translation>{1}; nichts geschrieben</translation>
    </message>
    <message>
        <source>{1}; see corvalen-cli --help</source>
        <translation>{1}; siehe corvalen-cli --help</translation>
    </message>
    <message>
        <source>{1}{2:later}</source>
        <translation>{1}{2:later}</translation>
    </message>
    <message>
        <source>{1}{3:later}</source>
        <translation>{1}{3:later}</translation>
    </message>
    <message>
        <source>{2:later}</source>
        <translation>{2:later}</translation>
    </message>
    <message>
        <source>{4:later}</source>
        <translation>{4:later}</translation>
    </message>
    <message>
        <source>{c} has characters a .g3m file cannot hold</source>
        <translation>{c} hat Zeichen, die eine .g3m-Datei nicht fassen kann</translation>
    </message>
    <message>
        <source>{c} has no place in the {2:phrase}; not written</source>
        <translation>{c} hat in einer {2:phrase} keinen Platz; nicht geschrieben</translation>
    </message>
    <message>
        <source>{c} holds a character gqrx reads as a separator; replaced</source>
        <translation>{c} enthält ein Zeichen, das gqrx als Trenner liest; ersetzt</translation>
    </message>
    <message>
        <source>{c} is not a number</source>
        <translation>{c} ist keine Zahl</translation>
    </message>
    <message>
        <source>{c} is not a number of Hz; written as 0 Hz</source>
        <translation>{c} ist keine Zahl in Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>{c} is not a whole number</source>
        <translation>{c} ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>{c} is not a whole number of Hz</source>
        <translation>{c} ist keine ganze Zahl in Hz</translation>
    </message>
    <message>
        <source>{c} is too large; written as 0</source>
        <translation>{c} ist zu groß; als 0 geschrieben</translation>
    </message>
    <message>
        <source>{c} is too large; written as 0 Hz</source>
        <translation>{c} ist zu groß; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>{c} longer than {2} characters and with characters a .g3m file cannot hold</source>
        <translation>{c} länger als {2} Zeichen und mit Zeichen, die eine .g3m-Datei nicht fassen kann</translation>
    </message>
    <message>
        <source>{c} longer than {2} characters, cut to {2}</source>
        <translation>{c} länger als {2} Zeichen, auf {2} gekürzt</translation>
    </message>
    <message>
        <source>{c} {1} Hz is not a whole number; written as {2}</source>
        <translation>{c} {1} Hz ist keine ganze Zahl; als {2} geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} has characters a .g3m file cannot hold; written as {2}</source>
        <translation>{c} {1} hat Zeichen, die eine .g3m-Datei nicht fassen kann; als {2} geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} has no place in the {2:phrase}; not written{3:later}</source>
        <translation>{c} {1} hat in einer {2:phrase} keinen Platz; nicht geschrieben{3:later}</translation>
    </message>
    <message>
        <source>{c} {1} holds a character gqrx reads as a separator; written as {2}{3:later}</source>
        <translation>{c} {1} enthält ein Zeichen, das gqrx als Trenner liest; als {2} geschrieben{3:later}</translation>
    </message>
    <message>
        <source>{c} {1} is longer than {2} characters and has characters a .g3m file cannot hold; written as {3}</source>
        <translation>{c} {1} ist länger als {2} Zeichen und hat Zeichen, die eine .g3m-Datei nicht fassen kann; als {3} geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} is longer than {2} characters; written as {3}</source>
        <translation>{c} {1} ist länger als {2} Zeichen; als {3} geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} is not a number of Hz; written as 0 Hz</source>
        <translation>{c} {1} ist keine Zahl in Hz; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} is not a number; written as {2}</source>
        <translation>{c} {1} ist keine Zahl; als {2} geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} is not a whole number; written as {2}</source>
        <translation>{c} {1} ist keine ganze Zahl; als {2} geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} is too large; written as 0</source>
        <translation>{c} {1} ist zu groß; als 0 geschrieben</translation>
    </message>
    <message>
        <source>{c} {1} is too large; written as 0 Hz</source>
        <translation>{c} {1} ist zu groß; als 0 Hz geschrieben</translation>
    </message>
    <message>
        <source>{c}: 1 character has no Windows-1252 form and became &quot;?&quot;</source>
        <translation>{c}: 1 Zeichen hat keine Windows-1252-Form und wurde zu &quot;?&quot;</translation>
    </message>
    <message>
        <source>{c}: characters with no Windows-1252 form became &quot;?&quot;</source>
        <translation>{c}: Zeichen ohne Windows-1252-Form wurden zu &quot;?&quot;</translation>
    </message>
    <message>
        <source>{c}: {1} characters have no Windows-1252 form and became &quot;?&quot;</source>
        <translation>{c}: {1} Zeichen haben keine Windows-1252-Form und wurden zu &quot;?&quot;</translation>
    </message>
</context>
</TS>
