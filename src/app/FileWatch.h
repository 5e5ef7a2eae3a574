#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace corvalen {

// Watches the file the table was last opened from or saved to, so the editor learns at once
// when another program (the receiver software, say) changes it. What the file was when the
// editor last read or wrote it is kept as its size and modification time; the file counts as
// changed elsewhere when either differs, or when it is gone.
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
    // The editor itself is about to write a file, and has ended writing it: what the file does
    // meanwhile is the editor's own doing, told by used() when the write succeeds.
    void ownWriteStarting() { m_ownWrite = true; }
    void ownWriteEnded();

signals:
    // Another program changed (or removed) the watched file; said once per change.
    void changed(const QString& path);

private:
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const QString& path);
    void fileEvent();

    QFileSystemWatcher m_watcher;
    QString m_path;
    Stamp m_stamp;
    Stamp m_told;  // the state of the file last said to be changed
    bool m_ownWrite = false;
};

}  // namespace corvalen
