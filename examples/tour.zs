# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A short tour of the workspace: run it with `make run`.
# Solve A x = b by a Cholesky decomposition, check it, and list the results.
read system.dat
matrices
cholesky 1
solve 3 2
multiply 1 4
decimals 4
view 4
view 5
# Invert a matrix and multiply it back.
read invert.dat
invert 1
multiply 1 2
decimals 2
view 2
view 3
