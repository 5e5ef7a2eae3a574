#include "app/CompareDialog.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include "app/ColumnNames.h"
#include "app/Document.h"
#include "app/StatusText.h"
#include "app/UndoSteps.h"
#include "files/ChannelFiles.h"

namespace corvalen {

namespace {

QString CellOrEmpty(std::string_view text) {
    return text.empty() ? CompareDialog::tr("(empty)") : FromUtf8(text);
}

// The colours of the marks: light enough for black text on them.
const QColor kOnlyInTable(255, 214, 214);
const QColor kOnlyInFile(208, 240, 208);
const QColor kChangedCell(255, 236, 160);

const FieldChange* FieldOf(const ChannelChange& change, int column) {
    const auto field = std::ranges::find(change.fields, column, &FieldChange::column);
    return field != change.fields.end() ? &*field : nullptr;
}

}  // namespace

// The list: one row per change of the diff that the filters let through (`shown` holds their
// indices in the diff), its texts and marks made as they are shown.
class CompareList : public QAbstractTableModel {
public:
    CompareList(const MemoryTable& table, const MemoryTable& file, ChannelDiff& diff,
                QObject* parent)
        : QAbstractTableModel(parent), m_table(table), m_file(file), m_diff(diff) {
        headers << CompareDialog::tr("Channel") << CompareDialog::tr("Difference");
        for (int column = Number + 1; column < kImportedColumnCount; ++column) {
            if (diff.compared.Has(column)) {
                fields.push_back(column);
                headers << ColumnNames::ListName(column);
            }
        }
    }

    std::vector<int> fields = {-1, -1};  // the table column of each list column, -1 for none
    std::vector<std::size_t> shown;      // the changes listed, by index in the diff
    QStringList headers;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(shown.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(fields.size());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        return orientation == Qt::Horizontal && role == Qt::DisplayRole ? headers.value(section)
                                                                        : QVariant();
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const ChannelChange& change = m_diff.changes[shown[static_cast<std::size_t>(index.row())]];
        const int column = index.column();
        const FieldChange* changed = FieldOf(change, field(column));
        switch (role) {
            case Qt::DisplayRole:
                return text(change, column);
            case Qt::BackgroundRole:
                return change.kind == ChannelChange::Kind::Added     ? QVariant(kOnlyInFile)
                       : change.kind == ChannelChange::Kind::Removed ? QVariant(kOnlyInTable)
                       : changed != nullptr                          ? QVariant(kChangedCell)
                                                                     : QVariant();
            case Qt::ForegroundRole:
                return change.kind == ChannelChange::Kind::Changed &&
                               column >= CompareDialog::kFirstFieldColumn && changed == nullptr
                           ? QVariant(QBrush(Qt::gray))
                           : QVariant();
            case Qt::UserRole:  // whether the cell is one marked changed
                return changed != nullptr;
            default:
                return {};
        }
    }

    int field(int column) const {
        return column >= 0 ? fields[static_cast<std::size_t>(column)] : -1;
    }

    QString text(const ChannelChange& change, int column) const {
        if (column == CompareDialog::kChannelColumn) {
            return QString::number(change.channel);
        }
        if (column == CompareDialog::kKindColumn) {
            return change.kind == ChannelChange::Kind::Changed ? CompareDialog::tr("changed")
                   : change.kind == ChannelChange::Kind::Added
                       ? CompareDialog::tr("only in the file")
                       : CompareDialog::tr("only in the table");
        }
        if (const FieldChange* changed = FieldOf(change, field(column))) {
            return CompareDialog::tr("%1 \u2192 %2")
                .arg(CellOrEmpty(changed->before), CellOrEmpty(changed->after));
        }
        return FromUtf8(change.kind == ChannelChange::Kind::Added
                            ? m_file.CellText(change.rowB, field(column))
                            : m_table.CellText(change.rowA, field(column)));
    }

