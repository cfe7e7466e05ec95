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
//  (a2) failing that, when the shortest decimal text that reads back as x
//      has at most 12 significant digits, that decimal exactly: what was
//      typed or stored in a data file, so 0.1234567 is 1234567/10000000;
//  (b) failing that, the simplest fraction with q <= 10,000 within a
//      relative 1e-12 of x, ends included, so that results of
//      floating-point work come back: 0.33333333333333326 is 1/3;
//  (c) failing all, its own exact binary value, shown in decimals.
// Twelve digits and not fifteen: floating-point results of small integer
// matrices often have shortest texts of 13 to 15 digits (-0.372185430463576
// for -281/755), and (b) must still find them. The price is that a typed
// 6.0000000000001 stands for 6, which the workings say whenever they read a
// value by (b).
// Among several fractions of the smallest q (only whole numbers can be
// several) the one nearest x counts, the even one on a tie. An
// integer-valued double stands for itself, -0.0 for 0, and a magnitude
// below 2^-30, which no fraction of (a) or (b) can reach, falls to (a2) or
// (c).
//
// Nothing here allocates more than the fractions it returns, and nothing
// throws but std::bad_alloc.
class FractionRule {
public:
    // Which part of the rule gives x its fraction: Simple (a), whole
    // numbers and 0 included; Decimal (a2); Near (b); Binary (c), and
    // values that are not finite.
    enum class Rule { Simple, Decimal, Near, Binary };
    static constexpr int DecimalDigits = 12; // (a2)

    // Whether a view shows x's fraction as "p/q": under (a) and (b), and
    // under (a2) while p and q have at most 21 digits each; beyond that
    // (1e-300) the shortest decimal text says the same far better.
    static bool ShownAsFraction(Rule rule, const mpq_class& value);

    static constexpr long MaxDenominator = 1000000; // (a)
    static constexpr long NearDenominator = 10000;  // (b)

    // The rule that gives x its fraction, and that fraction (x's exact
    // binary value under (c)) in value when given and x is finite.
    static Rule RuleOf(double x, mpq_class* value = nullptr);

    // The fraction of (a), (a2) or (b); nothing under (c) or for a value
    // that is not finite.
    static std::optional<mpq_class> Recognise(double x);

    // What a finite x stands for in exact arithmetic: the fraction of (a),
    // (a2) or (b), else its exact binary value.
    static mpq_class StandsFor(double x);

    // The entry Show fractions gives x: "p/q", or "p" when q = 1, under (a),
    // (a2) or (b), but the shortest text of x ("1e-300") for a decimal of
    // (a2) whose p or q has more than 20 digits; otherwise MUtil::FormatNumber(0, decimals, x), the trimmed
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
