#pragma once

#include <cstdint>

namespace corvalen {

// Which message a Diagnostic (or a line of the converter) is: its text without the values that
// vary from row to row. Reports group by it ("612 channels: Callsign ... is longer than 12
// characters"), and the message catalogue (Messages.h) holds each kind's English and German
// text. Other: a text the catalogue does not know; it is shown as it stands.
enum class MessageKind : std::uint16_t {
    Other,
    // The checks of one row's cells.
    NumberEmpty,
    NumberNotChannel,
    NumberUsedAgain,
    FrequencyEmpty,
    FrequencyNotNumber,
    FrequencyBelowZero,
    FrequencyTooHigh,
    FractionWithUnit,
    Fraction,
    FrequencyRepeated,
    BandwidthEmpty,
    NotNumberOfUnit,
    NotNumber,
    TooLargeWithUnit,
    TooLarge,
    BandwidthBelowZero,
    GroupsNotGroup,
    GroupsNameNotGroup,
    GroupsNamesNotGroups,
    GroupsNameNotWhole,
    GroupsNamesNotWhole,
    HotkeyNotHotkey,
    LockoutNotFlags,
    LevelAboveZero,
    LevelTooLow,
    ModeEmpty,
    ModeUnknown,
    TextTooLong,
    TextTooLongUnheld,
    TextUnheld,
    // Reading and writing CSV memory files.
    CsvUtf8,
    QuoteNotClosed,
    CsvBandwidthEmptySkipped,
    CsvFieldsMissing,
    CsvFieldsDropped,
    CsvCharacterReplaced,
    CsvCharactersReplaced,
    // Reading memory files.
    ChecksumMismatch,
    FileEndsInRecord,
    RecordNumberElsewhere,
    RecordModeUnknown,
    RecordByteUnkept,
    RecordBytesUnkept,
    // CHIRP files.
    ChirpNotUtf8,
    ChirpHeaderLacks,
    ChirpFieldsMissing,
    ChirpFieldsExtra,
    ChirpLocationNotChannel,
    ChirpFrequencyNotMhz,
    ChirpModeUnknown,
    ChirpSkipUnknown,
    ChirpColumnLost,
    ChirpColumnsLost,
    ChirpBlankLine,
    ChirpBlankLines,
    ChirpNumberedShifted,
    ChirpLocationZeroLeftOut,
    ChirpNumberedInOrder,
    ChirpNumberUsedAgain,
    ChirpFrequencyNotWhole,
    ChirpModeNearest,
    ChirpNoPlace,
    // Channel ranges.
    RangeAirbandStep,
    RangeStopMissed,
    // The converter's summaries and usage errors.
    CliWrote,
    CliWroteFrom,
    CliRowsNotWritten,
    CliRecordsKept,
    CliEmptyRowsSkipped,
    CliReported,
    CliChecked,
    CliMoreKinds,
    CliSeeHelp,
    CliUnknownCommand,
    CliUnknownOption,
    CliNeedsValue,
    CliNeeds,
    CliCannotOpen,
    CliCannotRead,
    CliCannotSave,
    CliFillWrote,
    CliNumberingValue,
    CliNoModel,
    CliNoChannels,
    // Grouped reports.
    GroupLine,
    GroupMore,
};

}  // namespace corvalen
