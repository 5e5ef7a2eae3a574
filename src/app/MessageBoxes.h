#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "csv/ChirpCsv.h"

class QWidget;

namespace corvalen {

enum class UnsavedChangesAnswer { SaveCsv, SaveMemoryFile, Discard, Cancel };
enum class RecoveryAnswer { Restore, Keep, Discard };
enum class FileChangedAnswer { Compare, Reload, Overwrite, Cancel };

inline const QString kAppTitle = QStringLiteral("Corvalen");

// The editor's messages and questions; texts may hold "\r\n" line breaks. The program uses
// QMessageBox; the tests a script. Each question's first answer is its default, and its last
// the answer to Escape and the close box, unless said otherwise.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void information(const QString& title, const QString& text) = 0;
    // True for OK.
    virtual bool confirmOverwrite(const QString& title, const QString& text) = 0;
    // "Save as .csv", "Save as `memoryExtension`", "Discard" and "Cancel".
    virtual UnsavedChangesAnswer askUnsavedChanges(const QString& title, const QString& text,
                                                   const QString& memoryExtension) = 0;
    // How a CHIRP file holding Location 0 is numbered: "Location + 1", "Keep the Locations"
    // (without 0), "1 to n in file order", or "Cancel" (nothing).
    virtual std::optional<ChirpNumbering> askChirpNumbering(const QString& title,
                                                            const QString& text) = 0;
    // "Restore", "Keep for Later" (also the answer to Escape) and "Discard".
    virtual RecoveryAnswer askRecovery(const QString& title, const QString& text) = 0;
    // "Compare", "Reload", "Overwrite" and "Cancel" (the default too).
    virtual FileChangedAnswer askFileChanged(const QString& title, const QString& text) = 0;
    // `details`: what differs between a file and the table, one line per channel.
    virtual void showComparison(const QString& title, const QString& text,
                                const QString& details) = 0;
};

// Qt's message boxes, over `parent`.
std::unique_ptr<MessageBoxes> MakeQtMessageBoxes(QWidget* parent);

}  // namespace corvalen
