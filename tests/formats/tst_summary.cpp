#include <QtTest>

#include "formats/EibiSchedule.h"
#include "formats/ScheduleFilter.h"
#include "formats/ScheduleSummary.h"

using namespace corvalen;

namespace {

// The Comments of each channel the import makes of schedule lines (after EiBi's header).
QStringList ImportedComments(const QByteArray& lines) {
    const Schedule schedule = ReadEibiSchedule(("kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;"
                                                "Lng:49;Target:62;Remarks:135;P:35;Start:60;"
                                                "Stop:60;\r\n" +
                                                lines)
                                                   .toStdString());
    const MemoryTable channels = ScheduleChannels(SelectBroadcasts(schedule, {}).entries);
    QStringList comments;
    for (int row = 1; row < channels.RowCount(); ++row) {
        comments << QString::fromStdString(std::string(channels.CellText(row, Comments)));
    }
    return comments;
}

}  // namespace

class TestSummary : public QObject {
    Q_OBJECT

private slots:
    // Comments read as a summary and written again; an empty `written` is no summary.
    void readAndWrite_data() {
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QString>("written");
        QTest::newRow("daily") << "1800-1900,2100-2200 E,F Eu" << "1800-1900,2100-2200 E,F Eu";
        QTest::newRow("range and daily") << "0600-0800[Mo-Fr],1800-1900 E,F Eu"
                                         << "0600-0800[Mo-Fr],1800-1900 E,F Eu";
        QTest::newRow("two days") << "1800-1900[Sa,Su] E" << "1800-1900[Sa,Su] E";
        QTest::newRow("scattered days") << "1800-1900[Mo,We,Fr]" << "1800-1900[Mo,We,Fr]";
        QTest::newRow("past midnight") << "2300-0100[Sa] S NAm" << "2300-0100[Sa] S NAm";
        QTest::newRow("ends at 2400") << "0000-2400 -TS NAm" << "0000-2400 -TS NAm";
        QTest::newRow("unread days") << "1900-2000[irr] F Af" << "1900-2000[irr] F Af";
        QTest::newRow("EiBi's digits") << "1800-1900[1245]" << "1800-1900[Mo,Tu,Th,Fr]";
        QTest::newRow("wrapping range") << "1800-1900[We-Mo]" << "1800-1900[Mo,We-Su]";
        QTest::newRow("every day named") << "1800-1900[Mo-Su] E" << "1800-1900 E";
        QTest::newRow("lone code list") << "1800-1900 Eu" << "1800-1900 Eu";
        QTest::newRow("blanks around and between") << " 1800-1900  E\t" << "1800-1900 E";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("a name") << "Radio Australia" << "";
        QTest::newRow("one time") << "0900 news" << "";
        QTest::newRow("words after a span") << "1800-1900 news at nine" << "";
        QTest::newRow("span after a word") << "News 1800-1900" << "";
        QTest::newRow("cut span") << "0600-0800,1800-19" << "";
        QTest::newRow("trailing comma") << "1800-1900," << "";
        QTest::newRow("starts at 2400") << "2400-0100" << "";
        QTest::newRow("empty days") << "1800-1900[] E" << "";
        QTest::newRow("unclosed days") << "1800-1900[Mo E" << "";
        QTest::newRow("other separator") << "1800-1900;2000-2100" << "";
        QTest::newRow("slash in a code") << "1800-1900 E/F" << "";
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
        QTest::newRow("daily spans as written")
            << QByteArray("9420;2100-0100;;GRC;ERT;Gr,E;Eu;;1;;\n"
                          "9420;1800-1900;;GRC;ERT;Gr;Eu;;1;;\n9420;2100-0100;;GRC;ERT;E;;;1;;\n")
            << QStringList{"2100-0100,1800-1900 Gr,E Eu"};
        QTest::newRow("days joined")
            << QByteArray("6000;1800-1900;Sa;D;DW;E;Eu;;1;;\n6000;0600-0800;1-5;D;DW;E;Eu;;1;;\n"
                          "6000;1800-1900;Su;D;DW;E;Eu;;1;;\n")
            << QStringList{"1800-1900[Sa,Su],0600-0800[Mo-Fr] E Eu"};
        QTest::newRow("daily and a day make daily")
            << QByteArray("6000;1800-1900;Sa;D;DW;E;Eu;;1;;\n6000;1800-1900;;D;DW;;;;1;;\n")
            << QStringList{"1800-1900 E Eu"};
        QTest::newRow("unread days stay apart")
            << QByteArray("9610;1900-2000;irr;CHN;CRI;F;Af;;1;;\n"
                          "9610;1900-2000;Mo;CHN;CRI;F;Af;;1;;\n"
                          "9610;1900-2000;1.Sa] x;CHN;CRI;F;Af;;1;;\n")
            << QStringList{"1900-2000[irr],1900-2000[Mo],1900-2000[1.Sa__x] F Af"};
        QTest::newRow("unreadable time")
            << QByteArray("7325;25:00-01;;X;Odd;E;Eu;;1;;\n7330;0100-0200;;X;Odd;E;Eu;;1;;\n"
                          "7330;1:00;;X;Odd;;;;1;;\n")
            << QStringList{"25:00-01 E Eu", "0100-0200 E Eu"};
    }
    void importedComments() {
        QFETCH(QByteArray, lines);
        QFETCH(QStringList, comments);
        QCOMPARE(ImportedComments(lines), comments);
    }

