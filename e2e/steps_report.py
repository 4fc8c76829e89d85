"""Report steps of the end-to-end desktop test, each a function of the running
program (desktop.App) and the artefacts folder.

step_prints_twice_from_one_preview
    Expects: the program running with its main window shown and no report
    preview open; any gearing (the step reads the table from the window).
    Does: File > Print, then the preview's Print tool twice, each time to a
    new PDF through the print dialog, and closes the preview with Alt+F4.
    Checks: the preview stays open after each print, both PDFs hold the
    same ten table lines, and the preview is gone after Alt+F4.
    Leaves: the main window active, its gearing as it was, no preview open;
    13-report-first.pdf and 13-report-second.pdf in the artefacts folder.
"""
import os
import time

from desktop import run, wait_for


def _print_from_preview(app, preview_node, pdf):
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


def step_prints_twice_from_one_preview(app, artifacts):
    app.activate(app.window)
    app.click(*app.node(name="File", role="menu item").center())
    app.click(*app.node(name="Print", role="menu item", showing=True).center())
    preview = app.find_window("^Print Preview$")
    time.sleep(1.0)
    preview_node = app.node(name="Print Preview", role="dialog")

    first = _print_from_preview(app, preview_node, os.path.join(os.path.abspath(artifacts), "13-report-first.pdf"))
    time.sleep(1.0)
    visible = run("xdotool", "search", "--onlyvisible", "--name", "^Print Preview$", check=False).split()
    assert preview in visible, "printing closed the preview"

    second = _print_from_preview(app, preview_node, os.path.join(os.path.abspath(artifacts), "13-report-second.pdf"))
    assert len(first) == 10, first
    assert second == first, (first, second)
    app.screenshot("13-preview-after-two-prints", preview)

    app.close_window(preview)
    app.activate(app.window)
