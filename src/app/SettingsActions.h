#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "app/SettingsFile.h"

class QAction;
class QWidget;

namespace corvalen {

class Document;
class MessageBoxes;
class SharedFileDialog;

// The Winradio folder and the receiver model, kept between runs: read at start, written on Exit
// and after Options / "Winradio Folder". An unknown receiver model is refused on the status line.
class SettingsActions : public QObject {
    Q_OBJECT

public:
    SettingsActions(Document& document, const SettingsFile& settings, SharedFileDialog& fileDialog,
                    MessageBoxes& messages, QWidget* window);

    QAction* winradioFolderAction() const { return m_winradioFolder; }
    // Options' line saying where the settings are kept (not a command).
    QAction* keptAction() const { return m_kept; }

    // Or shows the first-run message.
    void load();
    // When written, a note saying where; else the status line says why.
    std::optional<QString> save();

public slots:
    void chooseWinradioFolder();  // Options / "Winradio Folder"

signals:
    void status(const QString& text);

private:
    Document& m_document;
    const SettingsFile& m_settings;
    SharedFileDialog& m_fileDialog;
    MessageBoxes& m_messages;
    QAction* m_winradioFolder;
    QAction* m_kept;
};

}  // namespace corvalen
