#!/usr/bin/env bash
# Photographs a code read back from a picture under Xvfb:
# docs/screenshots/take-read-code.sh [BUILD_DIR]. nubora-qr makes a contact
# card as a PNG; `nubora card.png` opens it in the address-book screen, filled
# in, and the screen is photographed as read-code.png. Needs xvfb, xauth and
# xdotool and a build with the tests (for screen_grab).
set -euo pipefail
. "$(dirname "$0")/in-xvfb.sh" 800x640 "${1:-build}"

card="$XDG_RUNTIME_DIR/card.png"
"$build/cli/nubora-qr" -o "$card" "$(printf '%s\r\n' 'BEGIN:VCARD' 'VERSION:3.0' 'N:山田;太郎;;;' \
  'FN:山田 太郎' 'SOUND:ヤマダ タロウ' 'TEL:03-1234-5678' 'TEL:090-1111-2222' 'TEL:06-9876-5432' \
  'EMAIL:taro@example.jp' 'ADR:;;千代田区1-1;東京都;;;' 'ORG:ヌボラ商事' 'URL:https://example.jp/' \
  'NOTE:年賀状リスト' 'END:VCARD')"
"$build/app/nubora" "$card" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
sleep 4
# The third number and the organisation went into the memo, now past its
# limit: the message says so; Enter closes it.
xdotool key Return
sleep 1
"$build/tests/app/screen_grab" "$here/read-code.png" 10 10 600 600
echo "wrote $here/read-code.png"
