#include "app/Document.h"

#include "g3m/MemoryRecord.h"

namespace corvalen {

Document::Document() {
    m_table.setUndoStack(&m_undoStack);
}

int Document::recordLength() const {
    return RecordLengthFor(model.toStdString());
}

}  // namespace corvalen
