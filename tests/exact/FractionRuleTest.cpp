// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FractionRule.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {
mpq_class Fraction(const mpz_class& p, const mpz_class& q) {
    mpq_class value(p, q);
    value.canonicalize();
    return value;
}

// The text Show fractions gives a value, "(c)" for none.
std::string Shown(double x) {
    const std::optional<mpq_class> value = FractionRule::Recognise(x);
    return value ? FractionRule::FractionText(*value) : "(c)";
}

double Ulps(double x, int steps) {
    for (int i = 0; i < steps; ++i)
        x = std::nextafter(x, HUGE_VAL);
    return x;
}

struct RuleCase {
    const char* what;
    double x;
    const char* expected;
};

class Rule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Rule, GivesTheSimplestFraction) {
    EXPECT_EQ(Shown(GetParam().x), GetParam().expected) << GetParam().x;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rule,
    ::testing::Values(
        // (a): what was typed comes back.
        RuleCase{"half", 0.5, "1/2"}, RuleCase{"six threes", 0.333333, "333333/1000000"},
        RuleCase{"one tenth", 0.1, "1/10"}, RuleCase{"negative", -0.75, "-3/4"},
        RuleCase{"millionths", 1.000001, "1000001/1000000"},
        RuleCase{"thousandths", 123456.789, "123456789/1000"},
        RuleCase{"third from a grid", 1.0 / 3, "1/3"}, RuleCase{"sevenths", 22.0 / 7, "22/7"},
        RuleCase{"largest denominator", 1.0 / 999983, "1/999983"},
        RuleCase{"denominator past the bound", 1.0 / 1000003, "999997000009/1000000000000000000"},
        // (a2): typed decimals of 7 to 12 significant digits, as typed.
        RuleCase{"seven digits", 0.1234567, "1234567/10000000"},
        RuleCase{"twelve digits", -0.123456789012, "-30864197253/250000000000"},
        RuleCase{"small typed", 1.5e-12, "3/2000000000000"},
        RuleCase{"typed below the bound", 5e-40,
                 "1/2000000000000000000000000000000000000000"},
        // Thirteen digits and more: (b) where a simple fraction is near ...
        RuleCase{"thirteen digits near six", 6.0000000000001, "6"},
        RuleCase{"inverse entry of fifteen digits", -0.372185430463576, "-281/755"},
        RuleCase{"whole inverse entry", 84.9999999999961, "85"},
        // ... else (c).
        RuleCase{"thirteen digits", 0.1234567890123, "(c)"},
        // (b): results of floating-point work.
        RuleCase{"third from an inverse", 0.33333333333333326, "1/3"},
        RuleCase{"sum of tenths", 0.1 + 0.2, "3/10"},
        RuleCase{"some ulps off", Ulps(1.0 / 9973, 3), "1/9973"},
        RuleCase{"some ulps off past the bound", Ulps(1.0 / 10007, 3), "(c)"},
        RuleCase{"relatively near", (1.0 / 3) * (1 + 0.9e-12), "1/3"},
        RuleCase{"relatively too far", (1.0 / 3) * (1 + 1.1e-12), "(c)"},
        RuleCase{"whole number above", Ulps(3, 2), "3"},
        RuleCase{"whole number below", std::nextafter(3.0, 0.0), "3"},
        // Whole numbers stand for themselves.
        RuleCase{"two to the 60", std::ldexp(1.0, 60), "1152921504606846976"},
        RuleCase{"two to the 53 plus 2", std::ldexp(1.0, 53) + 2, "9007199254740994"},
        RuleCase{"negative whole", -7.0, "-7"}, RuleCase{"negative zero", -0.0, "0"},
        // (c): nothing simple comes near.
        RuleCase{"root of two", std::sqrt(2.0), "(c)"},
        RuleCase{"tiny", std::sqrt(2.0) * 1e-300, "(c)"},
        RuleCase{"below the bound", std::ldexp(1.0, -31), "(c)"}),
    CaseName());

TEST(RuleText, ShowsDecimalsUnderTheThirdCase) {
    EXPECT_EQ(FractionRule::Text(std::sqrt(2.0), 3), "1.414");
    EXPECT_EQ(FractionRule::Text(-1234.56789012345, 2), "-1,234.57");
    EXPECT_EQ(FractionRule::Text(-0.0, 2), "0");
    EXPECT_EQ(FractionRule::Text(-2.5, 2), "-5/2");
    EXPECT_EQ(FractionRule::Text(1e300, 2), mpz_class(1e300).get_str());
    EXPECT_EQ(FractionRule::StandsFor(std::sqrt(2.0)), mpq_class(std::sqrt(2.0)));
}

// The smallest q <= 10^6 with some p / q rounding to x, the nearest such p;
// a double division of integers below 2^53 is correctly rounded.
std::optional<mpq_class> SearchEveryDenominator(double x) {
    for (long q = 1; q <= FractionRule::MaxDenominator; ++q) {
        const long centre = static_cast<long>(std::floor(x * q));
        for (long p = centre - 1; p <= centre + 2; ++p)
            if (static_cast<double>(p) / static_cast<double>(q) == x)
                return Fraction(p, q);
    }
    return std::nullopt;
}

