#include "app/SeasonPreviewDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

#include "app/ColumnNames.h"
#include "app/StatusText.h"
#include "table/Columns.h"

namespace corvalen {
namespace {

constexpr int kColumns[] = {Column::Number, Column::Frequency, Column::Callsign, Column::Comments};
constexpr int kShownColumns = 4;

}  // namespace

SeasonRowsModel::SeasonRowsModel(const MemoryTable& table, std::vector<int> rows,
                                 std::vector<std::string> newComments, QObject* parent)
    : QAbstractTableModel(parent),
      m_table(table),
      m_rows(std::move(rows)),
      m_newComments(std::move(newComments)) {}

int SeasonRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kShownColumns + (m_newComments.empty() ? 0 : 1);
}

QVariant SeasonRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == kShownColumns) {
        return QString::fromStdString(m_newComments[row]);
    }
    const int column = kColumns[index.column()];
    return column < m_table.ColCount() ? FromUtf8(m_table.CellText(m_rows[row], column))
                                       : QString();
}

QVariant SeasonRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return section == kShownColumns ? tr("New Comments") : ColumnNames::Heading(kColumns[section]);
}

SeasonPreviewDialog::SeasonPreviewDialog(const MemoryTable& table, const SeasonUpdate& update,
                                         const QString& fileName, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("seasonPreview"));
    setWindowTitle(tr("Update Schedule Channels - %1").arg(fileName));
    const QLocale locale;
    const auto count = [&](std::size_t n) { return locale.toString(static_cast<qulonglong>(n)); };
    const auto added = static_cast<std::size_t>(update.added.ChannelCount());

    auto* summary = new QLabel(
        tr("%1 kept, %2 updated, %3 added, %4 removed. Channels whose Comments hold no "
           "schedule's times are yours and stay as they are; the update is one step to undo.")
            .arg(count(update.kept.size()), count(update.updated.size()), count(added),
                 count(update.removed.size())),
        this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setWordWrap(true);

    std::vector<int> updatedRows;
    std::vector<std::string> newComments;
    for (const auto& [row, comments] : update.updated) {
        updatedRows.push_back(row);
        newComments.push_back(comments);
    }
    std::vector<int> addedRows(added);
    std::iota(addedRows.begin(), addedRows.end(), 1);
    auto* lists = new QTabWidget(this);
    lists->setObjectName(QStringLiteral("lists"));
    const auto addList = [&](const QString& title, const MemoryTable& rowsOf, std::vector<int> rows,
                             std::vector<std::string> comments) {
        const std::size_t n = rows.size();
        auto* view = new QTableView(lists);
        view->setModel(new SeasonRowsModel(rowsOf, std::move(rows), std::move(comments), view));
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setWordWrap(false);
        view->verticalHeader()->hide();
        // Rows of one height, so many rows cost nothing to lay out.
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
        view->horizontalHeader()->setStretchLastSection(true);
        const auto width = [view](int column, const char* text, int room) {
            view->setColumnWidth(column, view->fontMetrics().horizontalAdvance(text) + room);
        };
        width(0, "000000", 12);
        width(1, "00000000000", 12);
        width(2, "MMMMMMMMMMMM", 0);
        if (view->model()->columnCount() > kShownColumns) {
            width(3, "0000-0000[Mo-Fr] E,F Eu", 0);
        }
        lists->addTab(view, title.arg(count(n)));
    };
    addList(tr("Updated (%1)"), table, updatedRows, newComments);
    addList(tr("Added (%1)"), update.added, addedRows, {});
    addList(tr("Removed (%1)"), table, update.removed, {});
    addList(tr("Kept (%1)"), table, update.kept, {});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Apply"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(lists, 1);
    layout->addWidget(buttons);
    resize(std::max(640, TitleWidth(*this)), 440);
}

}  // namespace corvalen
