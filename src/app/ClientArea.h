#pragma once

#include <QWidget>

class QFrame;
class QHBoxLayout;
class QPushButton;
class QSplitter;
class QTableView;

namespace corvalen {

// The window's client area as designed, in twips: a framed grid above a framed bar of buttons.
// The grid frame takes every change of size, shared with a panel added under it.
class ClientArea : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    // 15 twips make one pixel at 96 dots per inch, in Qt's device-independent pixels.
    static constexpr int Twips(int twips) { return (twips + 7) / 15; }
    static QSize designSize();

    QTableView* grid() const { return m_grid; }

    void addPanel(QWidget* panel);
    // Gives a panel that has just been shown its share of the room: `height` pixels, as long
    // as the grid keeps its smallest height.
    void showPanel(QWidget* panel, int height);

    // After the ones already there, with its caption wrapped to fit.
    QPushButton* addButton(const QString& objectName, const QString& caption);
    // The button that stands apart at the bar's right end.
    QPushButton* addEndButton(const QString& objectName, const QString& caption);

private:
    QPushButton* makeButton(const QString& objectName, const QString& caption);

    QFrame* m_gridFrame;
    QFrame* m_buttonBar;
    QSplitter* m_splitter;
    QTableView* m_grid;
    QHBoxLayout* m_buttons;
    int m_buttonCount = 0;
};

}  // namespace corvalen
