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
echo "ヌボラ: connect a VNC viewer to localhost:$port (Ctrl+C here ends it)"
XDG_RUNTIME_DIR=$runtime exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  x11vnc -display "$DISPLAY" -auth "$XAUTHORITY" -localhost -rfbport "$1" -nopw -forever -shared -quiet \
    -bg -o "$2/x11vnc.log" >/dev/null
  "$3/app/nubora"
' vnc "$port" "$runtime" "$build"
