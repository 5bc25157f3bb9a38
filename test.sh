#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
werror=OFF
if [ "${QTL_WERROR:-0}" = "1" ]; then
    werror=ON
fi
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQTL_WERROR=$werror >/dev/null
cmake --build build-test -j2
cd build-test
ctest --output-on-failure -j2
cd ..
# The Windows build: qtlcore, the simulation driver DLL and the Qt-free part of vornik_api.
./scripts/cross-check.sh build-cross
