#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Puts the copyright and licence lines at the top of every file that lacks
# them, so that `reuse lint` stays clean as files are added:
#
#   scripts/add-spdx-headers.sh [FILE...]
#
# Without FILE it goes through every file git knows or would add. Only lines
# are added, at the very top (after a shebang, an XML declaration or a
# doctype, which must come first); nothing else in a file changes. Files
# named in .reuse/dep5 cannot carry the lines and are left alone, and so are
# files of a kind whose comments it does not know: it names those, for
# .reuse/dep5 or a header by hand.
#
# The lines it writes would read as this file's own to `reuse lint`:
# REUSE-IgnoreStart
set -euo pipefail
cd "$(dirname "$0")/.."

holder="The Zendra developers"
licence="GPL-3.0-or-later"
year=$(date +%Y)

# The Files patterns of .reuse/dep5; there `*` also matches a slash, as it
# does in a [[ == ]] pattern.
mapfile -t covered < <(awk '
    /^Files:/ { infiles = 1; sub(/^Files:/, ""); print; next }
    /^[ \t]/ && infiles { print; next }
    { infiles = 0 }' .reuse/dep5 | tr ' \t' '\n\n' | grep -v '^$')

is_covered() {
    local pattern
    for pattern in "${covered[@]}"; do
        # shellcheck disable=SC2053 # the pattern is meant to match as a glob
        [[ $1 == $pattern ]] && return 0
    done
    return 1
}

# How a comment line starts (and ends) in FILE, or nothing when unknown.
comment_style() {
    case "$1" in
    *.cpp | *.h | *.c | *.hpp) echo '//' ;;
    *.sh | *.cmake | */CMakeLists.txt | CMakeLists.txt | Makefile | *.mk | *.zs | *.desktop | \
        *.py | *.toml | *.yml | *.yaml | *.gitignore | *.gitattributes | .clang-format | \
        *lintian-overrides | .ci/*) echo '#' ;;
    *.xml | *.svg | *.hlp | *.html | *.md) echo '<!--' ;;
    *.[1-8]) echo '.\"' ;;
    *) if head -c 2 "$1" | grep -q '^#!'; then echo '#'; fi ;;
    esac
}

add_header() {
    local file=$1 style=$2 first keep=0 tmp
    local lines=("SPDX-FileCopyrightText: $year $holder" "SPDX-License-Identifier: $licence")
    IFS= read -r first <"$file" || true
    case "$first" in
    '#!'* | '<?xml'* | '<!DOCTYPE'* | '<!doctype'*) keep=1 ;;
    esac
    tmp=$(mktemp "$file.XXXXXX")
    {
        [ "$keep" -eq 1 ] && printf '%s\n' "$first"
        for line in "${lines[@]}"; do
            case "$style" in
            '<!--') printf '<!-- %s -->\n' "$line" ;;
            *) printf '%s %s\n' "$style" "$line" ;;
            esac
        done
        # A blank line keeps the lines apart from a comment that follows;
        # in a manual page it would be a blank line of the page.
        [ "$style" != '.\"' ] && echo
        tail -n +"$((keep + 1))" "$file"
    } >"$tmp"
    chmod --reference="$file" "$tmp"
    mv "$tmp" "$file"
    echo "added: $file"
}

if [ $# -eq 0 ]; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard)
else
    files=("$@")
fi

unknown=()
for file in "${files[@]}"; do
    [ -f "$file" ] && [ ! -L "$file" ] || continue
    case "$file" in
    LICENSE | LICENSES/* | .reuse/*) continue ;;
    esac
    is_covered "$file" && continue
    head -n 15 "$file" | grep -q 'SPDX-License-Identifier:' && continue
    style=$(comment_style "$file")
    if [ -z "$style" ]; then
        unknown+=("$file")
        continue
    fi
    add_header "$file" "$style"
done

if [ ${#unknown[@]} -gt 0 ]; then
    echo "no header added, the kind of file is unknown (name it in .reuse/dep5 or add one):"
    printf '  %s\n' "${unknown[@]}"
    exit 1
fi
# REUSE-IgnoreEnd
