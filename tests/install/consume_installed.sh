#!/usr/bin/env bash
# Installs the engine of a build into a temporary prefix, moves the prefix
# elsewhere, and builds and runs an outside C program against it twice: found
# by CMake (find_package, Tavo::QrEnc) and by pkg-config. Also checks that no
# installed .pc or CMake file names the build or the source tree.
# Usage: tests/install/consume_installed.sh BUILD_DIR SOURCE_DIR
# CMAKE and CC name the cmake and the C compiler to use (cmake, cc otherwise).
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SOURCE_DIR" >&2
    exit 2
fi
build_dir=$(cd "$1" && pwd -P)
source_dir=$(cd "$2" && pwd -P)
cmake=${CMAKE:-cmake}
cc=${CC:-cc}

tmp=$(mktemp -d)
cleanup() { rm -rf "$tmp"; }
trap cleanup EXIT

"$cmake" --install "$build_dir" --prefix "$tmp/stage" --component engine >/dev/null
mv "$tmp/stage" "$tmp/moved"
prefix=$tmp/moved

pc=$(find "$prefix" -name tavoqrenc.pc -path '*/pkgconfig/*')
[ -n "$pc" ] || { echo "no tavoqrenc.pc under the installed prefix" >&2; exit 1; }
libdir=$(dirname "$(dirname "$pc")")
config=$(find "$prefix" -name TavoQrEncConfig.cmake)
[ -n "$config" ] || { echo "no TavoQrEncConfig.cmake under the installed prefix" >&2; exit 1; }
[ -f "$(dirname "$config")/TavoQrEncConfigVersion.cmake" ] || { echo "no TavoQrEncConfigVersion.cmake" >&2; exit 1; }

# The installed files must not lean on the trees they were made from.
for path in "$build_dir" "$source_dir" "$tmp/stage"; do
    if grep -rlF "$path" "$pc" "$(dirname "$config")"; then
        echo "the files above name $path" >&2
        exit 1
    fi
done

export LD_LIBRARY_PATH=$libdir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}

# Found by CMake.
"$cmake" -S "$source_dir/tests/install/consumer" -B "$tmp/consumer-cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_BUILD_TYPE=Release >/dev/null
grep -qxF "TavoQrEnc_DIR:PATH=$(dirname "$config")" "$tmp/consumer-cmake/CMakeCache.txt" ||
    { echo "CMake found another TavoQrEnc than the one installed" >&2; exit 1; }
"$cmake" --build "$tmp/consumer-cmake" >/dev/null
"$tmp/consumer-cmake/consumer"

# Found by pkg-config.
read -r -a pkg_flags <<<"$(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --cflags --libs tavoqrenc)"
case "${pkg_flags[*]}" in
    *"-L$prefix/"*) ;;
    *) echo "pkg-config found another tavoqrenc than the one installed: ${pkg_flags[*]}" >&2; exit 1 ;;
esac
"$cc" -std=c11 -Wall -Wextra -Wpedantic -Werror -o "$tmp/consumer-pc" \
    "$source_dir/tests/install/consumer/consumer.c" "${pkg_flags[@]}"
"$tmp/consumer-pc"
