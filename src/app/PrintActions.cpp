#include "app/PrintActions.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableView>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "app/FileDialog.h"
#include "app/MessageBoxes.h"
#include "app/StatusText.h"
#include "app/TablePrinter.h"
#include "io/FileExists.h"

namespace corvalen {

bool QtPrinterChooser::choose(QPrinter& printer) {
    QPrintDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

PrintActions::PrintActions(QTableView& grid, SharedFileDialog& fileDialog, MessageBoxes& messages,
                             std::function<QString()> title, QWidget* window)
    : QObject(window),
      m_grid(grid),
      m_fileDialog(fileDialog),
      m_messages(messages),
      m_title(std::move(title)),
      m_qtChooser(window),
      m_chooser(&m_qtChooser),
      m_print(new QAction(tr("Print\u2026"), this)),
      m_exportPdf(new QAction(tr("Export PDF\u2026"), this)) {
    m_print->setObjectName(QStringLiteral("printAction"));
    m_print->setShortcut(QKeySequence::Print);
    connect(m_print, &QAction::triggered, this, &PrintActions::print);
    m_exportPdf->setObjectName(QStringLiteral("exportPdfAction"));
    connect(m_exportPdf, &QAction::triggered, this, &PrintActions::exportPdf);
}

PrintActions::~PrintActions() = default;

ChannelListPrint PrintActions::listToPrint() const {
    ChannelListPrint list;
    list.model = m_grid.model();
    const QHeaderView& header = *m_grid.horizontalHeader();
    for (int visual = 0; visual < header.count(); ++visual) {
        const int column = header.logicalIndex(visual);
        if (!header.isSectionHidden(column)) {
            list.columns << column;
        }
    }
    const QString file = m_title();
    list.title = file.isEmpty() ? tr("Grid View") : QFileInfo(file).fileName();
    return list;
}

int PrintActions::printOn(QPrinter& printer) {
    BusyCursor busy;
    return PrintChannelList(printer, listToPrint());
}

bool PrintActions::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!m_chooser->choose(printer)) {
        return false;
    }
    const int pages = printOn(printer);
    if (pages == 0) {
        emit status(tr("Printing failed; nothing printed"));
        return false;
    }
    emit status(tr("Printed %1").arg(Count(pages, "page", "pages")));
    return true;
}

bool PrintActions::exportPdf() {
    for (;;) {
        const std::optional<QString> chosen =
            m_fileDialog.show(QString(), tr("PDF files (*.pdf)|*.pdf"), tr("Export PDF"),
                              FileDialogSettings::Form::Save);
        if (!chosen) {
            return false;
        }
        const QString path = *chosen;
        if (FileExists(LocalPath(path)) &&
            !m_messages.confirmOverwrite(
                tr("Corvalen"), DisplayPath(path) + tr(" already exists.\r\nSelect OK to "
                                                       "overwrite, or Cancel to try again."))) {
            continue;
        }
        // Written beside the target and renamed over it once whole, so a failed export never
        // leaves half a file where a good one was.
        QTemporaryFile temporary(QFileInfo(path).absolutePath() + QStringLiteral("/.pdf-XXXXXX"));
        if (!temporary.open()) {
            emit status(tr("Cannot write %1: %2; nothing exported")
                            .arg(DisplayPath(path), temporary.errorString()));
            return false;
        }
        temporary.close();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(temporary.fileName());
        const int pages = printOn(printer);
        std::error_code error;
        if (pages > 0) {
            std::filesystem::rename(LocalPath(temporary.fileName()), LocalPath(path), error);
        }
        if (pages == 0 || error) {
            emit status(
                tr("Cannot write %1%2; nothing exported")
                    .arg(DisplayPath(path),
                         error ? QStringLiteral(": ") + QString::fromStdString(error.message())
                               : QString()));
            return false;
        }
        temporary.setAutoRemove(false);  // renamed: it is the target now
        emit status(
            tr("Exported %1 to %2").arg(Count(pages, "page", "pages"), QFileInfo(path).fileName()));
        return true;
    }
}

}  // namespace corvalen
