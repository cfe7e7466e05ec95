// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gmpxx.h>

#include <vector>

struct TMatrixRec;

// A matrix of exact fractions, Rows x Cols, addressed (i, j) from 1 like
// TMatrixRec. It is the bridge between the workspace's doubles and exact
// arithmetic: in through the fractions the values stand for, out by
// rounding each entry to the nearest double.
class ExactMatrix {
public:
    ExactMatrix() = default;
    ExactMatrix(int rows, int cols) : m_rows(rows), m_cols(cols), m_data(rows * cols) {}

    // The fractions the Rows x Cols values of m stand for (FractionRule).
    static ExactMatrix FromRecord(const TMatrixRec& m);
    static ExactMatrix Identity(int n);

    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    mpq_class& At(int i, int j) { return m_data[(i - 1) * m_cols + (j - 1)]; }
    const mpq_class& At(int i, int j) const { return m_data[(i - 1) * m_cols + (j - 1)]; }

    // Sets record's size and its Rows x Cols values to the entries rounded
    // to the nearest doubles; the name and the rest of the block stay. When
    // an entry rounds beyond the double range, returns false and leaves the
    // record as it was; so too when it has more than MaxDim rows or
    // columns, which callers refuse with a message of their own first.
    bool ToRecord(TMatrixRec& record) const;

    // The columns first to first + count - 1.
    ExactMatrix Columns(int first, int count) const;

    // The least common multiple of the denominators of row i: what makes
    // the row whole numbers, as the fraction-free and modular methods
    // work on them.
    mpz_class RowDenominator(int i) const;

    // The product; Cols() must equal other.Rows().
    ExactMatrix operator*(const ExactMatrix& other) const;
    bool operator==(const ExactMatrix& other) const {
        return m_rows == other.m_rows && m_cols == other.m_cols && m_data == other.m_data;
    }
    bool operator!=(const ExactMatrix& other) const { return !(*this == other); }

private:
    int m_rows = 0;
    int m_cols = 0;
    std::vector<mpq_class> m_data;
};
