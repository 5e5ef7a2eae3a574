#include "io/Messages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "table/Columns.h"

namespace corvalen {

namespace {

using K = MessageKind;

// English first: the sentence, then its German; the heading of a group and its German; a
// member's detail and its German (none: the English); the values a group is keyed by.
constexpr MessageTemplate kCatalogue[] = {
    {K::NumberEmpty, "Number is empty; row not written",
     "Nummer ist leer; Zeile nicht geschrieben"},
    {K::NumberNotChannel, "Number {1} is not a channel number from 1 to 65535; row not written",
     "Nummer {1} ist keine Kanalnummer von 1 bis 65535; Zeile nicht geschrieben",
     "Number is not a channel number from 1 to 65535; row not written",
     "Nummer ist keine Kanalnummer von 1 bis 65535; Zeile nicht geschrieben", "{1}"},
    {K::NumberUsedAgain,
     "Number {1} is used again in row {2}; only row {2} is written as channel {3}",
     "Nummer {1} kommt in Zeile {2} wieder vor; nur Zeile {2} wird als Kanal {3} geschrieben",
     "Number used again in a later row; only the later row is written",
     "Nummer kommt in einer späteren Zeile wieder vor; nur die spätere Zeile wird geschrieben",
     "{1}, again in row {2}", "{1}, wieder in Zeile {2}"},
    {K::FrequencyEmpty, "Frequency is empty; written as 0 Hz",
     "Frequenz ist leer; als 0 Hz geschrieben"},
    {K::FrequencyNotNumber, "Frequency {1} is not a number of Hz; written as 0 Hz",
     "Frequenz {1} ist keine Zahl in Hz; als 0 Hz geschrieben",
     "Frequency is not a number of Hz; written as 0 Hz",
     "Frequenz ist keine Zahl in Hz; als 0 Hz geschrieben", "{1}"},
    {K::FrequencyBelowZero, "Frequency {1} is below 0 Hz; written as 0 Hz",
     "Frequenz {1} liegt unter 0 Hz; als 0 Hz geschrieben",
     "Frequency is below 0 Hz; written as 0 Hz", "Frequenz liegt unter 0 Hz; als 0 Hz geschrieben",
     "{1}"},
    {K::FrequencyTooHigh, "Frequency {1} is above 4294967295 Hz; written as 0 Hz",
     "Frequenz {1} liegt über 4294967295 Hz; als 0 Hz geschrieben",
     "Frequency is above 4294967295 Hz; written as 0 Hz",
     "Frequenz liegt über 4294967295 Hz; als 0 Hz geschrieben", "{1}"},
    {K::FractionWithUnit, "{c} {1} Hz is not a whole number; written as {2}",
     "{c} {1} Hz ist keine ganze Zahl; als {2} geschrieben", "{c} is not a whole number of Hz",
     "{c} ist keine ganze Zahl in Hz", "{1} Hz → {2}"},
    {K::Fraction, "{c} {1} is not a whole number; written as {2}",
     "{c} {1} ist keine ganze Zahl; als {2} geschrieben", "{c} is not a whole number",
     "{c} ist keine ganze Zahl", "{1} → {2}"},
    {K::FrequencyRepeated, "Frequency {1} Hz with mode {2} is already in row {3}",
     "Frequenz {1} Hz mit Modus {2} steht schon in Zeile {3}",
     "Frequency and Mode already in an earlier row",
     "Frequenz und Modus stehen schon in einer früheren Zeile", "{1} Hz {2}, as row {3}",
     "{1} Hz {2}, wie Zeile {3}"},
    {K::BandwidthEmpty,
     "Bandwidth is empty; the channel will be skipped the next time the .csv file is opened",
     "Bandbreite ist leer; der Kanal wird beim nächsten Öffnen der .csv-Datei übersprungen"},
    {K::NotNumberOfUnit, "{c} {1} is not a number of Hz; written as 0 Hz",
     "{c} {1} ist keine Zahl in Hz; als 0 Hz geschrieben",
     "{c} is not a number of Hz; written as 0 Hz", "{c} ist keine Zahl in Hz; als 0 Hz geschrieben",
     "{1}"},
    {K::NotNumber, "{c} {1} is not a number; written as {2}",
     "{c} {1} ist keine Zahl; als {2} geschrieben", "{c} is not a number", "{c} ist keine Zahl",
     "{1} → {2}"},
    {K::TooLargeWithUnit, "{c} {1} is too large; written as 0 Hz",
     "{c} {1} ist zu groß; als 0 Hz geschrieben", "{c} is too large; written as 0 Hz",
     "{c} ist zu groß; als 0 Hz geschrieben", "{1}"},
    {K::TooLarge, "{c} {1} is too large; written as 0", "{c} {1} ist zu groß; als 0 geschrieben",
     "{c} is too large; written as 0", "{c} ist zu groß; als 0 geschrieben", "{1}"},
    {K::BandwidthBelowZero, "Bandwidth {1} is below 0 Hz, so no bandwidth; written as 0 Hz",
     "Bandbreite {1} liegt unter 0 Hz, also keine Bandbreite; als 0 Hz geschrieben",
     "Bandwidth is below 0 Hz, so no bandwidth; written as 0 Hz",
     "Bandbreite liegt unter 0 Hz, also keine Bandbreite; als 0 Hz geschrieben", "{1}"},
    {K::GroupsNotGroup, "Groups {1} is not a group from 1 to 16; written as {2:groups}",
     "Gruppen {1} ist keine Gruppe von 1 bis 16; als {2:groups} geschrieben",
     "Groups is not a group from 1 to 16", "Gruppen ist keine Gruppe von 1 bis 16",
     "{1} → {2:groups}"},
    {K::GroupsNameNotGroup,
     "Groups {1} names {2}, which is not a group from 1 to 16; written as {3:groups}",
     "Gruppen {1} nennt {2}, keine Gruppe von 1 bis 16; als {3:groups} geschrieben",
     "Groups names a number that is not a group from 1 to 16",
     "Gruppen nennt eine Zahl, die keine Gruppe von 1 bis 16 ist", "{1} ({2}) → {3:groups}"},
    {K::GroupsNamesNotGroups,
     "Groups {1} names {2}, which are not groups from 1 to 16; written as {3:groups}",
     "Gruppen {1} nennt {2}, keine Gruppen von 1 bis 16; als {3:groups} geschrieben",
     "Groups names numbers that are not groups from 1 to 16",
     "Gruppen nennt Zahlen, die keine Gruppen von 1 bis 16 sind", "{1} ({2}) → {3:groups}"},
    {K::GroupsNameNotWhole,
     "Groups {1} names {2}, which is not a whole group number; written as {3:groups}",
     "Gruppen {1} nennt {2}, keine ganze Gruppennummer; als {3:groups} geschrieben",
     "Groups names a group that is not a whole number",
     "Gruppen nennt eine Gruppe, die keine ganze Zahl ist", "{1} ({2}) → {3:groups}"},
    {K::GroupsNamesNotWhole,
     "Groups {1} names {2}, which are not whole group numbers; written as {3:groups}",
     "Gruppen {1} nennt {2}, keine ganzen Gruppennummern; als {3:groups} geschrieben",
     "Groups names groups that are not whole numbers",
     "Gruppen nennt Gruppen, die keine ganzen Zahlen sind", "{1} ({2}) → {3:groups}"},
    {K::HotkeyNotHotkey,
     "Hotkey {1} is not a hot key number (2 to 12 for F2 to F12); written as no hot key",
     "Hotkey {1} ist keine Hotkey-Nummer (2 bis 12 für F2 bis F12); als kein Hotkey geschrieben",
     "Hotkey is not a hot key number (2 to 12 for F2 to F12); written as no hot key",
     "Hotkey ist keine Hotkey-Nummer (2 bis 12 für F2 bis F12); als kein Hotkey geschrieben",
     "{1}"},
    {K::LockoutNotFlags,
     "Lockout {1} is not a sum of lockout flags (1 scan lockout, 2 do not set mode, 4 do not set "
     "squelch); written as no lockout flags",
     "Sperre {1} ist keine Summe von Sperrflags (1 beim Suchlauf sperren, 2 Modus nicht setzen, 4 "
     "Squelch nicht setzen); als keine Sperrflags geschrieben",
     "Lockout is not a sum of lockout flags (1 scan lockout, 2 do not set mode, 4 do not set "
     "squelch); written as no lockout flags",
     "Sperre ist keine Summe von Sperrflags (1 beim Suchlauf sperren, 2 Modus nicht setzen, 4 "
     "Squelch nicht setzen); als keine Sperrflags geschrieben",
     "{1}"},
    {K::LevelAboveZero, "Level Squelch {1} is above 0; written as {2}",
     "Squelch-Pegel {1} liegt über 0; als {2} geschrieben", "Level Squelch is above 0",
     "Squelch-Pegel liegt über 0", "{1} → {2}"},
    {K::LevelTooLow, "Level Squelch {1} is too low; written as {2}",
     "Squelch-Pegel {1} ist zu niedrig; als {2} geschrieben", "Level Squelch is too low",
     "Squelch-Pegel ist zu niedrig", "{1} → {2}"},
    {K::ModeEmpty, "Mode is empty; written as {1}", "Modus ist leer; als {1} geschrieben", "", "",
     "", "", 0b1},
    {K::ModeUnknown, "Mode {1} is not a mode the receiver knows ({2}); written as {3}",
     "Modus {1} kennt der Empfänger nicht ({2}); als {3} geschrieben", "", "", "", "", 0b111},
    {K::TextTooLong, "{c} {1} is longer than {2} characters; written as {3}",
     "{c} {1} ist länger als {2} Zeichen; als {3} geschrieben",
     "{c} longer than {2} characters, cut to {2}", "{c} länger als {2} Zeichen, auf {2} gekürzt",
     "{1} → {3}", "", 0b10},
    {K::TextTooLongUnheld,
     "{c} {1} is longer than {2} characters and has characters a .g3m file cannot hold; written "
     "as {3}",
     "{c} {1} ist länger als {2} Zeichen und hat Zeichen, die eine .g3m-Datei nicht fassen kann; "
     "als {3} geschrieben",
     "{c} longer than {2} characters and with characters a .g3m file cannot hold",
     "{c} länger als {2} Zeichen und mit Zeichen, die eine .g3m-Datei nicht fassen kann",
     "{1} → {3}", "", 0b10},
    {K::TextUnheld, "{c} {1} has characters a .g3m file cannot hold; written as {2}",
     "{c} {1} hat Zeichen, die eine .g3m-Datei nicht fassen kann; als {2} geschrieben",
     "{c} has characters a .g3m file cannot hold",
     "{c} hat Zeichen, die eine .g3m-Datei nicht fassen kann", "{1} → {2}"},

    {K::CsvUtf8, "the file is UTF-8 text, not Windows-1252; read as UTF-8",
     "die Datei ist UTF-8-Text, nicht Windows-1252; als UTF-8 gelesen"},
    {K::QuoteNotClosed,
     "a quoted field is not closed before the end of the file; the rest of the file was read "
     "into it",
     "ein Feld in Anführungszeichen ist bis zum Dateiende nicht geschlossen; der Rest der Datei "
     "wurde in dieses Feld gelesen"},
    {K::CsvBandwidthEmptySkipped, "Bandwidth is empty; channel skipped",
     "Bandbreite ist leer; Kanal übersprungen"},
    {K::CsvFieldsMissing, "{1:field} where 19 were expected; missing fields left empty",
     "{1:field}, wo 19 erwartet wurden; fehlende Felder bleiben leer",
     "fewer fields than the 19 expected; missing fields left empty",
     "weniger Felder als die 19 erwarteten; fehlende Felder bleiben leer", "{1:field}"},
    {K::CsvFieldsDropped, "{1:field} where 19 were expected; fields after the 19th dropped",
     "{1:field}, wo 19 erwartet wurden; Felder nach dem 19. verworfen",
     "more fields than the 19 expected; fields after the 19th dropped",
     "mehr Felder als die 19 erwarteten; Felder nach dem 19. verworfen", "{1:field}"},
    {K::CsvCharacterReplaced, "{c}: 1 character has no Windows-1252 form and became \"?\"",
     "{c}: 1 Zeichen hat keine Windows-1252-Form und wurde zu \"?\""},
    {K::CsvCharactersReplaced, "{c}: {1} characters have no Windows-1252 form and became \"?\"",
     "{c}: {1} Zeichen haben keine Windows-1252-Form und wurden zu \"?\"",
     "{c}: characters with no Windows-1252 form became \"?\"",
     "{c}: Zeichen ohne Windows-1252-Form wurden zu \"?\"", "{1:character}"},

    {K::ChecksumMismatch, "checksum {1} does not match the record, whose bytes sum to {2}",
     "Prüfsumme {1} passt nicht zum Datensatz, dessen Bytes {2} ergeben",
     "checksum does not match the record", "Prüfsumme passt nicht zum Datensatz",
     "{1}, bytes sum to {2}", "{1}, Bytes ergeben {2}"},
    {K::FileEndsInRecord, "the file ends {1} bytes into this record of {2} bytes; it is not read",
     "die Datei endet nach {1} Bytes dieses Datensatzes von {2} Bytes; er wird nicht gelesen", "",
     "", "", "", 0b11},
    {K::RecordNumberElsewhere, "holds channel number {1} but lies at the place of channel {2}",
     "hält Kanalnummer {1}, liegt aber am Platz von Kanal {2}",
     "holds another channel number than its place's",
     "hält eine andere Kanalnummer als die seines Platzes", "{1} at the place of {2}",
     "{1} am Platz von {2}"},
    {K::RecordModeUnknown, "mode code {1} is not a known mode; Mode reads \"{1}\"",
     "Moduscode {1} ist kein bekannter Modus; Modus lautet \"{1}\"", "", "", "", "", 0b1},
    {K::RecordByteUnkept,
     "a byte that no column keeps is not zero (offset {1}); a save writes zeros there",
     "ein Byte, das keine Spalte hält, ist nicht null (Offset {1}); Speichern schreibt dort "
     "Nullen",
     "a byte that no column keeps is not zero; a save writes zeros there",
     "ein Byte, das keine Spalte hält, ist nicht null; Speichern schreibt dort Nullen",
     "offset {1}", "Offset {1}"},
    {K::RecordBytesUnkept,
     "bytes that no column keeps are not zero (offsets {1}); a save writes zeros there",
     "Bytes, die keine Spalte hält, sind nicht null (Offsets {1}); Speichern schreibt dort "
     "Nullen",
     "bytes that no column keeps are not zero; a save writes zeros there",
     "Bytes, die keine Spalte hält, sind nicht null; Speichern schreibt dort Nullen", "offsets {1}",
     "Offsets {1}"},

    {K::ChirpNotUtf8, "the file is not UTF-8 as CHIRP writes it; read as Windows-1252",
     "die Datei ist nicht UTF-8, wie CHIRP schreibt; als Windows-1252 gelesen"},
    {K::ChirpHeaderLacks, "the header has no {1:list} column; those cells stay empty",
     "die Kopfzeile hat keine Spalte {1:list}; diese Zellen bleiben leer", "", "", "", "", 0b1},
    {K::ChirpFieldsMissing,
     "has {1} fields where the header has {2}; the missing ones read as empty",
     "hat {1} Felder, wo die Kopfzeile {2} hat; die fehlenden werden leer gelesen",
     "has fewer fields than the header's {2}; the missing ones read as empty",
     "hat weniger Felder als die {2} der Kopfzeile; die fehlenden werden leer gelesen", "{1:field}",
     "", 0b10},
    {K::ChirpFieldsExtra, "has {1} fields where the header has {2}; the extra ones are ignored",
     "hat {1} Felder, wo die Kopfzeile {2} hat; die überzähligen werden übergangen",
     "has more fields than the header's {2}; the extra ones are ignored",
     "hat mehr Felder als die {2} der Kopfzeile; die überzähligen werden übergangen", "{1:field}",
     "", 0b10},
    {K::ChirpLocationNotChannel,
     "Location {1} is not a channel number from 1 to 65535; kept as it is",
     "Location {1} ist keine Kanalnummer von 1 bis 65535; so belassen",
     "Location is not a channel number from 1 to 65535; kept as it is",
     "Location ist keine Kanalnummer von 1 bis 65535; so belassen", "{1}"},
    {K::ChirpFrequencyNotMhz, "Frequency {1} is not a frequency in MHz; kept as it is",
     "Frequenz {1} ist keine Frequenz in MHz; so belassen",
     "Frequency is not a frequency in MHz; kept as it is",
     "Frequenz ist keine Frequenz in MHz; so belassen", "{1}"},
    {K::ChirpModeUnknown, "Mode {1} is no mode the receiver has; kept as it is{2:later}",
     "Modus {1} hat der Empfänger nicht; so belassen{2:later}",
     "Mode {1} is no mode the receiver has; kept as it is",
     "Modus {1} hat der Empfänger nicht; so belassen", "{2:later}", "", 0b1},
    {K::ChirpSkipUnknown, "Skip {1} is neither S nor P; ignored",
     "Skip {1} ist weder S noch P; übergangen", "Skip is neither S nor P; ignored",
     "Skip ist weder S noch P; übergangen", "{1}"},
    {K::ChirpColumnLost,
     "the column {1} holds values a receiver memory has no place for (first on line {2}); not "
     "read",
     "die Spalte {1} hält Werte, für die ein Empfängerspeicher keinen Platz hat (zuerst in Zeile "
     "{2}); nicht gelesen",
     "", "", "", "", 0b11},
    {K::ChirpColumnsLost,
     "the columns {1:list} hold values a receiver memory has no place for (first on line {2}); "
     "not read",
     "die Spalten {1:list} halten Werte, für die ein Empfängerspeicher keinen Platz hat (zuerst "
     "in Zeile {2}); nicht gelesen",
     "", "", "", "", 0b11},
    {K::ChirpBlankLine, "blank line skipped", "leere Zeile übersprungen"},
    {K::ChirpBlankLines, "{1} blank lines skipped (this is the first)",
     "{1} leere Zeilen übersprungen (dies ist die erste)", "", "", "", "", 0b1},
    {K::ChirpNumberedShifted,
     "the file holds Location 0: every channel is numbered its Location + 1",
     "die Datei hat Location 0: jeder Kanal erhält die Nummer Location + 1"},
    {K::ChirpLocationZeroLeftOut,
     "Location 0 is no channel number of the receiver; {1:channel} left out",
     "Location 0 ist keine Kanalnummer des Empfängers; {1:channel} ausgelassen", "", "", "", "",
     0b1},
    {K::ChirpNumberedInOrder, "channels numbered 1 to {1} in file order, not by their Location",
     "Kanäle in Dateireihenfolge von 1 bis {1} nummeriert, nicht nach ihrer Location", "", "", "",
     "", 0b1},
    {K::ChirpNumberUsedAgain,
     "Number {1} is used again in row {2}; CHIRP keeps only the later line",
     "Nummer {1} kommt in Zeile {2} wieder vor; CHIRP behält nur die spätere Zeile",
     "Number used again in a later row; CHIRP keeps only the later line",
     "Nummer kommt in einer späteren Zeile wieder vor; CHIRP behält nur die spätere Zeile",
     "{1}, again in row {2}", "{1}, wieder in Zeile {2}"},
    {K::ChirpFrequencyNotWhole, "Frequency {1} is not a whole number of Hz; written as {2}",
     "Frequenz {1} ist keine ganze Zahl in Hz; als {2} geschrieben",
     "Frequency is not a whole number of Hz", "Frequenz ist keine ganze Zahl in Hz", "{1} → {2}"},
    {K::ChirpModeNearest, "Mode {1} has no CHIRP equivalent; written as {2}",
     "Modus {1} gibt es in CHIRP nicht; als {2} geschrieben", "", "", "", "", 0b11},
    {K::ChirpNoPlace,
     "values of {1:list} have no place in a CHIRP file (first in row {2}, {3:row} in all); not "
     "written",
     "Werte von {1:list} haben in einer CHIRP-Datei keinen Platz (zuerst in Zeile {2}, {3:row} "
     "insgesamt); nicht geschrieben",
     "", "", "", "", 0b111},

    {K::SdrSharpNotUtf8, "the file is not UTF-8 as SDR# writes it; read as Windows-1252",
     "die Datei ist nicht UTF-8, wie SDR# schreibt; als Windows-1252 gelesen"},
    {K::SdrSharpFrequencyNotHz, "Frequency {1} is not a frequency in Hz; entry left out",
     "Frequenz {1} ist keine Frequenz in Hz; Eintrag ausgelassen",
     "Frequency is not a frequency in Hz; entry left out",
     "Frequenz ist keine Frequenz in Hz; Eintrag ausgelassen", "{1}"},
    {K::SdrSharpFrequencyRounded, "Frequency {1} is not a whole number of Hz; rounded to {2}",
     "Frequenz {1} ist keine ganze Zahl in Hz; auf {2} gerundet",
     "Frequency is not a whole number of Hz; rounded",
     "Frequenz ist keine ganze Zahl in Hz; gerundet", "{1} → {2}"},
    {K::SdrppFrequencyNotHz,
     "bookmark {1} of list {2}: frequency {3} is not a frequency in Hz; left out",
     "Lesezeichen {1} der Liste {2}: Frequenz {3} ist keine Frequenz in Hz; ausgelassen",
     "frequency is not a frequency in Hz; left out",
     "Frequenz ist keine Frequenz in Hz; ausgelassen", "bookmark {1} of list {2}: {3}",
     "Lesezeichen {1} der Liste {2}: {3}"},
    {K::SdrppFrequencyRounded,
     "bookmark {1} of list {2}: frequency {3} is not a whole number of Hz; rounded to {4}",
     "Lesezeichen {1} der Liste {2}: Frequenz {3} ist keine ganze Zahl in Hz; auf {4} gerundet",
     "frequency is not a whole number of Hz; rounded",
     "Frequenz ist keine ganze Zahl in Hz; gerundet", "bookmark {1} of list {2}: {3} → {4}",
     "Lesezeichen {1} der Liste {2}: {3} → {4}"},
    {K::BookmarkGroupsNamed, "Groups now stand for the {1:phrase}'s group names: {2}",
     "Gruppen stehen jetzt für die Gruppennamen der {1:phrase}: {2}", "", "", "", "", 0b11},
    {K::BookmarkGroupsTooFew,
     "Groups are 16 on the receiver, too few for {1:moregroupname} (first {2}); {3:channel} left "
     "without a group",
     "Gruppen hat der Empfänger 16, zu wenige für {1:moregroupname} (zuerst {2}); {3:channel} "
     "ohne Gruppe gelassen",
     "", "", "", "", 0b111},
    {K::BookmarkRowNotWritten, "Frequency {1} is not a whole number of Hz; row not written",
     "Frequenz {1} ist keine ganze Zahl in Hz; Zeile nicht geschrieben",
     "Frequency is not a whole number of Hz; row not written",
     "Frequenz ist keine ganze Zahl in Hz; Zeile nicht geschrieben", "{1}"},
    {K::BookmarkFrequencyTooHigh,
     "Frequency {1} is above {2} Hz, the highest an {3:phrase} holds exactly; row not written",
     "Frequenz {1} liegt über {2} Hz, der höchsten, die eine {3:phrase} genau hält; Zeile nicht "
     "geschrieben",
     "Frequency is above {2} Hz, the highest an {3:phrase} holds exactly; row not written",
     "Frequenz liegt über {2} Hz, der höchsten, die eine {3:phrase} genau hält; Zeile nicht "
     "geschrieben",
     "{1}", "", 0b110},
    {K::BookmarkModeWritten, "Mode {1} has no equal in an {2:phrase}; written as {3}{4:later}",
     "Modus {1} hat in einer {2:phrase} keine Entsprechung; als {3} geschrieben{4:later}",
     "Mode {1} has no equal in an {2:phrase}; written as {3}",
     "Modus {1} hat in einer {2:phrase} keine Entsprechung; als {3} geschrieben", "{4:later}", "",
     0b111},
    {K::BookmarkColumnLost, "{c} {1} has no place in an {2:phrase}; not written{3:later}",
     "{c} {1} hat in einer {2:phrase} keinen Platz; nicht geschrieben{3:later}",
     "{c} has no place in an {2:phrase}; not written",
     "{c} hat in einer {2:phrase} keinen Platz; nicht geschrieben", "{1}{3:later}", "", 0b10},
    {K::BookmarkOneGroup,
     "Groups {1} names several groups; an {2:phrase} entry has one, so the first is "
     "written{3:later}",
     "Gruppen {1} nennt mehrere Gruppen; ein Eintrag einer {2:phrase} hat nur eine, also wird die "
     "erste geschrieben{3:later}",
     "Groups names several groups; an {2:phrase} entry has one, so the first is written",
     "Gruppen nennt mehrere Gruppen; ein Eintrag einer {2:phrase} hat nur eine, also wird die "
     "erste geschrieben",
     "{1}{3:later}", "", 0b10},
    {K::BookmarkNameRepeated,
     "Callsign {1} is used again in its list, which keys bookmarks by name; written with a "
     "suffix such as \" (2)\"{2:later}",
     "Rufzeichen {1} kommt in seiner Liste wieder vor, die Lesezeichen nach dem Namen "
     "unterscheidet; mit einem Zusatz wie \" (2)\" geschrieben{2:later}",
     "Callsign used again in its list, which keys bookmarks by name; written with a suffix such "
     "as \" (2)\"",
     "Rufzeichen kommt in seiner Liste wieder vor, die Lesezeichen nach dem Namen unterscheidet; "
     "mit einem Zusatz wie \" (2)\" geschrieben",
     "{1}{2:later}"},

    {K::ListUnsupported,
     "SDR# frequency lists (XML) are not supported by this build: it was made without an XML "
     "library (pugixml)",
     "SDR#-Frequenzlisten (XML) unterstützt diese Ausgabe des Programms nicht: sie wurde ohne "
     "XML-Bibliothek (pugixml) gebaut"},
    {K::ListTooLarge, "the {1:phrase} is larger than {2} MiB; not read",
     "die {1:phrase} ist größer als {2} MiB; nicht gelesen"},
    {K::ListTooManyBookmarks,
     "the {1:phrase} holds {2} bookmarks, more than the {3} channels a receiver holds; not read",
     "die {1:phrase} hält {2} Lesezeichen, mehr als die {3} Kanäle eines Empfängers; nicht "
     "gelesen"},
    {K::ListDoctype,
     "line {1} declares a document type (DTD), which an SDR# list never has; refused",
     "Zeile {1} deklariert einen Dokumenttyp (DTD), den eine SDR#-Liste nie hat; abgelehnt"},
    {K::ListEntity, "line {1} refers to an entity XML does not define; refused",
     "Zeile {1} verweist auf eine Entität, die XML nicht definiert; abgelehnt"},
    {K::ListNotXml, "line {1} is not well-formed XML: {2:reason}",
     "Zeile {1} ist kein wohlgeformtes XML: {2:reason}"},
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
     "kHz {1} ist keine Frequenz ganzer Hz in kHz; Zeile ausgelassen",
     "kHz is not a frequency of whole Hz in kHz; line left out",
     "kHz ist keine Frequenz ganzer Hz in kHz; Zeile ausgelassen", "{1}"},
    {K::ScheduleTimeNotSpan,
     "Time(UTC) {1} is not a span HHMM-HHMM; left out when a time is asked for",
     "Time(UTC) {1} ist keine Spanne HHMM-HHMM; ausgelassen, wenn nach einer Zeit gefragt wird",
     "Time(UTC) is not a span HHMM-HHMM; left out when a time is asked for",
     "Time(UTC) ist keine Spanne HHMM-HHMM; ausgelassen, wenn nach einer Zeit gefragt wird", "{1}"},
    {K::ScheduleDaysUnread, "{1:entryhas} Days that say no plain weekday (first {2}); kept",
     "{1:entryhas} Days, die keinen einfachen Wochentag nennen (zuerst {2}); behalten", "", "", "",
     "", 0b11},
    {K::ScheduleDatesUnread,
     "{1:entryhas} a Start or Stop that is no day and month DDMM; that date not checked",
     "{1:entryhas} ein Start oder Stop, das kein Tag und Monat DDMM ist; dieses Datum nicht "
     "geprüft",
     "", "", "", "", 0b1},
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

