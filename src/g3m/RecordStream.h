#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "io/Result.h"
#include "io/SafeFile.h"

namespace corvalen {

// The records of a memory file that starts empty, written as they are placed, so that the
// file's bytes are never held whole: records that come in channel order go out through a
// window of some hundreds of records; a record behind the window (a channel that comes late,
// or again) is kept aside and written over its place at the end, after those placed before it,
// so a later record at the same place still wins. Bytes no record covers are zeros, and the file
// ends with the record that reaches furthest, as a memory image that grows with its records.
class RecordStream {
public:
    RecordStream(SaveWriter& out, std::size_t recordLength);
    // The record at `offset` (a multiple of the record length).
    void Put(std::size_t offset, std::span<const std::uint8_t> record);
    // Writes what is left; Done, or the error of the first piece that could not be written.
    Status Finish();

private:
    // Zeros the window's bytes after its records in order when it still holds the last
    // window's bytes there.
    void ClearStaleBytes();
    void WriteLateRecords();

    SaveWriter& m_out;
    std::size_t m_recordLength;
    std::vector<char> m_window;  // the file's bytes from m_base on, zeros where no record is
    std::size_t m_base = 0;
    std::size_t m_end = 0;  // where the record that reaches furthest ends
    // The bytes from the window's start that records placed one after the other filled since
    // it moved on; past them, a stale window holds the last window's bytes instead of zeros.
    std::size_t m_inOrder = 0;
    bool m_stale = false;
    struct Late {
        std::size_t offset;  // in the file
        std::size_t at;      // in m_lateBytes
    };
    std::vector<Late> m_late;
    std::vector<char> m_lateBytes;
    Status m_status = Done{};
};

}  // namespace corvalen
