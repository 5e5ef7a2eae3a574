#include "app/CompareDialog.h"

#include <QBrush>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
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

// The kind of each list row, for the filter (Qt::UserRole of the kind column).
enum KindFilter { AllKinds = 0, OnlyInTable, OnlyInFile, Changed };

constexpr int kChangeRole = Qt::UserRole + 1;  // the index of the row's change in the diff

QString Cell(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The colours of the marks: light enough for black text on them.
const QColor kOnlyInTable(255, 214, 214);
const QColor kOnlyInFile(208, 240, 208);
const QColor kChangedCell(255, 236, 160);

}  // namespace

CompareDialog::CompareDialog(Document& document, const QString& path, QWidget* parent)
    : QDialog(parent),
      m_document(document),
      m_path(path),
      m_summary(new QLabel(this)),
      m_kind(new QComboBox(this)),
      m_text(new QLineEdit(this)),
      m_model(new QStandardItemModel(this)),
      m_filter(new QSortFilterProxyModel(this)),
      m_list(new QTableView(this)),
      m_takeChannel(new QPushButton(tr("Take &Channel from File"), this)),
      m_takeCell(new QPushButton(tr("Take C&ell from File"), this)) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(tr("Compare with %1").arg(QFileInfo(path).fileName()));
    m_summary->setWordWrap(true);
    m_kind->setObjectName(QStringLiteral("compareKind"));
    m_kind->addItem(tr("All differences"), AllKinds);
    m_kind->addItem(tr("Only in the table"), OnlyInTable);
    m_kind->addItem(tr("Only in the file"), OnlyInFile);
    m_kind->addItem(tr("Changed"), Changed);
    m_text->setObjectName(QStringLiteral("compareText"));
    m_text->setPlaceholderText(tr("Rows holding this text"));
    m_text->setClearButtonEnabled(true);
    m_filter->setSourceModel(m_model);
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_filter->setFilterKeyColumn(-1);
    m_list->setObjectName(QStringLiteral("compareList"));
    m_list->setModel(m_filter);
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
    connect(m_kind, &QComboBox::currentIndexChanged, this, &CompareDialog::applyFilter);
    connect(m_text, &QLineEdit::textChanged, this, &CompareDialog::applyFilter);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CompareDialog::updateButtons);

    ReadSettings settings;
    settings.model = document.receiverModel();
    settings.emptyAllowed = true;
    Result<ChannelFileRead> read = ReadChannelFile(LocalPath(path), settings);
    if (!read) {
        m_error = QString::fromStdString(read.error().message);
        m_summary->setText(m_error);
    } else {
        m_file = std::move(*read);
        m_compared = m_file->report.format->HeldColumns(document.receiverModel());
        compare();
    }
    updateButtons();
}

void CompareDialog::compare() {
    const MemoryTable& table = m_document.table().table();
    m_diff = DiffChannels(table, m_file->table, m_compared, m_document.receiverModel());
    fill();
}

void CompareDialog::fill() {
    const MemoryTable& table = m_document.table().table();
    const MemoryTable& file = m_file->table;
    m_fields.clear();
    QStringList headers{tr("Channel"), tr("Difference")};
    for (int column = Number + 1; column < kImportedColumnCount; ++column) {
        if (m_diff.compared.Has(column)) {
            m_fields.push_back(column);
            headers << ColumnNames::ListName(column);
        }
    }
    m_model->clear();
    m_model->setHorizontalHeaderLabels(headers);
    for (std::size_t index = 0; index < m_diff.changes.size(); ++index) {
        const ChannelChange& change = m_diff.changes[index];
        QList<QStandardItem*> row;
        auto* channel = new QStandardItem(QString::number(change.channel));
        channel->setData(static_cast<int>(index), kChangeRole);
        row << channel;
        QString kind;
        QColor mark;
        int filterKind = Changed;
        switch (change.kind) {
            case ChannelChange::Kind::Removed:
                kind = tr("only in the table");
                mark = kOnlyInTable;
                filterKind = OnlyInTable;
                break;
            case ChannelChange::Kind::Added:
                kind = tr("only in the file");
                mark = kOnlyInFile;
                filterKind = OnlyInFile;
                break;
            case ChannelChange::Kind::Changed:
                kind = tr("changed");
                break;
        }
        auto* kindItem = new QStandardItem(kind);
        kindItem->setData(filterKind, Qt::UserRole);
        row << kindItem;
        for (const int column : m_fields) {
            auto* item = new QStandardItem;
            if (change.kind == ChannelChange::Kind::Changed) {
                const auto field =
                    std::find_if(change.fields.begin(), change.fields.end(),
                                 [&](const FieldChange& f) { return f.column == column; });
                if (field != change.fields.end()) {
                    item->setText(
                        tr("%1 \u2192 %2")
                            .arg(
                                Cell(field->before).isEmpty() ? tr("(empty)") : Cell(field->before),
                                Cell(field->after).isEmpty() ? tr("(empty)") : Cell(field->after)));
                    item->setBackground(kChangedCell);
                    item->setData(true, Qt::UserRole);
                } else {
                    item->setText(Cell(table.CellText(change.rowA, column)));
                    item->setForeground(QBrush(Qt::gray));
                }
            } else {
                const bool inFile = change.kind == ChannelChange::Kind::Added;
                item->setText(Cell(inFile ? file.CellText(change.rowB, column)
                                          : table.CellText(change.rowA, column)));
                item->setBackground(mark);
            }
            row << item;
        }
        if (mark.isValid()) {
            channel->setBackground(mark);
            kindItem->setBackground(mark);
        }
        m_model->appendRow(row);
    }
    QString fields;
    for (const int column : m_fields) {
        fields +=
            (fields.isEmpty() ? QString() : QStringLiteral(", ")) + ColumnNames::ListName(column);
    }
    m_summary->setText(
        m_diff.changes.empty()
            ? tr("The table and %1 hold the same channels in the fields compared: %2.")
                  .arg(QFileInfo(m_path).fileName(), fields)
            : tr("%1 only in the table, %2 only in the file, %3 changed. Fields compared: %4.")
                  .arg(Count(m_diff.Count(ChannelChange::Kind::Removed), "channel", "channels"))
                  .arg(m_diff.Count(ChannelChange::Kind::Added))
                  .arg(m_diff.Count(ChannelChange::Kind::Changed))
                  .arg(fields));
    m_list->resizeColumnsToContents();
    applyFilter();
}

