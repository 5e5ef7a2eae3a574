#pragma once

#include <unistd.h>
#include <filesystem>
#include <string>

namespace corvalen::bench {

// A scratch folder for the files the benchmarks write. It lies on a RAM file system where there
// is one (/dev/shm), so the figures measure the program and not the disk's flush of each save.
// Removed with everything in it when the program ends.
inline const std::filesystem::path& ScratchFolder() {
    struct Folder {
        Folder() {
            const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                                   ? std::filesystem::path("/dev/shm")
                                                   : std::filesystem::temp_directory_path();
            path = base / ("corvalen-bench-" + std::to_string(::getpid()));
            std::filesystem::create_directories(path);
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        std::filesystem::path path;
    };
    static const Folder folder;
    return folder.path;
}

}  // namespace corvalen::bench
