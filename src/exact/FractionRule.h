// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>

// The fraction a workspace value stands for, and the way back to a double.
//
// A finite double x stands for
//  (a) the simplest fraction p/q with 1 <= q <= 1,000,000 that rounds to x:
//      the one of smallest q in the interval of reals that round to x (its
//      ends belong to it when x's last significand bit is even, as ties
//      round to even), so that typed decimals and fractions come back as
//      typed: 0.5 is 1/2, 0.333333 is 333333/1000000, 1.0/3 is 1/3;
//  (b) failing that, the simplest fraction with q <= 10,000 within a
//      relative 1e-12 of x, ends included, so that results of
//      floating-point work come back: 0.33333333333333326 is 1/3;
//  (c) failing both, its own exact binary value, shown in decimals.
// Among several fractions of the smallest q (only whole numbers can be
// several) the one nearest x counts, the even one on a tie. An
// integer-valued double stands for itself, -0.0 for 0, and a magnitude
// below 2^-30, which no such fraction can reach, falls to (c).
//
// Nothing here allocates more than the fractions it returns, and nothing
// throws but std::bad_alloc.
class FractionRule {
public:
    static constexpr long MaxDenominator = 1000000; // (a)
    static constexpr long NearDenominator = 10000;  // (b)

    // The fraction of (a) or (b); nothing under (c) or for a value that is
    // not finite.
    static std::optional<mpq_class> Recognise(double x);

    // What a finite x stands for in exact arithmetic: the fraction of (a)
    // or (b), else its exact binary value.
    static mpq_class StandsFor(double x);

    // The entry Show fractions gives x: "p/q", or "p" when q = 1, under (a)
    // or (b); otherwise MUtil::FormatNumber(0, decimals, x), the trimmed
    // fixed form with thousands commas.
    static std::string Text(double x, int decimals);

    // "p/q", or "p" when the denominator is 1, for any fraction.
    static std::string FractionText(const mpq_class& value);

    // value rounded to the nearest double, ties to the even significand
    // (GMP's own conversion truncates); values below the smallest
    // subnormal round to 0 silently. Nothing when value rounds beyond the
    // largest finite double.
    static std::optional<double> NearestDouble(const mpq_class& value);
};
