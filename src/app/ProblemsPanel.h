#pragma once

#include <QDockWidget>

class QTreeView;

namespace corvalen {

class ProblemIndex;
class MemoryTableModel;

// The "Problems" panel: one line per kind of problem or notice, in table order of each kind's
// first row, saying how many rows it concerns and naming the first of them by row and Number
// ("612 channels: Callsign ... (row 2, Number 1; ...)"), tinted like its cells. A kind of several
// rows expands to one "row N, Column: reason" line per row, as the core's ProblemLine words it
// (and `corvalen-cli check --all` prints it). A click (or Enter) on a line asks the window to
// show that cell (for a kind, its first).
class ProblemsPanel : public QDockWidget {
    Q_OBJECT

public:
    ProblemsPanel(const ProblemIndex& problems, const MemoryTableModel& table,
                  QWidget* parent = nullptr);

    QTreeView* list() const { return m_list; }

signals:
    // The cell of the chosen line, as a table row and column (-1: the whole row).
    void cellChosen(int tableRow, int column);

private:
    QTreeView* m_list;
};

}  // namespace corvalen
