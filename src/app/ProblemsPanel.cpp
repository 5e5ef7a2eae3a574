#include "app/ProblemsPanel.h"

#include <QAbstractItemModel>
#include <QTreeView>

#include "app/ChannelViewModel.h"
#include "app/MemoryTableModel.h"
#include "app/ProblemIndex.h"
#include "app/Translations.h"
#include "channel/CellChecks.h"
#include "channel/ProblemGroups.h"

namespace corvalen {
namespace {

// The kinds and their rows, grouped afresh at each change, their lines made on demand. A kind's
// index has internal id 0, a row's the number of its kind plus one.
class ProblemTreeModel : public QAbstractItemModel {
public:
    ProblemTreeModel(const ProblemIndex& problems, const MemoryTableModel& table, QObject* parent)
        : QAbstractItemModel(parent), m_problems(problems), m_table(table) {
        connect(&problems, &ProblemIndex::problemsChanged, this, [this] {
            beginResetModel();
            m_groups = GroupProblems(m_problems.problems());
            endResetModel();
        });
        m_groups = GroupProblems(m_problems.problems());
    }

    QModelIndex index(int row, int column, const QModelIndex& parent) const override {
        if (column != 0 || row < 0 || row >= rowCount(parent)) {
            return {};
        }
        return createIndex(row, 0, parent.isValid() ? quintptr(parent.row() + 1) : quintptr(0));
    }

    QModelIndex parent(const QModelIndex& child) const override {
        if (!child.isValid() || child.internalId() == 0) {
            return {};
        }
        return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr(0));
    }

    int rowCount(const QModelIndex& parent) const override {
        if (!parent.isValid()) {
            return static_cast<int>(m_groups.size());
        }
        if (parent.internalId() != 0) {
            return 0;
        }
        // A kind of one row is that row's line already.
        const std::size_t members = m_groups[static_cast<std::size_t>(parent.row())].members.size();
        return members > 1 ? static_cast<int>(members) : 0;
    }

    int columnCount(const QModelIndex&) const override { return 1; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const bool kind = index.internalId() == 0;
        const ProblemGroup& group =
            m_groups[static_cast<std::size_t>(kind ? index.row() : index.internalId() - 1)];
        const std::vector<Diagnostic>& problems = m_problems.problems();
        const Diagnostic& problem =
            problems[group.members[static_cast<std::size_t>(kind ? 0 : index.row())]];
        switch (role) {
            case Qt::DisplayRole:
            case Qt::ToolTipRole: {
                if (kind) {
                    const ProblemPlaces places(&m_table.table(), nullptr, EditorTexts());
                    return QString::fromStdString(
                        GroupLine(group, problems, places, LineForm::Panel));
                }
                return QString::fromStdString(ProblemLine(problem, EditorTexts()));
            }
            case Qt::BackgroundRole:
                // Tinted like the cell it names.
                return problem.IsNotice() ? ChannelViewModel::kNoticeTint
                                          : ChannelViewModel::kProblemTint;
            case Qt::UserRole:
                return problem.number;
            case Qt::UserRole + 1:
                return problem.column;
            default:
                return {};
        }
    }

private:
    const ProblemIndex& m_problems;
    const MemoryTableModel& m_table;
    std::vector<ProblemGroup> m_groups;
};

}  // namespace

ProblemsPanel::ProblemsPanel(const ProblemIndex& problems, const MemoryTableModel& table,
                             QWidget* parent)
    : QDockWidget(tr("Problems"), parent), m_list(new QTreeView(this)) {
    setObjectName(QStringLiteral("problemsPanel"));
    m_list->setObjectName(QStringLiteral("problemList"));
    m_list->setModel(new ProblemTreeModel(problems, table, m_list));
    m_list->setHeaderHidden(true);
    m_list->setUniformRowHeights(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    setWidget(m_list);

    const auto choose = [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit cellChosen(index.data(Qt::UserRole).toInt(), index.data(Qt::UserRole + 1).toInt());
        }
    };
    connect(m_list, &QTreeView::clicked, this, choose);
    connect(m_list, &QTreeView::activated, this, choose);
}

}  // namespace corvalen
