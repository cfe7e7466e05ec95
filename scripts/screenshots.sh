#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Saves pictures of the program's windows into build/screenshots/, taken
# under a virtual X server with a small window manager (without one, windows
# get no focus and no frames).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
out="$build/screenshots"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    openbox >/dev/null 2>&1 &
    sleep 1
    '$build/src/zendra-screenshots' examples '$out'
"

# The worked inverse of examples/system.dat as LaTeX typesets it: the
# document zendra-cli writes with latex on, compiled by pdflatex, its first
# page cut to the text.
latex=$(mktemp -d)
trap 'rm -rf "$latex"' EXIT
printf 'read %s\nworking on\nlatex on\ninvert 1\n' "$PWD/examples/system.dat" >"$latex/invert.zs"
"$build/src/zendra-cli" "$latex/invert.zs" >"$latex/invert.tex" 2>/dev/null
(cd "$latex" && pdflatex -halt-on-error -interaction=nonstopmode invert.tex >/dev/null)
pdftoppm -png -r 100 -f 1 -l 1 "$latex/invert.pdf" "$latex/page"
convert "$latex"/page*.png -trim -bordercolor white -border 20 "$out/worked-latex.png"
echo "$out/worked-latex.png"
