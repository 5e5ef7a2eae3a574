#include "app/ProblemsPanel.h"

#include <QAbstractListModel>
#include <QListView>

#include "app/ChannelViewModel.h"
#include "app/ProblemIndex.h"
#include "channel/CellChecks.h"
#include "table/Columns.h"

namespace corvalen {
namespace {

// The lines of the panel, made on demand from the problem index, so a table full of problems
// costs no more than the lines on screen.
class ProblemListModel : public QAbstractListModel {
public:
    ProblemListModel(const ProblemIndex& problems, QObject* parent)
        : QAbstractListModel(parent), m_problems(problems) {
        connect(&problems, &ProblemIndex::problemsChanged, this, [this] {
            beginResetModel();
            endResetModel();
        });
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_problems.count());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount({})) {
            return {};
        }
        const Diagnostic& problem = m_problems.problems()[static_cast<std::size_t>(index.row())];
        switch (role) {
            case Qt::DisplayRole:
            case Qt::ToolTipRole:
                return QString::fromStdString(ProblemLine(problem));
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
};

}  // namespace

ProblemsPanel::ProblemsPanel(const ProblemIndex& problems, QWidget* parent)
    : QDockWidget(tr("Problems"), parent), m_list(new QListView(this)) {
    setObjectName(QStringLiteral("problemsPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    m_list->setObjectName(QStringLiteral("problemList"));
    m_list->setModel(new ProblemListModel(problems, m_list));
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    setWidget(m_list);

    const auto choose = [this](const QModelIndex& index) {
        if (index.isValid()) {
            emit cellChosen(index.data(Qt::UserRole).toInt(), index.data(Qt::UserRole + 1).toInt());
        }
    };
    connect(m_list, &QListView::clicked, this, choose);
    connect(m_list, &QListView::activated, this, choose);
}

}  // namespace corvalen
