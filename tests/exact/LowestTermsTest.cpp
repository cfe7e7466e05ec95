// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LowestTerms.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// The same lowest terms as a greatest common divisor of each fraction's
// own gives: with numerators that share nothing with Q, a small prime, a
// large prime (above those divided out first), or a power of one, and
// denominators Q times a cofactor, negative now and then.
TEST(LowestTerms, AgreeWithEachFractionsOwnDivisor) {
    gmp_randclass random(gmp_randinit_default);
    random.seed(42);
    const mpz_class large("1000000007");
    for (int k = 0; k < 200; ++k) {
        const mpz_class q =
            random.get_z_bits(200 + k * 5) * (k % 2 ? large : 1) * (k % 3 ? 9 : 1) + 1;
        std::vector<mpq_class> fractions;
        for (int f = 0; f < 30; ++f) {
            mpz_class num = random.get_z_bits(150 + f * 7) - random.get_z_bits(100);
            if (f % 5 == 0)
                num *= large;
            if (f % 7 == 0)
                num *= large * large;
            if (f % 4 == 0)
                num *= 3;
            if (f % 11 == 0)
                num = 0;
            const mpz_class cofactor =
                (f % 3 == 0 ? -1 : 1) * (mpz_class(1) << (f % 9)) * (1 + f % 5);
            mpq_class fraction;
            fraction.get_num() = num;
            fraction.get_den() = q * cofactor;
            fractions.push_back(fraction);
        }
        std::vector<mpq_class> expected = fractions;
        for (mpq_class& e : expected)
            e.canonicalize();
        std::vector<mpq_class*> pointers;
        for (mpq_class& f : fractions)
            pointers.push_back(&f);
        LowestTerms(q).Reduce(pointers);
        for (std::size_t f = 0; f < fractions.size(); ++f) {
            ASSERT_EQ(fractions[f].get_num(), expected[f].get_num()) << k << " " << f;
            ASSERT_EQ(fractions[f].get_den(), expected[f].get_den()) << k << " " << f;
        }
    }
}
} // namespace
