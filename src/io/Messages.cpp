#include "io/Messages.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace corvalen {

namespace {

using K = MessageKind;

// English first: the text the program builds, placeholders where values vary.
constexpr MessageTemplate kCatalogue[] = {
    {K::NumberEmpty, "Number is empty; row not written",
     "Nummer ist leer; Zeile nicht geschrieben"},
    {K::NumberNotChannel, "Number {1} is not a channel number from 1 to 65535; row not written",
     "Nummer {1} ist keine Kanalnummer von 1 bis 65535; Zeile nicht geschrieben"},
    {K::NumberUsedAgain,
     "Number {1} is used again in row {2}; only row {2} is written as channel {3}",
     "Nummer {1} kommt in Zeile {2} wieder vor; nur Zeile {2} wird als Kanal {3} geschrieben"},
    {K::FrequencyEmpty, "Frequency is empty; written as 0 Hz",
     "Frequenz ist leer; als 0 Hz geschrieben"},
    {K::FrequencyNotNumber, "Frequency {1} is not a number of Hz; written as 0 Hz",
     "Frequenz {1} ist keine Zahl in Hz; als 0 Hz geschrieben"},
    {K::FrequencyBelowZero, "Frequency {1} is below 0 Hz; written as 0 Hz",
     "Frequenz {1} liegt unter 0 Hz; als 0 Hz geschrieben"},
    {K::FrequencyTooHigh, "Frequency {1} is above 4294967295 Hz; written as 0 Hz",
     "Frequenz {1} liegt über 4294967295 Hz; als 0 Hz geschrieben"},
    {K::FractionWithUnit, "{c} {1} Hz is not a whole number; written as {2}",
     "{c} {1} Hz ist keine ganze Zahl; als {2} geschrieben"},
    {K::Fraction, "{c} {1} is not a whole number; written as {2}",
     "{c} {1} ist keine ganze Zahl; als {2} geschrieben"},
    {K::FrequencyRepeated, "Frequency {1} Hz with mode {2} is already in row {3}",
     "Frequenz {1} Hz mit Modus {2} steht schon in Zeile {3}"},
    {K::BandwidthEmpty,
     "Bandwidth is empty; the channel will be skipped the next time the .csv file is opened",
     "Bandbreite ist leer; der Kanal wird beim nächsten Öffnen der .csv-Datei übersprungen"},
    {K::NotNumberOfUnit, "{c} {1} is not a number of Hz; written as 0 Hz",
     "{c} {1} ist keine Zahl in Hz; als 0 Hz geschrieben"},
    {K::NotNumber, "{c} {1} is not a number; written as {2}",
     "{c} {1} ist keine Zahl; als {2} geschrieben"},
    {K::TooLargeWithUnit, "{c} {1} is too large; written as 0 Hz",
     "{c} {1} ist zu groß; als 0 Hz geschrieben"},
    {K::TooLarge, "{c} {1} is too large; written as 0", "{c} {1} ist zu groß; als 0 geschrieben"},
    {K::BandwidthBelowZero, "Bandwidth {1} is below 0 Hz, so no bandwidth; written as 0 Hz",
     "Bandbreite {1} liegt unter 0 Hz, also keine Bandbreite; als 0 Hz geschrieben"},
    {K::GroupsNotGroup, "Groups {1} is not a group from 1 to 16; written as {w2}",
     "Gruppen {1} ist keine Gruppe von 1 bis 16; als {w2} geschrieben"},
    {K::GroupsNameNotGroup,
     "Groups {1} names {2}, which is not a group from 1 to 16; written as {w3}",
     "Gruppen {1} nennt {2}, keine Gruppe von 1 bis 16; als {w3} geschrieben"},
    {K::GroupsNamesNotGroups,
     "Groups {1} names {2}, which are not groups from 1 to 16; written as {w3}",
     "Gruppen {1} nennt {2}, keine Gruppen von 1 bis 16; als {w3} geschrieben"},
    {K::GroupsNameNotWhole,
     "Groups {1} names {2}, which is not a whole group number; written as {w3}",
     "Gruppen {1} nennt {2}, keine ganze Gruppennummer; als {w3} geschrieben"},
    {K::GroupsNamesNotWhole,
     "Groups {1} names {2}, which are not whole group numbers; written as {w3}",
     "Gruppen {1} nennt {2}, keine ganzen Gruppennummern; als {w3} geschrieben"},
    {K::HotkeyNotHotkey,
     "Hotkey {1} is not a hot key number (2 to 12 for F2 to F12); written as no hot key",
     "Hotkey {1} ist keine Hotkey-Nummer (2 bis 12 für F2 bis F12); als kein Hotkey geschrieben"},
    {K::LockoutNotFlags,
     "Lockout {1} is not a sum of lockout flags (1 scan lockout, 2 do not set mode, 4 do not set "
     "squelch); written as no lockout flags",
     "Sperre {1} ist keine Summe von Sperrflags (1 beim Suchlauf sperren, 2 Modus nicht setzen, 4 "
     "Squelch nicht setzen); als keine Sperrflags geschrieben"},
    {K::LevelAboveZero, "Level Squelch {1} is above 0; written as {2}",
     "Squelch-Pegel {1} liegt über 0; als {2} geschrieben"},
    {K::LevelTooLow, "Level Squelch {1} is too low; written as {2}",
     "Squelch-Pegel {1} ist zu niedrig; als {2} geschrieben"},
    {K::ModeEmpty, "Mode is empty; written as {1}", "Modus ist leer; als {1} geschrieben"},
    {K::ModeUnknown, "Mode {1} is not a mode the receiver knows ({2}); written as {3}",
     "Modus {1} kennt der Empfänger nicht ({2}); als {3} geschrieben", 1},
    {K::TextTooLong, "{c} {1} is longer than {2} characters; written as {3}",
     "{c} {1} ist länger als {2} Zeichen; als {3} geschrieben"},
    {K::TextTooLongUnheld,
     "{c} {1} is longer than {2} characters and has characters a .g3m file cannot hold; written "
     "as {3}",
     "{c} {1} ist länger als {2} Zeichen und hat Zeichen, die eine .g3m-Datei nicht fassen kann; "
     "als {3} geschrieben"},
    {K::TextUnheld, "{c} {1} has characters a .g3m file cannot hold; written as {2}",
     "{c} {1} hat Zeichen, die eine .g3m-Datei nicht fassen kann; als {2} geschrieben"},

    {K::CsvUtf8, "the file is UTF-8 text, not Windows-1252; read as UTF-8",
     "die Datei ist UTF-8-Text, nicht Windows-1252; als UTF-8 gelesen"},
    {K::QuoteNotClosed,
     "a quoted field is not closed before the end of the file; the rest of the file was read "
     "into it",
     "ein Feld in Anführungszeichen ist bis zum Dateiende nicht geschlossen; der Rest der Datei "
     "wurde in dieses Feld gelesen"},
    {K::CsvBandwidthEmptySkipped, "Bandwidth is empty; channel skipped",
     "Bandbreite ist leer; Kanal übersprungen"},
    {K::CsvFieldsMissing, "{w1} where 19 were expected; missing fields left empty",
     "{w1}, wo 19 erwartet wurden; fehlende Felder bleiben leer"},
    {K::CsvFieldsDropped, "{w1} where 19 were expected; fields after the 19th dropped",
     "{w1}, wo 19 erwartet wurden; Felder nach dem 19. verworfen"},
    {K::CsvCharacterReplaced, "{w1}: 1 character has no Windows-1252 form and became \"?\"",
     "{w1}: 1 Zeichen hat keine Windows-1252-Form und wurde zu \"?\""},
    {K::CsvCharactersReplaced, "{w1}: {2} characters have no Windows-1252 form and became \"?\"",
     "{w1}: {2} Zeichen haben keine Windows-1252-Form und wurden zu \"?\""},

    {K::ChecksumMismatch, "checksum {1} does not match the record, whose bytes sum to {2}",
     "Prüfsumme {1} passt nicht zum Datensatz, dessen Bytes {2} ergeben"},
    {K::FileEndsInRecord, "the file ends {1} bytes into this record of {2} bytes; it is not read",
     "die Datei endet nach {1} Bytes dieses Datensatzes von {2} Bytes; er wird nicht gelesen"},
    {K::RecordNumberElsewhere, "holds channel number {1} but lies at the place of channel {2}",
     "hält Kanalnummer {1}, liegt aber am Platz von Kanal {2}"},
    {K::RecordModeUnknown, "mode code {1} is not a known mode; Mode reads \"{1}\"",
     "Moduscode {1} ist kein bekannter Modus; Modus lautet \"{1}\""},
    {K::RecordByteUnkept,
     "a byte that no column keeps is not zero (offset {1}); a save writes zeros there",
     "ein Byte, das keine Spalte hält, ist nicht null (Offset {1}); Speichern schreibt dort "
     "Nullen"},
    {K::RecordBytesUnkept,
     "bytes that no column keeps are not zero (offsets {1}); a save writes zeros there",
     "Bytes, die keine Spalte hält, sind nicht null (Offsets {1}); Speichern schreibt dort "
     "Nullen"},

    {K::ChirpNotUtf8, "the file is not UTF-8 as CHIRP writes it; read as Windows-1252",
     "die Datei ist nicht UTF-8, wie CHIRP schreibt; als Windows-1252 gelesen"},
    {K::ChirpHeaderLacks, "the header has no {w1} column; those cells stay empty",
     "die Kopfzeile hat keine Spalte {w1}; diese Zellen bleiben leer"},
    {K::ChirpFieldsMissing,
     "has {1} fields where the header has {2}; the missing ones read as empty",
     "hat {1} Felder, wo die Kopfzeile {2} hat; die fehlenden werden leer gelesen"},
    {K::ChirpFieldsExtra, "has {1} fields where the header has {2}; the extra ones are ignored",
     "hat {1} Felder, wo die Kopfzeile {2} hat; die überzähligen werden übergangen"},
    {K::ChirpLocationNotChannel,
     "Location {1} is not a channel number from 1 to 65535; kept as it is",
     "Location {1} ist keine Kanalnummer von 1 bis 65535; so belassen"},
    {K::ChirpFrequencyNotMhz, "Frequency {1} is not a frequency in MHz; kept as it is",
     "Frequenz {1} ist keine Frequenz in MHz; so belassen"},
    {K::ChirpModeUnknown, "Mode {1} is no mode the receiver has; kept as it is",
     "Modus {1} hat der Empfänger nicht; so belassen", 1},
    {K::ChirpSkipUnknown, "Skip {1} is neither S nor P; ignored",
     "Skip {1} ist weder S noch P; übergangen"},
    {K::ChirpColumnLost,
     "the column {1} holds values a receiver memory has no place for (first on line {2}); not "
     "read",
     "die Spalte {1} hält Werte, für die ein Empfängerspeicher keinen Platz hat (zuerst in Zeile "
     "{2}); nicht gelesen"},
    {K::ChirpColumnsLost,
     "the columns {w1} hold values a receiver memory has no place for (first on line {2}); not "
     "read",
     "die Spalten {w1} halten Werte, für die ein Empfängerspeicher keinen Platz hat (zuerst in "
     "Zeile {2}); nicht gelesen"},
    {K::ChirpBlankLine, "blank line skipped", "leere Zeile übersprungen"},
    {K::ChirpBlankLines, "{1} blank lines skipped (this is the first)",
     "{1} leere Zeilen übersprungen (dies ist die erste)"},
    {K::ChirpNumberedShifted,
     "the file holds Location 0: every channel is numbered its Location + 1",
     "die Datei hat Location 0: jeder Kanal erhält die Nummer Location + 1"},
    {K::ChirpLocationZeroLeftOut, "Location 0 is no channel number of the receiver; {w1} left out",
     "Location 0 ist keine Kanalnummer des Empfängers; {w1} ausgelassen"},
    {K::ChirpNumberedInOrder, "channels numbered 1 to {1} in file order, not by their Location",
     "Kanäle in Dateireihenfolge von 1 bis {1} nummeriert, nicht nach ihrer Location"},
    {K::ChirpNumberUsedAgain,
     "Number {1} is used again in row {2}; CHIRP keeps only the later line",
     "Nummer {1} kommt in Zeile {2} wieder vor; CHIRP behält nur die spätere Zeile"},
    {K::ChirpFrequencyNotWhole, "Frequency {1} is not a whole number of Hz; written as {2}",
     "Frequenz {1} ist keine ganze Zahl in Hz; als {2} geschrieben"},
    {K::ChirpModeNearest, "Mode {1} has no CHIRP equivalent; written as {2}",
     "Modus {1} gibt es in CHIRP nicht; als {2} geschrieben", 1},
    {K::ChirpNoPlace,
     "values of {w1} have no place in a CHIRP file (first in row {2}, {w3} in all); not written",
     "Werte von {w1} haben in einer CHIRP-Datei keinen Platz (zuerst in Zeile {2}, {w3} "
     "insgesamt); nicht geschrieben"},

    // A message that tallies its repeats ends in " (and 2 later rows)"; the catalogue holds it
    // without that ending, which is said apart (LaterRowsTail).
    {K::SdrSharpNotUtf8, "the file is not UTF-8 as SDR# writes it; read as Windows-1252",
     "die Datei ist nicht UTF-8, wie SDR# schreibt; als Windows-1252 gelesen"},
    {K::SdrSharpFrequencyNotHz, "Frequency {1} is not a frequency in Hz; entry left out",
     "Frequenz {1} ist keine Frequenz in Hz; Eintrag ausgelassen"},
    {K::SdrSharpFrequencyRounded, "Frequency {1} is not a whole number of Hz; rounded to {2}",
     "Frequenz {1} ist keine ganze Zahl in Hz; auf {2} gerundet"},
    {K::SdrppFrequencyNotHz,
     "bookmark {1} of list {2}: frequency {3} is not a frequency in Hz; left out",
     "Lesezeichen {1} der Liste {2}: Frequenz {3} ist keine Frequenz in Hz; ausgelassen"},
    {K::SdrppFrequencyRounded,
     "bookmark {1} of list {2}: frequency {3} is not a whole number of Hz; rounded to {4}",
     "Lesezeichen {1} der Liste {2}: Frequenz {3} ist keine ganze Zahl in Hz; auf {4} gerundet"},
    {K::BookmarkGroupsNamed, "Groups now stand for the {w1}'s group names: {2}",
     "Gruppen stehen jetzt für die Gruppennamen der {w1}: {2}"},
    {K::BookmarkGroupsTooFew,
     "Groups are 16 on the receiver, too few for {w1} (first {2}); {w3} left without a group",
     "Gruppen hat der Empfänger 16, zu wenige für {w1} (zuerst {2}); {w3} ohne Gruppe gelassen"},
    {K::BookmarkRowNotWritten, "Frequency {1} is not a whole number of Hz; row not written",
     "Frequenz {1} ist keine ganze Zahl in Hz; Zeile nicht geschrieben"},
    {K::BookmarkFrequencyTooHigh,
     "Frequency {1} is above {2} Hz, the highest an {w3} holds exactly; row not written",
     "Frequenz {1} liegt über {2} Hz, der höchsten, die eine {w3} genau hält; Zeile nicht "
     "geschrieben"},
    {K::BookmarkModeWritten, "Mode {1} has no equal in an {w2}; written as {3}",
     "Modus {1} hat in einer {w2} keine Entsprechung; als {3} geschrieben", 1},
    {K::BookmarkColumnLost, "{c} {1} has no place in an {w2}; not written",
     "{c} {1} hat in einer {w2} keinen Platz; nicht geschrieben"},
    {K::BookmarkOneGroup,
     "Groups {1} names several groups; an {w2} entry has one, so the first is written",
     "Gruppen {1} nennt mehrere Gruppen; ein Eintrag einer {w2} hat nur eine, also wird die erste "
     "geschrieben"},
    {K::BookmarkNameRepeated,
     "Callsign {1} is used again in its list, which keys bookmarks by name; written with a "
     "suffix such as \" (2)\"",
     "Rufzeichen {1} kommt in seiner Liste wieder vor, die Lesezeichen nach dem Namen "
     "unterscheidet; mit einem Zusatz wie \" (2)\" geschrieben"},

    {K::ListUnsupported,
     "SDR# frequency lists (XML) are not supported by this build: it was made without an XML "
     "library (pugixml)",
     "SDR#-Frequenzlisten (XML) unterstützt diese Ausgabe des Programms nicht: sie wurde ohne "
     "XML-Bibliothek (pugixml) gebaut"},
    {K::ListTooManyBookmarks,
     "the {w1} holds {2} bookmarks, more than the {3} channels a receiver holds; not read",
     "die {w1} hält {2} Lesezeichen, mehr als die {3} Kanäle eines Empfängers; nicht gelesen"},
    {K::ListTooLarge, "the {w1} is larger than {2} MiB; not read",
     "die {w1} ist größer als {2} MiB; nicht gelesen"},
    {K::ListDoctype,
     "line {1} declares a document type (DTD), which an SDR# list never has; refused",
     "Zeile {1} deklariert einen Dokumenttyp (DTD), den eine SDR#-Liste nie hat; abgelehnt"},
    {K::ListEntity, "line {1} refers to an entity XML does not define; refused",
     "Zeile {1} verweist auf eine Entität, die XML nicht definiert; abgelehnt"},
    {K::ListNotXml, "line {1} is not well-formed XML: {r}",
     "Zeile {1} ist kein wohlgeformtes XML: {r}"},
    {K::ListNoRoot, "the XML has no <ArrayOfMemoryEntry> element, so it is no SDR# list",
     "das XML hat kein Element <ArrayOfMemoryEntry>, ist also keine SDR#-Liste"},
    {K::ListTooDeep,
     "line {1} nests more than {2} levels deep, which an SDR++ list never does; refused",
     "Zeile {1} ist tiefer als {2} Ebenen verschachtelt, was eine SDR++-Liste nie ist; "
     "abgelehnt"},
    {K::ListNotJson, "line {1} is not well-formed JSON (byte {2})",
     "Zeile {1} ist kein wohlgeformtes JSON (Byte {2})"},
    {K::ListJsonUnread, "the JSON cannot be read: {1}", "das JSON ist nicht lesbar: {1}"},
    {K::ListNoLists,
     "the JSON has no \"lists\" object, so it is no SDR++ frequency manager file (nor a "
     "\"bookmarks\" object, as SDR++ exports)",
     "das JSON hat kein Objekt \"lists\", ist also keine Datei des SDR++-Frequenzmanagers (auch "
     "kein Objekt \"bookmarks\", wie SDR++ exportiert)"},

    {K::ScheduleKhzNotFrequency, "kHz {1} is not a frequency of whole Hz in kHz; line left out",
     "kHz {1} ist keine Frequenz ganzer Hz in kHz; Zeile ausgelassen"},
    {K::ScheduleTimeNotSpan,
     "Time(UTC) {1} is not a span HHMM-HHMM; left out when a time is asked for",
     "Time(UTC) {1} ist keine Spanne HHMM-HHMM; ausgelassen, wenn nach einer Zeit gefragt wird"},
    {K::ScheduleDaysUnread, "{w1} Days that say no plain weekday (first {2}); kept",
     "{w1} Days, die keinen einfachen Wochentag nennen (zuerst {2}); behalten"},
    {K::ScheduleDatesUnread,
     "{w1} a Start or Stop that is no day and month DDMM; that date not checked",
     "{w1} ein Start oder Stop, das kein Tag und Monat DDMM ist; dieses Datum nicht geprüft"},
    {K::ScheduleTimeBad,
     "the time \"{1}\" is neither HHMM nor HHMM-HHMM (UTC, 0000 to 2359, a span may end at 2400)",
     "die Zeit \"{1}\" ist weder HHMM noch HHMM-HHMM (UTC, 0000 bis 2359, eine Spanne darf um "
     "2400 enden)"},
    {K::ScheduleDayBad, "the day \"{1}\" is none of Mo, Tu, We, Th, Fr, Sa, Su",
     "der Tag \"{1}\" ist keiner von Mo, Tu, We, Th, Fr, Sa, Su"},
    {K::ScheduleBandBad,
     "the band \"{1}\" is not FROM-TO in kHz with FROM not above TO (e.g. 5900-6200)",
     "das Band \"{1}\" ist nicht FROM-TO in kHz mit FROM nicht über TO (z. B. 5900-6200)"},
    {K::ScheduleDateBad, "the date \"{1}\" is no real date YYYY-MM-DD",
     "das Datum \"{1}\" ist kein echtes Datum YYYY-MM-DD"},
    {K::ScheduleNoChannels,
     "\"{1}\" is an EiBi broadcast schedule: pick its broadcasts with File > Import Broadcast "
     "Schedule, or with corvalen-cli schedule",
     "\"{1}\" ist ein EiBi-Sendeplan: seine Sendungen wählt man mit Datei > Sendeplan "
     "importieren oder mit corvalen-cli schedule aus"},

    {K::RangeAirbandStep,
     "Step {1} is taken as the airband raster of 25/3 kHz (8333.33... Hz); each channel is "
     "rounded to the nearest Hz",
     "Schritt {1} gilt als Flugfunkraster von 25/3 kHz (8333,33... Hz); jeder Kanal wird auf "
     "das nächste Hz gerundet"},
    {K::RangeStopMissed, "Stop {1} is not on the raster; the last channel is at {2}",
     "Stopp {1} liegt nicht auf dem Raster; der letzte Kanal liegt bei {2}"},
    {K::TableFull,
     "{w1} channels; with the {2} rows already in the table that is more than {3} rows; {w4}",
     "{w1} Kanäle; mit den {2} Zeilen, die schon in der Tabelle stehen, sind das mehr als {3} "
     "Zeilen; {w4}"},
    {K::NumbersPastLast, "Channel numbers {1} to {2} go past {3}, the highest channel number",
     "Kanalnummern {1} bis {2} gehen über {3} hinaus, die höchste Kanalnummer"},

    {K::CliWrote, "wrote {w1} to {2}", "{w1} nach {2} geschrieben"},
    {K::CliWroteFrom, "wrote {w1} to {2} from {w3} of {4}",
     "{w1} nach {2} geschrieben aus {w3} von {4}"},
    {K::CliWroteFromSchedule, "wrote {w1} to {2} from {3} of {w4} in {5}",
     "{w1} nach {2} geschrieben aus {3} von {w4} in {5}"},
    {K::CliRowsNotWritten, "{w1} not written", "{w1} nicht geschrieben"},
    {K::CliRecordsKept, "{w1} already in the file kept", "{w1} der Datei behalten"},
    {K::CliEmptyRowsSkipped, "{w1} skipped", "{w1} übersprungen"},
    {K::CliReported, "{w1} reported", "{w1} gemeldet"},
    {K::CliChecked, "checked {w1} of {2}: {w3}", "{w1} von {2} geprüft: {w3}"},
    {K::CliMoreKinds, "{w1} of other kinds; --all lists every one",
     "{w1} anderer Arten; --all listet jede auf"},
    {K::CliSeeHelp, "see corvalen-cli --help", "siehe corvalen-cli --help"},
    {K::CliUnknownCommand, "unknown command {1}", "unbekannter Befehl {1}"},
    {K::CliUnknownOption, "unknown option {1}", "unbekannte Option {1}"},
    {K::CliNeedsValue, "{1} needs a value", "{1} braucht einen Wert"},
    {K::CliNeeds, "{1} needs {w2}", "{1} braucht {w2}"},
    {K::CliModelNeeded, "{w1} a {2} file needs --model {w3}",
     "{w1} einer {2}-Datei braucht es --model {w3}"},
    {K::CliCannotOpen, "Cannot open \"{1}\": {r}", "Kann \"{1}\" nicht öffnen: {r}"},
    {K::CliCannotRead, "Cannot read \"{1}\": {r}", "Kann \"{1}\" nicht lesen: {r}"},
    {K::CliCannotSave, "Cannot save \"{1}\": {r}", "Kann \"{1}\" nicht speichern: {r}"},
    {K::CliFillWrote, "wrote {w1} to {2}: {3} new, numbered {4} to {5}",
     "{w1} nach {2} geschrieben: {3} neu, nummeriert {4} bis {5}"},
    {K::CliNoModel, "--model \"{1}\" is no receiver model: the models are 303, 313, 305 and 315",
     "--model \"{1}\" ist kein Empfängermodell: die Modelle sind 303, 313, 305 und 315"},
    {K::CliNumberingValue, "--numbering takes keep, shift or sequential, not {1}",
     "--numbering nimmt keep, shift oder sequential, nicht {1}"},
    {K::CliNoChannels, "no channels in {1}", "keine Kanäle in {1}"},
    {K::CliOptionProblem, "--{1}: {r}", "--{1}: {r}"},
    {K::CliToValue, "--to takes chirp, sdrsharp or sdrpp, not {1}",
     "--to nimmt chirp, sdrsharp oder sdrpp, nicht {1}"},
    {K::CliTryHelp, "Try corvalen-cli {1} --help", "Siehe corvalen-cli {1} --help"},
    {K::CliNoSchedule,
     "\"{1}\" is no EiBi schedule: its first line does not start with the kHz column; nothing "
     "written",
     "\"{1}\" ist kein EiBi-Sendeplan: seine erste Zeile beginnt nicht mit der Spalte kHz; "
     "nichts geschrieben"},
    {K::CliNothingPasses, "no broadcast of {1} passes the filters; nothing written",
     "keine Sendung aus {1} besteht die Filter; nichts geschrieben"},
    {K::CliScheduleTooMany,
     "the broadcasts of {1} that pass the filters make {2} channels, more than the {3} a "
     "receiver holds; pick fewer with the filters; nothing written",
     "die Sendungen aus {1}, die die Filter bestehen, ergeben {2} Kanäle, mehr als die {3} "
     "eines Empfängers; wählen Sie mit den Filtern weniger; nichts geschrieben"},

    {K::CliDiffAdded, "channel {1} added: {2}", "Kanal {1} hinzugekommen: {2}"},
    {K::CliDiffRemoved, "channel {1} removed: {2}", "Kanal {1} entfernt: {2}"},
    {K::CliDiffChanged, "channel {1} changed: {2}", "Kanal {1} geändert: {2}"},
    {K::CliDiffRepeated, "{1}: channel {2} of {w3} is given again in {w4}; only {w4} is compared",
     "{1}: Kanal {2} aus {w3} kommt in {w4} wieder vor; nur {w4} wird verglichen"},
    {K::CliDiffUnnumbered,
     "{1}: {w2} has no channel number from 1 to 65535 ({3}); it is not compared",
     "{1}: {w2} hat keine Kanalnummer von 1 bis 65535 ({3}); sie wird nicht verglichen"},
    {K::CliDiffSame, "{1} and {2} hold the same {w3}", "{1} und {2} stimmen überein: {w3}"},
    {K::CliDiffDiffer, "{1} and {2} differ: {w3} added, {4} removed, {5} changed",
     "{1} und {2} unterscheiden sich: {w3} hinzugekommen, {4} entfernt, {5} geändert"},
    {K::CliDiffDifferUnnumbered,
     "{1} and {2} differ: {w3} added, {4} removed, {5} changed; {w6} without a channel number",
     "{1} und {2} unterscheiden sich: {w3} hinzugekommen, {4} entfernt, {5} geändert; {w6} ohne "
     "Kanalnummer"},
    {K::CliDiffCompared, "compared {w1}", "verglichen: {w1}"},

    {K::GroupLine, "{w1}: {2}", "{w1}: {2}"},
    {K::GroupMore, "and {1} more", "und {1} weitere"},
};

// Words and phrases of {w} values and of "; " pieces no template knows, longest first where
// one starts another.
constexpr std::pair<std::string_view, std::string_view> kWords[] = {
    {"no problems or notices", "keine Probleme oder Hinweise"},
    {"no field", "kein Feld"},
    {"two files", "zwei Dateien"},
    {"a SKED.csv and an OUTPUT file", "eine SKED.csv- und eine OUTPUT-Datei"},
    {"SDR# list", "SDR#-Liste"},
    {"SDR++ list", "SDR++-Liste"},
    {"more group names", "weitere Gruppennamen"},
    {"more group name", "weiteren Gruppennamen"},
    {"later rows", "spätere Zeilen"},
    {"later row", "spätere Zeile"},
    {"entries have", "Einträge haben"},
    {"entry has", "Eintrag hat"},
    {"The filter gives", "Der Filter ergibt"},
    {"The file holds", "Die Datei hält"},
    {"The range makes", "Der Bereich ergibt"},
    {"no more fit", "keine passen mehr"},
    {"more fit", "passen noch"},
    {"writing", "zum Schreiben"},
    {"reading", "zum Lesen"},
    {"checking", "zum Prüfen"},
    {"or", "oder"},
    {"broadcasts", "Sendungen"},
    {"broadcast", "Sendung"},
    {"and the file ends inside a record", "und die Datei endet mitten in einem Datensatz"},
    {"all verify", "alle stimmen"},
    {"bad checksums", "falsche Prüfsummen"},
    {"bad checksum", "falsche Prüfsumme"},
    {"blank lines", "leere Zeilen"},
    {"blank line", "leere Zeile"},
    {"empty rows", "leere Zeilen"},
    {"empty row", "leere Zeile"},
    {"input lines", "Eingabezeilen"},
    {"input line", "Eingabezeile"},
    {"reserved field", "reserviertes Feld"},
    {"no group", "keine Gruppe"},
    {"an INPUT and an OUTPUT file", "eine INPUT- und eine OUTPUT-Datei"},
    {"one FILE.g3m or FILE.15m", "eine FILE.g3m oder FILE.15m"},
    {"one FILE", "eine FILE"},
    {"channels", "Kanäle"},
    {"channel", "Kanal"},
    {"records", "Datensätze"},
    {"record", "Datensatz"},
    {"rows", "Zeilen"},
    {"row", "Zeile"},
    {"lines", "Zeilen"},
    {"line", "Zeile"},
    {"problems", "Probleme"},
    {"problem", "Problem"},
    {"notices", "Hinweise"},
    {"notice", "Hinweis"},
    {"groups", "Gruppen"},
    {"group", "Gruppe"},
    {"fields", "Felder"},
    {"field", "Feld"},
    {"more", "weitere"},
    {"and", "und"},
};

// The receiver's column names as the CSV header has them, and in German.
constexpr std::pair<std::string_view, std::string_view> kColumnNames[] = {
    {"Secondary squelch type", "Typ der Zweitsperre"},
    {"Secondary squelch value", "Wert der Zweitsperre"},
    {"Level Squelch", "Squelch-Pegel"},
    {"IF Shift", "ZF-Verschiebung"},
    {"Number", "Nummer"},
    {"Frequency", "Frequenz"},
    {"Bandwidth", "Bandbreite"},
    {"reserved", "reserviert"},
    {"Groups", "Gruppen"},
    {"Hotkey", "Hotkey"},
    {"Lockout", "Sperre"},
    {"Priority", "Priorität"},
    {"Mode", "Modus"},
    {"Callsign", "Rufzeichen"},
    {"Comments", "Kommentar"},
};

// What the operating system says, as the converter passes it on.
constexpr std::pair<std::string_view, std::string_view> kReasons[] = {
    {"No such file or directory", "Datei oder Verzeichnis nicht gefunden"},
    {"Permission denied", "Keine Berechtigung"},
    {"Is a directory", "Ist ein Verzeichnis"},
    {"it is no regular file", "es ist keine gewöhnliche Datei"},
    {"the file is read-only", "die Datei ist schreibgeschützt"},
    {"No space left on device", "Kein Platz mehr auf dem Gerät"},
    {"Input/output error", "Ein-/Ausgabefehler"},
    // What the XML parser says of a list that is not well-formed.
    {"Could not allocate memory", "Kein Speicher mehr frei"},
    {"Could not determine tag type", "Art des Tags nicht erkennbar"},
    {"Error parsing document declaration/processing instruction",
     "Fehler in der XML-Deklaration oder einer Verarbeitungsanweisung"},
    {"Error parsing comment", "Fehler in einem Kommentar"},
    {"Error parsing CDATA section", "Fehler in einem CDATA-Abschnitt"},
    {"Error parsing document type declaration", "Fehler in der Dokumenttypdeklaration"},
    {"Error parsing PCDATA section", "Fehler im Text eines Elements"},
    {"Error parsing start element tag", "Fehler in einem Start-Tag"},
    {"Error parsing element attribute", "Fehler in einem Attribut"},
    {"Error parsing end element tag", "Fehler in einem End-Tag"},
    {"Start-end tags mismatch", "Start- und End-Tag passen nicht zusammen"},
    {"No document element found", "Kein Dokumentelement gefunden"},
};

bool IsWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// `text` with every whole word or phrase of kWords and kColumnNames replaced.
std::string TranslateWords(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const bool wordStart = i == 0 || !IsWordCharacter(text[i - 1]);
        bool replaced = false;
        if (wordStart && IsWordCharacter(text[i])) {
            const auto tryTable = [&](const auto& table) {
                for (const auto& [english, german] : table) {
                    if (text.substr(i).starts_with(english) &&
                        (i + english.size() == text.size() ||
                         !IsWordCharacter(text[i + english.size()]))) {
                        out.append(german);
                        i += english.size();
                        return true;
                    }
                }
                return false;
            };
            replaced = tryTable(kColumnNames) || tryTable(kWords);
        }
        if (!replaced) {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// The frame of a grouped report's line, which LocalizedLine takes apart itself.
bool IsGroupKind(MessageKind kind) {
    return kind == MessageKind::GroupLine || kind == MessageKind::GroupMore;
}

// One piece of a template: a literal text, or a placeholder.
struct Piece {
    std::string_view literal;
    char type = 0;  // 0 literal; 'v' value, 'c' column, 'w' words, 'r' reason
    int slot = 0;   // values are numbered from 1; {c} and {r} take slots of their own
};

std::vector<Piece> Pieces(std::string_view text) {
    std::vector<Piece> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            continue;
        }
        const std::size_t close = text.find('}', i);
        if (close == std::string_view::npos || close - i > 3) {
            continue;
        }
        const std::string_view inside = text.substr(i + 1, close - i - 1);
        Piece piece;
        if (inside == "c" || inside == "r") {
            piece.type = inside[0];
            piece.slot = inside == "c" ? 20 : 21;
        } else if (inside.size() == 1 && inside[0] >= '1' && inside[0] <= '9') {
            piece.type = 'v';
            piece.slot = inside[0] - '0';
        } else if (inside.size() == 2 && inside[0] == 'w' && inside[1] >= '1' && inside[1] <= '9') {
            piece.type = 'w';
            piece.slot = inside[1] - '0';
        } else {
            continue;
        }
        if (i > start) {
            pieces.push_back({text.substr(start, i - start)});
        }
        pieces.push_back(piece);
        start = close + 1;
        i = close;
    }
    if (start < text.size()) {
        pieces.push_back({text.substr(start)});
    }
    return pieces;
}

using Slots = std::array<std::optional<std::string_view>, 22>;

bool IsColumnName(std::string_view text) {
    return std::any_of(std::begin(kColumnNames), std::end(kColumnNames),
                       [&](const auto& names) { return names.first == text; });
}

// Matches `text` against pieces[index...], binding placeholders to the shortest text that lets
// the rest match.
bool Match(const std::vector<Piece>& pieces, std::size_t index, std::string_view text,
           Slots& slots) {
    if (index == pieces.size()) {
        return text.empty();
    }
    const Piece& piece = pieces[index];
    if (piece.type == 0) {
        return text.starts_with(piece.literal) &&
               Match(pieces, index + 1, text.substr(piece.literal.size()), slots);
    }
    std::optional<std::string_view>& slot = slots[static_cast<std::size_t>(piece.slot)];
    if (slot) {
        return text.starts_with(*slot) &&
               Match(pieces, index + 1, text.substr(slot->size()), slots);
    }
    const bool last = index + 1 == pieces.size();
    for (std::size_t length = last ? text.size() : 0; length <= text.size(); ++length) {
        const std::string_view value = text.substr(0, length);
        if (piece.type == 'c' && !IsColumnName(value)) {
            continue;
        }
        slot = value;
        if (Match(pieces, index + 1, text.substr(length), slots)) {
            return true;
        }
    }
    slot.reset();
    return false;
}

std::string Fill(const std::vector<Piece>& pieces, const Slots& slots, Language language) {
    std::string out;
    for (const Piece& piece : pieces) {
        if (piece.type == 0) {
            out.append(piece.literal);
            continue;
        }
        const std::string_view value = slots[static_cast<std::size_t>(piece.slot)].value_or("");
        if (language == Language::English || piece.type == 'v') {
            out.append(value);
        } else if (piece.type == 'c') {
            out.append(ColumnNameIn(value, language));
        } else if (piece.type == 'w') {
            out.append(TranslateWords(value));
        } else {
            out.append(LocalizedLine(value, language));
        }
    }
    return out;
}

// How many characters of a template are fixed text rather than values.
std::size_t LiteralLength(std::string_view templateText) {
    std::size_t length = 0;
    for (const Piece& piece : Pieces(templateText)) {
        length += piece.type == 0 ? piece.literal.size() : 0;
    }
    return length;
}

// The " (and 2 later rows)" that ends a message told once for several rows, or empty.
std::string_view LaterRowsTail(std::string_view text) {
    const std::size_t at = text.rfind(" (and ");
    if (at == std::string_view::npos) {
        return {};
    }
    const std::size_t end = text.find_first_not_of("0123456789", at + 6);
    const std::string_view rest = end == std::string_view::npos ? "" : text.substr(end);
    return end > at + 6 && (rest == " later row)" || rest == " later rows)") ? text.substr(at)
                                                                             : std::string_view();
}

// Matches `text` against a template's pieces, first without a tally's ending (which a value at
// the template's end would otherwise take in); `tail` is the ending left out, if any.
bool MatchMessage(const std::vector<Piece>& pieces, std::string_view text, Slots& slots,
                  std::string_view& tail) {
    tail = LaterRowsTail(text);
    if (!tail.empty() && Match(pieces, 0, text.substr(0, text.size() - tail.size()), slots)) {
        return true;
    }
    tail = {};
    slots = Slots();
    return Match(pieces, 0, text, slots);
}

// `english` as the text of `entry`, with its values put into that entry's text in `language`
// (a tally's ending put back after it); nothing when it is not that entry's text.
std::optional<std::string> TryTemplate(const MessageTemplate& entry, std::string_view english,
                                       Language language) {
    Slots slots;
    std::string_view tail;
    if (!MatchMessage(Pieces(entry.english), english, slots, tail)) {
        return std::nullopt;
    }
    return Fill(Pieces(language == Language::German ? entry.german : entry.english), slots,
                language) +
           (language == Language::German ? TranslateWords(tail) : std::string(tail));
}

// A "; " piece that is no template's text: a reason, or a phrase of known words.
std::string LocalizedPiece(std::string_view piece, Language language) {
    std::optional<std::string> best;
    std::size_t bestLiterals = 0;
    for (const MessageTemplate& entry : kCatalogue) {
        if (IsGroupKind(entry.kind)) {
            continue;
        }
        // The template with the most fixed text wins, as for whole lines.
        if (std::optional<std::string> text = TryTemplate(entry, piece, language);
            text && (!best || LiteralLength(entry.english) > bestLiterals)) {
            best = std::move(text);
            bestLiterals = LiteralLength(entry.english);
        }
    }
    if (best) {
        return *best;
    }
    for (const auto& [english, german] : kReasons) {
        if (piece == english) {
            return std::string(german);
        }
    }
    return std::string(piece);
}

}  // namespace

