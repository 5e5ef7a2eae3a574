#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <cstdint>
#include <filesystem>

namespace corvalen {

// Watches the file last opened or saved for changes by another program: it is gone, or its size,
// time or hash differs (the bytes read again only when size and time are the same).
class FileWatch : public QObject {
    Q_OBJECT

public:
    explicit FileWatch(QObject* parent = nullptr);

    // The editor has just read or written `path`.
    void used(const QString& path);
    bool watches(const QString& path) const;
    // Whether the watched file differs from what the editor last read or wrote.
    bool changedElsewhere() const;
    // What the watched file does between these is the editor's own doing; after a write of it,
    // failed or not, it is taken as it stands.
    void ownWriteStarting(const QString& path);
    void ownWriteEnded();

signals:
    // Said once per change (or removal) by another program.
    void changed(const QString& path);

private:
    struct Stamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        std::uint64_t hash = 0;  // 0 when not read
        bool operator==(const Stamp&) const = default;
    };
    // Its bytes hashed when `hashed`, or when its size and time are those last read or written.
    Stamp stampNow(bool hashed) const;
    void fileEvent();

    QFileSystemWatcher m_watcher;
    QString m_path;
    Stamp m_stamp;
    Stamp m_told;  // the state of the file last said to be changed
    // The file last hashed in this turn of the event loop, and its stamp.
    mutable QString m_hashedPath;
    mutable Stamp m_hashed;
    bool m_ownWrite = false;
    bool m_ownWriteOfWatched = false;
};

}  // namespace corvalen
