#pragma once

#include <QString>
#include <QUndoStack>
#include <string>
#include <vector>

#include "app/MemoryTableModel.h"

namespace corvalen {

// Everything the editor's commands share while the window is open: the memory table (behind its
// model) with the undo stack of its changes, whether a CSV file was imported, the Winradio folder
// and receiver model from the settings. The main window owns exactly one.
class Document {
public:
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    MemoryTableModel& table() { return m_table; }
    const MemoryTableModel& table() const { return m_table; }
    // Every change of the table, in order; its clean state is "no unsaved changes".
    QUndoStack& undoStack() { return m_undoStack; }

    // True once a CSV file was imported or a memory file loaded: "Save .csv file" then writes
    // the 19-column form with its header line, before that the 10-column form of the start-up
    // grid. Undoing the load puts back the value from before it.
    bool csvLoaded = false;
    // The receiver model ("313", "303", or whatever the folder name ended in). It decides the
    // length and the tail of every .g3m record when the file is saved.
    QString model;
    // The Winradio folder: where the file dialogs of the file commands start.
    QString winradioPath;
    // The list and group names an SDR# or SDR++ list brought, by receiver group ([0] is group
    // 1): a list saved from the table names its groups with them.
    std::vector<std::string> groupNames;

    // The record length a .g3m save writes now, for the current model.
    int recordLength() const;

private:
    QUndoStack m_undoStack;  // made before the table, which pushes its cell edits here
    MemoryTableModel m_table;
};

}  // namespace corvalen
