#!/usr/bin/env bash
# Starts ヌボラ from a build folder.
set -euo pipefail
build=${1:-build}
if [ -x "$build/app/nubora" ]; then
  exec "$build/app/nubora"
fi
echo "The engine is built ($build/engine/libtavoqrenc.so); the ヌボラ window is not part of the build yet."
