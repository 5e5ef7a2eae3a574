#include "app/ScheduleActions.h"

#include <QAction>
#include <QFileInfo>

#include "app/Document.h"
#include "app/FileActions.h"
#include "app/FileDialog.h"
#include "app/ScheduleDialog.h"
#include "app/StatusText.h"
#include "app/Translations.h"
#include "app/UndoSteps.h"
#include "edit/ChannelRange.h"
#include "formats/EibiSchedule.h"
#include "formats/ScheduleFilter.h"
#include "formats/SeasonUpdate.h"
#include "io/SafeFile.h"

namespace corvalen {

ScheduleActions::ScheduleActions(Document& document, SharedFileDialog& fileDialog,
                                 FileActions& files, QWidget* window)
    : QObject(window),
      m_document(document),
      m_fileDialog(fileDialog),
      m_files(files),
      m_ownAsker(std::make_unique<QtScheduleFilterAsker>(window)),
      m_asker(m_ownAsker.get()),
      m_import(new QAction(tr("Import Broadcast Schedule\u2026"), this)) {
    m_import->setObjectName(QStringLiteral("importScheduleAction"));
    connect(m_import, &QAction::triggered, this, &ScheduleActions::importSchedule);
}

ScheduleActions::~ScheduleActions() = default;

QString ScheduleActions::ReportedLines(const Schedule& schedule,
                                       const ScheduleSelection& selection) {
    QStringList lines;
    for (const auto* reported : {&schedule.diagnostics, &selection.notices}) {
        for (const Diagnostic& diagnostic : *reported) {
            lines << DiagnosticLineText(diagnostic);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void ScheduleActions::reportDone(const QString& text, const Schedule& schedule,
                                 const ScheduleSelection& selection) {
    const auto reported =
        static_cast<qsizetype>(schedule.diagnostics.size() + selection.notices.size());
    emit status(text + CountIn(tr("; %1 reported"), reported, "line", "lines"),
                ReportedLines(schedule, selection));
}

void ScheduleActions::importSchedule() {
    m_fileDialog.settings().fileName.clear();
    const std::optional<QString> chosen =
        m_fileDialog.show(m_document.winradioPath(), tr("EiBi schedules (*.csv)|*.csv"),
                          tr("Import Broadcast Schedule"), FileDialogSettings::Form::Open);
    if (chosen) {
        importFile(*chosen);
    }
}

bool ScheduleActions::importFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    Schedule schedule;
    {
        BusyCursor busy;
        const Result<ByteBuffer> bytes = ReadWholeFileBuffer(LocalPath(path), kMaxScheduleBytes);
        if (!bytes) {
            emit status(FailureText(path, bytes.error(), tr("nothing imported")));
            return false;
        }
        const std::string_view text(bytes->data(), bytes->size());
        if (!LooksLikeEibiSchedule(text)) {
            emit status(tr("%1 is no EiBi schedule: its first line does not start with the kHz "
                           "column; nothing imported")
                            .arg(DisplayPath(path)));
            return false;
        }
        schedule = ReadEibiSchedule(text);
    }
    const std::optional<ScheduleChoice> choice = m_asker->askScheduleFilter(schedule, name);
    if (!choice) {
        return false;
    }
    const ScheduleSelection selection = SelectBroadcasts(schedule, choice->filter);
    if (choice->update) {
        return updateChannels(path, schedule, selection);
    }
    const int firstNumber = HighestChannelNumber(m_document.table().table()) + 1;
    MemoryTable channels = ScheduleChannels(selection.entries, firstNumber);
    const int added = channels.ChannelCount();
    const Result<int> appended = m_files.appendChannels(
        std::move(channels), tr("Import %1").arg(name), "The filter gives", firstNumber);
    if (!appended) {
        emit status(FailureText(path, appended.error(), tr("nothing imported")));
        return false;
    }
    reportDone(
        tr("Imported %1 from %2 of %3 after row %4")
            .arg(Count(added, "channel", "channels"))
            .arg(selection.entries.size())
            .arg(Count(static_cast<qsizetype>(schedule.entries.size()), "broadcast", "broadcasts"))
            .arg(*appended),
        schedule, selection);
    return true;
}

bool ScheduleActions::updateChannels(const QString& path, const Schedule& schedule,
                                     const ScheduleSelection& selection) {
    const QString name = QFileInfo(path).fileName();
    MemoryTableModel& model = m_document.table();
    SeasonUpdate update;
    {
        BusyCursor busy;
        update = PlanSeasonUpdate(model.table(), ScheduleChannels(selection.entries));
    }
    const int added = update.added.ChannelCount();
    const int removed = static_cast<int>(update.removed.size());
    const int updated = static_cast<int>(update.updated.size());
    if (added == 0 && removed == 0 && updated == 0) {
        emit status(tr("The table's schedule channels already match %1; nothing changed").arg(name),
                    ReportedLines(schedule, selection));
        return false;
    }
    Status room =
        RoomForChannels(model.table(), static_cast<std::uint64_t>(std::max(added - removed, 0)),
                        "The filter gives");
    if (room && added > 0) {
        room = NumbersFit(static_cast<std::uint64_t>(HighestChannelNumber(model.table())) + 1,
                          static_cast<std::uint64_t>(added));
    }
    if (!room) {
        emit status(FailureText(path, room.error(), tr("nothing changed")));
        return false;
    }
    if (!m_asker->confirmSeasonUpdate(model.table(), update, name)) {
        return false;
    }
    {
        BusyCursor busy;
        // The two tables share the rows that stay: the step keeps little more than the changes.
        m_document.undoStack().push(new LoadTableStep(
            m_document, ApplySeasonUpdate(model.table(), update), tr("Update from %1").arg(name)));
    }
    reportDone(
        tr("Updated the schedule channels from %1: %2 kept, %3 updated, %4 added, %5 removed")
            .arg(name)
            .arg(update.kept.size())
            .arg(updated)
            .arg(added)
            .arg(removed),
        schedule, selection);
    return true;
}

}  // namespace corvalen
