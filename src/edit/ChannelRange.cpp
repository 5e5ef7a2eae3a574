#include "edit/ChannelRange.h"

#include <algorithm>

#include "channel/CellChecks.h"
#include "channel/ChannelFields.h"
#include "convert/NumberText.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

Result<std::uint64_t> ReadRangeValue(std::string_view what, std::string_view text,
                                     FrequencyUnit unitWhenNone) {
    const FrequencyReading reading = ReadFrequency(text, unitWhenNone);
    if (reading.status == FrequencyReading::Status::NotAFrequency) {
        return Error{MessageKind::RangeNotFrequency,
                     {what, text, unitWhenNone == FrequencyUnit::MHz ? "MHz" : "kHz"}};
    }
    if (reading.status == FrequencyReading::Status::NotWholeHz) {
        return Error{MessageKind::RangeNotWholeHz, {what, text}};
    }
    if (reading.status == FrequencyReading::Status::TooLarge || reading.hz > kMaxChannelFrequency) {
        return Error{MessageKind::RangeTooHigh, {what, text, std::to_string(kMaxChannelFrequency)}};
    }
    return reading.hz;
}

// "8.33", "8.33k", "8.33 kHz": what people write for the airband raster of 25/3 kHz.
bool IsAirbandStep(std::string_view step) {
    step = TrimBlanks(step);
    return step == "8.33" || step == "8.33k" || step == "8.33K" || step == "8.33 k" ||
           step == "8.33kHz" || step == "8.33 kHz";
}

}  // namespace

Result<ChannelRange> ReadChannelRange(std::string_view start, std::string_view stop,
                                      std::string_view step) {
    const Result<std::uint64_t> startHz = ReadRangeValue("Start", start, kRangeFrequencyUnit);
    if (!startHz) {
        return startHz.error();
    }
    const Result<std::uint64_t> stopHz = ReadRangeValue("Stop", stop, kRangeFrequencyUnit);
    if (!stopHz) {
        return stopHz.error();
    }
    // "25k/3": a frequency over a whole number.
    std::string_view stepText = step;
    std::uint64_t divisor = 1;
    if (const std::size_t slash = step.find('/'); slash != std::string_view::npos) {
        const auto over = ParseWholeNumber(step.substr(slash + 1));
        if (!over || *over == 0 || *over > 1000000) {
            return Error{MessageKind::RangeStepFraction, {step}};
        }
        divisor = *over;
        stepText = step.substr(0, slash);
    }
    const bool airband = divisor == 1 && IsAirbandStep(step);
    const Result<std::uint64_t> stepHz =
        airband ? Result<std::uint64_t>(25000) : ReadRangeValue("Step", stepText, kRangeStepUnit);
    if (!stepHz) {
        return stepHz.error();
    }
    divisor = airband ? 3 : divisor;
    if (*stepHz == 0) {
        return Error{MessageKind::RangeStepZero, {step}};
    }
    if (*stepHz < divisor) {
        return Error{MessageKind::RangeStepBelowHz, {step}};
    }
    if (*stopHz < *startHz) {
        return Error{MessageKind::RangeStopBelowStart, {stop, start}};
    }
    ChannelRange range{*startHz, *stopHz, *stepHz, divisor, {}};
    if (airband) {
        range.notices.push_back(Error{MessageKind::RangeAirbandStep, {step}});
    }
    // On the raster when the steps up to the stop come out whole.
    if ((range.stopHz - range.startHz) * divisor % range.stepHz != 0) {
        range.notices.push_back(Error{
            MessageKind::RangeStopMissed,
            {stop, FrequencyText(range.FrequencyOf(range.Count() - 1), FrequencyUnit::MHz, 6)}});
    }
    return range;
}

int HighestChannelNumber(const MemoryTable& table) {
    int highest = 0;
    for (int row = 1; row < table.RowCount(); ++row) {
        if (const auto number = ChannelNumber(table.CellText(row, Number))) {
            highest = std::max(highest, static_cast<int>(*number));
        }
    }
    return highest;
}

