// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FractionFreeElimination.h"

#include "WorkProgress.h"

#include <utility>

FractionFreeElimination::FractionFreeElimination(const ExactMatrix& start,
                                                 HandElimination::Goal goal, int pivotCols,
                                                 WorkProgress* progress)
    : m_rows(start.Rows()), m_cols(start.Cols()), m_goal(goal), m_pivotCols(pivotCols),
      m_progress(progress), m_data(static_cast<std::size_t>(m_rows) * m_cols), m_multiplier(m_rows),
      m_divisor(m_rows), m_pivotRowOf(m_cols, -1) {
    for (int i = 0; i < m_rows; ++i) {
        mpz_class& lcm = m_multiplier[i];
        lcm = start.RowDenominator(i + 1);
        for (int j = 0; j < m_cols; ++j) {
            const mpq_class& entry = start.At(i + 1, j + 1);
            mpz_divexact(at(i, j).get_mpz_t(), lcm.get_mpz_t(), entry.get_den_mpz_t());
            at(i, j) *= entry.get_num();
        }
    }
}

void FractionFreeElimination::swapRows(int a, int b) {
    for (int j = 0; j < m_cols; ++j)
        std::swap(at(a, j), at(b, j));
    std::swap(m_multiplier[a], m_multiplier[b]);
}

void FractionFreeElimination::eliminate(int i, int row, int col, int first) {
    const mpz_class& pivot = at(row, col);
    mpz_class factor;
    mpz_swap(factor.get_mpz_t(), at(i, col).get_mpz_t());
    mpz_class product;
    for (int j = first; j < m_cols; ++j) {
        if (j == col)
            continue;
        mpz_class& entry = at(i, j);
        // An earlier pivot column holds p in its pivot row and 0 elsewhere:
        // the new pivot and 0 after the step, without dividing numbers of
        // thousands of digits.
        if (m_pivotRowOf[j] >= 0) {
            if (m_pivotRowOf[j] == i)
                entry = pivot;
            continue;
        }
        mpz_mul(product.get_mpz_t(), pivot.get_mpz_t(), entry.get_mpz_t());
        if (factor != 0)
            mpz_submul(product.get_mpz_t(), factor.get_mpz_t(), at(row, j).get_mpz_t());
        mpz_divexact(entry.get_mpz_t(), product.get_mpz_t(), m_previous.get_mpz_t());
    }
}

bool FractionFreeElimination::Run(HandElimination::Observer& observer, const ExactMatrix& after) {
    using Operation = HandElimination::Operation;
    const bool reduced = m_goal == HandElimination::Goal::Reduced;
    mpz_class scaled;
    for (int col = 0; col < m_pivotCols; ++col) {
        ReportProgress(m_progress, col, m_pivotCols);
        const int row = m_rank;
        if (row >= m_rows)
            return true;
        int pivotRow = row;
        while (pivotRow < m_rows && at(pivotRow, col) == 0)
            ++pivotRow;
        if (pivotRow == m_rows) {
            if (!observer.NoPivot(col + 1, row + 1))
                return false;
            continue;
        }
        // Fresh for each column, as the elimination in fractions has it.
        Operation operation;
        if (pivotRow != row) {
            swapRows(row, pivotRow);
            ++m_swaps;
            operation.kind = Operation::Kind::Swap;
            operation.target = row + 1;
            operation.source = pivotRow + 1;
            observer.Done(operation, after);
        }
        const mpz_class& pivot = at(row, col);
        // The pivot in fractions is pivot / (d p).
        scaled = m_multiplier[row] * m_previous;
        if (reduced && pivot != scaled) {
            operation.kind = Operation::Kind::Scale;
            operation.target = row + 1;
            operation.factor = mpq_class(scaled, pivot);
            operation.factor.canonicalize();
            observer.Done(operation, after);
        }
        for (int i = reduced ? 0 : row + 1; i < m_rows; ++i) {
            if (i == row)
                continue;
            // An earlier pivot row of Reduced lies below its multiplier.
            const bool pivotRowAbove = i < row;
            if (at(i, col) != 0) {
                operation.kind = Operation::Kind::Subtract;
                operation.target = i + 1;
                operation.source = row + 1;
                // Reduced: the entry over a pivot of 1; Echelon: entry over pivot.
                if (reduced)
                    operation.factor = mpq_class(
                        at(i, col),
                        pivotRowAbove ? m_previous : mpz_class(m_multiplier[i] * m_previous));
                else
                    operation.factor =
                        mpq_class(at(i, col) * m_multiplier[row], m_multiplier[i] * pivot);
                operation.factor.canonicalize();
                observer.Done(operation, after);
            }
            eliminate(i, row, col, pivotRowAbove ? 0 : col + 1);
            // A step on numbers of thousands of digits takes a while: a
            // cancel is heard after each row.
            ReportProgress(m_progress, col, m_pivotCols);
        }
        if (reduced)
            m_pivotRowOf[col] = row;
        if (!reduced)
            m_divisor[row] = scaled;
        m_previous = pivot;
        ++m_rank;
    }
    return true;
}

ExactMatrix FractionFreeElimination::Matrix() const {
    const bool reduced = m_goal == HandElimination::Goal::Reduced;
    ExactMatrix matrix(m_rows, m_cols);
    mpz_class divisor;
    for (int i = 0; i < m_rows; ++i) {
        if (i >= m_rank)
            divisor = m_multiplier[i] * m_previous;
        else
            divisor = reduced ? m_previous : m_divisor[i];
        for (int j = 0; j < m_cols; ++j) {
            // Reducing a row of fractions of thousands of digits takes a
            // while too.
            ReportProgress(m_progress, m_pivotCols, m_pivotCols);
            mpq_class& entry = matrix.At(i + 1, j + 1);
            entry = mpq_class(at(i, j), divisor);
            entry.canonicalize();
        }
    }
    return matrix;
}
