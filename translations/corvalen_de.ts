<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Save as .csv</source>
        <translation>Als .csv speichern</translation>
    </message>
    <message>
        <source>Save as .g3m</source>
        <translation>Als .g3m speichern</translation>
    </message>
</context>
<context>
    <name>corvalen::EditCommands</name>
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
</context>
<context>
    <name>corvalen::FileCommands</name>
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
        <source>Open .g3m file…</source>
        <translation>.g3m-Datei öffnen…</translation>
    </message>
    <message>
        <source>Save .csv file</source>
        <translation>.csv-Datei speichern</translation>
    </message>
    <message>
        <source>Save .g3m file</source>
        <translation>.g3m-Datei speichern</translation>
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
        <source>The memory table has changes that are not saved.<byte value="xd"/>
Save them as a .csv or .g3m file first, or discard them?</source>
        <translation>Die Speichertabelle hat ungespeicherte Änderungen.<byte value="xd"/>
Zuerst als .csv- oder .g3m-Datei speichern oder verwerfen?</translation>
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
    <name>corvalen::MainWindow</name>
    <message>
        <source>Grid View[*]</source>
        <translation>Tabellenansicht[*]</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
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
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Winradio Folder</source>
        <translation>Winradio-Ordner</translation>
    </message>
    <message>
        <source>Cells a .g3m save cannot use as they stand; see the Problems panel</source>
        <translation>Zellen, die eine .g3m-Datei so nicht aufnehmen kann; siehe die Liste „Probleme“</translation>
    </message>
    <message>
        <source>This appears to be the first time you have run this application. Please go to the Options Menu<byte value="xd"/>
and select your Winradio .exe file so that the Winradio path can be saved.</source>
        <translation>Sie starten dieses Programm anscheinend zum ersten Mal. Bitte wählen Sie im Menü „Optionen“<byte value="xd"/>
Ihre Winradio-.exe-Datei aus, damit der Winradio-Pfad gespeichert werden kann.</translation>
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
        <source>Winradio folder %1, receiver model &quot;%2&quot;; %3</source>
        <translation>Winradio-Ordner %1, Empfängermodell „%2“; %3</translation>
    </message>
    <message>
        <source>No problems</source>
        <translation>Keine Probleme</translation>
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
    <name>corvalen::ProblemsPanel</name>
    <message>
        <source>Problems</source>
        <translation>Probleme</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>row %1, %2: %3</source>
        <translation>Zeile %1, %2: %3</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Edit the memory channels of Winradio G313 and G303 receivers.</source>
        <translation>Bearbeitet die Speicherkanäle der Winradio-Empfänger G313 und G303.</translation>
    </message>
    <message>
        <source>A .csv or .g3m memory file to open.</source>
        <translation>Eine .csv- oder .g3m-Speicherdatei, die geöffnet wird.</translation>
    </message>
</context>
</TS>
