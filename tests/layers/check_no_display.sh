#!/usr/bin/env bash
# A program that must run on a server loads neither Qt nor any library of a
# display (X, Wayland, OpenGL, D-Bus): fails, naming them, if ldd lists one.
# Usage: check_no_display.sh PROGRAM
set -uo pipefail
libraries=$(ldd "$1") || { echo "ldd cannot read $1"; exit 1; }
found=$(grep -E 'lib(Qt[0-9]|X11|xcb|wayland|EGL|GL|OpenGL|xkbcommon|dbus)' <<<"$libraries")
if [ -n "$found" ]; then
  echo "$1 loads libraries of a desktop:"
  echo "$found"
  exit 1
fi
