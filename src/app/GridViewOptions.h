#pragma once

#include <QObject>

#include "app/HiddenColumns.h"
#include "convert/FrequencyText.h"

class QAction;
class QActionGroup;
class QMenu;
class QTableView;

namespace corvalen {

class CellEditorDelegate;

// How the grid shows the table, none of which changes it: the cell editors and alignment (the
// delegate), View / "Frequency in Hz, kHz, MHz", and View / "Columns", which shows or hides any
// column and is remembered between runs.
class GridViewOptions : public QObject {
    Q_OBJECT

public:
    GridViewOptions(QTableView& grid, const SettingsFile& settings, QObject* parent = nullptr);

    CellEditorDelegate& delegate() const { return *m_delegate; }
    // The three frequency units, checkable, one of them checked.
    QList<QAction*> frequencyActions() const;
    // The unit checked; choosing one is as choosing its entry.
    FrequencyUnit frequencyUnit() const;
    void setFrequencyUnit(FrequencyUnit unit);
    // One checkable entry per column of the table, rebuilt when the columns change.
    QMenu* columnsMenu() const { return m_columnsMenu; }
    const HiddenColumns& hiddenColumns() const { return m_hidden; }

private:
    void rebuildColumnsMenu();
    void applyHiddenColumns();

    QTableView& m_grid;
    CellEditorDelegate* m_delegate;
    QActionGroup* m_units;
    QMenu* m_columnsMenu;
    HiddenColumns m_hidden;
};

}  // namespace corvalen
