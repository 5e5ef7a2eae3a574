// Times import, CSV export and .g3m save of a 65,535-channel memory file.
// Run: build/bench/bench_core [repetitions]. Prints the best time of each stage in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "g3m/G3mFile.h"

using namespace corvalen;

namespace {

std::string MakeCsv(int channels) {
    std::string text =
        "\"Number\",\"Frequency\",\"Bandwidth\",\"IF Shift\",\"reserved\",\"reserved\","
        "\"reserved\",\"reserved\",\"reserved\",\"Groups\",\"Hotkey\",\"Lockout\",\"Priority\","
        "\"Level Squelch\",\"Secondary squelch type\",\"Secondary squelch value\",\"Mode\","
        "\"Callsign\",\"Comments\"\r\n";
    text.reserve(static_cast<std::size_t>(channels) * 120);
    static const char* const kModes[] = {"AM", "USB", "LSB", "CW", "FM6", "AMS"};
    for (int n = 1; n <= channels; ++n) {
        text += "\"" + std::to_string(n) + "\",\"" + std::to_string(500000 + n * 1000) + "\",\"" +
                std::to_string(2400 + n % 7 * 100) + "\",\"" + std::to_string(n % 300 - 150) +
                "\",\"\",\"\",\"\",\"\",\"\",\"" + std::to_string(n % 16 + 1) +
                "+2\",\"0\",\"0\",\"0\",\"" + std::to_string(-(n % 120)) + "\",\"0\",\"0\",\"" +
                kModes[n % 6] + "\",\"CALL" + std::to_string(n % 1000) + "\",\"Caf\xe9 station " +
                std::to_string(n) + ", relay\"\r\n";
    }
    return text;
}

template <typename F>
double BestMs(int repetitions, F&& work) {
    double best = 1e300;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(stop - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string csv = MakeCsv(65535);

    CsvImport imported;
    const double importMs = BestMs(repetitions, [&] { imported = ReadCsvMemory(csv); });
    if (imported.table.ChannelCount() != 65535) {
        std::fprintf(stderr, "import produced %d channels\n", imported.table.ChannelCount());
        return 1;
    }
    CsvText exported;
    const double exportMs =
        BestMs(repetitions, [&] { exported = BuildCsvText(imported.table, true); });
    std::string image;
    const double g3mMs = BestMs(repetitions, [&] {
        image.clear();
        PlaceRecords(imported.table, "313", image);
    });

    std::printf("channels            %d\n", imported.table.ChannelCount());
    std::printf("csv bytes           %zu\n", csv.size());
    std::printf("import (parse)      %.1f ms\n", importMs);
    std::printf("csv export (build)  %.1f ms\n", exportMs);
    std::printf("g3m records (place) %.1f ms  (%zu bytes)\n", g3mMs, image.size());
    return 0;
}
