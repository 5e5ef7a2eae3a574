// corvalen-screenshot: the editor, started as `corvalen` starts, that takes a picture of its
// window for the documentation and quits. Built beside the editor, never installed; the editor
// itself has no such hooks. scripts/screenshot runs it under a virtual X display.
//
//   corvalen-screenshot [--menu TITLE] [--action NAME | --schedule SKED | --season SKED |
//                       --compare OTHER] [--fields "name=text;..."] [--edit ROW,COLUMN[,TEXT]]
//                       [--list] [--pdf PATH] [--on-air DAY,HHMM] PICTURE [FILE]
//
// --menu opens the menu of that title; --action triggers the window's action of that object
// name (a dialog opens over the window), --schedule imports that broadcast schedule (its filter
// dialog opens over the window), --season does so too and then asks to update the table's
// schedule channels (their preview opens over the window), --compare opens Compare with File on
// OTHER, and --fields fills in the open dialog's fields; --edit opens the editor of that grid cell
// (rows and columns from 0) and types TEXT into it, and --list opens that editor's list (the Mode
// and Hotkey cells have one); --pdf writes what Export PDF… writes to PATH; --on-air sets the clock
// to that UTC minute of a day (0 Monday to 6 Sunday) of the week and turns View / On Air Now on.
// FILE is opened first, as `corvalen FILE` opens it.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>

#include "app/CompareDialog.h"
#include "app/FileActions.h"
#include "app/MainWindow.h"
#include "app/OnAirNow.h"
#include "app/PrintActions.h"
#include "app/ScheduleActions.h"
#include "app/Translations.h"

namespace {

void OpenMenu(QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions()) {
        // The title without its "&" mnemonic mark.
        if (QString(action->text()).remove(QLatin1Char('&')) == title && action->menu()) {
            bar->setActiveAction(action);
        }
    }
}

