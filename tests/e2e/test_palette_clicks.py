"""The palette end to end: a real editor (featherpad, then mousepad), the palette started
from its own folder, its buttons found through AT-SPI by their hints and clicked with a real
pointer press. With "abc" selected, a sample of tag buttons from every page inserts its tag
around "abc" with the caret after it; an ALIGN pick on the H2 button inserts the heading
with the centre attribute; the hot key opens the tag menu at the mouse and a leaf inserts;
a locked target stays the target while another program is active; closing the palette saves
its page, position and width, and the next start shows them again. Screenshots of the nine
pages and of the open tag menu are left in the build folder (palette-*.png)."""

import os
import subprocess
import sys
import traceback

sys.path.insert(0, os.path.dirname(__file__))

from e2e_support import XDOTOOL, Editor, Session, binary_dir, wait_until  # noqa: E402
from palette_support import (TITLE, Palette, program_bin, program_folder, start_accessibility,  # noqa: E402
                             wait_editor)

INI = """[Window]
Left=60
Top=40
[Option]
HotKey=ctrl + shift + H
InsertMethod=0
[PrjMngr]
PrjMngr=0
"""

# A tag button of every page but the forms page (whose buttons all open the tag dialog).
SAMPLE = [
    ("ﾄﾞｷｭﾒﾝﾄ", "DOC_TITLE", "タイトル <TITLE>"),
    ("ﾚｲｱｳﾄ", "LAYOUT_P_P", "段落 <P>"),
    ("ﾚｲｱｳﾄ", "LAYOUT_DIV_CENTER", '中央寄せ <DIV align="center">'),
    ("見出し", "LAYOUT_H_H1", "レベル1 <H1>"),
    ("文字", "MOJI_B", "太字 <B>"),
    ("文字", "MOJI_TOKUSYU_AMP", "特殊文字 & (&amp;)"),
    ("表", "TAB_CAPTION", "タイトル <CAPTION>"),
    ("ﾘﾝｸ・画像", "LINK_BASE", 'ベースターゲット <BASE TARGET="">'),
    ("ﾘｽﾄ", "LIST_LI", "リスト項目の追加 <LI>"),
    ("ﾌﾚｰﾑ", "FRAME_NOFRAMES", "フレーム未対応 <NOFRAMES>"),
]
PAGES = ["ﾄﾞｷｭﾒﾝﾄ", "ﾚｲｱｳﾄ", "見出し", "文字", "表", "ﾘﾝｸ・画像", "ﾘｽﾄ", "ﾌﾚｰﾑ", "ﾌｫｰﾑ"]
SMALL_BUTTONS = ["ﾀｰｹﾞｯﾄｳｨﾝﾄﾞｳをﾛｯｸ", "新規作成", "開く", "ブラウザで確認", "ｵﾌﾟｼｮﾝ設定",
                 "ｱﾌﾟﾘｹｰｼｮﾝﾊﾞｰ形式で表示", "常に手前に表示"]


def tag_expansion(key, text):
    """What the palette inserts for `key` around `text`, from the program itself."""
    r = subprocess.run([program_bin(), "tag", key], input=text.encode(), capture_output=True, check=True)
    return r.stdout.decode()[:-1]  # the verb ends its output with a line break


def expected_with_caret(key):
    # The caret stands right after the selection: "|" typed there lands after "abc".
    return tag_expansion(key, "abc|")


class Case:
    def __init__(self, session, editor):
        self.session = session
        self.editor = editor

    def select_abc(self):
        s = self.session
        s.activate(self.editor.window)
        s.keys("ctrl+a")
        s.keys("Delete")
        s.type("abc")
        s.keys("shift+Home")
        wait_editor(self.editor, "abc", selection=(0, 3))

    def finish(self, want):
        """Waits until the insertion has ended, with the editor showing `want` and the caret
        at its "|", types "|" there and returns the saved file."""
        wait_editor(self.editor, want, caret="|")
        self.session.type("|")
        return self.editor.saved_text()


