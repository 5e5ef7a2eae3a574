#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "convert/FrequencyText.h"
#include "io/Progress.h"

class QAbstractItemModel;
class QPagedPaintDevice;

namespace corvalen {

// What "Print…" and "Export PDF…" put on paper: the rows of `model` (the grid's view) in its
// order, the `columns` given, frequencies in `frequencyUnit`, and `title` atop every page.
struct ChannelListPrint {
    const QAbstractItemModel* model = nullptr;
    QList<int> columns;
    QString title;
    FrequencyUnit frequencyUnit = FrequencyUnit::Hz;
};

// The column headings and the cells of one row as they are printed (line breaks as spaces).
QStringList PrintedHeadings(const ChannelListPrint& print);
QStringList PrintedRow(const ChannelListPrint& print, int row);

// Prints the list on `device` in landscape, every column as wide as its widest text, the widest
// sharing what is left when they do not fit (their texts wrap); every page with the title, the
// headings and "Page n of m". Returns the number of pages, 0 when the device failed, or
// kPrintCancelled when `progress` stopped it (a printer is then aborted).
inline constexpr int kPrintCancelled = -1;
int PrintChannelList(QPagedPaintDevice& device, const ChannelListPrint& print,
                     Progress* progress = nullptr);

}  // namespace corvalen
