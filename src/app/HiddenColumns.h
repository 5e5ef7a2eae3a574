#pragma once

#include <QList>
#include <QString>

#include "app/SettingsFile.h"

namespace corvalen {

// The columns the user hid through View / "Columns", kept between runs in
// "Corvalen-columns.txt" (the hidden column numbers, counted from 1, one per line) beside
// "Corvalen.ini" (SettingsFile::writeBeside).
class HiddenColumns {
public:
    static constexpr const char* kFileName = "Corvalen-columns.txt";

    explicit HiddenColumns(SettingsFile settings) : m_settings(std::move(settings)) {}

    // Columns counted from 0, ascending.
    const QList<int>& columns() const { return m_columns; }
    bool isHidden(int column) const { return m_columns.contains(column); }

    void load();
    // Hides or shows `column` and stores the list.
    void setHidden(int column, bool hidden);

private:
    void save() const;

    SettingsFile m_settings;
    QList<int> m_columns;
};

}  // namespace corvalen
