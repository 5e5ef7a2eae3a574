#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace corvalen {

// A digest of bytes that come a block at a time, to tell whether two reads of a file gave the
// same bytes (ReadFileBlocks cuts a file at the same places on every read). The words of a block
// go to four lanes in turn, which the digest's value mixes into one. Each step is a one-to-one map
// of a lane's state, so a change in a single word of the bytes always shows.
class BlockDigest {
public:
    void Add(std::string_view block) {
        constexpr std::size_t kWord = sizeof(std::uint64_t);
        std::size_t at = 0;
        for (; at + m_lanes.size() * kWord <= block.size(); at += m_lanes.size() * kWord) {
            for (std::size_t lane = 0; lane < m_lanes.size(); ++lane) {
                std::uint64_t word = 0;
                std::memcpy(&word, block.data() + at + lane * kWord, kWord);
                Mix(m_lanes[lane], word);
            }
        }
        for (; at < block.size(); ++at) {
            Mix(m_lanes[0], static_cast<unsigned char>(block[at]));
        }
        Mix(m_lanes[0], block.size());
    }

    std::uint64_t Value() const {
        std::uint64_t value = kStart;
        for (const std::uint64_t lane : m_lanes) {
            Mix(value, lane);
        }
        return value;
    }

    bool operator==(const BlockDigest&) const = default;

private:
    static constexpr std::uint64_t kStart = 0xCBF29CE484222325u;
    static void Mix(std::uint64_t& state, std::uint64_t value) {
        state = (state ^ value) * 0x100000001B3u;
    }

    std::array<std::uint64_t, 4> m_lanes{kStart, kStart, kStart, kStart};
};

}  // namespace corvalen
