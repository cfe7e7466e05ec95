// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LowestTerms.h"

namespace {
// The odd primes below 4096, divided out of Q one by one: the factors a
// numerator most often shares with Q, which would otherwise stay in the
// short part of each denominator.
const std::vector<unsigned long>& smallPrimes() {
    static const std::vector<unsigned long> primes = [] {
        const unsigned long bound = 4096;
        std::vector<bool> composite(bound, false);
        std::vector<unsigned long> list;
        for (unsigned long p = 3; p < bound; p += 2) {
            if (composite[p])
                continue;
            list.push_back(p);
            for (unsigned long q = p * p; q < bound; q += 2 * p)
                composite[q] = true;
        }
        return list;
    }();
    return primes;
}
} // namespace

LowestTerms::LowestTerms(const mpz_class& common) : m_rough(abs(common)) {
    if (m_rough == 0)
        m_rough = 1;
    mpz_fdiv_q_2exp(m_rough.get_mpz_t(), m_rough.get_mpz_t(), mpz_scan1(m_rough.get_mpz_t(), 0));
    for (const unsigned long p : smallPrimes())
        while (mpz_divisible_ui_p(m_rough.get_mpz_t(), p))
            mpz_divexact_ui(m_rough.get_mpz_t(), m_rough.get_mpz_t(), p);
}

void LowestTerms::Reduce(const std::vector<mpq_class*>& fractions) const {
    // The prime factors of R that divide some numerator divide their
    // product, and so h = gcd(product, R); R without them, R', has no factor
    // in common with any numerator, and gcd(num, den) = gcd(num, den / R').
    mpz_class rough = m_rough;
    if (rough > 1) {
        mpz_class product = 1;
        for (const mpq_class* f : fractions) {
            product *= f->get_num();
            product %= rough;
        }
        mpz_class shared = gcd(product, rough);
        while (shared > 1) {
            mpz_divexact(rough.get_mpz_t(), rough.get_mpz_t(), shared.get_mpz_t());
            shared = gcd(rough, shared);
        }
    }
    mpz_class shortPart;
    mpz_class divisor;
    for (mpq_class* f : fractions) {
        mpz_class& num = f->get_num();
        mpz_class& den = f->get_den();
        if (num == 0) {
            den = 1;
            continue;
        }
        mpz_divexact(shortPart.get_mpz_t(), den.get_mpz_t(), rough.get_mpz_t());
        mpz_gcd(divisor.get_mpz_t(), num.get_mpz_t(), shortPart.get_mpz_t());
        if (divisor != 1) {
            mpz_divexact(num.get_mpz_t(), num.get_mpz_t(), divisor.get_mpz_t());
            mpz_divexact(den.get_mpz_t(), den.get_mpz_t(), divisor.get_mpz_t());
        }
        if (den < 0) {
            num = -num;
            den = -den;
        }
    }
}
