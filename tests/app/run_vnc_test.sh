#!/usr/bin/env bash
# make run-vnc: x11vnc serves on localhost only and asks for the one-time
# password the script prints, read from a file that only the user could read
# and never given among its arguments. A stand-in x11vnc records what it got.
# Usage: run_vnc_test.sh RUN_VNC_SCRIPT
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/build/app"
printf '#!/bin/sh\nexit 0\n' >"$work/build/app/nubora"
cat >"$work/bin/x11vnc" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >"$LOG/args"
file=$(sed -n 's/.*-passwdfile rm:\([^ ]*\).*/\1/p' <"$LOG/args")
stat -c %a "$file" >"$LOG/mode" && head -n 1 "$file" >"$LOG/password"
FAKE
chmod +x "$work/bin/x11vnc" "$work/build/app/nubora"
out=$(LOG=$work PATH="$work/bin:$PATH" "$1" "$work/build" 5999 2>&1)
password=$(sed -n 's/.*password for this session: //p' <<<"$out")
fail() { echo "FAIL: $*; it said:"; echo "$out"; cat "$work/args"; exit 1; }
[ ${#password} -eq 8 ] && [ "$(cat "$work/password")" = "$password" ] || fail "x11vnc was not given the password"
[ "$(cat "$work/mode")" = 600 ] || fail "others could read the password"
grep -q -- "-localhost -rfbport 5999" "$work/args" || fail "not on localhost only"
! grep -q -- "-nopw\|$password" "$work/args" || fail "no password asked, or the password among the arguments"