std::span<const MessageTemplate> MessageCatalogue() {
    return kCatalogue;
}

const MessageTemplate& TemplateOf(MessageKind kind) {
    static const MessageTemplate kNone{MessageKind::Other, "{1}", "{1}"};
    for (const MessageTemplate& entry : kCatalogue) {
        if (entry.kind == kind) {
            return entry;
        }
    }
    return kNone;
}

Language LanguageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("de") ? Language::German : Language::English;
        }
    }
    return Language::English;
}

std::string FormatMessage(MessageKind kind, std::span<const std::string_view> values,
                          Language language) {
    const std::vector<Piece> english = Pieces(TemplateOf(kind).english);
    Slots slots;
    std::size_t next = 0;
    for (const Piece& piece : english) {
        std::optional<std::string_view>& slot = slots[static_cast<std::size_t>(piece.slot)];
        if (piece.type != 0 && !slot && next < values.size()) {
            slot = values[next++];
        }
    }
    const MessageTemplate& entry = TemplateOf(kind);
    return Fill(Pieces(language == Language::German ? entry.german : entry.english), slots,
                language);
}

std::string Localized(std::string_view english, Language language, MessageKind kind) {
    if (language == Language::English) {
        return std::string(english);
    }
    if (kind != MessageKind::Other) {
        if (std::optional<std::string> text = TryTemplate(TemplateOf(kind), english, language)) {
            return *text;
        }
    }
    return LocalizedLine(english, language);
}

