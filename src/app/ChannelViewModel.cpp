#include "app/ChannelViewModel.h"

#include <algorithm>

#include "app/ColumnNames.h"
#include "app/MemoryTableModel.h"
#include "app/ProblemIndex.h"
#include "convert/NumberText.h"
#include "table/Columns.h"

namespace corvalen {
namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `needle` is lower-case ASCII.
bool ContainsIgnoringAsciiCase(std::string_view haystack, std::string_view needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [](char cell, char found) { return AsciiLower(cell) == found; }) !=
           haystack.end();
}

}  // namespace

ChannelViewModel::ChannelViewModel(MemoryTableModel& table, QObject* parent)
    : QSortFilterProxyModel(parent), m_table(table) {
    // Before setSourceModel: the keys go before the proxy sorts the changed rows again.
    const auto onEach = [&](auto slot, auto... signal) {
        (connect(&table, signal, this, slot), ...);
    };
    onEach([this] { m_keysColumn = -1; }, &QAbstractItemModel::dataChanged,
           &QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
           &QAbstractItemModel::rowsMoved, &QAbstractItemModel::modelReset,
           &QAbstractItemModel::layoutChanged);
    // The summaries follow the rows and their Comments; a reset or a new order reads them anew.
    onEach([this] { dropSummaries(); }, &QAbstractItemModel::modelReset,
           &QAbstractItemModel::layoutChanged, &QAbstractItemModel::rowsMoved);
    connect(&table, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                if (m_summariesRead) {
                    m_summaries.insert(m_summaries.begin() + first, last - first + 1, std::nullopt);
                    readSummaries(first, last);
                }
            });
    connect(&table, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (m_summariesRead) {
                    m_summaries.erase(m_summaries.begin() + first, m_summaries.begin() + last + 1);
                }
            });
    connect(&table, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (m_summariesRead && topLeft.column() <= Column::Comments &&
                    bottomRight.column() >= Column::Comments) {
                    readSummaries(topLeft.row(), bottomRight.row());
                }
            });
    setSourceModel(&table);
    setDynamicSortFilter(true);
}

void ChannelViewModel::setProblems(const ProblemIndex* problems) {
    if (m_problems != nullptr) {
        disconnect(m_problems, nullptr, this, nullptr);
    }
    m_problems = problems;
    if (m_problems != nullptr) {
        connect(m_problems, &ProblemIndex::problemsChanged, this,
                &ChannelViewModel::problemsChanged);
    }
    problemsChanged();
}

void ChannelViewModel::problemsChanged() {
    if (rowCount() == 0 || columnCount() == 0) {
        return;
    }
    const QList<int> roles = {Qt::BackgroundRole, Qt::ToolTipRole};
    // A few rows' cells are named one by one: a view paints a single cell again, but the whole
    // of itself for any larger range, and an edit would paint the grid twice.
    constexpr std::size_t kFewRows = 32;
    if (m_problems != nullptr && m_problems->rowsChanged() &&
        m_problems->rowsChanged()->size() <= kFewRows) {
        // A copy: whatever the signals below set off must not change the rows gone through.
        const std::vector<int> changed = *m_problems->rowsChanged();
        for (const int tableRow : changed) {
            const int row =
                mapFromSource(sourceModel()->index(MemoryTableModel::modelRow(tableRow), 0)).row();
            if (row < 0) {
                continue;  // not shown
            }
            for (int column = 0; column < columnCount(); ++column) {
                emit dataChanged(index(row, column), index(row, column), roles);
            }
        }
        return;
    }
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
}

void ChannelViewModel::setFindText(const QString& text) {
    if (text == m_findText) {
        return;
    }
    m_findText = text;
    m_findIsAscii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    m_asciiFindText = m_findIsAscii ? text.toLatin1().toLower().toStdString() : std::string();
    // One layout change: filtering row by row (invalidateRowsFilter) tells the grid of each run
    // of hidden or shown rows apart, and its row header goes over all its rows for each.
    invalidate();
}

void ChannelViewModel::setOnAir(std::optional<OnAirMoment> moment) {
    if (moment == m_onAir) {
        return;
    }
    const std::optional<OnAirMoment> before = m_onAir;
    m_onAir = moment;
    if (!moment) {
        dropSummaries();
    } else if (before && m_summariesRead) {
        // A new minute: filtered again only when some row goes on or off the air.
        bool changes = false;
        for (int row = 0; row < static_cast<int>(m_summaries.size()) && !changes; ++row) {
            changes = m_summaries[static_cast<std::size_t>(row)] &&
                      onAirAt(row, *before) != onAirAt(row, *moment);
        }
        if (!changes) {
            return;
        }
    }
    invalidate();  // one layout change, as for the find text
}

