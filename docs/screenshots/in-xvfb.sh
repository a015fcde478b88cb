# Sourced by the screenshot scripts as `. in-xvfb.sh SIZE [BUILD_DIR]`: sets
# `build` (the build folder, ./build by default) and `here` (this folder), and
# runs the calling script again inside a virtual display of SIZE (such as
# 800x640) with a runtime folder of its own, removed afterwards, then exits;
# inside the display it returns and the script goes on.
build=$(cd "${2:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
if [ "${NUBORA_TAKE_INSIDE:-}" != 1 ]; then
  runtime=$(mktemp -d)
  trap 'rm -rf "$runtime"' EXIT
  XDG_RUNTIME_DIR=$runtime NUBORA_TAKE_INSIDE=1 xvfb-run -a -s "-screen 0 ${1}x24" "$0" "$build"
  exit
fi
