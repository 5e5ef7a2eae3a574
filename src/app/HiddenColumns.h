#pragma once

#include <QList>
#include <QString>

namespace corvalen {

class SettingsFile;

// The columns the user hid through View / "Columns", kept between runs in
// "Corvalen-columns.txt" (the hidden column numbers, counted from 1, one per line) in the same
// folder as "Corvalen.ini", which keeps its two-line form. Like the recent files, a list that
// cannot be written only costs the convenience.
class HiddenColumns {
public:
    static constexpr const char* kFileName = "Corvalen-columns.txt";

    explicit HiddenColumns(const SettingsFile& settings);

    // Columns counted from 0, ascending.
    const QList<int>& columns() const { return m_columns; }
    bool isHidden(int column) const { return m_columns.contains(column); }

    void load();
    // Hides or shows `column` and stores the list.
    void setHidden(int column, bool hidden);

    QString storePath() const;

private:
    void save() const;

    QString m_programFile;
    QString m_userFile;
    QList<int> m_columns;
};

}  // namespace corvalen
