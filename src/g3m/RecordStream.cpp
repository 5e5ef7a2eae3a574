#include "g3m/RecordStream.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace corvalen {

namespace {

// Records in the window: large enough that a write is worth its call, small enough to stay in
// the processor's caches.
constexpr std::size_t kWindowRecords = 2048;

}  // namespace

RecordStream::RecordStream(SaveWriter& out, std::size_t recordLength)
    : m_out(out), m_recordLength(recordLength), m_window(kWindowRecords * recordLength, '\0') {}

void RecordStream::Put(std::size_t offset, std::span<const std::uint8_t> record) {
    if (!m_status) {
        return;  // nothing more goes out; Finish says why
    }
    const std::size_t end = offset + record.size();
    if (offset < m_base) {
        m_late.push_back({offset, m_lateBytes.size()});
        m_lateBytes.insert(m_lateBytes.end(), record.begin(), record.end());
        return;
    }
    // The file reaches at least to this record's end, so the whole window before it is the
    // file's, zeros and all. The window holds whole records, so none is cut at its edge.
    while (end > m_base + m_window.size()) {
        ClearStaleBytes();
        m_status = m_out.Append(std::string_view(m_window.data(), m_window.size()));
        if (!m_status) {
            return;
        }
        m_base += m_window.size();
        // A window its records filled one after the other from its start is overwritten the
        // same way by the next one, as channels in order do (the zeroing of every window cost
        // more than the copying of the records into it); what the next leaves out is cleared
        // before it goes out.
        m_stale = m_inOrder == m_window.size();
        if (!m_stale) {
            std::memset(m_window.data(), 0, m_window.size());
        }
        m_inOrder = 0;
    }
    const std::size_t at = offset - m_base;
    if (at > m_inOrder && m_stale) {
        // Out of order in a window that still holds the last one's bytes: those are cleared now.
        ClearStaleBytes();
    }
    if (at == m_inOrder) {
        m_inOrder += record.size();
    }
    std::memcpy(m_window.data() + at, record.data(), record.size());
    m_end = std::max(m_end, end);
}

void RecordStream::ClearStaleBytes() {
    if (m_stale) {
        std::memset(m_window.data() + m_inOrder, 0, m_window.size() - m_inOrder);
        m_stale = false;
    }
}

Status RecordStream::Finish() {
    // A stale window's records came in order, so the bytes written end where theirs do.
    if (m_status && m_end > m_base) {
        m_status = m_out.Append(std::string_view(m_window.data(), m_end - m_base));
        m_base = m_end;
    }
    if (m_status && !m_late.empty()) {
        WriteLateRecords();
    }
    return m_status;
}

void RecordStream::WriteLateRecords() {
    // In the order of their places; of records at one place the last placed, which comes last
    // in a stable sort. Records whose places follow each other are written in one piece.
    std::stable_sort(m_late.begin(), m_late.end(),
                     [](const Late& a, const Late& b) { return a.offset < b.offset; });
    std::vector<char> piece;
    std::size_t pieceOffset = 0;
    const auto writePiece = [&] {
        if (!piece.empty() && m_status) {
            m_status = m_out.WriteAt(pieceOffset, std::string_view(piece.data(), piece.size()));
        }
        piece.clear();
    };
    for (std::size_t k = 0; k < m_late.size(); ++k) {
        if (k + 1 < m_late.size() && m_late[k + 1].offset == m_late[k].offset) {
            continue;  // a later record takes this place
        }
        if (m_late[k].offset != pieceOffset + piece.size()) {
            writePiece();
            pieceOffset = m_late[k].offset;
        }
        const auto bytes = m_lateBytes.begin() + static_cast<std::ptrdiff_t>(m_late[k].at);
        piece.insert(piece.end(), bytes, bytes + static_cast<std::ptrdiff_t>(m_recordLength));
    }
    writePiece();
}

}  // namespace corvalen
