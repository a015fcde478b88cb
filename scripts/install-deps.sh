#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing ヌボラ need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config
  # make release-check: a packager's flags (dpkg-buildflags)
  dpkg-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev valgrind
  # independent QR peers: decoders and a reference encoder
  libzxing-dev libzbar-dev libqrencode-dev
  # a general-purpose encoder: the yardstick of the UTF-8 symbols' sizes, and
  # the MeCard and vCard codes the reading tests must understand
  python3-segno
  # the qrencode tool: the MATMSG and mailto: codes of the reading tests, and
  # beside nubora-qr in the batch benchmark
  qrencode
  # the PNG and PDF symbol files (zlib); their tests rasterise the SVG and PDF files
  zlib1g-dev librsvg2-bin poppler-utils
  # codes read back from pictures: PNG, JPEG, BMP, GIF (gdk-pixbuf) and a PDF's first page (poppler)
  libgdk-pixbuf-2.0-dev libpoppler-cpp-dev
  # the sheets of labels: the glabels template files, read with libxml2
  glabels-data libxml2-dev
  # the PDF files: drawn with cairo (its static archive), text set by pango in the embedded UI font
  libcairo2-dev libpango1.0-dev
  # the codes' paths put on the PDF pages (qpdf)
  libqpdf-dev
  # the house style (make format-check)
  clang-format
  # fuzzing (libFuzzer ships with clang's runtime)
  clang libclang-rt-14-dev
  # the GUI: Qt 6 Widgets, Japanese standard dialogs, the dialog font; a
  # virtual display for make run-vnc (and its test) and the screenshot scripts
  qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic xvfb xauth
  # the scalable icon (QSvgGenerator)
  qt6-svg-dev
  # the desktop files' validators: entry, AppStream metainfo, MIME types, manual page
  desktop-file-utils appstream libxml2-utils groff
  # make run-vnc: the window served on localhost from a virtual display
  x11vnc
  # docs/screenshots/take.sh: pointer and keys for the program under Xvfb
  xdotool
  # docs/screenshots/take-read-region.sh only: a window manager, and a viewer
  # that puts a code on the screen
  openbox feh
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  sudo=(sudo -n)
else
  echo "ヌボラ needs these Debian packages; please install them as root:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
