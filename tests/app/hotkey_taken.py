"""A start whose hot key another program holds shows the hot key message, and after OK the
palette is there and keeps running."""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "support"))
from xsession import XSession, main  # noqa: E402

PALETTE = "^Orvanel Ver"
BOX = "^ORVANEL$"
MESSAGE = "ホットキーの登録に失敗しました。"
INI = "[Option]\r\nHotKey=ctrl + shift + H\r\n[PrjMngr]\r\nPrjMngr=0\r\n"


def write_ini(folder):
    with open(os.path.join(folder, "Orvanel.ini"), "w", encoding="utf-8", newline="") as f:
        f.write(INI)


def windows_of(s, proc):
    out = s.run(["xdotool", "search", "--onlyvisible", "--pid", str(proc.pid), "--name", PALETTE]).stdout
    return out.split()


def test():
    with XSession() as s:
        # Another program holds ctrl+shift+H: a palette of its own, with an instance lock of
        # its own.
        holder_dir = os.path.join(s.tmp, "holder")
        shutil.copytree(s.program_dir, holder_dir)
        write_ini(holder_dir)
        runtime = os.path.join(s.tmp, "holder-runtime")
        os.makedirs(runtime, mode=0o700)
        env = dict(s.env, XDG_RUNTIME_DIR=runtime)
        holder = subprocess.Popen([os.path.join(holder_dir, "orvanel")], env=env, cwd=holder_dir,
                                  start_new_session=True, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        s.procs.append(holder)
        s.wait_for(lambda: windows_of(s, holder) or holder.poll() is not None, 30, "the holder's palette")
        assert holder.poll() is None, "the holder ended"
        assert not s.windows_named(BOX), "the holder could not take the hot key"

        write_ini(s.program_dir)
        p = s.start_orvanel()
        s.wait_for(lambda: s.windows_named(BOX) or p.poll() is not None, 30, "the message box")
        assert p.poll() is None, "ended instead of showing the message: %r" % p.returncode
        texts = s.accessible_texts("ORVANEL")
        assert MESSAGE in texts, "message box texts: %r" % texts
        s.press_return(s.windows_named(BOX)[0])
        s.wait_for(lambda: windows_of(s, p) or p.poll() is not None, 30, "the palette after OK")
        assert p.poll() is None, "the palette ended with %r" % p.returncode
        assert not s.windows_named(BOX), "the box stayed"


if __name__ == "__main__":
    sys.exit(main(test))
