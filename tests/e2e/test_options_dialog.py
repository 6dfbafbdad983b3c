#!/usr/bin/python3
"""The options dialog end to end: the hot key is captured from the whole keyboard (shift, alt
and J pressed and released show "shift + alt + J"); on the page "タグ登録" a group with two tags
is made through the input support dialog; OK writes the group list and the group file in
their formats and has the palette show the group as a submenu of both tag menus and as a page
of buttons, whose button inserts into a real editor (mousepad), and the hot key set in the
dialog pops up the tag menu with the group; a restart shows the group again. Controls are
found through AT-SPI and clicked with a real pointer press."""

import os
import subprocess
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from e2e_support import XDOTOOL, Editor, Session, binary_dir  # noqa: E402
from palette_support import Palette, program_folder, start_accessibility  # noqa: E402

INI = """[Window]
Left=60
Top=40
Width=900
[Option]
InsertMethod=0
[PrjMngr]
PrjMngr=0
"""

FILES = b"Mine\r\n", b"Bold\r\nUser0=[<b>%SEL%</b>]\r\nPara\r\nUser1=[<p>%CR%<span>%SEL%</span></p>]\r\n"


def showing(palette, name, role, root=None):
    import pyatspi
    return next((n for n in palette.accessibles(root) if n.name == name and n.getRoleName() == role
                 and n.getState().contains(pyatspi.STATE_SHOWING)), None)


def wait_showing(session, palette, name, role, root=None):
    session.wait_for(lambda: showing(palette, name, role, root), 30, "%r (%s) did not show" % (name, role))
    return showing(palette, name, role, root)


def wait_gone(session, palette, title):
    """Waits until no visible window of the palette has the title (AT-SPI misses the closing)."""
    def titles():
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--pid", str(palette.proc.pid)], env=session.env,
                           capture_output=True, text=True)
        return [subprocess.run([XDOTOOL, "getwindowname", w], env=session.env, capture_output=True,
                               text=True).stdout.rstrip("\n") for w in r.stdout.split()]
    session.wait_for(lambda: title not in titles(), 30, "%r stayed open" % title)


def click_in_box(session, palette, box, caption):
    """Clicks the button `caption` of the group box `box` (both lists have an "追加")."""
    palette.click(wait_showing(session, palette, caption, "push button", wait_showing(session, palette, box, "panel")))


def text_of(node):
    return node.queryText().getText(0, -1)


def expect(session, failures, cond, failure):  # waits for cond; notes failure() when it does not hold
    try:
        session.wait_for(cond, 30, "")
    except RuntimeError:
        failures.append(failure())


def support_dialog(session, palette, caption, *fields):
    """Types `fields` into the input support dialog (Tab between them) and presses its OK."""
    import pyatspi
    dialog = wait_showing(session, palette, caption, "dialog")
    edits = [n for n in palette.accessibles(dialog) if n.getRoleName() == "text"
             and n.getState().contains(pyatspi.STATE_SHOWING)]
    session.wait_for(lambda: edits[0].getState().contains(pyatspi.STATE_FOCUSED), 30, "no focus in %r" % caption)
    for edit, text in zip(edits, fields):
        if edit is not edits[0]:
            session.keys("Tab")
        for j, line in enumerate(text.split("\n")):
            if j:
                session.keys("Return")
            session.type(line)
        session.wait_for(lambda: text_of(edit) == text, 30, "%r does not hold %r" % (edit.name, text))
    palette.click(wait_showing(session, palette, "OK", "push button", dialog))
    wait_gone(session, palette, caption)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def make_group(session, palette, failures):
    palette.click(palette.find("ｵﾌﾟｼｮﾝ設定", "push button"))
    dialog = wait_showing(session, palette, "設定", "dialog")
    hot_key = wait_showing(session, palette, "ホットキー", "text", dialog)
    palette.click(hot_key)
    for action in ("keydown shift", "keydown alt", "keydown j", "keyup j", "keyup alt", "keyup shift"):
        session.xdotool(*action.split())
    expect(session, failures, lambda: text_of(hot_key) == "shift + alt + J",
           lambda: "the hot key field shows %r" % text_of(hot_key))

    palette.click(wait_showing(session, palette, "タグ登録", "page tab", dialog), dx=12)
    click_in_box(session, palette, "グループ名", "追加")
    support_dialog(session, palette, "タグのグループ名", "Mine")
    click_in_box(session, palette, "タグ名", "追加")
    support_dialog(session, palette, "タグの編集", "Bold", "<b>", "</b>")
    click_in_box(session, palette, "タグ名", "追加")
    support_dialog(session, palette, "タグの編集", "Para", "<p>\n<span>", "</span></p>")
    palette.click(wait_showing(session, palette, "OK", "push button", dialog))
    wait_gone(session, palette, "設定")


def insert_with_group(session, palette, editor, failures):
    """The group as a page of buttons, a submenu of both tag menus; its button inserts."""
    if not any(n.name == "Mine" for n in palette.accessibles(palette.find("ﾀｸﾞ挿入(I)", "menu item"))):
        failures.append("no submenu 'Mine' under the tag menu")
    palette.click(wait_showing(session, palette, "Mine", "page tab"), dx=12)
    button = wait_showing(session, palette, "Bold", "push button")

    session.xdotool("windowactivate", "--sync", editor.window)
    session.type("abc")
    session.keys("shift+Home")
    palette.click(button)
    polls = [0]

    def saved(text):  # saves now and then until the file holds `text`
        polls[0] += 1
        if polls[0] % 10 == 1:
            session.keys("ctrl+s")
        return read(editor.path).rstrip(b"\n") == text
    expect(session, failures, lambda: saved(b"<b>abc</b>"), lambda: "the editor holds %r" % read(editor.path))

    # The hot key set in the dialog pops the tag menu up; its last item, the group, inserts too.
    session.keys("End", "x", "shift+Left")
    session.xdotool("mousemove", "400", "500")
    before = palette.windows()
    session.keys("shift+alt+j")
    palette.wait_popup(before)
    before = palette.windows()
    session.keys("Up", "Right")
    palette.wait_popup(before)
    session.keys("Return")
    expect(session, failures, lambda: saved(b"<b>abc</b><b>x</b>"),
           lambda: "after the tag menu's group the editor holds %r" % read(editor.path))


def main():
    failures = []
    with Session() as session:
        start_accessibility(session)
        folder = program_folder(session, INI)
        editor = Editor(session, "mousepad", "")
        palette = Palette(session, folder)
        try:
            listed = os.path.join(folder, "usertag.lst")  # a first start may list a shipped group
            before = read(listed) if os.path.exists(listed) else b""
            make_group(session, palette, failures)
            got = (read(listed), read(os.path.join(folder, "Mine.tag")))
            if got != (before + FILES[0], FILES[1]):
                failures.append("files %r instead of %r" % (got, (before + FILES[0], FILES[1])))
            insert_with_group(session, palette, editor, failures)

            palette.find("終了(X)", "menu item").queryAction().doAction(0)  # saves the settings
            palette.proc.wait(timeout=30)
            if b"HotKey=shift + alt + J\r\n" not in read(os.path.join(folder, "Orvanel.ini")):
                failures.append("the hot key was not kept in the settings")
            palette = Palette(session, folder)
            wait_showing(session, palette, "Mine", "page tab")
        except Exception:
            failures.append(traceback.format_exc())
            subprocess.run(["import", "-window", "root", os.path.join(binary_dir(), "options-dialog-failure.png")],
                           env=session.env, capture_output=True, timeout=30)
        finally:
            editor.close()
    for f in failures:
        print("FAILED:", f)
    print("passed" if not failures else "%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
