#include <QtTest>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "../TestTables.h"
#include "channel/CellChecks.h"
#include "channel/EditChecks.h"
#include "channel/TableChecks.h"
#include "io/Messages.h"
#include "table/Columns.h"
#include "table/MoveRows.h"

using namespace corvalen;

namespace {

// What a whole-table check finds, in the order the editor keeps.
std::vector<Diagnostic> Full(const MemoryTable& table) {
    std::vector<Diagnostic> problems = CheckCells(table, ReceiverModel());
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Diagnostic& a, const Diagnostic& b) {
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
    // Large tables, whose repeat and alike indexes grow past their first sizes, checked whole
    // and after an edit give what a whole-table check finds.
    void largeTablesFollowAFullCheck_data() {
        QTest::addColumn<int>("channels");
        for (const int channels : {4097, 20001}) {
            QTest::newRow(qPrintable(QString::number(channels))) << channels;
        }
    }
    void largeTablesFollowAFullCheck() {
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
        EditChecks checks;
        checks.CheckAll(table, ReceiverModel());
        QVERIFY2(checks.Problems() == Full(table),
                 qPrintable(FirstDifference(checks.Problems(), Full(table))));
        // The keys CheckAll kept are those later edits compare with.
        table.SetCellText(channels / 2, Number, "1");
        std::vector<int> from(std::size_t(table.RowCount()));
        std::iota(from.begin(), from.end(), 0);
        from[std::size_t(channels / 2)] = 0;
        checks.Update(table, from, ReceiverModel());
        QVERIFY2(checks.Problems() == Full(table),
                 qPrintable(FirstDifference(checks.Problems(), Full(table))));
    }

    // Row commands of the kinds a step may take, each now and then undone: cells set (as a
    // paste or Set Field does), rows inserted and deleted anywhere, rows moved as a block, and
    // the table sorted.
    void followsEditsAsAFullCheckWould_data() {
        QTest::addColumn<int>("column");  // the column edited most
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("commands");  // c: cells, i: insert and delete, m: move, s: sort
        QTest::newRow("channel numbers")
            << int(Number) << QStringList{"1", "2", "3", "03", " 2", "", "x"} << "c";
        QTest::newRow("frequencies")
            << int(Frequency) << QStringList{"7005000", "7010000", "7010000.4", "", "abc"} << "c";
        QTest::newRow("modes, known and other")
            << int(Mode) << QStringList{"USB", "usb", "AM", "", "WFM", "wfm"} << "c";
        QTest::newRow("rows emptied, inserted and deleted")
            << int(Callsign) << QStringList{"", "C1"} << "ci";
        QTest::newRow("rows moved") << int(Number) << QStringList{"1", "2", "03"} << "cm";
        QTest::newRow("rows sorted") << int(Frequency) << QStringList{"7005000", ""} << "cs";
        QTest::newRow("every command")
            << int(Mode) << QStringList{"USB", "AM", "WFM", ""} << "cims";
    }
    void followsEditsAsAFullCheckWould() {
        QFETCH(int, column);
        QFETCH(QStringList, values);
        QFETCH(QString, commands);
        const QStringList numbers{"1", "2", "3", "07", ""};
        const QStringList frequencies{"7005000", "7010000", "", "x"};
        const QStringList modes{"USB", "AM", "", "WFM"};
        std::mt19937 random(20);
        const auto below = [&](int n) { return int(random() % unsigned(n)); };
        const auto pick = [&](const QStringList& list) {
            return list[below(int(list.size()))].toStdString();
        };
        MemoryTable table = testing::Channels(24);
        // For each row, the row it was at the last check, negated where its cells changed
        // since, in the columns `changed`; 0 for a new row.
        std::vector<int> from;
        ColumnSet changed;
        const auto set = [&](int row, int c, std::string text) {
            table.SetCellText(row, c, std::move(text));
            from[std::size_t(row)] = -std::abs(from[std::size_t(row)]);
            changed.Add(c);
        };
        const auto insert = [&](int at, MemoryTable::Row cells) {
            table.AppendRow(std::move(cells), at);
            from.insert(from.begin() + at, 0);
        };
        const auto reorder = [&](const std::vector<int>& order) {
            table.ReorderRows(order);
            std::vector<int> moved{0};
            for (const int row : order) {
                moved.push_back(from[std::size_t(row)]);
            }
            from = moved;
        };
        std::function<void()> undo;
        EditChecks checks;
        checks.CheckAll(table, ReceiverModel());
        for (int step = 0; step < 400; ++step) {
            from.resize(std::size_t(table.RowCount()));
            std::iota(from.begin(), from.end(), 0);
            changed = ColumnSet();
            const int row = 1 + below(table.ChannelCount());
            const QChar command = commands[below(int(commands.size()))];
            if (undo && below(4) == 0) {
                undo();
                undo = nullptr;
            } else if (command == 'c') {
                const auto cellsOf = [&](int r) {
                    return MemoryTable::Row(table.RowCells(r).begin(), table.RowCells(r).end());
                };
                const MemoryTable::Row before = cellsOf(row);
                switch (below(4)) {
                    case 0:
                        set(row, Number, pick(numbers));
                        break;
                    case 1:
                        set(row, Frequency, pick(frequencies));
                        break;
                    case 2:
                        set(row, Mode, pick(modes));
                        break;
                    default:
                        set(row, column, pick(values));
                }
                undo = [&, row, before] {
                    for (int c = 0; c < table.ColCount(); ++c) {
                        set(row, c, before[std::size_t(c)]);
                    }
                };
                // Now and then every row changes (Set Field, a paste of every row).
                if (below(10) == 0) {
                    for (int r = 1; r < table.RowCount(); ++r) {
                        set(r, column, pick(values));
                    }
                    undo = nullptr;
                }
            } else if (command == 'i' && (below(2) == 0 || table.ChannelCount() < 4)) {
                insert(row, MemoryTable::Row{pick(numbers), pick(frequencies), "2400"});
                undo = [&, row] {
                    table.RemoveRow(row);
                    from.erase(from.begin() + row);
                };
            } else if (command == 'i') {
                MemoryTable::Row cells(table.RowCells(row).begin(), table.RowCells(row).end());
                table.RemoveRow(row);
                from.erase(from.begin() + row);
                undo = [&, row, cells] { insert(row, cells); };
            } else {
                // A block of rows moved elsewhere, or every row sorted by Frequency.
                std::vector<int> order(std::size_t(table.ChannelCount()));
                std::iota(order.begin(), order.end(), 1);
                if (command == 'm') {
                    const int length = 1 + below(std::min(5, int(order.size()) - row + 1));
                    std::rotate(order.begin() + row - 1, order.begin() + row - 1 + length,
                                order.begin() + row - 1 + length +
                                    below(int(order.size()) - row - length + 2));
                } else {
                    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
                        return table.CellText(a, Frequency) < table.CellText(b, Frequency);
                    });
                }
                reorder(order);
                undo = [&, order] { reorder(InverseRowOrder(order)); };
            }
            const std::vector<Diagnostic> before = checks.Problems();
            const bool differ = checks.Update(table, from, ReceiverModel(), changed);
            const std::vector<Diagnostic> full = Full(table);
            QVERIFY2(checks.Problems() == full,
                     qPrintable(QString("step %1: ").arg(step) +
                                FirstDifference(checks.Problems(), full)));
            // The rows said to have new problems are those whose problems differ, no more.
            QCOMPARE(differ, before != full);
            std::vector<int> differing;
            for (int r = 1; r < table.RowCount(); ++r) {
                if (ProblemsOf(before, r) != ProblemsOf(full, r)) {
                    differing.push_back(r);
                }
            }
            if (differ) {
                QVERIFY(checks.RowsWithNewProblems().has_value());
                QCOMPARE(*checks.RowsWithNewProblems(), differing);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEditChecks)
#include "tst_editchecks.moc"
