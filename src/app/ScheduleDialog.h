#pragma once

#include <QCheckBox>
#include <QDialog>
#include <optional>

#include "formats/ScheduleFilter.h"

class QComboBox;
class QDateEdit;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace corvalen {

struct SeasonUpdate;

// The broadcasts to import, and whether they update the table's schedule channels instead.
struct ScheduleChoice {
    ScheduleFilter filter;
    bool update = false;
};

// Asks which broadcasts to import, and shows what an update would do (or the tests' script).
class ScheduleFilterAsker {
public:
    virtual ~ScheduleFilterAsker() = default;
    // The choice for `schedule` (read from `fileName`); nothing when cancelled.
    virtual std::optional<ScheduleChoice> askScheduleFilter(const Schedule& schedule,
                                                            const QString& fileName) = 0;
    // Shows `update` of `table`; true when it is to be applied.
    virtual bool confirmSeasonUpdate(const MemoryTable& table, const SeasonUpdate& update,
                                     const QString& fileName) = 0;
};

class QtScheduleFilterAsker : public ScheduleFilterAsker {
public:
    explicit QtScheduleFilterAsker(QWidget* parent) : m_parent(parent) {}
    std::optional<ScheduleChoice> askScheduleFilter(const Schedule& schedule,
                                                    const QString& fileName) override;
    bool confirmSeasonUpdate(const MemoryTable& table, const SeasonUpdate& update,
                             const QString& fileName) override;

private:
    QWidget* m_parent;
};

// "Import Broadcast Schedule": the schedule's filters, each taking what the converter's option
// of its name takes, with a live count of the broadcasts and channels they keep.
class ScheduleDialog : public QDialog {
    Q_OBJECT

public:
    ScheduleDialog(const Schedule& schedule, const QString& fileName, QWidget* parent = nullptr);

    // The filter of the fields, or the first field's error.
    Result<ScheduleFilter> filter() const;
    // "Update the table's schedule channels" is ticked.
    bool updateChosen() const { return m_update->isChecked(); }

private:
    void updateCount();

    const Schedule& m_schedule;
    QLineEdit* m_at;
    QComboBox* m_day;
    QLineEdit* m_languages;
    QLineEdit* m_targets;
    QLineEdit* m_station;
    QLineEdit* m_band;
    QCheckBox* m_useDate;
    QDateEdit* m_date;
    QCheckBox* m_update;
    QLabel* m_count;
    QDialogButtonBox* m_buttons;
};

}  // namespace corvalen
