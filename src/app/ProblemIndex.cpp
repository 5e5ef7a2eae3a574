#include "app/ProblemIndex.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "app/MemoryTableModel.h"
#include "g3m/CellChecks.h"
#include "table/Columns.h"

namespace corvalen {
namespace {

bool RowOrder(const Diagnostic& a, const Diagnostic& b) {
    return std::tie(a.number, a.column) < std::tie(b.number, b.column);
}

}  // namespace

ProblemIndex::ProblemIndex(const MemoryTableModel& table,
                           std::function<std::string()> receiverModel, QObject* parent)
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

void ProblemIndex::cellsChanged(const QModelIndex&, const QModelIndex&) {
    // Whether a row repeats another's channel number or frequency is a matter of the whole
    // table, so every change checks the whole table again (a few milliseconds for 65,535 rows).
    scheduleCheck();
}

std::vector<Diagnostic> ProblemIndex::checkRows() const {
    const MemoryTable& table = m_table.table();
    const std::string model = m_receiverModel();
    // Every problem of another row stays, and so does whatever the last whole-table check said
    // about a checked row's Number cell, which has not changed since.
    std::vector<Diagnostic> problems;
    problems.reserve(m_problems.size());
    for (const Diagnostic& problem : m_problems) {
        if (problem.column == Number || m_rowsToCheck.count(problem.number) == 0) {
            problems.push_back(problem);
        }
    }
    std::vector<Diagnostic> rowProblems;
    for (const int row : m_rowsToCheck) {
        if (row < 1 || row >= table.RowCount()) {
            continue;
        }
        rowProblems.clear();
        const RowTexts cells = RowTextsOf(table, row);
        CheckRowCells(cells, model, row, rowProblems);
        for (Diagnostic& problem : rowProblems) {
            if (problem.column != Number) {
                problems.push_back(std::move(problem));
            }
        }
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
    bool found = false;
    forEachProblemAt(tableRow, column, [&found](const Diagnostic&) {
        found = true;
        return false;
    });
    return found;
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
