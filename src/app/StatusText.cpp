#include "app/StatusText.h"

#include <QDir>
#include <QFile>

#include "io/Result.h"

namespace corvalen {

QString Count(qsizetype n, const char* singular, const char* plural) {
    return QStringLiteral("%1 %2").arg(n).arg(
        QCoreApplication::translate("Count", n == 1 ? singular : plural));
}

QString DisplayPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FailureText(const QString& path, const Error& error, const QString& consequence) {
    QString message = QString::fromStdString(error.message);
    if (!message.contains(path) && !message.contains(DisplayPath(path))) {
        message = DisplayPath(path) + QStringLiteral(": ") + message;
    }
    return message + QStringLiteral("; ") + consequence;
}

}  // namespace corvalen
