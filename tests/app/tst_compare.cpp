
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "EditorTest.h"
#include "app/CompareDialog.h"
#include "app/WorkKeeper.h"
#include "table/Columns.h"

using namespace corvalen;

// File / "Compare with File…": the differences as a list, narrowed by kind and text, and a
// channel or a cell taken from the file as one undo step.
class TestCompare : public EditorTest {
    Q_OBJECT

private:
    // The table: channels 1 to 4. The file: channel 2 retuned and renamed, channel 3 gone,
    // channel 5 new.
    QString writeOther() {
        MemoryTable other = testing::Channels(4);
        other.SetCellText(2, Frequency, "7777000");
        other.SetCellText(2, Callsign, "RENAMED");
        other.RemoveRow(3);
        other.AppendRow({"5", "9420000", "6000", "0", "", "", "", "", "", "1", "0", "0", "0",
                         "-100", "", "", "AM", "NEW", "Athens"});
        return writeCsv(QStringLiteral("other.csv"), other);
    }

    // The visible list rows' channel and kind texts.
    static QStringList Shown(const CompareDialog& dialog) {
        QStringList rows;
        const QAbstractItemModel* model = dialog.list()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!dialog.list()->isRowHidden(row)) {
                rows << model->index(row, CompareDialog::kChannelColumn).data().toString() + ' ' +
                            model->index(row, CompareDialog::kKindColumn).data().toString();
            }
        }
        return rows;
    }

    static int ListColumnOf(const CompareDialog& dialog, const QString& header) {
        const QAbstractItemModel* model = dialog.list()->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->headerData(column, Qt::Horizontal).toString() == header) {
                return column;
            }
        }
        return -1;
    }

    static void Select(CompareDialog& dialog, const QString& channel, int column) {
        const QAbstractItemModel* model = dialog.list()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 0).data().toString() == channel) {
                dialog.list()->setCurrentIndex(model->index(row, column));
                return;
            }
        }
        QFAIL("no such channel in the list");
    }

