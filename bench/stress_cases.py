"""The faults of a stress run against real editors, each repeated through the insertion
driver, which does what a click on a tag button does: another program taking the clipboard
every 5 ms, the editor killed 0 to 20 ms after the click with a second editor below it, an
editor stopped for 300 ms in the middle of an insertion, Alt held, an empty template. Every
repetition checks that no text of the user is lost or typed into another window and times the
insertion. Then the palette itself survives ten insertions whose editor was killed and still
closes when its window is closed.

Each row counts the repetitions that were exact, those that stopped with their message and
left the editor as it was, those where the user was told that another program's text may
have been pasted (it can take the clipboard between our paste keys and the editor's request
for the text, which no client can prevent; the palette sees it and says so), and the unsound
ones: text lost or typed into another window without a word.

run(repetitions) returns the rows of the table; bench/stress_insert prints it for 20."""

import os
import random
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from e2e_support import Driver, Editor, Session  # noqa: E402

EDITORS = ("mousepad", "featherpad")
METHODS = (0, 1)
BOLD = "<B>%SEL%</B>"
# What the editor may hold after a repetition that typed "|" where the caret stood: the
# tag around the selection, or, when the insertion stopped, the selection still selected.
EXACT = "hello <B>world|</B>"
STOPPED = "hello |"
# An editor stopped with the copy keys queued can show its copy only after the paste keys have
# gone out: it then pastes its own copy of the selection back, and the insertion stops with
# NO_ANSWER. The text is as it was; only the selection is gone.
PASTED_BACK = "hello world|"
NO_ANSWER = "ターゲットウィンドウが応答しないため、選択範囲を取得できませんでした。"
# Another program taking the clipboard between our paste keys and the editor's request for the
# text can make the editor paste that program's text; the insertion then ends with this message.
FOREIGN_PASTE = "ほかのプログラムがクリップボードを使ったため、正しく貼り付けられなかった可能性があります。"
FETCH_MESSAGES = ("ほかのプログラムがクリップボードを使ったため、選択範囲を取得できませんでした。",
                  "ほかのプログラムがクリップボードを使ったため、正しく貼り付けられなかった可能性があります。",
                  "ターゲットウィンドウから選択範囲を取得できませんでした。",
                  "クリップボードを開くことができません",
                  NO_ANSWER)


class Row:
    def __init__(self, case, editor, method):
        self.case, self.editor, self.method = case, editor, method
        self.runs = self.exact = self.stopped = self.told = self.unsound = 0
        self.times = []
        self.notes = []

    def add(self, sound, exact, ms, note=None, told=False):
        self.runs += 1
        self.exact += bool(sound and exact)
        self.stopped += bool(sound and not exact)
        self.told += bool(told)
        self.unsound += not sound and not told
        if ms is not None:
            self.times.append(ms)
        if note and not sound and not told:
            self.notes.append(note)

    def cells(self):
        median = statistics.median(self.times) if self.times else 0.0
        worst = max(self.times) if self.times else 0.0
        return (self.case, self.editor, self.method, self.runs, self.exact, self.stopped, self.told, self.unsound,
                median, worst)


def reset(session, editor):
    """"hello world" with "world" selected, the editor active."""
    session.xdotool("windowactivate", "--sync", editor.window)
    session.keys("ctrl+a")
    session.type("hello world")
    session.keys(*(["shift+Left"] * 5))


def timed_insert(driver, template):
    start = time.monotonic()
    reply = driver.ask("insert " + template)
    return reply, (time.monotonic() - start) * 1000.0


def check_typed(session, editor, reply):
    """Types "|" where the caret stands; says whether the result is sound and exact, and
    whether the user was told of a paste another program may have taken over."""
    session.type("|")
    text = editor.saved_text()
    if reply.startswith("done ") and text == EXACT:
        return True, True, None, False
    if reply.startswith("error ") and reply[6:] in FETCH_MESSAGES and text == STOPPED:
        return True, False, None, False
    if reply == "error " + NO_ANSWER and text == PASTED_BACK:
        return True, False, None, False
    told = reply == "error " + FOREIGN_PASTE and "intruder" in text
    return False, False, "%r -> %r" % (reply, text), told


