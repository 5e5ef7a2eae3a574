#include "app/Document.h"

#include "app/StatusText.h"
#include "table/Columns.h"

namespace corvalen {

Document::Document(QObject* parent) : QObject(parent) {
    m_table.setUndoStack(&m_undoStack);
    connect(&m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

bool Document::hasImportColumns() const {
    return m_table.table().ColCount() == kImportedColumnCount;
}

QString Document::modelName() const {
    return FromUtf8(m_model.Name());
}

QString Document::setModelName(const QString& text) {
    const Result<ReceiverModel> model = ReceiverModel::FromText(text.toStdString());
    if (!model) {
        return ErrorText(model.error());
    }
    if (*model != m_model) {
        m_model = *model;
        emit modelChanged(m_model);
    }
    return QString();
}

void Document::setFilePath(const QString& path) {
    if (path != m_filePath) {
        m_filePath = path;
        emit fileChanged(path);
    }
}

}  // namespace corvalen
