#!/usr/bin/env bash
# Compiles for 32-bit and 64-bit Windows with Debian's MinGW-w64 cross compilers (POSIX threads):
# the whole qtlcore, the simulation driver as a DLL (both export name sets checked in its export
# table) and the Qt-free part of vornik_api (Windows platform backend, transports). A missing
# cross compiler skips its target with a message; any compile error or missing export fails.
#   scripts/cross-check.sh [BUILD_ROOT]   (default: build-cross)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-cross}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# Undecorated names the driver must export: every name of its .def file.
mapfile -t names < <(sed -n 's/^[[:space:]]\+\([A-Za-z_][A-Za-z0-9_]*\)[[:space:]]*$/\1/p' \
    "$root/pilotes/simulation/simulation.def")

status=0
for arch in i686 x86_64; do
    triplet="$arch-w64-mingw32"
    if ! command -v "$triplet-g++-posix" >/dev/null 2>&1 || ! command -v "$triplet-objdump" >/dev/null 2>&1; then
        echo "cross-check: SKIPPED for Windows $arch: $triplet-g++-posix or $triplet-objdump not found" \
             "(Debian packages g++-mingw-w64-${arch/_/-}-posix, binutils-mingw-w64-${arch/_/-})"
        continue
    fi
    dir="$out/$arch"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-$arch.cmake" \
        -DQTL_BUILD_GUI=OFF -DQTL_BUILD_ANALYSIS=OFF -DQTL_BUILD_USB=OFF -DQTL_BUILD_USB_BASE=ON -DQTL_BUILD_TESTS=OFF \
        -DQTL_WERROR=ON "${launcher[@]}" >/dev/null
    if ! cmake --build "$dir" -j2 --target qtlcore simulation vornikbase; then
        echo "cross-check: FAILED to compile for Windows $arch"
        status=1
        continue
    fi
    exports="$("$triplet-objdump" -p "$dir/pilotes/simulation.dll")"
    missing=()
    for name in "${names[@]}"; do
        grep -Eq "^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]+(\+base\[[[:space:]]*[0-9]+\][[:space:]]+[0-9a-fA-F]+[[:space:]]+)?$name\$" \
            <<<"$exports" || missing+=("$name")
    done
    if [ ${#missing[@]} -ne 0 ]; then
        echo "cross-check: FAILED for Windows $arch: simulation.dll does not export ${missing[*]}"
        status=1
        continue
    fi
    echo "cross-check: Windows $arch OK (qtlcore, simulation.dll with ${#names[@]} exports, vornikbase)"
done
exit $status