void FillFields(const QString& fields) {
    QWidget* dialog = QApplication::activeModalWidget();
    for (const QString& field : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = field.section(QLatin1Char('='), 0, 0);
        const QString text = field.section(QLatin1Char('='), 1);
        if (auto* line = dialog ? dialog->findChild<QLineEdit*>(name) : nullptr) {
            line->setText(text);
        } else if (auto* box = dialog ? dialog->findChild<QComboBox*>(name) : nullptr) {
            if (box->isEditable()) {
                box->setEditText(text);
            } else {
                box->setCurrentIndex(box->findText(text));
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The editor's name, so the settings and the translations are the editor's.
    QApplication::setApplicationName(QStringLiteral("Corvalen"));
    corvalen::InstallTranslations(app);

    QCommandLineParser parser;
    const QCommandLineOption menu(QStringLiteral("menu"), QStringLiteral("Menu to open."),
                                  QStringLiteral("title"));
    const QCommandLineOption action(QStringLiteral("action"), QStringLiteral("Action to trigger."),
                                    QStringLiteral("name"));
    const QCommandLineOption fields(QStringLiteral("fields"),
                                    QStringLiteral("Dialog fields: name=text;name=text."),
                                    QStringLiteral("fields"));
    const QCommandLineOption schedule(QStringLiteral("schedule"),
                                      QStringLiteral("Broadcast schedule to import."),
                                      QStringLiteral("file"));
    const QCommandLineOption edit(QStringLiteral("edit"),
                                  QStringLiteral("Grid cell to edit: row,column[,text]."),
                                  QStringLiteral("cell"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("PDF file to export."),
                                 QStringLiteral("path"));
    const QCommandLineOption list(QStringLiteral("list"),
                                  QStringLiteral("Open the list of the cell being edited."));
    const QCommandLineOption compare(QStringLiteral("compare"),
                                     QStringLiteral("File to compare the table with."),
                                     QStringLiteral("file"));
    const QCommandLineOption season(QStringLiteral("season"),
                                    QStringLiteral("Broadcast schedule to update the table with."),
                                    QStringLiteral("file"));
    const QCommandLineOption onAir(QStringLiteral("on-air"),
                                   QStringLiteral("On Air Now at day,HHMM (day 0 Monday)."),
                                   QStringLiteral("moment"));
    parser.addOptions({menu, action, schedule, season, compare, fields, edit, list, pdf, onAir});
    parser.addPositionalArgument(QStringLiteral("picture"), QStringLiteral("The PNG to save."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A file to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty()) {
        parser.showHelp(2);
    }
    const QString picturePath = arguments.first();

    corvalen::MainWindow window(corvalen::SettingsFile(
        QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
    window.start();
    if (arguments.size() > 1) {
        window.fileActions().openFile(QFileInfo(arguments[1]).absoluteFilePath());
    }

    if (parser.isSet(menu)) {
        QTimer::singleShot(500, &window, [&] { OpenMenu(window.menuBar(), parser.value(menu)); });
    }
    if (parser.isSet(action)) {
        QTimer::singleShot(300, &window, [&] {
            if (auto* found = window.findChild<QAction*>(parser.value(action))) {
                found->trigger();
            }
        });
    }
    if (parser.isSet(schedule)) {
        QTimer::singleShot(300, &window, [&] {
            window.scheduleActions().importFile(
                QFileInfo(parser.value(schedule)).absoluteFilePath());
        });
    }
    if (parser.isSet(season)) {
        QTimer::singleShot(300, &window, [&] {
            window.scheduleActions().importFile(QFileInfo(parser.value(season)).absoluteFilePath());
        });
        // The filter dialog asked to update, and accepted: the preview opens.
        QTimer::singleShot(1000, &window, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                if (auto* update =
                        dialog->findChild<QCheckBox*>(QStringLiteral("updateChannels"))) {
                    update->setChecked(true);
                    QMetaObject::invokeMethod(dialog, "accept");
                }
            }
        });
    }
    if (parser.isSet(onAir)) {
        const QStringList moment = parser.value(onAir).split(QLatin1Char(','));
        const QDateTime at(QDate(2026, 12, 7).addDays(moment.value(0).toInt()),  // a Monday
                           QTime::fromString(moment.value(1), QStringLiteral("HHmm")), Qt::UTC);
        window.onAirNow().setClock([at] { return at; });
        QTimer::singleShot(300, &window, [&] { window.onAirNow().showAction()->trigger(); });
    }
    if (parser.isSet(compare)) {
        QTimer::singleShot(300, &window, [&] {
            auto* dialog = new corvalen::CompareDialog(
                window.document(), QFileInfo(parser.value(compare)).absoluteFilePath(), &window);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->show();
        });
    }
    if (parser.isSet(fields)) {
        QTimer::singleShot(800, &window, [&] { FillFields(parser.value(fields)); });
    }
    if (parser.isSet(edit)) {
        QTimer::singleShot(900, &window, [&] {
            const QStringList cell = parser.value(edit).split(QLatin1Char(','));
            QTableView* grid = window.grid();
            const QModelIndex index =
                grid->model()->index(cell.value(0).toInt(), cell.value(1).toInt());
            grid->setCurrentIndex(index);
            grid->edit(index);
            auto* line = grid->viewport()->findChild<QLineEdit*>();
            if (line != nullptr && cell.size() > 2) {
                line->setText(cell.mid(2).join(QLatin1Char(',')));
            }
            if (auto* box = grid->viewport()->findChild<QComboBox*>();
                box != nullptr && parser.isSet(list)) {
                box->showPopup();
            }
        });
    }
    if (parser.isSet(pdf)) {
        QTimer::singleShot(900, &window,
                           [&] { window.printActions().writePdf(parser.value(pdf)); });
    }
    QTimer::singleShot(1500, &window, [&] {
        const QRect frame = window.frameGeometry();
        const QPixmap picture =
            window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        QApplication::exit(picture.save(picturePath) ? 0 : 1);
    });
    return QApplication::exec();
}
