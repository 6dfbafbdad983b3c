#!/usr/bin/python3
"""The options dialog end to end: the hot key captured from the whole keyboard; a group of two
tags made on the page "タグ登録", written in its formats at OK, shown by the palette as menus and a
page whose button inserts into mousepad, and shown again after a restart."""

import os
import subprocess
import sys
import traceback
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from e2e_support import Editor, Session, XDOTOOL, binary_dir, verdict, wait_until  # noqa: E402
from palette_support import Palette, program_folder, start_accessibility, wait_editor  # noqa: E402

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


def wait_showing(palette, name, role, root=None):
    """The control once on the screen, looked for under `root` (both dialogs have an "OK")."""
    import pyatspi
    return wait_until(lambda: next((n for n in palette.accessibles(root) if n.name == name and n.getRoleName() == role
                                    and n.getState().contains(pyatspi.STATE_SHOWING)), None),
                      30, "%r (%s) on the screen" % (name, role))


def wait_gone(session, palette, title):
    """Waits until no visible window of the palette has the title (AT-SPI misses the closing)."""
    def titles():
        return [subprocess.run([XDOTOOL, "getwindowname", w], env=session.env, capture_output=True,
                               text=True).stdout.rstrip("\n") for w in palette.windows()]
    wait_until(lambda: title not in titles(), 30, "%r to close" % title)


def click_in_box(palette, box, caption):
    """Clicks the button `caption` of the group box `box` (both lists have an "追加")."""
    palette.click(wait_showing(palette, caption, "push button", wait_showing(palette, box, "panel")))


def text_of(node):
    return node.queryText().getText(0, -1)


def support_dialog(session, palette, caption, *fields):
    """Types `fields` into the input support dialog (Tab between them) and presses its OK."""
    import pyatspi
    dialog = wait_showing(palette, caption, "dialog")
    edits = [n for n in palette.accessibles(dialog) if n.getRoleName() == "text"
             and n.getState().contains(pyatspi.STATE_SHOWING)]
    palette.wait_state(edits[0], "focused")
    for edit, text in zip(edits, fields):
        if edit is not edits[0]:
            session.keys("Tab")
        for j, line in enumerate(text.split("\n")):
            if j:
                session.keys("Return")
            session.type(line)
        wait_until(lambda: text_of(edit) == text, 30, "%r to hold %r" % (edit.name, text))
    palette.click(wait_showing(palette, "OK", "push button", dialog))
    wait_gone(session, palette, caption)


def make_group(session, palette):
    palette.click(palette.find("ｵﾌﾟｼｮﾝ設定", "push button"))
    dialog = wait_showing(palette, "設定", "dialog")
    hot_key = wait_showing(palette, "ホットキー", "text", dialog)
    palette.click(hot_key)
    for action in ("keydown shift", "keydown alt", "keydown j", "keyup j", "keyup alt", "keyup shift"):
        session.xdotool(*action.split())
    wait_until(lambda: text_of(hot_key) == "shift + alt + J", 30,
               lambda: "the hot key field to show 'shift + alt + J'; it shows %r" % text_of(hot_key))

    palette.click(wait_showing(palette, "タグ登録", "page tab", dialog), dx=12)
    click_in_box(palette, "グループ名", "追加")
    support_dialog(session, palette, "タグのグループ名", "Mine")
    click_in_box(palette, "タグ名", "追加")
    support_dialog(session, palette, "タグの編集", "Bold", "<b>", "</b>")
    click_in_box(palette, "タグ名", "追加")
    support_dialog(session, palette, "タグの編集", "Para", "<p>\n<span>", "</span></p>")
    palette.click(wait_showing(palette, "OK", "push button", dialog))
    wait_gone(session, palette, "設定")


def insert_with_group(session, palette, editor, failures):
    """The group as a page of buttons, a submenu of both tag menus; its button inserts."""
    if not any(n.name == "Mine" for n in palette.accessibles(palette.find("ﾀｸﾞ挿入(I)", "menu item"))):
        failures.append("no submenu 'Mine' under the tag menu")
    palette.click(wait_showing(palette, "Mine", "page tab"), dx=12)
    button = wait_showing(palette, "Bold", "push button")
    session.activate(editor.window)
    session.type("abc")
    session.keys("shift+Home")
    wait_editor(editor, "abc", selection=(0, 3))
    palette.click(button)
    wait_editor(editor, "<b>abc</b>")

    # The hot key set in the dialog pops the tag menu up; its last item, the group, inserts too.
    session.keys("End", "x", "shift+Left")
    wait_editor(editor, "<b>abc</b>x", selection=(10, 11))
    session.xdotool("mousemove", "400", "500")
    before = palette.windows()
    session.keys("shift+alt+j")
    palette.wait_popup(before)
    before = palette.windows()
    session.keys("Up", "Right")
    palette.wait_popup(before)
    session.keys("Return")
    wait_editor(editor, "<b>abc</b><b>x</b>")


def main():
    failures = []
    with Session() as session:
        start_accessibility(session)
        folder = program_folder(session, INI)
        editor = Editor(session, "mousepad", "", accessible=True)
        palette = Palette(session, folder)
        try:
            listed = os.path.join(folder, "usertag.lst")  # a first start may list a shipped group
            before = Path(listed).read_bytes() if os.path.exists(listed) else b""
            make_group(session, palette)
            got = (Path(listed).read_bytes(), Path(os.path.join(folder, "Mine.tag")).read_bytes())
            if got != (before + FILES[0], FILES[1]):
                failures.append("files %r instead of %r" % (got, (before + FILES[0], FILES[1])))
            insert_with_group(session, palette, editor, failures)

            palette.find("終了(X)", "menu item").queryAction().doAction(0)  # saves the settings
            palette.proc.wait(timeout=30)
            if b"HotKey=shift + alt + J\r\n" not in Path(os.path.join(folder, "Orvanel.ini")).read_bytes():
                failures.append("the hot key was not kept in the settings")
            palette = Palette(session, folder)
            wait_showing(palette, "Mine", "page tab")
        except Exception:
            failures.append(traceback.format_exc())
            subprocess.run(["import", "-window", "root", os.path.join(binary_dir(), "options-dialog-failure.png")],
                           env=session.env, capture_output=True, timeout=30)
        finally:
            editor.close()
    return verdict(failures)


if __name__ == "__main__":
    sys.exit(main())
