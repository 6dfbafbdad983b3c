"""Shared pieces of the end-to-end tests: an X session of our own (Xvfb, a session bus,
openbox), real editors started on a file, the insertion driver, and key input by xdotool.

Tests wait for the event they need (a window, a property, a selection, the keyboard focus,
a file written), never for a fixed time: `wait_until` polls the event's condition, and its
upper bound only ends a test that hangs.

Every process started here is put in its own process group and ended when the session
closes, also when a test fails.
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

XDOTOOL = shutil.which("xdotool") or "/usr/bin/xdotool"


def wait_until(predicate, timeout, what):
    """Polls `predicate` until it returns a true value and returns that value. After
    `timeout` seconds, which only end a test that hangs, it fails saying what it waited for
    (`what`, or what `what()` tells then)."""
    deadline = time.monotonic() + timeout
    pause = 0.01
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise RuntimeError("waited %g s for %s" % (timeout, what() if callable(what) else what))
        time.sleep(pause)  # the poll's back-off, not a wait for a time
        pause = min(pause * 1.5, 0.25)


def binary_dir():
    return os.environ.get("ORVANEL_BINARY_DIR") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build")


def driver_path():
    return os.path.join(binary_dir(), "orvanel_insert_driver")


class XProbe:
    """The test's own X connection, for what xdotool and xprop do not tell: the text of a
    selection, the active window and the keyboard focus, and whether a client holds the
    keyboard."""

    def __init__(self, display_name):
        from Xlib import X, display
        self.X = X
        self.d = display.Display(display_name)
        self.root = self.d.screen().root
        # Never mapped: a grab on it only tells whether another client holds the keyboard.
        self.window = self.root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        self.requests = 0

    def close(self):
        self.d.close()

    def selection_text(self, name="PRIMARY", timeout=10):
        """The text of selection `name`, or None when no client owns it or its owner gives
        none. The request reaches the owner behind the events it was sent before."""
        X = self.X
        selection = self.d.intern_atom(name)
        if self.d.get_selection_owner(selection) == X.NONE:
            return None
        # A property of its own per request: an answer to an earlier one is never taken.
        self.requests += 1
        prop = self.d.intern_atom("ORVANEL_TEST_SELECTION_%d" % self.requests)
        self.window.convert_selection(selection, self.d.intern_atom("UTF8_STRING"), prop,
                                      X.CurrentTime)
        self.d.flush()
        deadline = time.monotonic() + timeout
        while True:
            while self.d.pending_events():
                e = self.d.next_event()
                if e.type == X.SelectionNotify and e.selection == selection:
                    if e.property == X.NONE:
                        return None
                    if e.property == prop:
                        reply = self.window.get_full_property(prop, X.AnyPropertyType)
                        self.window.delete_property(prop)
                        return reply.value.decode("utf-8", "replace") if reply else None
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([self.d], [], [], left)

    def active_window(self):
        reply = self.root.get_full_property(self.d.intern_atom("_NET_ACTIVE_WINDOW"),
                                            self.X.AnyPropertyType)
        return int(reply.value[0]) if reply is not None and len(reply.value) else 0

    def focus_inside(self, window):
        """Whether the keyboard focus is on `window` or on a window inside it."""
        from Xlib.error import BadWindow
        focus = self.d.get_input_focus().focus
        try:
            while not isinstance(focus, int) and focus.id != self.root.id:
                if focus.id == int(window):
                    return True
                focus = focus.query_tree().parent
        except BadWindow:
            pass
        return False

    def window_manager_answers(self):
        """Asks the window manager for the frame it would give a window of ours; its answer
        shows that it has started up and handles requests (asked again until then)."""
        X = self.X
        extents = self.d.intern_atom("_NET_FRAME_EXTENTS")
        if self.window.get_full_property(extents, X.AnyPropertyType) is not None:
            return True
        from Xlib.protocol import event
        request = event.ClientMessage(window=self.window, client_type=self.d.intern_atom(
            "_NET_REQUEST_FRAME_EXTENTS"), data=(32, [0] * 5))
        self.root.send_event(request, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self.d.flush()
        return False

    def keyboard_grabbed(self):
        """Whether a client holds the keyboard (an open menu, say): the server answers a
        grab on an unmapped window with "already grabbed" or "not viewable", never a grab."""
        X = self.X
        return self.window.grab_keyboard(False, X.GrabModeAsync, X.GrabModeAsync,
                                         X.CurrentTime) == X.AlreadyGrabbed


class Session:
    """Xvfb + session bus + openbox, with a fresh HOME and XDG folders; the screen is
    `screen` (width x height) pixels."""

    def __init__(self, clipboard_manager=False, screen="1280x1024"):
        self.procs = []
        self.tmp = tempfile.mkdtemp(prefix="orvanel-e2e-")
        self.clipboard_manager = clipboard_manager
        self.screen = screen
        self._x = None

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start(self):
        home = os.path.join(self.tmp, "home")
        runtime = os.path.join(self.tmp, "runtime")
        for d in (home, runtime):
            os.makedirs(d, mode=0o700)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("XDG_", "DBUS_", "DISPLAY", "WAYLAND", "GNOME", "QT_QPA"))}
        env.update(HOME=home, XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                   XDG_CACHE_HOME=os.path.join(home, ".cache"),
                   NO_AT_BRIDGE="1", GTK_A11Y="none", LC_ALL="C.UTF-8", LANG="C.UTF-8",
                   GSETTINGS_BACKEND="memory")
        self.env = env

        # Xvfb picks a free display and tells us its number. It does not reset when its last
        # client leaves: a poll (xprop) that ends while openbox connects would drop openbox.
        r, w = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", self.screen + "x24",
                    "-nolisten", "tcp", "-noreset"], pass_fds=(w,))
        os.close(w)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline:
                raise RuntimeError("Xvfb did not start")
            chunk = os.read(r, 16)
            if not chunk:
                raise RuntimeError("Xvfb ended at start")
            number += chunk
        os.close(r)
        env["DISPLAY"] = ":" + number.decode().strip()

        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                          "--address=unix:path=" + os.path.join(runtime, "bus")],
                         stdout=subprocess.PIPE)
        env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()

        wm = self.spawn(["openbox", "--sm-disable"])
        # Its check window shows early in its start-up, which ends by taking the focus from
        # any window: wait until it answers a request.
        self.wait_for(lambda: self.running(wm, "openbox") and self.x.window_manager_answers(),
                      30, "openbox to start")
        if self.clipboard_manager:
            manager = self.spawn(["parcellite", "-n"])
            # Its window (hidden) is there once it is connected and running.
            self.wait_for(lambda: self.running(manager, "parcellite") and subprocess.run(
                [XDOTOOL, "search", "--class", "parcellite"], env=env, capture_output=True,
                text=True).stdout.strip(), 30, "the clipboard manager's window")

    @property
    def x(self):
        """The test's own X connection (an `XProbe`), opened on first use."""
        if self._x is None:
            self._x = XProbe(self.env["DISPLAY"])
        return self._x

    def spawn(self, argv, **kw):
        kw.setdefault("stdout", subprocess.DEVNULL)
        kw.setdefault("stderr", subprocess.DEVNULL)
        kw.setdefault("env", getattr(self, "env", None))
        p = subprocess.Popen(argv, start_new_session=True,
                             stdin=kw.pop("stdin", subprocess.DEVNULL), **kw)
        self.procs.append(p)
        return p

    @staticmethod
    def running(p, what):
        """True while `p` runs; fails once it has ended (a wait for what it does ends there)."""
        if p.poll() is not None:
            raise RuntimeError("%s ended (status %s)" % (what, p.returncode))
        return True

    def stop(self, p):
        if p.poll() is None:
            try:
                os.killpg(p.pid, signal.SIGTERM)
                p.wait(timeout=5)
            except (ProcessLookupError, subprocess.TimeoutExpired):
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                p.wait()

    def close(self):
        if self._x is not None:
            self._x.close()
            self._x = None
        for p in reversed(self.procs):
            self.stop(p)
        self.procs.clear()
        shutil.rmtree(self.tmp, ignore_errors=True)

    @staticmethod
    def wait_for(cond, seconds, what):
        return wait_until(cond, seconds, what)

    def window_named(self, pattern, seconds=60, proc=None):
        """The first visible window whose title matches `pattern`, once there is one; fails
        at once when `proc`, which is to show it, has ended."""
        def found():
            if proc is not None:
                self.running(proc, "the program to show %r" % pattern)
            r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", pattern],
                               env=self.env, capture_output=True, text=True)
            return r.stdout.split()[0] if r.stdout.strip() else None
        return wait_until(found, seconds, "a window %r" % pattern)

    def wait_active(self, window, seconds=30):
        """Waits until the window manager says `window` is active and it has the keyboard
        focus, so that keys typed next reach it."""
        wait_until(lambda: self.x.active_window() == int(window) and self.x.focus_inside(window),
                   seconds, "window %s to be active with the keyboard focus" % window)

    def activate(self, window):
        self.xdotool("windowactivate", str(window))
        self.wait_active(window)

    # ---- input
    def xdotool(self, *args):
        subprocess.run([XDOTOOL, *args], env=self.env, check=True, capture_output=True,
                       timeout=30)

    def keys(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def type(self, text):
        self.xdotool("type", "--clearmodifiers", text)


EDITORS = {
    "featherpad": ["featherpad", "--standalone"],
    "mousepad": ["mousepad", "--disable-server"],
    "gnome-text-editor": ["gnome-text-editor", "--standalone"],
}


class Editor:
    """A real editor showing a file of its own, active, with its text loaded. An accessible
    one is in the accessibility tree (started after `start_accessibility`)."""

    def __init__(self, session, name, text, accessible=False):
        self.session = session
        self.name = name
        self.path = os.path.join(session.tmp, "page%d.txt" % time.monotonic_ns())
        with open(self.path, "w", encoding="utf-8") as f:
            f.write(text)
        self.mtime = os.stat(self.path).st_mtime_ns
        env = session.env
        if accessible:
            env = {k: v for k, v in env.items() if k not in ("NO_AT_BRIDGE", "GTK_A11Y")}
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.proc = session.spawn(EDITORS[name] + [self.path], env=env)
        self.window = session.window_named(os.path.basename(self.path), proc=self.proc)
        session.activate(self.window)
        if text:
            # Select-all hands the text back as PRIMARY once the editor holds it and takes
            # keys. GTK 4 loads the file after showing its window, so keys sent before that
            # select nothing and go again; Qt takes PRIMARY on a selection by keys, not on
            # Ctrl+A.
            def holds_text():
                session.keys("ctrl+End", "ctrl+shift+Home")
                shown = session.x.selection_text("PRIMARY")
                return shown is not None and shown.rstrip("\n") == text.rstrip("\n")
            wait_until(holds_text, 60, "%s to show the text of %s" % (name, self.path))

    def wait_selection(self, selected, seconds=30):
        """Waits until the editor holds `selected` as its selection (PRIMARY)."""
        wait_until(lambda: self.session.x.selection_text("PRIMARY") == selected, seconds,
                   "%s to select %r" % (self.name, selected[:40]))

    def _writing(self):
        """Whether the editor holds a file beside the page open: the page, or the copy
        that it renames over the page."""
        fds = "/proc/%d/fd" % self.proc.pid
        try:
            links = [os.readlink(os.path.join(fds, fd)) for fd in os.listdir(fds)]
        except OSError:  # ended, or a descriptor closed while listed: ask again
            return self.proc.poll() is None
        folder = os.path.dirname(self.path)
        return any(os.path.dirname(link) == folder and os.path.isfile(link) for link in links)

    def saved_text(self):
        """Saves with Ctrl+S and returns the file once the editor has written and closed it
        (one trailing newline that an editor adds on saving is not part of the text)."""
        saved = lambda: os.stat(self.path).st_mtime_ns != self.mtime and not self._writing()
        self.session.keys("ctrl+s")
        try:
            wait_until(saved, 20, "a save")
        except RuntimeError:
            # gnome-text-editor on a loaded machine now and then lets a Ctrl+S go by while
            # active, focused and modified (3 in some 150 saves), and saves on the next one.
            self.session.keys("ctrl+s")
            wait_until(saved, 60, "%s to save %s" % (self.name, self.path))
        self.mtime = os.stat(self.path).st_mtime_ns
        with open(self.path, encoding="utf-8") as f:
            text = f.read()
        return text[:-1] if text.endswith("\n") and not getattr(self, "keep_newline", False) \
            else text

    def close(self):
        self.session.stop(self.proc)


class Driver:
    """The insertion driver: does what a click on a palette button does."""

    def __init__(self, session):
        self.proc = session.spawn([driver_path()], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=None)
        line = self.proc.stdout.readline().decode().strip()
        if line != "ready":
            raise RuntimeError("driver did not start: %r" % line)

    def ask(self, line):
        self.proc.stdin.write((line + "\n").encode())
        self.proc.stdin.flush()
        reply = self.proc.stdout.readline().decode().rstrip("\n")
        if not reply:
            raise RuntimeError("driver ended")
        return reply

    def set_method(self, method):
        assert self.ask("method %d" % method) == "ok"

    def insert(self, template):
        reply = self.ask("insert " + template)
        if not reply.startswith("done "):
            raise RuntimeError("insertion failed: " + reply)
        return int(reply.split(" ")[1])


def verdict(failures):
    """Prints every failure and a last line, and returns the test's exit status."""
    for f in failures:
        print("FAILED:", f)
    print("passed" if not failures else "%d failure(s)" % len(failures))
    return 1 if failures else 0


def report(failures, total):
    print("%d of %d cases passed" % (total - len(failures), total))
    for f in failures:
        print("FAILED:", f)
    sys.exit(1 if failures else 0)
