#pragma once

#include <QDockWidget>

class QListView;

namespace corvalen {

class ProblemIndex;

// The "Problems" panel: one line per problem or notice, "row N, Column: reason" as the core's
// ProblemLine words it (and `corvalen-cli check` prints it), in table order, tinted like its cell.
// A click (or Enter) on a line asks the window to show that cell.
class ProblemsPanel : public QDockWidget {
    Q_OBJECT

public:
    explicit ProblemsPanel(const ProblemIndex& problems, QWidget* parent = nullptr);

    QListView* list() const { return m_list; }

signals:
    // The cell of the chosen line, as a table row and column (-1: the whole row).
    void cellChosen(int tableRow, int column);

private:
    QListView* m_list;
};

}  // namespace corvalen
