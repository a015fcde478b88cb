#!/usr/bin/env bash
# nubora without a graphical session: nubora FILE refuses in words, before Qt
# starts, with status 1; --version and --help answer all the same, with 0.
# Usage: no_display_test.sh PROGRAM VERSION
set -uo pipefail
run() { out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1); status=$?; }
fail() { echo "FAIL: $*, status $status; it said:"; echo "$out"; exit 1; }
run "$1" letter.fqr
[ "$status" -eq 1 ] && grep -q "needs a graphical session" <<<"$out" && grep -q "make run-vnc" <<<"$out" &&
  ! grep -qi "qt.qpa\|core dumped\|Aborted" <<<"$out" || fail "nubora FILE"
run "$1" --version
[ "$status" -eq 0 ] && [ "$out" = "nubora $2" ] || fail "--version"
run "$1" --help letter.fqr
[ "$status" -eq 0 ] && grep -q "^Usage: nubora \[FILE…\]" <<<"$out" && grep -q "^  --version" <<<"$out" || fail "--help"
exit 0
