"""Driving the real program from outside, as a user would: real input
events, what the user sees through the accessibility bus (AT-SPI), the
clipboard and the screen. On X11 through xdotool, xclip and ImageMagick; on
Wayland in a headless sway of its own, through swaymsg's seat commands for
the pointer, wtype, wl-paste and grim.

Run inside an X server with a D-Bus session, for example
    xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \\
        /usr/bin/python3 e2e/test_desktop.py --app build/app/ratiomat
or with --wayland in a D-Bus session of a user other than root (sway will
not run as root; scripts/test-wayland.sh makes one).
"""
import json
import os
import re
import shutil
import subprocess
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def run(*args, check=True, timeout=20):
    r = subprocess.run(list(args), check=check, timeout=timeout, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return r.stdout.decode("utf-8", "replace")


def wait_for(what, fn, timeout=10.0):
    """Polls fn until it returns a true value; fails with `what` on time-out."""
    end = time.time() + timeout
    last = None
    while time.time() < end:
        try:
            last = fn()
            if last:
                return last
        except Exception as e:  # the tree changes under us while windows open
            last = e
        time.sleep(0.1)
    raise AssertionError(f"timed out waiting for {what} (last: {last!r})")


class Desktop:
    """A window manager and the accessibility bus on the current X display."""

    wm_command = ["openbox"]

    def __init__(self):
        self.procs = []
        self.wm = None
        self.wm_log = tempfile.TemporaryFile()
        self.wm_starts = 0
        launcher = "/usr/libexec/at-spi-bus-launcher"
        if os.path.exists(launcher):
            self.procs.append(subprocess.Popen([launcher, "--launch-immediately"],
                                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # Windows mapped before the window manager runs stay unmanaged (no
        # title bars, no Alt+F4) on a busy machine.
        self.wm_check = ""
        try:
            wait_for("the window manager", self._window_manager_ready, timeout=60)
        except AssertionError as e:
            self.close()
            raise AssertionError(f"{e}; it says: {self.wm_check!r}") from None
        time.sleep(0.8)

    def _window_manager_ready(self):
        """Starts the window manager, again if it has quit (up to three
        times), and tells whether it has taken over the screen."""
        if self.wm is None or self.wm.poll() is not None:
            if self.wm_starts == 3:
                self.wm_log.seek(0)
                raise AssertionError(f"{self.wm_command[0]} quit three times (exit status "
                                     f"{self.wm and self.wm.returncode}): "
                                     f"{self.wm_log.read().decode('utf-8', 'replace')}")
            self.wm_starts += 1
            try:
                self.wm = subprocess.Popen(self.wm_command, stdout=self.wm_log, stderr=subprocess.STDOUT)
            except OSError as e:
                raise AssertionError(f"cannot start {self.wm_command[0]}: {e}") from None
            self.procs.insert(0, self.wm)
        return self.wm_ready()

    def wm_ready(self):
        r = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], timeout=20,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.wm_check = r.stdout.decode("utf-8", "replace").strip()
        return "window id" in self.wm_check

    def close(self):
        for p in reversed(self.procs):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        self.wm_log.close()


class WaylandDesktop(Desktop):
    """A headless sway in a runtime folder of its own, and the accessibility bus."""

    # The pointer is hidden: a headless output draws it into its pictures,
    # where X leaves it out of screenshots.
    CONFIG = """output HEADLESS-1 resolution 1280x1024
xwayland disable
default_floating_border none
for_window [title=".*"] floating enable
bindsym Mod1+F4 kill
seat * hide_cursor 100
"""

    def __init__(self):
        self.runtime = tempfile.mkdtemp(prefix="ratiomat-wayland-")
        # In a fresh runtime folder sway's socket is libwayland's first name.
        os.environ.update(XDG_RUNTIME_DIR=self.runtime, WAYLAND_DISPLAY="wayland-1", WLR_BACKENDS="headless",
                          WLR_LIBINPUT_NO_DEVICES="1")
        with open(os.path.join(self.runtime, "sway.conf"), "w") as f:
            f.write(self.CONFIG)
        self.wm_command = ["sway", "--config", f.name]
        super().__init__()
        # A headless seat has no pointer, so clients get no pointer events;
        # wayvnc adds a virtual one for as long as it runs (nobody connects
        # to it), and the seat's cursor commands move that.
        self.procs.append(subprocess.Popen(["wayvnc", "--unix-socket", os.path.join(self.runtime, "vnc")],
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("a pointer on the seat", lambda: '"pointer"' in run("swaymsg", "-t", "get_inputs"))

    def wm_ready(self):
        os.environ["SWAYSOCK"] = os.path.join(self.runtime, f"sway-ipc.{os.getuid()}.{self.wm.pid}.sock")
        self.wm_check = run("swaymsg", "-t", "get_outputs", check=False)
        return "HEADLESS-1" in self.wm_check

    def close(self):
        super().close()
        shutil.rmtree(self.runtime, ignore_errors=True)


class Node:
    """One accessible object of the program."""

    def __init__(self, acc, app):
        self.acc = acc
        self.app = app

    @property
    def name(self):
        return self.acc.get_name() or ""

    @property
    def description(self):
        return self.acc.get_description() or ""

    @property
    def role(self):
        return self.acc.get_role_name()

    def states(self):
        return self.acc.get_state_set()

    def enabled(self):
        return self.states().contains(Atspi.StateType.ENABLED)

    def showing(self):
        return self.states().contains(Atspi.StateType.SHOWING)

    def extents(self):
        """x, y, width and height on the screen."""
        e = self.acc.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
        dx, dy = self.app.offset(self.acc)
        return e.x + dx, e.y + dy, e.width, e.height

    def center(self):
        x, y, w, h = self.extents()
        return x + w // 2, y + h // 2

    def text(self):
        t = self.acc.get_text_iface()
        if t:
            return t.get_text(0, t.get_character_count())
        return self.name

    def children(self):
        out = []
        for i in range(self.acc.get_child_count()):
            c = self.acc.get_child_at_index(i)
            if c is not None:
                out.append(Node(c, self.app))
        return out

    def walk(self):
        stack = [self]
        while stack:
            n = stack.pop()
            yield n
            stack.extend(reversed(n.children()))


class App:
    """The program under test, started fresh, on X11."""

    platform = "xcb"

    def __init__(self, path, artifacts):
        self.artifacts = artifacts
        os.makedirs(artifacts, exist_ok=True)
        e = dict(os.environ)
        e.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": self.platform,
                  "QT_ACCESSIBILITY": "1"})
        self.proc = subprocess.Popen([path], env=e, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.window = self.find_window("^Ratiomat$")
        self.activate(self.window)
        self.root = wait_for("the program on the accessibility bus", self._find_app, timeout=15)

    def _find_app(self):
        desk = Atspi.get_desktop(0)
        for i in range(desk.get_child_count()):
            a = desk.get_child_at_index(i)
            if a is not None and a.get_name() == "Ratiomat":
                return Node(a, self)
        return None

    # --- windows -----------------------------------------------------------
    def find_window(self, title_regex, timeout=15):
        def search():
            out = self.windows(title_regex)
            return out[-1] if out else None
        return wait_for(f"a window titled {title_regex}", search, timeout=timeout)

    def window_gone(self, wid, timeout=10):
        wait_for(f"window {wid} to close",
                 lambda: wid not in self.windows(".*"),
                 timeout=timeout)

    def windows(self, title_regex):
        """The ids of the visible windows whose titles match, oldest first."""
        return run("xdotool", "search", "--onlyvisible", "--name", title_regex, check=False).split()

    def window_title(self, wid):
        return run("xdotool", "getwindowname", wid).strip()

    def active_window(self):
        return run("xdotool", "getactivewindow", check=False).strip()

    def offset(self, acc):
        return 0, 0  # an X window knows where it is on the screen

    def activate(self, wid):
        run("xdotool", "windowactivate", "--sync", wid, check=False)
        time.sleep(0.2)

    def close_window(self, wid):
        """Closes a window with the window manager's Alt+F4, once it is the
        active one, and waits until it is gone."""
        def active():
            self.activate(wid)
            return self.active_window() == wid
        wait_for(f"window {wid} to be active", active)
        self.key("alt+F4")
        self.window_gone(wid)

    # --- input -------------------------------------------------------------
    def key(self, *keys):
        run("xdotool", "key", "--clearmodifiers", "--delay", "60", *keys)
        time.sleep(0.25)

    def type(self, text):
        run("xdotool", "type", "--delay", "60", text)
        time.sleep(0.25)

    def click(self, x, y, button=1):
        run("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))
        time.sleep(0.25)

    # --- what the user sees ------------------------------------------------
    def node(self, name=None, role=None, description=None, showing=None, timeout=8, under=None):
        def find():
            for n in (under or self.root).walk():
                if name is not None and n.name != name:
                    continue
                if role is not None and n.role != role:
                    continue
                if description is not None and n.description != description:
                    continue
                if showing is not None and n.showing() != showing:
                    continue
                return n
            return None
        return wait_for(f"node name={name!r} role={role!r} description={description!r}", find, timeout=timeout)

    def cells(self):
        """Every result cell's description and shown text."""
        out = {}
        for n in self.root.walk():
            d = n.description
            if d.startswith("Gear inches,") or d.startswith("Speed,"):
                out[d] = n.name
        return out

    def cell(self, description):
        return self.node(description=description).name

    def clipboard(self, mime=None):
        """The clipboard's contents of one type, or the list of its types."""
        return subprocess.run(["xclip", "-selection", "clipboard", "-t", mime or "TARGETS", "-o"], timeout=20,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout

    def screenshot(self, name, wid=None):
        path = os.path.join(self.artifacts, name + ".png")
        run("import", "-window", wid or "root", path)
        return path

    def shot_of(self, node, name):
        """A screenshot of one component only, cut from the screen."""
        full = self.screenshot(name + "-screen")
        x, y, w, h = node.extents()
        path = os.path.join(self.artifacts, name + ".png")
        run("convert", full, "-crop", f"{w}x{h}+{x}+{y}", "+repage", path)
        os.remove(full)
        return path

    def close(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()


class WaylandApp(App):
    """The program under test, on the sway of a WaylandDesktop."""

    platform = "wayland"

    def _views(self):
        """sway's windows, oldest first."""
        stack, out = [json.loads(run("swaymsg", "-t", "get_tree"))], []
        while stack:
            n = stack.pop()
            out += [n] if n.get("pid") else []
            stack += n.get("nodes", []) + n.get("floating_nodes", [])
        return sorted(out, key=lambda n: n["id"])

    def _rect(self, n):
        r, w = n["rect"], n["window_rect"]
        return r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"]

    def windows(self, title_regex):
        return [str(n["id"]) for n in self._views() if n["visible"] and re.search(title_regex, n["name"] or "")]

    def _view(self, wid):
        return next(n for n in self._views() if str(n["id"]) == wid)

    def window_title(self, wid):
        return self._view(wid)["name"]

    def active_window(self):
        return next((str(n["id"]) for n in self._views() if n["focused"]), "")

    def activate(self, wid):
        run("swaymsg", f"[con_id={wid}] focus", check=False)
        time.sleep(0.2)

    def offset(self, acc):
        """Qt on Wayland gives positions within the top-level window, found
        on the screen by its title and size: a client knows no more."""
        while (parent := acc.get_parent()) is not None and parent.get_role_name() != "application":
            acc = parent
        e = acc.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
        for n in reversed(self._views()):
            x, y, w, h = self._rect(n)
            if n["visible"] and n["name"] == acc.get_name() and (w, h) == (e.width, e.height):
                return x - e.x, y - e.y
        raise AssertionError(f"no window {acc.get_name()!r} of {e.width}x{e.height} on the screen")

    # Each wtype is a new keyboard with a key map of its own, and keys sent
    # at once after it are sometimes lost: hence the pause before the first.
    def key(self, *keys):
        for k in keys:
            *mods, name = k.split("+")
            press = [a for m in mods for a in ("-M", m)]
            release = [a for m in mods for a in ("-m", m)]
            run("wtype", "-s", "100", *press, "-k", name, *release)
        time.sleep(0.25)

    def type(self, text):
        run("wtype", "-s", "100", "-d", "60", "--", text)
        time.sleep(0.25)

    def click(self, x, y, button=1):
        # One message, so that the pointer cannot hide between press and release.
        run("swaymsg", f"seat - cursor set {x} {y}; seat - cursor press button{button}; "
                       f"seat - cursor release button{button}")
        time.sleep(0.25)

    def clipboard(self, mime=None):
        return subprocess.run(["wl-paste", "--type", mime] if mime else ["wl-paste", "--list-types"], timeout=20,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout

    def screenshot(self, name, wid=None):
        path = os.path.join(self.artifacts, name + ".png")
        run("grim", *(["-g", "{},{} {}x{}".format(*self._rect(self._view(wid)))] if wid else []), path)
        return path


def colours(png):
    """The set of distinct colours of a PNG (for probing what a picture shows)."""
    out = run("convert", png, "-unique-colors", "-depth", "8", "txt:-")
    found = set()
    for line in out.splitlines()[1:]:
        if "#" in line:
            hexpart = line.split("#")[1][:6]
            found.add(tuple(int(hexpart[i:i + 2], 16) for i in (0, 2, 4)))
    return found


def image_size(png):
    w, h = run("identify", "-format", "%w %h", png).split()
    return int(w), int(h)
