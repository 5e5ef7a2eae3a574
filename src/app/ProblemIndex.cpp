#include "app/ProblemIndex.h"

#include <algorithm>
#include <iterator>
#include <tuple>
#include <utility>

#include "app/MemoryTableModel.h"
#include "app/Translations.h"
#include "channel/CellChecks.h"
#include "channel/TableChecks.h"
#include "table/Columns.h"

namespace corvalen {
namespace {

bool RowOrder(const Diagnostic& a, const Diagnostic& b) {
    return std::tie(a.number, a.column) < std::tie(b.number, b.column);
}

}  // namespace

ProblemIndex::ProblemIndex(const MemoryTableModel& table,
                           std::function<ReceiverModel()> receiverModel, QObject* parent)
    : QObject(parent), m_table(table), m_receiverModel(std::move(receiverModel)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ProblemIndex::checkNow);

    const auto wholeTable = [this] { scheduleCheck(); };
    connect(&table, &QAbstractItemModel::modelReset, this, wholeTable);
    connect(&table, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                rowsAddedOrRemoved(first, last, true);
            });
    connect(&table, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                rowsAddedOrRemoved(first, last, false);
            });
    connect(&table, &QAbstractItemModel::rowsMoved, this, wholeTable);
    connect(&table, &QAbstractItemModel::layoutChanged, this, wholeTable);
    connect(&table, &QAbstractItemModel::dataChanged, this, &ProblemIndex::cellsChanged);
    scheduleCheck();
}

namespace {

// Past this many changed rows one pass over the whole table is the cheaper check.
constexpr std::size_t kMostRowsAlone = 4096;

}  // namespace

void ProblemIndex::scheduleCheck() {
    m_wholeTableDue = true;
    m_rowsDue = false;
    m_rowsToCheck.clear();
    m_rowsAddedOrRemoved = 0;
    m_timer.start();
}

void ProblemIndex::rowsDue(int first, int last) {
    if (m_wholeTableDue) {
        return;
    }
    const auto rows = static_cast<std::size_t>(last - first + 1);
    if (m_rowsToCheck.size() + m_rowsAddedOrRemoved + rows > kMostRowsAlone) {
        scheduleCheck();
        return;
    }
    for (int row = first; row <= last; ++row) {
        m_rowsToCheck.push_back(row);
    }
    m_rowsDue = true;
    m_timer.start();
}

void ProblemIndex::cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    rowsDue(MemoryTableModel::tableRow(topLeft.row()),
            MemoryTableModel::tableRow(bottomRight.row()));
}

void ProblemIndex::rowsAddedOrRemoved(int first, int last, bool added) {
    const int rows = m_table.rowCount();
    const bool atTheEnd = added ? last == rows - 1 : first == rows;
    if (!atTheEnd) {
        scheduleCheck();
        return;
    }
    if (added) {
        rowsDue(MemoryTableModel::tableRow(first), MemoryTableModel::tableRow(last));
    } else if (!m_wholeTableDue) {
        m_rowsAddedOrRemoved += static_cast<std::size_t>(last - first + 1);
        rowsDue(1, 0);  // nothing more to check than what the removal concerns
    }
}

void ProblemIndex::checkNow() {
    m_timer.stop();
    if (!m_wholeTableDue && !m_rowsDue) {
        return;
    }
    const bool changed = m_wholeTableDue
                             ? m_checks.CheckAll(m_table.table(), m_receiverModel())
                             : m_checks.RowsChanged(m_table.table(), m_rowsToCheck,
                                                    m_receiverModel());
    m_wholeTableDue = false;
    m_rowsDue = false;
    m_rowsToCheck.clear();
    m_rowsAddedOrRemoved = 0;
    if (!changed) {
        return;
    }
    m_noticeCount = static_cast<qsizetype>(NoticeCount(problems()));
    emit problemsChanged();
}

template <typename Visit>
void ProblemIndex::forEachProblemAt(int tableRow, int column, Visit visit) const {
    Diagnostic key;
    key.number = tableRow;
    key.column = -1;  // whole-row problems sort first within their row
    const std::vector<Diagnostic>& all = problems();
    auto it = std::lower_bound(all.begin(), all.end(), key, RowOrder);
    for (; it != all.end() && it->number == tableRow; ++it) {
        if (it->column == -1 || it->column == column) {
            if (!visit(*it)) {
                return;
            }
        }
    }
}

bool ProblemIndex::hasProblem(int tableRow, int column) const {
    return severityAt(tableRow, column).has_value();
}

std::optional<Diagnostic::Severity> ProblemIndex::severityAt(int tableRow, int column) const {
    std::optional<Diagnostic::Severity> severity;
    forEachProblemAt(tableRow, column, [&severity](const Diagnostic& problem) {
        severity = problem.severity;
        return problem.IsNotice();  // an error settles it
    });
    return severity;
}

QString ProblemIndex::cellProblems(int tableRow, int column) const {
    QStringList reasons;
    forEachProblemAt(tableRow, column, [&reasons](const Diagnostic& problem) {
        reasons << DiagnosticText(problem);
        return true;
    });
    return reasons.join(QLatin1Char('\n'));
}

}  // namespace corvalen
