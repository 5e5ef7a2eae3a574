#include <QtTest>

#include "../TestTables.h"
#include "formats/EibiSchedule.h"
#include "formats/ScheduleFilter.h"
#include "formats/ScheduleSummary.h"
#include "formats/SeasonUpdate.h"

using namespace corvalen;

namespace {

// The channels the import makes of schedule lines (after EiBi's header).
MemoryTable Imported(const QByteArray& lines) {
    const Schedule schedule = ReadEibiSchedule((testing::kEibiHeader + lines).toStdString());
    return ScheduleChannels(SelectBroadcasts(schedule, {}).entries);
}

// Rows "Number;Frequency;Mode;Callsign;Comments" as a table, and back.
MemoryTable TableOf(const QStringList& rows) {
    MemoryTable table = MemoryTable::ImportLayout();
    for (const QString& row : rows) {
        const QStringList cells = row.split(';');
        MemoryTable::Row all(kImportedColumnCount);
        int k = 0;
        for (const int column : {Number, Frequency, Mode, Callsign, Comments}) {
            all[static_cast<std::size_t>(column)] = cells[k++].toStdString();
        }
        table.AppendRow(all);
    }
    return table;
}
QStringList RowsOf(const MemoryTable& table) {
    QStringList rows;
    for (int row = 1; row < table.RowCount(); ++row) {
        QStringList cells;
        for (const int column : {Number, Frequency, Mode, Callsign, Comments}) {
            cells << testing::Cell(table, row, column);
        }
        rows << cells.join(';');
    }
    return rows;
}

}  // namespace

class TestSummary : public QObject {
    Q_OBJECT

private slots:
    // Comments read as a summary and written again; an empty `written` is no summary.
    void readAndWrite_data() {
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("written");
        for (const char* same :
             {"1800-1900,2100-2200 E,F Eu", "0600-0800[Mo-Fr],1800-1900 E,F Eu",
              "2300-0100[Sa] S NAm", "0000-2400 -TS NAm", "1900-2000[irr] F Af", "1800-1900 Eu"}) {
            QTest::newRow(same) << same << same;
        }
        // Read, and written in the summary's own form.
        for (const auto& [text, written] :
             {std::pair{"1800-1900[1245]", "1800-1900[Mo,Tu,Th,Fr]"},
              {"1800-1900[We-Mo]", "1800-1900[Mo,We-Su]"},
              {"1800-1900[Mo-Su] E", "1800-1900 E"},
              {" 1800-1900  E\t", "1800-1900 E"},
              {"0600-0800[Mo-Fr],1800-1900,2100", "0600-0800[Mo-Fr],1800-1900"},
              {"0600-0800[Mo-Fr],1800-1900[Sa,S", "0600-0800[Mo-Fr],1800-1900"}}) {
            QTest::newRow(text) << text << written;
        }
        // None of these is a summary.
        for (const char* none :
             {"", "Radio Australia", "0900 news", "1800-1900 news at nine", "0600-0800,1800-19",
              "0600-0800[Mo-Fr],1800-1900,210", "2400-0100", "1800-1900[] E", "1800-1900[Mo E",
              "1800-1900;2000-2100", "1800-1900 E/F"}) {
            QTest::newRow(*none ? none : "empty") << none << QString();
        }
    }
    void readAndWrite() {
        QFETCH(QString, comments);
        QFETCH(QString, written);
        const std::optional<ScheduleSummary> summary = ReadScheduleSummary(comments.toStdString());
        QCOMPARE(summary ? QString::fromStdString(WriteScheduleSummary(*summary)) : QString(),
                 written);
    }

