#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "convert/FrequencyText.h"
#include "io/Progress.h"

class QAbstractItemModel;
class QPagedPaintDevice;

namespace corvalen {

// What "Print…" and "Export PDF…" put on paper: the rows of `model` in its own order (the grid's
// view, so sorted and filtered as the grid shows them), the `columns` given (the grid's visible
// ones, in the order it shows them), frequencies in the unit the grid shows them in, and `title`
// (the file name) at the top of every page.
struct ChannelListPrint {
    const QAbstractItemModel* model = nullptr;
    QList<int> columns;
    QString title;
    FrequencyUnit frequencyUnit = FrequencyUnit::Hz;
};

// The column headings and the cells of one row as they are printed (line breaks as spaces).
QStringList PrintedHeadings(const ChannelListPrint& print);
QStringList PrintedRow(const ChannelListPrint& print, int row);

// Prints the channel list on `device` (a printer or a PDF writer), turned to landscape on the
// page size it has. Every column is as wide as its widest text and its heading; when they do
// not all fit the page, the widest share what is left and their texts wrap onto more lines, so
// nothing is cut. Every page has the title, the headings and "Page n of m". Returns the number
// of pages, or 0 when the device could not be started or did not finish. `progress` hears how
// far the layout and the pages have come and can stop the printing: then a printer is aborted
// and kPrintCancelled returned.
inline constexpr int kPrintCancelled = -1;
int PrintChannelList(QPagedPaintDevice& device, const ChannelListPrint& print,
                     Progress* progress = nullptr);

}  // namespace corvalen
