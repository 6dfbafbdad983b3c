"""Shared pieces of the end-to-end tests: an X session of our own (Xvfb, a session bus,
openbox), real editors started on a file, the insertion driver, and key input by xdotool.

Every process started here is put in its own process group and ended when the session
closes, also when a test fails.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

XDOTOOL = shutil.which("xdotool") or "/usr/bin/xdotool"


def binary_dir():
    return os.environ.get("ORVANEL_BINARY_DIR") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build")


def driver_path():
    return os.path.join(binary_dir(), "orvanel_insert_driver")


class Session:
    """Xvfb + session bus + openbox, with a fresh HOME and XDG folders."""

    def __init__(self, clipboard_manager=False):
        self.procs = []
        self.tmp = tempfile.mkdtemp(prefix="orvanel-e2e-")
        self.clipboard_manager = clipboard_manager

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
        self.spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24",
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

        self.spawn(["openbox", "--sm-disable"])
        self.wait_for(lambda: subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env, capture_output=True,
            text=True).stdout.find("window id") >= 0, 20, "openbox did not start")
        if self.clipboard_manager:
            self.spawn(["parcellite", "-n"])
            time.sleep(1.0)

    def spawn(self, argv, **kw):
        kw.setdefault("stdout", subprocess.DEVNULL)
        kw.setdefault("stderr", subprocess.DEVNULL)
        p = subprocess.Popen(argv, env=getattr(self, "env", None), start_new_session=True,
                             stdin=kw.pop("stdin", subprocess.DEVNULL), **kw)
        self.procs.append(p)
        return p

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
        for p in reversed(self.procs):
            self.stop(p)
        self.procs.clear()
        shutil.rmtree(self.tmp, ignore_errors=True)

    @staticmethod
    def wait_for(cond, seconds, what):
        deadline = time.monotonic() + seconds
        while not cond():
            if time.monotonic() > deadline:
                raise RuntimeError(what)
            time.sleep(0.05)

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


SETTLE = {"gnome-text-editor": 1.5}


class Editor:
    """A real editor showing a file of its own, with its window found and active."""

    def __init__(self, session, name, text):
        self.session = session
        self.name = name
        self.path = os.path.join(session.tmp, "page%d.txt" % time.monotonic_ns())
        with open(self.path, "w", encoding="utf-8") as f:
            f.write(text)
        self.mtime = os.stat(self.path).st_mtime_ns
        self.proc = session.spawn(EDITORS[name] + [self.path])
        base = os.path.basename(self.path)
        deadline = time.monotonic() + 30
        while True:
            r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", base],
                               env=session.env, capture_output=True, text=True)
            if r.stdout.strip():
                self.window = r.stdout.split()[0]
                break
            if time.monotonic() > deadline or self.proc.poll() is not None:
                raise RuntimeError("%s showed no window" % name)
            time.sleep(0.1)
        session.xdotool("windowactivate", "--sync", self.window)
        # Let the editor settle: loading the file and placing the caret (GTK 4 loads the file
        # asynchronously after showing its window).
        time.sleep(SETTLE.get(name, 0.5))

    def saved_text(self):
        """Saves with Ctrl+S and returns the file as written (one trailing newline that an
        editor adds on saving is not part of the text)."""
        saved = lambda: os.stat(self.path).st_mtime_ns != self.mtime
        for attempt in range(3):  # a busy editor may miss the first Ctrl+S
            self.session.keys("ctrl+s")
            try:
                self.session.wait_for(saved, 5, "")
                break
            except RuntimeError:
                pass
        if not saved():
            raise RuntimeError("%s did not save" % self.name)
        time.sleep(0.2)  # the write may still be under way
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


def report(failures, total):
    print("%d of %d cases passed" % (total - len(failures), total))
    for f in failures:
        print("FAILED:", f)
    sys.exit(1 if failures else 0)
