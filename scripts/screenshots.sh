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
