"""The palette under test: started from a program folder of its own (so its settings file is
the test's), with the accessibility bus running, and its controls found through AT-SPI by
their accessible names and clicked with a real pointer press at their position."""

import os
import shutil
import subprocess
import time

from e2e_support import XDOTOOL

TITLE = "Orvanel Ver.1.30"


def source_dir():
    return os.environ.get("ORVANEL_SOURCE_DIR") or os.path.join(os.path.dirname(__file__), "..", "..")


def program_bin():
    return os.environ.get("ORVANEL_BIN") or os.path.join(os.path.dirname(__file__), "..", "..", "build",
                                                          "orvanel")


def program_folder(session, ini=None):
    """A copy of the program beside the shipped tag lists, with `ini` as its settings."""
    folder = os.path.join(session.tmp, "program")
    os.makedirs(folder, exist_ok=True)
    shutil.copy2(program_bin(), os.path.join(folder, "orvanel"))
    for name in ("TagMList.lst", "TagBList.lst"):
        shutil.copy2(os.path.join(source_dir(), "data", name), os.path.join(folder, name))
    if ini is not None:
        with open(os.path.join(folder, "Orvanel.ini"), "w", encoding="utf-8", newline="") as f:
            f.write(ini.replace("\n", "\r\n"))
    return folder


def start_accessibility(session):
    """The accessibility bus of the session; the test process talks to it too."""
    session.env.pop("NO_AT_BRIDGE", None)
    session.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "HOME"):
        os.environ[key] = session.env[key]
    session.wait_for(lambda: "AT_SPI_BUS" in subprocess.run(
        ["xprop", "-root", "AT_SPI_BUS"], env=session.env, capture_output=True, text=True).stdout
        and "not found" not in subprocess.run(["xprop", "-root", "AT_SPI_BUS"], env=session.env,
                                              capture_output=True, text=True).stdout,
        10, "the accessibility bus did not start")
    session.env["NO_AT_BRIDGE"] = "1"  # the editors stay out of the accessibility tree


class Palette:
    def __init__(self, session, folder):
        self.session = session
        self.folder = folder
        env = dict(session.env)
        env.pop("NO_AT_BRIDGE", None)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_ACCESSIBILITY"] = "1"
        self.proc = subprocess.Popen([os.path.join(folder, "orvanel")], env=env, cwd=folder,
                                     start_new_session=True, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        session.procs.append(self.proc)
        self.window = None
        deadline = time.monotonic() + 20
        while self.window is None:
            r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", TITLE], env=session.env,
                               capture_output=True, text=True)
            if r.stdout.strip():
                self.window = r.stdout.split()[0]
            elif time.monotonic() > deadline or self.proc.poll() is not None:
                raise RuntimeError("the palette showed no window")
            else:
                time.sleep(0.1)
        time.sleep(0.5)

    def geometry(self):
        """(x, y, width, height) of the palette's client area on the screen."""
        out = subprocess.run(["xwininfo", "-id", self.window], env=self.session.env, capture_output=True,
                             text=True, check=True).stdout
        values = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    values[key] = int(line.split(":")[1])
        return (values["Absolute upper-left X"], values["Absolute upper-left Y"], values["Width"],
                values["Height"])

    def app(self):
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            for app in desktop:
                if app is not None and app.get_process_id() == self.proc.pid:
                    return app
            time.sleep(0.2)
        raise RuntimeError("the palette is not in the accessibility tree")

    def accessibles(self, root=None):
        """Every node under the palette's application, with its name and role."""
        def walk(node, depth=0):
            if node is None or depth > 40:
                return
            yield node
            for i in range(node.childCount):
                yield from walk(node.getChildAtIndex(i), depth + 1)
        return list(walk(root or self.app()))

    def find(self, name, role=None):
        for node in self.accessibles():
            if node.name == name and (role is None or node.getRoleName() == role):
                return node
        raise KeyError(name)

    def centre(self, node, dx=None):
        """The screen point at the middle of a control (or `dx` pixels right of its left edge)."""
        import pyatspi
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if e.width <= 0 or e.height <= 0:
            raise RuntimeError("%r is not on the screen" % node.name)
        return (e.x + (e.width // 2 if dx is None else dx), e.y + e.height // 2)

    def click(self, node, dx=None):
        x, y = self.centre(node, dx)
        # No --sync: it waits for a motion that never comes when the pointer is already
        # there; the server handles the move before the press anyway.
        self.session.xdotool("mousemove", str(x), str(y))
        self.session.xdotool("click", "1")
        time.sleep(0.3)

    def windows(self):
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--pid", str(self.proc.pid)], env=self.session.env,
                           capture_output=True, text=True)
        return set(r.stdout.split())

    def wait_popup(self, before, seconds=10):
        """Waits until a window of the palette that was not in `before` shows (a pop-up menu)."""
        self.session.wait_for(lambda: self.windows() - before, seconds, "no pop-up menu showed")
        time.sleep(0.15)

    def close(self):
        """Closes the palette as the user does, so it saves its settings, and waits for its end."""
        self.session.xdotool("windowclose", self.window)
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.session.stop(self.proc)
            raise RuntimeError("the palette did not end when closed")

    def screenshot(self, path):
        subprocess.run(["import", "-window", self.window, path], env=self.session.env, check=True,
                       capture_output=True, timeout=30)
