#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace corvalen {

// A digest of bytes that come a block at a time, to tell whether two reads of a file gave the
// same bytes (ReadFileBlocks cuts a file at the same places on every read). Each step is a
// one-to-one map of the state, so a change in a single word of the bytes always shows.
class BlockDigest {
public:
    void Add(std::string_view block) {
        std::size_t at = 0;
        for (; at + sizeof(std::uint64_t) <= block.size(); at += sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, block.data() + at, sizeof word);
            Mix(word);
        }
        for (; at < block.size(); ++at) {
            Mix(static_cast<unsigned char>(block[at]));
        }
        Mix(block.size());
    }

    bool operator==(const BlockDigest&) const = default;

private:
    void Mix(std::uint64_t value) { m_state = (m_state ^ value) * 0x100000001B3u; }

    std::uint64_t m_state = 0xCBF29CE484222325u;
};

}  // namespace corvalen
