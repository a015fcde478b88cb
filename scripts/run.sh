#!/usr/bin/env bash
# Starts ヌボラ from a build folder: scripts/run.sh [BUILD_DIR].
# ヌボラ is a desktop program: without a graphical session (no DISPLAY, no
# WAYLAND_DISPLAY and no Qt platform chosen) it says so and how to see it
# anyway, instead of letting Qt abort.
set -euo pipefail
build=${1:-build}
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  cat >&2 <<'MSG'
ヌボラ needs a graphical session, and none was found (neither DISPLAY nor
WAYLAND_DISPLAY is set): start it from a desktop, or with ssh -X.
To see it anyway, run
    make run-vnc
which serves the window to a VNC viewer on this machine (localhost only).
MSG
  exit 1
fi
exec "$build/app/nubora"
