#include "app/GridViewOptions.h"

#include <QAction>
#include <QActionGroup>
#include <QHeaderView>
#include <QMenu>
#include <algorithm>

#include "app/ColumnNames.h"
#include "app/GridView.h"
#include "table/Columns.h"

namespace corvalen {
namespace {

// The largest column number the list of hidden columns keeps; the table has 19 columns.
constexpr int kMaxColumns = 64;

}  // namespace

GridViewOptions::GridViewOptions(GridView& grid, const SettingsFile& settings, QObject* parent)
    : QObject(parent),
      m_grid(grid),
      m_delegate(new CellEditorDelegate(this)),
      m_units(new QActionGroup(this)),
      m_columnsMenu(new QMenu(tr("Columns"), &grid)),
      m_settings(settings) {
    m_grid.setItemDelegate(m_delegate);
    const struct {
        const char* name;
        QString text;
        FrequencyUnit unit;
    } units[] = {{"frequencyHzAction", tr("Frequency in Hz"), FrequencyUnit::Hz},
                 {"frequencyKHzAction", tr("Frequency in kHz"), FrequencyUnit::kHz},
                 {"frequencyMHzAction", tr("Frequency in MHz"), FrequencyUnit::MHz}};
    for (const auto& entry : units) {
        auto* action = new QAction(entry.text, m_units);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setCheckable(true);
        action->setChecked(entry.unit == FrequencyUnit::Hz);
        action->setData(static_cast<int>(entry.unit));
        const FrequencyUnit unit = entry.unit;
        connect(action, &QAction::triggered, this, [this, unit] {
            m_delegate->setFrequencyUnit(unit);
            // The Frequency column grows to hold the longer texts of kHz and MHz.
            m_grid.horizontalHeader()->resizeSection(
                Frequency, std::max(m_grid.columnWidth(Frequency), m_grid.cellsWidth(Frequency)));
            m_grid.viewport()->update();
        });
    }

    m_columnsMenu->setObjectName(QStringLiteral("columnsMenu"));
    const QList<QByteArray> lines = m_settings.readBeside(kHiddenColumnsFile, 4096).split('\n');
    for (const QByteArray& line : lines) {
        bool ok = false;
        const int number = line.trimmed().toInt(&ok);
        if (ok && number >= 1 && number <= kMaxColumns) {
            m_hidden.insert(number - 1);
        }
    }
    const auto rebuildOn = [this](auto... signal) {
        (connect(m_grid.model(), signal, this, &GridViewOptions::rebuildColumnsMenu), ...);
    };
    rebuildOn(&QAbstractItemModel::modelReset, &QAbstractItemModel::columnsInserted,
              &QAbstractItemModel::columnsRemoved, &QAbstractItemModel::headerDataChanged);
    rebuildColumnsMenu();
}

void GridViewOptions::setFrequencyUnit(FrequencyUnit unit) {
    for (QAction* action : m_units->actions()) {
        if (action->data().toInt() == static_cast<int>(unit) && !action->isChecked()) {
            action->trigger();
        }
    }
}

void GridViewOptions::rebuildColumnsMenu() {
    m_columnsMenu->clear();
    const QAbstractItemModel* model = m_grid.model();
    for (int column = 0; column < model->columnCount(); ++column) {
        QAction* action = m_columnsMenu->addAction(ColumnNames::ListName(column));
        action->setObjectName(QStringLiteral("column%1Action").arg(column + 1));
        action->setCheckable(true);
        action->setChecked(!m_hidden.contains(column));
        connect(action, &QAction::toggled, this, [this, column](bool shown) {
            setHidden(column, !shown);
            m_grid.setColumnHidden(column, !shown);
        });
        m_grid.setColumnHidden(column, m_hidden.contains(column));
    }
}

void GridViewOptions::setHidden(int column, bool hidden) {
    if (column < 0 || column >= kMaxColumns || m_hidden.contains(column) == hidden) {
        return;
    }
    if (hidden) {
        m_hidden.insert(column);
    } else {
        m_hidden.erase(column);
    }
    QByteArray bytes;
    for (const int hiddenColumn : m_hidden) {
        bytes += QByteArray::number(hiddenColumn + 1) + "\r\n";
    }
    m_settings.writeBeside(kHiddenColumnsFile, bytes);
}

}  // namespace corvalen
