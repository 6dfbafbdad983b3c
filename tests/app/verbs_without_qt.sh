#!/bin/bash
# A verb loads neither Qt nor X11 (on Linux the windows are a module of their own): the
# dynamic loader's log of the files it opens names neither.
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
printf '<a href="b.html">b</a>' >"$tmp/a.html" && : >"$tmp/b.html"
LD_DEBUG=files "${ORVANEL_BIN:?}" links "$tmp/a.html" >/dev/null 2>"$tmp/log"
grep -q 'file=libc\.so' "$tmp/log" || { echo "FAIL: no log of the dynamic loader"; exit 1; }
! grep -E 'file=lib(Qt6|X11|xcb)' "$tmp/log" || { echo "FAIL: a verb loads Qt or X11"; exit 1; }