private slots:
    void init() { setUpEditor(); }

    void listsEveryKind() {
        startWindow(testing::Channels(4));
        CompareDialog dialog(m_window->document(), writeOther());
        QVERIFY(dialog.loaded());
        QCOMPARE(Shown(dialog),
                 (QStringList{"2 changed", "3 only in the table", "5 only in the file"}));
        QVERIFY2(dialog.summary()->text().startsWith(
                     "1 channel only in the table, 1 only in the file, 1 changed."),
                 qPrintable(dialog.summary()->text()));
        // The changed cells show both values; the others the table's.
        const QAbstractItemModel* model = dialog.list()->model();
        const int frequency = ListColumnOf(dialog, QStringLiteral("Frequency"));
        QVERIFY(frequency > 0);
        QCOMPARE(model->index(0, frequency).data().toString(),
                 QStringLiteral("7010000 \u2192 7777000"));
        QVERIFY(model->index(0, frequency).data(Qt::BackgroundRole).isValid());
        const int mode = ListColumnOf(dialog, QStringLiteral("Mode"));
        QCOMPARE(model->index(0, mode).data().toString(), QStringLiteral("USB"));
        QVERIFY(!model->index(0, mode).data(Qt::BackgroundRole).isValid());
    }

    void filters_data() {
        QTest::addColumn<int>("kind");  // the combo's entry
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        // (All of them: listsEveryKind.)
        QTest::newRow("only in the table") << 1 << "" << QStringList{"3 only in the table"};
        QTest::newRow("only in the file") << 2 << "" << QStringList{"5 only in the file"};
        QTest::newRow("changed") << 3 << "" << QStringList{"2 changed"};
        QTest::newRow("text") << 0 << "athens" << QStringList{"5 only in the file"};
        QTest::newRow("text and kind, nothing") << 1 << "RENAMED" << QStringList{};
        QTest::newRow("text in a changed cell") << 3 << "renamed" << QStringList{"2 changed"};
    }

    void filters() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        startWindow(testing::Channels(4));
        CompareDialog dialog(m_window->document(), writeOther());
        dialog.kindFilter()->setCurrentIndex(kind);
        dialog.textFilter()->setText(text);
        QCOMPARE(Shown(dialog), shown);
    }

    void takeCellIsOneUndoStep() {
        startWindow(testing::Channels(4));
        CompareDialog dialog(m_window->document(), writeOther());
        QUndoStack& stack = m_window->document().undoStack();
        const int steps = stack.count();
        Select(dialog, QStringLiteral("2"), ListColumnOf(dialog, QStringLiteral("Frequency")));
        QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("takeCellButton"))->isEnabled());
        dialog.takeCell();
        QCOMPARE(table().CellText(2, Frequency), std::string_view("7777000"));
        QCOMPARE(table().CellText(2, Callsign), std::string_view("C2"));  // not taken
        QCOMPARE(stack.count(), steps + 1);
        QCOMPARE(stack.undoText(), QStringLiteral("Take Frequency of Channel 2 from other.csv"));
        // The list follows: channel 2 differs in its callsign only.
        QCOMPARE(dialog.diff().changes[0].fields.size(), std::size_t{1});
        stack.undo();
        QCOMPARE(table().CellText(2, Frequency), std::string_view("7010000"));
    }

    // A channel only in the table has nothing to take.
    void takeChannel_data() {
        QTest::addColumn<QString>("channel");
        QTest::newRow("changed") << "2";
        QTest::newRow("only in the file") << "5";
        QTest::newRow("only in the table: nothing to take") << "3";
    }

    void takeChannel() {
        QFETCH(QString, channel);
        startWindow(testing::Channels(4));
        CompareDialog dialog(m_window->document(), writeOther());
        QUndoStack& stack = m_window->document().undoStack();
        const int steps = stack.count();
        const MemoryTable before = table();
        Select(dialog, channel, CompareDialog::kKindColumn);
        const bool taken = channel != "3";
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("takeChannelButton"))->isEnabled(),
                 taken);
        dialog.takeChannel();
        QCOMPARE(stack.count(), steps + (taken ? 1 : 0));
        if (!taken) {
            return;
        }
        QCOMPARE(stack.undoText(), QStringLiteral("Take Channel %1 from other.csv").arg(channel));
        QCOMPARE(Shown(dialog).size(), 2);
        if (channel == "2") {
            QCOMPARE(table().CellText(2, Frequency), std::string_view("7777000"));
            QCOMPARE(table().CellText(2, Callsign), std::string_view("RENAMED"));
            QCOMPARE(table().RowCount(), before.RowCount());
        } else {
            QCOMPARE(table().RowCount(), before.RowCount() + 1);
            QCOMPARE(table().CellText(5, Number), std::string_view("5"));
            QCOMPARE(table().CellText(5, Callsign), std::string_view("NEW"));
            QCOMPARE(table().CellText(5, Comments), std::string_view("Athens"));
        }
        stack.undo();
        QVERIFY(table() == before);
    }

    // Against a memory file only its own fields count, and taking a channel keeps the fields
    // it has no place for.
    void memoryFileFieldsOnly() {
        MemoryTable channels = testing::Channels(3);
        channels.SetCellText(1, Priority, "1");
        startWindow(channels);
        const QString g3m = path(QStringLiteral("memory.g3m"));
        m_dialogs->answers.push_back(g3m);
        trigger("saveMemoryFileAction");
        CompareDialog same(m_window->document(), g3m);
        QVERIFY(same.diff().changes.empty());
        QVERIFY(same.summary()->text().contains(QStringLiteral("the same channels")));

        model().setData(model().index(0, Callsign), QStringLiteral("CHANGED"));
        CompareDialog dialog(m_window->document(), g3m);
        QCOMPARE(Shown(dialog), QStringList{"1 changed"});
        QCOMPARE(ListColumnOf(dialog, QStringLiteral("Priority")), -1);
        Select(dialog, QStringLiteral("1"), CompareDialog::kKindColumn);
        dialog.takeChannel();
        QCOMPARE(table().CellText(1, Callsign), std::string_view("C1"));
        QCOMPARE(table().CellText(1, Priority), std::string_view("1"));
    }

    void unreadableFileIsSaid() {
        startWindow(testing::Channels(2));
        CompareDialog dialog(m_window->document(), path(QStringLiteral("missing.csv")));
        QVERIFY(!dialog.loaded());
        QVERIFY2(dialog.error().contains(QStringLiteral("missing.csv")),
                 qPrintable(dialog.error()));
    }

    void menuEntryIsInTheFileMenu() {
        startWindow(testing::Channels(2));
        auto* action = m_window->findChild<QAction*>(QStringLiteral("compareAction"));
        QVERIFY(action);
        QVERIFY(
            m_window->findChild<QMenu*>(QStringLiteral("fileMenu"))->actions().contains(action));
        // A cancelled file dialog does nothing.
        action->trigger();
        QCOMPARE(m_dialogs->shown.size(), 1);
    }
};

QTEST_MAIN(TestCompare)
#include "tst_compare.moc"
