#pragma once

#include <QToolBar>

class QLabel;
class QLineEdit;
class QTimer;

namespace corvalen {

class ChannelViewModel;

// The find box above the grid: once the typing pauses, the grid shows only the rows holding its
// text in any column, ignoring case, and the bar counts them; Esc or Close shows every row.
class FindBar : public QToolBar {
    Q_OBJECT

public:
    FindBar(ChannelViewModel& view, QWidget* parent = nullptr);

    QLineEdit* box() const { return m_box; }

    // Shows the bar and puts the cursor in its box, its text selected.
    void open();
    // Filters the grid at once to the rows holding `text`; a non-empty text shows the bar.
    void findRows(const QString& text);
    // Clears the find, shows every row and hides the bar.
    void close();

signals:
    void rowsFound();
    // The grid should take the focus back.
    void closed();

private:
    void countFound();

    ChannelViewModel& m_view;
    QLineEdit* m_box;
    QLabel* m_count;
    QTimer* m_timer;
};

}  // namespace corvalen
