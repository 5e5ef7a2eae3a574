#include <QtTest>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "../TestTables.h"
#include "channel/CellChecks.h"
#include "channel/EditChecks.h"
#include "channel/TableChecks.h"
#include "io/Messages.h"
#include "table/Columns.h"

using namespace corvalen;

namespace {

// What a whole-table check finds, in the order the editor keeps.
std::vector<Diagnostic> Full(const MemoryTable& table) {
    std::vector<Diagnostic> problems = CheckCells(table, ReceiverModel());
    std::stable_sort(problems.begin(), problems.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.number != b.number ? a.number < b.number : a.column < b.column;
    });
    return problems;
}

QString FirstDifference(const std::vector<Diagnostic>& kept, const std::vector<Diagnostic>& full) {
    const auto [a, b] = std::mismatch(kept.begin(), kept.end(), full.begin(), full.end());
    return QString("kept %1 problems, a full check %2; first differing: %3 / %4")
        .arg(kept.size())
        .arg(full.size())
        .arg(a == kept.end() ? "-" : QString::fromStdString(DiagnosticLine(*a)))
        .arg(b == full.end() ? "-" : QString::fromStdString(DiagnosticLine(*b)));
}

// The problems of table row `row`.
std::vector<Diagnostic> ProblemsOf(const std::vector<Diagnostic>& problems, int row) {
    std::vector<Diagnostic> of;
    std::copy_if(problems.begin(), problems.end(), std::back_inserter(of),
                 [row](const Diagnostic& problem) { return problem.number == row; });
    return of;
}

}  // namespace

// Random edits of a small table whose values repeat often; after each, the problems kept up to
// date edit by edit must equal a whole-table check.
class TestEditChecks : public QObject {
    Q_OBJECT

private slots:
    // A large table has its rows' own cells checked on two threads, in blocks either thread
    // takes; what it finds must be what taking the rows one after another finds, in the same
    // order, around the size where the second thread starts, with a last block of one row, and
    // with blocks' borders on rows that repeat earlier ones.
    void largeTablesAreCheckedAsRowByRow_data() {
        QTest::addColumn<int>("channels");
        for (const int channels : {8190, 8191, 8192, 9217, 20001}) {
            QTest::newRow(qPrintable(QString::number(channels))) << channels;
        }
    }
    void largeTablesAreCheckedAsRowByRow() {
        QFETCH(int, channels);
        const QStringList numbers{"1", "2", "07", "", "x", "65536", " 3"};
        const QStringList frequencies{"7005000", "7010000", "7010000.4", "", "abc", "-5"};
        const QStringList modes{"USB", "AM", "", "WFM", "usb"};
        std::mt19937 random(channels);
        const auto pick = [&](const QStringList& list) {
            return list[int(random() % unsigned(list.size()))].toStdString();
        };
        MemoryTable table = testing::Channels(channels);
        for (int row = 1; row < table.RowCount(); ++row) {
            if (random() % 50 == 0) {
                for (int c = 0; c < table.ColCount(); ++c) {
                    table.SetCellText(row, c, "");
                }
                continue;
            }
            if (random() % 4 == 0) {
                table.SetCellText(row, Number, pick(numbers));
            }
            if (random() % 4 == 0) {
                table.SetCellText(row, Frequency, pick(frequencies));
            }
            if (random() % 4 == 0) {
                table.SetCellText(row, Mode, pick(modes));
            }
            if (random() % 20 == 0) {
                table.SetCellText(row, Bandwidth, "");
            }
        }
        std::vector<Diagnostic> rowByRow;
        ReadTableRecords(
            table, rowByRow,
            [&](int row, std::span<const std::string_view> cells, const TableChecks::RowKeys&) {
                CheckRowCells(cells, ReceiverModel(), row, rowByRow);
            });
        const std::vector<Diagnostic> checked = CheckCells(table, ReceiverModel());
        QVERIFY2(checked == rowByRow, qPrintable(FirstDifference(checked, rowByRow)));
        EditChecks checks;
        checks.CheckAll(table, ReceiverModel());
        QVERIFY2(checks.Problems() == Full(table),
                 qPrintable(FirstDifference(checks.Problems(), Full(table))));
        // The keys CheckAll kept are those later edits compare with.
        table.SetCellText(channels / 2, Number, "1");
        const std::vector<int> edited{channels / 2};
        checks.RowsChanged(table, edited, ReceiverModel());
        QVERIFY2(checks.Problems() == Full(table),
                 qPrintable(FirstDifference(checks.Problems(), Full(table))));
    }

