"""Driving the real program from outside, as a user would: real X input
events through xdotool, what the user sees through the accessibility bus
(AT-SPI), the clipboard through xclip and the screen through ImageMagick.

Run inside an X server with a D-Bus session, for example
    xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \\
        /usr/bin/python3 e2e/test_desktop.py --app build/app/ratiomat
"""
import os
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
    """A window manager and the accessibility bus on the current display."""

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
        self.root_check = ""
        try:
            wait_for("the window manager", self._window_manager_ready, timeout=60)
        except AssertionError as e:
            raise AssertionError(f"{e}; the root window says: {self.root_check!r}") from None
        time.sleep(0.8)

    def _window_manager_ready(self):
        """Starts the window manager, again if it has quit (up to three
        times), and tells whether it has taken over the screen."""
        if self.wm is None or self.wm.poll() is not None:
            if self.wm_starts == 3:
                self.wm_log.seek(0)
                raise AssertionError("the window manager quit three times (exit status "
                                     f"{self.wm.returncode}): {self.wm_log.read().decode('utf-8', 'replace')}")
            self.wm_starts += 1
            self.wm = subprocess.Popen(["openbox"], stdout=self.wm_log, stderr=subprocess.STDOUT)
            self.procs.insert(0, self.wm)
        r = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], timeout=20,
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.root_check = r.stdout.decode("utf-8", "replace").strip()
        return "window id" in self.root_check

    def close(self):
        for p in reversed(self.procs):
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        self.wm_log.close()


class Node:
    """One accessible object of the program."""

    def __init__(self, acc):
        self.acc = acc

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

    def center(self):
        e = self.acc.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
        return e.x + e.width // 2, e.y + e.height // 2

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
                out.append(Node(c))
        return out

    def walk(self):
        stack = [self]
        while stack:
            n = stack.pop()
            yield n
            stack.extend(reversed(n.children()))


class App:
    """The program under test, started fresh."""

    def __init__(self, path, artifacts):
        self.artifacts = artifacts
        os.makedirs(artifacts, exist_ok=True)
        e = dict(os.environ)
        e.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_QPA_PLATFORM": "xcb",
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
                return Node(a)
        return None

    # --- windows -----------------------------------------------------------
    def find_window(self, title_regex, timeout=15):
        def search():
            out = run("xdotool", "search", "--onlyvisible", "--name", title_regex, check=False).split()
            return out[-1] if out else None
        return wait_for(f"a window titled {title_regex}", search, timeout=timeout)

    def window_gone(self, wid, timeout=10):
        wait_for(f"window {wid} to close",
                 lambda: wid not in run("xdotool", "search", "--onlyvisible", "--name", ".*", check=False).split(),
                 timeout=timeout)

    def window_title(self, wid):
        return run("xdotool", "getwindowname", wid).strip()

    def activate(self, wid):
        run("xdotool", "windowactivate", "--sync", wid, check=False)
        time.sleep(0.2)

    def close_window(self, wid):
        """Closes a window with the window manager's Alt+F4, once it is the
        active one, and waits until it is gone."""
        def active():
            self.activate(wid)
            return run("xdotool", "getactivewindow", check=False).strip() == wid
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

    def screenshot(self, name, wid=None):
        path = os.path.join(self.artifacts, name + ".png")
        run("import", "-window", wid or "root", path)
        return path

    def shot_of(self, node, name):
        """A screenshot of one component only, cut from the screen."""
        full = self.screenshot(name + "-screen")
        e = node.acc.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
        path = os.path.join(self.artifacts, name + ".png")
        run("convert", full, "-crop", f"{e.width}x{e.height}+{e.x}+{e.y}", "+repage", path)
        os.remove(full)
        return path

    def close(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()


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
