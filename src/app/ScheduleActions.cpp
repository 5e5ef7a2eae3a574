#include "app/ScheduleActions.h"

#include <QAction>
#include <QFileInfo>

#include "app/Document.h"
#include "app/FileActions.h"
#include "app/FileDialog.h"
#include "app/ScheduleDialog.h"
#include "app/StatusText.h"
#include "app/Translations.h"
#include "edit/ChannelRange.h"
#include "formats/EibiSchedule.h"
#include "formats/ScheduleFilter.h"
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
            emit status(FailureText(path, bytes.error(), tr("nothing imported")), QString());
            return false;
        }
        const std::string_view text(bytes->data(), bytes->size());
        if (!LooksLikeEibiSchedule(text)) {
            emit status(tr("%1 is no EiBi schedule: its first line does not start with the kHz "
                           "column; nothing imported")
                            .arg(DisplayPath(path)),
                        QString());
            return false;
        }
        schedule = ReadEibiSchedule(text);
    }
    const std::optional<ScheduleFilter> filter = m_asker->askScheduleFilter(schedule, name);
    if (!filter) {
        return false;
    }
    const ScheduleSelection selection = SelectBroadcasts(schedule, *filter);
    const int firstNumber = HighestChannelNumber(m_document.table().table()) + 1;
    MemoryTable channels = ScheduleChannels(selection.entries, firstNumber);
    const int added = channels.ChannelCount();
    const Result<int> appended = m_files.appendChannels(
        std::move(channels), tr("Import %1").arg(name), "The filter gives", firstNumber);
    if (!appended) {
        emit status(FailureText(path, appended.error(), tr("nothing imported")), QString());
        return false;
    }
    const int lastRow = *appended;

    std::vector<Diagnostic> reported = schedule.diagnostics;
    reported.insert(reported.end(), selection.notices.begin(), selection.notices.end());
    QString text =
        tr("Imported %1 from %2 of %3 after row %4")
            .arg(Count(added, "channel", "channels"))
            .arg(selection.entries.size())
            .arg(Count(static_cast<qsizetype>(schedule.entries.size()), "broadcast", "broadcasts"))
            .arg(lastRow);
    QStringList lines;
    for (const Diagnostic& diagnostic : reported) {
        lines << DiagnosticLineText(diagnostic);
    }
    if (!reported.empty()) {
        text += tr("; %1 reported")
                    .arg(Count(static_cast<qsizetype>(reported.size()), "line", "lines"));
    }
    emit status(text, lines.join(QLatin1Char('\n')));
    return true;
}

}  // namespace corvalen
