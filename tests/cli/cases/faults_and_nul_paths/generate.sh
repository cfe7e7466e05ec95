# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The script holds NUL bytes, which are kept out of the repository's text.
{
    printf 'read faults.dat\n'
    printf '# each overflows in the elimination: the message, and nothing added\n'
    printf 'invert 1\ninvert 2\ninvert 3\nmatrices\n'
    printf '# a path holding a NUL names no file: data.dat stays as it is\n'
    printf 'read data.dat\0 1\n'
    printf 'matrices\n'
    printf 'list data.dat\0 1\n'
    printf 'write data.dat\0\n'
    printf 'write \0\n'
    printf 'matrices\n'
} > script.zs
