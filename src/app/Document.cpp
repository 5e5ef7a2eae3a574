#include "app/Document.h"

#include "g3m/MemoryRecord.h"

namespace corvalen {

int Document::recordLength() const {
    return RecordLengthFor(model.toStdString());
}

}  // namespace corvalen
