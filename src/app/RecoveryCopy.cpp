#include "app/RecoveryCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <chrono>
#include <utility>

#include "app/Document.h"
#include "app/StatusText.h"
#include "files/ChannelDiff.h"
#include "io/Backup.h"
#include "io/SafeFile.h"

namespace corvalen {

namespace {

constexpr char kFirstLine[] = "Corvalen recovery copy 1";
// A lock counts as its editor's while that editor runs, however old it is.
constexpr auto kNeverStale = std::chrono::hours(24 * 365 * 20);

// The characters of a cell (or the file's name) that the copy writes as a backslash and a letter.
struct Escape {
    char plain;
    char letter;
};
constexpr Escape kEscapes[] = {{'\\', '\\'}, {'\t', 't'}, {'\n', 'n'}, {'\r', 'r'}};

void AppendEscaped(QByteArray& out, std::string_view cell) {
    std::size_t plain = 0;  // the start of the characters not written yet, none escaped
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        // Most characters are above CR, the highest but the backslash of those escaped.
        if (static_cast<unsigned char>(c) > '\r' && c != '\\') {
            continue;
        }
        const auto* escape = std::ranges::find(kEscapes, c, &Escape::plain);
        if (escape != std::end(kEscapes)) {
            out.append(cell.data() + plain, static_cast<qsizetype>(i - plain));
            out += '\\';
            out += escape->letter;
            plain = i + 1;
        }
    }
    out.append(cell.data() + plain, static_cast<qsizetype>(cell.size() - plain));
}

std::optional<std::string> Unescaped(QByteArrayView text) {
    std::string cell;
    cell.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            cell += text[i];
            continue;
        }
        const char letter = ++i < text.size() ? text[i] : '\0';
        const auto* escape = std::ranges::find(kEscapes, letter, &Escape::letter);
        if (escape == std::end(kEscapes)) {
            return std::nullopt;
        }
        cell += escape->plain;
    }
    return cell;
}

QString LockPathOf(const QString& copyPath) {
    return copyPath + QStringLiteral(".lock");
}

// Writes the copy, counting the channels of its table that differ from `baseline` (each added,
// removed or changed channel once); the reason when it could not be written.
QString WriteCopy(const QString& path, RecoveryContents contents, const MemoryTable& baseline,
                  ReceiverModel model) {
    const ChannelDiff diff = DiffChannels(baseline, contents.table, ColumnSet::All(), model);
    contents.channelsChanged = static_cast<int>(diff.changes.size() + diff.unnumbered.size());
    const QByteArray bytes = EncodeRecovery(contents);
    const WithoutBackups noBackup;
    const Status written =
        WriteFileAtomically(LocalPath(path), std::string_view(bytes.data(), bytes.size()));
    return written ? QString() : ErrorText(written.error());
}

}  // namespace

QByteArray EncodeRecovery(const RecoveryContents& contents) {
    const MemoryTable& table = contents.table;
    QByteArray out;
    out.reserve(64 + table.RowCount() * 80);
    out += kFirstLine;
    out += '\n';
    out += "file\t";
    AppendEscaped(out, contents.filePath.toStdString());
    out += "\ntime\t" + contents.writtenAt.toUTC().toString(Qt::ISODateWithMs).toUtf8();
    out += "\nmodel\t" + contents.model.toUtf8();
    out += "\nchanged\t" + QByteArray::number(contents.channelsChanged);
    out += "\ncolumns\t" + QByteArray::number(table.ColCount());
    out += "\nrows\t" + QByteArray::number(table.RowCount());
    out += '\n';
    for (int row = 0; row < table.RowCount(); ++row) {
        const MemoryTable::RowView cells = table.RowCells(row);
        for (int column = 0; column < table.ColCount(); ++column) {
            if (column > 0) {
                out += '\t';
            }
            AppendEscaped(out, cells[static_cast<std::size_t>(column)]);
        }
        out += '\n';
    }
    out += "end\n";
    return out;
}

