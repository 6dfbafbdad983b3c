#!/usr/bin/python3
"""The tag dialog end to end with a real editor (mousepad, window messages): "abc" selected,
the link panel opened from its group button on the links-and-images page, a page picked with
the reference button (no page being edited is known, so the message about it shows, and the
absolute path goes in), a target chosen, OK: the editor holds the link around "abc" with the
caret after it.
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
InsertMethod=0
[PrjMngr]
PrjMngr=0
"""

LINK_BUTTON = 'リンク <A HREF="">'
NO_RELATIVE_PATH = "相対パスを取得できませんでした。\n絶対パスで出力します。"


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


def showing(palette, name, role):
    """The control of that accessible name and role that is on screen (hidden panels hold
    controls of the same names)."""
    import pyatspi
    for node in palette.accessibles():
        if node.name == name and node.getRoleName() == role and \
                node.getState().contains(pyatspi.STATE_SHOWING):
            return node
    raise KeyError(name)


def open_link_panel(session, palette):
    """The link panel from its group button on the links-and-images page, clicked with a real
    pointer press as a user does."""
    palette.click(palette.find("ﾘﾝｸ・画像", "page tab"), dx=12)
    palette.click(palette.find(LINK_BUTTON, "push button"), dx=13)
    try:
        return window_named(session, "リンクの設定")
    except RuntimeError:
        raise RuntimeError("the tag dialog did not open from the link button: is it connected to "
                           "the palette at start-up (connectTagDialog)?")


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
            palette.click(showing(palette, "参照", "push button"))
            time.sleep(1.0)
            s.type(page)
            s.keys("Return")
            message = window_named(s, "ORVANEL")
            def says_it():
                try:
                    return showing(palette, NO_RELATIVE_PATH, "label")
                except KeyError:
                    return None
            try:  # the box's text reaches the accessibility tree a moment after its window
                s.wait_for(says_it, 5, "")
            except RuntimeError:
                texts = [n.name for n in palette.accessibles() if n.getRoleName() == "label"]
                failures.append("the message box does not say %r; labels on screen: %r"
                                % (NO_RELATIVE_PATH, texts))
            s.keys("Return")
            gone(s, message)

            palette.click(showing(palette, "ターゲット", "check box"))
            subprocess.run(["import", "-window", dialog, os.path.join(binary_dir(), "tagdialog-link.png")],
                           env=s.env, capture_output=True, timeout=30)
            # The target list: the first entry by keyboard in its text field.
            combo = [n for n in palette.accessibles() if n.getRoleName() == "combo box"
                     and n.getState().contains(__import__("pyatspi").STATE_SHOWING)]
            if not combo:
                raise RuntimeError("no target list on screen")
            palette.click(combo[0])
            s.keys("Down")
            time.sleep(0.2)
            palette.click(showing(palette, "OK", "push button"))
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
            palette.click(showing(palette, "ｷｬﾝｾﾙ", "push button"))
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
