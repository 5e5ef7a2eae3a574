#include "io/Backup.h"

#include <atomic>

namespace corvalen {

namespace {

std::atomic<bool> g_keepBackups{false};

}  // namespace

void SetKeepBackups(bool keep) {
    g_keepBackups.store(keep);
}

bool KeepBackups() {
    return g_keepBackups.load();
}

std::string BackupPathOf(const std::string& path) {
    return path + "~";
}

}  // namespace corvalen
