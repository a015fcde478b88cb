#!/usr/bin/env bash
# make run on a machine without a graphical session: run.sh says what is
# missing and how to see the program anyway, and fails without starting it.
# Usage: run_script_test.sh RUN_SCRIPT BUILD_DIR
set -uo pipefail
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" "$2" 2>&1 >/dev/null)
status=$?
fail() { echo "FAIL: $*"; echo "--- what it said:"; echo "$err"; exit 1; }
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
grep -q "needs a graphical session" <<<"$err" || fail "no word of the missing session"
grep -q "make run-vnc" <<<"$err" || fail "no way to see it anyway"
grep -qi "qt.qpa\|core dumped\|Aborted" <<<"$err" && fail "Qt was started"
exit 0
