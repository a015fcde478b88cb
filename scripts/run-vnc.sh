#!/usr/bin/env bash
# Serves ヌボラ's window to a VNC viewer on this machine, for a machine
# without a graphical session: scripts/run-vnc.sh [BUILD_DIR] [PORT].
# The program runs on a virtual X display (Xvfb); x11vnc serves it on the
# loopback interface only, so nothing is reachable from the network (from
# another machine, use an SSH tunnel: ssh -L PORT:localhost:PORT).
set -euo pipefail
build=${1:-build}
port=${2:-${NUBORA_VNC_PORT:-5900}}
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
# Every user of this machine reaches localhost too: a one-time password keeps
# them from watching and typing. It goes to x11vnc in a file only this user
# can read, never among its arguments, which ps shows to everyone, and x11vnc
# removes the file once it has read it. VNC passwords are 8 characters.
password=$(head -c 6 /dev/urandom | base64 | tr '+/' 'XY')
(
  umask 077
  printf '%s\n' "$password" >"$runtime/vnc-password"
)
cat <<MSG
ヌボラ: connect a VNC viewer to localhost:$port
        password for this session: $password
        (Ctrl+C here ends it)
MSG
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  x11vnc -display "$DISPLAY" -auth "$XAUTHORITY" -localhost -rfbport "$1" -passwdfile "rm:$2/vnc-password" \
    -forever -shared -quiet -bg -o "$2/x11vnc.log" >/dev/null
  "$3/app/nubora"
' vnc "$port" "$runtime" "$build"
