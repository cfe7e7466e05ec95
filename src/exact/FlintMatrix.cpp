// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FlintMatrix.h"

#include "WorkProgress.h"

#include <flint/fmpz.h>
#include <flint/fmpz_mat.h>

#include <algorithm>
#include <stdexcept>

namespace {
// An fmpz_mat_t that frees itself, also when a cancel unwinds past it.
class IntegerMatrix {
public:
    IntegerMatrix(int rows, int cols) {
        if (rows <= 0 || cols <= 0)
            throw std::logic_error("FLINT matrices here are never empty");
        fmpz_mat_init(m_mat, rows, cols);
    }
    ~IntegerMatrix() { fmpz_mat_clear(m_mat); }
    IntegerMatrix(const IntegerMatrix&) = delete;
    IntegerMatrix& operator=(const IntegerMatrix&) = delete;

    fmpz_mat_struct* get() { return m_mat; }
    const fmpz_mat_struct* get() const { return m_mat; }
    fmpz* at(int i, int j) { return fmpz_mat_entry(m_mat, i, j); }

private:
    fmpz_mat_t m_mat;
};

class Integer {
public:
    Integer() { fmpz_init(m_value); }
    ~Integer() { fmpz_clear(m_value); }
    Integer(const Integer&) = delete;
    Integer& operator=(const Integer&) = delete;

    fmpz* get() { return m_value; }
    const fmpz* get() const { return m_value; }
    mpz_class value() const {
        mpz_class result;
        fmpz_get_mpz(result.get_mpz_t(), m_value);
        return result;
    }

private:
    fmpz_t m_value;
};

// Fills m with a's rows in whole numbers and returns the product of the
// row multipliers. a is not empty.
mpz_class wholeRows(const ExactMatrix& a, IntegerMatrix& m) {
    mpz_class scale = 1;
    mpz_class lcm;
    mpz_class entry;
    for (int i = 1; i <= a.Rows(); ++i) {
        lcm = a.RowDenominator(i);
        for (int j = 1; j <= a.Cols(); ++j) {
            const mpq_class& value = a.At(i, j);
            mpz_divexact(entry.get_mpz_t(), lcm.get_mpz_t(), value.get_den_mpz_t());
            entry *= value.get_num();
            fmpz_set_mpz(m.at(i - 1, j - 1), entry.get_mpz_t());
        }
        scale *= lcm;
    }
    return scale;
}
// Fills m with a times the least common multiple of all its denominators,
// and returns that multiple. a is not empty.
mpz_class wholeMatrix(const ExactMatrix& a, IntegerMatrix& m) {
    mpz_class scale = 1;
    for (int i = 1; i <= a.Rows(); ++i)
        scale = lcm(scale, a.RowDenominator(i));
    mpz_class entry;
    for (int i = 1; i <= a.Rows(); ++i)
        for (int j = 1; j <= a.Cols(); ++j) {
            const mpq_class& value = a.At(i, j);
            mpz_divexact(entry.get_mpz_t(), scale.get_mpz_t(), value.get_den_mpz_t());
            entry *= value.get_num();
            fmpz_set_mpz(m.at(i - 1, j - 1), entry.get_mpz_t());
        }
    return scale;
}

// The entries of m times factor.
ExactMatrix scaled(const IntegerMatrix& m, int rows, int cols, const mpq_class& factor) {
    ExactMatrix result(rows, cols);
    mpz_class entry;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            fmpz_get_mpz(entry.get_mpz_t(), fmpz_mat_entry(m.get(), i, j));
            result.At(i + 1, j + 1) = mpq_class(entry) * factor;
        }
    return result;
}

// Rows of a product taken at a time, so that progress hears, and a cancel
// takes effect, within a product of numbers of many thousands of digits.
constexpr int ProductBlocks = 8;

// product = left right, size x size each, product apart from both; done is
// counted up once per block.
void multiply(IntegerMatrix& product, const IntegerMatrix& left, const IntegerMatrix& right,
              int size, WorkProgress* progress, int& done, int total) {
    const int block = (size + ProductBlocks - 1) / ProductBlocks;
    for (int r = 0; r < size; r += block) {
        const int end = std::min(size, r + block);
        fmpz_mat_t out;
        fmpz_mat_t in;
        fmpz_mat_window_init(out, product.get(), r, 0, end, size);
        fmpz_mat_window_init(in, left.get(), r, 0, end, size);
        fmpz_mat_mul(out, in, right.get());
        fmpz_mat_window_clear(in);
        fmpz_mat_window_clear(out);
        ReportProgress(progress, ++done, total);
    }
}

