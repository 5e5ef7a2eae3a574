#pragma once

// The one fixture of the editor's tests: a window whose settings live in a scratch folder, with
// its file dialogs and message boxes answered from scripts. It brings what most of the tests use.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>
#include <functional>
#include <memory>

#include "../TestTables.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "app/BackgroundWork.h"
#include "app/ChannelViewModel.h"
#include "app/EditActions.h"
#include "app/FileActions.h"
#include "app/FindBar.h"
#include "app/MainWindow.h"
#include "app/ProblemIndex.h"
#include "app/Translations.h"
#include "app/UndoSteps.h"
#include "csv/CsvWriter.h"
#include "table/Columns.h"

// Checks that a text holds (or starts with) a part, and shows the whole text when it does not.
#define VERIFY_HOLDS(text, part) QVERIFY2((text).contains(part), qPrintable(text))
#define VERIFY_STARTS(text, part) QVERIFY2((text).startsWith(part), qPrintable(text))

// The window's status line, and the lines behind it (its tooltip).
inline QString statusLine(const corvalen::MainWindow& window) {
    return window.findChild<QLabel*>(QStringLiteral("statusLine"))->text();
}
inline QString statusTooltip(const corvalen::MainWindow& window) {
    return window.findChild<QLabel*>(QStringLiteral("statusLine"))->toolTip();
}

// Puts the editor in the language of `locale`; whether it has a translation for it.
inline bool InstallLanguage(const QLocale& locale) {
    return corvalen::InstallTranslations(*QCoreApplication::instance(), locale);
}

// Runs `open`, which shows a modal dialog, and hands the dialog to `look` once it is up; `look`
// closes it. Whether a dialog came.
inline bool WithModal(const std::function<void()>& open,
                      const std::function<void(QWidget*)>& look) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr && !seen) {
            seen = true;
            look(dialog);
        }
    });
    poll.start(10);
    open();
    return seen;
}

class EditorTest : public QObject {
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedFileDialogs> m_dialogs;
    std::unique_ptr<ScriptedMessageBoxes> m_boxes;
    std::unique_ptr<corvalen::MainWindow> m_window;
    QString m_programDir;  // where the settings go: beside the program, else the user's folder
    QString m_userDir;

    // For init(): a fresh scratch folder with an empty "program" folder, and fresh scripts.
    void setUpEditor() {
        m_window.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_programDir = path(QStringLiteral("program"));
        m_userDir = path(QStringLiteral("user"));
        QVERIFY(QDir().mkpath(m_programDir));
        m_dialogs = std::make_unique<ScriptedFileDialogs>();
        m_boxes = std::make_unique<ScriptedMessageBoxes>();
    }

    QString path(const QString& name) const { return m_dir->filePath(name); }

    corvalen::MainWindow& startWindow() {
        m_window = std::make_unique<corvalen::MainWindow>(
            corvalen::SettingsFile(m_programDir, m_userDir), m_dialogs.get(), m_boxes.get());
        m_window->start();
        return *m_window;
    }

    // Starts the window and imports `table` from a CSV file; a table without channels, which no
    // file brings, is loaded as it stands.
    corvalen::MainWindow& startWindow(const corvalen::MemoryTable& table) {
        startWindow();
        if (table.ChannelCount() == 0) {
            corvalen::LoadTableStep::Push(m_window->document(), table, QStringLiteral("Open"));
            m_window->document().undoStack().setClean();
        } else {
            openCsv(QStringLiteral("channels.csv"), table);
        }
        return *m_window;
    }

    QString writeCsv(const QString& name, const corvalen::MemoryTable& table,
                     const QByteArray& extraLines = {}) {
        testing::WriteBytes(
            path(name), QByteArray::fromStdString(BuildCsvText(table, true).bytes) + extraLines);
        return path(name);
    }
    // Writes `table` to a CSV file and opens it in the running window.
    void openCsv(const QString& name, const corvalen::MemoryTable& table,
                 const QByteArray& extraLines = {}) {
        QVERIFY(m_window->fileActions().openChannelFile(writeCsv(name, table, extraLines)));
        waitForFiles();
    }
    void activate() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    // Undo gives back exactly the table from before, redo the one after.
    void checkUndoRedo(const corvalen::MemoryTable& before) {
        const corvalen::MemoryTable after = table();
        m_window->document().undoStack().undo();
        QVERIFY(table() == before);
        m_window->document().undoStack().redo();
        QVERIFY(table() == after);
    }

    corvalen::MemoryTableModel& model() const {
        waitForFiles();
        return m_window->document().table();
    }
    const corvalen::MemoryTable& table() const { return model().table(); }
    QTableView& grid() const { return *m_window->grid(); }
    void editCell(int tableRow, int column, const QString& text) {
        QVERIFY(model().setData(model().index(tableRow - 1, column), text));
    }
    QString cellText(int tableRow, int column) const {
        return QString::fromStdString(std::string(table().CellText(tableRow, column)));
    }

    // The grid's index of a table row's cell, and the table row a grid index shows.
    QModelIndex gridCell(int tableRow, int column) const {
        return m_window->view().mapFromSource(model().index(tableRow - 1, column));
    }
    int tableRowOf(const QModelIndex& gridIndex) const {
        return m_window->view().mapToSource(gridIndex).row() + 1;
    }
    // Selects whole rows of the grid (grid rows, top to bottom), the cursor on the first.
    void selectGridRows(const QList<int>& gridRows) {
        QTableView* grid = m_window->grid();
        grid->clearSelection();
        grid->setCurrentIndex(grid->model()->index(gridRows.front(), 0));
        for (const int row : gridRows) {
            grid->selectionModel()->select(grid->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    // Checks the table for the receiver model 313 at once.
    void checkFor313() {
        m_window->document().setModelName(QStringLiteral("313"));
        m_window->problems().scheduleCheck();
        m_window->problems().checkNow();
    }

    QPushButton* button(const QString& caption) const {
        for (QPushButton* candidate : m_window->findChildren<QPushButton*>()) {
            if (candidate->text() == caption) {
                return candidate;
            }
        }
        return nullptr;
    }
    // Clicks the button, and waits for the file its command reads or writes.
    void click(const QString& caption) {
        QPushButton* target = button(caption);
        QVERIFY2(target, qPrintable(caption));
        QTest::mouseClick(target, Qt::LeftButton);
        waitForFiles();
    }
    // Triggers the window's action of that object name, as its menu entry or shortcut would,
    // and waits for the file it reads or writes.
    void trigger(const QString& actionName) {
        auto* action = m_window->findChild<QAction*>(actionName);
        QVERIFY2(action, qPrintable(actionName));
        action->trigger();
        waitForFiles();
    }
    // The same with `answer` as the one answer of its file dialog.
    void trigger(const QString& actionName, const QString& answer) {
        m_dialogs->answers = {answer};
        trigger(actionName);
    }
    // The status line with its details, as one text.
    QString status() const {
        waitForFiles();
        return statusLine(*m_window) + '\n' + statusTooltip(*m_window);
    }
    // Until the window has read or written the file it reads or writes off its thread.
    void waitForFiles() const {
        QElapsedTimer waited;
        waited.start();
        while (m_window && m_window->fileActions().background().running() &&
               waited.elapsed() < 60000) {
            QTest::qWait(5);
        }
    }
};
