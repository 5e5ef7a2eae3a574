#pragma once

#include <QActionGroup>
#include <QList>
#include <QObject>
#include <set>

#include "app/CellEditorDelegate.h"
#include "app/SettingsFile.h"

class QAction;
class QMenu;

namespace corvalen {

class GridView;

// The cell editors, View / "Frequency in Hz, kHz, MHz" and View / "Columns", which shows or
// hides any column, remembered between runs.
class GridViewOptions : public QObject {
    Q_OBJECT

public:
    // The hidden columns, beside "Corvalen.ini": their numbers, counted from 1, one per line.
    static constexpr const char* kHiddenColumnsFile = "Corvalen-columns.txt";

    GridViewOptions(GridView& grid, const SettingsFile& settings, QObject* parent = nullptr);

    CellEditorDelegate& delegate() const { return *m_delegate; }
    // The three frequency units, checkable, one of them checked.
    QList<QAction*> frequencyActions() const { return m_units->actions(); }
    // The unit checked; setting one is as choosing its entry.
    FrequencyUnit frequencyUnit() const { return m_delegate->frequencyUnit(); }
    void setFrequencyUnit(FrequencyUnit unit);
    // One checkable entry per column of the table, rebuilt when the columns change.
    QMenu* columnsMenu() const { return m_columnsMenu; }

private:
    void rebuildColumnsMenu();
    // Hides or shows `column` in the list and stores the list.
    void setHidden(int column, bool hidden);

    GridView& m_grid;
    CellEditorDelegate* m_delegate;
    QActionGroup* m_units;
    QMenu* m_columnsMenu;
    SettingsFile m_settings;
    std::set<int> m_hidden;  // the hidden columns, counted from 0
};

}  // namespace corvalen
