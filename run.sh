#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts qtl32 on the demo settings (the
# simulation driver on P and A), so live values show at once. Arguments go to the program; a
# FICHCONFIG=path among them names another settings file.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQTL_BUILD_TESTS=OFF >/dev/null
cmake --build build -j2
demo="FICHCONFIG=$PWD/build/pilotes/demo.cfg"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. Run the program under a virtual display:"
    echo "    xvfb-run -a ./build/bin/qtl32 $demo"
    exit 1
fi
exec ./build/bin/qtl32 "$demo" "$@"
