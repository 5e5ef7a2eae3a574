#include "app/FileActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>

#include "app/BackgroundWork.h"
#include "app/Document.h"
#include "app/FileDialog.h"
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

namespace corvalen {
namespace {

const QString kAppTitle = QStringLiteral("Corvalen");
// The dialogs' texts, looked up when a dialog opens so they follow the language loaded.
QString CsvOpenFilter() {
    return QCoreApplication::translate(
        "corvalen::FileActions",
        "Memory files (*.csv)|*.csv|SDR# and SDR++ lists (*.xml *.json)|*.xml;*.json");
}
QString CsvSaveFilter() {
    return QCoreApplication::translate("corvalen::FileActions", "Data files (*.csv)|*.csv");
}
QString G3mFilter() {
    return QCoreApplication::translate("corvalen::FileActions", "Memory files (*.g3m)|*.g3m");
}
QString SelectFileTitle() {
    return QCoreApplication::translate("corvalen::FileActions", "Select your File");
}
QString ChirpFilter() {
    return QCoreApplication::translate("corvalen::FileActions", "CHIRP files (*.csv)|*.csv");
}
QString AppendFilter() {
    return QCoreApplication::translate("corvalen::FileActions",
                                       "Channel files|*.csv;*.g3m;*.15m;*.xml;*.json");
}
QString ListFilter() {
    return QCoreApplication::translate(
        "corvalen::FileActions",
        "SDR# frequency list (*.xml)|*.xml|SDR++ frequency manager (*.json)|*.json");
}

// The memory files of the receiver model: .15m for the "305" and "315", else .g3m.
QString MemoryFileFilter(ReceiverModel model) {
    return model.HoldsSecondarySquelch()
               ? QCoreApplication::translate("corvalen::FileActions", "Memory files (*.15m)|*.15m")
               : G3mFilter();
}

// The status line of a save, with what the save itself had to tell (an owner it could not
// keep, other names of the file) after it.
QString WithSaveNotices(QString status, const std::vector<std::string>& notices) {
    for (const std::string& notice : notices) {
        status += QStringLiteral("; ") + QString::fromStdString(notice);
    }
    return status;
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
      m_openG3m(new QAction(this)),
      m_saveCsv(new QAction(tr("Save .csv file"), this)),
      m_saveG3m(new QAction(this)),
      m_saveChirp(new QAction(tr("Save as CHIRP .csv file\u2026"), this)),
      m_saveList(new QAction(tr("Save as SDR Bookmark List\u2026"), this)),
      m_append(new QAction(tr("Append Channels from File\u2026"), this)),
      m_recentMenu(new QMenu(tr("Recent files"), window)),
      m_background(std::make_unique<BackgroundWork>(window)) {
    m_openCsv->setObjectName(QStringLiteral("openCsvAction"));
    m_openCsv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_openCsv, &QAction::triggered, this, &FileActions::openCsv);
    m_openG3m->setObjectName(QStringLiteral("openG3mAction"));
    m_openG3m->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(m_openG3m, &QAction::triggered, this, &FileActions::openG3m);
    m_saveCsv->setObjectName(QStringLiteral("saveCsvAction"));
    m_saveCsv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_saveCsv, &QAction::triggered, this, &FileActions::saveCsv);
    m_saveG3m->setObjectName(QStringLiteral("saveG3mAction"));
    m_saveG3m->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(m_saveG3m, &QAction::triggered, this, &FileActions::saveG3m);
    m_saveChirp->setObjectName(QStringLiteral("saveChirpAction"));
    connect(m_saveChirp, &QAction::triggered, this, &FileActions::saveChirp);
    m_saveList->setObjectName(QStringLiteral("saveListAction"));
    connect(m_saveList, &QAction::triggered, this, &FileActions::saveList);
    m_append->setObjectName(QStringLiteral("appendAction"));
    connect(m_append, &QAction::triggered, this, &FileActions::appendFromFile);

    updateModelTexts();
    m_recentMenu->setObjectName(QStringLiteral("recentMenu"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &FileActions::fillRecentMenu);
    m_recent->load();
    fillRecentMenu();
}

FileActions::~FileActions() = default;

bool FileActions::busy() const {
    return m_background->running();
}

QString FileActions::memoryExtension() const {
    const std::string_view suffix = m_document.receiverModel().FileSuffix();
    return QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size()));
}

