// The table's schedule channels in the editor: View / On Air Now, and Import Broadcast Schedule
// updating them with a new season.

#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

#include "EditorTest.h"
#include "app/ChannelViewModel.h"
#include "app/OnAirNow.h"
#include "app/ScheduleActions.h"
#include "app/ScheduleDialog.h"
#include "app/SeasonPreviewDialog.h"
#include "formats/SeasonUpdate.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

struct Channel {
    const char* callsign;
    const char* frequency;
    const char* comments;
};

// Channels 1.. with these cells, the others as testing::Channels makes them.
MemoryTable TableOf(const std::vector<Channel>& channels) {
    MemoryTable table = testing::Channels(static_cast<int>(channels.size()));
    for (int row = 1; row <= static_cast<int>(channels.size()); ++row) {
        const Channel& channel = channels[static_cast<std::size_t>(row - 1)];
        table.SetCellText(row, Callsign, channel.callsign);
        table.SetCellText(row, Frequency, channel.frequency);
        table.SetCellText(row, Comments, channel.comments);
    }
    return table;
}

// Answers the filter with every broadcast, to update; the preview is shown and answered.
class SeasonScript : public ScheduleFilterAsker {
public:
    bool apply = true;
    QStringList tabs;  // the preview's tab titles; empty when it was not shown
    std::optional<ScheduleChoice> askScheduleFilter(const Schedule&, const QString&) override {
        return ScheduleChoice{ScheduleFilter{}, true};
    }
    bool confirmSeasonUpdate(const MemoryTable& table, const SeasonUpdate& update,
                             const QString& fileName) override {
        SeasonPreviewDialog preview(table, update, fileName);
        auto* lists = preview.findChild<QTabWidget*>(QStringLiteral("lists"));
        for (int tab = 0; tab < lists->count(); ++tab) {
            const auto* view = qobject_cast<QTableView*>(lists->widget(tab));
            // The title, and the Callsign of each row listed.
            QString listed = lists->tabText(tab) + ':';
            for (int row = 0; row < view->model()->rowCount(); ++row) {
                listed += ' ' + view->model()->index(row, 2).data().toString();
            }
            tabs << listed;
        }
        return apply;
    }
};

}  // namespace

class TestScheduleChannels : public EditorTest {
    Q_OBJECT

    QStringList shownCallsigns() const {
        QStringList shown;
        ChannelViewModel& view = m_window->view();
        for (int row = 0; row < view.rowCount(); ++row) {
            shown << view.index(row, Callsign).data().toString();
        }
        return shown;
    }
    // Sets the clock to `day` (0 Monday) of a week at HH:MM UTC.
    void setClock(int day, const QString& time) {
        const QDateTime at(QDate(2026, 12, 7).addDays(day),
                           QTime::fromString(time, QStringLiteral("HH:mm")), Qt::UTC);
        m_window->onAirNow().setClock([at] { return at; });
    }

private slots:
    void init() { setUpEditor(); }

