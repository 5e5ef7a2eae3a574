#pragma once

#include <QApplication>
#include <QString>

namespace corvalen {

struct Error;

// "1 row", "2 rows", "9,590 rows": a count in the language's number format with the noun that
// fits it. Each noun's counted form is translated in the context "Count" as a numerus form
// ("%Ln row(s)"); the English singular and plural are given here.
QString Count(qsizetype n, const char* singular, const char* plural);
// "2 problems", "1 notice" or "2 problems, 1 notice"; empty when both are 0.
QString ProblemsText(qsizetype problems, qsizetype notices);

// A numerus text (tr("%Ln row(s)", "", n)) as the translation gives it; where none gives its
// forms (the English source), "(s)" is dropped for one and made "s" for any other count.
QString Plural(QString text, qsizetype n);

// The width a dialog needs for the window manager to show its title whole beside four buttons.
int TitleWidth(const QWidget& dialog);

// A path as the user's system writes it, and as the core's file functions take it.
QString DisplayPath(const QString& path);
std::string LocalPath(const QString& path);

QString ErrorText(const Error& error);

// The core's reason (the file put in front when it does not name it), and what that means for
// the user's data.
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
