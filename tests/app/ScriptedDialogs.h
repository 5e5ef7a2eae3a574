#pragma once

#include <QApplication>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <optional>

#include "app/FileDialog.h"
#include "app/MessageBoxes.h"

// The next answer of a queue, taken from it; `unscripted` when it is empty.
template <typename Answer, typename Unscripted>
Unscripted NextAnswer(std::deque<Answer>& answers, Unscripted unscripted) {
    if (answers.empty()) {
        return unscripted;
    }
    const Unscripted answer = answers.front();
    answers.pop_front();
    return answer;
}

// Answers the editor's file dialogs from a queue and keeps the settings each was shown with.
// A null answer, like an unscripted dialog, is a cancel. Each answer is chosen under the filter
// entry `filters` gives next, else under the one the dialog opened with.
class ScriptedFileDialogs : public corvalen::FileDialogPresenter {
public:
    std::deque<QString> answers;
    std::deque<int> filters;
    QList<corvalen::FileDialogSettings> shown;

    std::optional<QString> show(const corvalen::FileDialogSettings& settings) override {
        shown.append(settings);
        if (answers.empty()) {
            return std::nullopt;
        }
        const QString answer = NextAnswer(answers, QString());
        m_chosenFilter = NextAnswer(filters, settings.filterIndex);
        if (answer.isNull()) {
            return std::nullopt;
        }
        return answer;
    }
    int chosenFilter() const override { return m_chosenFilter; }

private:
    int m_chosenFilter = 0;
};

// Answers the message boxes from queues (OK, or Cancel for the unsaved-changes question, when
// unscripted) and keeps what they said.
class ScriptedMessageBoxes : public corvalen::MessageBoxes {
public:
    struct Shown {
        QString kind;  // "information", "confirmOverwrite" or "askUnsavedChanges"
        QString title;
        QString text;
        bool windowVisible;  // whether any window was on screen at the time
    };
    QList<Shown> shown;
    std::deque<bool> overwriteAnswers;
    std::deque<corvalen::UnsavedChangesAnswer> unsavedAnswers;
    // Unscripted: Location + 1; nothing: Cancel.
    std::deque<std::optional<corvalen::ChirpNumbering>> numberingAnswers;
    // The work keeper's questions: "recovery: TEXT", "fileChanged: TEXT" or "comparison: TEXT".
    QStringList asked;
    std::deque<corvalen::RecoveryAnswer> recoveryAnswers;        // unscripted: Keep
    std::deque<corvalen::FileChangedAnswer> fileChangedAnswers;  // unscripted: Cancel

    void information(const QString& title, const QString& text) override {
        shown.append({QStringLiteral("information"), title, text, anyWindowVisible()});
    }
    bool confirmOverwrite(const QString& title, const QString& text) override {
        shown.append({QStringLiteral("confirmOverwrite"), title, text, anyWindowVisible()});
        return NextAnswer(overwriteAnswers, true);
    }

    corvalen::UnsavedChangesAnswer askUnsavedChanges(const QString& title, const QString& text,
                                                     const QString& memoryExtension) override {
        shown.append({QStringLiteral("askUnsavedChanges"), title, text + '|' + memoryExtension,
                      anyWindowVisible()});
        return NextAnswer(unsavedAnswers, corvalen::UnsavedChangesAnswer::Cancel);
    }

    std::optional<corvalen::ChirpNumbering> askChirpNumbering(const QString& title,
                                                              const QString& text) override {
        shown.append({QStringLiteral("askChirpNumbering"), title, text, anyWindowVisible()});
        return NextAnswer(numberingAnswers, std::optional(corvalen::ChirpNumbering::Shift));
    }

    corvalen::RecoveryAnswer askRecovery(const QString&, const QString& text) override {
        asked << QStringLiteral("recovery: ") + text;
        return NextAnswer(recoveryAnswers, corvalen::RecoveryAnswer::Keep);
    }
    corvalen::FileChangedAnswer askFileChanged(const QString&, const QString& text) override {
        asked << QStringLiteral("fileChanged: ") + text;
        return NextAnswer(fileChangedAnswers, corvalen::FileChangedAnswer::Cancel);
    }
    void showComparison(const QString&, const QString& text, const QString& details) override {
        asked << QStringLiteral("comparison: ") + text + QLatin1Char('\n') + details;
    }

private:
    static bool anyWindowVisible() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible()) {
                return true;
            }
        }
        return false;
    }
};