std::optional<RecoveryContents> DecodeRecovery(const QByteArray& bytes) {
    const QList<QByteArray> lines = bytes.split('\n');
    // The first line, six of keys and values, the rows, "end" and the empty text after it.
    constexpr const char* kKeys[] = {"file", "time", "model", "changed", "columns", "rows"};
    constexpr int kFirstRow = 7;
    if (lines.size() < kFirstRow + 2 || lines[0] != kFirstLine) {
        return std::nullopt;
    }
    QByteArray values[std::size(kKeys)];
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const QByteArray key = QByteArray(kKeys[i]) + '\t';
        const QByteArray& line = lines[static_cast<qsizetype>(i) + 1];
        if (!line.startsWith(key)) {
            return std::nullopt;
        }
        values[i] = line.mid(key.size());
    }
    bool ok = false;
    RecoveryContents contents;
    const std::optional<std::string> path = Unescaped(values[0]);
    contents.writtenAt = QDateTime::fromString(QString::fromUtf8(values[1]), Qt::ISODateWithMs);
    contents.model = QString::fromUtf8(values[2]);
    contents.channelsChanged = values[3].toInt(&ok);
    const int columnCount = ok ? values[4].toInt(&ok) : 0;
    const int rowCount = ok ? values[5].toInt(&ok) : 0;
    if (!path || !contents.writtenAt.isValid() || !ok || columnCount < 1 || columnCount > 64 ||
        rowCount < 1 || lines.size() != kFirstRow + rowCount + 2 ||
        lines[kFirstRow + rowCount] != "end" || !lines.back().isEmpty()) {
        return std::nullopt;
    }
    contents.filePath = QString::fromStdString(*path);
    MemoryTable table(columnCount);
    table.ReserveChannels(rowCount - 1);
    std::vector<std::string> cells;
    for (int row = 0; row < rowCount; ++row) {
        const QList<QByteArray> pieces = lines[kFirstRow + row].split('\t');
        if (pieces.size() != columnCount) {
            return std::nullopt;
        }
        cells.clear();
        for (const QByteArray& piece : pieces) {
            std::optional<std::string> cell = Unescaped(piece);
            if (!cell) {
                return std::nullopt;
            }
            cells.push_back(std::move(*cell));
        }
        if (row == 0) {
            for (int column = 0; column < columnCount; ++column) {
                table.SetCellText(0, column, cells[static_cast<std::size_t>(column)]);
            }
        } else {
            table.AppendRow(std::vector<std::string_view>(cells.begin(), cells.end()));
        }
    }
    contents.table = std::move(table);
    return contents;
}

RecoveryCopy::RecoveryCopy(Document& document, QObject* parent)
    : QObject(parent),
      m_document(document),
      m_baseline(std::make_shared<const MemoryTable>(document.table().table())) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryCopy::write);
    connect(&m_watcher, &QFutureWatcher<QString>::finished, this, &RecoveryCopy::writeDone);
    QUndoStack& stack = document.undoStack();
    connect(&stack, &QUndoStack::indexChanged, this, [this] {
        if (started() && m_document.isModified()) {
            m_timer.start();  // again from now: a few seconds after the last change
        }
    });
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean) {
            // Opened or saved: the table as it stands is the file's.
            m_baseline = std::make_shared<const MemoryTable>(m_document.table().table());
            m_timer.stop();
            remove();
        }
    });
}

RecoveryCopy::~RecoveryCopy() {
    m_timer.stop();
    m_watcher.waitForFinished();
    remove();
}

