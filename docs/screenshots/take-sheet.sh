#!/usr/bin/env bash
# Renders the first sheet of business cards that nubora-qr makes from a small
# address list, as a viewer shows it (the cut lines on):
# docs/screenshots/take-sheet.sh [BUILD_DIR] writes sheet-meishi-10.png.
# Needs poppler-utils (pdftoppm).
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{
  echo 'name,reading,tel1,tel2,mail1,mail2,address,memo'
  names=(山田太郎 佐藤花子 鈴木一郎 高橋美咲 田中健太 伊藤由美 渡辺翔太 中村愛 小林大輔 加藤さくら)
  readings=(ﾔﾏﾀﾞﾀﾛｳ ｻﾄｳﾊﾅｺ ｽｽﾞｷｲﾁﾛｳ ﾀｶﾊｼﾐｻｷ ﾀﾅｶｹﾝﾀ ｲﾄｳﾕﾐ ﾜﾀﾅﾍﾞｼｮｳﾀ ﾅｶﾑﾗｱｲ ｺﾊﾞﾔｼﾀﾞｲｽｹ ｶﾄｳｻｸﾗ)
  for i in "${!names[@]}"; do
    n=$((i + 1))
    printf '%s,%s,03-1234-%04d,090-5555-%04d,user%d@example.jp,,東京都千代田区丸の内%d-1,営業部\n' \
      "${names[$i]}" "${readings[$i]}" "$n" "$n" "$n" "$n"
  done
} > "$work/cards.csv"
"$build/cli/nubora-qr" --kind address --batch "$work/cards.csv" --sheet meishi-10 --caption name \
  --cell 0.35 --cut-lines -o "$work/cards.pdf"
pdftoppm -r 80 -png -singlefile -f 1 -l 1 "$work/cards.pdf" "$here/sheet-meishi-10"