def each_repetition(session, name, repetitions, insert_once):
    """insert_once(editor) for each repetition, with "world" selected anew in one editor that
    holds "hello world" and is closed at the end."""
    editor = Editor(session, name, "hello world")
    try:
        for _ in range(repetitions):
            reset(session, editor)
            insert_once(editor)
    finally:
        editor.close()


def clipboard_taken(session, driver, name, method, repetitions):
    row = Row("clipboard taken every 5 ms", name, method)
    hog = Driver(session)
    hog.ask("hog 5")

    def once(editor):
        reply, ms = timed_insert(driver, BOLD)
        sound, exact, note, told = check_typed(session, editor, reply)
        row.add(sound, exact, ms, note, told)
    try:
        each_repetition(session, name, repetitions, once)
    finally:
        hog.ask("hog 0")
    return [row]


def slow_editor(session, driver, name, method, repetitions):
    """Stopped for 300 ms in the middle of the insertion, then nothing-selected insertions,
    which must not stay slow after that one slow answer."""
    row = Row("editor stopped 300 ms", name, method)
    after = Row("  then nothing selected", name, method)

    def once(editor):
        os.kill(editor.proc.pid, signal.SIGSTOP)
        timer = subprocess.Popen(["/bin/sh", "-c", "sleep 0.3; kill -CONT %d" % editor.proc.pid])
        reply, ms = timed_insert(driver, BOLD)
        timer.wait()
        sound, exact, note, _ = check_typed(session, editor, reply)
        row.add(sound, exact, ms, note)
        # Nothing selected now: quick again.
        session.keys("End")
        reply, ms = timed_insert(driver, "<I>%SEL%</I>")
        after.add(reply.startswith("done "), True, ms, reply)
    each_repetition(session, name, repetitions, once)
    return [row, after]


def alt_held(session, driver, name, method, repetitions):
    row = Row("Alt held", name, method)

    def once(editor):
        session.xdotool("keydown", "alt")
        try:
            reply, ms = timed_insert(driver, BOLD)
        finally:
            session.xdotool("keyup", "alt")
        sound, exact, note, _ = check_typed(session, editor, reply)
        row.add(sound, exact, ms, note)
    each_repetition(session, name, repetitions, once)
    return [row]


def empty_template(session, driver, name, method, repetitions):
    row = Row("empty template", name, method)

    def once(editor):
        reply, ms = timed_insert(driver, "")
        session.type("|")
        text = editor.saved_text()
        sound = reply.startswith("done ") and text == STOPPED
        row.add(sound, sound, ms, "%r -> %r" % (reply, text))
    each_repetition(session, name, repetitions, once)
    return [row]


def bystander_kept(text):
    """Whether the editor below holds only its own text: the "!" typed after each kill, line
    breaks an editor adds on saving, and whole tags inserted around nothing (a click that came
    when the editor on top had already gone makes the one below the target) may have come in;
    nothing of the killed editor's text, no part of a tag."""
    rest = text.replace("!", "").replace("\n", "")
    while "<B></B>" in rest: # one may have gone between the tags of an earlier one
        rest = rest.replace("<B></B>", "")
    return rest == "bystander keep"