    void onAirShowsTheChannelsOnAir_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("withinHour");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, int day, const char* time, bool hour,
                            const char* find, const QStringList& shown) {
            QTest::newRow(name) << day << QString::fromLatin1(time) << hour
                                << QString::fromLatin1(find) << shown;
        };
        // The clock's weekdays and minutes (which summary is on air when: tst_summary).
        row("Saturday, start minute on", 5, "18:00", false, "", {"DAILY", "WEEK", "ALL"});
        row("Sunday, past midnight", 6, "00:30", false, "", {"SAT", "ALL"});
        row("Monday, past midnight", 0, "00:30", false, "", {"ALL", "MON"});
        row("Tuesday", 1, "07:00", false, "", {"WEEK", "ALL"});
        row("within the hour, into Monday", 6, "23:30", true, "", {"ALL", "MON"});
        row("with the find text", 5, "18:00", false, "18", {"DAILY", "WEEK"});
    }
    void onAirShowsTheChannelsOnAir() {
        QFETCH(int, day);
        QFETCH(QString, time);
        QFETCH(bool, withinHour);
        QFETCH(QString, find);
        QFETCH(QStringList, shown);
        startWindow(TableOf({{"DAILY", "5920000", "1800-1900 E Eu"},
                             {"SAT", "7400000", "2300-0100[Sa] E"},
                             {"WEEK", "6005000", "0600-0800[Mo-Fr],1800-1830[Sa,Su] D"},
                             {"USER", "5000000", "Time signal, 1800-1900"},
                             {"EMPTY", "5025000", ""},
                             {"ALL", "6070000", "0000-2400 E NAm"},
                             {"IRR", "9670000", "1700-1800[irr] E"},
                             {"MON", "9420000", "0015-0100[Mo] F"}}));
        setClock(day, time);
        m_window->findBar().findRows(find);
        if (withinHour) {
            trigger("onAirHourAction");
        }
        trigger("onAirAction");
        QCOMPARE(shownCallsigns(), shown);
        const QString label = m_window->findChild<QLabel*>(QStringLiteral("onAirLabel"))->text();
        QVERIFY2(
            label.startsWith(withinHour ? "On air from " + time + " to " : "On air at " + time) &&
                label.endsWith(QStringLiteral(": %1 of 8 rows").arg(shown.size())),
            qPrintable(label));
        trigger("onAirAction");
        QCOMPARE(shownCallsigns().size(), find.isEmpty() ? 8 : 4);
    }

    // The filter follows the minute, edits of Comments and new rows; a row the user is to see
    // turns it off.
    void onAirFollowsTheTable() {
        MainWindow& window = startWindow(TableOf({{"DAILY", "5920000", "1800-1900 E Eu"},
                                                  {"USER", "5000000", "Time signal"},
                                                  {"LATE", "7400000", "1900-2000 E"}}));
        setClock(2, QStringLiteral("18:59"));
        trigger("onAirAction");
        QCOMPARE(shownCallsigns(), QStringList({"DAILY"}));
        setClock(2, QStringLiteral("19:00"));
        window.onAirNow().refresh();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
        model().setData(model().index(1, Comments), QStringLiteral("1830-1930 E"));
        QCOMPARE(shownCallsigns(), QStringList({"USER", "LATE"}));
        window.document().undoStack().undo();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
        trigger("onAirAction");
        m_window->grid()->setCurrentIndex(m_window->grid()->model()->index(0, 0));
        trigger("insertRowAction");  // the new row has no Comments: to show it, the filter goes
        QVERIFY(!window.onAirNow().isOn());
        QCOMPARE(shownCallsigns().size(), 4);
        trigger("onAirAction");
        // Rows taken out and put back while it is on: the rows below keep their own summaries.
        window.document().undoStack().undo();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
        window.document().undoStack().redo();
        QCOMPARE(shownCallsigns(), QStringList({"LATE"}));
    }

    // A new season updates the schedule channels as one undo step; the user's channels, and
    // every cell but the Comments of the rows kept, stay as they are.
    void seasonUpdateIsOneUndoStep_data() {
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QByteArray>("season");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QStringList>("rows");  // "Callsign: Comments"; none: as they were
        const QByteArray header =
            "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;"
            "Target:62;Remarks:135;P:35;Start:60;Stop:60;\r\n";
        const QByteArray next = header +
                                "5920;1800-1900;Sa,Su;D;Radio Europa;E,D;Eu;;1;;\r\n"
                                "7400;1900-2100;;BUL;Radio Bulgaria;E;Eu;;1;;\r\n"
                                "9670;1700-1830;irr;ROU;Radio Romania Int;E;Eu;;1;;\r\n"
                                "9420;2100-0100;;GRC;Radio Athens;Gr,E;Eu;;1;;\r\n\r\n";
        const QStringList tabs{"Updated (1): Radio Bulgaria", "Added (1): Radio Athens",
                               "Removed (1): ORTM Bamako", "Kept (2): Radio Europa Radio Romani"};
        QTest::newRow("applied") << true << next << tabs
                                 << QStringList{"WWV: Time signal, Fort Collins",
                                                "Radio Europa: 1800-1900[Sa,Su] E,D Eu",
                                                "Radio Bulgaria: 1900-2100 E Eu",
                                                "Radio Romani: 1700-1830[irr] E Eu",
                                                "Radio Athens: 2100-0100 Gr,E Eu"};
        QTest::newRow("cancelled") << false << next << tabs << QStringList();
        QTest::newRow("nothing to change, no preview")
            << true
            << header +
                   "5920;1800-1900;Sa,Su;D;Radio Europa;E,D;Eu;;1;;\r\n"
                   "7400;1800-2000;;BUL;Radio Bulgaria;E;Eu;;1;;\r\n"
                   "9635;1800-1900;Sa;MLI;ORTM Bamako;F;Af;;1;;\r\n"
                   "9670;1700-1830;irr;ROU;Radio Romania International;E;Eu;;1;;\r\n"
            << QStringList() << QStringList();
    }
    void seasonUpdateIsOneUndoStep() {
        QFETCH(bool, apply);
        QFETCH(QByteArray, season);
        QFETCH(QStringList, tabs);
        QFETCH(QStringList, rows);
        const MemoryTable start = TableOf({{"WWV", "5000000", "Time signal, Fort Collins"},
                                           {"Radio Europa", "5920000", "1800-1900[Sa,Su] E,D Eu"},
                                           {"Radio Bulgaria", "7400000", "1800-2000 E Eu"},
                                           {"ORTM Bamako", "9635000", "1800-1900[Sa] F Af"},
                                           {"Radio Romani", "9670000", "1700-1830[irr] E Eu"}});
        MainWindow& window = startWindow(start);
        SeasonScript script;
        script.apply = apply;
        window.scheduleActions().setAsker(&script);
        const QString file = path(QStringLiteral("sked-B26.csv"));
        testing::WriteBytes(file, season);
        QUndoStack& undo = window.document().undoStack();
        const int steps = undo.count();
        QCOMPARE(window.scheduleActions().importFile(file), !rows.isEmpty());
        QCOMPARE(script.tabs, tabs);
        QCOMPARE(undo.count(), steps + (rows.isEmpty() ? 0 : 1));
        const std::string before = BuildCsvText(start, true).bytes;
        if (rows.isEmpty()) {
            QCOMPARE(BuildCsvText(table(), true).bytes, before);
            return;
        }
        QStringList shown;
        for (int row = 1; row < table().RowCount(); ++row) {
            shown << QString::fromStdString(std::string(table().CellText(row, Callsign)) + ": " +
                                            std::string(table().CellText(row, Comments)));
        }
        QCOMPARE(shown, rows);
        QVERIFY2(status().startsWith("Updated the schedule channels from sked-B26.csv: 2 kept, "
                                     "1 updated, 1 added, 1 removed"),
                 qPrintable(status()));
        QCOMPARE(testing::ColumnTexts(table(), Number), QStringList({"1", "2", "3", "5", "6"}));
        const std::string after = BuildCsvText(table(), true).bytes;
        undo.undo();
        QCOMPARE(BuildCsvText(table(), true).bytes, before);
        undo.redo();
        QCOMPARE(BuildCsvText(table(), true).bytes, after);
    }
};

QTEST_MAIN(TestScheduleChannels)
#include "tst_schedulechannels.moc"
