#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace corvalen {

// The two values the editor keeps between runs.
struct StoredSettings {
    QString winradioPath;  // line 1: the Winradio folder
    QString model;         // line 2: the receiver model
    bool operator==(const StoredSettings&) const = default;
};

// Where the window stood and the column widths the user dragged, kept between runs.
struct WindowLayout {
    QByteArray geometry;      // as QWidget::saveGeometry() gives it
    QList<int> columnWidths;  // per column; 0 where the grid sizes the column itself
    QString frequencyUnit;    // "Hz", "kHz" or "MHz", the unit the grid shows; empty: Hz
    bool operator==(const WindowLayout&) const = default;
};

// "Corvalen.ini": two lines, each ended by CR LF, one Windows-1252 byte per character, values
// bare. It lives beside the program; when the program's folder cannot be written (an installed
// program), it lives in the user's configuration folder instead.
class SettingsFile {
public:
    static constexpr const char* kFileName = "Corvalen.ini";

    // `programFolder` is the executable's folder, `userFolder` the per-user fallback.
    SettingsFile(QString programFolder, QString userFolder);

    // The file settings are read from: the program's own one, unless it can no longer be
    // written and the user's one exists (then that holds the later values). Empty when neither
    // exists, which is the first run.
    QString readPath() const;
    // Where the settings are kept: the file they are read from, else where the next write goes
    // (beside the program while its folder takes a new file, else the user's folder).
    QString keptPath() const;
    // The stored values, or nothing on the first run.
    std::optional<StoredSettings> read() const;

    struct WriteOutcome {
        bool ok = false;
        QString path;            // where the file was written, or the last place tried
        QString error;           // why it could not be written
        qsizetype replaced = 0;  // characters with no Windows-1252 byte, written as "?"
    };
    // Rewrites the whole file: beside the program if possible, else in the user's folder.
    WriteOutcome write(const StoredSettings& settings) const;

    static QByteArray Encode(const StoredSettings& settings, qsizetype* replaced = nullptr);
    // Each line is taken whole, so commas and quotes come back as they were written; a line
    // with control characters or longer than 4,096 characters reads as empty.
    static StoredSettings Decode(const QByteArray& bytes);

    QString programPath() const;
    QString userPath() const;

    // The window's layout lives in "Corvalen-window.ini" beside "Corvalen.ini", which keeps its
    // two-line form; like that file it goes to the user's folder when the program's cannot be
    // written. Nothing on the first run, or when the file holds no geometry.
    static constexpr const char* kWindowFileName = "Corvalen-window.ini";
    std::optional<WindowLayout> readWindowLayout() const;
    // Like the recent files, a layout that cannot be written only costs the convenience.
    bool writeWindowLayout(const WindowLayout& layout) const;

private:
    QString m_programFolder;
    QString m_userFolder;
};

}  // namespace corvalen
