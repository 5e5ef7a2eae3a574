#include "app/MessageBoxes.h"

#include <QMessageBox>

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
