"""The palette under test: started from a program folder of its own (so its settings file is
the test's), with the accessibility bus running, and its controls found through AT-SPI by
their accessible names and clicked with a real pointer press at their position. Editors
started accessible are read through AT-SPI too: their text, caret and selection."""

import os
import shutil
import subprocess

from e2e_support import XDOTOOL, wait_until

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
    module = os.path.join(os.path.dirname(program_bin()), "orvanel-ui.so")  # the windows, on Linux
    if os.path.exists(module):
        shutil.copy2(module, folder)
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
    wait_until(lambda: "AT_SPI_BUS(" in subprocess.run(
        ["xprop", "-root", "AT_SPI_BUS"], env=session.env, capture_output=True, text=True).stdout,
        30, "the accessibility bus to start")
    session.env["NO_AT_BRIDGE"] = "1"  # editors stay out of the accessibility tree unless asked


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
        self.window = session.window_named(TITLE, proc=self.proc)
        # Framed and placed by the window manager, and in the accessibility tree.
        wait_until(lambda: "=" in subprocess.run(
            ["xprop", "-id", self.window, "_NET_FRAME_EXTENTS"], env=session.env,
            capture_output=True, text=True).stdout, 30, "the window manager to frame the palette")
        self.app()

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
        return application(self.proc.pid, "the palette")

    def accessibles(self, root=None):
        """Every node under the palette's application, with its name and role."""
        return walk(root or self.app())

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

    def wait_state(self, node, state, present=True, seconds=30):
        """Waits until the control has (or, with present=False, has not) the AT-SPI state
        `state` ("checked", "showing", ...)."""
        import pyatspi
        flag = getattr(pyatspi, "STATE_" + state.upper())
        wait_until(lambda: node.getState().contains(flag) == present, seconds,
                   "%r to be %s%s" % (node.name, "" if present else "not ", state))

    def showing(self, name, role, seconds=30):
        """The control of that name (None: any) and role once it is on the screen (hidden
        panels hold controls of the same names)."""
        import pyatspi
        return wait_until(lambda: next((n for n in self.accessibles() if name in (None, n.name)
                                        and n.getRoleName() == role
                                        and n.getState().contains(pyatspi.STATE_SHOWING)), None),
                          seconds, "%r (%s) on the screen" % (name, role))

    def show_page(self, caption):
        """Clicks the page's tab and waits until the page is the one shown."""
        self.click(self.find(caption, "page tab"), dx=12)
        wait_until(lambda: [n.name for n in self.accessibles() if n.getRoleName() == "page tab list"]
                   == [caption], 30, "page %r to show" % caption)

    def windows(self):
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--pid", str(self.proc.pid)], env=self.session.env,
                           capture_output=True, text=True)
        return set(r.stdout.split())

    def wait_popup(self, before, seconds=30):
        """Waits until a window of the palette that was not in `before` shows (a pop-up menu)
        and the menu holds the keyboard, so that it takes the arrow keys."""
        wait_until(lambda: self.windows() - before, seconds, "a pop-up menu")
        wait_until(self.session.x.keyboard_grabbed, seconds, "the pop-up menu to take the keyboard")

    def close(self):
        """Closes the palette as the user does, so it saves its settings, and waits for its end."""
        self.session.xdotool("windowclose", self.window)
        try:
            self.proc.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.session.stop(self.proc)
            raise RuntimeError("the palette did not end when closed")

    def screenshot(self, path):
        subprocess.run(["import", "-window", self.window, path], env=self.session.env, check=True,
                       capture_output=True, timeout=30)


def application(pid, what):
    """The accessibility tree's application of process `pid`, once it is there."""
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    return wait_until(lambda: next((app for app in desktop
                                    if app is not None and app.get_process_id() == pid), None),
                      30, "%s in the accessibility tree" % what)


def walk(node, depth=0):
    """Every node under `node`, depth first."""
    if node is None or depth > 40:
        return []
    nodes = [node]
    for i in range(node.childCount):
        nodes += walk(node.getChildAtIndex(i), depth + 1)
    return nodes


def text_area(editor):
    """The text area of an editor started accessible."""
    import pyatspi
    if getattr(editor, "text_area", None) is None:
        app = application(editor.proc.pid, editor.name)
        editor.text_area = wait_until(lambda: next(
            (n for n in walk(app) if n.getRoleName() == "text"
             and n.getState().contains(pyatspi.STATE_EDITABLE)
             and n.getState().contains(pyatspi.STATE_MULTI_LINE)), None),
            30, "the text area of %s" % editor.name)
    return editor.text_area


def wait_editor(editor, text, caret=None, selection=None, seconds=30):
    """Waits until the editor shows `text` (a trailing line break aside), with the caret at
    `caret` and the characters `selection` = (start, end) selected when these are given. In
    `text`, a "|" stands for the caret when `caret` is "|"."""
    if caret == "|":
        caret = text.index("|")
        text = text.replace("|", "", 1)
    area = text_area(editor).queryText()

    def shown():
        chosen = area.getSelection(0)[:2] if area.getNSelections() else None
        return area.getText(0, -1).rstrip("\n"), area.caretOffset, chosen
    wanted = (text.rstrip("\n"), caret, selection)
    wait_until(lambda: all(w in (None, n) for w, n in zip(wanted, shown())), seconds,
               lambda: "%s to show %r, caret %s, selection %s; it shows %r, caret %s, selection %s"
               % ((editor.name, text, caret, selection) + shown()))