void ChannelViewModel::readSummaries(int firstRow, int lastRow) const {
    const MemoryTable& table = m_table.table();
    if (!m_summariesRead) {
        m_summaries.assign(static_cast<std::size_t>(table.ChannelCount()), std::nullopt);
        m_summariesRead = true;
        firstRow = 0;
        lastRow = table.ChannelCount() - 1;
    }
    if (table.ColCount() <= Column::Comments) {
        return;  // the start-up grid's ten columns hold no Comments
    }
    for (int row = std::max(firstRow, 0); row <= lastRow && row < table.ChannelCount(); ++row) {
        m_summaries[static_cast<std::size_t>(row)] =
            ReadScheduleSummary(table.CellText(MemoryTableModel::tableRow(row), Column::Comments));
    }
}

void ChannelViewModel::dropSummaries() {
    m_summariesRead = false;
    m_summaries.clear();
}

bool ChannelViewModel::onAirAt(int sourceRow, const OnAirMoment& moment) const {
    if (!m_summariesRead) {
        readSummaries(0, 0);
    }
    const auto row = static_cast<std::size_t>(sourceRow);
    return row < m_summaries.size() && m_summaries[row] &&
           OnAirAt(*m_summaries[row], moment.minute, moment.day, moment.within);
}

QVariant ChannelViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount()) {
        if (role == Qt::DisplayRole) {
            return ColumnNames::Heading(section);
        }
        if (role == Qt::ToolTipRole) {
            return ColumnNames::ToolTip(section);
        }
    }
    return QSortFilterProxyModel::headerData(section, orientation, role);
}

Qt::ItemFlags ChannelViewModel::flags(const QModelIndex& index) const {
    return index.isValid() ? MemoryTableModel::cellFlags() : Qt::NoItemFlags;
}

QVariant ChannelViewModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::AccessibleTextRole && index.isValid()) {
        const QString shown = m_shown ? m_shown(index) : data(index, Qt::DisplayRole).toString();
        return shown.trimmed().isEmpty() ? tr("empty") : shown;
    }
    if (role == Qt::AccessibleDescriptionRole && index.isValid()) {
        return data(index, Qt::ToolTipRole);  // the cell's problems, if it has any
    }
    if ((role == Qt::BackgroundRole || role == Qt::ToolTipRole) && m_problems != nullptr &&
        index.isValid()) {
        const int row = MemoryTableModel::tableRow(mapToSource(index).row());
        if (role == Qt::BackgroundRole) {
            const auto severity = m_problems->severityAt(row, index.column());
            if (!severity) {
                return {};
            }
            return *severity == Diagnostic::Severity::Error ? kProblemTint : kNoticeTint;
        }
        const QString reasons = m_problems->cellProblems(row, index.column());
        return reasons.isEmpty() ? QVariant() : QVariant(reasons);
    }
    return QSortFilterProxyModel::data(index, role);
}

ChannelViewModel::SortKey ChannelViewModel::KeyFor(std::string_view cell, int column) {
    SortKey key;
    if (TrimBlanks(cell, " ").empty()) {
        key.rank = 2;
        return key;
    }
    if (ColumnNames::IsNumeric(column)) {
        if (const std::optional<double> number = ParseDecimal(cell)) {
            key.number = *number;
            return key;
        }
    }
    key.rank = 1;
    key.text.resize(cell.size());
    std::transform(cell.begin(), cell.end(), key.text.begin(), AsciiLower);
    return key;
}

const ChannelViewModel::SortKey& ChannelViewModel::sortKey(int sourceRow, int column) const {
    if (m_keysColumn != column) {
        const MemoryTable& table = m_table.table();
        m_keys.clear();
        m_keys.reserve(static_cast<std::size_t>(table.ChannelCount()));
        for (int row = 1; row < table.RowCount(); ++row) {
            m_keys.push_back(KeyFor(table.CellText(row, column), column));
        }
        m_keysColumn = column;
    }
    return m_keys[static_cast<std::size_t>(sourceRow)];
}

bool ChannelViewModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const SortKey& a = sortKey(left.row(), left.column());
    const SortKey& b = sortKey(right.row(), left.column());
    if (a.rank != b.rank) {
        return a.rank < b.rank;
    }
    if (a.rank == 0) {
        return a.number < b.number;
    }
    // Byte order of the folded texts: ASCII ignores case, other UTF-8 goes by code point.
    return a.text < b.text;
}

bool ChannelViewModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (sourceParent.isValid()) {
        return true;
    }
    if (m_onAir && !onAirAt(sourceRow, *m_onAir)) {
        return false;
    }
    if (m_findText.isEmpty()) {
        return true;
    }
    const MemoryTable& table = m_table.table();
    const int row = MemoryTableModel::tableRow(sourceRow);
    for (int column = 0; column < table.ColCount(); ++column) {
        const auto cell = std::string_view(table.CellText(row, column));
        if (m_findIsAscii ? ContainsIgnoringAsciiCase(cell, m_asciiFindText)
                          : QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()))
                                .contains(m_findText, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

}  // namespace corvalen
