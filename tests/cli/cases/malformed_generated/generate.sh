# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Inputs too big to keep: lines of 10 MB (as header, name line and row) and
# a file of 10,000 matrices.
yes 1.5 | tr '\n' ' ' | head -c 10000000 >row.part
{ cat row.part; echo; cat row.part; printf '\n1 50\n'; cat row.part; echo; } >long_lines.dat
rm row.part
{
    echo "Ten thousand matrices"
    for ((k = 0; k < 10000; k++)); do
        printf 'M\n2 2\n1 2\n3 4\n'
    done
} >many.dat
