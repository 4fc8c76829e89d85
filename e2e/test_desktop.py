#!/usr/bin/python3
"""End-to-end test of the built program in a real X session: a rider's
whole visit, driven with real input events and checked by what they see.
Screenshots are left in the artefacts folder."""
import argparse
import os
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import App, Desktop, colours, image_size, pixel, run, wait_for  # noqa: E402

RED, YELLOW, LIME = (255, 0, 0), (255, 255, 0), (0, 255, 0)


class Visit:
    def __init__(self, app, artifacts):
        self.app = app
        self.artifacts = artifacts

    def type_into(self, accessible_name, text):
        field = self.app.node(name=accessible_name)
        self.app.click(*field.center())
        self.app.key("Home", "shift+End")
        self.app.type(text)

    # Each step is one thing a rider does, with what they must then see.
    def step_starts_with_default_gearing(self):
        app = self.app
        assert app.window_title(app.window) == "Ratiomat"
        cells = wait_for("54 result cells", lambda: (c := app.cells()) and len(c) == 54 and c)
        assert cells["Gear inches, Big chainring, sprocket row 1"] == "116.2", cells
        assert cells["Speed, Small chainring, sprocket row 9"] == "19.2", cells
        app.screenshot("01-main-window", app.window)

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

    def step_exits_from_the_file_menu(self):
        app = self.app
        app.activate(app.window)
        app.key("alt+f")
        app.key("x")
        wait_for("the program to end", lambda: app.proc.poll() is not None, timeout=10)
        assert app.proc.returncode == 0, app.proc.returncode


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--app", required=True)
    ap.add_argument("--artifacts", default="test-artifacts/e2e")
    ap.add_argument("--only", default="")
    args = ap.parse_args()

    desktop = Desktop()
    passed = failed = 0
    app = None
    try:
        app = App(os.path.abspath(args.app), args.artifacts)
        visit = Visit(app, args.artifacts)
        steps = [n for n in Visit.__dict__ if n.startswith("step_")]
        for name in steps:
            if args.only and args.only not in name:
                continue
            try:
                getattr(visit, name)()
                print(f"ok   {name}")
                passed += 1
            except Exception:
                print(f"FAIL {name}")
                traceback.print_exc()
                failed += 1
                app.screenshot("fail-" + name)
                if app.proc.poll() is not None:
                    break
    finally:
        if app:
            app.close()
        desktop.close()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
