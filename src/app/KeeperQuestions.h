#pragma once

#include <QString>

class QWidget;

namespace corvalen {

// The answers to the offer of a recovery copy an editor left.
enum class RecoveryAnswer { Restore, Keep, Discard };
// The answers before a save over a file another program changed.
enum class FileChangedAnswer { Compare, Reload, Overwrite, Cancel };

// The questions of the work keeper (WorkKeeper.h). The program asks them with QMessageBox; the
// tests from a script.
class KeeperQuestions {
public:
    virtual ~KeeperQuestions() = default;
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

class QtKeeperQuestions : public KeeperQuestions {
public:
    explicit QtKeeperQuestions(QWidget* parent) : m_parent(parent) {}
    RecoveryAnswer askRecovery(const QString& title, const QString& text) override;
    FileChangedAnswer askFileChanged(const QString& title, const QString& text) override;
    void showComparison(const QString& title, const QString& text, const QString& details) override;

private:
    QWidget* m_parent;
};

}  // namespace corvalen
