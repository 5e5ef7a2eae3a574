#include "app/FileActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>
#include <QUrl>
#include <algorithm>
#include <iterator>

#include "app/BackgroundWork.h"
#include "app/Document.h"
#include "app/MessageBoxes.h"
#include "app/RecentFiles.h"
#include "app/StatusText.h"
#include "app/Translations.h"
#include "app/UndoSteps.h"
#include "channel/ProblemGroups.h"
#include "edit/ChannelRange.h"
#include "files/ChannelFiles.h"
#include "io/FileExists.h"
#include "table/RowOperations.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvalen {
namespace {

// A text a format declares (FormatTexts), in the language loaded.
QString FormatText(const char* text) {
    return QCoreApplication::translate("corvalen::FileActions", text);
}

// `opening` takes a format's own entry of the open dialog where it has one.
QString DialogFilter(const std::vector<const ChannelFormat*>& formats, ReceiverModel model,
                     bool opening = false) {
    QStringList entries;
    for (const ChannelFormat* format : formats) {
        const FormatTexts texts = format->Texts(model);
        entries << FormatText(opening && texts.openFilter != nullptr ? texts.openFilter
                                                                     : texts.filter);
    }
    return entries.join(QLatin1Char('|'));
}

// The formats of "Open .g3m file…" (`records`) or of "Open Winradio .csv file".
std::vector<const ChannelFormat*> OpenedFormats(bool records) {
    std::vector<const ChannelFormat*> formats;
    std::ranges::copy_if(ChannelFormats(), std::back_inserter(formats), [&](const auto* format) {
        return records ? format->HoldsRecords() : format->OpenedAsChannelFile();
    });
    return formats;
}

// The File menu's save commands in menu order, each with the formats its dialog offers. The
// first two mark the table saved; the others export it.
struct SaveCommand {
    const char* objectName;
    const char* text;   // %1: the extension of its first format's files
    const char* title;  // of its dialog
    std::vector<const ChannelFormat*> formats;
};
const std::vector<SaveCommand>& SaveCommands() {
    static const std::vector<SaveCommand> commands = {
        {"saveCsvAction",
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Save .csv file"),
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Save to CSV File"),
         {FormatNamed("csv")}},
        {"saveMemoryFileAction",
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Save %1 file"),
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Select your File"),
         {FormatNamed("memory")}},
        {"saveChirpAction",
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Save as CHIRP .csv file\u2026"),
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Save as CHIRP File"),
         {FormatNamed("chirp")}},
        {"saveListAction",
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Save as SDR Bookmark List\u2026"),
         QT_TRANSLATE_NOOP("corvalen::FileActions", "Save as SDR Bookmark List"),
         {FormatNamed("sdrsharp"), FormatNamed("sdrpp"), FormatNamed("gqrx")}},
    };
    return commands;
}
constexpr int kSaves = 2;

QString FirstExtension(const ChannelFormat& format, ReceiverModel model) {
    return FromUtf8(format.Extensions(model).front());
}

QString NameFor(const QString& path, const ChannelFormat& format, ReceiverModel model) {
    return path.isEmpty() ? path
                          : QFile::decodeName(QByteArray::fromStdString(
                                NameForFormat(LocalPath(path), format, model)));
}

// A format's status text with the count and the file's name, and %3, where it has one: the
// length of the model's records.
QString StatusFor(const char* text, const QString& count, const QString& path,
                  ReceiverModel model) {
    const QString status = FormatText(text).arg(count, QFileInfo(path).fileName());
    return status.contains(QLatin1String("%3"))
               ? status.arg(static_cast<qulonglong>(model.RecordLength()))
               : status;
}

// A read of a named pipe that is cancelled while it waits for the pipe's writer: the pipe is
// opened for writing and closed again, without waiting, so that the read sees the pipe's end.
void EndWaitForWriter(const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) == 0 && S_ISFIFO(info.st_mode)) {
        const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
        }
    }
#else
    (void)path;
#endif
}

}  // namespace

