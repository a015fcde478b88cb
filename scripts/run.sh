#!/usr/bin/env bash
# Starts ヌボラ from a build folder: scripts/run.sh [BUILD_DIR].
# ヌボラ is a desktop program: without a graphical session (no DISPLAY, no
# WAYLAND_DISPLAY and no Qt platform chosen) the program itself says so and
# how to see it anyway, and exits with 1.
set -euo pipefail
build=${1:-build}
exec "$build/app/nubora"
