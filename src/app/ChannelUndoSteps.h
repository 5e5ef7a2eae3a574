#pragma once

#include <QUndoCommand>
#include <memory>
#include <vector>

#include "app/MemoryTableModel.h"
#include "edit/BulkEdit.h"
#include "table/MoveRows.h"

namespace corvalen {

// "Set Field of Selected Rows…" on `rows` (table rows, any order) as one undo step named `text`:
// one cell swap per run of neighbouring rows whose cells change. Returns nothing when no cell
// changes.
std::unique_ptr<QUndoCommand> MakeFieldEditStep(MemoryTableModel& model, std::vector<int> rows,
                                                   const FieldEdit& edit, const QString& text);

// Move Up / Move Down / Move to Top / Move to Bottom of the table rows `rows`. Undo puts every
// row back in its place.
class MoveRowsStep : public QUndoCommand {
public:
    MoveRowsStep(MemoryTableModel& model, std::vector<int> order, const QString& text);
    void undo() override;
    void redo() override;

private:
    MemoryTableModel& m_model;
    std::vector<int> m_order;  // see MovedRowOrder
};

}  // namespace corvalen