void requireSquare(const ExactMatrix& a) {
    if (a.Rows() != a.Cols())
        throw std::invalid_argument("a square matrix is needed");
}
} // namespace

mpq_class FlintMatrix::Determinant(const ExactMatrix& a, WorkProgress* progress) {
    if (a.Rows() != a.Cols())
        throw std::invalid_argument("the determinant needs a square matrix");
    if (a.Rows() == 0)
        return 1;
    ReportProgress(progress, 0, 1);
    IntegerMatrix m(a.Rows(), a.Cols());
    const mpz_class scale = wholeRows(a, m);
    Integer det;
    fmpz_mat_det(det.get(), m.get());
    mpq_class result(det.value(), scale);
    result.canonicalize();
    ReportProgress(progress, 1, 1);
    return result;
}

int FlintMatrix::Rank(const ExactMatrix& a, WorkProgress* progress) {
    if (a.Rows() == 0 || a.Cols() == 0)
        return 0;
    ReportProgress(progress, 0, 1);
    IntegerMatrix m(a.Rows(), a.Cols());
    wholeRows(a, m);
    const int rank = static_cast<int>(fmpz_mat_rank(m.get()));
    ReportProgress(progress, 1, 1);
    return rank;
}

ExactMatrix FlintMatrix::Rref(const ExactMatrix& a, WorkProgress* progress) {
    ExactMatrix reduced(a.Rows(), a.Cols());
    if (a.Rows() == 0 || a.Cols() == 0)
        return reduced;
    ReportProgress(progress, 0, 1);
    IntegerMatrix m(a.Rows(), a.Cols());
    wholeRows(a, m);
    IntegerMatrix b(a.Rows(), a.Cols());
    Integer den;
    // A zero matrix may leave den at 0; its reduced form is itself.
    if (fmpz_mat_rref(b.get(), den.get(), m.get()) == 0 || fmpz_is_zero(den.get())) {
        ReportProgress(progress, 1, 1);
        return reduced;
    }
    const mpz_class denominator = den.value();
    mpz_class numerator;
    for (int i = 0; i < a.Rows(); ++i)
        for (int j = 0; j < a.Cols(); ++j) {
            fmpz_get_mpz(numerator.get_mpz_t(), b.at(i, j));
            mpq_class& entry = reduced.At(i + 1, j + 1);
            entry = mpq_class(numerator, denominator);
            entry.canonicalize();
        }
    ReportProgress(progress, 1, 1);
    return reduced;
}

ExactMatrix FlintMatrix::Power(const ExactMatrix& a, int n, const PowerStep& step,
                               WorkProgress* progress) {
    requireSquare(a);
    if (n < 0)
        throw std::invalid_argument("the exponent is never negative here");
    const int size = a.Rows();
    if (n == 0 || size == 0)
        return ExactMatrix::Identity(size);
    IntegerMatrix current(size, size);
    const mpz_class scale = wholeMatrix(a, current);
    IntegerMatrix base(size, size);
    fmpz_mat_set(base.get(), current.get());
    IntegerMatrix product(size, size);
    int top = 0;
    while ((n >> (top + 1)) != 0)
        ++top;
    int reached = 1;
    const auto tell = [&](int left, int right) {
        if (step) {
            mpz_class divisor;
            mpz_pow_ui(divisor.get_mpz_t(), scale.get_mpz_t(), static_cast<unsigned long>(reached));
            step(reached, left, right, scaled(current, size, size, mpq_class(1, divisor)));
        }
    };
    int done = 0;
    const int total = 2 * top * ProductBlocks;
    ReportProgress(progress, 0, total);
    for (int bit = top - 1; bit >= 0; --bit) {
        multiply(product, current, current, size, progress, done, total);
        fmpz_mat_swap(product.get(), current.get());
        const int half = reached;
        reached *= 2;
        tell(half, half);
        if ((n >> bit) & 1) {
            multiply(product, current, base, size, progress, done, total);
            fmpz_mat_swap(product.get(), current.get());
            ++reached;
            tell(reached - 1, 1);
        }
    }
    mpz_class divisor;
    mpz_pow_ui(divisor.get_mpz_t(), scale.get_mpz_t(), static_cast<unsigned long>(n));
    mpq_class factor(1, divisor);
    factor.canonicalize();
    ReportProgress(progress, total, total);
    return scaled(current, size, size, factor);
}
