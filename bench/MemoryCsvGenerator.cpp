#include "MemoryCsvGenerator.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace corvalen::bench {

namespace {

// A small fixed pseudo-random sequence (64-bit LCG, high bits out), so the file never depends
// on a library's random engine or distribution.
class Sequence {
public:
    std::uint32_t Next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33);
    }
    std::uint32_t Below(std::uint32_t bound) { return Next() % bound; }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) {
        return items[Below(static_cast<std::uint32_t>(N))];
    }

private:
    std::uint64_t m_state = 0x313303u;
};

// Comments hold Windows-1252 bytes: \xE9 e-acute, \xF6 o-umlaut, \xE5 a-ring, \xF1 n-tilde,
// \xE7 c-cedilla, \xE3 a-tilde, \xFC u-umlaut, \xE8 e-grave, \x80 the euro sign.
constexpr std::array<std::string_view, 24> kStations = {
    "Radio Nacional de Espa\xF1"
    "a",
    "R\xE1"
    "dio Bratislava",
    "Deutsche Welle, Kigali relay",
    "\xD6"
    "1 Wien",
    "Radio Fran\xE7"
    "aise Internationale",
    "NRK Troms\xF8",
    "Sveriges Radio, H\xF6rby",
    "R\xE1"
    "dio Nacional da Amaz\xF4nia",
    "La Voz de los Andes, Quito",
    "BBC World Service",
    "Voice of America, Greenville",
    "Radio Th\xE9r\xE8se \"the night owl\"",
    "Volmet Shannon",
    "Coast station, Gd\xE4nsk",
    "Numbers station?",
    "Radio Caf\xE9, 24 h",
    "Rete Radio, Vit\xF3ria",
    "Z\xFCrich airport ATIS",
    "Fax, Hamburg-Pinneberg",
    "Klassikaraadio, P\xE4rnu",
    "NDB beacon",
    "Price \x80 check, relay",
    "Hurricane net",
    "",
};

constexpr std::array<std::string_view, 16> kCallsigns = {
    "DL4ABC", "G3XYZ", "EA7URM", "VOA",   "BBC",    "DW",   "RNE", "WWV",
    "CHU",    "OE1",   "HB9ZRH", "F5ABC", "SP2GDN", "K1JT", "",    "DCF77"};

constexpr std::array<std::string_view, 11> kModes = {"AM",  "USB", "LSB", "CW",  "AMS", "FM",
                                                     "FM3", "FM6", "AMN", "DSB", "ISB"};

constexpr std::array<std::string_view, 8> kBandwidths = {"6000", "2400", "3000",  "500",
                                                         "1000", "9000", "15000", "2700"};

// Where the receiver's users actually listen: broadcast, utility and amateur bands, in kHz.
constexpr std::array<std::uint32_t, 14> kBandStartsKHz = {
    153, 531, 2300, 3200, 3500, 5900, 7000, 7200, 9400, 11600, 13570, 14000, 15100, 21450};

void AppendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (const char c : text) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendNumber(std::string& out, std::int64_t value) {
    out.push_back('"');
    out.append(std::to_string(value));
    out.push_back('"');
}

}  // namespace

std::string MakeMemoryCsv(int channels) {
    std::string text =
        "\"Number\",\"Frequency\",\"Bandwidth\",\"IF Shift\",\"reserved\",\"reserved\","
        "\"reserved\",\"reserved\",\"reserved\",\"Groups\",\"Hotkey\",\"Lockout\",\"Priority\","
        "\"Level Squelch\",\"Secondary squelch type\",\"Secondary squelch value\",\"Mode\","
        "\"Callsign\",\"Comments\"\r\n";
    text.reserve(static_cast<std::size_t>(channels) * 140 + text.size());
    Sequence random;
    std::string groups;
    for (int n = 1; n <= channels; ++n) {
        const std::uint32_t band = random.Below(kBandStartsKHz.size());
        const std::uint64_t hz = (kBandStartsKHz[band] + random.Below(400)) * 1000ULL +
                                 (random.Below(4) == 0 ? random.Below(200) * 5 : 0);

        AppendNumber(text, n);
        text.push_back(',');
        AppendNumber(text, static_cast<std::int64_t>(hz));
        text.push_back(',');
        AppendQuoted(text, random.Pick(kBandwidths));
        text.push_back(',');
        AppendNumber(text,
                     random.Below(3) == 0 ? 0 : static_cast<int>(random.Below(81)) * 50 - 2000);
        text.append(",\"0\",\"0\",\"0\",\"0\",\"0\",");

        groups.clear();
        const std::uint32_t groupCount = random.Below(4);
        for (std::uint32_t g = 0; g < groupCount; ++g) {
            if (g > 0) {
                groups.push_back('+');
            }
            groups.append(std::to_string(1 + random.Below(16)));
        }
        AppendQuoted(text, groups);
        text.push_back(',');
        AppendNumber(text, random.Below(10) == 0 ? 1 + random.Below(9) : 0);  // hot key
        text.push_back(',');
        AppendNumber(text, random.Below(8) == 0 ? 1 : 0);  // lockout
        text.push_back(',');
        AppendNumber(text, random.Below(20) == 0 ? 1 : 0);  // priority
        text.push_back(',');
        AppendNumber(text, -60 - static_cast<int>(random.Below(70)));  // level squelch, dBm
        text.append(",\"0\",\"0\",");
        AppendQuoted(text, random.Pick(kModes));
        text.push_back(',');
        AppendQuoted(text, random.Pick(kCallsigns));
        text.push_back(',');
        AppendQuoted(text, random.Pick(kStations));
        text.append("\r\n");
    }
    return text;
}

}  // namespace corvalen::bench
