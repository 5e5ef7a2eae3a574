#include <QApplication>
#include <QStandardPaths>
#include <QTimer>

#include "app/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvalen"));

    corvalen::MainWindow window(corvalen::SettingsFile(
        QApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));
    window.start();

    // Two hooks for making the documentation's picture: CORVALEN_OPEN imports a file without
    // the dialog, CORVALEN_SCREENSHOT saves an image of the window there and quits.
    const QString openPath = qEnvironmentVariable("CORVALEN_OPEN");
    if (!openPath.isEmpty()) {
        window.importCsvFile(openPath);
    }
    const QString screenshotPath = qEnvironmentVariable("CORVALEN_SCREENSHOT");
    if (!screenshotPath.isEmpty()) {
        QTimer::singleShot(1000, &window, [&window, screenshotPath] {
            const bool saved = window.grab().save(screenshotPath);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
