#!/usr/bin/env bash
# Photographs the main menu under Xvfb: docs/screenshots/take.sh [BUILD_DIR].
# Needs the Debian packages xvfb and xauth, and a build with the tests
# (for screen_grab). Without a window manager the window has no frame and its
# client area sits at the requested position (10, 10).
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 640x400x24" bash -c "
  '$build/app/nubora' &
  app=\$!
  sleep 3
  '$build/tests/app/screen_grab' '$here/main-menu.png' 10 10 500 350
  kill \$app
"
echo "wrote $here/main-menu.png"