bool RecoveryCopy::start(const QString& folder, QString& error) {
    if (!QDir().mkpath(folder)) {
        error = tr("cannot make the folder %1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    m_folder = folder;
    // The process id and the time it started keep the names of two editors apart, even when
    // the system gives a later editor the id of one that ended.
    const QString name =
        QStringLiteral("%1-%2")
            .arg(QCoreApplication::applicationPid())
            .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddThhmmsszzz")));
    m_path = QDir(folder).filePath(name + QLatin1String(kSuffix));
    auto lock = std::make_unique<QLockFile>(LockPathOf(m_path));
    lock->setStaleLockTime(kNeverStale);
    if (!lock->tryLock(0)) {
        error = tr("cannot lock %1").arg(QDir::toNativeSeparators(LockPathOf(m_path)));
        m_path.clear();
        return false;
    }
    m_lock = std::move(lock);
    if (m_document.isModified()) {
        m_timer.start();
    }
    return true;
}

std::vector<LeftRecovery> RecoveryCopy::leftCopies() const {
    std::vector<LeftRecovery> left;
    if (m_folder.isEmpty()) {
        return left;
    }
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*") + QLatin1String(kSuffix)}, QDir::Files);
    for (const QString& name : names) {
        const QString path = QDir(m_folder).filePath(name);
        if (path == m_path) {
            continue;
        }
        // A copy whose lock another running editor holds is that editor's; a lock whose editor
        // is gone is stale, and QLockFile takes it over.
        auto lock = std::make_shared<QLockFile>(LockPathOf(path));
        lock->setStaleLockTime(kNeverStale);
        if (!lock->tryLock(0)) {
            continue;
        }
        QFile file(path);
        std::optional<RecoveryContents> contents =
            file.open(QIODevice::ReadOnly) ? DecodeRecovery(file.readAll()) : std::nullopt;
        if (!contents) {
            continue;
        }
        left.push_back({path, std::move(lock), std::move(*contents)});
    }
    // The lock of an editor that ended before it had anything to keep goes.
    const QString lockSuffix = QLatin1String(kSuffix) + QStringLiteral(".lock");
    for (const QString& name :
         QDir(m_folder).entryList({QStringLiteral("*") + lockSuffix}, QDir::Files | QDir::Hidden)) {
        const QString copy = QDir(m_folder).filePath(name.chopped(5));
        if (copy == m_path || QFileInfo::exists(copy)) {
            continue;
        }
        QLockFile lock(LockPathOf(copy));
        lock.setStaleLockTime(kNeverStale);
        lock.tryLock(0);  // a stale lock taken over is removed as `lock` goes
    }
    std::sort(left.begin(), left.end(), [](const LeftRecovery& a, const LeftRecovery& b) {
        return a.contents.writtenAt > b.contents.writtenAt;
    });
    return left;
}

void RecoveryCopy::restored(MemoryTable baseline) {
    m_baseline = std::make_shared<const MemoryTable>(std::move(baseline));
    m_timer.stop();
    write();
    flush();
}

void RecoveryCopy::flush() {
    if (m_timer.isActive()) {
        m_timer.stop();
        write();
    }
    m_watcher.waitForFinished();
    if (m_writeAgain) {
        writeDone();
        m_watcher.waitForFinished();
    }
}

void RecoveryCopy::write() {
    if (!started() || !m_document.isModified()) {
        return;
    }
    if (m_watcher.isRunning()) {
        m_writeAgain = true;
        return;
    }
    RecoveryContents contents;
    contents.filePath = m_document.filePath();
    contents.writtenAt = QDateTime::currentDateTimeUtc();
    contents.model = m_document.modelName();
    contents.table = m_document.table().table();  // a snapshot: the window goes on editing
    const ReceiverModel model = m_document.receiverModel();
    m_watcher.setFuture(QtConcurrent::run(
        [path = m_path, contents = std::move(contents), baseline = m_baseline, model]() mutable {
            return WriteCopy(path, std::move(contents), *baseline, model);
        }));
}

void RecoveryCopy::writeDone() {
    if (m_watcher.future().isValid() && m_watcher.future().resultCount() > 0) {
        const QString error = m_watcher.result();
        m_watcher.setFuture(QFuture<QString>());
        emit written(error);
    }
    const bool again = std::exchange(m_writeAgain, false);
    if (!m_document.isModified()) {
        remove();  // saved while the copy was written
    } else if (again) {
        write();
    }
}

void RecoveryCopy::remove() {
    // While a write runs, writeDone removes it once the write has ended.
    if (!m_watcher.isRunning() && !m_path.isEmpty()) {
        QFile::remove(m_path);
    }
}

}  // namespace corvalen
