"""A private X session for tests that start the real executable.

Starts Xvfb on a free display (-displayfd), openbox, a session bus with the accessibility
bus, and a copy of the program folder (executable and tag lists) in a temporary folder, so
that the program's settings file and instance lock never touch the user's. Every process
started here is ended when the session closes, also on failure.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time


class XSession:
    def __init__(self, with_tag_lists=True):
        self.with_tag_lists = with_tag_lists
        self.procs = []
        self.tmp = tempfile.mkdtemp(prefix="orvanel-app-")
        self.env = dict(os.environ)

    # ---- set-up and clean-up

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
        binary = os.environ["ORVANEL_BIN"]
        bindir = os.environ.get("ORVANEL_BINARY_DIR", os.path.dirname(binary))
        self.program_dir = os.path.join(self.tmp, "prog")
        os.mkdir(self.program_dir)
        self.binary = os.path.join(self.program_dir, "orvanel")
        shutil.copy2(binary, self.binary)
        if self.with_tag_lists:
            for name in ("TagMList.lst", "TagBList.lst"):
                shutil.copy2(os.path.join(bindir, name), self.program_dir)
        runtime = os.path.join(self.tmp, "runtime")
        os.mkdir(runtime, 0o700)
        home = os.path.join(self.tmp, "home")
        os.mkdir(home)
        for key in ("SESSION_MANAGER", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                    "AT_SPI_BUS_ADDRESS"):
            self.env.pop(key, None)
        self.env.update(XDG_RUNTIME_DIR=runtime, HOME=home,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        LANG="C.UTF-8")

        r, w = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24",
                    "-nolisten", "tcp"], pass_fds=(w,))
        os.close(w)
        with os.fdopen(r) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self.spawn(["openbox", "--sm-disable"])
        self.wait_for(lambda: self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"])
                      .stdout.find("window id") >= 0, 10, "openbox")

    def spawn(self, argv, **kw):
        kw.setdefault("stdout", subprocess.DEVNULL)
        kw.setdefault("stderr", subprocess.DEVNULL)
        p = subprocess.Popen(argv, env=self.env, start_new_session=True, **kw)
        self.procs.append(p)
        return p

    def close(self):
        for p in reversed(self.procs):
            self.stop(p)
        self.procs = []
        shutil.rmtree(self.tmp, ignore_errors=True)

    @staticmethod
    def stop(p, grace=3):
        if p.poll() is None:
            try:
                os.killpg(p.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                p.wait(grace)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                p.wait()

    # ---- helpers

    def run(self, argv, timeout=20):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True,
                              timeout=timeout)

    @staticmethod
    def wait_for(cond, seconds, what):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            value = cond()
            if value:
                return value
            time.sleep(0.1)
        raise AssertionError("timed out waiting for " + what)

    def start_orvanel(self, *args):
        return self.spawn([self.binary, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def windows_named(self, pattern):
        """Visible windows whose title matches the regular expression `pattern`."""
        out = self.run(["xdotool", "search", "--onlyvisible", "--name", pattern]).stdout
        return [int(w) for w in out.split()]

    def window_title(self, wid):
        return self.run(["xdotool", "getwindowname", str(wid)]).stdout.rstrip("\n")

    def press_return(self, wid):
        self.run(["xdotool", "windowactivate", "--sync", str(wid)])
        self.run(["xdotool", "key", "--window", str(wid), "Return"])
        self.run(["xdotool", "key", "Return"])

    def accessible_texts(self, title):
        """Names of every accessible object under the top-level windows called `title`,
        read through AT-SPI in a separate process (pyatspi binds to the bus at import)."""
        script = os.path.join(os.path.dirname(__file__), "atspi_texts.py")
        out = self.run(["/usr/bin/python3", script, title], timeout=30)
        return out.stdout.splitlines()


def main(test):
    """Runs `test()` and turns its outcome into the exit status of a ctest test."""
    if not shutil.which("Xvfb") or not shutil.which("xdotool"):
        print("SKIP: Xvfb or xdotool missing")
        return 0
    try:
        test()
    except AssertionError as e:
        print("FAIL:", e)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit("a support module, not a test")
