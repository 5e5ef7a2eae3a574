#include "app/MessageBoxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace corvalen {
namespace {

// Qt's message box breaks lines at "\n"; a CR of a CR LF pair would show as a stray glyph.
QString DisplayText(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

void QtMessageBoxes::information(const QString& title, const QString& text) {
    QMessageBox::information(m_parent, title, DisplayText(text), QMessageBox::Ok);
}

bool QtMessageBoxes::confirmOverwrite(const QString& title, const QString& text) {
    return QMessageBox::warning(m_parent, title, DisplayText(text),
                                QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
}

}  // namespace corvalen

namespace corvalen {

UnsavedChangesAnswer QtMessageBoxes::askUnsavedChanges(const QString& title, const QString& text,
                                                       const QString& memoryExtension) {
    QMessageBox box(QMessageBox::Warning, title, DisplayText(text), QMessageBox::NoButton,
                    m_parent);
    // Each button has its letter for Alt (Esc cancels).
    QPushButton* csv = box.addButton(QObject::tr("Save as .&csv"), QMessageBox::AcceptRole);
    // ".g3m" gets Alt+G, ".15m" Alt+1.
    QPushButton* g3m = box.addButton(
        QObject::tr("Save as %1").arg(QString(memoryExtension).insert(1, QLatin1Char('&'))),
        QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QMessageBox::Discard);
    discard->setText(QObject::tr("&Discard"));
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(csv);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == csv) {
        return UnsavedChangesAnswer::SaveCsv;
    }
    if (clicked == g3m) {
        return UnsavedChangesAnswer::SaveMemoryFile;
    }
    if (clicked == discard) {
        return UnsavedChangesAnswer::Discard;
    }
    return UnsavedChangesAnswer::Cancel;
}

std::optional<ChirpNumbering> QtMessageBoxes::askChirpNumbering(const QString& title,
                                                                const QString& text) {
    QMessageBox box(QMessageBox::Question, title, DisplayText(text), QMessageBox::NoButton,
                    m_parent);
    QPushButton* shift =
        box.addButton(QObject::tr("Number each &Location + 1"), QMessageBox::AcceptRole);
    QPushButton* keep =
        box.addButton(QObject::tr("&Keep the Locations, leave out 0"), QMessageBox::AcceptRole);
    QPushButton* sequential =
        box.addButton(QObject::tr("Number &1 to n in file order"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(shift);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == shift) {
        return ChirpNumbering::Shift;
    }
    if (clicked == keep) {
        return ChirpNumbering::Keep;
    }
    if (clicked == sequential) {
        return ChirpNumbering::Sequential;
    }
    return std::nullopt;
}

}  // namespace corvalen
