// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RowReduction.h"

#include "FlintMatrix.h"
#include "HandElimination.h"
#include "WorkProgress.h"

#include <utility>
#include <vector>

namespace {
// The whole-number rows and the elimination over them.
class Elimination {
public:
    explicit Elimination(const ExactMatrix& a)
        : m_rows(a.Rows()), m_cols(a.Cols()), m_data(a.Rows() * a.Cols()) {
        mpz_class lcm;
        for (int i = 1; i <= m_rows; ++i) {
            lcm = 1;
            for (int j = 1; j <= m_cols; ++j)
                mpz_lcm(lcm.get_mpz_t(), lcm.get_mpz_t(), a.At(i, j).get_den_mpz_t());
            for (int j = 1; j <= m_cols; ++j) {
                const mpq_class& entry = a.At(i, j);
                mpz_divexact(at(i - 1, j - 1).get_mpz_t(), lcm.get_mpz_t(), entry.get_den_mpz_t());
                at(i - 1, j - 1) *= entry.get_num();
            }
            m_scale *= lcm;
        }
    }

    // Zeros below each pivot (forward), or above and below (reduced).
    void Run(bool reduced, WorkProgress* progress) {
        mpz_class factor;
        mpz_class product;
        for (int col = 0; col < m_cols && m_rank < m_rows; ++col) {
            ReportProgress(progress, col, m_cols);
            int pivotRow = m_rank;
            while (pivotRow < m_rows && at(pivotRow, col) == 0)
                ++pivotRow;
            if (pivotRow == m_rows)
                continue;
            if (pivotRow != m_rank) {
                for (int j = 0; j < m_cols; ++j)
                    std::swap(at(pivotRow, j), at(m_rank, j));
                m_swaps ^= 1;
            }
            const mpz_class& pivot = at(m_rank, col);
            for (int i = reduced ? 0 : m_rank + 1; i < m_rows; ++i) {
                if (i == m_rank)
                    continue;
                factor = at(i, col);
                at(i, col) = 0;
                // Rows above the pivot hold the earlier pivots, which become
                // this one; rows below are zero left of the column.
                for (int j = i < m_rank ? 0 : col + 1; j < m_cols; ++j) {
                    if (j == col)
                        continue;
                    mpz_class& entry = at(i, j);
                    mpz_mul(product.get_mpz_t(), pivot.get_mpz_t(), entry.get_mpz_t());
                    mpz_submul(product.get_mpz_t(), factor.get_mpz_t(), at(m_rank, j).get_mpz_t());
                    mpz_divexact(entry.get_mpz_t(), product.get_mpz_t(), m_previous.get_mpz_t());
                }
            }
            m_previous = pivot;
            ++m_rank;
        }
    }

    int Rank() const { return m_rank; }

    // Forward elimination of a square matrix leaves its last pivot equal
    // to the determinant of the whole-number rows, swaps aside.
    mpq_class Determinant() const {
        if (m_rank < m_rows)
            return 0;
        mpq_class det(m_rows == 0 ? mpz_class(1) : mpz_class(m_previous), m_scale);
        det.canonicalize();
        return m_swaps ? mpq_class(-det) : det;
    }

    // After the reduced elimination every pivot row holds the last pivot in
    // its pivot column: dividing by it gives the reduced form.
    ExactMatrix Reduced() const {
        ExactMatrix reduced(m_rows, m_cols);
        for (int i = 0; i < m_rank; ++i)
            for (int j = 0; j < m_cols; ++j) {
                mpq_class& entry = reduced.At(i + 1, j + 1);
                entry = mpq_class(at(i, j), m_previous);
                entry.canonicalize();
            }
        return reduced;
    }

private:
    mpz_class& at(int i, int j) { return m_data[i * m_cols + j]; }
    const mpz_class& at(int i, int j) const { return m_data[i * m_cols + j]; }

    int m_rows;
    int m_cols;
    std::vector<mpz_class> m_data;
    mpz_class m_scale = 1;    // the product of the row multipliers
    mpz_class m_previous = 1; // the latest pivot
    int m_rank = 0;
    int m_swaps = 0; // odd or even
};
} // namespace

mpq_class RowReduction::Determinant(const ExactMatrix& a, WorkProgress* progress, Method method) {
    if (method == Method::Fastest && a.Rows() == a.Cols())
        return FlintMatrix::Determinant(a, progress);
    Elimination elimination(a);
    elimination.Run(false, progress);
    return elimination.Determinant();
}

int RowReduction::Rank(const ExactMatrix& a, WorkProgress* progress, Method method) {
    if (method == Method::Fastest)
        return FlintMatrix::Rank(a, progress);
    Elimination elimination(a);
    elimination.Run(false, progress);
    return elimination.Rank();
}

ExactMatrix RowReduction::Rref(const ExactMatrix& a, WorkProgress* progress, Method method) {
    if (method == Method::Fastest)
        return FlintMatrix::Rref(a, progress);
    Elimination elimination(a);
    elimination.Run(true, progress);
    return elimination.Reduced();
}

namespace {
// Hears nothing: only the reduced form is wanted.
class Quiet : public HandElimination::Observer {
public:
    void Done(const HandElimination::Operation&, const ExactMatrix&) override {}
    bool NoPivot(int, int) override { return false; }
    bool WantsMatrices() const override { return false; }
};
} // namespace

bool RowReduction::Inverse(const ExactMatrix& a, ExactMatrix& inverse, WorkProgress* progress) {
    const int n = a.Rows();
    if (n == 0) {
        inverse = ExactMatrix();
        return true;
    }
    ExactMatrix joined(n, 2 * n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            joined.At(i, j) = a.At(i, j);
        joined.At(i, n + i) = 1;
    }
    HandElimination elimination(std::move(joined), HandElimination::Goal::Reduced, n, progress);
    Quiet quiet;
    // A column without a pivot ends the run: the matrix is singular.
    if (!elimination.Run(quiet) || elimination.Rank() < n)
        return false;
    inverse = elimination.Matrix().Columns(n + 1, n);
    return true;
}
