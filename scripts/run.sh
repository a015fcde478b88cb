#!/usr/bin/env bash
# Starts ヌボラ from a build folder.
set -euo pipefail
build=${1:-build}
exec "$build/app/nubora"
