// Writes the benchmark memory file: make_memory_csv OUTPUT.csv [CHANNELS]
// (65,535 channels unless CHANNELS is given).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "MemoryCsvGenerator.h"
#include "io/Messages.h"
#include "io/SafeFile.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_memory_csv OUTPUT.csv [CHANNELS]\n");
        return 2;
    }
    const int channels = argc == 3 ? std::atoi(argv[2]) : corvalen::bench::kMaxChannels;
    if (channels < 0 || channels > corvalen::bench::kMaxChannels) {
        std::fprintf(stderr, "make_memory_csv: CHANNELS must be 0 to 65535\n");
        return 2;
    }
    const std::string csv = corvalen::bench::MakeMemoryCsv(channels);
    if (const corvalen::Status written = corvalen::WriteFileAtomically(argv[1], csv); !written) {
        std::fprintf(stderr, "make_memory_csv: %s\n", corvalen::ErrorSentence(written.error()).c_str());
        return 1;
    }
    std::printf("wrote %d channels, %zu bytes, to %s\n", channels, csv.size(), argv[1]);
    return 0;
}
