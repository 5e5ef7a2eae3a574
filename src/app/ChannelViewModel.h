#pragma once

#include <QColor>
#include <QSortFilterProxyModel>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ScheduleSummary.h"

namespace corvalen {

class MemoryTableModel;
class ProblemIndex;

// The grid's view of the memory table: sorted by the column whose header was clicked, filtered
// by the find text, cells with problems tinted. It never changes the table or its row order.
class ChannelViewModel : public QSortFilterProxyModel {
    Q_OBJECT

public:
    // Behind cells with a problem, and with only a notice; the reasons are the cell's tooltip.
    static inline const QColor kProblemTint{255, 204, 204};
    static inline const QColor kNoticeTint{255, 236, 179};

    explicit ChannelViewModel(MemoryTableModel& table, QObject* parent = nullptr);

    // Cells `problems` reports are tinted and carry its reasons as their tooltip.
    void setProblems(const ProblemIndex* problems);

    // Shows only the rows with `text` in any cell, case-insensitive; the empty text shows all.
    void setFindText(const QString& text);
    QString findText() const { return m_findText; }

    // A UTC minute (0..1439) of a weekday (0 Monday), and how many minutes from it count too.
    struct OnAirMoment {
        int minute = 0;
        int day = 0;
        int within = 0;
        bool operator==(const OnAirMoment&) const = default;
    };
    // "On Air Now": shows only the rows whose Comments hold a schedule on air at `moment` (and
    // the find text); nothing shows every row again. A minute that changes no row changes nothing.
    void setOnAir(std::optional<OnAirMoment> moment);
    const std::optional<OnAirMoment>& onAir() const { return m_onAir; }

    // How the grid shows a cell, which a screen reader says of it ("empty" for an empty cell).
    void setShownText(std::function<QString(const QModelIndex&)> shown) {
        m_shown = std::move(shown);
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Without mapping to the table: the grid asks them of every selected cell it paints.
    using QSortFilterProxyModel::parent;
    QModelIndex parent(const QModelIndex&) const override { return {}; }
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The columns' headings and tooltips in the user's language (see ColumnNames).
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    // Numbers (numeric columns), then text ignoring case, then empty cells; ties in table order.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::function<QString(const QModelIndex&)> m_shown;
    // What a cell sorts by, read once per column: a sort reads each key about 2 log2(n) times.
    struct SortKey {
        int rank = 0;  // 0 a number (numeric columns only), 1 other text, 2 empty
        double number = 0;
        std::string text;  // other text in ASCII lower case
    };
    static SortKey KeyFor(std::string_view cell, int column);
    const SortKey& sortKey(int sourceRow, int column) const;
    void problemsChanged();
    bool onAirAt(int sourceRow, const OnAirMoment& moment) const;
    // Reads the summaries of source rows firstRow..lastRow, or of all when none are kept.
    void readSummaries(int firstRow, int lastRow) const;
    void dropSummaries();

    MemoryTableModel& m_table;
    // The keys of the column m_keysColumn (-1: none); cleared by every change of the table.
    mutable std::vector<SortKey> m_keys;
    mutable int m_keysColumn = -1;
    const ProblemIndex* m_problems = nullptr;
    QString m_findText;
    // The find text in lower case when it is plain ASCII: then cells are searched as bytes.
    std::string m_asciiFindText;
    bool m_findIsAscii = true;
    std::optional<OnAirMoment> m_onAir;
    // Per source row its schedule summary, if any, kept while On Air Now is on.
    mutable std::vector<std::optional<ScheduleSummary>> m_summaries;
    mutable bool m_summariesRead = false;
};

}  // namespace corvalen
