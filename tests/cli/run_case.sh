#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs one zendra-cli case folder and compares everything it produced.
#
#   run_case.sh ZENDRA_CLI CASE_DIR
#
# CASE_DIR holds script.zs and its input files, the expected stdout and
# stderr, optionally status (default 0) and expected/ with files the script
# must leave behind. The case runs in a fresh copy, so it can write freely;
# links to shared input files are copied as the files they name, and a
# generate.sh in CASE_DIR runs in the copy first, for inputs too big to keep.
set -u

cli=$1
case_dir=$2
work=$(mktemp -d)
actual=$(mktemp -d)
trap 'rm -rf "$work" "$actual"' EXIT

cp -RL "$case_dir"/. "$work"/
rm -rf "$work/stdout" "$work/stderr" "$work/status" "$work/expected"
if [ -f "$work/generate.sh" ]; then
    (cd "$work" && bash generate.sh) || { echo "FAIL generate.sh"; exit 1; }
fi

(cd "$work" && "$cli" script.zs >"$actual/stdout" 2>"$actual/stderr")
echo $? >"$actual/status"

failed=0
same() {  # same EXPECTED ACTUAL LABEL
    if [ ! -e "$2" ]; then
        echo "FAIL $3: not produced"
        failed=1
    elif ! cmp -s "$1" "$2"; then
        echo "FAIL $3 differs (- expected, + actual; ^M is a carriage return):"
        diff -u <(cat -A "$1") <(cat -A "$2") | tail -n +3
        failed=1
    fi
}

expected_status=0
[ -f "$case_dir/status" ] && expected_status=$(cat "$case_dir/status")
if [ "$(cat "$actual/status")" != "$expected_status" ]; then
    echo "FAIL exit status $(cat "$actual/status"), expected $expected_status"
    failed=1
fi
same "$case_dir/stdout" "$actual/stdout" stdout
same "$case_dir/stderr" "$actual/stderr" stderr
if [ -d "$case_dir/expected" ]; then
    for file in "$case_dir"/expected/*; do
        same "$file" "$work/$(basename "$file")" "$(basename "$file")"
    done
fi
exit $failed
