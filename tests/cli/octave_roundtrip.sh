#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# GNU Octave loads the matrices zendra-cli exports, as Octave text and as
# CSV, and writes them back with its own save -text; importing those gives
# every double back bit for bit (dump prints 17 significant digits, which
# tell any two doubles apart, and -0 from 0).
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

cat >export.zs <<'SCRIPT'
matrix 3 4 inv(A)
1 -0 0.1 1/3
5e-324 -1.7976931348623157e308 2.2250738585072014e-308 123456789.123456789
-7/3 1e-300 6.02214076e23 -1
export 1 a.txt
export 1 a.csv
dump 1
SCRIPT
"$cli" export.zs >before.out

# Octave prints a harmless error about its exit on some systems; only its
# status and the files count.
octave-cli --no-gui --norc --quiet --eval '
load("a.txt");
fromcsv = csvread("a.csv");
save("-text", "b.txt", "inv_A");
save("-text", "c.txt", "fromcsv");
' >octave.out 2>&1 || { cat octave.out; echo "FAIL: octave-cli could not load the exported files"; exit 1; }

cat >import.zs <<'SCRIPT'
import b.txt
import c.txt
dump 1
dump 2
SCRIPT
"$cli" import.zs >after.out
{ sed -n '3,5p' before.out; } >values.expected
sed -n '3,5p' after.out >values.octave
sed -n '8,10p' after.out >values.csv
head -n 2 after.out | sed -n 1p | grep -qx 'inv_A' || { echo "FAIL: the variable is not named inv_A"; cat after.out; exit 1; }
diff -u values.expected values.octave || { echo "FAIL: Octave's text of the matrix differs"; exit 1; }
diff -u values.expected values.csv || { echo "FAIL: the CSV read by Octave differs"; exit 1; }
echo "octave round trip: ok"
