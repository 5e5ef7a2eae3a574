#pragma once

#include <QString>

class QWidget;

namespace corvalen {

// The editor's two messages: the first-run message and the overwrite prompt of "Save .csv
// file". Texts may hold "\r\n" line breaks. The program uses QMessageBox; the tests a script.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal information box with one OK button.
    virtual void information(const QString& title, const QString& text) = 0;
    // A modal warning box with OK and Cancel; true for OK.
    virtual bool confirmOverwrite(const QString& title, const QString& text) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent) : m_parent(parent) {}
    void information(const QString& title, const QString& text) override;
    bool confirmOverwrite(const QString& title, const QString& text) override;

private:
    QWidget* m_parent;
};

}  // namespace corvalen
