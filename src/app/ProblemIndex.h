#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "channel/EditChecks.h"
#include "channel/ReceiverModel.h"
#include "io/Diagnostic.h"
#include "table/MemoryTable.h"

namespace corvalen {

class MemoryTableModel;

// The problems and notices of the table's cells, for the grid's tint, the "Problems" panel and
// the status bar: checked again once per burst of changes, only the rows whose cells changed.
class ProblemIndex : public QObject {
    Q_OBJECT

public:
    ProblemIndex(const MemoryTableModel& table, std::function<ReceiverModel()> receiverModel,
                 QObject* parent = nullptr);

    // The problems of the last check, in table order (row, then column).
    const std::vector<Diagnostic>& problems() const { return m_checks.Problems(); }
    qsizetype count() const { return static_cast<qsizetype>(problems().size()); }

    // The worst of the cell's (table row, column) problems and its row's; nothing when none.
    std::optional<Diagnostic::Severity> severityAt(int tableRow, int column) const;
    qsizetype noticeCount() const { return m_noticeCount; }
    // While problemsChanged is handled: the rows whose problems changed, or nothing for any.
    const std::optional<std::vector<int>>& rowsChanged() const {
        return m_checks.RowsWithNewProblems();
    }
    // The reasons for that cell, one per line; empty when the cell is fine.
    QString cellProblems(int tableRow, int column) const;

    // Checks the whole table again after the events already queued (a new receiver model).
    void scheduleCheck();
    // Runs a check that is due now, so the answers are up to date.
    void checkNow();

signals:
    void problemsChanged();

private:
    void cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void rowsAddedOrRemoved(int first, int last, bool added);
    void rowsReordered(const std::vector<int>& places);
    void due();
    // Calls `visit` for the cell's problems and its row's until it returns false.
    template <typename Visit>
    void forEachProblemAt(int tableRow, int column, Visit visit) const;

    const MemoryTableModel& m_table;
    std::function<ReceiverModel()> m_receiverModel;
    QTimer m_timer;
    bool m_wholeTableDue = false;
    bool m_rowsDue = false;
    // For each table row, the row it was at the last check, negated where its cells changed
    // since (in the columns m_changed), 0 for a new row (see EditChecks::Update).
    std::vector<int> m_from;
    ColumnSet m_changed;
    EditChecks m_checks;
    qsizetype m_noticeCount = 0;
};

}  // namespace corvalen
