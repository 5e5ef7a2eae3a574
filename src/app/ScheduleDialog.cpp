#include "app/ScheduleDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <algorithm>

#include "app/SeasonPreviewDialog.h"
#include "app/StatusText.h"

namespace corvalen {

std::optional<ScheduleChoice> QtScheduleFilterAsker::askScheduleFilter(const Schedule& schedule,
                                                                       const QString& fileName) {
    ScheduleDialog dialog(schedule, fileName, m_parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    Result<ScheduleFilter> filter = dialog.filter();
    return filter ? std::optional<ScheduleChoice>({*filter, dialog.updateChosen()}) : std::nullopt;
}

bool QtScheduleFilterAsker::confirmSeasonUpdate(const MemoryTable& table,
                                                const SeasonUpdate& update,
                                                const QString& fileName) {
    SeasonPreviewDialog dialog(table, update, fileName, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

ScheduleDialog::ScheduleDialog(const Schedule& schedule, const QString& fileName, QWidget* parent)
    : QDialog(parent), m_schedule(schedule) {
    setWindowTitle(tr("Import Broadcast Schedule - %1").arg(fileName));
    auto* form = new QFormLayout;
    const auto line = [&](const QString& label, const char* name, const QString& hint) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setPlaceholderText(hint);
        connect(edit, &QLineEdit::textChanged, this, &ScheduleDialog::updateCount);
        form->addRow(label, edit);
        return edit;
    };
    // Made in the order of the keyboard's focus.
    m_at = line(tr("On air at:"), "at", tr("HHMM or HHMM-HHMM, UTC"));
    m_day = new QComboBox(this);
    m_day->setObjectName(QStringLiteral("day"));
    m_day->addItems({tr("Any day"), tr("Monday"), tr("Tuesday"), tr("Wednesday"), tr("Thursday"),
                     tr("Friday"), tr("Saturday"), tr("Sunday")});
    form->addRow(tr("Weekday:"), m_day);
    m_languages = line(tr("Languages:"), "language", tr("codes, e.g. E,F"));
    m_targets = line(tr("Target areas:"), "target", tr("areas, e.g. Eu,NAm"));
    m_station = line(tr("Station:"), "station", tr("part of the name, any case"));
    m_band = line(tr("Band:"), "band", tr("kHz FROM-TO, e.g. 5900-6200"));
    m_useDate = new QCheckBox(tr("Valid on"), this);
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_update =
        new QCheckBox(tr("Update the table's schedule channels instead of adding new ones"), this);
    m_count = new QLabel(this);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_useDate->setObjectName(QStringLiteral("useDate"));
    m_date->setObjectName(QStringLiteral("date"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setEnabled(false);
    m_update->setObjectName(QStringLiteral("updateChannels"));
    m_update->setToolTip(
        tr("A new season: channels whose Comments hold a schedule's times are kept, updated or "
           "removed, the new ones added; your other channels stay as they are. A preview comes "
           "first"));
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setWordWrap(true);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_useDate);
    dateRow->addWidget(m_date, 1);
    form->addRow(tr("Date:"), dateRow);
    auto* note = new QLabel(
        tr("Inactive broadcasts are left out; without a date the Start and Stop dates are not "
           "checked. One channel is added per frequency and station."),
        this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(m_update);
    layout->addWidget(m_count);
    layout->addWidget(m_buttons);
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("Import"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_day, &QComboBox::currentIndexChanged, this, &ScheduleDialog::updateCount);
    connect(m_date, &QDateEdit::dateChanged, this, &ScheduleDialog::updateCount);
    connect(m_useDate, &QCheckBox::toggled, this, [this](bool on) {
        m_date->setEnabled(on);
        updateCount();
    });
    connect(m_update, &QCheckBox::toggled, this, [this](bool on) {
        m_buttons->button(QDialogButtonBox::Ok)->setText(on ? tr("Preview\u2026") : tr("Import"));
        updateCount();
    });
    setMinimumWidth(std::max(440, TitleWidth(*this)));  // the title, with the file's name, whole
    updateCount();
}

Result<ScheduleFilter> ScheduleDialog::filter() const {
    ScheduleFilter filter;
    if (const QString at = m_at->text().trimmed(); !at.isEmpty()) {
        Result<ScheduleFilter::Span> span = ParseScheduleTime(at.toStdString());
        if (!span) {
            return span.error();
        }
        filter.at = *span;
    }
    if (m_day->currentIndex() > 0) {
        filter.day = m_day->currentIndex() - 1;
    }
    filter.languages = ParseCodeList(m_languages->text().toStdString());
    filter.targets = ParseCodeList(m_targets->text().toStdString());
    filter.station = m_station->text().trimmed().toStdString();
    if (const QString band = m_band->text().trimmed(); !band.isEmpty()) {
        Result<Band> range = ParseBand(band.toStdString());
        if (!range) {
            return range.error();
        }
        filter.bandFrom = range->from;
        filter.bandTo = range->to;
    }
    if (m_useDate->isChecked()) {
        filter.date = m_date->date().month() * 100 + m_date->date().day();
    }
    return filter;
}

void ScheduleDialog::updateCount() {
    const Result<ScheduleFilter> chosen = filter();
    QPushButton* ok = m_buttons->button(QDialogButtonBox::Ok);
    if (!chosen) {
        // The reason starts a sentence: its first letter in capitals.
        QString reason = ErrorText(chosen.error());
        reason[0] = reason[0].toUpper();
        m_count->setText(reason);
        ok->setEnabled(false);
        return;
    }
    const ScheduleSelection selection = SelectBroadcasts(m_schedule, *chosen);
    const QLocale locale;
    const int channels = ScheduleChannelCount(selection.entries);
    // "on" takes its own case of the channels' noun in some languages: a numerus form of its own.
    m_count->setText(Plural(tr("%1 of %2 pass, on %Ln channel(s)", "", channels), channels)
                         .arg(locale.toString(static_cast<qlonglong>(selection.entries.size())),
                              Count(static_cast<qsizetype>(m_schedule.entries.size()), "broadcast",
                                    "broadcasts")));
    // An update that keeps no broadcast removes every schedule channel, which may be meant.
    ok->setEnabled(channels > 0 || m_update->isChecked());
}

}  // namespace corvalen
