#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <map>
#include <string>
#include <vector>

#include "app/MemoryTableModel.h"
#include "channel/ReceiverModel.h"

namespace corvalen {

// The window's state: the memory table with its undo stack, the file, the receiver model and the
// Winradio folder. The editor's parts read it here and follow its signals instead of copying it.
class Document : public QObject {
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);

    MemoryTableModel& table() { return m_table; }
    // Every change of the table, in order; its clean state is "no unsaved changes".
    QUndoStack& undoStack() { return m_undoStack; }
    bool isModified() const { return !m_undoStack.isClean(); }

    // Whether the table has the 19 columns of an import, not the 10 of the start-up grid.
    bool hasImportColumns() const;

    // The names a bookmark list brought, by receiver group ([0] is group 1), for the lists saved.
    std::vector<std::string>& groupNames() { return m_groupNames; }
    // The colours a list gave its groups (gqrx's tags), by group name.
    std::map<std::string, std::string>& groupColours() { return m_groupColours; }

    // "313" until the settings or the Options command name another.
    ReceiverModel receiverModel() const { return m_model; }
    QString modelName() const;
    // Any text but "303", "313", "305" or "315" is refused: the model stays, and the answer is
    // the message saying so (empty when taken).
    QString setModelName(const QString& text);

    // Where the file dialogs start.
    const QString& winradioPath() const { return m_winradioPath; }
    void setWinradioPath(const QString& path) { m_winradioPath = path; }

    const QString& filePath() const { return m_filePath; }
    void setFilePath(const QString& path);

signals:
    void modelChanged(ReceiverModel model);
    void fileChanged(const QString& path);
    void modifiedChanged(bool modified);

private:
    QUndoStack m_undoStack;  // made before the table, which pushes its cell edits here
    MemoryTableModel m_table;
    ReceiverModel m_model;
    QString m_winradioPath;
    QString m_filePath;
    std::vector<std::string> m_groupNames;
    std::map<std::string, std::string> m_groupColours;
};

}  // namespace corvalen
