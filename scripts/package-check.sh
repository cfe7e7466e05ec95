#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks a built package the way Debian would, and the sources' licensing:
#
#   scripts/package-check.sh DEB
#
# lintian, appstreamcli and desktop-file-validate must find nothing at all to
# say, the package's version must be the changelog's newest, every changelog
# entry must be a release of the metainfo with the same date (and the other
# way round), the manual pages must name the version, and `reuse lint` must
# find every file's licence. Each problem is printed; the status is 1 if
# there was any.
set -uo pipefail
deb=$(realpath "$1")
cd "$(dirname "$0")/.."
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
problems=0
problem() {
    echo "package check: $1"
    [ $# -gt 1 ] && printf '%s\n' "$2" | sed 's/^/    /'
    problems=$((problems + 1))
}

# lintian says it would rather not run as root, which CI is; that alone is
# not a finding.
report=$(lintian --fail-on error,warning "$deb" 2>&1)
status=$?
report=$(grep -v '^running with root privileges is not recommended!$' <<<"$report")
[ "$status" -eq 0 ] && [ -z "$report" ] || problem "lintian reports (status $status)" "$report"

dpkg-deb -x "$deb" "$tree"
id=io.zendra.Zendra
report=$(appstreamcli validate --no-net --strict "$tree/usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
    problem "appstreamcli validate fails" "$report"
report=$(desktop-file-validate "$tree/usr/share/applications/$id.desktop" 2>&1)
[ $? -eq 0 ] && [ -z "$report" ] || problem "desktop-file-validate reports" "$report"

# The versions the package, the changelog, the metainfo and the manual pages
# give must be one story.
version=$(dpkg-deb -f "$deb" Version)
zcat "$tree/usr/share/doc/zendra/changelog.gz" >"$tree/changelog"
newest=$(dpkg-parsechangelog -l "$tree/changelog" -S Version)
[ "$version" = "$newest" ] ||
    problem "the package is version $version, the changelog's newest entry $newest"
changelog_releases=$(dpkg-parsechangelog -l "$tree/changelog" --all --format rfc822 |
    awk '/^Version:/ { v = $2 } /^Date:/ { sub(/^Date: /, ""); print v "\t" $0 }' |
    while IFS=$'\t' read -r v d; do printf '%s %s\n' "$v" "$(date -u -d "$d" +%F)"; done | sort)
metainfo_releases=$(grep -o '<release [^>]*>' "$tree/usr/share/metainfo/$id.metainfo.xml" |
    sed -n 's/.*version="\([^"]*\)".*date="\([^"]*\)".*/\1 \2/p' | sort)
[ "$changelog_releases" = "$metainfo_releases" ] ||
    problem "the changelog's entries and the metainfo's releases differ" \
        "$(diff <(echo "$changelog_releases") <(echo "$metainfo_releases"))"
for page in "$tree"/usr/share/man/man1/*.1.gz; do
    zcat "$page" | grep -q "^\.TH .*\"Zendra $version\"" ||
        problem "$(basename "$page") does not name version $version in its .TH line"
done

report=$(reuse lint 2>&1) || problem "reuse lint finds files without licence (scripts/add-spdx-headers.sh adds it)" "$report"

if [ "$problems" -gt 0 ]; then
    echo "package check: $problems problems in $(basename "$deb")"
    exit 1
fi
echo "package check: $(basename "$deb"): lintian, appstreamcli, desktop-file-validate, versions and reuse lint clean"
