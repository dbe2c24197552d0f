#pragma once
// The application's printer: the one the settings window chose, kept for
// every job after, with the paper and orientation of the setup dialog. Where
// the system knows no printer, jobs go to a PDF file.
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QPrinter;

class CurrentPrinter {
public:
    CurrentPrinter();
    ~CurrentPrinter();

    // Makes `name` the printer of the next jobs; empty, or a name the
    // system does not know, is the system's default printer.
    void select(const QString &name);
    const QString &selected() const { return m_selected; }

    // The printer with the selection applied (made on first use: asking the
    // print system is slow without it running).
    QPrinter &printer();
    // True when the printer writes a PDF file rather than paper.
    bool printsToFile();
    // The printable area in device pixels.
    QSize printableArea();
    // The whole sheet in device pixels from the printable area's top-left
    // corner (which lies at the printer's margins).
    QRect sheet();

private:
    void applySelection();
    void preparePdf();

    std::unique_ptr<QPrinter> m_printer;
    QString m_selected;
    std::optional<QString> m_applied; // the printer last given to m_printer ("" : PDF)
    bool m_pdfPrepared = false;
};
