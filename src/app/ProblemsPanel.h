#pragma once

#include <QDockWidget>

class QTreeView;

namespace corvalen {

class ProblemIndex;
class MemoryTableModel;

// The "Problems" panel: a line per kind of problem or notice (GroupLine), tinted like its cells,
// expanding to a line per row; a click (or Enter) on a line asks the window to show its cell.
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