FileActions::FileActions(Document& document, SharedFileDialog& fileDialog, MessageBoxes& messages,
                         const SettingsFile& settings, QWidget* window)
    : QObject(window),
      m_document(document),
      m_fileDialog(fileDialog),
      m_messages(messages),
      m_recent(std::make_unique<RecentFiles>(settings)),
      m_openCsv(new QAction(tr("Open Winradio .csv file"), this)),
      m_openMemoryFile(new QAction(this)),
      m_append(new QAction(tr("Append Channels from File\u2026"), this)),
      m_recentMenu(new QMenu(tr("Recent files"), window)),
      m_background(std::make_unique<BackgroundWork>(window)) {
    m_openCsv->setObjectName(QStringLiteral("openCsvAction"));
    m_openCsv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_openCsv, &QAction::triggered, this, [this] { openFromDialog(false); });
    m_openMemoryFile->setObjectName(QStringLiteral("openMemoryFileAction"));
    m_openMemoryFile->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(m_openMemoryFile, &QAction::triggered, this, [this] { openFromDialog(true); });
    for (int command = 0; command < static_cast<int>(SaveCommands().size()); ++command) {
        const SaveCommand& save = SaveCommands()[static_cast<std::size_t>(command)];
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(save.objectName));
        if (command < kSaves) {
            action->setShortcut(QKeySequence(command == 0 ? Qt::CTRL | Qt::Key_S
                                                          : Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        }
        connect(action, &QAction::triggered, this, [this, command] { this->save(command); });
        m_saves << action;
    }
    m_append->setObjectName(QStringLiteral("appendAction"));
    connect(m_append, &QAction::triggered, this, [this] {
        if (const std::optional<QString> chosen = m_fileDialog.show(
                m_document.winradioPath(), ChannelFilesFilter(), tr("Append Channels from File"),
                FileDialogSettings::Form::Open)) {
            appendFile(*chosen);
        }
    });

    updateModelTexts();
    m_recentMenu->setObjectName(QStringLiteral("recentMenu"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &FileActions::fillRecentMenu);
    m_recent->load();
    fillRecentMenu();
}

FileActions::~FileActions() = default;

QString FileActions::memoryExtension() const {
    return FirstExtension(*OpenedFormats(true).front(), m_document.receiverModel());
}

void FileActions::updateModelTexts() {
    const ReceiverModel model = m_document.receiverModel();
    m_openMemoryFile->setText(tr("Open %1 file\u2026").arg(memoryExtension()));
    for (std::size_t i = 0; i < SaveCommands().size(); ++i) {
        const SaveCommand& save = SaveCommands()[i];
        QString text = FormatText(save.text);
        if (text.contains(QLatin1String("%1"))) {
            text = text.arg(FirstExtension(*save.formats.front(), model));
        }
        m_saves[static_cast<qsizetype>(i)]->setText(text);
    }
}

QString FileActions::ChannelFilesFilter() {
    QStringList patterns;
    for (const ChannelFormat* format : ChannelFormats()) {
        for (const std::string_view extension : format->AllExtensions()) {
            patterns << QLatin1Char('*') + FromUtf8(extension);
        }
    }
    patterns.removeDuplicates();
    return tr("Channel files|%1").arg(patterns.join(QLatin1Char(';')));
}

void FileActions::report(const QString& text, const QString& details) {
    m_lastStatus = text;
    m_lastDetails = details;
    emit status(text, details);
}

void FileActions::report(const QString& text, const std::vector<Diagnostic>& diagnostics,
                         const RowOrigins* origins, const QString& firstLine) {
    // A very long list is cut so the tooltip stays usable.
    constexpr std::size_t kMaxLines = 40;
    QStringList lines;
    if (!firstLine.isEmpty()) {
        lines << firstLine;
    }
    const ProblemPlaces places(&m_document.table().table(), origins, EditorTexts());
    for (const std::string& line :
         GroupedReport(diagnostics, places, LineForm::Report, kMaxLines)) {
        lines << QString::fromStdString(line);
    }
    report(text, lines.join(QLatin1Char('\n')));
}

void FileActions::openFromDialog(bool records) {
    if (!settleUnsavedChanges([this, records] { openFromDialog(records); })) {
        return;
    }
    const std::optional<QString> chosen = m_fileDialog.show(
        m_document.winradioPath(),
        DialogFilter(OpenedFormats(records), m_document.receiverModel(), /*opening=*/true),
        tr("Select your File"), FileDialogSettings::Form::Open);
    if (chosen) {
        openChannelFile(*chosen);
    }  // else cancelled: the table and its unsaved edits stay
}

bool FileActions::numberChirpChannels(ChannelFileRead& read, const QString& path) {
    if (!read.holdsLocationZero) {
        return true;
    }
    // CHIRP counts from Location 0, the receiver from channel 1: the user says how.
    const std::optional<ChirpNumbering> numbering = m_messages.askChirpNumbering(
        tr("Channel numbers"),
        tr("%1 has a channel at Location 0, which is no channel number of the receiver. How "
           "should its channels be numbered?")
            .arg(QFileInfo(path).fileName()));
    if (numbering) {
        ApplyChirpNumbering(read, *numbering);
    }
    return numbering.has_value();
}

bool FileActions::readFile(const QString& path, const QString& failureTail, ReadSettings settings,
                           std::function<void(ChannelFileRead read)> then) {
    if (const QString mismatch = modelMismatch(path); !mismatch.isEmpty()) {
        report(mismatch + QStringLiteral("; ") + failureTail);
        return false;
    }
    settings.model = m_document.receiverModel();
    m_background->start<Result<ChannelFileRead>>(
        tr("Reading %1\u2026").arg(QFileInfo(path).fileName()), BackgroundWork::Cancel::Offered,
        [file = LocalPath(path), settings = std::move(settings)] {
            return ReadChannelFile(file, settings);
        },
        [this, path, failureTail,
         then = std::move(then)](std::optional<Result<ChannelFileRead>> reading) {
            if (!reading) {
                report(tr("Stopped reading %1; %2").arg(QFileInfo(path).fileName(), failureTail));
            } else if (!*reading) {
                report(FailureText(path, reading->error(), failureTail));
            } else {
                then(std::move(**reading));
            }
        },
        [path] { EndWaitForWriter(path); });
    return true;
}

bool FileActions::openChannelFile(const QString& path, std::function<void()> loaded) {
    const ChannelFormat* named = ExtensionOwner(LocalPath(path));
    const bool records = named != nullptr && named->HoldsRecords();
    ReadSettings settings;
    settings.emptyAllowed = true;
    return readFile(path, records ? tr("nothing opened") : tr("nothing imported"), settings,
                    [this, path, loaded = std::move(loaded)](ChannelFileRead read) {
                        if (loadRead(path, std::move(read)) && loaded) {
                            loaded();
                        }
                    });
}

bool FileActions::loadRead(const QString& path, ChannelFileRead read) {
    if (!numberChirpChannels(read, path)) {
        report(tr("Cancelled; nothing opened"));
        return false;
    }
    rememberFile(path);
    const int channels = read.table.ChannelCount();
    LoadTableStep::Push(m_document, std::move(read.table),
                        tr("Open %1").arg(QFileInfo(path).fileName()));
    m_document.undoStack().setClean();
    emit tableLoaded();
    m_document.groupNames() = std::move(read.groupNames);
    m_document.groupColours() = std::move(read.groupColours);

    const ChannelFileReport& found = read.report;
    const FormatTexts texts = found.format->Texts(m_document.receiverModel());
    QString text = StatusFor(texts.read, Count(channels, "channel", "channels"), path,
                             m_document.receiverModel());
    text += CountIn(tr("; %1 reported"), static_cast<qsizetype>(found.diagnostics.size()),
                    texts.readReported[0], texts.readReported[1]);
    report(text, found.diagnostics, &found.origins);
    return true;
}

bool FileActions::openFile(const QString& path) {
    return settleUnsavedChanges([this, path] { openFile(path); }) && openChannelFile(path);
}

QString FileActions::DroppedChannelFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    if (urls.size() == 1 && urls[0].isLocalFile() &&
        ExtensionOwner(LocalPath(urls[0].toLocalFile())) != nullptr) {
        return urls[0].toLocalFile();
    }
    return QString();
}