    {K::ErrorCannotRead, "Cannot read {1:file}: {2}", "Kann {1:file} nicht lesen: {2}"},
    {K::ErrorCannotOpen, "Cannot open {1:file}: {2}", "Kann {1:file} nicht öffnen: {2}"},
    {K::ErrorCannotSave, "Cannot save {1:output}: {2}", "Kann {1:output} nicht speichern: {2}"},
    {K::ErrorReason, "{1:reason}", "{1:reason}"},
    {K::ErrorNoFileName, "Cannot save: no file name was given",
     "Kann nicht speichern: kein Dateiname angegeben"},
    {K::ErrorNotRegular, "it is no regular file", "es ist keine gewöhnliche Datei"},
    {K::ErrorReadOnly, "the file is read-only", "die Datei ist schreibgeschützt"},
    {K::ErrorFileTooLong, "the file is {1} bytes long, more than the {2} bytes that are read",
     "die Datei ist {1} Bytes lang, mehr als die {2} Bytes, die gelesen werden"},
    {K::ErrorStreamTooLong, "it gives more than the {1} bytes that are read",
     "sie liefert mehr als die {1} Bytes, die gelesen werden"},
    {K::ErrorLocked, "another program is updating it (waited {1} s); nothing was written",
     "ein anderes Programm ändert sie gerade ({1} s gewartet); nichts geschrieben"},
    {K::ErrorTooManyRecords,
     "it holds {1} records of {2} bytes, more than the {3} of a memory file",
     "sie hält {1} Datensätze zu {2} Bytes, mehr als die {3} einer Speicherdatei"},
    {K::ErrorNoChecksumMatches,
     "the checksum of none of its {1} records matches, so it holds no records of the model {2}",
     "die Prüfsumme keines ihrer {1} Datensätze stimmt, sie hält also keine Datensätze des "
     "Modells {2}"},
    {K::ErrorNulByte, "line {1} holds a NUL byte (byte {2}), so this is no CSV text file",
     "Zeile {1} enthält ein NUL-Byte (Byte {2}), ist also keine CSV-Textdatei"},
    {K::ErrorNulByteMemoryFile,
     "line {1} holds a NUL byte (byte {2}), so this is no CSV text file (a .g3m memory file, "
     "or text saved as UTF-16?)",
     "Zeile {1} enthält ein NUL-Byte (Byte {2}), ist also keine CSV-Textdatei (eine "
     ".g3m-Speicherdatei oder als UTF-16 gespeicherter Text?)"},
    {K::ErrorNoModel, "\"{1}\" is no receiver model: the models are 303, 313, 305 and 315",
     "\"{1}\" ist kein Empfängermodell: die Modelle sind 303, 313, 305 und 315"},
    {K::ErrorNotDecimal, "{1} is not a decimal number", "{1} ist keine Dezimalzahl"},
    {K::ErrorDecimalTooLarge, "{1} is too large for a decimal number",
     "{1} ist zu groß für eine Dezimalzahl"},
    {K::ErrorNumberTooLarge, "the number is too large for a decimal number",
     "die Zahl ist zu groß für eine Dezimalzahl"},
    {K::ErrorNoMemoryForBits, "no memory for {1} binary digits",
     "kein Speicher für {1} Binärziffern"},
    {K::ErrorNotHexBytes, "{1} is not made of hexadecimal bytes",
     "{1} besteht nicht aus hexadezimalen Bytes"},
    {K::ErrorHexTooLarge32, "hexadecimal {1} does not fit a 32-bit number",
     "hexadezimal {1} passt in keine 32-Bit-Zahl"},
    {K::ErrorHexTooLarge, "hexadecimal {1} is too large for a number",
     "hexadezimal {1} ist zu groß für eine Zahl"},