    // Lists the changes of `kind` (a ChannelChange::Kind, -1 for all) with a cell holding `needle`.
    void filter(int kind, const QString& needle) {
        beginResetModel();
        shown.clear();
        for (std::size_t at = 0; at < m_diff.changes.size(); ++at) {
            const ChannelChange& change = m_diff.changes[at];
            if (kind >= 0 && static_cast<int>(change.kind) != kind) {
                continue;
            }
            bool holds = needle.isEmpty();
            for (int column = 0; !holds && column < columnCount({}); ++column) {
                holds = text(change, column).contains(needle, Qt::CaseInsensitive);
            }
            if (holds) {
                shown.push_back(at);
            }
        }
        endResetModel();
    }

    // List row `row` was compared again: shown anew, or gone from list and diff if now the same.
    void compared(int row) {
        const std::size_t at = shown[static_cast<std::size_t>(row)];
        if (!m_diff.changes[at].fields.empty()) {
            emit dataChanged(index(row, 0), index(row, columnCount({}) - 1));
            return;
        }
        beginRemoveRows({}, row, row);
        m_diff.changes.erase(m_diff.changes.begin() + static_cast<std::ptrdiff_t>(at));
        shown.erase(shown.begin() + row);
        for (std::size_t& later : shown) {
            later -= later > at ? 1 : 0;
        }
        endRemoveRows();
    }

private:
    const MemoryTable& m_table;
    const MemoryTable& m_file;
    ChannelDiff& m_diff;
};

CompareDialog::CompareDialog(Document& document, const QString& path, QWidget* parent)
    : QDialog(parent),
      m_document(document),
      m_name(QFileInfo(path).fileName()),
      m_summary(new QLabel(this)),
      m_kind(new QComboBox(this)),
      m_text(new QLineEdit(this)),
      m_list(new QTableView(this)),
      m_takeChannel(new QPushButton(tr("Take &Channel from File"), this)),
      m_takeCell(new QPushButton(tr("Take C&ell from File"), this)) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(tr("Compare with %1").arg(m_name));
    m_summary->setWordWrap(true);
    m_kind->setObjectName(QStringLiteral("compareKind"));
    m_kind->addItem(tr("All differences"), -1);
    m_kind->addItem(tr("Only in the table"), static_cast<int>(ChannelChange::Kind::Removed));
    m_kind->addItem(tr("Only in the file"), static_cast<int>(ChannelChange::Kind::Added));
    m_kind->addItem(tr("Changed"), static_cast<int>(ChannelChange::Kind::Changed));
    m_text->setObjectName(QStringLiteral("compareText"));
    m_text->setPlaceholderText(tr("Rows holding this text"));
    m_text->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("compareList"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->verticalHeader()->hide();
    m_takeChannel->setObjectName(QStringLiteral("takeChannelButton"));
    m_takeCell->setObjectName(QStringLiteral("takeCellButton"));

    auto* filters = new QHBoxLayout;
    auto* kindLabel = new QLabel(tr("&Show:"), this);
    kindLabel->setBuddy(m_kind);
    filters->addWidget(kindLabel);
    filters->addWidget(m_kind);
    filters->addWidget(m_text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_takeChannel, QDialogButtonBox::ActionRole);
    buttons->addButton(m_takeCell, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(900, 500);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_takeChannel, &QPushButton::clicked, this, &CompareDialog::takeChannel);
    connect(m_takeCell, &QPushButton::clicked, this, &CompareDialog::takeCell);

    ReadSettings settings;
    settings.model = document.receiverModel();
    settings.emptyAllowed = true;
    Result<ChannelFileRead> read = ReadChannelFile(LocalPath(path), settings);
    if (!read) {
        m_error = ErrorText(read.error());
        m_summary->setText(m_error);
    } else {
        m_file = std::move(*read);
        const MemoryTable& table = document.table().table();
        m_diff = DiffChannels(table, m_file->table,
                              m_file->report.format->HeldColumns(document.receiverModel()),
                              document.receiverModel());
        m_model = new CompareList(table, m_file->table, m_diff, this);
        m_list->setModel(m_model);
        connect(m_kind, &QComboBox::currentIndexChanged, this, &CompareDialog::applyFilter);
        connect(m_text, &QLineEdit::textChanged, this, &CompareDialog::applyFilter);
        connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
                &CompareDialog::updateButtons);
        applyFilter();
        m_list->resizeColumnsToContents();
        showSummary();
    }
    updateButtons();
}

