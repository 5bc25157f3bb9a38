#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch root, checks that
# the files land where a Debian user expects them, validates the desktop entry and the
# AppStream metadata, and starts the installed program offscreen on its demo settings.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: package_test.sh BUILD_DIR}" && pwd)
for tool in cpack dpkg-deb desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "package test skipped: $tool is missing (scripts/install-deps.sh installs it)"
        exit 0
    fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log"
    exit 1
}
deb=$(ls "$work"/out/quantrel_*.deb)
root="$work/root"
dpkg-deb -x "$deb" "$root"

fail=0
expect() {
    if ! ls $1 >/dev/null 2>&1; then
        echo "missing from the package: $1"
        fail=1
    fi
}
expect "$root/usr/bin/qtl32"
expect "$root/usr/lib/*quantrel/pilotes/simulation.so"
expect "$root/usr/share/quantrel/demo.cfg"
expect "$root/usr/share/applications/org.quantrel.Quantrel.desktop"
expect "$root/usr/share/metainfo/org.quantrel.Quantrel.metainfo.xml"
expect "$root/usr/share/icons/hicolor/scalable/apps/org.quantrel.Quantrel.svg"
expect "$root/usr/share/icons/hicolor/48x48/apps/org.quantrel.Quantrel.png"
expect "$root/usr/share/man/man1/qtl32.1.gz"
expect "$root/usr/share/doc/quantrel/LICENSE"
expect "$root/usr/share/doc/quantrel/guide-utilisateur.html"
expect "$root/usr/share/doc/quantrel/user-guide-en.html"
expect "$root/usr/share/doc/quantrel/images/premier_demarrage.png"
expect "$root/usr/include/quantrel/qtl_pilote.h"
expect "$root/usr/include/vornik_api.h"
expect "$root/usr/lib/*libvornik_api.so*"
expect "$root/usr/lib/*pkgconfig/vornik_api.pc"
expect "$root/usr/lib/*cmake/VornikApi/VornikApiConfig.cmake"
if dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6'; then :; else
    echo "the package's dependencies were not computed: $(dpkg-deb -f "$deb" Depends)"
    fail=1
fi

desktop-file-validate "$root/usr/share/applications/org.quantrel.Quantrel.desktop" || fail=1
appstreamcli validate --no-net --pedantic \
    "$root/usr/share/metainfo/org.quantrel.Quantrel.metainfo.xml" || fail=1

"$root/usr/bin/qtl32" --version | grep -q '^qtl32 (Quantrel) ' || {
    echo "qtl32 --version printed nothing useful"
    fail=1
}

# The installed program, with no settings of the user's, starts on the demo settings: the
# output dialogs then show the simulation driver found in the installed drivers folder.
home="$work/home"
mkdir -p "$home"
status=0
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    QT_QPA_PLATFORM=offscreen timeout 120 "$root/usr/bin/qtl32" --captures="$work/shots" \
    >"$work/run.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    echo "the installed program failed (status $status):"
    cat "$work/run.log"
    fail=1
elif ! ls "$work"/shots/*.png >/dev/null 2>&1; then
    echo "the installed program saved no window picture"
    fail=1
fi
exit "$fail"