    {K::RangeNotFrequency,
     "{1:phrase} \"{2}\" is not a frequency: give digits with an optional fraction and the "
     "unit Hz, kHz or MHz ({3} when none is given)",
     "{1:phrase} \"{2}\" ist keine Frequenz: geben Sie Ziffern mit optionalen "
     "Nachkommastellen und der Einheit Hz, kHz oder MHz an ({3}, wenn keine angegeben ist)"},
    {K::RangeNotWholeHz, "{1:phrase} \"{2}\" is not a whole number of Hz",
     "{1:phrase} \"{2}\" ist keine ganze Zahl in Hz"},
    {K::RangeTooHigh,
     "{1:phrase} \"{2}\" is above {3} Hz, the highest frequency a memory channel holds",
     "{1:phrase} \"{2}\" liegt über {3} Hz, der höchsten Frequenz, die ein Speicherkanal hält"},
    {K::RangeStepFraction,
     "Step \"{1}\" is not a fraction of a frequency over a whole number from 1 to 1000000, "
     "such as 25k/3",
     "Schritt \"{1}\" ist kein Bruch aus einer Frequenz und einer ganzen Zahl von 1 bis "
     "1000000, wie 25k/3"},
    {K::RangeStepZero, "Step \"{1}\" is 0 Hz; it must be at least 1 Hz",
     "Schritt \"{1}\" ist 0 Hz; er muss mindestens 1 Hz sein"},
    {K::RangeStepBelowHz, "Step \"{1}\" is below 1 Hz; it must be at least 1 Hz",
     "Schritt \"{1}\" liegt unter 1 Hz; er muss mindestens 1 Hz sein"},
    {K::RangeStopBelowStart, "Stop \"{1}\" is below start \"{2}\"",
     "Stopp \"{1}\" liegt unter Start \"{2}\""},
    {K::RangeAirbandStep,
     "Step \"{1}\" is taken as the airband raster of 25/3 kHz (8333.33... Hz); each channel "
     "is rounded to the nearest Hz",
     "Schritt \"{1}\" gilt als Flugfunkraster von 25/3 kHz (8333,33... Hz); jeder Kanal wird "
     "auf das nächste Hz gerundet"},
    {K::RangeStopMissed, "Stop \"{1}\" is not on the raster; the last channel is at {2} MHz",
     "Stopp \"{1}\" liegt nicht auf dem Raster; der letzte Kanal liegt bei {2} MHz"},
    {K::RangeFirstNotChannel, "The first channel number {1} is not a channel number from 1 to {2}",
     "Die erste Kanalnummer {1} ist keine Kanalnummer von 1 bis {2}"},
    {K::RangeNeedsAll, "Give a start, a stop and a step.", "Anfang, Ende und Schritt angeben."},
    {K::RangeFirstNumberBad, "First number \"{1}\" is not a channel number from 1 to {2}.",
     "Erste Nummer \"{1}\" ist keine Kanalnummer von 1 bis {2}."},
    {K::TableFull,
     "{1:phrase} {2} channels; with the {3} rows already in the table that is more than {4} "
     "rows; no more fit",
     "{1:phrase} {2} Kanäle; mit den {3} Zeilen, die schon in der Tabelle stehen, sind das "
     "mehr als {4} Zeilen; keine passen mehr"},
    {K::TableRoomLeft,
     "{1:phrase} {2} channels; with the {3} rows already in the table that is more than {4} "
     "rows; {5} more fit",
     "{1:phrase} {2} Kanäle; mit den {3} Zeilen, die schon in der Tabelle stehen, sind das "
     "mehr als {4} Zeilen; {5} passen noch"},
    {K::NumbersPastLast, "Channel numbers {1} to {2} go past {3}, the highest channel number",
     "Kanalnummern {1} bis {2} gehen über {3} hinaus, die höchste Kanalnummer"},
    {K::OtherNames,
     "{1:file} was replaced under this name only: its other name (a hard link) keeps the old "
     "content",
     "{1:file} wurde nur unter diesem Namen ersetzt: ihr anderer Name (ein harter Link) "
     "behält den alten Inhalt"},
    {K::OtherNamesMany,
     "{1:file} was replaced under this name only: its {2} other names (hard links) keep the "
     "old content",
     "{1:file} wurde nur unter diesem Namen ersetzt: ihre {2} anderen Namen (harte Links) "
     "behalten den alten Inhalt"},