std::string LocalizedLine(std::string_view line, Language language) {
    if (language == Language::English || line.empty()) {
        return std::string(line);
    }
    // A grouped report's line: "612 channels: <message> (line 2, Location 0; ...; and 609
    // more)".
    for (const std::string_view counted : {" channels: ", " channel: ", " lines: ", " records: "}) {
        const std::size_t at = line.find(counted);
        if (at != std::string_view::npos && at > 0 && line.find_first_not_of("0123456789") == at) {
            return TranslateWords(line.substr(0, at + counted.size())) +
                   LocalizedLine(line.substr(at + counted.size()), language);
        }
    }
    if (line.ends_with(')')) {
        for (const std::string_view word :
             {" (line ", " (row ", " (record ", " (Location ", " (Number "}) {
            const std::size_t at = line.rfind(word);
            if (at != std::string_view::npos && line.find(')', at) == line.size() - 1) {
                return LocalizedLine(line.substr(0, at), language) + " (" +
                       TranslateWords(line.substr(at + 2));
            }
        }
    }
    std::string out;
    std::string_view column;  // the column a "row 2, Frequency: " start names
    // "corvalen-cli: " stays; "row 7: ", "line 3: ", "record 5: " and "row 2, Frequency: "
    // are said in German.
    if (line.starts_with("corvalen-cli: ")) {
        out = "corvalen-cli: ";
        line.remove_prefix(14);
    }
    for (const Diagnostic::Place place :
         {Diagnostic::Place::Row, Diagnostic::Place::Line, Diagnostic::Place::Record}) {
        const std::string_view word = PlaceWord(place, Language::English);
        if (!line.starts_with(word) || line.size() <= word.size() + 1 || line[word.size()] != ' ') {
            continue;
        }
        std::size_t end = word.size() + 1;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9') {
            ++end;
        }
        // "line 3 refers to ..." is a message of its own, which names its line itself.
        if (end == word.size() + 1 || end >= line.size() ||
            (line.substr(end, 2) != ": " && line.substr(end, 2) != ", ")) {
            continue;
        }
        out.append(PlaceWord(place, language)).append(line.substr(word.size(), end - word.size()));
        line.remove_prefix(end);
        if (line.starts_with(", ")) {
            const std::size_t colon = line.find(": ");
            if (colon != std::string_view::npos && IsColumnName(line.substr(2, colon - 2))) {
                column = line.substr(2, colon - 2);
                out.append(", ").append(ColumnNameIn(column, language));
                line.remove_prefix(colon);
            }
        }
        if (line.starts_with(": ")) {
            out.append(": ");
            line.remove_prefix(2);
        }
        break;
    }
    // The whole rest as one message ("row 2, Mode: is empty; ..." with its column put back in
    // front, as the message has it), else piece by piece. Where several templates match, the
    // one with the most fixed text is the message: a value may hold words of another template
    // ("Groups {1} is not a group" matches a "names ..., which is not a group" line too).
    std::optional<std::string> best;
    std::size_t bestLiterals = 0;
    const auto consider = [&](const MessageTemplate& entry, std::optional<std::string> text) {
        const std::size_t literals = LiteralLength(entry.english);
        if (text && (!best || literals > bestLiterals)) {
            best = std::move(text);
            bestLiterals = literals;
        }
    };
    const std::string whole = std::string(column) + " " + std::string(line);
    for (const MessageTemplate& entry : kCatalogue) {
        // A summary is told in pieces between "; ", each of its own kind; a reason at the end
        // ("Cannot read ...: line 3 ...; refused") is told as a line of its own.
        if ((entry.kind >= MessageKind::CliWrote && entry.kind <= MessageKind::CliNoModel &&
             !entry.english.ends_with("{r}")) ||
            IsGroupKind(entry.kind)) {
            continue;
        }
        if (!column.empty()) {
            if (std::optional<std::string> text = TryTemplate(entry, whole, language)) {
                const std::string_view name = ColumnNameIn(column, language);
                consider(entry, std::string_view(*text).starts_with(name) &&
                                        text->size() > name.size()
                                    ? text->substr(name.size() + 1)
                                    : *text);
                continue;
            }
        }
        consider(entry, TryTemplate(entry, line, language));
    }
    if (best) {
        return out + *best;
    }
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find("; ", start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        out.append(start == 0 ? "" : "; ")
            .append(LocalizedPiece(line.substr(start, end - start), language));
        start = end + 2;
    }
    return out;
}

