#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "io/Result.h"

namespace corvalen {

// The receiver whose memory a file holds or a table is written for: the G303, G313, G305 or
// G315, named "303", "313", "305", "315". It decides how long a record is, which fields its tail
// keeps, and whether the file is a .g3m or a .15m file.
class ReceiverModel {
public:
    // The G313, the model a CSV memory file is checked for when no other is given.
    constexpr ReceiverModel() = default;
    // A model named in the source ("313"); any other text fails to compile.
    consteval ReceiverModel(const char (&name)[4]) : m_id(IdOf(name)) {}

    // The model a text names: exactly "303", "313", "305" or "315". Any other text (blanks
    // around, "G313", "0", "") is an Error saying so and naming the four.
    static Result<ReceiverModel> FromText(std::string_view text);

    std::string_view Name() const { return kNames[static_cast<std::size_t>(m_id)]; }
    // Bytes per record: 84 for the "303", 92 for the "313", 100 for the "305" and "315".
    std::size_t RecordLength() const;
    // Whether records keep IF Shift and Bandwidth: every model but the "303".
    bool HoldsIfShiftAndBandwidth() const { return m_id != Id::G303; }
    // Whether records keep the secondary squelch type and value: the "305" and "315".
    bool HoldsSecondarySquelch() const { return m_id == Id::G305 || m_id == Id::G315; }
    // The memory file's suffix: ".15m" for the "305" and "315", else ".g3m".
    std::string_view FileSuffix() const { return HoldsSecondarySquelch() ? ".15m" : ".g3m"; }

    bool operator==(const ReceiverModel&) const = default;

private:
    enum class Id : std::uint8_t { G313, G303, G305, G315 };
    // The models' names, by Id.
    static constexpr std::string_view kNames[] = {"313", "303", "305", "315"};

    static consteval Id IdOf(const char (&name)[4]) {
        for (std::size_t k = 0; k < std::size(kNames); ++k) {
            if (kNames[k] == std::string_view(name, 3)) {
                return static_cast<Id>(k);
            }
        }
        throw "no receiver model";  // not a constant expression: the program does not compile
    }

    Id m_id = Id::G313;
};

}  // namespace corvalen