def check_accessible_names(palette, failures):
    """Every tag button, toolbar button, page and menu item is found by its caption or hint."""
    names = {}
    for node in palette.accessibles():
        names.setdefault(node.getRoleName(), set()).add(node.name)
    buttons = names.get("push button", set()) | names.get("check box", set())
    missing = [h for h in SMALL_BUTTONS if h not in buttons]
    missing += [p for p in PAGES if p not in names.get("page tab", set())]
    missing += [hint for _, _, hint in SAMPLE if hint not in buttons]
    items = names.get("menu item", set())
    missing += [m for m in ("ﾌｧｲﾙ(F)", "新規作成(N)", "終了(X)", "ﾀｸﾞ挿入(I)", "ﾂｰﾙ(T)", "ﾌﾟﾛｼﾞｪｸﾄﾏﾈｰｼﾞｬｰ",
                            "ﾍﾙﾌﾟ(H)", "ﾊﾞｰｼﾞｮﾝ情報(A)", '中 (ALIGN="center")', "太字 <B>",
                            "フォーム領域 <FORM>...") if m not in items]
    if missing:
        failures.append("not found by accessible name: %r" % missing)
    # The 67 tag buttons have 67 different hints.
    tag_buttons = buttons - set(SMALL_BUTTONS) - {"", "Scroll Left", "Scroll Right"}
    if len(tag_buttons) != 67:
        failures.append("%d tag buttons found by name, not 67" % len(tag_buttons))
    return len(tag_buttons)