bool FileActions::settleUnsavedChanges(std::function<void()> proceed) {
    if (m_document.undoStack().isClean()) {
        return true;
    }
    const QString question = tr("The memory table has changes that are not saved. Save them as "
                                "a .csv or %1 file first, or discard them?")
                                 .arg(memoryExtension());
    // A save that reported rows or cells it could not write as they stand stops the caller, so
    // the user reads that first; the table then counts as saved, so the next try goes on.
    auto written = [this, proceed = std::move(proceed)] {
        if (m_lastSaveReported) {
            report(m_lastStatus + tr("; stopped so you can check this first"), m_lastDetails);
        } else if (proceed) {
            proceed();
        }
    };
    const UnsavedChangesAnswer answer =
        m_messages.askUnsavedChanges(kAppTitle, question, memoryExtension());
    if (answer == UnsavedChangesAnswer::SaveCsv || answer == UnsavedChangesAnswer::SaveMemoryFile) {
        save(answer == UnsavedChangesAnswer::SaveCsv ? 0 : 1, std::move(written));
    }
    return answer == UnsavedChangesAnswer::Discard;
}

bool FileActions::save(int command, std::function<void()> written) {
    const SaveCommand& save = SaveCommands()[static_cast<std::size_t>(command)];
    const std::vector<const ChannelFormat*>& offered = save.formats;
    // A file of records is updated in place: it is chosen through the open form with a Save
    // button, as the receiver's own program does.
    const bool inPlace = offered.front()->HoldsRecords();
    const auto form = inPlace ? FileDialogSettings::Form::Open : FileDialogSettings::Form::Save;
    const ReceiverModel model = m_document.receiverModel();
    const QString filter = DialogFilter(offered, model);
    // Later rounds start from the name chosen last.
    QString proposed =
        NameFor(QFileInfo(m_document.filePath()).fileName(), *offered.front(), model);
    for (;;) {
        const std::optional<QString> chosen =
            m_fileDialog.show(m_document.winradioPath(), filter, FormatText(save.title), form,
                              inPlace ? tr("&Save") : QString(), proposed);
        proposed.clear();
        if (!chosen) {
            return false;
        }
        // The name gets its format's extension, so that no file of one format is written under
        // another's name.
        const int entry = std::clamp(m_fileDialog.settings().filterIndex, 0,
                                     static_cast<int>(offered.size()) - 1);
        const ChannelFormat* format = offered[static_cast<std::size_t>(entry)];
        const auto named = std::ranges::find_if(offered, [&](const ChannelFormat* other) {
            return other->HasExtensionOf(LocalPath(*chosen));
        });
        if (!format->HasExtensionOf(LocalPath(*chosen)) && named != offered.end()) {
            format = *named;
        }
        const QString path = NameFor(*chosen, *format, model);
        if (path != *chosen) {
            m_fileDialog.remember(path);
        }
        if (const QString mismatch = modelMismatch(path); !mismatch.isEmpty()) {
            report(mismatch + tr("; the file was not changed"));
            return false;
        }
        // A save replaces the file: an existing one is asked about (a memory file is updated
        // in place, its other records kept, and is not).
        if (form == FileDialogSettings::Form::Save && FileExists(LocalPath(path)) &&
            !m_messages.confirmOverwrite(
                kAppTitle, DisplayPath(path) + tr(" already exists.\r\nSelect OK to overwrite, "
                                                  "or Cancel to try again."))) {
            continue;  // Cancel goes back to the dialog
        }
        return writeFile(path, *format, command < kSaves, std::move(written));
    }
}