bool IsTextOf(MessageKind kind, std::string_view english) {
    return kind != MessageKind::Other &&
           TryTemplate(TemplateOf(kind), english, Language::English).has_value();
}

std::string GroupValue(const Diagnostic& diagnostic) {
    const MessageTemplate& entry = TemplateOf(diagnostic.kind);
    if (entry.groupBy == 0) {
        return {};
    }
    Slots slots;
    std::string_view tail;
    if (!MatchMessage(Pieces(entry.english), diagnostic.message, slots, tail)) {
        return {};
    }
    return std::string(slots[static_cast<std::size_t>(entry.groupBy)].value_or(""));
}

std::string_view ColumnNameIn(std::string_view englishName, Language language) {
    if (language == Language::German) {
        for (const auto& [english, german] : kColumnNames) {
            if (english == englishName) {
                return german;
            }
        }
    }
    return englishName;
}

std::string_view PlaceWord(Diagnostic::Place place, Language language) {
    const bool german = language == Language::German;
    switch (place) {
        case Diagnostic::Place::Line:
            return german ? "Zeile" : "line";
        case Diagnostic::Place::Row:
            return german ? "Zeile" : "row";
        case Diagnostic::Place::Record:
            return german ? "Datensatz" : "record";
    }
    return {};
}

}  // namespace corvalen
