#!/usr/bin/env python3
"""Start-up to a shown palette, and idle memory, against a bare Qt window.

Usage: bench/startup/run.py [BUILD_DIR] [RUNS]
Builds the bare window with g++ and pkg-config, starts both programs RUNS times (default 15)
on a private Xvfb with openbox, and prints the median time from the start of the process
to its window being mapped, and the resident memory (VmRSS) one second later. Only figures
are printed; nothing is asserted."""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(os.path.dirname(here))
build = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(root, "build")
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15

tmp = tempfile.mkdtemp(prefix="orvanel-bench-")
procs = []
env = dict(os.environ)


def spawn(argv, **kw):
    kw.setdefault("stdout", subprocess.DEVNULL)
    kw.setdefault("stderr", subprocess.DEVNULL)
    p = subprocess.Popen(argv, env=env, start_new_session=True, **kw)
    procs.append(p)
    return p


def stop(p):
    if p.poll() is None:
        p.terminate()
        try:
            p.wait(3)
        except subprocess.TimeoutExpired:
            p.kill()
            p.wait()


def window_of(pid, title):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", title],
                         env=env, capture_output=True, text=True).stdout
    return out.split()


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def measure(argv, title):
    times, rss = [], []
    for _ in range(runs):
        start = time.monotonic()
        p = spawn(argv)
        while not window_of(p.pid, title):
            if p.poll() is not None:
                raise SystemExit("%s ended with %d" % (argv[0], p.returncode))
            if time.monotonic() - start > 30:
                raise SystemExit("%s showed no window" % argv[0])
            time.sleep(0.002)
        times.append((time.monotonic() - start) * 1000)
        time.sleep(1.0)
        rss.append(rss_kib(p.pid))
        stop(p)
        procs.remove(p)
    return statistics.median(times), statistics.median(rss)


try:
    bare = os.path.join(tmp, "bare_window")
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Widgets"], capture_output=True,
                           text=True, check=True).stdout.split()
    subprocess.run(["g++", "-O2", "-fPIC", "-std=c++17", os.path.join(here, "bare_window.cpp"), "-o", bare,
                    *flags], check=True)
    prog = os.path.join(tmp, "prog")
    os.mkdir(prog)
    shutil.copy2(os.path.join(build, "orvanel"), prog)
    for name in ("TagMList.lst", "TagBList.lst"):
        shutil.copy2(os.path.join(build, name), prog)
    runtime = os.path.join(tmp, "runtime")
    os.mkdir(runtime, 0o700)
    env.update(XDG_RUNTIME_DIR=runtime, HOME=tmp, QT_QPA_PLATFORM="xcb")
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)

    r, w = os.pipe()
    spawn(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24", "-nolisten", "tcp"], pass_fds=(w,))
    os.close(w)
    env["DISPLAY"] = ":" + os.fdopen(r).readline().strip()
    spawn(["openbox", "--sm-disable"])
    time.sleep(1.0)

    bare_ms, bare_rss = measure([bare], "^Bare Qt window$")
    pal_ms, pal_rss = measure([os.path.join(prog, "orvanel")], "^Orvanel Ver")
    print("start-up to a mapped window, median of %d runs:" % runs)
    print("  bare Qt window   %7.1f ms   idle RSS %6d KiB" % (bare_ms, bare_rss))
    print("  Orvanel palette  %7.1f ms   idle RSS %6d KiB" % (pal_ms, pal_rss))
    print("  ratio            %7.2f x    memory   %6.2f x" % (pal_ms / bare_ms, pal_rss / bare_rss))
finally:
    for p in reversed(procs):
        stop(p)
    shutil.rmtree(tmp, ignore_errors=True)