void FileActions::updateModelTexts() {
    m_openG3m->setText(tr("Open %1 file\u2026").arg(memoryExtension()));
    m_saveG3m->setText(tr("Save %1 file").arg(memoryExtension()));
}

void FileActions::report(const QString& text, const QString& details) {
    m_lastStatus = text;
    m_lastDetails = details;
    emit status(text, details);
}

void FileActions::report(const QString& text, const std::vector<Diagnostic>& diagnostics,
                         const RowOrigins* origins) {
    // The tooltip lists the problems, one line per kind; a very long list is cut so the tooltip
    // stays usable.
    constexpr std::size_t kMaxLines = 40;
    QStringList lines;
    const ProblemPlaces places(&m_document.table().table(), origins, CoreLanguage());
    for (const std::string& line :
         GroupedReport(diagnostics, places, CoreLanguage(), LineForm::Report, kMaxLines)) {
        lines << QString::fromStdString(line);
    }
    report(text, lines.join(QLatin1Char('\n')));
}

void FileActions::openCsv() {
    if (!settleUnsavedChanges()) {
        return;
    }
    const std::optional<QString> chosen =
        m_fileDialog.show(m_document.winradioPath(), CsvOpenFilter(), SelectFileTitle(),
                          FileDialogSettings::Form::Open);
    if (!chosen) {
        return;  // cancelled: the table and its unsaved edits stay
    }
    importCsvFile(*chosen);
}

void FileActions::numberChirpChannels(ChannelFileRead& read, const QString& path) {
    if (!read.holdsLocationZero) {
        return;
    }
    // CHIRP counts from Location 0, the receiver from channel 1: the user says how.
    const ChirpNumbering numbering = m_messages.askChirpNumbering(
        tr("Channel numbers"),
        tr("%1 has a channel at Location 0, which is no channel number of the receiver. How "
           "should its channels be numbered?")
            .arg(QFileInfo(path).fileName()));
    ApplyChirpNumbering(read, numbering);
}

std::optional<ChannelFileRead> FileActions::readFile(const QString& path,
                                                     const QString& failureTail,
                                                     const std::vector<std::string>& knownGroups,
                                                     bool emptyAllowed, int firstNumber) {
    if (const QString mismatch = modelMismatch(path); !mismatch.isEmpty()) {
        report(mismatch + QStringLiteral("; ") + failureTail);
        return std::nullopt;
    }
    BusyCursor busy;
    // Read on a thread of its own: a list of 65,535 bookmarks takes a quarter of a second, a
    // large file on a slow disk longer, and the window keeps painting meanwhile.
    std::optional<Result<ChannelFileRead>> reading = m_background->run<Result<ChannelFileRead>>(
        tr("Reading %1\u2026").arg(QFileInfo(path).fileName()),
        [file = LocalPath(path), settings = ReadSettings{m_document.receiverModel(), knownGroups,
                                                         emptyAllowed, firstNumber}] {
            return ReadChannelFile(file, settings);
        });
    if (!reading) {
        report(tr("Stopped reading %1; %2").arg(QFileInfo(path).fileName(), failureTail));
        return std::nullopt;
    }
    Result<ChannelFileRead>& read = *reading;
    if (!read) {
        report(FailureText(path, read.error(), failureTail));
        return std::nullopt;
    }
    return std::move(*read);
}

bool FileActions::importCsvFile(const QString& path) {
    return openChannelFile(path);
}

bool FileActions::openChannelFile(const QString& path) {
    const bool records = IsRecordFilePath(LocalPath(path));
    std::optional<ChannelFileRead> read =
        readFile(path, records ? tr("nothing opened") : tr("nothing imported"), {},
                 /*emptyAllowed=*/true);
    if (!read) {
        return false;
    }
    numberChirpChannels(*read, path);
    rememberFile(path);
    const int channels = read->table.ChannelCount();
    loadTable(std::move(read->table), tr("Open %1").arg(QFileInfo(path).fileName()));
    m_document.setGroupNames(std::move(read->groupNames));

    const ChannelFileReport& found = read->report;
    const QString name = QFileInfo(path).fileName();
    QString text;
    if (found.format == &RecordFileFormat()) {
        text = tr("Read %1 from %2 (%3-byte records)")
                   .arg(Count(channels, "channel", "channels"), name)
                   .arg(static_cast<qulonglong>(m_document.receiverModel().RecordLength()));
        if (!found.diagnostics.empty()) {
            text += tr("; %1 reported").arg(Count(found.diagnostics.size(), "problem", "problems"));
        }
    } else {
        text = found.format == &ChirpCsvFormat()       ? tr("Read %1 from the CHIRP file %2")
               : found.format == &SdrSharpListFormat() ? tr("Read %1 from the SDR# list %2")
               : found.format == &SdrppListFormat()    ? tr("Read %1 from the SDR++ list %2")
                                                       : tr("Read %1 from %2");
        text = text.arg(Count(channels, "channel", "channels"), name);
        if (!found.diagnostics.empty()) {
            text += tr("; %1 reported").arg(Count(found.diagnostics.size(), "line", "lines"));
        }
    }
    report(text, found.diagnostics, &found.origins);
    return true;
}

