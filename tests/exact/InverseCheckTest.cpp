// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InverseCheck.h"
#include "ExactMatrix.h"
#include "RowReduction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {
// The check agrees with multiplying out in fractions: on the true inverse
// of wide-range, fraction and integer matrices, and on that inverse with
// one entry moved by the least amount that a fraction of its size can be.
TEST(InverseCheck, AgreesWithTheProductInFractions) {
    std::mt19937_64 random(19);
    for (int k = 0; k < 300; ++k) {
        const int n = 1 + static_cast<int>(random() % 6);
        ExactMatrix a(n, 2 * n);
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                switch (k % 3) {
                case 0:
                    a.At(i, j) = mpq_class(
                        std::ldexp(1.0 + random() % 1000, static_cast<int>(random() % 1200) - 600));
                    break;
                case 1:
                    a.At(i, j) = mpq_class(static_cast<long>(random() % 21) - 10, 1 + random() % 9);
                    break;
                default:
                    a.At(i, j) = static_cast<long>(random() % 7) - 3;
                    break;
                }
                a.At(i, j).canonicalize();
            }
            a.At(i, n + i) = 1;
        }
        const ExactMatrix reduced = RowReduction::Rref(a);
        const ExactMatrix left = reduced.Columns(1, n);
        if (!(left == ExactMatrix::Identity(n)))
            continue; // singular
        const ExactMatrix square = a.Columns(1, n);
        ExactMatrix inverse = reduced.Columns(n + 1, n);
        ASSERT_TRUE(InverseCheck::Holds(square, inverse)) << "case " << k;
        const int i = 1 + static_cast<int>(random() % n);
        const int j = 1 + static_cast<int>(random() % n);
        mpq_class& entry = inverse.At(i, j);
        entry += mpq_class(1, entry.get_den() * entry.get_den() + 1);
        ASSERT_EQ(InverseCheck::Holds(square, inverse),
                  square * inverse == ExactMatrix::Identity(n))
            << "case " << k;
        EXPECT_FALSE(InverseCheck::Holds(square, inverse)) << "case " << k;
    }
}
} // namespace
