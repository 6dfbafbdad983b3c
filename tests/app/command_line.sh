#!/bin/bash
# The command-line face needs no display: an unknown verb or bad arguments give one line on
# standard error and status 2, and never a window.
set -u
bin=${ORVANEL_BIN:?}
fail=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

expect_usage_error() {
  env -u DISPLAY -u WAYLAND_DISPLAY "$bin" "$@" </dev/null >"$tmp/out" 2>"$tmp/err"
  local status=$?
  local lines
  lines=$(wc -l <"$tmp/err")
  if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || [ -s "$tmp/out" ]; then
    echo "FAIL: orvanel $*: status $status, $lines lines on stderr, stdout $(wc -c <"$tmp/out") bytes"
    cat "$tmp/err"
    fail=1
  fi
}

expect_usage_error no-such-verb
expect_usage_error no-such-verb --json
expect_usage_error tag
expect_usage_error compose
expect_usage_error links
grep -q 'no-such-verb' <(env -u DISPLAY "$bin" no-such-verb 2>&1) || { echo "FAIL: the message does not name the verb"; fail=1; }
[ $fail -eq 0 ] && echo PASS
exit $fail