// The smallest q <= 10^4 with p / q within a relative 10^-12 of x.
std::optional<mpq_class> SearchNearDenominators(double x) {
    const mpq_class exact(x);
    const mpq_class tolerance = abs(exact) / 1000000000000L;
    for (long q = 1; q <= FractionRule::NearDenominator; ++q) {
        const long p = std::lround(x * q);
        for (long candidate : {p, p - 1, p + 1})
            if (abs(Fraction(candidate, q) - exact) <= tolerance)
                return Fraction(candidate, q);
    }
    return std::nullopt;
}

// The decimal of the fewest significant digits that reads back as x, when
// it has at most 12.
std::optional<mpq_class> ShortDecimal(double x) {
    char text[64];
    for (int digits = 1; digits <= 12; ++digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, x);
        if (std::strtod(text, nullptr) != x)
            continue;
        std::string mantissa(text, std::strchr(text, 'e'));
        mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
        const int exponent = std::atoi(std::strchr(text, 'e') + 1) - (digits - 1);
        mpz_class scale;
        mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(std::abs(exponent)));
        return exponent < 0 ? Fraction(mpz_class(mantissa), scale)
                            : mpq_class(mpz_class(mantissa) * scale);
    }
    return std::nullopt;
}

TEST(RuleSearch, AgreesWithTryingEveryDenominator) {
    std::mt19937_64 random(77);
    for (int k = 0; k < 60; ++k) {
        double x = 0;
        switch (k % 5) {
        case 0: // a typed fraction
            x = static_cast<double>(random() % 2000000) /
                static_cast<double>(random() % 999999 + 2);
            break;
        case 1: // a few ulps off a small fraction
            x = Ulps(static_cast<double>(random() % 20000) /
                         static_cast<double>(random() % 9999 + 2),
                     1 + static_cast<int>(random() % 4));
            break;
        case 2: // a tiny fraction, below 2^-11
            x = static_cast<double>(random() % 400 + 1) /
                static_cast<double>(random() % 100000 + 900000);
            break;
        case 3: // anything tiny, or a typed decimal of 7 to 12 digits
            x = k % 2 == 0 ? std::uniform_real_distribution<double>(1e-7, 1e-3)(random)
                           : static_cast<double>(random() % 1000000000000) /
                                 std::pow(10.0, static_cast<double>(random() % 12 + 1));
            break;
        default: // anything
            x = std::uniform_real_distribution<double>(0, 100)(random);
        }
        if (x == std::floor(x))
            continue;
        std::optional<mpq_class> expected = SearchEveryDenominator(x);
        if (!expected)
            expected = ShortDecimal(x);
        if (!expected)
            expected = SearchNearDenominators(x);
        const std::optional<mpq_class> found = FractionRule::Recognise(x);
        ASSERT_EQ(found.has_value(), expected.has_value()) << x;
        if (found) {
            EXPECT_EQ(*found, *expected) << x;
        }
        EXPECT_EQ(FractionRule::Recognise(-x),
                  found ? std::optional<mpq_class>(-*found) : std::nullopt);
    }
}

TEST(NearestDouble, RoundsHalfToEven) {
    const mpz_class two53 = mpz_class(1) << 53;
    const mpz_class two1024 = mpz_class(1) << 1024;
    EXPECT_EQ(FractionRule::NearestDouble(mpq_class(two53 + 1)), std::ldexp(1.0, 53));
    EXPECT_EQ(FractionRule::NearestDouble(mpq_class(two53 + 3)), std::ldexp(1.0, 53) + 4);
    EXPECT_EQ(FractionRule::NearestDouble(Fraction(-1, 10)), -0.1);
    EXPECT_EQ(FractionRule::NearestDouble(Fraction(1, 3)), 1.0 / 3);
    // Past the largest double, and the halfway point that rounds up to 2^1024.
    EXPECT_EQ(FractionRule::NearestDouble(mpq_class(two1024)), std::nullopt);
    EXPECT_EQ(FractionRule::NearestDouble(mpq_class(two1024 - (mpz_class(1) << 970))),
              std::nullopt);
    EXPECT_EQ(FractionRule::NearestDouble(mpq_class(two1024 - (mpz_class(1) << 970) - 1)), DBL_MAX);
    // Subnormals: half the smallest rounds to 0, three quarters up to it.
    const mpz_class two1076 = mpz_class(1) << 1076;
    EXPECT_EQ(FractionRule::NearestDouble(Fraction(2, two1076)), 0.0);
    EXPECT_EQ(FractionRule::NearestDouble(Fraction(3, two1076)), 5e-324);
}

TEST(NearestDouble, MatchesCorrectlyRoundedDivisionAndRoundTrips) {
    std::mt19937_64 random(91);
    for (int k = 0; k < 20000; ++k) {
        const long p = static_cast<long>(random() >> 11) - (1L << 52);
        const long q = static_cast<long>(random() >> (11 + random() % 40)) + 1;
        ASSERT_EQ(FractionRule::NearestDouble(Fraction(p, q)),
                  static_cast<double>(p) / static_cast<double>(q))
            << p << "/" << q;
        std::uint64_t bits = random() & 0x7FEFFFFFFFFFFFFFULL;
        double x = 0;
        std::memcpy(&x, &bits, sizeof x);
        ASSERT_EQ(FractionRule::NearestDouble(mpq_class(x)), x);
    }
}
} // namespace
