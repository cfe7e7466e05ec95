#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures the time from launching the program to its main window being
# mapped on a virtual X server, and prints it beside the splash's share.
# The splash waits until the third whole-second tick, so it stays 2 to 3 s.
set -euo pipefail
program=${1:-build/src/zendra}
runs=${RUNS:-3}
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    for run in $(seq '"$runs"'); do
        start=$(date +%s.%N)
        '"$program"' >/dev/null 2>&1 &
        pid=$!
        until xwininfo -name Zendra 2>/dev/null | grep -q "IsViewable"; do sleep 0.01; done
        shown=$(date +%s.%N)
        # The splash began at a whole second: what it cost is the time to
        # the third tick after the start of that second.
        awk -v s="$start" -v e="$shown" "BEGIN {
            splash = (int(s) + 3) - s;
            printf \"launch to main window %.3f s; splash %.3f s; the rest %.0f ms\n\", e - s, splash, (e - s - splash) * 1000 }"
        kill $pid; wait $pid 2>/dev/null || true
    done
'
