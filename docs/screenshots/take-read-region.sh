#!/usr/bin/env bash
# Photographs a code read from an area of the screen under Xvfb with a window
# manager: docs/screenshots/take-read-region.sh [BUILD_DIR]. nubora-qr makes a
# mail code, feh shows it at the right of the screen, and ヌボラ's right-click
# menu item 画面から読み込む... hides the menu, shows the whole screen dimmed,
# and a drag with the pointer (xdotool) picks the code out of the picture; the
# overlay is photographed halfway through the drag as read-region.png, then
# the mail screen that the code opens is checked for the address.
# Needs the Debian packages xvfb, xauth, xdotool, openbox and feh, and a build
# with the tests (for screen_grab).
set -euo pipefail
. "$(dirname "$0")/in-xvfb.sh" 1024x700 "${1:-build}"

# Inside the virtual display from here on.
code="$XDG_RUNTIME_DIR/mail.png"
"$build/cli/nubora-qr" -o "$code" --cell 0.6 "mailto:hanako@example.jp?subject=%E4%BC%9A%E8%AD%B0"
openbox &
wm=$!
feh --geometry +640+120 --title code "$code" &
viewer=$!
"$build/app/nubora" &
app=$!
trap 'kill $app $viewer $wm 2>/dev/null || true' EXIT
sleep 3
menu=$(xdotool search --sync --onlyvisible --name '^ヌボラ$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$menu")"
# The right-click menu: its second item reads from the screen.
xdotool mousemove $((X + 450)) $((Y + 40)) click 3
sleep 1
xdotool key Down Down Return
sleep 1.5
# The code lies in feh's window: drag around it.
eval "$(xdotool search --sync --onlyvisible --name '^code$' getwindowgeometry --shell)"
xdotool mousemove $((X - 20)) $((Y - 20)) mousedown 1
sleep 0.3
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.3
xdotool mousemove $((X + WIDTH * 3 / 4)) $((Y + HEIGHT * 3 / 4))
sleep 0.5
"$build/tests/app/screen_grab" "$here/read-region.png" 0 0 1024 700
echo "wrote $here/read-region.png"
xdotool mousemove $((X + WIDTH + 20)) $((Y + HEIGHT + 20)) mouseup 1
sleep 2
if ! xdotool search --onlyvisible --name '^Eメール用コード入力画面$' >/dev/null; then
  echo "the code picked from the screen did not open the mail screen" >&2
  exit 1
fi
echo "the mail screen is open"
