#include "app/ProblemIndex.h"

#include <algorithm>
#include <iterator>
#include <tuple>
#include <utility>

#include "app/MemoryTableModel.h"
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
    connect(&table, &QAbstractItemModel::rowsInserted, this, wholeTable);
    connect(&table, &QAbstractItemModel::rowsRemoved, this, wholeTable);
    connect(&table, &QAbstractItemModel::rowsMoved, this, wholeTable);
    connect(&table, &QAbstractItemModel::layoutChanged, this, wholeTable);
    connect(&table, &QAbstractItemModel::dataChanged, this, &ProblemIndex::cellsChanged);
    scheduleCheck();
}

void ProblemIndex::scheduleCheck() {
    m_wholeTableDue = true;
    m_rowsToCheck.clear();
    m_timer.start();
}

void ProblemIndex::cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    // A row's own cells are checked alone, except its Number, Frequency and Mode: whether another
    // row repeats a channel number, or a frequency and mode, is a matter of the whole table. Many
    // rows at once are cheaper as one pass over the table.
    constexpr std::size_t kMostRowsAlone = 256;
    if (m_wholeTableDue) {
        return;
    }
    const std::size_t rows = static_cast<std::size_t>(bottomRight.row() - topLeft.row() + 1);
    const bool wholeTableMatter =
        topLeft.column() <= Frequency || (topLeft.column() <= Mode && bottomRight.column() >= Mode);
    if (wholeTableMatter || m_rowsToCheck.size() + rows > kMostRowsAlone) {
        scheduleCheck();
        return;
    }
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        m_rowsToCheck.insert(MemoryTableModel::tableRow(row));
    }
    m_timer.start();
}

std::vector<Diagnostic> ProblemIndex::checkRows() const {
    const MemoryTable& table = m_table.table();
    const ReceiverModel model = m_receiverModel();
    // Every problem of another row stays. A checked row's Number and Frequency cells have not
    // changed since the last whole-table check, so what it said about them that a row alone
    // cannot say (a repeated channel number, a frequency an earlier row has) stays too, unless
    // the row is empty now.
    std::vector<Diagnostic> problems;
    problems.reserve(m_problems.size());
    for (const Diagnostic& problem : m_problems) {
        if (m_rowsToCheck.count(problem.number) == 0) {
            problems.push_back(problem);
        }
    }
    std::vector<Diagnostic> rowProblems;
    for (const int row : m_rowsToCheck) {
        if (row < 1 || row >= table.RowCount()) {
            continue;
        }
        rowProblems.clear();
        CheckTableRow(table, row, model, rowProblems);
        const std::size_t own = rowProblems.size();
        if (!IsEmptyRow(table, row)) {
            Diagnostic key;
            key.number = row;
            key.column = -1;
            for (auto it = std::lower_bound(m_problems.begin(), m_problems.end(), key, RowOrder);
                 it != m_problems.end() && it->number == row; ++it) {
                const bool tableMatter = it->column == Number || it->column == Frequency;
                if (tableMatter &&
                    std::find(rowProblems.begin(),
                              rowProblems.begin() + static_cast<std::ptrdiff_t>(own),
                              *it) == rowProblems.begin() + static_cast<std::ptrdiff_t>(own)) {
                    rowProblems.push_back(*it);
                }
            }
        }
        std::move(rowProblems.begin(), rowProblems.end(), std::back_inserter(problems));
    }
    return problems;
}

void ProblemIndex::checkNow() {
    m_timer.stop();
    if (!m_wholeTableDue && m_rowsToCheck.empty()) {
        return;
    }
    std::vector<Diagnostic> problems =
        m_wholeTableDue ? CheckCells(m_table.table(), m_receiverModel()) : checkRows();
    m_wholeTableDue = false;
    m_rowsToCheck.clear();
    std::stable_sort(problems.begin(), problems.end(), RowOrder);
    if (problems == m_problems) {
        return;
    }
    m_problems = std::move(problems);
    m_noticeCount = static_cast<qsizetype>(NoticeCount(m_problems));
    emit problemsChanged();
}

template <typename Visit>
void ProblemIndex::forEachProblemAt(int tableRow, int column, Visit visit) const {
    Diagnostic key;
    key.number = tableRow;
    key.column = -1;  // whole-row problems sort first within their row
    auto it = std::lower_bound(m_problems.begin(), m_problems.end(), key, RowOrder);
    for (; it != m_problems.end() && it->number == tableRow; ++it) {
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
        reasons << QString::fromStdString(problem.message);
        return true;
    });
    return reasons.join(QLatin1Char('\n'));
}

}  // namespace corvalen