    {K::CliWroteRecords, "wrote {1:record} to {2}", "{1:record} nach {2} geschrieben"},
    {K::CliWroteChannels, "wrote {1:channel} to {2}", "{1:channel} nach {2} geschrieben"},
    {K::CliWroteFrom, "wrote {1:channel} to {2} from {3:record} of {4}",
     "{1:channel} nach {2} geschrieben aus {3:record} von {4}"},
    {K::CliFromSchedule, " from {1} of {2:broadcast} in {3}", " aus {1} von {2:broadcast} in {3}"},
    {K::CliRowsNotWritten, "{1:row} not written", "{1:row} nicht geschrieben"},
    {K::CliRecordsKept, "{1:record} already in the file kept", "{1:record} der Datei behalten"},
    {K::CliRowsReplaced, "{1:row} replaced by a later row with the same Number",
     "{1:row} durch eine spätere Zeile mit derselben Nummer ersetzt"},
    {K::CliEmptyRowsSkipped, "{1:emptyrow} skipped", "{1:emptyrow} übersprungen"},
    {K::CliRecordsReported, "{1:record} reported", "{1:record} gemeldet"},
    {K::CliInputLinesReported, "{1:inputline} reported", "{1:inputline} gemeldet"},
    {K::CliLinesReported, "{1:line} reported", "{1:line} gemeldet"},
    {K::CliVerified, "checked {1:record} of {2}: all verify",
     "{1:record} von {2} geprüft: alle stimmen"},
    {K::CliVerifyFailed, "checked {1:record} of {2}: {3:badchecksum}",
     "{1:record} von {2} geprüft: {3:badchecksum}"},
    {K::CliVerifyFailedEnd,
     "checked {1:record} of {2}: {3:badchecksum}, and the file ends inside a record",
     "{1:record} von {2} geprüft: {3:badchecksum}, und die Datei endet mitten in einem "
     "Datensatz"},
    {K::CliCheckedClean, "checked {1:channel} of {2}: no problems or notices",
     "{1:channel} von {2} geprüft: keine Probleme oder Hinweise"},
    {K::CliChecked, "checked {1:channel} of {2}: {3:problem}, {4:notice}",
     "{1:channel} von {2} geprüft: {3:problem}, {4:notice}"},
    {K::CliMoreKinds, "{1:problem} of other kinds; --all lists every one",
     "{1:problem} anderer Arten; --all listet jede auf"},
    {K::CliSeeHelp, "{1}; see corvalen-cli --help", "{1}; siehe corvalen-cli --help"},
    {K::CliNoCommand, "no command given (convert, verify, check, diff, fill or schedule)",
     "kein Befehl angegeben (convert, verify, check, diff, fill oder schedule)"},
    {K::CliUnknownCommand, "unknown command {1}", "unbekannter Befehl {1}"},
    {K::CliUnknownOption, "unknown option {1}", "unbekannte Option {1}"},
    {K::CliNeedsValue, "{1} needs a value", "{1} braucht einen Wert"},
    {K::CliNeedsValueOf, "{1} needs a value ({2:or})", "{1} braucht einen Wert ({2:or})"},
    {K::CliNeeds, "{1} needs {2:phrase}", "{1} braucht {2:phrase}"},
    {K::CliModelNeeded, "{1:phrase} a {2} file needs --model (\"{3}\" or \"{4}\")",
     "{1:phrase} einer {2}-Datei braucht es --model (\"{3}\" oder \"{4}\")"},
    {K::CliVerifyNeedsModel, "verify needs --model (\"{1}\" or \"{2}\")",
     "verify braucht --model (\"{1}\" oder \"{2}\")"},
    {K::CliModelMismatch, "a {1} file is for the models (\"{2}\" or \"{3}\"), not \"{4}\": {5}",
     "eine {1}-Datei ist für die Modelle (\"{2}\" oder \"{3}\"), nicht \"{4}\": {5}"},
    {K::CliOutputExtension, "OUTPUT must end in {1:or}: {2}", "OUTPUT muss auf {1:or} enden: {2}"},
    {K::CliOtherModels, "{1} holds records of other models than \"{2}\"",
     "{1} hält Datensätze anderer Modelle als \"{2}\""},
    {K::CliFillWrote, "wrote {1:channel} to {2}: {3} new, numbered {4} to {5}",
     "{1:channel} nach {2} geschrieben: {3} neu, nummeriert {4} bis {5}"},
    {K::CliNothingWritten, "{1}; nothing written", "{1}; nichts geschrieben"},
    {K::CliSetRefused, "--set {1}={2}: {3}; nothing written",
     "--set {1}={2}: {3}; nichts geschrieben"},
    {K::CliNumberingValue, "--numbering takes keep, shift or sequential, not {1}",
     "--numbering nimmt keep, shift oder sequential, nicht {1}"},
    {K::CliNoModel, "--model \"{1}\" is no receiver model: the models are 303, 313, 305 and 315",
     "--model \"{1}\" ist kein Empfängermodell: die Modelle sind 303, 313, 305 und 315"},
    {K::CliNoChannels, "no channels in {1}", "keine Kanäle in {1}"},
    {K::CliOptionProblem, "{1}: {2}", "{1}: {2}"},
    {K::CliToValue, "--to takes {1:or}, not {2}", "--to nimmt {1:or}, nicht {2}"},
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
    {K::CliDiffField, "{1} {2} -> {3}", "{1} {2} -> {3}"},
    {K::CliDiffRepeated, "{1}: channel {2} of {3} is given again in {4}; only {4} is compared",
     "{1}: Kanal {2} aus {3} kommt in {4} wieder vor; nur {4} wird verglichen"},
    {K::CliDiffUnnumbered,
     "{1}: {2} has no channel number from 1 to 65535 ({3}); it is not compared",
     "{1}: {2} hat keine Kanalnummer von 1 bis 65535 ({3}); sie wird nicht verglichen"},
    {K::CliDiffDiffer, "{1} and {2} differ: {3:channel} added, {4} removed, {5} changed",
     "{1} und {2} unterscheiden sich: {3:channel} hinzugekommen, {4} entfernt, {5} geändert"},
    {K::CliDiffDifferUnnumbered,
     "{1} and {2} differ: {3:channel} added, {4} removed, {5} changed; {6:row} without a "
     "channel number",
     "{1} und {2} unterscheiden sich: {3:channel} hinzugekommen, {4} entfernt, {5} geändert; "
     "{6:row} ohne Kanalnummer"},
    {K::CliDiffCompared, "compared {1:names}", "verglichen: {1:names}"},
    {K::CliDiffComparedNone, "compared no field", "verglichen: kein Feld"},

