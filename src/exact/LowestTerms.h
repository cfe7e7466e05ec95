// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gmpxx.h>

#include <vector>

// Fractions of thousands of digits brought to lowest terms together, where
// each denominator is a multiple of one common number Q, as the factors of
// an elimination step and the entries of a reduced form are (Q the product
// of the pivots). Their greatest common divisors one by one take about
// three milliseconds each. Here Q loses its small prime factors, leaving
// R; one product of the numerators modulo R and one greatest common
// divisor find the factors of R that some numerator shares, and R without
// them, R', shares none: each fraction then needs only the divisor of its
// numerator and den / R', a short number.
class LowestTerms {
public:
    explicit LowestTerms(const mpz_class& common);

    // Each fraction's denominator is a multiple of the common number; the
    // fractions need not be in lowest terms and may have a negative
    // denominator. Safe to call from several threads at once on separate
    // fractions.
    void Reduce(const std::vector<mpq_class*>& fractions) const;

private:
    mpz_class m_rough; // R: Q without its prime factors below SmallPrimes
};
