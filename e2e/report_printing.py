"""The report preview's printing, with real input, for the end-to-end test.

print_from_preview(app, preview_node, pdf) presses the preview's Print tool,
types the PDF's path into the print dialog, prints, and returns the report's
table lines read back from the PDF (the chainring line, then one line per
sprocket). It expects the preview open and leaves it open.
"""
import os
import time

from desktop import run, wait_for


def print_from_preview(app, preview_node, pdf):
    if os.path.exists(pdf):
        os.remove(pdf)
    app.click(*app.node(name="Print", role="push button", showing=True, under=preview_node).center())
    printer = app.find_window("^Print$")
    time.sleep(1.0)
    dialog_node = app.node(name="Print", role="dialog")
    output = app.node(name="Output file:", role="text", under=dialog_node)
    app.click(*output.center())
    app.key("ctrl+a")
    app.type(pdf)
    app.click(*app.node(name="Print", role="push button", showing=True, under=dialog_node).center())
    app.window_gone(printer)
    wait_for(f"the printed {os.path.basename(pdf)}", lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 1000)
    time.sleep(0.5)  # the whole file, not its first pages
    text = run("pdftotext", "-layout", pdf, "-")
    # The table lines: the chainring line, then one line per sprocket.
    return [l.split() for l in text.splitlines() if len(l.split()) in (6, 7) and l.split()[0].isdigit()]
