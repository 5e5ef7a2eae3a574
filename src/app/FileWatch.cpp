#include "app/FileWatch.h"

#include <QFileInfo>
#include <QTimer>

#include "app/StatusText.h"
#include "io/SafeFile.h"

namespace corvalen {

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
    // What the watcher tells of is read anew.
    const auto told = [this] {
        m_hashedPath.clear();
        fileEvent();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, told);
    // A save that replaces the file by renaming a new one over it ends the watch of the old
    // one; the folder's change brings the new one back into the watch.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, told);
}

FileWatch::Stamp FileWatch::stampNow(bool hashed) const {
    const std::filesystem::path file(m_path.toStdU16String());
    std::error_code sizeError;
    std::error_code timeError;
    Stamp now{true, std::filesystem::file_size(file, sizeError),
              std::filesystem::last_write_time(file, timeError)};
    if (sizeError || timeError) {
        return {};
    }
    if (hashed || (now.size == m_stamp.size && now.modified == m_stamp.modified)) {
        // Read once per turn of the event loop until the watcher tells of a change: a save's end
        // stamps its file three times over.
        if (m_hashedPath != m_path || m_hashed.size != now.size ||
            m_hashed.modified != now.modified) {
            now.hash = DigestOfFile(LocalPath(m_path)).value_or(0);
            m_hashedPath = m_path;
            m_hashed = now;
            QTimer::singleShot(0, this, [this] { m_hashedPath.clear(); });
        }
        now.hash = m_hashed.hash;
    }
    return now;
}

void FileWatch::used(const QString& path) {
    if (const QStringList watched = m_watcher.files() + m_watcher.directories();
        !watched.isEmpty()) {
        m_watcher.removePaths(watched);
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_stamp = stampNow(true);
    m_told = m_stamp;
    if (!m_path.isEmpty()) {
        m_watcher.addPath(m_path);
        m_watcher.addPath(QFileInfo(m_path).absolutePath());
    }
}

bool FileWatch::watches(const QString& path) const {
    return !m_path.isEmpty() && QFileInfo(path).absoluteFilePath() == m_path;
}

bool FileWatch::changedElsewhere() const {
    return !m_path.isEmpty() && stampNow(false) != m_stamp;
}

void FileWatch::ownWriteStarting(const QString& path) {
    m_ownWrite = true;
    m_ownWriteOfWatched = watches(path);
}

void FileWatch::ownWriteEnded() {
    m_ownWrite = false;
    if (m_ownWriteOfWatched) {
        m_stamp = stampNow(true);
        m_told = m_stamp;
    }
    m_ownWriteOfWatched = false;
    fileEvent();  // also watches the file again when the write replaced it
}

void FileWatch::fileEvent() {
    if (m_path.isEmpty() || m_ownWrite) {
        return;
    }
    const Stamp now = stampNow(false);
    if (now.exists && !m_watcher.files().contains(m_path)) {
        m_watcher.addPath(m_path);
    }
    // Said once for each state the file takes that is not the editor's own.
    if (now != m_stamp && now != m_told) {
        m_told = now;
        emit changed(m_path);
    }
}

}  // namespace corvalen