    // Start minute on, end minute off; a span past midnight on the day it starts.
    void onAir_data() {
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("hhmm");
        QTest::addColumn<int>("day");  // 0 Monday; -1 any day
        QTest::addColumn<int>("within");
        QTest::addColumn<bool>("onAir");
        QTest::newRow("start minute") << "1800-1900" << 1800 << 0 << 0 << true;
        QTest::newRow("last minute") << "1800-1900" << 1859 << 0 << 0 << true;
        QTest::newRow("end minute") << "1800-1900" << 1900 << 0 << 0 << false;
        QTest::newRow("all day") << "0000-2400" << 2359 << 6 << 0 << true;
        QTest::newRow("second span") << "0600-0700,1800-1900 E" << 1830 << 2 << 0 << true;
        QTest::newRow("wrap, next day") << "2300-0100[Sa]" << 30 << 6 << 0 << true;
        QTest::newRow("wrap, not the day before") << "2300-0100[Sa]" << 30 << 5 << 0 << false;
        QTest::newRow("wrap, own day") << "2300-0100[Sa]" << 2330 << 5 << 0 << true;
        QTest::newRow("wrap, not the next evening") << "2300-0100[Sa]" << 2330 << 6 << 0 << false;
        QTest::newRow("wrap from Sunday to Monday") << "2300-0100[Su]" << 30 << 0 << 0 << true;
        QTest::newRow("weekday off") << "1800-1900[Mo-Fr]" << 1830 << 5 << 0 << false;
        QTest::newRow("any day") << "1800-1900[Mo-Fr]" << 1830 << -1 << 0 << true;
        QTest::newRow("unread days every day") << "1900-2000[irr]" << 1930 << 5 << 0 << true;
        QTest::newRow("within, ends before") << "1800-1900" << 1700 << 0 << 60 << false;
        QTest::newRow("within, reaches start") << "1800-1900" << 1700 << 0 << 61 << true;
        QTest::newRow("within, into next day") << "0030-0100[Tu]" << 2345 << 0 << 60 << true;
        QTest::newRow("within, wrong next day") << "0030-0100[Tu]" << 2345 << 1 << 60 << false;
        QTest::newRow("within, already on") << "1800-1900" << 1830 << 0 << 60 << true;
    }
    void onAir() {
        QFETCH(QString, summary);
        QFETCH(int, hhmm);
        QFETCH(int, day);
        QFETCH(int, within);
        QFETCH(bool, onAir);
        const std::optional<ScheduleSummary> read = ReadScheduleSummary(summary.toStdString());
        QVERIFY(read);
        QCOMPARE(OnAirAt(*read, hhmm / 100 * 60 + hhmm % 100, day, within), onAir);
    }
};

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"
