#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QAction;
class QWidget;

namespace corvalen {

class Document;
class FileActions;
class ScheduleFilterAsker;
class SharedFileDialog;
struct Schedule;
struct ScheduleSelection;

// File / "Import Broadcast Schedule…": adds a channel per frequency and station of the chosen
// broadcasts of an EiBi schedule, or updates the table's schedule channels after a preview.
class ScheduleActions : public QObject {
    Q_OBJECT

public:
    ScheduleActions(Document& document, SharedFileDialog& fileDialog, FileActions& files,
                    QWidget* window);
    ~ScheduleActions() override;

    QAction* importAction() const { return m_import; }
    // Where the filter is asked for; without a call, the dialog over the window.
    void setAsker(ScheduleFilterAsker* asker) { m_asker = asker; }

    // Imports the schedule at `path`; false when unread, cancelled or changing nothing.
    bool importFile(const QString& path);

public slots:
    void importSchedule();

signals:
    // What the import did, and the lines it reported (for the status line's tooltip).
    void status(const QString& text, const QString& details = QString());

private:
    bool updateChannels(const QString& path, const Schedule& schedule,
                        const ScheduleSelection& selection);
    // What reading the schedule and the filter reported, a line each.
    static QString ReportedLines(const Schedule& schedule, const ScheduleSelection& selection);
    // `text` with how many lines were reported, and the lines.
    void reportDone(const QString& text, const Schedule& schedule,
                    const ScheduleSelection& selection);

    Document& m_document;
    SharedFileDialog& m_fileDialog;
    FileActions& m_files;
    std::unique_ptr<ScheduleFilterAsker> m_ownAsker;
    ScheduleFilterAsker* m_asker;
    QAction* m_import;
};

}  // namespace corvalen
