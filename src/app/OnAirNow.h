#pragma once

#include <QAction>
#include <QDateTime>
#include <QObject>
#include <functional>

class QLabel;
class QTimer;
class QWidget;

namespace corvalen {

class ChannelViewModel;

// View / "On Air Now": the grid shows only the schedule channels on air at the current UTC
// minute (or the hour from it), filtered again each minute, and a label counts them.
class OnAirNow : public QObject {
    Q_OBJECT

public:
    OnAirNow(ChannelViewModel& view, QWidget* window);

    QAction* showAction() const { return m_show; }
    QAction* withinHourAction() const { return m_withinHour; }
    QLabel* label() const { return m_label; }
    bool isOn() const { return m_show->isChecked(); }

    // Where the time comes from (UTC); without a call, the system's clock.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // Filters the grid for the clock's minute, and waits for the next one.
    void refresh();

signals:
    void rowsFiltered();

private:
    void showCount();

    ChannelViewModel& m_view;
    QAction* m_show;
    QAction* m_withinHour;
    QLabel* m_label;
    QTimer* m_minute;
    std::function<QDateTime()> m_clock;
};

}  // namespace corvalen
