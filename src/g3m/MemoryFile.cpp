#include "g3m/MemoryFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

#include "channel/TableChecks.h"
#include "g3m/MemoryRecord.h"
#include "g3m/RecordLayout.h"

namespace corvalen {

namespace {
// The bytes a file put a piece at a time takes at once.
constexpr std::size_t kPieceBytes = std::size_t{1} << 16;
}  // namespace

RecordPlacer::RecordPlacer(ReceiverModel model, ByteBuffer& image, std::size_t expectedRows,
                           PutBytes put)
    : m_model(model),
      m_image(image),
      m_recordLength(model.RecordLength()),
      m_oldRecords(image.size() / m_recordLength),
      m_put(std::move(put)),
      m_inPieces(m_put && image.empty()),
      m_checks(m_report.problems) {
    // Room for a piece, or for as many records as rows are expected (at most 65,535), so a
    // large file's image grows once.
    m_image.reserve(m_inPieces
                        ? kPieceBytes + m_recordLength
                        : std::max(m_image.size(),
                                   std::min<std::size_t>(expectedRows, 65535) * m_recordLength));
    m_checks.ExpectRows(expectedRows);
    // Room for a problem or notice a row; more problems than that still grow it.
    m_report.problems.reserve(std::min<std::size_t>(expectedRows, 65535));
}

void RecordPlacer::Place(std::span<const std::string_view> cells) {
    ++m_rows;
    m_checks.Take(m_rows, cells, [&](int row, std::span<const std::string_view> rowCells) {
        std::array<std::uint8_t, kG315RecordLength> buffer;
        const std::span<std::uint8_t> record(buffer.data(), m_recordLength);
        RowKeys keys;
        Put(WriteMemoryRecord(rowCells, m_model, record, row, m_report.problems, &keys), record);
        return keys;
    });
}

void RecordPlacer::Put(std::uint16_t channel, std::span<const std::uint8_t> record) {
    if (channel == 0) {
        return;  // no channel number: the row has no place in the file
    }
    const std::size_t offset = (static_cast<std::size_t>(channel) - 1) * m_recordLength;
    // The checks take the row's channel number after this, so they still know the earlier row.
    if (const int earlier = m_checks.LastRowWith(channel); earlier != 0) {
        m_rowsReplaced.push_back({earlier, m_rows, channel});
    } else {
        ++m_report.recordsWritten;
    }
    const auto* bytes = reinterpret_cast<const char*>(record.data());
    // Pieces are put while the rows come in channel order; a place already put (a row out of
    // that order) gets its record put on its own.
    m_inPieces = m_inPieces && offset >= m_base + m_image.size();
    if (m_inPieces && m_image.size() >= kPieceBytes) {
        PutPiece(m_base, std::string_view(m_image.data(), m_image.size()));
        m_base += m_image.size();
        m_image.clear();
    }
    if (offset < m_base) {
        PutPiece(offset, std::string_view(bytes, m_recordLength));
        return;
    }
    const std::size_t at = offset - m_base;
    if (m_image.size() == at) {
        // The next place (rows in channel order): the record itself extends the image.
        m_image.insert(m_image.end(), bytes, bytes + m_recordLength);
        return;
    }
    if (m_image.size() < at + m_recordLength) {
        m_image.resize(at + m_recordLength);
    }
    std::memcpy(m_image.data() + at, record.data(), m_recordLength);
}

void RecordPlacer::PutPiece(std::size_t at, std::string_view bytes) {
    if (m_written) {
        m_written = m_put(at, bytes);
    }
}

MemoryFileSaveReport RecordPlacer::Finish() {
    m_checks.Finish();
    m_report.rowsSkipped = m_checks.EmptyRows();
    m_report.rowsNotWritten = m_rows - m_report.recordsWritten -
                              static_cast<int>(m_rowsReplaced.size()) - m_report.rowsSkipped;
    // In the order of the rows replaced; the last row with a number replaces every earlier one.
    std::ranges::sort(m_rowsReplaced, {}, &ReplacedRow::row);
    for (ReplacedRow& replaced : m_rowsReplaced) {
        replaced.by = m_checks.LastRowWith(replaced.channel);
    }
    m_report.rowsReplaced = std::move(m_rowsReplaced);
    // Channel n lies at place n - 1; what no row placed there is kept unless it is all zeros.
    for (std::size_t place = 0; place < m_oldRecords; ++place) {
        const bool replaced = m_checks.LastRowWith(place + 1) != 0;
        const std::string_view old(m_image.data() + place * m_recordLength, m_recordLength);
        if (!replaced && old.find_first_not_of('\0') != std::string_view::npos) {
            ++m_report.recordsKept;
        }
    }
    if (m_put) {
        PutPiece(m_base, std::string_view(m_image.data(), m_image.size()));
    }
    return std::move(m_report);
}

}  // namespace corvalen
