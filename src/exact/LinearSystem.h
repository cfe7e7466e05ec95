// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"

#include <gmpxx.h>

#include <vector>

class WorkProgress;

// A x = b, or A alone, in exact fractions: everything a student reads off
// the reduced row echelon form of [A | b]. The system operations store
// these results and the worked solutions explain them from the same
// object, so that the two never disagree.
//
// Variables are numbered from 1 by column. The basis of the null space has
// one column per free variable, in column order: that variable 1, the
// other free ones 0, the pivot variables what the equations then give.
class LinearSystem {
public:
    // b, when given, has one column and as many rows as a. progress hears
    // of the elimination and may stop it by WorkCancelled.
    explicit LinearSystem(ExactMatrix a, const ExactMatrix* b = nullptr,
                          WorkProgress* progress = nullptr);

    int Unknowns() const { return m_a.Cols(); }
    int Rank() const { return static_cast<int>(m_pivots.size()); }
    int Nullity() const { return static_cast<int>(m_free.size()); }
    // Columns of A with a pivot, and the others.
    const std::vector<int>& PivotColumns() const { return m_pivots; }
    const std::vector<int>& FreeColumns() const { return m_free; }

    // rref([A | b]), or rref(A) without b; its first Unknowns() columns
    // are rref(A) either way.
    const ExactMatrix& Reduced() const { return m_reduced; }

    bool Consistent() const { return m_contradiction == 0; }
    // For a system without solution: the first row of [A | b], reduced by
    // hand on the columns of A only (HandElimination, Goal::Reduced, as the
    // worked solution shows it), that reads 0 = c with c not 0; and c.
    int ContradictionRow() const { return m_contradiction; }
    const mpq_class& ContradictionValue() const { return m_contradictionValue; }

    // The solution with every free variable 0, Unknowns() x 1; consistent
    // systems only.
    ExactMatrix Particular() const;
    // Unknowns() x Nullity().
    ExactMatrix NullBasis() const;
    // The pivot columns of A itself, rows(A) x Rank().
    ExactMatrix ColumnBasis() const;
    // The non-zero rows of rref(A), Rank() x Unknowns().
    ExactMatrix RowBasis() const;

private:
    ExactMatrix m_a;
    ExactMatrix m_reduced;
    std::vector<int> m_pivots;
    std::vector<int> m_free;
    int m_contradiction = 0;
    mpq_class m_contradictionValue;
};