void FileActions::openG3m() {
    if (!settleUnsavedChanges()) {
        return;
    }
    // As for the .g3m save, the name box starts empty: a .csv name left there would be read as
    // a memory file.
    m_fileDialog.settings().fileName.clear();
    const std::optional<QString> chosen =
        m_fileDialog.show(m_document.winradioPath(), MemoryFileFilter(m_document.receiverModel()),
                          SelectFileTitle(), FileDialogSettings::Form::Open);
    if (!chosen) {
        return;  // cancelled: the table and its unsaved edits stay
    }
    openG3mFile(*chosen);
}

bool FileActions::openG3mFile(const QString& path) {
    return openChannelFile(path);
}

bool FileActions::openFile(const QString& path) {
    if (!settleUnsavedChanges()) {
        return false;
    }
    return openChannelFile(path);
}

void FileActions::openRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        m_recent->remove(path);
        fillRecentMenu();
        report(tr("%1 no longer exists; removed from Recent files").arg(DisplayPath(path)));
        return;
    }
    openFile(path);
}

bool FileActions::IsMemoryFilePath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("g3m"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("15m"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
}

QString FileActions::DroppedMemoryFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    if (urls.size() == 1 && urls[0].isLocalFile() && IsMemoryFilePath(urls[0].toLocalFile())) {
        return urls[0].toLocalFile();
    }
    return QString();
}

void FileActions::loadTable(MemoryTable table, const QString& actionName) {
    LoadTableStep::Push(m_document, std::move(table), actionName);
    m_document.undoStack().setClean();
    emit tableLoaded();
}

bool FileActions::settleUnsavedChanges() {
    if (m_document.undoStack().isClean()) {
        return true;
    }
    const QString question = tr("The memory table has changes that are not saved. Save them as "
                                "a .csv or %1 file first, or discard them?")
                                 .arg(memoryExtension());
    bool saved = false;
    switch (m_messages.askUnsavedChanges(kAppTitle, question, memoryExtension())) {
        case UnsavedChangesAnswer::SaveCsv:
            saved = saveCsv();
            break;
        case UnsavedChangesAnswer::SaveG3m:
            saved = saveG3m();
            break;
        case UnsavedChangesAnswer::Discard:
            return true;
        case UnsavedChangesAnswer::Cancel:
            return false;
    }
    if (saved && m_lastSaveReported) {
        // Rows or cells did not go into the file as they stand. The user gets to read that on
        // the status line before the table goes; the table now counts as saved, so the next try
        // goes on without asking.
        report(m_lastStatus + tr("; stopped so you can check this first"), m_lastDetails);
        return false;
    }
    return saved;
}

std::optional<QString> FileActions::chooseSaveTarget(const QString& filter, const QString& title) {
    for (;;) {
        const std::optional<QString> chosen = m_fileDialog.show(
            m_document.winradioPath(), filter, title, FileDialogSettings::Form::Save);
        if (!chosen) {
            return std::nullopt;
        }
        if (FileExists(LocalPath(*chosen)) &&
            !m_messages.confirmOverwrite(
                kAppTitle, DisplayPath(*chosen) + tr(" already exists.\r\nSelect OK to overwrite, "
                                                     "or Cancel to try again."))) {
            continue;  // Cancel goes back to the dialog
        }
        return chosen;
    }
}