bool FileActions::writeFile(const QString& path, const ChannelFormat& format, bool marksSaved,
                            std::function<void()> written) {
    if (m_beforeWrite && !m_beforeWrite(path)) {
        return false;
    }
    // The window takes no input until the save is done, so the table stays as it is read.
    const QString saving = tr("Saving %1\u2026").arg(QFileInfo(path).fileName());
    report(saving);
    const MemoryTable& table = m_document.table().table();
    m_background->start<Result<ChannelFileReport>>(
        saving, BackgroundWork::Cancel::NotOffered,
        [file = LocalPath(path), &table, &format,
         settings = WriteSettings{m_document.receiverModel(), m_document.hasImportColumns(),
                                  m_document.groupNames(), m_document.groupColours()}] {
            return WriteChannelFile(file, table, format, settings);
        },
        [this, path, &format, marksSaved,
         written = std::move(written)](std::optional<Result<ChannelFileReport>> result) {
            emit writeEnded(path);
            if (!result) {
                return;  // a save is not offered to cancel
            }
            if (!*result) {
                report(FailureText(
                    path, result->error(),
                    format.HoldsRecords() ? tr("the file was not changed") : tr("nothing saved")));
                return;
            }
            if (marksSaved) {
                m_document.undoStack().setClean();
            }
            rememberFile(path);
            reportSaved(path, format, **result);
            if (written) {
                written();
            }
        });
    return true;
}

