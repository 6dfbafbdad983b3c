#!/usr/bin/python3
"""The tag dialog end to end with a real editor (mousepad, window messages): "abc" selected,
the link panel opened from the tag menu (hot key, then its dialog leaf), a page picked with the reference
button (no page being edited is known, so the message about it shows and the absolute path
goes in), a target chosen, OK: the editor holds the link around "abc" with the caret after it.
Cancel afterwards inserts nothing. Controls are found through AT-SPI and clicked with a real
pointer press; a picture of the dialog is left in the build folder (tagdialog-link.png)."""

import os
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from e2e_support import XDOTOOL, Editor, Session, binary_dir  # noqa: E402
from palette_support import Palette, program_folder, start_accessibility  # noqa: E402

INI = """[Window]
Left=60
Top=40
[Option]
HotKey=ctrl + shift + H
InsertMethod=0
[PrjMngr]
PrjMngr=0
"""


def window_named(session, title, seconds=15):
    """The id of the visible window whose whole title is `title` (compared here: xdotool's
    pattern matching does not take Japanese text reliably)."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", "."], env=session.env,
                           capture_output=True, text=True)
        for w in r.stdout.split():
            name = subprocess.run([XDOTOOL, "getwindowname", w], env=session.env, capture_output=True,
                                  text=True).stdout.rstrip("\n")
            if name == title:
                return w
        time.sleep(0.1)
    raise RuntimeError("no window %r" % title)


def gone(session, window, seconds=10):
    def closed():
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", "."], env=session.env,
                           capture_output=True, text=True)
        return window not in r.stdout.split()
    session.wait_for(closed, seconds, "window %s stayed open" % window)


def origin(session, window):
    out = subprocess.run(["xwininfo", "-id", window], env=session.env, capture_output=True, text=True,
                         check=True).stdout
    values = {}
    for line in out.splitlines():
        line = line.strip()
        for key in ("Absolute upper-left X", "Absolute upper-left Y"):
            if line.startswith(key + ":"):
                values[key] = int(line.split(":")[1])
    return values["Absolute upper-left X"], values["Absolute upper-left Y"]


def showing(palette, name, role):
    """The control of that accessible name and role that is on screen (hidden panels hold
    controls of the same names)."""
    import pyatspi
    for node in palette.accessibles():
        if node.name == name and node.getRoleName() == role and \
                node.getState().contains(pyatspi.STATE_SHOWING):
            return node
    raise KeyError(name)


def click_in(session, window, node):
    """A real press just inside the top-left corner of a control of `window`. The extents come
    relative to the window, and only their corner is reliable (Qt reports some controls
    larger than they are)."""
    import pyatspi
    e = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    x, y = origin(session, window)
    session.xdotool("mousemove", "--sync", str(x + e.x + 8), str(y + e.y + 8))
    session.xdotool("click", "1")
    time.sleep(0.3)


def open_link_panel(session, palette):
    """The link panel through the tag menu: the hot key opens the menu at the pointer; the
    pointer opens its fifth item, the links-and-images submenu, and clicks that submenu's first
    leaf, which opens the panel. (The pointer, because the palette never takes the keyboard.)"""
    x, y = 640, 560
    session.xdotool("mousemove", "--sync", str(x), str(y))
    session.keys("ctrl+shift+h")
    time.sleep(1.0)
    row = y + 4 + 4 * 22 + 11  # the fifth item's middle
    session.xdotool("mousemove", "--sync", str(x + 40), str(row))
    time.sleep(0.8)
    session.xdotool("mousemove", "--sync", str(x + 160), str(row))
    time.sleep(0.3)
    session.xdotool("click", "1")
    try:
        return window_named(session, "リンクの設定")
    except RuntimeError:
        raise RuntimeError("the tag dialog did not open from the tag menu: is it connected to the "
                           "palette at start-up (connectTagDialog)?")


def main():
    failures = []
    with Session() as session:
        start_accessibility(session)
        page = os.path.join(session.tmp, "site", "a.html")
        os.makedirs(os.path.dirname(page))
        with open(page, "w") as f:
            f.write("<html></html>\n")
        editor = Editor(session, "mousepad", "")
        palette = Palette(session, program_folder(session, INI))
        try:
            s = session
            s.xdotool("windowactivate", "--sync", editor.window)
            s.type("abc")
            s.keys("shift+Home")
            time.sleep(0.2)

            dialog = open_link_panel(s, palette)
            time.sleep(0.5)

            # The reference button: the file chooser, then the message that no page is known.
            click_in(s, dialog, showing(palette, "参照", "push button"))
            time.sleep(1.0)
            s.type(page)
            s.keys("Return")
            message = window_named(s, "ORVANEL")
            s.keys("Return")
            gone(s, message)

            click_in(s, dialog, showing(palette, "ターゲット", "check box"))
            subprocess.run(["import", "-window", dialog, os.path.join(binary_dir(), "tagdialog-link.png")],
                           env=s.env, capture_output=True, timeout=30)
            # The target list: the first entry by keyboard in its text field.
            combo = [n for n in palette.accessibles() if n.getRoleName() == "combo box"
                     and n.getState().contains(__import__("pyatspi").STATE_SHOWING)]
            if not combo:
                raise RuntimeError("no target list on screen")
            click_in(s, dialog, combo[0])
            s.keys("Down")
            time.sleep(0.2)
            click_in(s, dialog, showing(palette, "OK", "push button"))
            gone(s, dialog)

            s.type("|")
            text = editor.saved_text()
            editor.mtime = os.stat(editor.path).st_mtime_ns
            expected = '<A HREF="%s" TARGET="_blank">abc|</A>' % page
            if text != expected:
                failures.append("link: %r instead of %r" % (text, expected))

            # Cancel: nothing is inserted.
            s.xdotool("windowactivate", "--sync", editor.window)
            s.keys("ctrl+a")
            time.sleep(0.2)
            dialog = open_link_panel(s, palette)
            time.sleep(0.3)
            click_in(s, dialog, showing(palette, "ｷｬﾝｾﾙ", "push button"))
            gone(s, dialog)
            s.xdotool("windowactivate", "--sync", editor.window)
            s.keys("End")
            s.type("#")
            text = editor.saved_text()
            if text != expected + "#":
                failures.append("cancel: %r instead of %r" % (text, expected + "#"))
        except Exception:
            failures.append(traceback.format_exc())
            subprocess.run(["import", "-window", "root", os.path.join(binary_dir(), "tagdialog-link-failure.png")],
                           env=session.env, capture_output=True, timeout=30)
        finally:
            editor.close()
    for f in failures:
        print("FAILED:", f)
    print("%s" % ("passed" if not failures else "%d failure(s)" % len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
