#pragma once

#include <QString>
#include <optional>

#include "csv/ChirpCsv.h"

class QWidget;

namespace corvalen {

// The answers to the question asked before unsaved changes of the table would be lost.
enum class UnsavedChangesAnswer { SaveCsv, SaveMemoryFile, Discard, Cancel };
// The answers to the offer of a recovery copy an editor left.
enum class RecoveryAnswer { Restore, Keep, Discard };
// The answers before a save over a file another program changed.
enum class FileChangedAnswer { Compare, Reload, Overwrite, Cancel };

// The title of the editor's message boxes.
inline const QString kAppTitle = QStringLiteral("Corvalen");

// The editor's messages and questions. Texts may hold "\r\n" line breaks. The program uses
// QMessageBox; the tests a script.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal information box with one OK button.
    virtual void information(const QString& title, const QString& text) = 0;
    // A modal warning box with OK and Cancel; true for OK.
    virtual bool confirmOverwrite(const QString& title, const QString& text) = 0;
    // A modal question with "Save as .csv" (the default), "Save as .g3m" (or the extension of
    // the receiver model's memory files, `memoryExtension`), "Discard" and "Cancel" (also the
    // answer when the box is closed or Escape is pressed).
    virtual UnsavedChangesAnswer askUnsavedChanges(const QString& title, const QString& text,
                                                   const QString& memoryExtension) = 0;
    // A modal question, asked once per CHIRP file that holds Location 0, how its channels are
    // numbered: "Location + 1" (the default), "Keep the Locations" (Location 0 left out), "1 to
    // n in file order", or "Cancel" (also the answer when the box is closed or Escape is
    // pressed), which is nothing: the file is not read in.
    virtual std::optional<ChirpNumbering> askChirpNumbering(const QString& title,
                                                            const QString& text) = 0;
    // "Restore" (the default), "Keep for Later" (also the answer when the box is closed or
    // Escape is pressed) and "Discard".
    virtual RecoveryAnswer askRecovery(const QString& title, const QString& text) = 0;
    // "Compare", "Reload", "Overwrite" and "Cancel" (the default, and the answer to Escape).
    virtual FileChangedAnswer askFileChanged(const QString& title, const QString& text) = 0;
    // Shows what differs between a file and the table (`details`, one line per channel),
    // with one Close button.
    virtual void showComparison(const QString& title, const QString& text,
                                const QString& details) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent) : m_parent(parent) {}
    void information(const QString& title, const QString& text) override;
    bool confirmOverwrite(const QString& title, const QString& text) override;
    UnsavedChangesAnswer askUnsavedChanges(const QString& title, const QString& text,
                                           const QString& memoryExtension) override;
    std::optional<ChirpNumbering> askChirpNumbering(const QString& title,
                                                    const QString& text) override;
    RecoveryAnswer askRecovery(const QString& title, const QString& text) override;
    FileChangedAnswer askFileChanged(const QString& title, const QString& text) override;
    void showComparison(const QString& title, const QString& text, const QString& details) override;

private:
    QWidget* m_parent;
};

}  // namespace corvalen
