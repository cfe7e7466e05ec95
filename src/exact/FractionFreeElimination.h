// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"
#include "HandElimination.h"

#include <gmpxx.h>

#include <vector>

class WorkProgress;

// HandElimination's row operations worked out without fractions, for an
// observer that looks at the operations only: reducing every entry of a
// matrix of values spread over the whole double range costs gcds of
// numbers of thousands of digits at every step, where only the factors of
// the operations need reducing.
//
// Each row is kept in whole numbers B_i together with its multiplier d_i
// (the least common multiple of its starting denominators), and the
// elimination is Bareiss's, each division by the previous pivot p exact.
// Its invariant ties it to the elimination in fractions: a row not yet
// holding a pivot is B_i / (d_i p) there. Echelon leaves each pivot row as
// it was when its pivot was taken; Reduced is the fraction-free
// Gauss-Jordan in which a pivot row is B_i / p. The operations, their
// reduced factors, the swaps, the rank and the final matrix are exactly
// those of the elimination in fractions.
class FractionFreeElimination {
public:
    FractionFreeElimination(const ExactMatrix& start, HandElimination::Goal goal, int pivotCols,
                            WorkProgress* progress);

    // As HandElimination::Run; after is handed to every Done unchanged.
    bool Run(HandElimination::Observer& observer, const ExactMatrix& after);

    // The matrix in fractions where the run ended; progress hears once an
    // entry.
    ExactMatrix Matrix() const;
    int Rank() const { return m_rank; }
    int Swaps() const { return m_swaps; }

private:
    mpz_class& at(int i, int j) { return m_data[i * m_cols + j]; }
    const mpz_class& at(int i, int j) const { return m_data[i * m_cols + j]; }
    void swapRows(int a, int b);
    // Row i <- (pivot B_i - B_i[col] B_row) / previous, from column first.
    void eliminate(int i, int row, int col, int first);

    int m_rows;
    int m_cols;
    HandElimination::Goal m_goal;
    int m_pivotCols;
    WorkProgress* m_progress;
    std::vector<mpz_class> m_data;
    std::vector<mpz_class> m_multiplier; // d_i, moving with its row
    std::vector<mpz_class> m_divisor;    // of a pivot row, in Echelon
    std::vector<int> m_pivotRowOf;       // of a column, in Reduced; -1 for none
    mpz_class m_previous = 1;            // p, the latest pivot
    int m_rank = 0;
    int m_swaps = 0;
};
