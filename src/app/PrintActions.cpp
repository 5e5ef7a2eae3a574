#include "app/PrintActions.h"

#include <QAction>
#include <QBuffer>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableView>

#include "app/BackgroundWork.h"
#include "app/CellEditorDelegate.h"
#include "app/FileDialog.h"
#include "app/MessageBoxes.h"
#include "app/StatusText.h"
#include "app/TablePrinter.h"
#include "io/FileExists.h"
#include "io/SafeFile.h"

namespace corvalen {
namespace {

QPageSize LocalPaper() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

}  // namespace

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
    if (const auto* delegate = qobject_cast<const CellEditorDelegate*>(m_grid.itemDelegate())) {
        list.frequencyUnit = delegate->frequencyUnit();
    }
    return list;
}

int PrintActions::printOn(QPagedPaintDevice& device) {
    // Thousands of rows take seconds: the progress dialog shows how far it got and can stop.
    ProgressDialog progress(tr("Printing the channel list\u2026"), m_grid.window());
    return PrintChannelList(device, listToPrint(), &progress);
}

bool PrintActions::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(LocalPaper());
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(listToPrint().title);
    if (!m_chooser->choose(printer)) {
        return false;
    }
    const int pages = printOn(printer);
    if (pages == kPrintCancelled) {
        emit status(tr("Printing cancelled"));
        return false;
    }
    if (pages == 0) {
        emit status(tr("Printing failed; nothing printed"));
        return false;
    }
    emit status(tr("Printed %1").arg(Count(pages, "page", "pages")));
    return true;
}

bool PrintActions::exportPdf() {
    const QString filter = tr("PDF files (*.pdf)|*.pdf");
    QString path;
    do {
        const std::optional<QString> chosen =
            m_fileDialog.show(QString(), filter, tr("Export PDF"), FileDialogSettings::Form::Save);
        if (!chosen) {
            return false;
        }
        path = WithFilterExtension(*chosen, filter);
    } while (FileExists(LocalPath(path)) &&
             !m_messages.confirmOverwrite(
                 tr("Corvalen"), DisplayPath(path) + tr(" already exists.\r\nSelect OK to "
                                                        "overwrite, or Cancel to try again.")));
    return writePdf(path);
}

bool PrintActions::writePdf(const QString& path) {
    // Made in memory and saved as every other file is: beside the target, renamed over it.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(LocalPaper());
        writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        writer.setTitle(listToPrint().title);
        writer.setCreator(QStringLiteral("Corvalen"));
        pages = printOn(writer);
    }
    if (pages == kPrintCancelled) {
        emit status(tr("Export cancelled; nothing exported"));
        return false;
    }
    if (pages == 0) {
        emit status(tr("Cannot write %1; nothing exported").arg(DisplayPath(path)));
        return false;
    }
    const Status written = WriteFileAtomically(
        LocalPath(path),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written) {
        emit status(FailureText(path, written.error(), tr("nothing exported")));
        return false;
    }
    emit status(
        tr("Exported %1 to %2").arg(Count(pages, "page", "pages"), QFileInfo(path).fileName()));
    return true;
}

}  // namespace corvalen
