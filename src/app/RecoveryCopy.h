#pragma once

#include <QDateTime>
#include <QFutureWatcher>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

#include "table/MemoryTable.h"

namespace corvalen {

class Document;

// What a recovery copy holds: the table with its unsaved changes, its file (empty for a table
// never saved), when the copy was written, the model, and how many channels differ from the file.
struct RecoveryContents {
    QString filePath;
    QDateTime writtenAt;  // UTC
    QString model;
    int channelsChanged = 0;
    MemoryTable table;
};

// The copy as UTF-8: a first line naming the format, a "key<TAB>value" line each for the file,
// time, model, channels changed, columns and rows, then a line per table row (the header row
// first), its cells between tabs with backslash, tab, LF and CR escaped as \\, \t, \n and \r.
QByteArray EncodeRecovery(const RecoveryContents& contents);
// Nothing for bytes that are no whole recovery copy.
std::optional<RecoveryContents> DecodeRecovery(const QByteArray& bytes);

// A recovery copy an editor left when it ended without removing it; locked while this lives,
// so no other editor offers it at the same time.
struct LeftRecovery {
    QString path;
    std::shared_ptr<QLockFile> lock;
    RecoveryContents contents;
};

// While the table has unsaved changes, keeps a copy of it in the recovery folder, written from a
// snapshot on a thread of its own a few seconds after the last change. One copy per running
// editor, named by its process id and start time and locked by it (QLockFile), so a copy whose
// editor is gone can be told apart. A save or a clean exit removes it.
class RecoveryCopy : public QObject {
    Q_OBJECT

public:
    // Seconds after the last change at which the copy is written.
    static constexpr int kDelayMs = 3000;
    static constexpr const char* kSuffix = ".cvrecovery";

    explicit RecoveryCopy(Document& document, QObject* parent = nullptr);
    // Removes the copy: the editor ends cleanly.
    ~RecoveryCopy() override;

    // Begins keeping copies in `folder` (made when missing). False, with the reason in `error`,
    // when the folder or the lock cannot be made.
    bool start(const QString& folder, QString& error);
    bool started() const { return m_lock != nullptr; }
    // The copy of this editor (it exists only while there are unsaved changes).
    QString path() const { return m_path; }

    // The readable copies in the folder whose editors are gone, newest first, each locked.
    std::vector<LeftRecovery> leftCopies() const;
    // The table was restored from a copy: `baseline` is the file's table; the copy is written.
    void restored(MemoryTable baseline);

    // Writes the copy now if changes wait for it, and waits for a write under way to end.
    void flush();

signals:
    // A copy was written (or could not be: `error` says why).
    void written(const QString& error);

private:
    void write();
    void writeDone();
    void remove();

    Document& m_document;
    QString m_folder;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QTimer m_timer;
    // The table as last opened or saved, for counting the channels changed.
    std::shared_ptr<const MemoryTable> m_baseline;
    QFutureWatcher<QString> m_watcher;
    bool m_writeAgain = false;  // a change came while a write was under way
};

}  // namespace corvalen
