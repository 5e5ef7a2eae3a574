#include "app/ProblemIndex.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "app/MemoryTableModel.h"
#include "app/Translations.h"
#include "channel/CellChecks.h"

namespace corvalen {

ProblemIndex::ProblemIndex(const MemoryTableModel& table,
                           std::function<ReceiverModel()> receiverModel, QObject* parent)
    : QObject(parent), m_table(table), m_receiverModel(std::move(receiverModel)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ProblemIndex::checkNow);

    connect(&table, &QAbstractItemModel::modelReset, this, &ProblemIndex::scheduleCheck);
    connect(
        &table, &QAbstractItemModel::rowsInserted, this,
        [this](const QModelIndex&, int first, int last) { rowsAddedOrRemoved(first, last, true); });
    connect(&table, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                rowsAddedOrRemoved(first, last, false);
            });
    connect(&table, &QAbstractItemModel::rowsMoved, this, &ProblemIndex::scheduleCheck);
    connect(&table, &MemoryTableModel::rowsReordered, this, &ProblemIndex::rowsReordered);
    connect(&table, &QAbstractItemModel::dataChanged, this, &ProblemIndex::cellsChanged);
    scheduleCheck();
}

void ProblemIndex::scheduleCheck() {
    m_wholeTableDue = true;
    m_timer.start();
}

void ProblemIndex::due() {
    m_rowsDue = true;
    m_timer.start();
}

void ProblemIndex::cellsChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    const auto first = static_cast<std::size_t>(MemoryTableModel::tableRow(topLeft.row()));
    const auto last = static_cast<std::size_t>(MemoryTableModel::tableRow(bottomRight.row()));
    if (m_wholeTableDue || last >= m_from.size() || first > last) {
        scheduleCheck();
        return;
    }
    std::transform(m_from.begin() + first, m_from.begin() + last + 1, m_from.begin() + first,
                   [](int at) { return -std::abs(at); });
    for (int column = topLeft.column(); column <= bottomRight.column(); ++column) {
        m_changed.Add(column);
    }
    due();
}

void ProblemIndex::rowsAddedOrRemoved(int first, int last, bool added) {
    const int at = MemoryTableModel::tableRow(first);
    if (m_wholeTableDue || at > int(m_from.size()) || (!added && last >= int(m_from.size()))) {
        scheduleCheck();
        return;
    }
    if (added) {
        m_from.insert(m_from.begin() + at, static_cast<std::size_t>(last - first + 1), 0);
    } else {
        m_from.erase(m_from.begin() + at, m_from.begin() + at + (last - first + 1));
    }
    due();
}

void ProblemIndex::rowsReordered(const std::vector<int>& places) {
    if (m_wholeTableDue || places.size() + 1 != m_from.size()) {
        scheduleCheck();
        return;
    }
    std::vector<int> from(m_from.size(), 0);
    for (std::size_t i = 0; i < places.size() && i + 1 < m_from.size(); ++i) {
        from[static_cast<std::size_t>(places[i])] = m_from[i + 1];
    }
    m_from = std::move(from);
    due();
}

void ProblemIndex::checkNow() {
    m_timer.stop();
    if (!m_wholeTableDue && !m_rowsDue) {
        return;
    }
    const MemoryTable& table = m_table.table();
    const bool changed = m_wholeTableDue
                             ? m_checks.CheckAll(table, m_receiverModel())
                             : m_checks.Update(table, m_from, m_receiverModel(), m_changed);
    m_changed = ColumnSet();
    m_wholeTableDue = false;
    m_rowsDue = false;
    m_from.resize(static_cast<std::size_t>(table.RowCount()));
    std::iota(m_from.begin(), m_from.end(), 0);
    if (!changed) {
        return;
    }
    m_noticeCount = static_cast<qsizetype>(NoticeCount(problems()));
    emit problemsChanged();
}

template <typename Visit>
void ProblemIndex::forEachProblemAt(int tableRow, int column, Visit visit) const {
    // The problems are in table order: the row's start at the first one not above it.
    const std::vector<Diagnostic>& all = problems();
    auto it =
        std::lower_bound(all.begin(), all.end(), tableRow,
                         [](const Diagnostic& problem, int row) { return problem.number < row; });
    for (; it != all.end() && it->number == tableRow; ++it) {
        if (it->column == -1 || it->column == column) {
            if (!visit(*it)) {
                return;
            }
        }
    }
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
        reasons << QString::fromStdString(MessageText(problem, EditorTexts()));
        return true;
    });
    return reasons.join(QLatin1Char('\n'));
}

}  // namespace corvalen
