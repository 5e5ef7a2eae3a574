#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "files/ChannelDiff.h"
#include "files/ChannelFormat.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace corvalen {

class CompareList;
class Document;

// File / "Compare with File…": a row per channel only in the table, only in the file, or changed
// in the fields the file holds, filtered by kind and text; a channel or a cell can be taken.
class CompareDialog : public QDialog {
    Q_OBJECT

public:
    // The list's columns: the channel, the kind of difference, then the fields compared.
    static constexpr int kChannelColumn = 0;
    static constexpr int kKindColumn = 1;
    static constexpr int kFirstFieldColumn = 2;

    // `error` says why when the file cannot be read.
    CompareDialog(Document& document, const QString& path, QWidget* parent = nullptr);

    bool loaded() const { return m_file.has_value(); }
    const QString& error() const { return m_error; }
    const ChannelDiff& diff() const { return m_diff; }

    QTableView* list() const { return m_list; }
    QLabel* summary() const { return m_summary; }

public slots:
    // Of the current row: a channel only in the file is added after the last row.
    void takeChannel();
    void takeCell();

private:
    void showSummary();
    void applyFilter();
    void updateButtons();
    ChannelChange* currentChange();
    int currentField() const;  // the table column of the current cell, -1 for none
    // After a take; a channel now the same leaves the list.
    void compareAgain();

    Document& m_document;
    QString m_name;  // of the file
    QString m_error;
    std::optional<ChannelFileRead> m_file;
    ChannelDiff m_diff;

    QLabel* m_summary;
    QComboBox* m_kind;
    QLineEdit* m_text;
    CompareList* m_model = nullptr;
    QTableView* m_list;
    QPushButton* m_takeChannel;
    QPushButton* m_takeCell;
};

}  // namespace corvalen
