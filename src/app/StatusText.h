#pragma once

#include <QApplication>
#include <QString>
#include <string_view>

#include "convert/FrequencyText.h"

namespace corvalen {

struct Error;

// "1 row", "9,590 rows": a count with its noun, translated in the context "Count" ("%Ln row(s)").
QString Count(qsizetype n, const char* singular, const char* plural);
// `text` with the count of `n` for its %1 ("; 2 rows added"), or nothing for none.
QString CountIn(const QString& text, qsizetype n, const char* singular, const char* plural);
// "2 problems", "1 notice" or "2 problems, 1 notice"; empty when both are 0.
QString ProblemsText(qsizetype problems, qsizetype notices);

// A numerus text (tr("%Ln row(s)", "", n)); without a translation "(s)" goes for one, else "s".
QString Plural(QString text, qsizetype n);

// The width a dialog needs for the window manager to show its title whole beside four buttons.
int TitleWidth(const QWidget& dialog);

// A text of the core, UTF-8, for the window.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The user's decimal separator when it is one ASCII character, else "."; read beside the point.
char OtherDecimalPoint();

QString UnitName(FrequencyUnit unit);

// A Frequency cell as the grid shows it in `unit`, and as its editor starts, with the user's
// decimal separator; text that is no whole number of Hz stands as it is.
QString FrequencyShown(const QString& cell, FrequencyUnit unit);
QString FrequencyForEditing(const QString& cell, FrequencyUnit unit);

// A path as the user's system writes it, and as the core's file functions take it.
QString DisplayPath(const QString& path);
std::string LocalPath(const QString& path);

QString ErrorText(const Error& error);

// The core's reason (the file in front when it does not name it), then `consequence`.
QString FailureText(const QString& path, const Error& error, const QString& consequence);

// Shows the busy pointer for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace corvalen
