"""Installed into a temporary prefix, the desktop entry's command starts the palette, which finds its
tag lists in <prefix>/share/orvanel/ and keeps the user's settings in ~/.config/orvanel/."""

import os
import shlex
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "support"))
from xsession import XSession, main  # noqa: E402
from e2e_support import binary_dir  # noqa: E402
from palette_support import Palette  # noqa: E402


def test():
    with XSession() as s:
        prefix = os.path.join(s.tmp, "prefix")
        r = s.run(["cmake", "--install", binary_dir(), "--prefix", prefix], timeout=120)
        assert r.returncode == 0, r.stdout + r.stderr
        entry = os.path.join(prefix, "share/applications/orvanel.desktop")
        r = s.run(["desktop-file-validate", entry])
        assert r.returncode == 0 and not r.stdout.strip(), r.stdout + r.stderr
        with open(entry, encoding="utf-8") as f:
            argv = [shlex.split(line[5:]) for line in f.read().splitlines() if line.startswith("Exec=")]
        bin_dir = os.path.join(prefix, "bin")
        assert argv == [["orvanel"]] and shutil.which("orvanel", path=bin_dir), argv
        palette = Palette(s, bin_dir)  # the palette shows only when the tag lists were read
        palette.find("終了(X)", "menu item").queryAction().doAction(0)
        assert palette.proc.wait(15) == 0, "exit status %r" % palette.proc.returncode
        assert os.path.isfile(os.path.join(s.env["XDG_CONFIG_HOME"], "orvanel", "Orvanel.ini"))
        assert not os.path.exists(os.path.join(bin_dir, "Orvanel.ini")), "settings beside the program"


if __name__ == "__main__":
    sys.exit(main(test))