int RowOfChannel(const MemoryTable& table, int number) {
    for (int row = 1; row < table.RowCount(); ++row) {
        const auto channel = ChannelNumber(table.CellText(row, Number));
        if (channel && *channel == number) {
            return row;
        }
    }
    return 0;
}

Status RoomForChannels(const MemoryTable& table, std::uint64_t count, std::string_view what) {
    const int room = std::max(kMaxChannelRows - table.ChannelCount(), 0);
    if (count <= static_cast<std::uint64_t>(room)) {
        return Done{};
    }
    return Error{room == 0 ? MessageKind::TableFull : MessageKind::TableRoomLeft,
                 {what, std::to_string(count), std::to_string(table.ChannelCount()),
                  std::to_string(kMaxChannelRows), std::to_string(room)}};
}

Result<int> RangeFirstNumber(const MemoryTable& table, const RangeFill& fill) {
    const std::uint64_t count = fill.range.Count();
    if (const Status room = RoomForChannels(table, count, "The range makes"); !room) {
        return room.error();
    }
    const int first = fill.firstNumber ? *fill.firstNumber : HighestChannelNumber(table) + 1;
    if (first < 1 || first > kMaxChannelRows) {
        return Error{MessageKind::RangeFirstNotChannel,
                     {std::to_string(first), std::to_string(kMaxChannelRows)}};
    }
    if (const Status fit = NumbersFit(static_cast<std::uint64_t>(first), count); !fit) {
        return fit.error();
    }
    return first;
}

Status NumbersFit(std::uint64_t first, std::uint64_t count) {
    if (count > 0 && first + count - 1 > kMaxChannelRows) {
        return Error{MessageKind::NumbersPastLast,
                     {std::to_string(first), std::to_string(first + count - 1),
                      std::to_string(kMaxChannelRows)}};
    }
    return Done{};
}

Result<MemoryTable> MakeRangeRows(const MemoryTable& table, const RangeFill& fill) {
    const Result<int> firstNumber = RangeFirstNumber(table, fill);
    if (!firstNumber) {
        return firstNumber.error();
    }
    const int first = *firstNumber;
    const std::uint64_t count = fill.range.Count();
    const int columns = table.ColCount();
    MemoryTable::Row cells(static_cast<std::size_t>(columns));
    const auto put = [&](int column, std::string text) {
        if (column >= 0 && column < columns) {
            cells[static_cast<std::size_t>(column)] = std::move(text);
        }
    };
    for (const auto& [column, text] : fill.cells) {
        if (column != Number && column != Frequency) {
            put(column, text);
        }
    }
    // An empty Mode is written as the mode of code 0: the channels say so, and get its bandwidth.
    if (columns > Mode && cells[Mode].empty()) {
        put(Mode, std::string(ModeName(0)));
    }
    if (columns > Bandwidth && cells[Bandwidth].empty()) {
        const std::string_view mode =
            columns > Mode ? std::string_view(cells[Mode]) : std::string_view();
        put(Bandwidth, std::string(DefaultBandwidth(mode)));
    }

    MemoryTable rows(columns);
    rows.ReserveChannels(static_cast<int>(count));
    for (std::uint64_t k = 0; k < count; ++k) {
        put(Number, std::to_string(static_cast<std::uint64_t>(first) + k));
        put(Frequency, std::to_string(fill.range.FrequencyOf(k)));
        rows.AppendRow(cells);
    }
    return rows;
}

Status AddChannelRange(MemoryTable& table, const RangeFill& fill) {
    Result<MemoryTable> rows = MakeRangeRows(table, fill);
    if (!rows) {
        return rows.error();
    }
    table.PutRows(table.RowCount(), std::move(*rows));
    return Done{};
}

}  // namespace corvalen
