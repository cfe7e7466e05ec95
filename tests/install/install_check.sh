#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

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
# The desktop entry, the metainfo and the icons go by one id, which the
# entry and the metainfo name as well.
id=io.zendra.Zendra
expect share/applications/$id.desktop
expect share/metainfo/$id.metainfo.xml
expect share/icons/hicolor/scalable/apps/$id.svg
expect share/icons/hicolor/48x48/apps/$id.png
expect share/icons/hicolor/256x256/apps/$id.png

grep -q '^Exec=zendra$' "$prefix/share/applications/$id.desktop"
grep -q "^Icon=$id\$" "$prefix/share/applications/$id.desktop"
metainfo=$prefix/share/metainfo/$id.metainfo.xml
grep -q "<id>$id</id>" "$metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"
if grep -q '@[A-Z_]*@' "$metainfo"; then
    echo "the metainfo has a placeholder left: $(grep '@[A-Z_]*@' "$metainfo")"
    exit 1
fi

"$prefix/bin/zendra-cli" --help | grep -q 'Usage: zendra-cli'

# Each program has its manual page, and zendra-cli's describes every command
# that --help lists (the indented lines that start with a command word).
expect share/man/man1/zendra.1.gz
expect share/man/man1/zendra-cli.1.gz
page=$(zcat "$prefix/share/man/man1/zendra-cli.1.gz")
commands=$("$prefix/bin/zendra-cli" --help | sed -n 's/^  \([a-z][a-z]*\) .*/\1/p')
[ -n "$commands" ] || { echo "no commands found in zendra-cli --help"; exit 1; }
for command in $commands; do
    grep -Eq "^\.(B|BI) $command( |\$)" <<<"$page" ||
        { echo "zendra-cli(1) does not describe the command $command"; exit 1; }
done

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
