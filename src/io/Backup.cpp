#include "io/Backup.h"

#include <atomic>

namespace corvalen {

namespace {

std::atomic<bool> g_keepBackups{false};
thread_local bool t_withoutBackups = false;

}  // namespace

void SetKeepBackups(bool keep) {
    g_keepBackups.store(keep);
}

bool KeepBackups() {
    return g_keepBackups.load() && !t_withoutBackups;
}

WithoutBackups::WithoutBackups() : m_before(t_withoutBackups) {
    t_withoutBackups = true;
}

WithoutBackups::~WithoutBackups() {
    t_withoutBackups = m_before;
}

std::string BackupPathOf(const std::string& path) {
    return path + "~";
}

}  // namespace corvalen
