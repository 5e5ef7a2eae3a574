#include "app/ProblemIndex.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "app/MemoryTableModel.h"

#if __has_include("g3m/CellChecks.h")
#include "g3m/CellChecks.h"
#define CORVALEN_HAVE_CELL_CHECKS 1
#endif

namespace corvalen {
namespace {

ProblemIndex::Checker CoreChecker() {
#ifdef CORVALEN_HAVE_CELL_CHECKS
    return
        [](const MemoryTable& table, std::string_view model) { return CheckCells(table, model); };
#else
    return [](const MemoryTable&, std::string_view) { return std::vector<Diagnostic>(); };
#endif
}

bool RowOrder(const Diagnostic& a, const Diagnostic& b) {
    return std::tie(a.number, a.column) < std::tie(b.number, b.column);
}

}  // namespace

ProblemIndex::ProblemIndex(const MemoryTableModel& table,
                           std::function<std::string()> receiverModel, Checker checker,
                           QObject* parent)
    : QObject(parent),
      m_table(table),
      m_receiverModel(std::move(receiverModel)),
      m_checker(checker ? std::move(checker) : CoreChecker()) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ProblemIndex::checkNow);

    // Any change can matter beyond its own cell (a repeated channel number is a problem of
    // both rows), so every change checks the whole table again.
    const auto schedule = [this] { scheduleCheck(); };
    connect(&table, &QAbstractItemModel::modelReset, this, schedule);
    connect(&table, &QAbstractItemModel::rowsInserted, this, schedule);
    connect(&table, &QAbstractItemModel::rowsRemoved, this, schedule);
    connect(&table, &QAbstractItemModel::rowsMoved, this, schedule);
    connect(&table, &QAbstractItemModel::layoutChanged, this, schedule);
    connect(&table, &QAbstractItemModel::dataChanged, this, schedule);
    scheduleCheck();
}

void ProblemIndex::scheduleCheck() {
    m_timer.start();
}

void ProblemIndex::checkNow() {
    m_timer.stop();
    std::vector<Diagnostic> problems = m_checker(m_table.table(), m_receiverModel());
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
