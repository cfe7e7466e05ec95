// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"

#include <gmpxx.h>

#include <string>
#include <utility>
#include <vector>

class WorkProgress;

// Elimination as a student does it by hand, in exact fractions, telling an
// observer of every row operation and the matrix after it; the worked
// solutions are written from it. The pivot of a column is its first
// non-zero entry at or below the current row, brought up by a swap when it
// is lower.
//
// Echelon clears the entries below each pivot by adding multiples of the
// pivot row, keeping the determinant but for the sign of each swap.
// Reduced also scales each pivot row to make the pivot 1 and clears above
// it, ending in the reduced row echelon form (of [A | I] for an inverse).
class HandElimination {
public:
    enum class Goal { Echelon, Reduced };

    struct Operation {
        enum class Kind { Swap, Scale, Subtract };
        Kind kind = Kind::Swap;
        int target = 0;   // i of Ri
        int source = 0;   // j of Rj: swap and subtract
        mpq_class factor; // Scale: Ri <- factor Ri; Subtract: Ri <- Ri - factor Rj

        // "R1 <-> R3", "R1 <- (1/2) R1", "R2 <- R2 - (3/2) R1", with a
        // negative multiple as "R2 <- R2 + (3/2) R1".
        std::string Text() const;
    };

    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void Done(const Operation& operation, const ExactMatrix& after) = 0;
        // Column col has no non-zero entry at or below row; false ends the
        // elimination there.
        virtual bool NoPivot(int col, int row) = 0;
        // False when after is not looked at: the elimination may then
        // hand Done a matrix that is not the current one.
        virtual bool WantsMatrices() const { return true; }
    };

    // pivotCols: the columns that get pivots, from the first (those of A
    // in [A | I]). progress, when given, hears once per pivot column and
    // may stop the run by WorkCancelled.
    HandElimination(ExactMatrix start, Goal goal, int pivotCols,
                    WorkProgress* progress = nullptr)
        : m_matrix(std::move(start)), m_goal(goal), m_pivotCols(pivotCols),
          m_progress(progress) {}

    // Runs to the end, or until the observer ends it; true when every
    // pivot column was gone through. An observer that wants no matrices
    // gets the same operations from a fraction-free elimination
    // (FractionFreeElimination), much faster on long fractions, or on
    // fractions of thousands of digits from an elimination modulo primes
    // (ModularElimination).
    bool Run(Observer& observer);

    // The matrix where the run ended.
    const ExactMatrix& Matrix() const;
    // Goal::Echelon: the pivots the run found, in order, the diagonal of
    // the echelon form where every column had one.
    std::vector<mpq_class> Pivots() const;
    int Rank() const { return m_rank; }
    int Swaps() const { return m_swaps; }

private:
    void apply(const Operation& operation, Observer& observer);

    // The elimination modulo primes knows the reduced form at the end of
    // the whole run only: for an echelon form, or where its observer ended
    // the run, the fraction-free elimination gives the matrix when asked.
    mutable ExactMatrix m_matrix;
    mutable bool m_stale = false;
    mutable int m_endedAt = 0; // the column the observer ended the run at, or 0
    std::vector<mpq_class> m_pivots; // from the elimination modulo primes
    Goal m_goal;
    int m_pivotCols;
    WorkProgress* m_progress;
    int m_rank = 0;
    int m_swaps = 0;
};
