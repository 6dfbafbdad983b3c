#!/usr/bin/python3
"""Launchers and user tag groups with mousepad as the program of "html": the shipped group at a
first start; a page (in a folder with a blank) opened from the palette; its "section" button
around "abc"; an image in a sub-folder picked by the reference button, relative to the page;
the preview with the page (a browser script records its arguments); at the next start a
user's own groups kept. Every step waits for a window, a title or a file."""

import os
import shutil
import subprocess
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from e2e_support import Session, XDOTOOL, verdict  # noqa: E402
from palette_support import Palette, program_folder, source_dir, start_accessibility  # noqa: E402
from test_tagdialog_link import gone, window_named  # noqa: E402

INI = ("[Window]\nLeft=60\nTop=40\nWidth=760\n[Option]\nInsertMethod=0\n[PrjMngr]\nPrjMngr=0\n"
       "[Browser]\nCurBrowser={browser}\n[ExtList]\nCount=1\nList=<html=/usr/bin/mousepad>\n")


def title(session, window):
    return subprocess.run([XDOTOOL, "getwindowname", window], env=session.env, capture_output=True,
                          text=True).stdout.rstrip("\n")


def window_matching(session, pattern):
    search = lambda: subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", pattern], env=session.env,
                                    capture_output=True, text=True).stdout.split()
    session.wait_for(search, 30, "no window %r" % pattern)
    return search()[0]


def has(palette, name, role):
    try:
        return palette.find(name, role)
    except KeyError:
        return None


def read(path):
    with open(path, "rb") as f:
        return f.read()


def choose_file(session, palette, button, path):
    """Clicks `button`, answers the open-file dialog with `path` and waits until it is gone."""
    palette.click(button)
    dialog = window_named(session, "開く")
    session.wait_for(lambda: subprocess.run([XDOTOOL, "getactivewindow"], env=session.env, capture_output=True,
                                            text=True).stdout.strip() == dialog, 15, "the file dialog takes no keys")
    session.type(path)
    session.keys("Return")
    gone(session, dialog)


def saved(session, editor, page):
    """Saves the page in the editor and returns it once written (the title loses its mark)."""
    session.xdotool("windowactivate", "--sync", editor)
    session.keys("ctrl+s")
    session.wait_for(lambda: not title(session, editor).startswith("*"), 15, "the editor did not save")
    return read(page).decode()


def main():
    failures = []
    with Session() as s:
        start_accessibility(s)
        site = os.path.join(s.tmp, "my site")
        page = os.path.join(site, "index.html")
        image = os.path.join(site, "img", "pic.gif")
        os.makedirs(os.path.dirname(image))
        open(page, "w").close()
        with open(image, "wb") as f:
            f.write(b"GIF89a")
        browser = os.path.join(s.tmp, "browser")
        with open(browser, "w") as f:
            f.write("#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n")
        os.chmod(browser, 0o755)
        folder = program_folder(s, INI.format(browser=browser))
        shutil.copytree(os.path.join(source_dir(), "data", "html5"), os.path.join(folder, "html5"))
        palette = Palette(s, folder)
        try:
            if read(os.path.join(folder, "usertag.lst")) != read(os.path.join(folder, "html5", "usertag.lst")):
                failures.append("the shipped group list was not installed")
            choose_file(s, palette, palette.find("開く", "push button"), page)
            editor = window_matching(s, r"index\.html")
            s.xdotool("windowactivate", "--sync", editor)
            s.type("abc")
            if saved(s, editor, page) != "abc":
                failures.append("the editor shows another file than %s" % page)
            s.keys("shift+Home")
            palette.click(palette.find("HTML5", "page tab"))
            palette.click(palette.showing("section", "push button"))
            s.wait_for(lambda: title(s, editor).startswith("*"), 15, "the section button changed nothing")
            text = saved(s, editor, page)
            if text != "<section>\nabc\n</section>\n":
                failures.append("section: %r" % text)

            s.keys("ctrl+End")
            palette.click(palette.find("ﾘﾝｸ・画像", "page tab"))
            palette.click(palette.find('画像 <IMG SRC="">', "push button"))
            dialog = window_named(s, "画像の設定")
            choose_file(s, palette, palette.showing("参照", "push button"), image)
            palette.click(palette.showing("OK", "push button"))
            gone(s, dialog)
            text = saved(s, editor, page)
            if text != '<section>\nabc\n</section>\n<IMG SRC="img/pic.gif">':
                failures.append("image: %r" % text)

            palette.click(palette.find("ブラウザで確認", "push button"))
            s.wait_for(lambda: os.path.exists(browser + ".args"), 15, "the browser did not start")
            if read(browser + ".args") != page.encode() + b"\0":
                failures.append("preview: the browser got %r" % read(browser + ".args"))
            palette.find("終了(X)", "menu item").queryAction().doAction(0)
            palette.proc.wait(timeout=30)

            # Groups of the user's own stay exactly as they are.
            os.remove(os.path.join(folder, "HTML5.tag"))
            own = {"usertag.lst": b"Mine\r\n", "Mine.tag": b"mine\r\nUser0=[<%SEL%>]\r\n"}
            for name, data in own.items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)
            palette = Palette(s, folder)
            s.wait_for(lambda: has(palette, "Mine", "page tab"), 15, "no page of the user's group")
            if any(read(os.path.join(folder, name)) != data for name, data in own.items()) \
                    or os.path.exists(os.path.join(folder, "HTML5.tag")):
                failures.append("the user's own groups were changed")
        except Exception:
            failures.append(traceback.format_exc())
    return verdict(failures)


if __name__ == "__main__":
    sys.exit(main())
