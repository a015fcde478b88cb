#!/usr/bin/env bash
# Photographs ヌボラ under Xvfb: docs/screenshots/take.sh [BUILD_DIR].
# The main menu; each input screen in manual mode with a 16-way split (the
# summary and the gauge shown); the TEL, navi and one-seg link dialogs of the
# free-text screen; the settings dialog; the code view of a 4-way split of an
# address-book entry with its read-back line and advice; the same entry in the
# standard form with characters that Shift_JIS lacks, and its UTF-8 code. The program is driven as a user drives it, with the
# pointer and the keyboard (xdotool).
# Needs the Debian packages xvfb, xauth and xdotool, and a build with the
# tests (for screen_grab). Without a window manager windows have no frame and
# a screen's client area sits at the requested position (10, 10).
set -euo pipefail
. "$(dirname "$0")/in-xvfb.sh" 800x640 "${1:-build}"

# Inside the virtual display from here on.
grab() { "$build/tests/app/screen_grab" "$here/$1" "$2" "$3" "$4" "$5"; echo "wrote $here/$1"; }
# Clicks at client pixel (x, y) of a window whose client area is at (10, 10).
click() { xdotool mousemove $((10 + $1)) $((10 + $2)) click 1; sleep 0.5; }
# Photographs the window titled $2 (shown modally above a screen) as $1.
grab_window() {
  local id
  id=$(xdotool search --sync --onlyvisible --name "^$2\$" | head -n 1)
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$id")"
  grab "$1" "$X" "$Y" "$WIDTH" "$HEIGHT"
}

"$build/app/nubora" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
sleep 3
grab main-menu.png 10 10 500 350

# The sheet dialog (Ctrl+B on the menu) with a small address list on
# business cards, chosen in the file dialog by typing its path.
csv="$XDG_RUNTIME_DIR/cards.csv"  # removed with the runtime folder
cat > "$csv" <<'CSV'
name,reading,tel1,mail1,address
山田 太郎,ﾔﾏﾀﾞ ﾀﾛｳ,03-1234-5678,taro@example.jp,東京都千代田区丸の内1-1
佐藤 花子,ｻﾄｳ ﾊﾅｺ,06-2345-6789,hanako@example.jp,大阪府大阪市北区梅田2-2
鈴木 一郎,ｽｽﾞｷ ｲﾁﾛｳ,052-345-6789,ichiro@example.jp,愛知県名古屋市中区栄3-3
高橋 美咲,ﾀｶﾊｼ ﾐｻｷ,011-456-7890,misaki@example.jp,北海道札幌市中央区4-4
CSV
xdotool key ctrl+b
xdotool search --sync --onlyvisible --name '^CSVから一括作成$' >/dev/null
sleep 1
xdotool key space                              # 参照...
sleep 1.5
xdotool type --delay 20 "$csv"
xdotool key Return
sleep 2
grab_window sheet-dialog.png 'CSVから一括作成'
xdotool key Escape
sleep 0.5
rm -f "$csv"

# Opens the input screen of the menu button at client x $1, sets manual mode
# with a 16-way split in the settings dialog and photographs the screen as $2.
screen_in_manual_mode() {
  click "$1" 170
  click 562 465                                # 設定
  xdotool search --sync --onlyvisible --name '^設定$' >/dev/null
  sleep 0.5
  local settings
  settings=$(xdotool search --onlyvisible --name '^設定$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$settings")"
  xdotool mousemove $((X + 60)) $((Y + 62)) click 1   # 任意調整
  for _ in $(seq 15); do
    xdotool mousemove $((X + 262)) $((Y + 229)) click 1   # the split spinner's up arrow
  done
  sleep 0.3
  xdotool key Return                           # OK
  sleep 1
  grab "$2" 10 10 600 600
}

screen_in_manual_mode 75 address-book-manual.png
click 492 542                                  # メインへ (the form is empty: no question)
screen_in_manual_mode 210 mail-manual.png
click 492 542
screen_in_manual_mode 345 free-text-manual.png

# The link dialogs. The one-seg button is hidden, but like every button it
# takes the focus under the pointer and Enter activates it.
click 51 151                                   # ＴＥＬリンク
grab_window tel-link.png 'TELリンク'
xdotool key Escape
sleep 0.5
click 51 181                                   # ナビリンク
grab_window navi-link.png 'ナビリンク'
xdotool key Escape
sleep 0.5
click 300 30                                   # the title band: the screen takes the keys again
xdotool mousemove $((10 + 51)) $((10 + 211))
sleep 0.3
xdotool key Return
grab_window one-seg-link.png 'ワンセグリンク'
xdotool key Escape
sleep 0.5

# An address-book entry whose name holds 髙, split in four in automatic mode:
# the code view with the read-back line and its advice.
click 492 542                                  # メインへ (the text is empty: no question)
click 75 170                                   # アドレス帳
click 250 103                                  # 名前
xdotool type --delay 100 '山田髙志'
sleep 0.5
click 562 465                                  # 設定
settings=$(xdotool search --sync --onlyvisible --name '^設定$' | head -n 1)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$settings")"
for _ in $(seq 3); do
  xdotool mousemove $((X + 262)) $((Y + 229)) click 1   # the split spinner's up arrow
done
sleep 0.3
grab_window settings.png '設定'
xdotool key Return                             # OK
sleep 1
click 112 542                                  # QRコード作成
sleep 2
grab code-view-split.png 10 10 600 600

# The same entry in the standard form, with characters that Shift_JIS lacks
# typed in: the screen with its 形式 line, then the UTF-8 code it makes.
click 365 542                                  # 戻る
click 562 465                                  # 設定
settings=$(xdotool search --sync --onlyvisible --name '^設定$' | head -n 1)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$settings")"
xdotool mousemove $((X + 215)) $((Y + 29)) click 1   # 形式
sleep 0.5
xdotool key Down Return                        # 標準形式
sleep 0.3
xdotool key Return                             # OK
sleep 1
saki=$(printf '\xef\xa8\x91')                   # U+FA11, as bytes so that no editor normalises it
click 300 335                                  # 住所
xdotool type --delay 100 'Café µ Zürich 😀'
click 300 374                                  # メモ
xdotool type --delay 100 "${saki}①㈱ José"
sleep 0.5
grab address-book-standard.png 10 10 600 600
click 112 542                                  # QRコード作成
sleep 2
grab code-view-standard.png 10 10 600 600
