#include "app/MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace corvalen {
namespace {

// Qt's message box breaks lines at "\n"; a CR of a CR LF pair would show as a stray glyph.
QString DisplayText(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A button of a question: its text (with its letter for Alt), or a standard button.
struct Button {
    QString text;
    QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
    QMessageBox::StandardButton standard = QMessageBox::NoButton;
};

// The index of the button clicked; `escapeButton` is also the answer to the close box.
std::size_t Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                const std::vector<Button>& buttons, std::size_t defaultButton,
                std::size_t escapeButton) {
    QMessageBox box(icon, title, DisplayText(text), QMessageBox::NoButton, parent);
    std::vector<QPushButton*> added;
    for (const Button& button : buttons) {
        added.push_back(button.standard != QMessageBox::NoButton
                            ? box.addButton(button.standard)
                            : box.addButton(button.text, button.role));
    }
    box.setDefaultButton(added[defaultButton]);
    box.setEscapeButton(added[escapeButton]);
    box.exec();
    const auto clicked = std::find(added.begin(), added.end(), box.clickedButton());
    return clicked == added.end() ? escapeButton
                                  : static_cast<std::size_t>(clicked - added.begin());
}

// The buttons' texts in the language loaded, looked up in the contexts they were named in.
QString Text(const char* text) {
    return QCoreApplication::translate("QObject", text);
}
QString KeeperText(const char* text) {
    return QCoreApplication::translate("corvalen::KeeperQuestions", text);
}

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent) : m_parent(parent) {}

    void information(const QString& title, const QString& text) override {
        QMessageBox::information(m_parent, title, DisplayText(text), QMessageBox::Ok);
    }

    bool confirmOverwrite(const QString& title, const QString& text) override {
        return QMessageBox::warning(m_parent, title, DisplayText(text),
                                    QMessageBox::Ok | QMessageBox::Cancel,
                                    QMessageBox::Ok) == QMessageBox::Ok;
    }

    UnsavedChangesAnswer askUnsavedChanges(const QString& title, const QString& text,
                                           const QString& memoryExtension) override {
        // ".g3m" gets Alt+G, ".15m" Alt+1.
        return static_cast<UnsavedChangesAnswer>(
            Ask(m_parent, QMessageBox::Warning, title, text,
                {{Text("Save as .&csv")},
                 {Text("Save as %1").arg(QString(memoryExtension).insert(1, QLatin1Char('&')))},
                 {Text("&Discard"), QMessageBox::DestructiveRole},
                 {{}, {}, QMessageBox::Cancel}},
                0, 3));
    }

    std::optional<ChirpNumbering> askChirpNumbering(const QString& title,
                                                    const QString& text) override {
        constexpr ChirpNumbering kAnswers[] = {ChirpNumbering::Shift, ChirpNumbering::Keep,
                                               ChirpNumbering::Sequential};
        const std::size_t clicked = Ask(m_parent, QMessageBox::Question, title, text,
                                        {{Text("Number each &Location + 1")},
                                         {Text("&Keep the Locations, leave out 0")},
                                         {Text("Number &1 to n in file order")},
                                         {{}, {}, QMessageBox::Cancel}},
                                        0, 3);
        return clicked < 3 ? std::optional(kAnswers[clicked]) : std::nullopt;
    }

    RecoveryAnswer askRecovery(const QString& title, const QString& text) override {
        constexpr RecoveryAnswer kAnswers[] = {RecoveryAnswer::Restore, RecoveryAnswer::Keep,
                                               RecoveryAnswer::Discard};
        return kAnswers[Ask(m_parent, QMessageBox::Question, title, text,
                            {{KeeperText("&Restore")},
                             {KeeperText("&Keep for Later"), QMessageBox::RejectRole},
                             {KeeperText("&Discard"), QMessageBox::DestructiveRole}},
                            0, 1)];
    }

    FileChangedAnswer askFileChanged(const QString& title, const QString& text) override {
        return static_cast<FileChangedAnswer>(
            Ask(m_parent, QMessageBox::Warning, title, text,
                {{KeeperText("&Compare"), QMessageBox::ActionRole},
                 {KeeperText("&Reload"), QMessageBox::ActionRole},
                 {KeeperText("&Overwrite"), QMessageBox::DestructiveRole},
                 {{}, {}, QMessageBox::Cancel}},
                3, 3));
    }

    void showComparison(const QString& title, const QString& text,
                        const QString& details) override {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Close, m_parent);
        box.setDetailedText(details);
        box.exec();
    }

private:
    QWidget* m_parent;
};

}  // namespace

std::unique_ptr<MessageBoxes> MakeQtMessageBoxes(QWidget* parent) {
    return std::make_unique<QtMessageBoxes>(parent);
}

}  // namespace corvalen