    // A group: "612 channels: <heading>: <member>; <member>; ...; and 609 more".
    {K::GroupLine, "{1}: {2}", "{1}: {2}"},
    {K::GroupMore, "and {1} more", "und {1} weitere"},
    {K::PlaceRow, "row {1}", "Zeile {1}"},
    {K::PlaceLine, "line {1}", "Zeile {1}"},
    {K::PlaceRecord, "record {1}", "Datensatz {1}"},
    {K::PlaceNumber, "Number {1}", "Nummer {1}"},
    {K::PlaceLocation, "Location {1}", "Location {1}"},
    // A problem of a cell as the Problems panel and `check` list it: "row 2, Mode: <reason>".
    {K::PlaceColumn, "{1}, {2}: {3}", "{1}, {2}: {3}"},
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

// The nouns of counts: English singular and plural, German singular and plural.
struct Noun {
    std::string_view key;  // as a placeholder names it ("{1:field}")
    CountNoun noun;
    std::string_view english[2];
    std::string_view german[2];
};
constexpr Noun kNouns[] = {
    {"channel", CountNoun::Channel, {"channel", "channels"}, {"Kanal", "Kanäle"}},
    {"row", CountNoun::Row, {"row", "rows"}, {"Zeile", "Zeilen"}},
    {"line", CountNoun::Line, {"line", "lines"}, {"Zeile", "Zeilen"}},
    {"record", CountNoun::Record, {"record", "records"}, {"Datensatz", "Datensätze"}},
    {"field", CountNoun::Field, {"field", "fields"}, {"Feld", "Felder"}},
    {"character", CountNoun::Character, {"character", "characters"}, {"Zeichen", "Zeichen"}},
    {"problem", CountNoun::Problem, {"problem", "problems"}, {"Problem", "Probleme"}},
    {"notice", CountNoun::Notice, {"notice", "notices"}, {"Hinweis", "Hinweise"}},
    {"entryhas",
     CountNoun::Entry,
     {"entry has", "entries have"},
     {"Eintrag hat", "Einträge haben"}},
    {"broadcast", CountNoun::Broadcast, {"broadcast", "broadcasts"}, {"Sendung", "Sendungen"}},
    {"emptyrow", CountNoun::EmptyRow, {"empty row", "empty rows"}, {"leere Zeile", "leere Zeilen"}},
    {"badchecksum",
     CountNoun::BadChecksum,
     {"bad checksum", "bad checksums"},
     {"falsche Prüfsumme", "falsche Prüfsummen"}},
    {"inputline",
     CountNoun::InputLine,
     {"input line", "input lines"},
     {"Eingabezeile", "Eingabezeilen"}},
    {"moregroupname",
     CountNoun::MoreGroupName,
     {"more group name", "more group names"},
     {"weiteren Gruppennamen", "weitere Gruppennamen"}},
};

// The few fixed names a {N:phrase} value may be.
constexpr std::pair<std::string_view, std::string_view> kPhrases[] = {
    {"SDR# list", "SDR#-Liste"},
    {"SDR++ list", "SDR++-Liste"},
    {"Start", "Start"},
    {"Stop", "Stopp"},
    {"Step", "Schritt"},
    {"The range makes", "Der Bereich ergibt"},
    {"The filter gives", "Der Filter ergibt"},
    {"The file holds", "Die Datei hält"},
    {"reading", "zum Lesen"},
    {"writing", "zum Schreiben"},
    {"checking", "zum Prüfen"},
    {"an INPUT and an OUTPUT file", "eine INPUT- und eine OUTPUT-Datei"},
    {"one FILE.g3m or FILE.15m", "eine FILE.g3m oder FILE.15m"},
    {"one FILE", "eine FILE"},
    {"two files", "zwei Dateien"},
    {"a SKED.csv and an OUTPUT file", "eine SKED.csv- und eine OUTPUT-Datei"},
};

// One placeholder of a template: {N}, {N:type} or {c}.
struct Placeholder {
    std::size_t begin = 0;  // of the "{"
    std::size_t end = 0;    // after the "}"
    int value = 0;          // from 1; 0 for {c}
    std::string_view type;  // after the ":", empty for none
};

// The placeholder that starts at `at` (a "{"), if it is one.
std::optional<Placeholder> PlaceholderAt(std::string_view text, std::size_t at) {
    const std::size_t close = text.find('}', at);
    if (close == std::string_view::npos || close - at > 20) {
        return std::nullopt;
    }
    const std::string_view inside = text.substr(at + 1, close - at - 1);
    Placeholder placeholder;
    placeholder.begin = at;
    placeholder.end = close + 1;
    if (inside == "c") {
        return placeholder;
    }
    if (inside.empty() || inside[0] < '1' || inside[0] > '9') {
        return std::nullopt;
    }
    placeholder.value = inside[0] - '0';
    if (inside.size() > 1) {
        if (inside[1] != ':') {
            return std::nullopt;
        }
        placeholder.type = inside.substr(2);
    }
    return placeholder;
}

// The values (bit 0 for {1}) that `text` names.
unsigned ValuesNamed(std::string_view text) {
    unsigned named = 0;
    for (std::size_t at = text.find('{'); at != std::string_view::npos;
         at = text.find('{', at + 1)) {
        if (const std::optional<Placeholder> placeholder = PlaceholderAt(text, at);
            placeholder && placeholder->value > 0) {
            named |= 1u << (placeholder->value - 1);
        }
    }
    return named;
}

std::size_t CountOf(std::string_view digits) {
    std::size_t count = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), count);
    return count;
}