void FileActions::reportSaved(const QString& path, const ChannelFormat& format,
                              const ChannelFileReport& saved) {
    const ReceiverModel model = m_document.receiverModel();
    const FormatTexts texts = format.Texts(model);
    QString status = StatusFor(texts.saved,
                               Count(format.HoldsRecords() ? saved.recordsWritten : saved.channels,
                                     texts.savedNouns[0], texts.savedNouns[1]),
                               path, model);
    status += CountIn(tr("; %1 already in the file kept"), saved.recordsKept, "record", "records");
    status += CountIn(tr("; %1 replaced by a later row with the same Number"),
                      static_cast<qsizetype>(saved.rowsReplaced.size()), "row", "rows");
    status += CountIn(tr("; %1 not written"), saved.rowsNotWritten, "row", "rows");
    status += CountIn(tr("; %1 skipped"), saved.rowsSkipped, "empty row", "empty rows");
    if (!saved.diagnostics.empty()) {
        status += tr("; %1 reported")
                      .arg(texts.savedReported[0] != nullptr
                               ? Count(static_cast<qsizetype>(saved.diagnostics.size()),
                                       texts.savedReported[0], texts.savedReported[1])
                               : ProblemsText(static_cast<qsizetype>(saved.ErrorCount()),
                                              static_cast<qsizetype>(saved.NoticeCount())));
    }
    for (const std::string& notice : saved.saveNotices) {
        status += QStringLiteral("; ") + QString::fromStdString(notice);
    }
    report(status, saved.diagnostics, nullptr, ReplacedRowsText(saved.rowsReplaced));
    // Notices say how a value was written; only errors stop a save made on the way out.
    m_lastSaveReported = saved.rowsNotWritten > 0 || saved.ErrorCount() > 0;
}

QString FileActions::ReplacedRowsText(const std::vector<ReplacedRow>& replaced) {
    constexpr std::size_t kMaxRows = 20;
    if (replaced.empty()) {
        return QString();
    }
    QStringList rows;
    for (std::size_t i = 0; i < replaced.size() && i < kMaxRows; ++i) {
        rows << tr("row %1 (by row %2)").arg(replaced[i].row).arg(replaced[i].by);
    }
    if (replaced.size() > kMaxRows) {
        rows << tr("%1 more").arg(static_cast<qulonglong>(replaced.size() - kMaxRows));
    }
    return tr("Replaced by a later row with the same Number: %1")
        .arg(rows.join(QStringLiteral(", ")));
}

void FileActions::fillRecentMenu() {
    // The old entries go once control is back in the event loop: one of them may be the entry
    // whose command is running now.
    for (QAction* old : m_recentMenu->actions()) {
        m_recentMenu->removeAction(old);
        old->deleteLater();
    }
    const QStringList& paths = m_recent->paths();
    if (paths.isEmpty()) {
        m_recentMenu->addAction(tr("No recent files"))->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QString label = DisplayPath(path);
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(label));
        connect(action, &QAction::triggered, this, [this, path] {
            if (QFileInfo(path).isFile()) {
                openFile(path);
                return;
            }
            m_recent->remove(path);
            fillRecentMenu();
            report(tr("%1 no longer exists; removed from Recent files").arg(DisplayPath(path)));
        });
    }
}

