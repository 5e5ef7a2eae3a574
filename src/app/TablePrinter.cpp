#include "app/TablePrinter.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace corvalen {

namespace {

// Column widths are measured on the headings and on this many rows; longer lists rarely hold a
// wider cell, and one that does is cut with "…" like any other.
constexpr int kMeasuredRows = 2000;
// Lines each page keeps for the title, a gap, the headings and the page number.
constexpr int kReservedLines = 4;

// A cell as one printed line: line breaks become spaces.
QString OneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString CellText(const QAbstractItemModel& model, int row, int column) {
    return OneLine(model.data(model.index(row, column), Qt::DisplayRole).toString());
}

QString Heading(const QAbstractItemModel& model, int column) {
    return OneLine(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
}

// Each column as wide as its widest text measured plus a gap, all together scaled down to the
// page width when they do not fit.
QList<double> ColumnWidths(const ChannelListPrint& print, const QFontMetricsF& metrics,
                           double pageWidth) {
    const QAbstractItemModel& model = *print.model;
    const double gap = metrics.horizontalAdvance(QStringLiteral("  "));
    QList<double> widths;
    double total = 0;
    for (const int column : print.columns) {
        double width = metrics.horizontalAdvance(Heading(model, column));
        const int measured = std::min(model.rowCount(), kMeasuredRows);
        for (int row = 0; row < measured; ++row) {
            width = std::max(width, metrics.horizontalAdvance(CellText(model, row, column)));
        }
        widths << width + gap;
        total += width + gap;
    }
    if (total > pageWidth && total > 0) {
        for (double& width : widths) {
            width *= pageWidth / total;
        }
    }
    return widths;
}

}  // namespace

int PageCount(const ChannelListPrint& print, int rowsPerPage) {
    rowsPerPage = std::max(rowsPerPage, 1);
    return std::max(1, (print.model->rowCount() + rowsPerPage - 1) / rowsPerPage);
}

PrintedPage PageOf(const ChannelListPrint& print, int page, int rowsPerPage, int pageCount) {
    const QAbstractItemModel& model = *print.model;
    PrintedPage printed;
    printed.title = print.title;
    for (const int column : print.columns) {
        printed.headings << Heading(model, column);
    }
    const int first = page * rowsPerPage;
    const int last = std::min(model.rowCount(), first + rowsPerPage);
    for (int row = first; row < last; ++row) {
        QStringList cells;
        for (const int column : print.columns) {
            cells << CellText(model, row, column);
        }
        printed.rows << cells;
    }
    printed.pageNumber =
        QCoreApplication::translate("TablePrinter", "Page %1 of %2").arg(page + 1).arg(pageCount);
    return printed;
}

int PrintChannelList(QPrinter& printer, const ChannelListPrint& print, Progress* progress) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(print.title);
    QPainter painter;
    if (print.model == nullptr || !painter.begin(&printer)) {
        return 0;
    }
    QFont font = painter.font();
    font.setPointSizeF(8);
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(font);

    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    const QFontMetricsF metrics(font, &printer);
    const double lineHeight = metrics.height() * 1.25;
    const QList<double> widths = ColumnWidths(print, metrics, area.width());
    const int rowsPerPage =
        std::max(1, static_cast<int>(area.height() / lineHeight) - kReservedLines);
    const int pages = PageCount(print, rowsPerPage);

    // One line of texts at height `y`, each cut to its column.
    const auto drawLine = [&](double y, const QStringList& texts) {
        double x = area.left();
        for (qsizetype k = 0; k < texts.size() && k < widths.size(); ++k) {
            const QString text = metrics.elidedText(texts[k], Qt::ElideRight,
                                                    widths[k] - metrics.horizontalAdvance(' '));
            painter.drawText(QRectF(x, y, widths[k], lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             text);
            x += widths[k];
        }
    };

    for (int page = 0; page < pages; ++page) {
        if (progress != nullptr && !progress->Advance(page, pages)) {
            printer.abort();
            painter.end();
            return kPrintCancelled;
        }
        if (page > 0 && !printer.newPage()) {
            return 0;
        }
        const PrintedPage printed = PageOf(print, page, rowsPerPage, pages);
        double y = area.top();
        painter.setFont(bold);
        painter.drawText(QRectF(area.left(), y, area.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, printed.title);
        y += 2 * lineHeight;
        drawLine(y, printed.headings);
        painter.setFont(font);
        y += lineHeight;
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        for (const QStringList& row : printed.rows) {
            drawLine(y, row);
            y += lineHeight;
        }
        painter.drawText(QRectF(area.left(), area.bottom() - lineHeight, area.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, printed.pageNumber);
    }
    return painter.end() ? pages : 0;
}

}  // namespace corvalen
