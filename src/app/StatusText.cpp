#include "app/StatusText.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include "app/Translations.h"
#include "io/Result.h"

namespace corvalen {

// The nouns Count is called with, marked for the translation tools.
[[maybe_unused]] constexpr const char* kCountNouns[] = {
    QT_TRANSLATE_NOOP("Count", "row"),       QT_TRANSLATE_NOOP("Count", "rows"),
    QT_TRANSLATE_NOOP("Count", "cell"),      QT_TRANSLATE_NOOP("Count", "cells"),
    QT_TRANSLATE_NOOP("Count", "column"),    QT_TRANSLATE_NOOP("Count", "columns"),
    QT_TRANSLATE_NOOP("Count", "channel"),   QT_TRANSLATE_NOOP("Count", "channels"),
    QT_TRANSLATE_NOOP("Count", "line"),      QT_TRANSLATE_NOOP("Count", "lines"),
    QT_TRANSLATE_NOOP("Count", "problem"),   QT_TRANSLATE_NOOP("Count", "problems"),
    QT_TRANSLATE_NOOP("Count", "record"),    QT_TRANSLATE_NOOP("Count", "records"),
    QT_TRANSLATE_NOOP("Count", "character"), QT_TRANSLATE_NOOP("Count", "characters"),
    QT_TRANSLATE_NOOP("Count", "page"),      QT_TRANSLATE_NOOP("Count", "pages"),
    QT_TRANSLATE_NOOP("Count", "empty row"), QT_TRANSLATE_NOOP("Count", "empty rows"),
};

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
    QString message = CoreText(error.message);
    if (!message.contains(path) && !message.contains(DisplayPath(path))) {
        message = DisplayPath(path) + QStringLiteral(": ") + message;
    }
    return message + QStringLiteral("; ") + consequence;
}

}  // namespace corvalen
