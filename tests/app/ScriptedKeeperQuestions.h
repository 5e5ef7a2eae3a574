#pragma once

// The work keeper's questions, answered from a script and recorded.

#include <QString>
#include <QStringList>
#include <deque>

#include "app/KeeperQuestions.h"

class ScriptedKeeperQuestions : public corvalen::KeeperQuestions {
public:
    QStringList asked;  // "recovery: TEXT" or "fileChanged: TEXT"
    std::deque<corvalen::RecoveryAnswer> recoveryAnswers;        // unscripted: Keep
    std::deque<corvalen::FileChangedAnswer> fileChangedAnswers;  // unscripted: Cancel

    corvalen::RecoveryAnswer askRecovery(const QString&, const QString& text) override {
        asked << QStringLiteral("recovery: ") + text;
        return Next(recoveryAnswers, corvalen::RecoveryAnswer::Keep);
    }
    corvalen::FileChangedAnswer askFileChanged(const QString&, const QString& text) override {
        asked << QStringLiteral("fileChanged: ") + text;
        return Next(fileChangedAnswers, corvalen::FileChangedAnswer::Cancel);
    }

    void showComparison(const QString&, const QString& text, const QString& details) override {
        asked << QStringLiteral("comparison: ") + text + QLatin1Char('\n') + details;
    }

private:
    template <typename Answer>
    static Answer Next(std::deque<Answer>& answers, Answer unscripted) {
        if (answers.empty()) {
            return unscripted;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
