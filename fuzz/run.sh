#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every fuzz target of a fuzz build for a while, each starting from its
# committed seed corpus. The corpus is copied to a scratch folder first, so
# the inputs a run discovers stay out of the repository. A crash, a hang or
# a broken check leaves its input in BUILD/findings/ and fails the run.
#
#   fuzz/run.sh BUILD [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: fuzz/run.sh BUILD [SECONDS]}
seconds=${2:-60}
targets=(reader numbers format search editor_file operations script paste import)

mkdir -p "$build/findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=()
for target in "${targets[@]}"; do
    mkdir -p "$work/$target"
    cp fuzz/corpus/"$target"/* "$work/$target/"
    echo "== fuzz_$target for ${seconds}s"
    # One input taking more than 10 seconds counts as a hang.
    # TMPDIR keeps the files a target writes (the script target's scratch
    # folder) inside the run's own folder.
    if ! TMPDIR="$work" "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
            -timeout=10 -print_final_stats=0 \
            -artifact_prefix="$build/findings/$target-" \
            "$work/$target" >"$work/$target.log" 2>&1; then
        tail -n 40 "$work/$target.log"
        failed+=("$target")
    else
        tail -n 1 "$work/$target.log"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)"
    exit 1
fi
echo "Fuzzing found nothing."
