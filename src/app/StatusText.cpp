#include "app/StatusText.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLocale>
#include <QStringList>
#include <QStyle>
#include <cstring>

#include "app/Translations.h"
#include "channel/CellValues.h"
#include "io/Result.h"

namespace corvalen {

namespace {

// The nouns Count takes, their counted forms marked for the translation tools (plural rules).
struct CountedNoun {
    const char* singular;
    const char* plural;
    const char* counted;
};
constexpr CountedNoun kCountedNouns[] = {
    {"row", "rows", QT_TRANSLATE_N_NOOP("Count", "%Ln row(s)")},
    {"cell", "cells", QT_TRANSLATE_N_NOOP("Count", "%Ln cell(s)")},
    {"column", "columns", QT_TRANSLATE_N_NOOP("Count", "%Ln column(s)")},
    {"channel", "channels", QT_TRANSLATE_N_NOOP("Count", "%Ln channel(s)")},
    {"line", "lines", QT_TRANSLATE_N_NOOP("Count", "%Ln line(s)")},
    {"problem", "problems", QT_TRANSLATE_N_NOOP("Count", "%Ln problem(s)")},
    {"notice", "notices", QT_TRANSLATE_N_NOOP("Count", "%Ln notice(s)")},
    {"record", "records", QT_TRANSLATE_N_NOOP("Count", "%Ln record(s)")},
    {"character", "characters", QT_TRANSLATE_N_NOOP("Count", "%Ln character(s)")},
    {"page", "pages", QT_TRANSLATE_N_NOOP("Count", "%Ln page(s)")},
    {"empty row", "empty rows", QT_TRANSLATE_N_NOOP("Count", "%Ln empty row(s)")},
    {"broadcast", "broadcasts", QT_TRANSLATE_N_NOOP("Count", "%Ln broadcast(s)")},
};

// The core's text for a cell in `unit`; only a text it made from whole Hz (which then differs
// from the cell) gets the language's separator, other cell text is shown as the file has it.
QString Localized(const QString& cell, FrequencyUnit unit,
                  std::string (*convert)(std::string_view, FrequencyUnit)) {
    if (unit == FrequencyUnit::Hz) {
        return cell;
    }
    const QString text = QString::fromStdString(convert(cell.toStdString(), unit));
    return text == cell ? text : QString(text).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

}  // namespace

QString Count(qsizetype n, const char* singular, const char* plural) {
    for (const CountedNoun& noun : kCountedNouns) {
        if (std::strcmp(noun.singular, singular) != 0) {
            continue;
        }
        return Plural(
            QCoreApplication::translate("Count", noun.counted, nullptr, static_cast<int>(n)), n);
    }
    return QStringLiteral("%1 %2").arg(QLocale().toString(static_cast<qlonglong>(n)),
                                       QString::fromUtf8(n == 1 ? singular : plural));
}

QString CountIn(const QString& text, qsizetype n, const char* singular, const char* plural) {
    return n > 0 ? text.arg(Count(n, singular, plural)) : QString();
}

QString Plural(QString text, qsizetype n) {
    return text.replace(QLatin1String("(s)"), n == 1 ? QString() : QStringLiteral("s"));
}

int TitleWidth(const QWidget& dialog) {
    return QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
               .horizontalAdvance(dialog.windowTitle()) +
           4 * dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

QString ProblemsText(qsizetype problems, qsizetype notices) {
    QStringList parts;
    if (problems > 0) {
        parts << Count(problems, "problem", "problems");
    }
    if (notices > 0) {
        parts << Count(notices, "notice", "notices");
    }
    return parts.join(QStringLiteral(", "));
}

char OtherDecimalPoint() {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode())
                                                          : '.';
}

QString FrequencyShown(const QString& cell, FrequencyUnit unit) {
    return Localized(cell, unit, FrequencyCellShown);
}

QString FrequencyForEditing(const QString& cell, FrequencyUnit unit) {
    return Localized(cell, unit, FrequencyCellForEditing);
}

QString UnitName(FrequencyUnit unit) {
    return unit == FrequencyUnit::kHz   ? QStringLiteral("kHz")
           : unit == FrequencyUnit::MHz ? QStringLiteral("MHz")
                                        : QStringLiteral("Hz");
}

QString DisplayPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString ErrorText(const Error& error) {
    return QString::fromStdString(ErrorSentence(error, EditorTexts()));
}

QString FailureText(const QString& path, const Error& error, const QString& consequence) {
    QString message = ErrorText(error);
    if (!message.contains(path) && !message.contains(DisplayPath(path))) {
        message = DisplayPath(path) + QStringLiteral(": ") + message;
    }
    return message + QStringLiteral("; ") + consequence;
}

}  // namespace corvalen
