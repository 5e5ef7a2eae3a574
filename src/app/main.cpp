#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

#include "app/FileActions.h"
#include "app/MainWindow.h"
#include "app/Translations.h"
#include "app/WorkKeeper.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalen"));
    QApplication::setApplicationVersion(QStringLiteral(CORVALEN_VERSION));
    // The installed desktop entry and icon, so desktops match the window to them.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvalen.corvalen"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.corvalen.corvalen")));

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
    // A recovery copy an editor left when it ended unexpectedly is offered before anything else.
    window.keeper().startRecovery(
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            .filePath(QStringLiteral("recovery")));
    window.keeper().offerRecovery();

    // `corvalen FILE` opens the file, as a file manager asks when a memory file is opened.
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        window.fileActions().openFile(QFileInfo(files.first()).absoluteFilePath());
    }

    return QApplication::exec();
}
