#!/usr/bin/python3
"""Start-up time and idle memory of the palette against a bare Qt window, on Xvfb with
openbox. Prints the figures; asserts nothing.

  ORVANEL_BIN=build/orvanel ORVANEL_SOURCE_DIR=. python3 bench/palette_startup.py [runs]

Start-up: from the start of the process until its window is mapped and visible (polled
with xdotool every few milliseconds, the same way for both programs). Memory: resident
set (VmRSS) and proportional set (Pss) one second after the window showed.
The bare window is a QWidget with a title, built here with g++ against Qt 6 Widgets."""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from e2e_support import XDOTOOL, Session  # noqa: E402
from palette_support import program_folder  # noqa: E402

BARE = r"""
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle("Bare Qt window");
    w.setGeometry(180, 180, 535, 131);
#ifdef WITH_JAPANESE_LABEL
    // The palette cannot show itself without its Japanese font; this baseline pays that too,
    // with the palette's choice of face.
    QFont font;
    font.setFamilies({QString::fromUtf8("\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af"), "MS PGothic", "IPAPGothic",
                      "Noto Sans CJK JP"});
    font.setPointSize(9);
    w.setFont(font);
    QLabel label(QString::fromUtf8("\u30bf\u30fc\u30b2\u30c3\u30c8"), &w);
#endif
    w.show();
    return app.exec();
}
"""


def build_bare(folder, name, defines=()):
    src = os.path.join(folder, "bare.cpp")
    exe = os.path.join(folder, name)
    with open(src, "w") as f:
        f.write(BARE)
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Widgets"], capture_output=True, text=True,
                           check=True).stdout.split()
    subprocess.run(["g++", "-O2", "-fPIC", "-std=c++17", *["-D" + d for d in defines], src, "-o", exe] + flags,
                   check=True)
    return exe


def memory(pid):
    values = {}
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                values["rss"] = int(line.split()[1])
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            for line in f:
                if line.startswith("Pss:"):
                    values["pss"] = int(line.split()[1])
    except OSError:
        values["pss"] = 0
    return values


def measure(session, argv, title, cwd):
    start = time.monotonic()
    proc = subprocess.Popen(argv, env=session.env, cwd=cwd, start_new_session=True, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    session.procs.append(proc)
    while True:
        r = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", title], env=session.env,
                           capture_output=True, text=True)
        if r.stdout.strip():
            break
        if proc.poll() is not None or time.monotonic() - start > 20:
            raise RuntimeError("%s showed no window" % argv[0])
        time.sleep(0.003)
    shown = time.monotonic() - start
    time.sleep(1.0)
    mem = memory(proc.pid)
    session.stop(proc)
    session.procs.remove(proc)
    return shown, mem


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    with Session() as session, tempfile.TemporaryDirectory() as tmp:
        bare = build_bare(tmp, "bare")
        bare_jp = build_bare(tmp, "bare_jp", ["WITH_JAPANESE_LABEL"])
        folder = program_folder(session, "[PrjMngr]\nPrjMngr=0\n")
        results = {"bare Qt window": [], "bare + Japanese": [], "palette": []}
        for _ in range(runs):
            results["bare Qt window"].append(measure(session, [bare], "Bare Qt window", tmp))
            results["bare + Japanese"].append(measure(session, [bare_jp], "Bare Qt window", tmp))
            results["palette"].append(measure(session, [os.path.join(folder, "orvanel")], "Orvanel Ver.1.30",
                                              folder))
        medians = {}
        for name, rows in results.items():
            t = statistics.median(r[0] for r in rows) * 1000
            rss = statistics.median(r[1]["rss"] for r in rows) / 1024
            pss = statistics.median(r[1]["pss"] for r in rows) / 1024
            medians[name] = (t, rss, pss)
            print("%-16s start-up median %6.1f ms (min %6.1f, max %6.1f)   idle RSS %5.1f MiB   PSS %5.1f MiB"
                  % (name, t, min(r[0] for r in rows) * 1000, max(r[0] for r in rows) * 1000, rss, pss))
        p = medians["palette"]
        for base in ("bare Qt window", "bare + Japanese"):
            b = medians[base]
            print("palette / %s: start-up %.2fx (goal 1.5x), RSS %.2fx, PSS %.2fx (goal 1.5x)   %d runs each"
                  % (base, p[0] / b[0], p[1] / b[1], p[2] / b[2], runs))


if __name__ == "__main__":
    main()
