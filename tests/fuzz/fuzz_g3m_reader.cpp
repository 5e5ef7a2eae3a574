// The .g3m reader over arbitrary files. The first byte picks the receiver model (0 "313",
// 1 "303", 2 "315", 3 "305", then again), the rest is the file. Besides reading without a fault,
// the reader must agree with the checksum check, and a table read from a file must come back the
// same once it has been saved: reading what a save wrote reports nothing, and saving that again
// changes no byte.

#include "FuzzCheck.h"
#include "channel/CellChecks.h"
#include "g3m/MemoryFile.h"
#include "../g3m/PlaceRecords.h"
#include "g3m/MemoryFileReader.h"
#include "channel/TableChecks.h"

using namespace corvalen;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const ReceiverModel model = data[0] % 4 == 0   ? ReceiverModel("313")
                                : data[0] % 4 == 1 ? ReceiverModel("303")
                                : data[0] % 4 == 2 ? ReceiverModel("315")
                                                   : ReceiverModel("305");
    const std::string_view file = fuzz::Bytes(data + 1, size - 1);

    const MemoryFileReadReport read = DecodeMemoryFileImage(file, model);
    FUZZ_REQUIRE(read.table.ColCount() == kImportedColumnCount);
    FUZZ_REQUIRE(read.table.ChannelCount() <= read.recordsRead);
    fuzz::CheckDiagnostics(read.problems, Diagnostic::Place::Record, read.recordsRead + 1);
    const MemoryFileVerifyReport verified = VerifyMemoryFileImage(file, model);
    FUZZ_REQUIRE(verified.badChecksums == read.badChecksums);
    FUZZ_REQUIRE(verified.incompleteBytes == read.incompleteBytes);

    ByteBuffer saved;
    const MemoryFileSaveReport report = PlaceRecords(read.table, model, saved);
    FUZZ_REQUIRE(report.problems == CheckCells(read.table, model));

    const MemoryFileReadReport reread =
        DecodeMemoryFileImage(std::string_view(saved.data(), saved.size()), model);
    FUZZ_REQUIRE(reread.problems.empty());
    ByteBuffer again;
    PlaceRecords(reread.table, model, again);
    FUZZ_REQUIRE(again == saved);
    return 0;
}
