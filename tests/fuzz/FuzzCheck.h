#pragma once

// What the fuzz targets check besides "no crash, no leak, no undefined behaviour": the promises
// the core makes about its results. A broken promise aborts, so libFuzzer keeps the input.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "g3m/RecordChecksum.h"
#include "io/Diagnostic.h"
#include "io/Messages.h"
#include "table/Columns.h"

#define FUZZ_REQUIRE(condition) \
    ((condition) ? void(0) : ::corvalen::fuzz::Fail(#condition, __FILE__, __LINE__))

namespace corvalen::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
    std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline std::uint32_t LittleEndian(std::string_view bytes, std::size_t offset, int width) {
    std::uint32_t value = 0;
    for (int k = width - 1; k >= 0; --k) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(k)]);
    }
    return value;
}

// A record carries the channel number it was placed by and a checksum that matches it.
inline void CheckRecord(std::string_view record, std::size_t channel) {
    FUZZ_REQUIRE(LittleEndian(record, 0, 2) == channel);
    const std::span<const std::uint8_t> words(reinterpret_cast<const std::uint8_t*>(record.data()),
                                              record.size());
    FUZZ_REQUIRE(LittleEndian(record, kChecksumOffset, 4) == ComputeRecordChecksum(words));
}

// A .g3m image built from nothing: whole records only, each slot untouched zeros or a record of
// its own channel.
inline void CheckImage(std::string_view image, std::size_t recordLength) {
    FUZZ_REQUIRE(image.size() % recordLength == 0);
    FUZZ_REQUIRE(image.size() <= 65535 * recordLength);
    static constexpr char kZeros[92] = {};
    for (std::size_t offset = 0; offset < image.size(); offset += recordLength) {
        const std::string_view record = image.substr(offset, recordLength);
        if (std::memcmp(record.data(), kZeros, recordLength) != 0) {
            CheckRecord(record, offset / recordLength + 1);
        }
    }
}

// Longest report line the converter may print or the editor show for one problem.
inline constexpr std::size_t kLongestMessage = 1024;

// Reports come in order, each at a real line or row, in a real column, short enough to read.
inline void CheckDiagnostics(const std::vector<Diagnostic>& diagnostics, Diagnostic::Place place,
                             int highest) {
    int previous = 1;
    for (const Diagnostic& d : diagnostics) {
        FUZZ_REQUIRE(d.place == place);
        FUZZ_REQUIRE(d.number >= previous && d.number <= highest);
        FUZZ_REQUIRE(d.column >= -1 && d.column < kImportedColumnCount);
        FUZZ_REQUIRE(!MessageText(d).empty() && MessageText(d).size() <= kLongestMessage);
        previous = d.number;
    }
}

}  // namespace corvalen::fuzz