void CompareDialog::applyFilter() {
    const int kind = m_kind->currentData().toInt();
    m_filter->setFilterFixedString(m_text->text());
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const int rowKind = m_model->item(row, kKindColumn)->data(Qt::UserRole).toInt();
        bool hidden = kind != AllKinds && rowKind != kind;
        const QModelIndex shown = m_filter->mapFromSource(m_model->index(row, 0));
        if (shown.isValid()) {
            m_list->setRowHidden(shown.row(), hidden);
        }
    }
    updateButtons();
}

const ChannelChange* CompareDialog::currentChange() const {
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || m_list->isRowHidden(current.row())) {
        return nullptr;
    }
    const QModelIndex source = m_filter->mapToSource(current);
    const QVariant index = m_model->item(source.row(), kChannelColumn)->data(kChangeRole);
    const auto at = static_cast<std::size_t>(index.toInt());
    return at < m_diff.changes.size() ? &m_diff.changes[at] : nullptr;
}

int CompareDialog::currentField() const {
    const int column = m_list->currentIndex().column() - kFirstFieldColumn;
    return column >= 0 && static_cast<std::size_t>(column) < m_fields.size()
               ? m_fields[static_cast<std::size_t>(column)]
               : -1;
}

void CompareDialog::updateButtons() {
    const ChannelChange* change = currentChange();
    m_takeChannel->setEnabled(change != nullptr && change->kind != ChannelChange::Kind::Removed);
    const int field = currentField();
    m_takeCell->setEnabled(change != nullptr && change->kind == ChannelChange::Kind::Changed &&
                           field >= 0 &&
                           std::any_of(change->fields.begin(), change->fields.end(),
                                       [&](const FieldChange& f) { return f.column == field; }));
}

void CompareDialog::takeChannel() {
    const ChannelChange* change = currentChange();
    if (change == nullptr || change->kind == ChannelChange::Kind::Removed) {
        return;
    }
    MemoryTableModel& model = m_document.table();
    const MemoryTable& table = model.table();
    const MemoryTable& file = m_file->table;
    const QString name = QFileInfo(m_path).fileName();
    const QString text = tr("Take Channel %1 from %2").arg(QString::number(change->channel), name);
    if (change->kind == ChannelChange::Kind::Added) {
        // A new row at the end with the file's cells (the columns the file does not hold stay
        // empty); a ten-column start-up table takes the ten it has.
        MemoryTable rows(table.ColCount());
        std::vector<std::string_view> cells(static_cast<std::size_t>(table.ColCount()));
        for (int column = 0; column < table.ColCount(); ++column) {
            if (column == Number || m_diff.compared.Has(column)) {
                cells[static_cast<std::size_t>(column)] = file.CellText(change->rowB, column);
            }
        }
        rows.AppendRow(cells);
        m_document.undoStack().push(
            new PutRowsStep(model, table.RowCount(), std::move(rows), text));
    } else {
        // The table's row with the file's values in the fields compared, as one block.
        MemoryTable block(table.ColCount());
        std::vector<std::string> cells;
        for (int column = 0; column < table.ColCount(); ++column) {
            cells.emplace_back(m_diff.compared.Has(column) && column != Number
                                   ? file.CellText(change->rowB, column)
                                   : table.CellText(change->rowA, column));
        }
        std::vector<std::string_view> views(cells.begin(), cells.end());
        block.AppendRow(views);
        m_document.undoStack().push(
            new SetCellsStep(model, change->rowA, 0, std::move(block), text));
    }
    compare();
}

void CompareDialog::takeCell() {
    const ChannelChange* change = currentChange();
    const int field = currentField();
    if (change == nullptr || change->kind != ChannelChange::Kind::Changed || field < 0) {
        return;
    }
    MemoryTableModel& model = m_document.table();
    if (field >= model.table().ColCount()) {
        return;
    }
    MemoryTable block(1);
    const std::string_view value = m_file->table.CellText(change->rowB, field);
    block.AppendRow(std::vector<std::string_view>{value});
    m_document.undoStack().push(
        new SetCellsStep(model, change->rowA, field, std::move(block),
                         tr("Take %1 of Channel %2 from %3")
                             .arg(ColumnNames::ListName(field), QString::number(change->channel),
                                  QFileInfo(m_path).fileName())));
    compare();
}

}  // namespace corvalen
