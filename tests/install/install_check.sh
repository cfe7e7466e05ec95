#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed
# programs from there: the installed tree must be complete on its own.
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

expect() {
    [ -e "$prefix/$1" ] || { echo "not installed: $1"; exit 1; }
}
expect bin/zendra
expect bin/zendra-cli
expect share/zendra/zendra.hlp
expect share/zendra/examples/system.dat
expect share/applications/zendra.desktop
expect share/metainfo/zendra.metainfo.xml
expect share/icons/hicolor/scalable/apps/zendra.svg
expect share/icons/hicolor/48x48/apps/zendra.png
expect share/icons/hicolor/256x256/apps/zendra.png

grep -q '^Exec=zendra$' "$prefix/share/applications/zendra.desktop"
grep -q '^Icon=zendra$' "$prefix/share/applications/zendra.desktop"

"$prefix/bin/zendra-cli" --help | grep -q 'Usage: zendra-cli'
# The installed examples work with the installed companion.
cd "$prefix/share/zendra/examples"
"$prefix/bin/zendra-cli" tour.zs | grep -q '^X'

# The window program starts from the installed tree, without a display, and
# keeps running until it is stopped; its help file is where it looks.
QT_QPA_PLATFORM=offscreen timeout 6 "$prefix/bin/zendra" >/dev/null 2>&1 && status=0 || status=$?
if [ "$status" -ne 124 ]; then
    echo "the installed zendra ended by itself (status $status)"
    exit 1
fi
echo "installed tree complete"