    // What the import writes: the same time on several days joined, daily spans as EiBi writes
    // them, unread Days kept as one word, unreadable times as written when nothing else is.
    void importedComments_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QStringList>("comments");
        const auto row = [](const char* name, const QByteArray& lines,
                            const QStringList& comments) {
            QTest::newRow(name) << lines << comments;
        };
        row("daily spans as written",
            "9420;2100-0100;;GRC;ERT;Gr,E;Eu;;1;;\n"
            "9420;1800-1900;;GRC;ERT;Gr;Eu;;1;;\n9420;2100-0100;;GRC;ERT;E;;;1;;\n",
            {"2100-0100,1800-1900 Gr,E Eu"});
        row("days joined",
            "6000;1800-1900;Sa;D;DW;E;Eu;;1;;\n6000;0600-0800;1-5;D;DW;E;Eu;;1;;\n"
            "6000;1800-1900;Su;D;DW;E;Eu;;1;;\n",
            {"1800-1900[Sa,Su],0600-0800[Mo-Fr] E Eu"});
        row("daily and a day make daily",
            "6000;1800-1900;Sa;D;DW;E;Eu;;1;;\n6000;1800-1900;;D;DW;;;;1;;\n", {"1800-1900 E Eu"});
        row("unread days stay apart",
            "9610;1900-2000;irr;CHN;CRI;F;Af;;1;;\n"
            "9610;1900-2000;Mo;CHN;CRI;F;Af;;1;;\n"
            "9610;1900-2000;1.Sa] x;CHN;CRI;F;Af;;1;;\n",
            {"1900-2000[irr],1900-2000[Mo],1900-2000[1.Sa__x] F Af"});
        row("unreadable time",
            "7325;25:00-01;;X;Odd;E;Eu;;1;;\n7330;0100-0200;;X;Odd;E;Eu;;1;;\n"
            "7330;1:00;;X;Odd;;;;1;;\n",
            {"25:00-01 E Eu", "0100-0200 E Eu"});
    }
    void importedComments() {
        QFETCH(QByteArray, lines);
        QFETCH(QStringList, comments);
        QCOMPARE(testing::ColumnTexts(Imported(lines), Comments), comments);
    }

    // Start minute on, end minute off; a span past midnight on the day it starts.
    void summaryOnAir_data() {
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("hhmm");
        QTest::addColumn<int>("day");  // 0 Monday; -1 any day
        QTest::addColumn<int>("within");
        QTest::addColumn<bool>("onAir");
        QTest::newRow("start minute") << "1800-1900" << 1800 << 0 << 0 << true;
        QTest::newRow("end minute") << "1800-1900" << 1900 << 0 << 0 << false;
        QTest::newRow("all day") << "0000-2400" << 2359 << 6 << 0 << true;
        QTest::newRow("wrap, next day") << "2300-0100[Sa]" << 30 << 6 << 0 << true;
        QTest::newRow("wrap, not the day before") << "2300-0100[Sa]" << 30 << 5 << 0 << false;
        QTest::newRow("wrap, own day") << "2300-0100[Sa]" << 2330 << 5 << 0 << true;
        QTest::newRow("wrap from Sunday to Monday") << "2300-0100[Su]" << 30 << 0 << 0 << true;
        QTest::newRow("weekday off") << "1800-1900[Mo-Fr]" << 1830 << 5 << 0 << false;
        QTest::newRow("any day") << "1800-1900[Mo-Fr]" << 1830 << -1 << 0 << true;
        QTest::newRow("unread days every day") << "1900-2000[irr]" << 1930 << 5 << 0 << true;
        QTest::newRow("days cut, every day")
            << "0600-0800[Mo-Fr],1800-1900[Sa,S" << 1830 << 2 << 0 << true;
        QTest::newRow("within, ends before") << "1800-1900" << 1700 << 0 << 60 << false;
        QTest::newRow("within, reaches start") << "1800-1900" << 1700 << 0 << 61 << true;
        QTest::newRow("within, into next day") << "0030-0100[Tu]" << 2345 << 0 << 60 << true;
        QTest::newRow("within, wrong next day") << "0030-0100[Tu]" << 2345 << 1 << 60 << false;
    }
    void summaryOnAir() {
        QFETCH(QString, summary);
        QFETCH(int, hhmm);
        QFETCH(int, day);
        QFETCH(int, within);
        QFETCH(bool, onAir);
        const std::optional<ScheduleSummary> read = ReadScheduleSummary(summary.toStdString());
        QVERIFY(read);
        QCOMPARE(OnAirAt(*read, hhmm / 100 * 60 + hhmm % 100, day, within), onAir);
    }

    // A new season over a table: the user's rows stay as they are, the schedule's are kept,
    // updated, removed, and the season's new pairs added after the highest Number.
    void planSeasonUpdate_data() {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("counts");  // kept, updated, added, removed
        const QString dw = "6000000;AM;DW;1800-1900 E Eu", ert = "9420000;AM;ERT;2100-0100 Gr",
                      cuba = "11780000;AM;Radio Habana Cuba;0000-0100,0600-0800[Mo-Fr] S,E NAm";
        const auto row = [](const char* name, const QStringList& table, const QStringList& after,
                            const QString& counts) {
            QTest::newRow(name) << table << after << counts;
        };
        row("hand-made rows untouched",
            {"1;7100000;LSB;Ham net;Radio Australia", "2;6000000;AM;DW;",
             "x;5000000;AM;WWV;0900 news"},
            {"1;7100000;LSB;Ham net;Radio Australia", "2;6000000;AM;DW;",
             "x;5000000;AM;WWV;0900 news", "3;" + dw, "4;" + ert, "5;" + cuba},
            "0 0 3 0");
        row("kept, updated, edits kept", {"7;9420000;USB;ERT;2100-0100[Sa] Gr", "5;" + dw},
            {"7;9420000;USB;ERT;2100-0100 Gr", "5;" + dw, "8;" + cuba}, "1 1 1 0");
        row("cut by a memory file",
            {"2;9420000;AM;ERT;2100-0100 Gr", "3;6000000;AM;DW;1800-1900 E",
             "4;11780000;AM;Radio Habana;0000-0100,0600-0800[Mo-Fr] S,E "},
            {"2;9420000;AM;ERT;2100-0100 Gr", "3;6000000;AM;DW;1800-1900 E Eu",
             "4;11780000;AM;Radio Habana;0000-0100,0600-0800[Mo-Fr] S,E "},
            "2 1 0 0");
        row("removed, order kept",
            {"9;7325000;AM;Gone;0100-0200 E", "1;7100000;LSB;Ham net;",
             "8;5000000;AM;WWV;0000-2400 -TS", "2;" + dw},
            {"1;7100000;LSB;Ham net;", "2;" + dw, "10;" + ert, "11;" + cuba}, "1 0 2 2");
        row("numbered above the highest", {"65000;7100000;LSB;Ham net;", "12;" + dw},
            {"65000;7100000;LSB;Ham net;", "12;" + dw, "65001;" + ert, "65002;" + cuba}, "1 0 2 0");
        row("repeated pair, Hz written otherwise",
            {"1;" + dw, "2; 6000000 ;AM;DW;1800-1900 E", "3;" + ert},
            {"1;" + dw, "2; 6000000 ;AM;DW;1800-1900 E Eu", "3;" + ert, "4;" + cuba}, "2 1 1 0");
    }
    void planSeasonUpdate() {
        QFETCH(QStringList, table);
        QFETCH(QStringList, after);
        QFETCH(QString, counts);
        const MemoryTable season = Imported(
            "6000;1800-1900;;D;DW;E;Eu;;1;;\n9420;2100-0100;;GRC;ERT;Gr;;;1;;\n"
            "11780;0000-0100;;CUB;Radio Habana Cuba;S;NAm;;1;;\n"
            "11780;0600-0800;1-5;CUB;Radio Habana Cuba;E;NAm;;1;;\n");
        const MemoryTable before = TableOf(table);
        const SeasonUpdate update = PlanSeasonUpdate(before, season);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(update.kept.size())
                     .arg(update.updated.size())
                     .arg(update.added.ChannelCount())
                     .arg(update.removed.size()),
                 counts);
        QCOMPARE(RowsOf(ApplySeasonUpdate(before, update)), after);
    }
};

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"