std::string GroupsIn(std::string_view numbers, Language language) {
    const bool german = language == Language::German;
    if (numbers.empty()) {
        return german ? "keine Gruppe" : "no group";
    }
    const bool several = numbers.find(',') != std::string_view::npos;
    return std::string(german ? (several ? "Gruppen " : "Gruppe ")
                              : (several ? "groups " : "group ")) +
           std::string(numbers);
}

// Names separated by "\n" as "A, B and C" (`lastJoin` " and "); a last name "+N" says N more.
std::string ListIn(std::string_view names, Language language, std::string_view lastJoin) {
    std::vector<std::string_view> items;
    for (std::size_t start = 0;;) {
        const std::size_t end = names.find('\n', start);
        items.push_back(names.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view item = items[i];
        list.append(i == 0 ? "" : i + 1 == items.size() ? lastJoin : ", ");
        if (i > 0 && i + 1 == items.size() && item.starts_with('+')) {
            list.append(item.substr(1)).append(language == Language::German ? " weitere" : " more");
        } else {
            // A column's name, perhaps followed by a value ("Bandwidth \"2400\"").
            std::string_view name;
            for (const std::string_view column : kCsvHeaderNames) {
                if (item.starts_with(column) && column.size() > name.size() &&
                    (item.size() == column.size() || item[column.size()] == ' ')) {
                    name = column;
                }
            }
            list.append(ColumnNameIn(name, language)).append(item.substr(name.size()));
        }
    }
    return list;
}

void AppendValue(std::string& out, const Placeholder& placeholder, std::string_view value,
                 Language language) {
    const std::string_view type = placeholder.type;
    const bool german = language == Language::German;
    if (type.empty()) {
        out.append(value);
    } else if (type == "groups") {
        out.append(GroupsIn(value, language));
    } else if (type == "list" || type == "or" || type == "names") {
        out.append(ListIn(value, language,
                          type == "names" ? ", "
                          : type == "or"  ? (german ? " oder " : " or ")
                                          : (german ? " und " : " and ")));
    } else if (type == "file" || type == "output") {
        if (value == "-") {
            out.append(type == "file" ? (german ? "die Standardeingabe" : "standard input")
                                      : (german ? "in die Standardausgabe" : "to standard output"));
        } else {
            out.append("\"").append(value).append("\"");
        }
    } else if (type == "phrase") {
        std::string_view said = value;
        for (const auto& [english, german] : kPhrases) {
            if (language == Language::German && english == value) {
                said = german;
            }
        }
        out.append(said);
    } else if (type == "reason") {
        out.append(ReasonIn(value, language));
    } else if (type == "later") {
        if (const std::size_t count = CountOf(value); count > 0) {
            out.append(german ? " (und " : " (and ")
                .append(value)
                .append(count == 1 ? (german ? " spätere Zeile)" : " later row)")
                                   : (german ? " spätere Zeilen)" : " later rows)"));
        }
    } else {
        for (const Noun& noun : kNouns) {
            if (noun.key == type) {
                out.append(Counted(CountOf(value), noun.noun, language));
                return;
            }
        }
        out.append(value);
    }
}

// `values` is a span of texts or a MessageValues.
template <typename Values>
std::string Fill(std::string_view templateText, const Values& values, int column,
                 Language language) {
    std::string out;
    out.reserve(templateText.size() + 32);
    std::size_t done = 0;
    for (std::size_t at = templateText.find('{'); at != std::string_view::npos;
         at = templateText.find('{', at + 1)) {
        const std::optional<Placeholder> placeholder = PlaceholderAt(templateText, at);
        if (!placeholder) {
            continue;
        }
        out.append(templateText.substr(done, at - done));
        if (placeholder->value == 0) {
            out.append(ColumnNameIn(column, language));
        } else if (static_cast<std::size_t>(placeholder->value) <= values.size()) {
            AppendValue(out, *placeholder,
                        std::string_view(values[static_cast<std::size_t>(placeholder->value - 1)]),
                        language);
        }
        done = placeholder->end;
        at = placeholder->end - 1;
    }
    out.append(templateText.substr(done));
    return out;
}

// Whether the sentence of `kind` says all that a group of it shares: it names no value but
// those the group is keyed by.
bool SentenceIsShared(const MessageTemplate& entry) {
    return (ValuesNamed(entry.english) & ~entry.groupBy) == 0;
}

const std::string_view kSame = "";

}  // namespace

