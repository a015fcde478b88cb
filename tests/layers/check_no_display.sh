#!/usr/bin/env bash
# A program that must run on a server, and the modules it opens, load neither
# Qt nor any library of a display (X, Wayland, OpenGL, D-Bus): fails, naming
# them, if ldd lists one for any of the files given.
# Usage: check_no_display.sh PROGRAM [MODULE...]
set -uo pipefail
status=0
for file in "$@"; do
  libraries=$(ldd "$file") || { echo "ldd cannot read $file"; exit 1; }
  found=$(grep -E 'lib(Qt[0-9]|X11|xcb|wayland|EGL|GL|OpenGL|xkbcommon|dbus)' <<<"$libraries")
  if [ -n "$found" ]; then
    echo "$file loads libraries of a desktop:"
    echo "$found"
    status=1
  fi
done
exit $status
