#!/bin/bash
# "orvanel compose": an attribute panel composed without a window, its controls set by name.
set -u
bin=${ORVANEL_BIN:?}
fail=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

run() {
  env -u DISPLAY -u WAYLAND_DISPLAY "$bin" compose "$@" </dev/null >"$tmp/out" 2>"$tmp/err"
  status=$?
}

# The letter case follows the user's TagFace setting, so compare without regard to case.
expect_output() {
  local want=$1
  shift
  run "$@"
  if [ "$status" -ne 0 ] || [ -s "$tmp/err" ] || ! [ "$(tr 'a-z' 'A-Z' <"$tmp/out")" = "$(tr 'a-z' 'A-Z' <<<"$want")" ]; then
    echo "FAIL: orvanel compose $*: status $status"
    echo "  want: $want"
    echo "  got:  $(cat "$tmp/out")"
    cat "$tmp/err"
    fail=1
  fi
}

expect_bad() {
  run "$@"
  if [ "$status" -ne 2 ] || [ "$(wc -l <"$tmp/err")" -ne 1 ] || [ -s "$tmp/out" ]; then
    echo "FAIL: orvanel compose $*: status $status, stderr: $(cat "$tmp/err")"
    fail=1
  fi
}

expect_output '<A HREF="a.html">%SEL%</A>' LINK_HREF OpVal1LINK_HREF_HREF=a.html
expect_output '<A HREF="a.html" TARGET="_blank">%SEL%</A>' \
  LINK_HREF OpVal1LINK_HREF_HREF=a.html OpTagLINK_HREF_TARGET=1 'OpVal1LINK_HREF_TARGET=_blank : 新ウィンドウ'
expect_bad
expect_bad NO_SUCH_PANEL
expect_bad LINK_HREF OpVal1NO_SUCH_CONTROL=1
expect_bad LINK_HREF OpTagLINK_HREF_TARGET=maybe
grep -q 'NO_SUCH_PANEL' <(env -u DISPLAY "$bin" compose NO_SUCH_PANEL 2>&1) || { echo "FAIL: the message does not name the panel"; fail=1; }

[ $fail -eq 0 ] && echo PASS
exit $fail