    void followsEditsAsAFullCheckWould_data() {
        QTest::addColumn<int>("column");        // the column edited most
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("rowsAtTheEnd");  // rows also added and removed at the end
        QTest::newRow("channel numbers")
            << int(Number) << QStringList{"1", "2", "3", "03", " 2", "", "x"} << false;
        QTest::newRow("frequencies")
            << int(Frequency) << QStringList{"7005000", "7010000", "7010000.4", "", "abc"} << false;
        QTest::newRow("modes, known and other")
            << int(Mode) << QStringList{"USB", "usb", "AM", "", "WFM", "wfm"} << false;
        QTest::newRow("rows emptied, added and removed at the end")
            << int(Callsign) << QStringList{"", "C1"} << true;
    }
    void followsEditsAsAFullCheckWould() {
        QFETCH(int, column);
        QFETCH(QStringList, values);
        QFETCH(bool, rowsAtTheEnd);
        const QStringList numbers{"1", "2", "3", "07", ""};
        const QStringList frequencies{"7005000", "7010000", "", "x"};
        const QStringList modes{"USB", "AM", "", "WFM"};
        std::mt19937 random(20);
        const auto pick = [&](const QStringList& list) {
            return list[int(random() % unsigned(list.size()))].toStdString();
        };
        MemoryTable table = testing::Channels(24);
        EditChecks checks;
        checks.CheckAll(table, ReceiverModel());
        for (int step = 0; step < 400; ++step) {
            std::vector<int> rows;
            const int row = 1 + int(random() % unsigned(table.ChannelCount()));
            switch (random() % 8) {
                case 0:
                    table.SetCellText(row, Number, pick(numbers));
                    break;
                case 1:
                    table.SetCellText(row, Frequency, pick(frequencies));
                    break;
                case 2:
                    table.SetCellText(row, Mode, pick(modes));
                    break;
                case 3:
                    if (rowsAtTheEnd) {
                        // Emptied whole, or a row added or taken away at the end.
                        const int kind = int(random() % 3);
                        if (kind == 0) {
                            for (int c = 0; c < table.ColCount(); ++c) {
                                table.SetCellText(row, c, "");
                            }
                        } else if (kind == 1 || table.ChannelCount() < 4) {
                            table.AppendRow(MemoryTable::Row{pick(numbers), pick(frequencies),
                                                             "2400"});
                        } else {
                            table.RemoveRow(table.ChannelCount());
                        }
                        break;
                    }
                    [[fallthrough]];
                default:
                    table.SetCellText(row, column, pick(values));
                    // Now and then a second row changes in the same step.
                    if (random() % 3 == 0) {
                        const int other = 1 + int(random() % unsigned(table.ChannelCount()));
                        table.SetCellText(other, column, pick(values));
                        rows.push_back(other);
                    }
            }
            rows.push_back(row);
            const std::vector<Diagnostic> before = checks.Problems();
            const bool changed = checks.RowsChanged(table, rows, ReceiverModel());
            const std::vector<Diagnostic> full = Full(table);
            QVERIFY2(checks.Problems() == full,
                     qPrintable(QString("step %1: ").arg(step) + FirstDifference(checks.Problems(), full)));
            // The rows said to have new problems are those whose problems differ, no more.
            QCOMPARE(changed, before != full);
            std::vector<int> differing;
            for (int r = 1; r < table.RowCount(); ++r) {
                if (ProblemsOf(before, r) != ProblemsOf(full, r)) {
                    differing.push_back(r);
                }
            }
            if (changed) {
                QVERIFY(checks.RowsWithNewProblems().has_value());
                QCOMPARE(*checks.RowsWithNewProblems(), differing);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEditChecks)
#include "tst_editchecks.moc"
