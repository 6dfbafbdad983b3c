"""A private X session for tests that start the real executable: the end-to-end session
(Xvfb, session bus, openbox, fresh HOME), its accessibility bus, and a copy of the program
folder in the session's temporary folder, so that the program's settings file and instance
lock never touch the user's. Every process started here ends when the session closes.
"""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "e2e"))
from e2e_support import XDOTOOL, Session  # noqa: E402
from palette_support import program_folder, start_accessibility  # noqa: E402


class XSession(Session):
    def __init__(self, with_tag_lists=True):
        super().__init__()
        self.with_tag_lists = with_tag_lists

    def _start(self):
        super()._start()
        start_accessibility(self)
        self.env.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.program_dir = program_folder(self)
        self.binary = os.path.join(self.program_dir, "orvanel")
        if not self.with_tag_lists:
            for name in ("TagMList.lst", "TagBList.lst"):
                os.remove(os.path.join(self.program_dir, name))

    def run(self, argv, timeout=20):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True,
                              timeout=timeout)

    def start_orvanel(self, *args):
        return self.spawn([self.binary, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    def windows_named(self, pattern):
        """Visible windows whose title matches the regular expression `pattern`."""
        out = self.run([XDOTOOL, "search", "--onlyvisible", "--name", pattern]).stdout
        return [int(w) for w in out.split()]

    def window_title(self, wid):
        return self.run([XDOTOOL, "getwindowname", str(wid)]).stdout.rstrip("\n")

    def press_return(self, wid):
        self.activate(wid)
        self.run([XDOTOOL, "key", "--window", str(wid), "Return"])
        self.run([XDOTOOL, "key", "Return"])

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
    except (AssertionError, RuntimeError) as e:
        print("FAIL:", e)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit("a support module, not a test")