def killed(session, driver, name, method, repetitions):
    """A second editor below; the one on top killed 0 to 20 ms after the click."""
    row = Row("editor killed 0-20 ms after the click", name, method)
    bystander = Editor(session, name, "bystander keep")
    try:
        for _ in range(repetitions):
            target = Editor(session, name, "hello world")
            reset(session, target)
            delay = random.uniform(0.0, 0.02)
            killer = subprocess.Popen(["/bin/sh", "-c", "sleep %.4f; kill -KILL %d" % (delay, target.proc.pid)])
            reply, ms = timed_insert(driver, BOLD)
            killer.wait()
            target.proc.wait()
            session.xdotool("windowactivate", "--sync", bystander.window)
            session.keys("ctrl+End")
            session.type("!")
            text = bystander.saved_text()
            sound = bystander_kept(text) and (reply.startswith("done ") or reply.startswith("error "))
            row.add(sound, sound, ms, "%r -> bystander %r" % (reply, text))
            target.close()
    finally:
        bystander.close()
    return [row]


CASES = [clipboard_taken, killed, slow_editor, alt_held, empty_template]


def palette_survives_kills(kills, methods):
    """The real palette: its bold button clicked with a real pointer press, the editor on top
    killed 0 to 20 ms after each click, a second editor below it; afterwards the palette still
    closes when the user closes it, and the editor below holds its own text only. One session
    for every method: the test process joins its accessibility bus once."""
    from palette_support import Palette, program_folder, start_accessibility
    rows = []
    with Session() as session:
        start_accessibility(session)
        bystander = Editor(session, "featherpad", "bystander keep")
        try:
            for method in methods:
                row = Row("palette: editor killed, then closed", "featherpad", method)
                ini = ("[Window]\nLeft=60\nTop=40\nActivePage=TabMoji\n[Option]\nInsertMethod=%d\n"
                       "StayOnTop=1\n[PrjMngr]\nPrjMngr=0\n" % method)
                palette = Palette(session, program_folder(session, ini))
                x, y = palette.centre(palette.find("太字 <B>", "push button"), dx=13)
                for _ in range(kills):
                    target = Editor(session, "featherpad", "hello world")
                    reset(session, target)
                    session.xdotool("mousemove", str(x), str(y))
                    # The click is with the server before the kill is timed: an editor gone
                    # before the click leaves the bystander as the window below, rightly the target.
                    session.xdotool("click", "1")
                    killer = subprocess.Popen(["/bin/sh", "-c", "sleep %.4f; kill -KILL %d" % (
                        random.uniform(0.0, 0.02), target.proc.pid)])
                    killer.wait()
                    target.proc.wait()
                    target.close()
                session.xdotool("windowactivate", "--sync", bystander.window)
                session.keys("ctrl+End")
                session.type("!")
                text = bystander.saved_text()
                # Closed from its menu (終了), as the user closes it: it must end.
                start = time.monotonic()
                palette.find("終了(X)", "menu item").queryAction().doAction(0)
                try:
                    palette.proc.wait(timeout=10)
                    closed = True
                except subprocess.TimeoutExpired:
                    closed = False
                    session.stop(palette.proc)
                ms = (time.monotonic() - start) * 1000.0
                sound = closed and bystander_kept(text)
                row.add(sound, sound, ms, "closed %r, bystander %r" % (closed, text))
                rows.append(row)
        finally:
            bystander.close()
    return rows


def run(repetitions, kills=10, editors=EDITORS, methods=METHODS, report=print):
    rows = []
    with Session() as session:
        driver = Driver(session)
        for name in editors:
            Editor(session, name, "warm-up").close()
            for method in methods:
                driver.set_method(method)
                for case in CASES:
                    for row in case(session, driver, name, method, repetitions):
                        rows.append(row)
                        report(format_row(row))
    for row in palette_survives_kills(kills, methods):
        rows.append(row)
        report(format_row(row))
    return rows


HEADER = "%-40s %-11s %6s %5s %6s %8s %6s %8s %10s %9s" % (
    "case", "editor", "method", "runs", "exact", "stopped", "told", "unsound", "median ms", "max ms")


def format_row(row):
    return "%-40s %-11s %6d %5d %6d %8d %6d %8d %10.1f %9.1f" % row.cells()
