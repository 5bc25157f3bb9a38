#!/usr/bin/env bash
# Saves PNG screenshots of qtl32's windows (banner, big digits, about box, timing dialog,
# the three output dialogs with the simulation driver chosen, an empty graph window, axis
# dialog, channel dialog of A, menus, a timed acquisition and a prestissimo of the demo settings,
# the modelling dialog and a graph with a fitted model, the measuring cursors and a spectrum)
# into the folder given as first argument. Runs the program under a virtual display on the
# demo settings (the simulation driver on channels P and A) so the readout shows live values.
#   scripts/screenshots.sh OUT_DIR [BUILD_DIR]     (BUILD_DIR defaults to ./build)
set -euo pipefail
if [ $# -lt 1 ]; then
    echo "usage: $0 OUT_DIR [BUILD_DIR]" >&2
    exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "$1" && cd "$1" && pwd)"
build="${2:-$root/build}"

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQTL_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target qtl32 simulation

export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/qtl32" "FICHCONFIG=$build/pilotes/demo.cfg" \
    "--captures=$out"
ls -1 "$out"/*.png
