#include "printers.h"

#include "core/errors.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace report {

namespace {

PrinterLookup &lookupSlot()
{
    static PrinterLookup lookup;
    return lookup;
}

std::optional<PrinterChoice> &chosen()
{
    static std::optional<PrinterChoice> choice;
    return choice;
}

std::optional<PrinterChoice> systemPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return choosePrinter(info.isNull() ? QString() : info.printerName(), QPrinterInfo::availablePrinterNames());
}

} // namespace

std::optional<PrinterChoice> choosePrinter(const QString &defaultPrinter, const QStringList &printers)
{
    if (!defaultPrinter.isEmpty())
        return PrinterChoice{defaultPrinter};
    if (!printers.isEmpty())
        return std::nullopt; // printers to choose from, but none is the default
    return PrinterChoice{};  // no printer at all: PDF file output is always there
}

PrinterLookup setPrinterLookup(PrinterLookup lookup)
{
    std::swap(lookupSlot(), lookup);
    return lookup;
}

PrinterChoice currentPrinter()
{
    if (!chosen()) {
        const std::optional<PrinterChoice> found = lookupSlot() ? lookupSlot()() : systemPrinter();
        if (!found)
            throw core::AppError(kNoDefaultPrinter);
        chosen() = found;
    }
    return *chosen();
}

void resetCurrentPrinter()
{
    chosen().reset();
}

void selectPrinter(QPrinter &printer, const PrinterChoice &choice)
{
    if (choice.printerName.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(choice.printerName);
    }
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPaperSource(QPrinter::Auto);
}

} // namespace report
