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
        <source>x (%1)</source>
        <translation>x (%1)</translation>
    </message>
</context>
<context>
    <name>Count</name>
    <message>
        <source>row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>rows</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>cell</source>
        <translation>Zelle</translation>
    </message>
    <message>
        <source>cells</source>
        <translation>Zellen</translation>
    </message>
    <message>
        <source>column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>line</source>
        <translation>Textzeile</translation>
    </message>
    <message>
        <source>lines</source>
        <translation>Textzeilen</translation>
    </message>
    <message>
        <source>problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>problems</source>
        <translation>Probleme</translation>
    </message>
    <message>
        <source>record</source>
        <translation>Datensatz</translation>
    </message>
    <message>
        <source>records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>character</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>characters</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>notices</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>empty row</source>
        <translation>leere Zeile</translation>
    </message>
    <message>
        <source>empty rows</source>
        <translation>leere Zeilen</translation>
    </message>
    <message>
        <source>broadcast</source>
        <translation>Sendung</translation>
    </message>
    <message>
        <source>broadcasts</source>
        <translation>Sendungen</translation>
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
        <translation>z. B. 118 oder 118.000 MHz (MHz ohne Einheit)</translation>
    </message>
    <message>
        <source>S&amp;top:</source>
        <translation>&amp;Ende:</translation>
    </message>
    <message>
        <source>e.g. 136.975 MHz, included when a step lands on it</source>
        <translation>z. B. 136.975 MHz, enthalten, wenn ein Schritt es trifft</translation>
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
        <source>Give a start, a stop and a step.</source>
        <translation>Anfang, Ende und Schritt angeben.</translation>
    </message>
    <message>
        <source>First number &quot;%1&quot; is not a channel number from 1 to %2.</source>
        <translation>Erste Nummer &quot;%1&quot; ist keine Kanalnummer von 1 bis %2.</translation>
    </message>
    <message>
        <source>empty: %1 Hz, the default for the mode</source>
        <translation>leer: %1 Hz, die Vorgabe des Modus</translation>
    </message>
    <message>
        <source>Adds 1 channel, numbered %1; %2 rows in all.</source>
        <translation>Fügt 1 Kanal an, Nummer %1; %2 Zeilen insgesamt.</translation>
    </message>
    <message>
        <source>Adds %1 channels, numbered %2 to %3; %4 rows in all.</source>
        <translation>Fügt %1 Kanäle an, Nummern %2 bis %3; %4 Zeilen insgesamt.</translation>
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
        <translation>Nummeriert die Spalte Number in Tabellenfolge von 1 bis n</translation>
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
        <source>Wrote %1 of %2 bytes to %3</source>
        <translation>%1 zu %2 Byte in %3 geschrieben</translation>
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
        <source>Memory files (*.csv)|*.csv|SDR# and SDR++ lists (*.xml *.json)|*.xml;*.json</source>
        <translation>Speicherdateien (*.csv)|*.csv|SDR#- und SDR++-Listen (*.xml *.json)|*.xml;*.json</translation>
    </message>
    <message>
        <source>Channel files|*.csv;*.g3m;*.15m;*.xml;*.json</source>
        <translation>Kanaldateien|*.csv;*.g3m;*.15m;*.xml;*.json</translation>
    </message>
    <message>
        <source>SDR# frequency list (*.xml)|*.xml|SDR++ frequency manager (*.json)|*.json</source>
        <translation>SDR#-Frequenzliste (*.xml)|*.xml|SDR++-Frequenzmanager (*.json)|*.json</translation>
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
</context>
<context>
    <name>corvalen::MemoryTableModel</name>
    <message>
        <source>Edit Cell</source>
        <translation>Zelle bearbeiten</translation>
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
    <message>
        <source>%1 of %2 pass, on %3</source>
        <translation>%1 von %2 passen, auf %3</translation>
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
</TS>