std::span<const MessageTemplate> MessageCatalogue() {
    return kCatalogue;
}

const MessageTemplate& TemplateOf(MessageKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    if (index < std::size(kCatalogue) && kCatalogue[index].kind == kind) {
        return kCatalogue[index];
    }
    for (const MessageTemplate& entry : kCatalogue) {
        if (entry.kind == kind) {
            return entry;
        }
    }
    return kCatalogue[0];
}

std::string_view TemplateText(MessageKind kind, TemplatePart part, Language language) {
    const MessageTemplate& entry = TemplateOf(kind);
    const bool german = language == Language::German;
    switch (part) {
        case TemplatePart::Sentence:
            return german ? entry.german : entry.english;
        case TemplatePart::Heading:
            if (entry.headingEnglish.empty()) {
                // A sentence that names only shared values is the heading itself.
                return SentenceIsShared(entry) ? (german ? entry.german : entry.english) : kSame;
            }
            return german ? entry.headingGerman : entry.headingEnglish;
        case TemplatePart::Member:
            if (entry.headingEnglish.empty()) {
                return kSame;
            }
            return german && !entry.memberGerman.empty() ? entry.memberGerman : entry.memberEnglish;
    }
    return kSame;
}

unsigned GroupedValues(MessageKind kind) {
    // Asked for every problem grouped: worked out once for every kind.
    static const std::array<unsigned, std::size(kCatalogue)> values = [] {
        std::array<unsigned, std::size(kCatalogue)> all{};
        for (std::size_t k = 0; k < all.size(); ++k) {
            const MessageTemplate& entry = kCatalogue[k];
            // Without a heading of its own, a group shares every value its sentence names.
            all[k] = entry.headingEnglish.empty() ? ValuesNamed(entry.english) : entry.groupBy;
        }
        return all;
    }();
    const auto index = static_cast<std::size_t>(kind);
    return index < values.size() ? values[index] : 0;
}

