// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"

#include <gmpxx.h>

#include <string>

class WorkProgress;

// Determinants by cofactor expansion, as a course teaches them before
// elimination, and the adjugate. The expansion grows with n!, so it is
// only worked for matrices up to MaxSize.
class CofactorExpansion {
public:
    static constexpr int MaxSize = 5;

    // a without row i and column j.
    static ExactMatrix Minor(const ExactMatrix& a, int i, int j);

    // (-1)^(i + j) det(Minor(a, i, j)), the determinant by elimination.
    static mpq_class Cofactor(const ExactMatrix& a, int i, int j, WorkProgress* progress = nullptr);

    // The line an expansion goes along: the row or column with the most
    // zeros, the first row when none has more, rows before columns and
    // lower numbers first on ties.
    struct Line {
        bool row = true;
        int index = 1;
    };
    static Line Along(const ExactMatrix& a);

    // det(a) of a square a of at most MaxSize rows, expanded along
    // Along(a) and each minor's own line recursively down to 2 x 2. When
    // text is given, it gets the expansion: every minor with its sign,
    // the minors of a called M12, theirs M12.31 and so on, each with the
    // matrix it is; the minors of zero entries are not expanded, their
    // terms being 0. name is what a is called.
    static mpq_class Determinant(const ExactMatrix& a, const std::string& name,
                                 std::string* text = nullptr);

    // adj(a), the transposed matrix of cofactors, of a square a of any
    // size: det(a) inv(a) when a is invertible; for rank n - 1 the one
    // matrix c v w' with A v = 0 and w' A = 0 that has a cofactor of a
    // where v and w have non-zero entries; 0 below that rank.
    static ExactMatrix Adjugate(const ExactMatrix& a, WorkProgress* progress = nullptr);
};
