#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "io/Progress.h"

class QAbstractItemModel;
class QPrinter;

namespace corvalen {

// What "Print…" and "Export PDF…" put on paper: the rows of `model` in its own order (the grid's
// view, so sorted and filtered as the grid shows them), the `columns` given (the grid's visible
// ones, in the order it shows them), and `title` (the file name) at the top of every page.
struct ChannelListPrint {
    const QAbstractItemModel* model = nullptr;
    QList<int> columns;
    QString title;
};

// The texts of one printed page: the title line, the column headings, the rows (one line per
// cell, line breaks as spaces) and the page number line.
struct PrintedPage {
    QString title;
    QStringList headings;
    QList<QStringList> rows;
    QString pageNumber;  // "Page 2 of 5"
};

// How many pages the list takes with `rowsPerPage` rows on each (at least one, so an empty list
// still prints its headings).
int PageCount(const ChannelListPrint& print, int rowsPerPage);
// Page `page` (from 0) of `pageCount`.
PrintedPage PageOf(const ChannelListPrint& print, int page, int rowsPerPage, int pageCount);

// Prints the channel list on `printer`, turned to landscape, as many rows on a page as fit below
// the title and the headings. A text too wide for its column is cut with "…". Returns the number
// of pages, or 0 when the printer could not be started or did not finish (a PDF file that could
// not be written). `progress` hears of each page and can stop the printing: then the printer
// is aborted and kPrintCancelled returned.
inline constexpr int kPrintCancelled = -1;
int PrintChannelList(QPrinter& printer, const ChannelListPrint& print,
                     Progress* progress = nullptr);

}  // namespace corvalen