bool FileActions::saveCsv() {
    const std::optional<QString> chosen = chooseSaveTarget(CsvSaveFilter(), tr("Save to CSV File"));
    if (!chosen) {
        return false;
    }
    const QString path = *chosen;
    const std::optional<ChannelFileReport> saved =
        writeFile(path, ReceiverCsvFormat(), tr("nothing saved"));
    if (!saved) {
        return false;
    }
    m_document.undoStack().setClean();
    rememberFile(path);
    QString status =
        tr("Saved %1 to %2").arg(Count(saved->channels, "row", "rows"), QFileInfo(path).fileName());
    if (saved->rowsSkipped > 0) {
        status += tr("; %1 skipped").arg(Count(saved->rowsSkipped, "empty row", "empty rows"));
    }
    if (!saved->diagnostics.empty()) {
        status += tr("; %1 reported").arg(Count(saved->diagnostics.size(), "cell", "cells"));
    }
    report(WithSaveNotices(status, saved->saveNotices), saved->diagnostics);
    m_lastSaveReported = !saved->diagnostics.empty();
    return true;
}

std::optional<ChannelFileReport> FileActions::writeFile(const QString& path,
                                                        const ChannelFormat& format,
                                                        const QString& failureTail) {
    // Written on a thread of its own, so that a slow disk does not freeze the window; the table
    // is read there as it stands, since the window takes no input until the save is done.
    report(tr("Saving %1\u2026").arg(QFileInfo(path).fileName()));
    BusyCursor busy;
    Result<ChannelFileReport> written = m_background->runToEnd<Result<ChannelFileReport>>(
        [file = LocalPath(path), &table = m_document.table().table(), &format,
         settings = WriteSettings{m_document.receiverModel(), m_document.hasImportColumns(),
                                  m_document.groupNames()}] {
            return WriteChannelFile(file, table, format, settings);
        });
    if (!written) {
        report(FailureText(path, written.error(), failureTail));
        return std::nullopt;
    }
    return std::move(*written);
}

bool FileActions::saveG3m() {
    m_fileDialog.settings().fileName.clear();  // a .g3m save always starts from an empty name
    const std::optional<QString> chosen =
        m_fileDialog.show(m_document.winradioPath(), MemoryFileFilter(m_document.receiverModel()),
                          SelectFileTitle(), FileDialogSettings::Form::Open, tr("&Save"));
    if (!chosen) {
        return false;
    }
    const QString path = *chosen;
    if (const QString mismatch = modelMismatch(path); !mismatch.isEmpty()) {
        report(mismatch + tr("; the file was not changed"));
        return false;
    }
    const std::optional<ChannelFileReport> saved =
        writeFile(path, RecordFileFormat(), tr("the file was not changed"));
    if (!saved) {
        return false;
    }
    m_document.undoStack().setClean();
    rememberFile(path);
    QString status = tr("Wrote %1 of %2 bytes to %3")
                         .arg(Count(saved->recordsWritten, "record", "records"))
                         .arg(static_cast<qulonglong>(m_document.receiverModel().RecordLength()))
                         .arg(QFileInfo(path).fileName());
    if (saved->recordsKept > 0) {
        status +=
            tr("; %1 already in the file kept").arg(Count(saved->recordsKept, "record", "records"));
    }
    if (saved->rowsNotWritten > 0) {
        status += tr("; %1 not written").arg(Count(saved->rowsNotWritten, "row", "rows"));
    }
    if (saved->rowsSkipped > 0) {
        status += tr("; %1 skipped").arg(Count(saved->rowsSkipped, "empty row", "empty rows"));
    }
    if (!saved->diagnostics.empty()) {
        status += tr("; %1 reported")
                      .arg(ProblemsText(static_cast<qsizetype>(saved->ErrorCount()),
                                        static_cast<qsizetype>(saved->NoticeCount())));
    }
    report(WithSaveNotices(status, saved->saveNotices), saved->diagnostics);
    // Notices say how a value was written; only errors stop a save made on the way out.
    m_lastSaveReported = saved->rowsNotWritten > 0 || saved->ErrorCount() > 0;
    return true;
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
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
}

void FileActions::rememberFile(const QString& path) {
    m_document.setFilePath(path);
    m_recent->add(path);
    fillRecentMenu();
}

