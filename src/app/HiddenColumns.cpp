#include "app/HiddenColumns.h"

#include <algorithm>

namespace corvalen {
namespace {

// The largest column number the list keeps; the table has 19 columns.
constexpr int kMaxColumns = 64;

}  // namespace

void HiddenColumns::load() {
    m_columns.clear();
    const QList<QByteArray> lines = m_settings.readBeside(kFileName, 4096).split('\n');
    for (const QByteArray& line : lines) {
        bool ok = false;
        const int number = line.trimmed().toInt(&ok);
        if (ok && number >= 1 && number <= kMaxColumns && !m_columns.contains(number - 1)) {
            m_columns << number - 1;
        }
    }
    std::sort(m_columns.begin(), m_columns.end());
}

void HiddenColumns::setHidden(int column, bool hidden) {
    if (column < 0 || column >= kMaxColumns || isHidden(column) == hidden) {
        return;
    }
    if (hidden) {
        m_columns << column;
        std::sort(m_columns.begin(), m_columns.end());
    } else {
        m_columns.removeAll(column);
    }
    save();
}

void HiddenColumns::save() const {
    QByteArray bytes;
    for (const int column : m_columns) {
        bytes += QByteArray::number(column + 1) + "\r\n";
    }
    m_settings.writeBeside(kFileName, bytes);
}

}  // namespace corvalen
