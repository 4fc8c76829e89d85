#!/usr/bin/python3
"""End-to-end test of the built program on a real desktop, X11 or (with
--wayland) Wayland: a rider's whole visit, driven with real input events and
checked by what they see. Screenshots are left in the artefacts folder."""
import argparse
import os
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import App, Desktop, WaylandApp, WaylandDesktop, colours, image_size, wait_for  # noqa: E402
from input_steps import step_escape_keeps_a_kept_value, step_separators_are_plain_lines  # noqa: E402
from report_printing import print_from_preview  # noqa: E402

RED, YELLOW, LIME = (255, 0, 0), (255, 255, 0), (0, 255, 0)

# The steps of the visit, in the order they run: each is one thing a rider
# does, with what they must then see. A step is a method of Visit marked
# with @step; the run fails when it did not run every step defined here.
STEPS = []


def step(fn):
    STEPS.append(fn)
    return fn


def differing_pixels(a, b):
    """How many pixels differ between two pictures (ImageMagick's compare
    writes its figure to standard error)."""
    r = subprocess.run(["compare", "-metric", "AE", a, b, "null:"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.PIPE, timeout=20)
    # Exit status 0: alike, 1: different; anything else is an error.
    assert r.returncode in (0, 1), r.stderr.decode()
    return int(float(r.stderr.decode().split()[0]))


class Visit:
    def __init__(self, app, artifacts):
        self.app = app
        self.artifacts = artifacts

    def type_into(self, accessible_name, text):
        field = self.app.node(name=accessible_name)
        self.app.click(*field.center())
        self.app.key("Home", "shift+End")
        self.app.type(text)

    @step
    def step_starts_with_default_gearing(self):
        app = self.app
        assert app.window_title(app.window) == "Ratiomat"
        cells = wait_for("54 result cells", lambda: (c := app.cells()) and len(c) == 54 and c)
        assert cells["Gear inches, Big chainring, sprocket row 1"] == "116.2", cells
        assert cells["Speed, Small chainring, sprocket row 9"] == "19.2", cells
        app.screenshot("01-main-window", app.window)

    @step
    def step_types_a_custom_gearing(self):
        app = self.app
        self.type_into("Big chainring teeth", "50")
        self.type_into("Sprocket row 1 teeth", "11")
        self.type_into("Small chainring teeth", "34")
        wait_for("Big row 1 recalculated",
                 lambda: app.cell("Gear inches, Big chainring, sprocket row 1") == "119.6")
        assert app.cell("Speed, Big chainring, sprocket row 1") == "57.3"
        assert app.cell("Gear inches, Small chainring, sprocket row 9") == "42.6"
        app.screenshot("02-custom-gearing", app.window)

    @step
    def step_escape_keeps_a_kept_value(self):
        step_escape_keeps_a_kept_value(self)

    @step
    def step_switches_to_the_chart(self):
        app = self.app
        zoom = app.node(name="Zoom in", role="menu item")
        assert not zoom.enabled(), "zoom enabled on the Setup tab"
        tab = app.node(name="Chart", role="page tab")
        app.click(*tab.center())
        wait_for("zoom enabled on the Chart tab", lambda: app.node(name="Zoom in", role="menu item").enabled())
        shot = app.screenshot("03-chart-tab", app.window)
        found = colours(shot)
        for c in (RED, YELLOW, LIME):
            assert c in found, f"bar colour {c} not on screen"

    @step
    def step_separators_are_plain_lines(self):
        step_separators_are_plain_lines(self)

    @step
    def step_zooms_in_and_resets(self):
        app = self.app
        app.activate(app.window)
        chart = app.node(name="Speed-range chart")
        before = app.shot_of(chart, "04a-chart-before-zoom")
        app.key("ctrl+i")
        time.sleep(0.5)
        zoomed = app.shot_of(chart, "04b-chart-zoomed")
        assert differing_pixels(before, zoomed) > 0, "zoom changed nothing"
        app.click(*app.node(name="View", role="menu item").center())
        app.click(*app.node(name="Undo", role="menu item", showing=True).center())
        time.sleep(0.5)
        app.click(*app.node(name="Chart", role="page tab").center())  # pointer off the chart
        back = app.shot_of(chart, "04c-chart-reset")
        diff = differing_pixels(before, back)
        assert diff == 0, f"reset chart differs from the start in {diff} pixels"

    @step
    def step_copies_the_chart_to_the_clipboard(self):
        app = self.app
        app.key("ctrl+c")
        wait_for("an image on the clipboard", lambda: b"image/png" in app.clipboard())
        png = os.path.join(self.artifacts, "05-clipboard.png")
        with open(png, "wb") as f:
            f.write(app.clipboard("image/png"))
        assert image_size(png) == (526, 306), image_size(png)
        assert RED in colours(png)

    @step
    def step_saves_a_bitmap(self):
        app = self.app
        path = os.path.join(os.path.abspath(self.artifacts), "06-saved-chart.jpg")
        if os.path.exists(path):
            os.remove(path)
        app.key("ctrl+s")
        dialog = app.find_window("Save")
        app.activate(dialog)
        app.key("ctrl+a")
        app.type(path)
        app.key("Return")
        wait_for("the bitmap file", lambda: os.path.exists(path) and os.path.getsize(path) > 1000)
        with open(path, "rb") as f:
            assert f.read(2) == b"BM"

    @step
    def step_previews_and_prints_the_report(self):
        app = self.app
        app.activate(app.window)
        app.click(*app.node(name="Setup", role="page tab").center())
        old = app.cell("Gear inches, Big chainring, sprocket row 9")
        self.type_into("Sprocket row 9 teeth", "23")
        typed = wait_for("the rider's gearing",
                         lambda: (v := app.cell("Gear inches, Big chainring, sprocket row 9")) != old and v)
        app.click(*app.node(name="File", role="menu item").center())
        app.click(*app.node(name="Print", role="menu item", showing=True).center())
        preview = app.find_window("^Print Preview$")
        time.sleep(1.0)
        app.screenshot("11-report-preview", preview)
        preview_node = app.node(name="Print Preview", role="dialog")
        art = os.path.abspath(self.artifacts)
        first = print_from_preview(app, preview_node, os.path.join(art, "12-report.pdf"))
        assert len(first) == 10, first
        assert ["50", "42", "34", "50", "42", "34"] == first[0], first  # the gearing typed earlier
        assert first[9][0] == "23", "the rider's sprocket is not in the report"
        # The preview stays after a print, and prints the same page again.
        time.sleep(1.0)
        assert preview in app.windows("^Print Preview$"), "printing closed the preview"
        second = print_from_preview(app, preview_node, os.path.join(art, "12-report-again.pdf"))
        assert second == first, (first, second)
        app.close_window(preview)
        # Coming back from the preview keeps what the rider typed.
        time.sleep(0.5)
        assert app.cell("Gear inches, Big chainring, sprocket row 9") == typed, "the gearing was lost"
        assert app.node(name="Sprocket row 9 teeth").text() == "23"

    def open_setup(self, view_menu, setup_item):
        app = self.app
        app.activate(app.window)
        app.click(*app.node(name=view_menu, role="menu item").center())
        app.click(*app.node(name=setup_item, role="menu item", showing=True).center())
        return app.find_window("^(Setup|Indstillinger)$")

    def choose_language(self, dialog, language):
        app = self.app
        app.activate(dialog)
        combo = app.node(role="combo box", showing=True)
        app.click(*combo.center())
        app.click(*app.node(name=language, role="list item", showing=True).center())

    def switch_language(self, view_menu, setup_item, language, caption_before, caption_after, shot):
        """Picks a language in the settings dialog (which previews it at once) and confirms."""
        app = self.app
        dialog = self.open_setup(view_menu, setup_item)
        assert app.window_title(dialog) == caption_before
        self.choose_language(dialog, language)
        wait_for(f"the dialog captioned {caption_after}", lambda: app.window_title(dialog) == caption_after)
        app.screenshot(shot, dialog)
        app.click(*app.node(name="OK", role="push button", showing=True).center())
        app.window_gone(dialog)

    @step
    def step_switches_to_danish_and_back(self):
        app = self.app
        self.switch_language("View", "Setup", "DANSK", "Setup", "Indstillinger", "07-settings-danish")
        app.node(name="Indstillinger", role="page tab")
        wait_for("the gearing reset after the switch",
                 lambda: app.cell("Gear inches, Big chainring, sprocket row 1") == "116.2")
        app.click(*app.node(name="Indstillinger", role="page tab").center())
        app.screenshot("08-main-window-danish", app.window)

        self.switch_language("Vis", "Indstillinger", "ENGLISH", "Indstillinger", "Setup", "09-settings-english")
        app.node(name="Setup", role="page tab")
        app.node(name="Circumference", role="label")

    @step
    def step_opens_and_closes_the_about_box(self):
        app = self.app
        app.activate(app.window)
        app.click(*app.node(name="Setup", role="page tab").center())
        self.type_into("Sprocket row 1 teeth", "11")
        wait_for("the rider's gearing", lambda: app.cell("Gear inches, Big chainring, sprocket row 1") == "126.8")
        app.click(*app.node(name="Help", role="menu item").center())
        app.click(*app.node(name="About", role="menu item", showing=True).center())
        about = app.find_window("^Om Ratiomat$")
        app.node(name="Ratiomat", role="label", showing=True)
        app.screenshot("10-about-box", about)
        app.close_window(about)
        assert app.cell("Gear inches, Big chainring, sprocket row 1") == "126.8", "the gearing was lost"

    def set_depth(self, key):
        """Moves the settings dialog's depth bar (it has the focus) with a key, then OK."""
        app = self.app
        dialog = self.open_setup("View", "Setup")
        time.sleep(0.5)
        app.activate(dialog)
        app.key(key)
        app.click(*app.node(name="OK", role="push button", showing=True).center())
        app.window_gone(dialog)

    @step
    def step_shows_the_chart_in_3d(self):
        app = self.app
        self.set_depth("End")  # all the way to 100
        app.click(*app.node(name="Chart", role="page tab").center())
        time.sleep(0.5)
        shot = app.shot_of(app.node(name="Speed-range chart"), "13-chart-3d")
        found = colours(shot)
        # Side faces of the 3D boxes are darker shades of the bar colours.
        assert any(r > 0 and g == 0 and b == 0 and r < 255 for (r, g, b) in found), "no shaded red side faces"
        self.set_depth("Home")  # back to flat

    @step
    def step_exits_from_the_file_menu(self):
        app = self.app
        app.activate(app.window)
        if app.platform == "wayland":
            # wtype's key map gives Alt no meaning to Qt: the pointer opens the menu.
            app.click(*app.node(name="File", role="menu item").center())
        else:
            app.key("alt+f")
        app.key("x")
        wait_for("the program to end", lambda: app.proc.poll() is not None, timeout=10)
        assert app.proc.returncode == 0, app.proc.returncode


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--app", required=True)
    ap.add_argument("--artifacts", default="test-artifacts/e2e")
    ap.add_argument("--only", default="", help="run only the steps whose names contain this text")
    ap.add_argument("--wayland", action="store_true", help="in a headless sway of its own instead of on $DISPLAY")
    args = ap.parse_args()

    chosen = [s for s in STEPS if args.only in s.__name__]
    passed = failed = 0
    desktop = app = None
    try:
        desktop = WaylandDesktop() if args.wayland else Desktop()
        app = (WaylandApp if args.wayland else App)(os.path.abspath(args.app), args.artifacts)
        visit = Visit(app, args.artifacts)
        for fn in chosen:
            name = fn.__name__
            try:
                fn(visit)
                print(f"ok   {name}")
                passed += 1
            except Exception:
                print(f"FAIL {name}")
                traceback.print_exc()
                failed += 1
                app.screenshot("fail-" + name)
                if app.proc.poll() is not None:
                    break
    except Exception:
        traceback.print_exc()
        failed += 1
    finally:
        if app:
            app.close()
        if desktop:
            desktop.close()
    if passed + failed < len(chosen):  # the program, or its desktop, died or would not start
        print(f"{len(chosen) - passed - failed} steps not run, counted as failed")
        failed = len(chosen) - passed
    if not chosen:
        print("no step to run")
    print(f"{passed} passed, {failed} failed")
    return 0 if chosen and passed == len(chosen) else 1


if __name__ == "__main__":
    sys.exit(main())