const MessageTexts& CatalogueTexts(Language language) {
    static const MessageTexts english(Language::English);
    static const MessageTexts german(Language::German);
    return language == Language::German ? german : english;
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

std::string FillTemplate(std::string_view templateText, std::span<const std::string> values,
                         int column, Language language) {
    return Fill(templateText, values, column, language);
}

std::string FillTemplate(std::string_view templateText, std::span<const std::string_view> values,
                         int column, Language language) {
    return Fill(templateText, values, column, language);
}

std::string FillTemplate(std::string_view templateText, const MessageValues& values, int column,
                         Language language) {
    return Fill(templateText, values, column, language);
}

std::string FormatMessage(MessageKind kind, std::span<const std::string> values, Language language,
                          int column) {
    return Fill(TemplateText(kind, TemplatePart::Sentence, language), values, column, language);
}

std::string FormatMessage(MessageKind kind, const MessageValues& values, Language language,
                          int column) {
    return Fill(TemplateText(kind, TemplatePart::Sentence, language), values, column, language);
}

std::string FormatMessage(MessageKind kind, std::initializer_list<std::string_view> values,
                          Language language, int column) {
    return Fill(TemplateText(kind, TemplatePart::Sentence, language),
                std::span<const std::string_view>(values.begin(), values.size()), column, language);
}

std::string MessageText(const Diagnostic& diagnostic, const MessageTexts& texts) {
    return FillTemplate(texts.Template(diagnostic.kind, TemplatePart::Sentence), diagnostic.args,
                        diagnostic.column, texts.language());
}

std::string MessageText(const Diagnostic& diagnostic, Language language) {
    return FormatMessage(diagnostic.kind, diagnostic.args, language, diagnostic.column);
}

std::string GroupHeading(const Diagnostic& diagnostic, const MessageTexts& texts) {
    return FillTemplate(texts.Template(diagnostic.kind, TemplatePart::Heading), diagnostic.args,
                        diagnostic.column, texts.language());
}

std::string MemberDetail(const Diagnostic& diagnostic, const MessageTexts& texts) {
    // A kind whose heading cannot say what its members share shows each one's whole sentence.
    if (texts.Template(diagnostic.kind, TemplatePart::Heading).empty()) {
        return MessageText(diagnostic, texts);
    }
    std::string detail = FillTemplate(texts.Template(diagnostic.kind, TemplatePart::Member),
                                      diagnostic.args, diagnostic.column, texts.language());
    // A tally's " (and 2 later rows)" alone.
    if (detail.starts_with(' ')) {
        detail.erase(0, 1);
    }
    return detail;
}

std::string ErrorSentence(const Error& error, const MessageTexts& texts) {
    std::string text = FillTemplate(texts.Template(error.kind, TemplatePart::Sentence),
                                    error.values, -1, texts.language());
    if (error.file.empty()) {
        return text;
    }
    const std::string_view values[] = {error.file, text};
    return FillTemplate(texts.Template(error.step, TemplatePart::Sentence), values, -1,
                        texts.language());
}

std::string ErrorSentence(const Error& error, Language language) {
    return ErrorSentence(error, CatalogueTexts(language));
}

std::string DiagnosticLine(const Diagnostic& diagnostic, Language language) {
    const std::string number = std::to_string(diagnostic.number);
    const MessageKind place = diagnostic.place == Diagnostic::Place::Line ? MessageKind::PlaceLine
                              : diagnostic.place == Diagnostic::Place::Row
                                  ? MessageKind::PlaceRow
                                  : MessageKind::PlaceRecord;
    return FormatMessage(place, {number}, language) + ": " + MessageText(diagnostic, language);
}

void AppendDiagnosticLine(const Diagnostic& diagnostic, std::string& out) {
    const char* where = diagnostic.place == Diagnostic::Place::Line  ? "line "
                        : diagnostic.place == Diagnostic::Place::Row ? "row "
                                                                     : "record ";
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, diagnostic.number).ptr;
    out.append(where).append(digits, end).append(": ").append(MessageText(diagnostic));
}

std::string Counted(std::size_t count, CountNoun noun, Language language) {
    for (const Noun& entry : kNouns) {
        if (entry.noun == noun) {
            const auto& forms = language == Language::German ? entry.german : entry.english;
            return std::to_string(count) + " " + std::string(forms[count == 1 ? 0 : 1]);
        }
    }
    return std::to_string(count);
}

CountNoun PlaceNoun(Diagnostic::Place place) {
    switch (place) {
        case Diagnostic::Place::Line:
            return CountNoun::Line;
        case Diagnostic::Place::Row:
            return CountNoun::Channel;
        case Diagnostic::Place::Record:
            break;
    }
    return CountNoun::Record;
}

std::string ColumnNameIn(int column, Language language) {
    if (column < 0) {
        return {};
    }
    if (column >= kImportedColumnCount) {
        return (language == Language::German ? "Spalte " : "column ") + std::to_string(column + 1);
    }
    const std::string_view name = kCsvHeaderNames[static_cast<std::size_t>(column)];
    if (name == "reserved") {
        return (language == Language::German ? "reserviertes Feld " : "reserved field ") +
               std::to_string(column);
    }
    return std::string(ColumnNameIn(name, language));
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

std::string_view ReasonIn(std::string_view english, Language language) {
    if (language == Language::German) {
        for (const auto& [reason, german] : kReasons) {
            if (reason == english) {
                return german;
            }
        }
    }
    return english;
}

}  // namespace corvalen
