#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and fuzzing need.
# Idempotent and non-interactive: does nothing when everything is already there.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config git
    g++ clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    qt6-base-dev libqt6svg6-dev qt6-qpa-plugins libgl-dev
    libqcustomplot-dev libqcustomplot2.1-qt6
    libusb-1.0-0-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    libmuparser-dev libfparser-dev
    libgsl-dev
    xvfb xauth fonts-dejavu-core
    libwmf-bin fonts-urw-base35 poppler-utils
    dpkg-dev desktop-file-utils appstream cmark-gfm
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
