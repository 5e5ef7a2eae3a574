#include "app/KeeperQuestions.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace corvalen {

RecoveryAnswer QtKeeperQuestions::askRecovery(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    QPushButton* restore =
        box.addButton(QCoreApplication::translate("corvalen::KeeperQuestions", "&Restore"),
                      QMessageBox::AcceptRole);
    QPushButton* keep =
        box.addButton(QCoreApplication::translate("corvalen::KeeperQuestions", "&Keep for Later"),
                      QMessageBox::RejectRole);
    QPushButton* discard =
        box.addButton(QCoreApplication::translate("corvalen::KeeperQuestions", "&Discard"),
                      QMessageBox::DestructiveRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(keep);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    return clicked == restore   ? RecoveryAnswer::Restore
           : clicked == discard ? RecoveryAnswer::Discard
                                : RecoveryAnswer::Keep;
}

FileChangedAnswer QtKeeperQuestions::askFileChanged(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, m_parent);
    QPushButton* compare =
        box.addButton(QCoreApplication::translate("corvalen::KeeperQuestions", "&Compare"),
                      QMessageBox::ActionRole);
    QPushButton* reload =
        box.addButton(QCoreApplication::translate("corvalen::KeeperQuestions", "&Reload"),
                      QMessageBox::ActionRole);
    QPushButton* overwrite =
        box.addButton(QCoreApplication::translate("corvalen::KeeperQuestions", "&Overwrite"),
                      QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    return clicked == compare     ? FileChangedAnswer::Compare
           : clicked == reload    ? FileChangedAnswer::Reload
           : clicked == overwrite ? FileChangedAnswer::Overwrite
                                  : FileChangedAnswer::Cancel;
}

void QtKeeperQuestions::showComparison(const QString& title, const QString& text,
                                       const QString& details) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Close, m_parent);
    box.setDetailedText(details);
    box.exec();
}

}  // namespace corvalen
