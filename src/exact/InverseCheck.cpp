// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InverseCheck.h"

#include "ExactMatrix.h"
#include "ParallelWork.h"

#include <gmpxx.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {
// The least common multiple of the denominators of column j; the
// denominators of an inverse mostly divide one another, which a division
// tells faster than a greatest common divisor.
mpz_class columnDenominator(const ExactMatrix& x, int j) {
    mpz_class lcm = 1;
    for (int i = 1; i <= x.Rows(); ++i) {
        const mpz_class& den = x.At(i, j).get_den();
        if (!mpz_divisible_p(lcm.get_mpz_t(), den.get_mpz_t()))
            mpz_lcm(lcm.get_mpz_t(), lcm.get_mpz_t(), den.get_mpz_t());
    }
    return lcm;
}
} // namespace

bool InverseCheck::Holds(const ExactMatrix& a, const ExactMatrix& x, WorkProgress* progress) {
    const int n = a.Rows();
    if (a.Cols() != n || x.Rows() != n || x.Cols() != n)
        throw std::invalid_argument("the inverse check needs square matrices of one size");

    // Row i of A over d_i: odd parts and shifts of the whole numbers.
    std::vector<mpz_class> rowDen(n);
    std::vector<mpz_class> odd(static_cast<std::size_t>(n) * n);
    std::vector<mp_bitcnt_t> shift(static_cast<std::size_t>(n) * n, 0);
    for (int i = 0; i < n; ++i) {
        mpz_class& d = rowDen[i];
        d = a.RowDenominator(i + 1);
        for (int k = 0; k < n; ++k) {
            const mpq_class& entry = a.At(i + 1, k + 1);
            mpz_class& whole = odd[static_cast<std::size_t>(i) * n + k];
            mpz_divexact(whole.get_mpz_t(), d.get_mpz_t(), entry.get_den_mpz_t());
            whole *= entry.get_num();
            if (whole != 0) {
                const mp_bitcnt_t zeros = mpz_scan1(whole.get_mpz_t(), 0);
                shift[static_cast<std::size_t>(i) * n + k] = zeros;
                whole >>= zeros;
            }
        }
    }

    // Column by column: sum_k B_ik N_kj = d_i L_j when i = j, 0 elsewhere.
    std::atomic<bool> holds{true};
    ParallelWork::For(static_cast<std::size_t>(n), progress, [&](std::size_t jj, int) {
        if (!holds)
            return;
        const int j = static_cast<int>(jj) + 1;
        const mpz_class common = columnDenominator(x, j);
        std::vector<mpz_class> column(n);
        for (int k = 0; k < n; ++k) {
            const mpq_class& entry = x.At(k + 1, j);
            mpz_divexact(column[k].get_mpz_t(), common.get_mpz_t(), entry.get_den_mpz_t());
            column[k] *= entry.get_num();
        }
        mpz_class sum;
        mpz_class term;
        for (int i = 0; i < n && holds; ++i) {
            sum = 0;
            for (int k = 0; k < n; ++k) {
                const mpz_class& b = odd[static_cast<std::size_t>(i) * n + k];
                if (b == 0 || column[k] == 0)
                    continue;
                mpz_mul(term.get_mpz_t(), column[k].get_mpz_t(), b.get_mpz_t());
                mpz_mul_2exp(term.get_mpz_t(), term.get_mpz_t(),
                             shift[static_cast<std::size_t>(i) * n + k]);
                sum += term;
            }
            if (i + 1 == j)
                sum -= rowDen[i] * common;
            if (sum != 0)
                holds = false;
        }
    });
    return holds;
}
