#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/TablePrinter.h"

class QAction;
class QPagedPaintDevice;
class QPrinter;
class QTableView;
class QWidget;

namespace corvalen {

class MessageBoxes;
class SharedFileDialog;

// Asks which printer to use and how: Qt's print dialog, or the tests' script.
class PrinterChooser {
public:
    virtual ~PrinterChooser() = default;
    // True when the user chose to print; `printer` is then set up as chosen.
    virtual bool choose(QPrinter& printer) = 0;
};

class QtPrinterChooser : public PrinterChooser {
public:
    explicit QtPrinterChooser(QWidget* parent) : m_parent(parent) {}
    bool choose(QPrinter& printer) override;

private:
    QWidget* m_parent;
};

// File / "Print…" and "Export PDF…": the channel list as the grid shows it, on A4 or Letter.
class PrintActions : public QObject {
    Q_OBJECT

public:
    // `title` gives the name printed on every page (the file last opened or saved).
    PrintActions(QTableView& grid, SharedFileDialog& fileDialog, MessageBoxes& messages,
                 std::function<QString()> title, QWidget* window);

    QAction* printAction() const { return m_print; }
    QAction* exportPdfAction() const { return m_exportPdf; }
    // What the grid shows now, as the two commands print it.
    ChannelListPrint listToPrint() const;
    // For the tests, instead of Qt's print dialog.
    void setPrinterChooser(PrinterChooser* chooser) { m_chooser = chooser; }

public slots:
    bool print();      // "Print…"; true once printed
    bool exportPdf();  // "Export PDF…"; true once the file is written
    // The PDF of "Export PDF…" written to `path` (an existing file is replaced).
    bool writePdf(const QString& path);

signals:
    void status(const QString& text);

private:
    // Prints on `device`; the number of pages, or 0 when printing failed.
    int printOn(QPagedPaintDevice& device);

    QTableView& m_grid;
    SharedFileDialog& m_fileDialog;
    MessageBoxes& m_messages;
    std::function<QString()> m_title;
    QtPrinterChooser m_qtChooser;
    PrinterChooser* m_chooser;
    QAction* m_print;
    QAction* m_exportPdf;
};

}  // namespace corvalen
