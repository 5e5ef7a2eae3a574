#pragma once

#include <QDockWidget>

class QListView;

namespace corvalen {

class ProblemIndex;

// The "Problems" panel: one line per problem, "row N, Column: message", in table order. A click
// (or Enter) on a line asks the window to show that cell.
class ProblemsPanel : public QDockWidget {
    Q_OBJECT

public:
    explicit ProblemsPanel(const ProblemIndex& problems, QWidget* parent = nullptr);

    QListView* list() const { return m_list; }

    // "row 7, Frequency: <reason>" (a reason that starts with the column's name loses it) or,
    // for a problem of the whole row, "row 7: <reason>".
    static QString LineFor(int tableRow, int column, const QString& message);

signals:
    // The cell of the chosen line, as a table row and column (-1: the whole row).
    void cellChosen(int tableRow, int column);

private:
    QListView* m_list;
};

}  // namespace corvalen
