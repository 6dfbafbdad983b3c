#!/usr/bin/python3
"""The project manager on a site leading into Python's HTML documentation (python3-doc): the
tree, a page opened in mousepad, the filter "img", and "リンクの挿入 <img>" inserting the
picture's relative path through the image panel. Leaves project.png in the build folder."""

import os
import subprocess
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from e2e_support import Session, binary_dir, verdict, wait_until  # noqa: E402
from palette_support import Palette, program_folder, start_accessibility, walk  # noqa: E402
from test_launch_and_groups import saved, title, window_matching  # noqa: E402
from test_tagdialog_link import gone, window_named  # noqa: E402

DOCS = "/usr/share/doc/python3-doc/html"
PICTURE = "python/_images/tk_msg.png"
INI = ("[Window]\nLeft=60\nTop=40\nWidth=760\n[Option]\nInsertMethod=0\n[ExtList]\nCount=1\n"
       "List=<html=/usr/bin/mousepad>\n[PrjMngr]\nPrjMngr=1\nSnap=1\nHeight=460\nWidth=420\nTopPage={top}\n")


def node(palette, name, root=None):
    return next((n for n in palette.accessibles(root) if n.name == name), None)


def frame(session, window):
    """The window's frame on the screen (x, y, width, height), once the window manager has
    framed it."""
    extents = subprocess.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], env=session.env,
                             capture_output=True, text=True).stdout
    if "=" not in extents:
        return None
    left, right, top, bottom = (int(n) for n in extents.split("=")[1].split(","))
    info = subprocess.run(["xwininfo", "-id", window], env=session.env, capture_output=True, text=True).stdout
    value = {k.strip(): v.strip() for k, _, v in (line.partition(":") for line in info.splitlines())}
    x, y = int(value["Absolute upper-left X"]), int(value["Absolute upper-left Y"])
    return (x - left, y - top, int(value["Width"]) + left + right, int(value["Height"]) + top + bottom)


def snapped(session, palette, manager):
    """The project manager has followed the palette's last move: directly below it, left
    edges aligned (Snap=1)."""
    p, m = frame(session, palette.window), frame(session, manager)
    return p and m and m[0] == p[0] and m[1] == p[1] + p[3]


def press(session, palette, target, button="1", repeat="1"):
    x, y = palette.centre(target)
    session.xdotool("mousemove", str(x), str(y))
    session.xdotool("click", "--repeat", repeat, button)


def main():
    failures = []
    with Session() as s:
        start_accessibility(s)
        site = os.path.join(s.tmp, "site")
        os.makedirs(site)
        os.symlink(DOCS, os.path.join(site, "python"))
        top = os.path.join(site, "top.html")
        with open(top, "w") as f:
            f.write('<a href="python/index.html">Python</a>\n<img src="%s">\n' % PICTURE)
        palette = Palette(s, program_folder(s, INI.format(top=top)))
        try:
            manager = window_named(s, "ProjectManager")
            # The window manager frames the palette after it showed, and the manager then moves
            # under it: the tree's rows are where they will stay once it has.
            s.wait_for(lambda: snapped(s, palette, manager), 30, "the project manager under the palette")
            root = wait_until(lambda: node(palette, "top.html"), 30, "the site's tree")
            press(s, palette, root, repeat="2")  # opens the page in its program and expands the root
            editor = window_matching(s, r"top\.html")
            wait_until(lambda: node(palette, "python/index.html", palette.find("サイト")), 30, "the references")
            press(s, palette, root)
            palette.click(palette.find("全てのリンク", "combo box"))  # named by its current item
            for key in ("Down", "Down", "Return"):
                s.keys(key)
            links = palette.find("リンク一覧")
            row = wait_until(lambda: node(palette, PICTURE, links), 30, "the image in the link list")
            if "href" in {n.name for n in walk(links)}:
                failures.append("the filter img lists more than images")
            s.xdotool("mousemove", "1200", "1000")
            subprocess.run(["import", "-window", manager, os.path.join(binary_dir(), "project.png")], env=s.env,
                           check=False, capture_output=True, timeout=30)

            before = palette.windows()
            press(s, palette, row, button="3")
            palette.wait_popup(before)
            s.keys("Up")  # the last item: "リンクの挿入 <img>"
            s.keys("Return")
            dialog = window_named(s, "画像の設定")
            palette.click(palette.showing("OK", "push button"))
            gone(s, dialog)
            s.wait_for(lambda: title(s, editor).startswith("*"), 15, "the insertion changed nothing")
            text = saved(s, editor, top)
            if 'SRC="%s"' % PICTURE not in text:
                failures.append("image insertion: %r" % text)
        except Exception:
            failures.append(traceback.format_exc())
    return verdict(failures)


if __name__ == "__main__":
    sys.exit(main())
