#include "app/TablePrinter.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <numeric>

#include "app/ColumnNames.h"
#include "app/StatusText.h"
#include "table/Columns.h"

namespace corvalen {

namespace {

// Column widths are measured on the headings and on this many rows; a wider cell below wraps.
constexpr int kMeasuredRows = 2000;

QString OneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Each column as wide as its widest text; on a page too narrow the widest are narrowed to one
// common width so the rest keep theirs, or, with more columns than it holds, all scaled down.
QList<double> FitWidths(QList<double> natural, double pageWidth, double narrowest) {
    const double total = std::accumulate(natural.begin(), natural.end(), 0.0);
    if (total <= pageWidth || natural.isEmpty()) {
        return natural;
    }
    QList<double> sorted = natural;
    std::sort(sorted.begin(), sorted.end());
    // The common width `cap` of the columns wider than it: with the k narrowest kept whole,
    // the others share what is left.
    double kept = 0;
    double cap = -1;
    for (qsizetype k = 0; k < sorted.size(); ++k) {
        const double share = (pageWidth - kept) / static_cast<double>(sorted.size() - k);
        if (share <= sorted[k]) {
            cap = share;
            break;
        }
        kept += sorted[k];
    }
    if (cap >= narrowest) {
        for (double& width : natural) {
            width = std::min(width, cap);
        }
        return natural;
    }
    for (double& width : natural) {
        width *= pageWidth / total;
    }
    return natural;
}

}  // namespace

QStringList PrintedHeadings(const ChannelListPrint& print) {
    QStringList headings;
    for (const int column : print.columns) {
        headings << OneLine(
            print.model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    }
    return headings;
}

QStringList PrintedRow(const ChannelListPrint& print, int row) {
    QStringList cells;
    for (const int column : print.columns) {
        const QString text = print.model->index(row, column).data(Qt::DisplayRole).toString();
        cells << OneLine(column == Frequency ? FrequencyShown(text, print.frequencyUnit) : text);
    }
    return cells;
}

int PrintChannelList(QPagedPaintDevice& device, const ChannelListPrint& print, Progress* progress) {
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (print.model == nullptr || !painter.begin(&device)) {
        return 0;
    }
    QFont font = painter.font();
    font.setPointSizeF(8);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF metrics(font, &device);
    const QFontMetricsF boldMetrics(bold, &device);

    const QRectF area(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const double lineHeight = metrics.height() * 1.25;
    const double padding = metrics.horizontalAdvance(QLatin1Char(' '));  // each side of a cell
    const QAbstractItemModel& model = *print.model;
    const int rowCount = model.rowCount();

    // Measuring, laying out, then each page: a step (a chance to stop) every kRowsPerStep rows.
    const auto stopped = [&](int done, int total) {
        if (progress == nullptr || progress->Advance(done, total)) {
            return false;
        }
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
            printer->abort();
        }
        painter.end();
        return true;
    };
    constexpr int kRowsPerStep = 256;
    const int measured = std::min(rowCount, kMeasuredRows);
    const int total = measured + 2 * rowCount;

    // Headings are measured in their bold face, so neighbours never run together.
    const QStringList headings = PrintedHeadings(print);
    QList<double> natural;
    for (const QString& heading : headings) {
        natural << boldMetrics.horizontalAdvance(heading);
    }
    for (int row = 0; row < measured; ++row) {
        if (row % kRowsPerStep == 0 && stopped(row, total)) {
            return kPrintCancelled;
        }
        const QStringList cells = PrintedRow(print, row);
        for (qsizetype k = 0; k < cells.size(); ++k) {
            natural[k] = std::max(natural[k], metrics.horizontalAdvance(cells[k]));
        }
    }
    for (double& width : natural) {
        width += 2 * padding;
    }
    const QList<double> widths = FitWidths(natural, area.width(), 8 * padding);

    // The height of a line of texts, each wrapped in its column.
    const auto heightOf = [&](const QStringList& texts, const QFontMetricsF& face) {
        double height = lineHeight;
        for (qsizetype k = 0; k < texts.size() && k < widths.size(); ++k) {
            const QRectF box(0, 0, std::max(widths[k] - 2 * padding, padding), 1e9);
            height = std::max(
                height,
                face.boundingRect(box, Qt::TextWordWrap | Qt::TextWrapAnywhere, texts[k]).height() +
                    lineHeight - metrics.height());
        }
        return height;
    };
    const auto drawLine = [&](double y, double height, const QStringList& texts) {
        double x = area.left();
        for (qsizetype k = 0; k < texts.size() && k < widths.size(); ++k) {
            const Qt::Alignment alignment =
                ColumnNames::IsNumeric(print.columns[k]) ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(QRectF(x + padding, y, widths[k] - 2 * padding, height),
                             alignment | Qt::AlignTop | Qt::TextWordWrap, texts[k]);
            x += widths[k];
        }
    };

    // Rows are laid out on pages first, so every page can say how many there are.
    const double headingHeight = heightOf(headings, boldMetrics);
    const double top = 2 * lineHeight + headingHeight + lineHeight / 4;  // title, gap, headings
    const double bottom = area.height() - 1.5 * lineHeight;              // the page number
    QList<int> pageStarts{0};
    QList<double> rowHeights;
    rowHeights.reserve(rowCount);
    double y = top;
    for (int row = 0; row < rowCount; ++row) {
        if (row % kRowsPerStep == 0 && stopped(measured + row, total)) {
            return kPrintCancelled;
        }
        const double height = heightOf(PrintedRow(print, row), metrics);
        rowHeights << height;
        if (y + height > bottom && row > pageStarts.last()) {
            pageStarts << row;
            y = top;
        }
        y += height;
    }
    const int pages = static_cast<int>(pageStarts.size());

    for (int page = 0; page < pages; ++page) {
        if (stopped(measured + rowCount +
                        static_cast<int>(static_cast<std::int64_t>(rowCount) * page / pages),
                    total)) {
            return kPrintCancelled;
        }
        if (page > 0 && !device.newPage()) {
            return 0;
        }
        painter.setFont(bold);
        painter.drawText(QRectF(area.left(), area.top(), area.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, print.title);
        drawLine(2 * lineHeight, headingHeight, headings);
        painter.setFont(font);
        const double rule = 2 * lineHeight + headingHeight;
        painter.drawLine(QPointF(area.left(), rule), QPointF(area.right(), rule));
        y = top;
        const int end = page + 1 < pages ? pageStarts[page + 1] : rowCount;
        for (int row = pageStarts[page]; row < end; ++row) {
            drawLine(y, rowHeights[row], PrintedRow(print, row));
            y += rowHeights[row];
        }
        painter.drawText(
            QRectF(area.left(), area.bottom() - lineHeight, area.width(), lineHeight),
            Qt::AlignHCenter | Qt::AlignVCenter,
            QCoreApplication::translate("TablePrinter", "Page %1 of %2").arg(page + 1).arg(pages));
    }
    return painter.end() ? pages : 0;
}

}  // namespace corvalen
