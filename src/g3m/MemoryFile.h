#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "channel/ReceiverModel.h"
#include "channel/TableChecks.h"
#include "g3m/RecordLayout.h"
#include "g3m/ReplacedRow.h"
#include "io/ByteBuffer.h"
#include "io/Diagnostic.h"
#include "io/SafeFile.h"
#include "table/MemoryTable.h"

namespace corvalen {

struct MemoryFileSaveReport {
    int recordsWritten = 0;  // records the rows put into the file, one a channel
    int rowsNotWritten = 0;  // rows without a usable channel number (empty rows aside)
    int rowsSkipped = 0;     // rows whose cells are all empty: no channel, no word
    int recordsKept = 0;     // records already in the file (not empty places) no row replaced
    // The rows a later row with their channel number replaced, in row order.
    std::vector<ReplacedRow> rowsReplaced;
    std::vector<Diagnostic> problems;  // problems and notices (CheckCells), in row order
};

// Places the records of rows that come one at a time, in row order, into `image`, the bytes of
// a memory file: a later row with the same channel number wins, and the rows it replaces are
// reported. The image grows with zero bytes where a record reaches past its end and never
// shrinks; bytes no record covers keep their content.
class RecordPlacer {
public:
    // `image` must outlive the placer; `expectedRows`, when known, lets the checks make their
    // room at once. With `put` the records go into the file being saved: into a file that had no
    // bytes, a piece at a time while they come in channel order, so that the whole file is never
    // held in `image`; the rest of `image` when Finish is called.
    RecordPlacer(ReceiverModel model, ByteBuffer& image, std::size_t expectedRows = 0,
                 PutBytes put = {});

    // The next row (numbered from 1): its cells in column order, only the columns the table has.
    void Place(std::span<const std::string_view> cells);

    // After the last row: the report.
    MemoryFileSaveReport Finish();
    // Whether every piece went into the file (see `put`); else why not.
    const Status& Written() const { return m_written; }

private:
    void Put(std::uint16_t channel, std::span<const std::uint8_t> record);
    void PutPiece(std::size_t at, std::string_view bytes);

    ReceiverModel m_model;
    ByteBuffer& m_image;
    std::size_t m_recordLength;
    std::size_t m_oldRecords;
    PutBytes m_put;
    bool m_inPieces;         // put a piece at a time: image[0] is byte m_base of the file
    std::size_t m_base = 0;  // and the bytes before it are put already
    Status m_written = Done{};
    std::vector<ReplacedRow> m_rowsReplaced;  // by the row that replaced them
    MemoryFileSaveReport m_report;
    TableChecks m_checks;
    int m_rows = 0;
};

}  // namespace corvalen
