#include <QAccessible>
#include <QAccessibleInterface>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>

#include "EditorTest.h"
#include "app/ProblemsPanel.h"
#include "table/Columns.h"

using namespace corvalen;

// The window as a screen reader (Orca, through Qt's accessibility interfaces) and a keyboard
// reach it: every control and cell has a name, and every command has a way from the keyboard.
class TestReach : public EditorTest {
    Q_OBJECT

private:
    // The roles of the things a user acts on or reads, which must be named.
    static bool MustBeNamed(QAccessible::Role role) {
        switch (role) {
            case QAccessible::PushButton:
            case QAccessible::CheckBox:
            case QAccessible::RadioButton:
            case QAccessible::ComboBox:
            case QAccessible::EditableText:
            case QAccessible::SpinBox:
            case QAccessible::MenuItem:
            case QAccessible::ButtonMenu:
            case QAccessible::ButtonDropDown:
            case QAccessible::Cell:
            case QAccessible::ColumnHeader:
            case QAccessible::List:
            case QAccessible::ListItem:
            case QAccessible::Table:
            case QAccessible::Tree:
            case QAccessible::TreeItem:
            case QAccessible::PageTab:
            case QAccessible::Slider:
            case QAccessible::ToolBar:
            case QAccessible::Window:
            case QAccessible::Dialog:
                return true;
            default:
                return false;
        }
    }

    // Every shown element without a name under `node`, as "role at path".
    static void unnamed(QAccessibleInterface* node, const QString& path, QStringList& found,
                        int depth = 0) {
        if (node == nullptr || !node->isValid() || depth > 40 || node->state().invisible) {
            return;
        }
        const QAccessible::Role role = node->role();
        const QString here = path + QLatin1Char('/') + QString::number(int(role), 16);
        if (MustBeNamed(role) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            QString what = QStringLiteral("role 0x%1 at %2").arg(int(role), 0, 16).arg(here);
            if (QObject* object = node->object()) {
                what += QStringLiteral(" (%1 \"%2\")")
                            .arg(QString::fromLatin1(object->metaObject()->className()),
                                 object->objectName());
            }
            found << what;
        }
        for (int i = 0; i < node->childCount(); ++i) {
            unnamed(node->child(i), here, found, depth + 1);
        }
    }

    static QStringList unnamedIn(QObject* root) {
        QStringList found;
        unnamed(QAccessible::queryAccessibleInterface(root), QString(), found);
        return found;
    }

private slots:
    void init() { setUpEditor(); }
    void cleanup() { m_window.reset(); }

    // Every control and cell of the window has a name, with the file open, a problem listed
    // and the find bar shown.
    void everyControlHasAName() {
        MemoryTable channels = testing::Channels(3);
        channels.SetCellText(2, Groups, "2+17");  // listed in the Problems panel
        channels.SetCellText(3, Comments, "");    // an empty cell has a name too
        MainWindow& window = startWindow(channels);
        window.findBar().open();
        QTRY_VERIFY(window.problemsPanel().isVisible());
        const QStringList found = unnamedIn(&window);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // A cell is named by what the grid shows in it; an empty one says so.
    void cellsAreNamedByTheirText() {
        MemoryTable channels = testing::Channels(2);
        channels.SetCellText(2, Comments, "");
        MainWindow& window = startWindow(channels);
        trigger("frequencyMHzAction");
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(window.grid());
        QVERIFY(grid != nullptr && grid->tableInterface() != nullptr);
        const auto name = [&](int row, int column) {
            QAccessibleInterface* cell = grid->tableInterface()->cellAt(row, column);
            return cell != nullptr ? cell->text(QAccessible::Name) : QStringLiteral("(none)");
        };
        QCOMPARE(name(0, Callsign), QStringLiteral("C1"));
        QCOMPARE(name(0, Frequency), QStringLiteral("7.005000"));
        QCOMPARE(name(1, Comments), QStringLiteral("empty"));
    }

    // Each dialog's controls are named too.
    void everyDialogControlHasAName_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("Add Channel Range") << "addRangeAction";
        QTest::newRow("Set Field") << "setFieldAction";
        QTest::newRow("Go to Channel") << "goToChannelAction";
    }
    void everyDialogControlHasAName() {
        QFETCH(QString, action);
        MainWindow& window = startWindow(testing::Channels(3));
        window.grid()->selectRow(0);
        QStringList found;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            seen = true;
            found = unnamedIn(dialog);
            QMetaObject::invokeMethod(dialog, "reject");
        });
        trigger(action.toLatin1().constData());
        QVERIFY(seen);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // Every command of the window is in a menu that opens with Alt and a letter (its entries
    // are then reached with the arrow keys), the buttons' commands included, and every button
    // and the Problems list are in the Tab order.
    void everyCommandIsReachedByKeyboard() {
        MemoryTable channels = testing::Channels(2);
        channels.SetCellText(2, Groups, "2+17");
        MainWindow& window = startWindow(channels);
        QTRY_VERIFY(window.problemsPanel().isVisible());
        QStringList problems;
        QSet<QString> inMenus;
        std::function<void(QMenu*)> walk = [&](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                inMenus.insert(QString(action->text()).remove(QLatin1Char('&')));
                if (action->menu() != nullptr) {
                    walk(action->menu());
                }
            }
        };
        QSet<QChar> letters;
        for (QAction* title : window.menuBar()->actions()) {
            const QString text = title->text();
            const qsizetype mark = text.indexOf(QLatin1Char('&'));
            if (mark < 0 || mark + 1 >= text.size() || letters.contains(text[mark + 1].toLower())) {
                problems << text + " opens with no letter of its own";
            } else {
                letters.insert(text[mark + 1].toLower());
            }
            if (title->menu() != nullptr) {
                walk(title->menu());
            }
        }
        QSet<QWidget*> chain;
        for (QWidget* widget = window.grid()->nextInFocusChain();
             widget != nullptr && widget != window.grid() && chain.size() < 1000;
             widget = widget->nextInFocusChain()) {
            chain.insert(widget);
        }
        for (QPushButton* button : window.findChildren<QPushButton*>()) {
            if (!button->isVisible()) {
                continue;
            }
            if (!inMenus.contains(QString(button->text()).remove(QLatin1Char('&')))) {
                problems << button->text() + " is in no menu";
            }
            if (button->focusPolicy() == Qt::NoFocus || !chain.contains(button)) {
                problems << button->text() + " is not in the Tab order";
            }
        }
        if (window.problemsPanel().list()->focusPolicy() == Qt::NoFocus) {
            problems << QStringLiteral("the Problems list takes no focus");
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestReach)
#include "tst_reach.moc"
