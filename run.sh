#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts qtl32.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQTL_BUILD_TESTS=OFF >/dev/null
cmake --build build -j2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Run the program under a virtual display:"
    echo "    xvfb-run -a ./build/bin/qtl32"
    exit 1
fi
exec ./build/bin/qtl32 "$@"
