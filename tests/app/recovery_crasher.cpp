// For tst_recovery: an editor that is killed. It opens a CSV file, makes edits, waits until its
// recovery copy holds them, and then ends by SIGKILL, as a crash or the system would end it:
// nothing of the program runs after that.
//
//   recovery_crasher PROGRAM_FOLDER RECOVERY_FOLDER FILE.csv

#include <QApplication>
#include <QSignalSpy>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#include <csignal>
#endif

#include "ScriptedDialogs.h"
#include "app/Document.h"
#include <QAction>
#include "app/FileActions.h"
#include "app/MainWindow.h"
#include "app/RecoveryCopy.h"
#include "app/WorkKeeper.h"
#include "table/Columns.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        return 2;
    }
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes boxes;
    corvalen::MainWindow window(corvalen::SettingsFile(QString::fromLocal8Bit(argv[1]), {}),
                                &dialogs, &boxes);
    window.start();
    window.keeper().startRecovery(QString::fromLocal8Bit(argv[2]));
    QSignalSpy loaded(&window.fileActions(), &corvalen::FileActions::tableLoaded);
    if (!window.fileActions().openChannelFile(QString::fromLocal8Bit(argv[3])) ||
        !loaded.wait(60000)) {
        return 3;
    }
    corvalen::MemoryTableModel& model = window.document().table();
    // The same edits tst_recovery expects back: a callsign, a frequency and a new row.
    model.setData(model.index(0, corvalen::Callsign), QStringLiteral("EDITED"));
    model.setData(model.index(1, corvalen::Frequency), QStringLiteral("9999000"));
    window.findChild<QAction*>(QStringLiteral("addRowAction"))->trigger();
    const int last = model.rowCount() - 1;
    model.setData(model.index(last, corvalen::Frequency), QStringLiteral("7100000"));
    model.setData(model.index(last, corvalen::Comments), QStringLiteral("tab\there, \"quoted\""));

    QSignalSpy written(&window.keeper().recovery(), &corvalen::RecoveryCopy::written);
    if (!written.wait(60000) || !written.first().first().toString().isEmpty()) {
        return 4;
    }
#ifdef _WIN32
    // The same on Windows: the process ends at once, nothing of it runs on.
    ::TerminateProcess(::GetCurrentProcess(), 9);
#else
    ::kill(::getpid(), SIGKILL);
#endif
    return 5;
}
