#!/usr/bin/env bash
# Checks every tracked C/C++ file against .clang-format and names those that differ
# (exit 1 if any). With --fix, reformats those files in place instead.
# Usage: scripts/format-check.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
case "${1:-}" in
    "") ;;
    --fix) fix=1 ;;
    *) echo "usage: $0 [--fix]" >&2; exit 2 ;;
esac

if ! command -v clang-format >/dev/null 2>&1; then
    echo "format-check: clang-format is not installed (Debian package clang-format)" >&2
    exit 2
fi

differ=0
while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue    # tracked but deleted in the working tree
    if ! clang-format --style=file "$file" | cmp -s - "$file"; then
        if [ "$fix" -eq 1 ]; then
            # A second pass settles the few constructs one pass leaves unstable.
            for _ in 1 2 3; do
                clang-format --style=file -i "$file"
                clang-format --style=file "$file" | cmp -s - "$file" && break
            done
            echo "reformatted $file"
        else
            echo "$file"
            differ=1
        fi
    fi
done < <(git ls-files -z -- '*.c' '*.cpp' '*.h')

if [ "$differ" -ne 0 ]; then
    echo "format-check: the files above differ from .clang-format; 'make format' rewrites them" >&2
    exit 1
fi
