"""Docking the palette under openbox on a 1024x768 screen: the button docks it at (0,0), as
wide as the screen, as a dock without a minimize action, holding a strut of its height that
shrinks the work area; a move or resize request leaves it there; the button again returns
it to where it was and frees the strip; closing while docked and starting again starts
docked. Every step waits on the window's properties, never on a time."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))

from e2e_support import Session, report  # noqa: E402
from palette_support import Palette, program_folder, start_accessibility  # noqa: E402

INI = "[Window]\nLeft=100\nTop=150\nWidth=600\n[Option]\nStayOnTop=1\n[PrjMngr]\nPrjMngr=0\n"
SCREEN_W, SCREEN_H = 1024, 768


def xprop(session, *args):
    return subprocess.run(["xprop", *args], env=session.env, capture_output=True, text=True).stdout


def numbers(session, *args):
    """The numbers of the first property that xprop prints."""
    line = xprop(session, *args).splitlines()[0]
    return [int(v) for v in line.split("=", 1)[1].replace(",", " ").split()] if "=" in line else []


def workarea(session):
    return tuple(numbers(session, "-root", "_NET_WORKAREA")[:4])


def click_button(session, palette):
    x, y = palette.centre(palette.find("ｱﾌﾟﾘｹｰｼｮﾝﾊﾞｰ形式で表示"))
    session.xdotool("mousemove", str(x), str(y))
    session.xdotool("click", "1")


def wait_docked(session, palette):
    """Waits until the palette is a dock at (0,0), screen-wide, whose strut and the work area
    both say its height; returns the height."""
    def docked():
        x, y, w, h = palette.geometry()
        strut = numbers(session, "-id", palette.window, "_NET_WM_STRUT_PARTIAL")
        return ("_NET_WM_WINDOW_TYPE_DOCK" in xprop(session, "-id", palette.window, "_NET_WM_WINDOW_TYPE")
                and (x, y, w) == (0, 0, SCREEN_W) and strut[2:3] == [h] and workarea(session)[1] == h)
    session.wait_for(docked, 20, "the palette did not dock")
    return palette.geometry()[3]


def check_held(session, palette, height, failures):
    """Move and resize requests, then a change that openbox handles after them: once it has,
    the palette is back on its strip."""
    desktops = numbers(session, "-root", "_NET_NUMBER_OF_DESKTOPS")[0]
    session.xdotool("windowmove", palette.window, "200", "300")
    session.xdotool("windowsize", palette.window, "700", "300")
    session.xdotool("set_num_desktops", str(desktops + 1))
    session.wait_for(lambda: numbers(session, "-root", "_NET_NUMBER_OF_DESKTOPS")[0] == desktops + 1,
                     10, "openbox did not handle the requests")
    try:
        session.wait_for(lambda: palette.geometry() == (0, 0, SCREEN_W, height), 10, "")
    except RuntimeError:
        failures.append("a move or resize request shifted the docked palette to %r" % (palette.geometry(),))


def main():
    failures = []
    with Session(screen="%dx%d" % (SCREEN_W, SCREEN_H)) as session:
        start_accessibility(session)
        folder = program_folder(session, INI)
        palette = Palette(session, folder)
        before, full = palette.geometry(), workarea(session)
        click_button(session, palette)
        height = wait_docked(session, palette)
        if height <= before[3] or full[3] - workarea(session)[3] != height:
            failures.append("docked %d high (undocked %d), work area %r from %r" % (height, before[3], workarea(session), full))
        actions = xprop(session, "-id", palette.window, "_NET_WM_ALLOWED_ACTIONS")
        if "MINIMIZE" in actions or "_NET_WM_ACTION_MOVE" in actions:
            failures.append("the docked palette can be minimized or moved: " + actions.strip())
        check_held(session, palette, height, failures)

        click_button(session, palette)
        try:
            session.wait_for(lambda: palette.geometry() == before and workarea(session) == full
                             and "DOCK" not in xprop(session, "-id", palette.window, "_NET_WM_WINDOW_TYPE"), 20, "")
        except RuntimeError:
            failures.append("undocking left %r (before %r), work area %r" % (palette.geometry(), before, workarea(session)))

        click_button(session, palette)
        wait_docked(session, palette)
        # A dock has no close action for the window manager: the menu item closes it.
        palette.find("終了(X)", "menu item").queryAction().doAction(0)
        palette.proc.wait(timeout=20)
        with open(os.path.join(folder, "Orvanel.ini"), encoding="utf-8") as f:
            if not {"AppBar=1", "Left=0", "Top=0", "Width=%d" % SCREEN_W} <= set(f.read().splitlines()):
                failures.append("the settings saved while docked do not say so")
        wait_docked(session, Palette(session, folder))
    report(failures, 5)


if __name__ == "__main__":
    main()
