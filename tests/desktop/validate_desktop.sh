#!/usr/bin/env bash
# The files that make ヌボラ a desktop program pass their validators, and an
# install puts each where the desktop looks for it.
#   validate_desktop.sh SOURCE_DIR BUILD_DIR CMAKE
set -euo pipefail
src=$1
build=$2
cmake=${3:-cmake}
id=jp.nubora.Nubora
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli xmllint groff; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

# desktop-file-validate prints errors, warnings and hints; any of them fails.
out=$(desktop-file-validate "$src/data/$id.desktop" 2>&1) || true
[ -z "$out" ] || fail "desktop-file-validate: $out"

appstreamcli validate --no-net "$src/data/$id.metainfo.xml" || fail "appstreamcli validate"

xmllint --noout "$src/data/$id.mime.xml" || fail "xmllint on the MIME types"

# The terminal device, as man uses it: the Japanese names have no glyphs in
# groff's PostScript fonts.
out=$(groff -man -Tutf8 -ww -z "$src/data/nubora.1" 2>&1) || true
[ -z "$out" ] || fail "groff: $out"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
share=$prefix/share

expect() {
  [ -s "$share/$1" ] || fail "not installed: share/$1"
}

# The width and height in a PNG's header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" $5*16777216 + $6*65536 + $7*256 + $8 }'
}

expect "applications/$id.desktop"
expect "metainfo/$id.metainfo.xml"
expect "mime/packages/$id.mime.xml"
expect "man/man1/nubora.1"
for size in 16 32 48 64 128 256 512; do
  icon=icons/hicolor/${size}x$size/apps/$id.png
  expect "$icon"
  if [ -s "$share/$icon" ] && [ "$(png_size "$share/$icon")" != "${size}x$size" ]; then
    fail "$icon is $(png_size "$share/$icon")"
  fi
done
svg=icons/hicolor/scalable/apps/$id.svg
expect "$svg"
if [ -s "$share/$svg" ]; then
  xmllint --noout "$share/$svg" || fail "$svg is not well-formed"
  # Paths only: a picture embedded in it would not scale.
  ! grep -q '<image' "$share/$svg" || fail "$svg holds a raster image"
fi

[ "$failures" -eq 0 ] || exit 1
echo "desktop files valid and installed"
