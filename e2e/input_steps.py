"""End-to-end steps for the tooth fields' Escape key and the menus'
separators, with real input.

Each step is a function of the visit (the `Visit` object of
test_desktop.py: it uses `visit.app` and `visit.type_into`); test_desktop.py
lists them among its steps.

What they expect and leave:
- step_escape_keeps_a_kept_value: the main window open, English, no dialog
  open; any tab and gearing. It types into sprocket row 1 and the Big
  chainring, then types their earlier values back, so it leaves the gearing
  and the tables as it found them, with the Setup tab active.
- step_separators_are_plain_lines: the main window open, no dialog or menu
  open; either language (it finds the menus by position, not by name). It
  opens the File and View menus and the chart's context menu and closes
  each with Escape, and leaves the Chart tab active.
"""
import os
import time

from desktop import run, wait_for

INVALID = "Invalid input value.  Use escape key to abandon changes."


def _field_text(app, name):
    return app.node(name=name).text().replace("_", " ")


def _leave_and_come_back(app):
    """Tab out of the focused field and shift+Tab back into it."""
    app.key("Tab")
    app.key("shift+Tab")


def step_escape_keeps_a_kept_value(visit):
    app = visit.app
    app.activate(app.window)
    app.click(*app.node(role="page tab", showing=True).center())  # the first tab: Setup
    wait_for("the Setup tab", lambda: app.node(name="Sprocket row 1 teeth").showing())
    row1 = "Sprocket row 1 teeth"
    big = "Big chainring teeth"
    cell = "Gear inches, Big chainring, sprocket row 1"
    row1_before, big_before = _field_text(app, row1), _field_text(app, big)
    kept_sprocket = "15" if row1_before != "15" else "16"
    kept_ring = "60" if big_before != "60" else "61"

    # A sprocket value kept by leaving the field stays after Escape on coming back.
    visit.type_into(row1, kept_sprocket)
    wait_for("the tables recalculated", lambda: _field_text(app, row1) == kept_sprocket)
    kept_cell = app.cell(cell)
    _leave_and_come_back(app)
    app.key("Escape")
    time.sleep(0.3)
    assert _field_text(app, row1) == kept_sprocket, f"Escape gave back {_field_text(app, row1)!r}"
    assert app.cell(cell) == kept_cell, "the tables went back to the old sprocket"

    # The same on a chainring, after an exit refused for a missing digit.
    visit.type_into(big, kept_ring)
    wait_for("the Big chainring typed", lambda: _field_text(app, big) == kept_ring)
    _leave_and_come_back(app)
    app.key("End", "BackSpace")
    wait_for("one digit left", lambda: _field_text(app, big).strip() == kept_ring[0])
    app.key("Tab")
    box = wait_for("the error box", lambda: (w := app.active_window()) != app.window and w)
    assert app.window_title(box) == "Ratiomat", app.window_title(box)
    app.node(name=INVALID, showing=True)
    app.screenshot("input-refused-exit", box)
    app.key("Return")
    app.window_gone(box)
    app.activate(app.window)
    app.key("Escape")
    wait_for("the chainring as kept", lambda: _field_text(app, big) == kept_ring)

    # Put the rider's gearing back as it was.
    visit.type_into(big, big_before)
    visit.type_into(row1, row1_before)
    app.key("Tab")
    wait_for("the gearing restored",
             lambda: _field_text(app, big) == big_before and _field_text(app, row1) == row1_before)


def _pixel_rows(png):
    """The picture's pixel colours (hex RGB), a list a row from the top."""
    out = run("convert", png, "-depth", "8", "txt:-")
    rows = {}
    for line in out.splitlines()[1:]:
        pos, _, rest = line.partition(":")
        x, y = (int(v) for v in pos.split(","))
        rows.setdefault(y, {})[x] = rest.split("#")[1][:6] if "#" in rest else rest
    return [[rows[y][x] for x in sorted(rows[y])] for y in sorted(rows)]


def _rows_are_plain_line(png):
    """True when every pixel row of the picture is either all background
    (the colour of its top-left pixel) or one unbroken run of one colour."""
    rows = _pixel_rows(png)
    background = rows[0][0]
    marked = 0
    for row in rows:
        marks = [i for i, c in enumerate(row) if c != background]
        if not marks:
            continue
        marked += 1
        if marks != list(range(marks[0], marks[-1] + 1)) or len({row[i] for i in marks}) != 1:
            return False
    return marked > 0


def _check_separators(app, shot):
    """Every separator shown on screen must be a plain line."""
    separators = wait_for("a separator on screen",
                          lambda: [n for n in app.root.walk() if n.role == "separator" and n.showing()])
    full = app.screenshot(shot + "-screen")
    for i, node in enumerate(separators):
        x, y, w, h = node.extents()
        path = os.path.join(app.artifacts, f"{shot}-{i}.png")
        # Two pixels off each end: the menu's frame may touch the item.
        run("convert", full, "-crop", f"{w - 4}x{h}+{x + 2}+{y}", "+repage", path)
        assert _rows_are_plain_line(path), f"separator {i} in {shot} is more than a line (see {path})"
    return len(separators)


def step_separators_are_plain_lines(visit):
    app = visit.app
    app.activate(app.window)
    bar = [n for n in app.root.walk() if n.role == "menu item" and n.showing()]
    # The menu bar's titles come first in the tree: File, Edit, View, Help.
    titles = sorted(bar, key=lambda n: n.center()[0])[:4]
    seen = 0
    for index, shot in ((0, "input-file-menu"), (2, "input-view-menu")):
        app.click(*titles[index].center())
        seen += _check_separators(app, shot)
        app.key("Escape")
        time.sleep(0.3)

    tabs = sorted([n for n in app.root.walk() if n.role == "page tab"], key=lambda n: n.center()[0])
    app.click(*tabs[1].center())  # the Chart tab
    x, y = app.node(name="Speed-range chart", showing=True).center()
    app.click(x, y, button=3)
    time.sleep(0.5)
    # The context menu is not on the accessibility bus: it opens with its
    # top-left corner at the pointer, so look at the picture there.
    full = app.screenshot("input-chart-menu-screen")
    menu = os.path.join(app.artifacts, "input-chart-menu.png")
    run("convert", full, "-crop", f"150x150+{x + 2}+{y + 2}", "+repage", menu)
    seen += _separator_rows(menu)
    app.key("Escape")
    assert seen == 5, f"{seen} separators seen, 5 expected"


def _separator_rows(png):
    """The number of separators in a picture of a menu (the menu's
    background at the top-left): rows crossed by one long line. Each such
    row must hold that line alone, starting near the left edge."""
    rows = _pixel_rows(png)
    background = rows[0][0]
    found, previous = 0, False
    for y, row in enumerate(rows):
        marks = [i for i, c in enumerate(row) if c != background]
        colours = {row[i] for i in marks}
        is_line = len(marks) > len(row) // 2 and len(colours) == 1
        if is_line:
            assert marks == list(range(marks[0], marks[-1] + 1)) and marks[0] <= 8, \
                f"separator row {y} of {png} is more than a line"
            if not previous:
                found += 1
        previous = is_line
    return found
