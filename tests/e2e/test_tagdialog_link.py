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
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from e2e_support import XDOTOOL, Editor, Session, binary_dir, wait_until  # noqa: E402
from palette_support import Palette, program_folder, start_accessibility, wait_editor  # noqa: E402

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


def window_named(session, title, seconds=30):
    """The id of the visible window whose whole title is `title` (compared here: xdotool's
    pattern matching does not take Japanese text reliably)."""
    def found():
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", "."], env=session.env,
                           capture_output=True, text=True)
        for w in r.stdout.split():
            name = subprocess.run([XDOTOOL, "getwindowname", w], env=session.env, capture_output=True,
                                  text=True).stdout.rstrip("\n")
            if name == title:
                return w
        return None
    return wait_until(found, seconds, "a window %r" % title)


def gone(session, window, seconds=30):
    def closed():
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", "."], env=session.env,
                           capture_output=True, text=True)
        return window not in r.stdout.split()
    session.wait_for(closed, seconds, "window %s to close" % window)


def open_link_panel(session, palette):
    """The link panel from its group button on the links-and-images page, clicked with a real
    pointer press as a user does."""
    palette.show_page("ﾘﾝｸ・画像")
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
        editor = Editor(session, "mousepad", "", accessible=True)
        palette = Palette(session, program_folder(session, INI))
        try:
            s = session
            s.activate(editor.window)
            s.type("abc")
            s.keys("shift+Home")
            wait_editor(editor, "abc", selection=(0, 3))

            dialog = open_link_panel(s, palette)

            # The reference button: the file chooser, then the message that no page is known.
            before = palette.windows()
            palette.click(palette.showing("参照", "push button"))
            chooser = wait_until(lambda: next(iter(palette.windows() - before), None), 30,
                                 "the file chooser")
            s.wait_active(chooser)
            s.type(page)
            s.keys("Return")
            message = window_named(s, "ORVANEL")
            try:  # the box's text reaches the accessibility tree a moment after its window
                palette.showing(NO_RELATIVE_PATH, "label")
            except RuntimeError:
                texts = [n.name for n in palette.accessibles() if n.getRoleName() == "label"]
                failures.append("the message box does not say %r; labels on screen: %r"
                                % (NO_RELATIVE_PATH, texts))
            s.wait_active(message)
            s.keys("Return")
            gone(s, message)

            target = palette.showing("ターゲット", "check box")
            palette.click(target)
            palette.wait_state(target, "checked")
            subprocess.run(["import", "-window", dialog, os.path.join(binary_dir(), "tagdialog-link.png")],
                           env=s.env, capture_output=True, timeout=30)
            # The target list: the first entry by keyboard in its text field.
            combo = palette.showing(None, "combo box")
            palette.click(combo)
            palette.wait_state(combo, "focused")
            s.wait_active(dialog)
            empty = combo.name
            s.keys("Down")
            wait_until(lambda: combo.name != empty, 30, "an entry in the target list")
            palette.click(palette.showing("OK", "push button"))
            gone(s, dialog)

            expected = '<A HREF="%s" TARGET="_blank">abc|</A>' % page
            wait_editor(editor, expected, caret="|")
            s.type("|")
            text = editor.saved_text()
            if text != expected:
                failures.append("link: %r instead of %r" % (text, expected))

            # Cancel: nothing is inserted.
            s.activate(editor.window)
            s.keys("ctrl+a")
            wait_editor(editor, expected, selection=(0, len(expected)))
            dialog = open_link_panel(s, palette)
            palette.click(palette.showing("ｷｬﾝｾﾙ", "push button"))
            gone(s, dialog)
            s.activate(editor.window)
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
