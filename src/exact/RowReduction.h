// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"

#include <gmpxx.h>

class WorkProgress;

// Exact determinant, rank and reduced row echelon form of a matrix of
// fractions, for the operations of the workspace.
//
// The elimination is fraction-free (Bareiss): each row is first multiplied
// by the least common multiple of its denominators, and after k pivot steps
// every entry is a k x k minor of those whole-number rows, so each division
// by the previous pivot is exact and no fraction is reduced until the
// result. Numbers grow only as large as the minors: a 50 x 50 matrix of
// two-digit integers takes milliseconds, where ordinary fractions would
// reduce every intermediate entry. The pivot of a column is its first
// non-zero entry at or below the current row, as a student picks it.
//
// Each reports to progress, when given, once per pivot column and throws
// WorkCancelled when it says stop.
//
// Fastest hands the work to FLINT (FlintMatrix), whose multimodular
// methods take a fraction of a second where the minors grow to thousands of
// digits, but which hears progress only before and after; Bareiss keeps the
// elimination here, which reports every pivot column.
class RowReduction {
public:
    enum class Method { Fastest, Bareiss };

    // The determinant of a square matrix (1 for 0 x 0).
    static mpq_class Determinant(const ExactMatrix& a, WorkProgress* progress = nullptr,
                                 Method method = Method::Fastest);

    static int Rank(const ExactMatrix& a, WorkProgress* progress = nullptr,
                    Method method = Method::Fastest);

    // The reduced row echelon form: each non-zero row starts with a 1, the
    // only non-zero entry of its column, and the zero rows come last.
    static ExactMatrix Rref(const ExactMatrix& a, WorkProgress* progress = nullptr,
                            Method method = Method::Fastest);

    // The inverse of a square matrix, from the reduced form of [A | I] by
    // the hand elimination's fastest way (modulo primes where the fractions
    // are long), which hears progress at every pivot column; false, with
    // inverse untouched, when a is singular.
    static bool Inverse(const ExactMatrix& a, ExactMatrix& inverse,
                        WorkProgress* progress = nullptr);
};