QString FileActions::modelMismatch(const QString& path) const {
    const std::string local = LocalPath(path);
    const ReceiverModel model = m_document.receiverModel();
    if (!IsRecordFilePath(local) || RecordFileFitsModel(local, model)) {
        return QString();
    }
    return Is15mPath(local)
               ? tr("%1 is a .15m memory file, for the receiver models 305 and 315, not \"%2\"")
                     .arg(DisplayPath(path), m_document.modelName())
               : tr("%1 is a .g3m memory file; the receiver model %2 uses .15m files")
                     .arg(DisplayPath(path), m_document.modelName());
}

bool FileActions::saveChirp() {
    const std::optional<QString> chosen = chooseSaveTarget(ChirpFilter(), tr("Save as CHIRP File"));
    if (!chosen) {
        return false;
    }
    return saveCopy(*chosen, ChirpCsvFormat(), tr("Saved %1 to the CHIRP file %2"));
}

bool FileActions::saveCopy(const QString& path, const ChannelFormat& format,
                           const QString& savedText) {
    const std::optional<ChannelFileReport> saved = writeFile(path, format, tr("nothing saved"));
    if (!saved) {
        return false;
    }
    rememberFile(path);
    QString status = QString(savedText).arg(Count(saved->channels, "channel", "channels"),
                                            QFileInfo(path).fileName());
    if (saved->rowsNotWritten > 0) {
        status += tr("; %1 not written").arg(Count(saved->rowsNotWritten, "row", "rows"));
    }
    if (!saved->diagnostics.empty()) {
        status += tr("; %1 reported").arg(Count(saved->diagnostics.size(), "problem", "problems"));
    }
    report(WithSaveNotices(status, saved->saveNotices), saved->diagnostics);
    return true;
}

void FileActions::appendFromFile() {
    m_fileDialog.settings().fileName.clear();
    const std::optional<QString> chosen =
        m_fileDialog.show(m_document.winradioPath(), AppendFilter(),
                          tr("Append Channels from File"), FileDialogSettings::Form::Open);
    if (chosen) {
        appendFile(*chosen);
    }
}

bool FileActions::appendFile(const QString& path) {
    // A list without channel numbers goes on after the table's highest number.
    const int firstNumber = HighestChannelNumber(m_document.table().table()) + 1;
    std::optional<ChannelFileRead> read = readFile(path, tr("nothing appended"),
                                                   m_document.groupNames(), false, firstNumber);
    if (!read) {
        return false;
    }

    numberChirpChannels(*read, path);
    BusyCursor busy;
    const QString name = QFileInfo(path).fileName();
    const int channels = read->table.ChannelCount();
    std::vector<std::string> groupNames = std::move(read->groupNames);
    const Result<int> appended =
        appendChannels(std::move(read->table), tr("Append %1").arg(name), "The file holds",
                       read->report.format->GivesNumbers() ? std::optional(firstNumber)
                                                           : std::nullopt);
    if (!appended) {
        report(FailureText(path, appended.error(), tr("nothing appended")));
        return false;
    }
    const int lastRow = *appended;
    if (!groupNames.empty()) {
        m_document.setGroupNames(std::move(groupNames));
    }
    QString text = tr("Appended %1 from %2 after row %3")
                       .arg(Count(channels, "channel", "channels"), name)
                       .arg(lastRow);
    if (!read->report.diagnostics.empty()) {
        text +=
            tr("; %1 reported").arg(Count(read->report.diagnostics.size(), "problem", "problems"));
    }
    report(text, read->report.diagnostics, &read->report.origins);
    return true;
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
                new PutRowsStep(model, lastRow + 1, std::move(channels), step));
        } else {
            // The start-up grid's ten columns take the file's 19 first: the whole table changes.
            MemoryTable grown = model.table();
            AppendChannels(grown, channels);
            m_document.undoStack().push(new LoadTableStep(m_document, std::move(grown), step));
        }
    }
    return lastRow;
}

bool FileActions::saveList() {
    const std::optional<QString> chosen =
        chooseSaveTarget(ListFilter(), tr("Save as SDR Bookmark List"));
    if (!chosen) {
        return false;
    }
    // The list the name says; an SDR# list, the first offered, for any other name.
    const QString path = *chosen;
    const ChannelFormat& format =
        FormatForName(LocalPath(path), {&SdrSharpListFormat(), &SdrppListFormat()});
    return saveCopy(path, format,
                    &format == &SdrppListFormat() ? tr("Saved %1 to the SDR++ list %2")
                                                  : tr("Saved %1 to the SDR# list %2"));
}

}  // namespace corvalen
