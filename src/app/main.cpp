#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include "app/FileActions.h"
#include "app/MainWindow.h"
#include "app/Translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalen"));
    QApplication::setApplicationVersion(QStringLiteral(CORVALEN_VERSION));
    // The installed desktop entry and icon, so desktops match the window to them.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvalen.corvalen"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.corvalen.corvalen")));

    // The system's language where the editor has a translation, else the English texts.
    corvalen::InstallTranslations(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QApplication::translate("main", "Edit the memory channels of Winradio receivers."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QApplication::translate("main", "A .csv or .g3m memory file to open."),
        QStringLiteral("[file]"));
    parser.process(app);

    corvalen::MainWindow window(corvalen::SettingsFile(
        QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
    window.start();

    // `corvalen FILE` opens the file, as a file manager asks when a memory file is opened.
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        window.fileActions().openFile(QFileInfo(files.first()).absoluteFilePath());
    }

    // Hooks for making the documentation's picture: CORVALEN_MENU opens the menu of that title,
    // and CORVALEN_SCREENSHOT saves an image of the screen where the window (and the open menu)
    // is, then quits.
    const QString menuTitle = qEnvironmentVariable("CORVALEN_MENU");
    if (!menuTitle.isEmpty()) {
        QTimer::singleShot(500, &window, [&window, menuTitle] {
            for (QAction* action : window.menuBar()->actions()) {
                // The title without its "&" mnemonic mark.
                if (QString(action->text()).remove(QLatin1Char('&')) == menuTitle &&
                    action->menu() != nullptr) {
                    window.menuBar()->setActiveAction(action);
                }
            }
        });
    }
    // CORVALEN_ACTION triggers the window's action of that object name (a dialog opens over the
    // window), and CORVALEN_FIELDS ("name=text;name=text") fills in the open dialog's fields.
    const QString actionName = qEnvironmentVariable("CORVALEN_ACTION");
    if (!actionName.isEmpty()) {
        QTimer::singleShot(300, &window, [&window, actionName] {
            if (auto* action = window.findChild<QAction*>(actionName)) {
                action->trigger();
            }
        });
        const QString fields = qEnvironmentVariable("CORVALEN_FIELDS");
        QTimer::singleShot(800, &window, [fields] {
            QWidget* dialog = QApplication::activeModalWidget();
            for (const QString& field : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const QString name = field.section(QLatin1Char('='), 0, 0);
                const QString text = field.section(QLatin1Char('='), 1);
                if (auto* line = dialog ? dialog->findChild<QLineEdit*>(name) : nullptr) {
                    line->setText(text);
                } else if (auto* box = dialog ? dialog->findChild<QComboBox*>(name) : nullptr) {
                    box->setEditText(text);
                }
            }
        });
    }
    const QString screenshotPath = qEnvironmentVariable("CORVALEN_SCREENSHOT");
    if (!screenshotPath.isEmpty()) {
        QTimer::singleShot(1500, &window, [&window, screenshotPath] {
            const QRect frame = window.frameGeometry();
            const QPixmap picture =
                window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            QApplication::exit(picture.save(screenshotPath) ? 0 : 1);
        });
    }
    return QApplication::exec();
}
