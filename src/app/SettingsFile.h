#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "convert/FrequencyText.h"

namespace corvalen {

// The two values the editor keeps between runs.
struct StoredSettings {
    QString winradioPath;  // line 1: the Winradio folder
    QString model;         // line 2: the receiver model
};

// Where the window stood and the column widths the user dragged, kept between runs.
struct WindowLayout {
    QByteArray geometry;      // as QWidget::saveGeometry() gives it
    QList<int> columnWidths;  // per column; 0 where the grid sizes the column itself
    FrequencyUnit frequencyUnit = FrequencyUnit::Hz;  // the unit the grid shows
};

// "Corvalen.ini": two lines ended by CR LF, in Windows-1252, values bare. It lives beside the
// program, or in the user's configuration folder when the program's cannot be written.
class SettingsFile {
public:
    static constexpr const char* kFileName = "Corvalen.ini";

    SettingsFile(QString programFolder, QString userFolder);

    // Where the settings are kept: the file they are read from, else where a write would go.
    QString keptPath() const;
    std::optional<StoredSettings> read() const;

    struct WriteOutcome {
        bool ok = false;
        QString path;            // where the file was written, or the last place tried
        QString error;           // why it could not be written
        qsizetype replaced = 0;  // characters with no Windows-1252 byte, written as "?"
    };
    // Rewrites the whole file: beside the program if possible, else in the user's folder.
    WriteOutcome write(const StoredSettings& settings) const;

    // The editor's files, "Corvalen.ini" and those beside it: one that cannot be read reads as
    // empty. Read from beside the program, unless that one can no longer be written and the
    // user's folder has one (which then holds the later values). Empty when there is none.
    QString readPathOf(const char* name) const;
    QByteArray readBeside(const char* name, qint64 maxBytes) const;
    bool writeBeside(const char* name, const QByteArray& bytes) const;

    // Nothing on the first run, or when the file holds no geometry.
    static constexpr const char* kWindowFileName = "Corvalen-window.ini";
    std::optional<WindowLayout> readWindowLayout() const;
    bool writeWindowLayout(const WindowLayout& layout) const;

private:
    QString programPathOf(const char* name) const;
    QString userPathOf(const char* name) const;  // empty without a user's folder
    // Calls `write` with the path of the file `name` beside the program, and when that fails
    // with the one in the user's folder.
    bool writeInFolders(const char* name,
                        const std::function<bool(const QString& path)>& write) const;

    QString m_programFolder;
    QString m_userFolder;
};

}  // namespace corvalen
