#pragma once

#include <QWidget>

class QFrame;
class QHBoxLayout;
class QPushButton;
class QSplitter;

namespace corvalen {

class GridView;

// The window's client area as designed, in twips: a framed grid (sharing every change of size
// with a panel added under it) above a framed bar of buttons.
class ClientArea : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    // 15 twips make one pixel at 96 dots per inch, in Qt's device-independent pixels.
    static constexpr int Twips(int twips) { return (twips + 7) / 15; }
    static QSize designSize();

    GridView* grid() const { return m_grid; }

    void addPanel(QWidget* panel);
    // Gives a panel just shown `height` pixels, as far as the grid keeps its smallest height.
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
    GridView* m_grid;
    QHBoxLayout* m_buttons;
};

}  // namespace corvalen
