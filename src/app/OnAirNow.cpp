#include "app/OnAirNow.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <optional>

#include "app/ChannelViewModel.h"
#include "app/StatusText.h"

namespace corvalen {

OnAirNow::OnAirNow(ChannelViewModel& view, QWidget* window)
    : QObject(window),
      m_view(view),
      m_show(new QAction(tr("On Air Now"), this)),
      m_withinHour(new QAction(tr("Within the Next Hour"), this)),
      m_label(new QLabel(window)),
      m_minute(new QTimer(this)),
      m_clock([] { return QDateTime::currentDateTimeUtc(); }) {
    m_show->setObjectName(QStringLiteral("onAirAction"));
    m_show->setCheckable(true);
    m_show->setToolTip(tr("Show only the schedule's channels on air now, by their Comments"));
    m_withinHour->setObjectName(QStringLiteral("onAirHourAction"));
    m_withinHour->setCheckable(true);
    m_withinHour->setToolTip(
        tr("On Air Now shows the channels on air at any time in the next hour"));
    m_label->setObjectName(QStringLiteral("onAirLabel"));
    m_label->hide();
    m_minute->setSingleShot(true);
    m_minute->setTimerType(Qt::PreciseTimer);
    connect(m_minute, &QTimer::timeout, this, &OnAirNow::refresh);
    connect(m_show, &QAction::toggled, this, &OnAirNow::refresh);
    connect(m_withinHour, &QAction::toggled, this, [this] {
        if (isOn()) {
            refresh();
        }
    });
    connect(&view, &QAbstractItemModel::rowsInserted, this, &OnAirNow::showCount);
    connect(&view, &QAbstractItemModel::rowsRemoved, this, &OnAirNow::showCount);
    connect(&view, &QAbstractItemModel::modelReset, this, &OnAirNow::showCount);
    connect(&view, &QAbstractItemModel::layoutChanged, this, &OnAirNow::showCount);
}

void OnAirNow::refresh() {
    if (!isOn()) {
        m_minute->stop();
        m_view.setOnAir(std::nullopt);
        m_label->hide();
        emit rowsFiltered();
        return;
    }
    const QDateTime now = m_clock().toUTC();
    const QTime time = now.time();
    ChannelViewModel::OnAirMoment moment{time.hour() * 60 + time.minute(),
                                         now.date().dayOfWeek() - 1,
                                         m_withinHour->isChecked() ? 60 : 0};
    {
        // Reading every row's summary at the first minute takes a moment at many rows.
        std::optional<BusyCursor> busy;
        if (!m_view.onAir() && m_view.sourceModel()->rowCount() >= 10000) {
            busy.emplace();
        }
        m_view.setOnAir(moment);
    }
    // Again as the next minute begins (a little after it, so the clock reads that minute).
    m_minute->start(60000 - (time.second() * 1000 + time.msec()) + 20);
    showCount();
    m_label->show();
    emit rowsFiltered();
}

void OnAirNow::showCount() {
    const std::optional<ChannelViewModel::OnAirMoment>& moment = m_view.onAir();
    if (!moment) {
        return;
    }
    const auto clock = [](int minute) {
        return QTime(minute / 60 % 24, minute % 60).toString(QStringLiteral("HH:mm"));
    };
    const QLocale locale;
    const QString rows = locale.toString(m_view.rowCount());
    const QString all = locale.toString(m_view.sourceModel()->rowCount());
    m_label->setText(
        moment->within > 0
            ? tr("On air from %1 to %2 UTC: %3 of %4 rows")
                  .arg(clock(moment->minute), clock(moment->minute + moment->within), rows, all)
            : tr("On air at %1 UTC: %2 of %3 rows").arg(clock(moment->minute), rows, all));
}

}  // namespace corvalen
