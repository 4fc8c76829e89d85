#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPrinter;

namespace report {

// The application's current printer. It is chosen once, on first use: the
// system's default printer when there is one, otherwise Qt's PDF file
// output, so the report can be previewed on machines without printers.
struct PrinterChoice
{
    QString printerName; // empty = PDF file output
};

// Asks the printing system for the printer to start with; no answer means
// the system offers no printer at all. Tests inject their own.
using PrinterLookup = std::function<std::optional<PrinterChoice>()>;
PrinterLookup setPrinterLookup(PrinterLookup lookup); // returns the previous one; empty = the system's

inline const QString kNoDefaultPrinter = QStringLiteral("There is no default printer currently selected");

// The current printer, choosing it first when none has been chosen yet.
// Throws platform::AppError(kNoDefaultPrinter) when there is none.
PrinterChoice currentPrinter();
// Forgets the choice so the next currentPrinter() asks again.
void resetCurrentPrinter();

// Points a printer at a choice: the named printer, or PDF output.
void selectPrinter(QPrinter &printer, const PrinterChoice &choice);

} // namespace report