void CompareDialog::showSummary() {
    const QString fields = m_model->headers.mid(kFirstFieldColumn).join(QStringLiteral(", "));
    m_summary->setText(
        m_diff.changes.empty()
            ? tr("The table and %1 hold the same channels in the fields compared: %2.")
                  .arg(m_name, fields)
            : tr("%1 only in the table, %2 only in the file, %3 changed. Fields compared: %4.")
                  .arg(Count(m_diff.Count(ChannelChange::Kind::Removed), "channel", "channels"))
                  .arg(m_diff.Count(ChannelChange::Kind::Added))
                  .arg(m_diff.Count(ChannelChange::Kind::Changed))
                  .arg(fields));
}

void CompareDialog::applyFilter() {
    m_model->filter(m_kind->currentData().toInt(), m_text->text());
    updateButtons();
}

ChannelChange* CompareDialog::currentChange() {
    const QModelIndex current = m_list->currentIndex();
    return m_model != nullptr && current.isValid()
               ? &m_diff.changes[m_model->shown[static_cast<std::size_t>(current.row())]]
               : nullptr;
}

int CompareDialog::currentField() const {
    return m_model != nullptr ? m_model->field(m_list->currentIndex().column()) : -1;
}

void CompareDialog::updateButtons() {
    const ChannelChange* change = currentChange();
    m_takeChannel->setEnabled(change != nullptr && change->kind != ChannelChange::Kind::Removed);
    m_takeCell->setEnabled(change != nullptr && FieldOf(*change, currentField()) != nullptr);
}

void CompareDialog::compareAgain() {
    ChannelChange& change = *currentChange();
    change.fields = DiffRows(m_document.table().table(), change.rowA, m_file->table, change.rowB,
                             m_diff.compared, m_document.receiverModel());
    change.kind = ChannelChange::Kind::Changed;
    m_model->compared(m_list->currentIndex().row());
    showSummary();
    updateButtons();
}

void CompareDialog::takeChannel() {
    ChannelChange* change = currentChange();
    if (change == nullptr || change->kind == ChannelChange::Kind::Removed) {
        return;
    }
    MemoryTableModel& model = m_document.table();
    const MemoryTable& table = model.table();
    const MemoryTable& file = m_file->table;
    const QString text =
        tr("Take Channel %1 from %2").arg(QString::number(change->channel), m_name);
    // A channel only in the file becomes a new row at the end, a changed one takes the file's
    // values in the fields compared; the other columns keep the table's cells (empty if new).
    const bool added = change->kind == ChannelChange::Kind::Added;
    MemoryTable block(table.ColCount());
    std::vector<std::string_view> cells;
    for (int column = 0; column < table.ColCount(); ++column) {
        const bool fromFile = m_diff.compared.Has(column) || (added && column == Number);
        cells.push_back(fromFile ? file.CellText(change->rowB, column)
                        : added  ? std::string_view()
                                 : table.CellText(change->rowA, column));
    }
    block.AppendRow(cells);
    if (added) {
        change->rowA = table.RowCount();
        m_document.undoStack().push(new PutRowsStep(model, {change->rowA, std::move(block)}, text));
    } else {
        m_document.undoStack().push(
            new SetCellsStep(model, {change->rowA, 0, std::move(block)}, text));
    }
    compareAgain();
}

void CompareDialog::takeCell() {
    const ChannelChange* change = currentChange();
    const int field = currentField();
    MemoryTableModel& model = m_document.table();
    if (change == nullptr || FieldOf(*change, field) == nullptr ||
        field >= model.table().ColCount()) {
        return;
    }
    MemoryTable block(1);
    block.AppendRow(std::vector<std::string_view>{m_file->table.CellText(change->rowB, field)});
    m_document.undoStack().push(new SetCellsStep(
        model, {change->rowA, field, std::move(block)},
        tr("Take %1 of Channel %2 from %3")
            .arg(ColumnNames::ListName(field), QString::number(change->channel), m_name)));
    compareAgain();
}

}  // namespace corvalen