void FileActions::rememberFile(const QString& path) {
    m_document.setFilePath(path);
    m_recent->add(path);
    fillRecentMenu();
    emit fileUsed(path);
}

QString FileActions::modelMismatch(const QString& path) const {
    const std::string local = LocalPath(path);
    const ReceiverModel model = m_document.receiverModel();
    if (!IsMemoryFilePath(local) || MemoryFileFitsModel(local, model)) {
        return QString();
    }
    return Is15mPath(local)
               ? tr("%1 is a .15m memory file, for the receiver models 305 and 315, not \"%2\"")
                     .arg(DisplayPath(path), m_document.modelName())
               : tr("%1 is a .g3m memory file; the receiver model %2 uses .15m files")
                     .arg(DisplayPath(path), m_document.modelName());
}

bool FileActions::appendFile(const QString& path) {
    // A list without channel numbers goes on after the table's highest number.
    const int firstNumber = HighestChannelNumber(m_document.table().table()) + 1;
    ReadSettings settings;
    settings.knownGroups = m_document.groupNames();
    settings.firstNumber = firstNumber;
    return readFile(path, tr("nothing appended"), std::move(settings),
                    [this, path, firstNumber](ChannelFileRead read) {
                        appendRead(path, std::move(read), firstNumber);
                    });
}

void FileActions::appendRead(const QString& path, ChannelFileRead read, int firstNumber) {
    if (!numberChirpChannels(read, path)) {
        report(tr("Cancelled; nothing appended"));
        return;
    }
    BusyCursor busy;
    const QString name = QFileInfo(path).fileName();
    const int channels = read.table.ChannelCount();
    const Result<int> appended = appendChannels(
        std::move(read.table), tr("Append %1").arg(name), "The file holds",
        read.report.format->GivesNumbers() ? std::optional(firstNumber) : std::nullopt);
    if (!appended) {
        report(FailureText(path, appended.error(), tr("nothing appended")));
        return;
    }
    const int lastRow = *appended;
    if (!read.groupNames.empty()) {
        m_document.groupNames() = std::move(read.groupNames);
    }
    // The colours the document has stay; the file's own come in beside them.
    m_document.groupColours().merge(read.groupColours);
    QString text = tr("Appended %1 from %2 after row %3")
                       .arg(Count(channels, "channel", "channels"), name)
                       .arg(lastRow);
    text += CountIn(tr("; %1 reported"), static_cast<qsizetype>(read.report.diagnostics.size()),
                    "problem", "problems");
    // The problems name the table's rows, the file's lines beside them.
    PlaceAppendedRows(read.report.diagnostics, read.report.origins, lastRow);
    report(text, read.report.diagnostics, &read.report.origins);
}

Result<int> FileActions::appendChannels(MemoryTable channels, const QString& step,
                                        std::string_view what, std::optional<int> numberedFrom) {
    MemoryTableModel& model = m_document.table();
    const auto count = static_cast<std::uint64_t>(channels.ChannelCount());
    if (const Status room = RoomForChannels(model.table(), count, what); !room) {
        return room.error();
    }
    if (numberedFrom) {
        if (const Status fit = NumbersFit(static_cast<std::uint64_t>(*numberedFrom), count); !fit) {
            return fit.error();
        }
    }
    const int lastRow = model.table().RowCount() - 1;
    if (channels.ChannelCount() > 0) {
        if (model.table().ColCount() == channels.ColCount()) {
            m_document.undoStack().push(
                new PutRowsStep(model, {lastRow + 1, std::move(channels)}, step));
        } else {
            // The start-up grid's ten columns take the file's 19 first: the whole table changes.
            MemoryTable grown = model.table();
            AppendChannels(grown, channels);
            m_document.undoStack().push(new LoadTableStep(m_document, std::move(grown), step));
        }
    }
    return lastRow;
}

}  // namespace corvalen
