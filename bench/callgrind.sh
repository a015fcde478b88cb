#!/usr/bin/env bash
# Instructions per symbol of the engine and of libqrencode on the benchmark's
# workload, counted by valgrind's callgrind (repeatable where wall time is not).
#   bench/callgrind.sh [build dir, default build] [rounds, default 20]
set -euo pipefail
build=${1:-build}
rounds=${2:-20}
bench="$build/bench/nubora_bench"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

count() {  # engine version -> instructions per symbol
  local file="$out/$1-$2.out" symbols ir
  symbols=$(valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$file" \
    "$bench" --count "$1" "$2" "$rounds" 2>/dev/null | sed -n 's/^symbols //p')
  ir=$(sed -n 's/^totals: *\([0-9]*\).*/\1/p' "$file")
  echo $((ir / symbols))
}

printf '%-8s %16s %16s %8s\n' version engine libqrencode ratio
for v in 1 5 10 15; do
  ours=$(count engine "$v")
  theirs=$(count libqrencode "$v")
  printf '%-8s %16d %16d %8s\n' "$v" "$ours" "$theirs" "$(awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "%.2f", a / b }')"
done
echo "(instructions per symbol; ratio = engine / libqrencode, below 1 is better)"
