#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPrinter;

namespace report {

// The application's current printer. It is chosen once, on first use: the
// system's default printer when there is one; on a machine with no printer
// at all, PDF file output, so the report can still be previewed and printed
// to a file. Printers without a default are an error: the rider is asked to
// choose one in the system's printer settings rather than printing to an
// arbitrary one.
struct PrinterChoice
{
    QString printerName; // empty = PDF file output
};

// Asks the printing system for the printer to start with; no answer means
// the system offers no printer at all. Tests inject their own.
using PrinterLookup = std::function<std::optional<PrinterChoice>()>;
PrinterLookup setPrinterLookup(PrinterLookup lookup); // returns the previous one; empty = the system's

// The choice the system lookup makes from the system's default printer
// (empty = none) and the names of its printers: the default; none when
// there are printers but no default; PDF output when there is no printer.
std::optional<PrinterChoice> choosePrinter(const QString &defaultPrinter, const QStringList &printers);

inline const QString kNoDefaultPrinter = QStringLiteral("There is no default printer currently selected");

// The current printer, choosing it first when none has been chosen yet.
// Throws core::AppError(kNoDefaultPrinter) when there is none.
PrinterChoice currentPrinter();
// Forgets the choice so the next currentPrinter() asks again.
void resetCurrentPrinter();

// Points a printer at a choice: the named printer, or PDF output.
void selectPrinter(QPrinter &printer, const PrinterChoice &choice);

} // namespace report
