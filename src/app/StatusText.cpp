#include "app/StatusText.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include "io/Result.h"

namespace corvalen {

QString Count(qsizetype n, const char* singular, const char* plural) {
    return QStringLiteral("%1 %2").arg(n).arg(
        QCoreApplication::translate("Count", n == 1 ? singular : plural));
}

QString ProblemsText(qsizetype problems, qsizetype notices) {
    QStringList parts;
    if (problems > 0) {
        parts << Count(problems, QT_TRANSLATE_NOOP("Count", "problem"),
                       QT_TRANSLATE_NOOP("Count", "problems"));
    }
    if (notices > 0) {
        parts << Count(notices, QT_TRANSLATE_NOOP("Count", "notice"),
                       QT_TRANSLATE_NOOP("Count", "notices"));
    }
    return parts.join(QStringLiteral(", "));
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
