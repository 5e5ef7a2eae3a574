#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <filesystem>

namespace corvalen {

// Watches the file the table was last opened from or saved to, so the editor learns at once
// when another program (the receiver software, say) changes it. What the file was when the
// editor last read or wrote it is kept as its size, its modification time (as finely as the file
// system keeps it) and a hash of its bytes; the file counts as changed elsewhere when it is gone
// or any of them differs. The bytes are read again only when size and time are the same: a
// rewrite within one tick of the file system's clock, or one that set the time back.
class FileWatch : public QObject {
    Q_OBJECT

public:
    explicit FileWatch(QObject* parent = nullptr);

    // The editor has just read or written `path`: watch it, as it now is.
    void used(const QString& path);
    const QString& path() const { return m_path; }
    // Whether `path` is the watched file.
    bool watches(const QString& path) const;
    // Whether the watched file differs from what the editor last read or wrote.
    bool changedElsewhere() const;
    // The editor itself is about to write `path`, and has ended writing it: what the watched
    // file does meanwhile is the editor's own doing. A write of the watched file that failed left
    // it as it was; one that succeeded made it the editor's: either way it is taken as it stands.
    void ownWriteStarting(const QString& path);
    void ownWriteEnded();

signals:
    // Another program changed (or removed) the watched file; said once per change.
    void changed(const QString& path);

private:
    struct Stamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        std::size_t hash = 0;  // 0 when not read
        bool operator==(const Stamp&) const = default;
    };
    // The watched file as it is now; its bytes hashed when `hashed`, or when its size and time
    // are those last read or written.
    Stamp stampNow(bool hashed) const;
    void fileEvent();

    QFileSystemWatcher m_watcher;
    QString m_path;
    Stamp m_stamp;
    Stamp m_told;  // the state of the file last said to be changed
    bool m_ownWrite = false;
    bool m_ownWriteOfWatched = false;  // the write is of the watched file
};

}  // namespace corvalen