def run_editor(session, palette, editor_name, shots, failures):
    if True:
        folder = palette.folder
        editor = Editor(session, editor_name, "start", accessible=True)
        case = Case(session, editor)
        if editor_name == "featherpad":
            count = check_accessible_names(palette, failures)
            print("ok   %d tag buttons reachable by name" % count, flush=True)

        # A sample of tag buttons on every page. A case that fails is tried once more (the
        # machine may be loaded); both attempts failing fails the test, and every retry is
        # printed.
        for page, key, hint in SAMPLE:
            label = "%s: %s on %s" % (editor_name, key, page)
            problem = None
            for attempt in (1, 2):
                try:
                    palette.show_page(page)
                    case.select_abc()
                    palette.click(palette.find(hint, "push button"), dx=13)
                    want = expected_with_caret(key)
                    got = case.finish(want)
                    problem = None if got.rstrip("\n") == want.rstrip("\n") else "got %r, want %r" % (got, want)
                except Exception:
                    problem = traceback.format_exc()
                if problem is None:
                    break
                print("retry %s (%s)" % (label, problem.strip().splitlines()[-1]), flush=True)
            if problem:
                failures.append("%s: %s" % (label, problem))
                print("FAIL " + label, flush=True)
            else:
                print("ok   " + label, flush=True)

        # ALIGN: the arrow of the H2 button, then the centre item.
        label = editor_name + ": ALIGN center on H2"
        try:
            palette.show_page("見出し")
            case.select_abc()
            before = palette.windows()
            palette.click(palette.find("レベル2 <H2>", "push button"), dx=33)
            palette.wait_popup(before)
            session.keys("Down", "Down", "Return")
            want = expected_with_caret("LAYOUT_H_H2").replace("<H2>", '<H2 ALIGN="center">', 1)
            got = case.finish(want)
            if got.rstrip("\n") != want.rstrip("\n"):
                failures.append("%s: got %r, want %r" % (label, got, want))
                print("FAIL " + label, flush=True)
            else:
                print("ok   " + label, flush=True)
        except Exception:
            failures.append(label + ": " + traceback.format_exc())
            session.keys("Escape", "Escape")

        # The hot key: the tag menu opens at the mouse; its first menu's leaf
        # "タイトル <TITLE>" (fourth item of the first submenu) inserts.
        label = editor_name + ": hot key and a tag menu leaf"
        try:
            case.select_abc()
            session.xdotool("mousemove", "400", "500")
            before = palette.windows()
            session.keys("ctrl+shift+h")
            palette.wait_popup(before)
            # The first top-level item, into its submenu (on "新規ドキュメント...").
            before = palette.windows()
            session.keys("Down", "Right")
            palette.wait_popup(before)
            if editor_name == "featherpad":
                subprocess.run(["import", "-window", "root", "-crop", "620x300+380+480",
                                os.path.join(shots, "palette-popup.png")], env=session.env, check=False)
            # Down past the separator to HTML, HEAD and TITLE.
            session.keys("Down", "Down", "Down", "Return")
            want = expected_with_caret("DOC_TITLE")
            got = case.finish(want)
            if got.rstrip("\n") != want.rstrip("\n"):
                failures.append("%s: got %r, want %r" % (label, got, want))
                print("FAIL " + label, flush=True)
            else:
                print("ok   " + label, flush=True)
        except Exception:
            failures.append(label + ": " + traceback.format_exc())
            session.keys("Escape", "Escape", "Escape")

        # Lock: another program becomes active, the tag still goes to the locked editor.
        label = editor_name + ": locked target"
        try:
            case.select_abc()
            lock = palette.find("ﾀｰｹﾞｯﾄｳｨﾝﾄﾞｳをﾛｯｸ")
            palette.click(lock, dx=10)
            palette.wait_state(lock, "checked")
            other = session.spawn(["xmessage", "-name", "other", "-geometry", "300x80+700+600", "other"])
            session.activate(session.window_named("other", proc=other))
            palette.show_page("文字")
            palette.click(palette.find("太字 <B>", "push button"), dx=13)
            # The tag reaches the locked editor while the other program is active.
            wait_editor(editor, "<B>abc</B>")
            session.stop(other)
            session.activate(editor.window)
            got = editor.saved_text()
            if got != "<B>abc</B>":
                failures.append("%s: got %r" % (label, got))
                print("FAIL " + label, flush=True)
            else:
                print("ok   " + label, flush=True)
            palette.click(lock, dx=10)
            palette.wait_state(lock, "checked", present=False)
        except Exception:
            failures.append(label + ": " + traceback.format_exc())

        if editor_name == "featherpad":
            # Pictures of the nine pages, then of the open tag menu.
            for n, page in enumerate(PAGES):
                palette.show_page(page)
                session.xdotool("mousemove", "900", "900")
                palette.screenshot(os.path.join(shots, "palette-page%d.png" % (n + 1)))
            palette.show_page("文字")
            session.xdotool("mousemove", "900", "900")
            x, y, w, h = palette.geometry()
            subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w + 2, h + 24, x - 1, y - 22),
                            os.path.join(shots, "palette.png")], env=session.env, check=False)
            palette.show_page("ﾘﾝｸ・画像")
            session.xdotool("mousemove", "900", "900")

            # Stay-on-top toggles the window manager's "above" state of the same window,
            # which is neither re-created nor hidden.
            label = "stay-on-top toggle"
            try:
                def above():
                    out = subprocess.run(["xprop", "-id", palette.window, "_NET_WM_STATE"], env=session.env,
                                         capture_output=True, text=True).stdout
                    return "_NET_WM_STATE_ABOVE" in out
                states = [above()]
                for _ in range(2):
                    palette.click(palette.find("常に手前に表示"))
                    wait_until(lambda: above() != states[-1], 30, "the above state to change")
                    states.append(above())
                found = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", TITLE], env=session.env,
                                       capture_output=True, text=True).stdout.split()
                if states != [True, False, True] or found != [palette.window]:
                    failures.append("%s: above states %r, windows %r (was %s)" % (label, states, found,
                                                                                 palette.window))
                    print("FAIL " + label, flush=True)
                else:
                    print("ok   " + label, flush=True)
            except Exception:
                failures.append(label + ": " + traceback.format_exc())

            # Closing saves page, position and width; the next start shows them again.
            label = "settings across a restart"
            try:
                x0, y0, w0, _ = palette.geometry()
                palette.find("終了(X)", "menu item").queryAction().doAction(0)
                palette.proc.wait(timeout=30)
                with open(os.path.join(folder, "Orvanel.ini"), encoding="utf-8") as f:
                    ini = f.read()
                if "ActivePage=TabLink" not in ini:
                    failures.append("%s: saved %r" % (label, ini))
                again = Palette(session, folder)
                x1, y1, w1, _ = again.geometry()
                current = [n.name for n in again.accessibles() if n.getRoleName() == "page tab list"]
                if (x1, y1, w1) != (x0, y0, w0) or current != ["ﾘﾝｸ・画像"]:
                    failures.append("%s: before %r, after %r %r" % (label, (x0, y0, w0), (x1, y1, w1), current))
                    print("FAIL " + label, flush=True)
                else:
                    print("ok   " + label, flush=True)
            except Exception:
                failures.append(label + ": " + traceback.format_exc())
        editor.close()


def main():
    shots = binary_dir()
    failures = []
    # One session for both editors: the test process joins its accessibility bus once.
    with Session() as session:
        start_accessibility(session)
        palette = Palette(session, program_folder(session, INI))
        for editor_name in ("mousepad", "featherpad"):
            try:
                run_editor(session, palette, editor_name, shots, failures)
            except Exception:
                failures.append(editor_name + ": " + traceback.format_exc())
    for f in failures:
        print("FAILED:", f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
