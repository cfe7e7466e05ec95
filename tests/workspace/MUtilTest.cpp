// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MUtil.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {
const double TwoTo119 = std::ldexp(1.0, 119);  // 664613997892457936451903530140172288, below 10^36
const double TwoTo120 = std::ldexp(1.0, 120);  // 1329227995784915872903807060280344576

struct FormatCase {
    int W;
    int D;
    double value;
    const char* expected;
};
std::ostream& operator<<(std::ostream& out, const FormatCase& c) {
    return out << c.W << "_" << c.D << "_" << c.expected;
}

class FormatNumberTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTable, GivesExactText) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(MUtil::FormatNumber(static_cast<std::uint8_t>(c.W), static_cast<std::uint8_t>(c.D),
                                  c.value),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fixed, FormatNumberTable,
    ::testing::Values(
        // Commas take the place of padding blanks.
        FormatCase{8, 2, 1234.5, "1,234.50"}, FormatCase{9, 2, 1, "     1.00"},
        FormatCase{0, 3, -1234567.891, "-1,234,567.891"},
        FormatCase{10, 0, -1234567, "-1,234,567"}, FormatCase{0, 2, -1234.5, "-1,234.50"},
        FormatCase{0, 2, 123.45, "123.45"}, FormatCase{12, 2, 1234567.5, "1,234,567.50"},
        FormatCase{14, 2, 1234567.5, "  1,234,567.50"},
        FormatCase{3, 0, 1234567, "1,234,567"},  // too wide: longer, no blanks
        FormatCase{0, 2, 0.5, "0.50"}, FormatCase{7, 0, 0, "      0"},
        // A negative value keeps its sign when it rounds to zero.
        FormatCase{0, 2, -0.001, "-0.00"}, FormatCase{6, 2, -0.001, " -0.00"},
        FormatCase{0, 2, -1e-300, "-0.00"},
        // Exact halfway cases round away from zero; near-halfway ones to the nearest.
        FormatCase{0, 2, 0.125, "0.13"}, FormatCase{0, 2, -0.125, "-0.13"},
        FormatCase{0, 0, 2.5, "3"}, FormatCase{0, 0, 0.5, "1"}, FormatCase{0, 1, 0.25, "0.3"},
        FormatCase{0, 0, 999.5, "1,000"}, FormatCase{0, 2, 1.005, "1.00"},
        // Every digit of a large whole number below 10^36.
        FormatCase{0, 0, TwoTo119, "664,613,997,892,457,936,451,903,530,140,172,288"}));

INSTANTIATE_TEST_SUITE_P(
    Scientific, FormatNumberTable,
    ::testing::Values(
        FormatCase{255, 2, 1234.5, " 1.23450000000000E+0003"},
        FormatCase{255, 99, 1234.5, " 1.23450000000000E+0003"},
        // From 10^36 on: W - 8 significant digits, 2 to 18, 17 when trimmed.
        FormatCase{0, 2, 1e36, "1.0000000000000000E+0036"},
        FormatCase{0, 2, TwoTo120, "1.3292279957849159E+0036"},
        FormatCase{0, 2, -TwoTo120, "-1.3292279957849159E+0036"},
        FormatCase{10, 2, TwoTo120, " 1.3E+0036"}, FormatCase{10, 2, -TwoTo120, "-1.3E+0036"},
        FormatCase{12, 2, TwoTo120, " 1.329E+0036"},
        FormatCase{30, 2, TwoTo120, "     1.32922799578491587E+0036"},
        FormatCase{5, 2, TwoTo120, "1.3E+0036"}));

struct ScientificCase {
    double value;
    const char* expected;
};
std::ostream& operator<<(std::ostream& out, const ScientificCase& c) { return out << c.expected; }

class ScientificFormTable : public ::testing::TestWithParam<ScientificCase> {};

TEST_P(ScientificFormTable, GivesTwentyThreeCharacters) {
    const ScientificCase& c = GetParam();
    EXPECT_EQ(MUtil::ScientificForm(c.value), c.expected);
    std::string appended = "x";
    MUtil::AppendScientificForm(appended, c.value);
    EXPECT_EQ(appended, std::string("x") + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    MUtil, ScientificFormTable,
    ::testing::Values(
        ScientificCase{150, " 1.50000000000000E+0002"},
        ScientificCase{-0.001, "-1.00000000000000E-0003"},
        ScientificCase{0, " 0.00000000000000E+0000"},
        ScientificCase{0.1, " 1.00000000000000E-0001"},
        ScientificCase{1.0 / 3, " 3.33333333333333E-0001"},
        ScientificCase{2.0 / 3, " 6.66666666666667E-0001"},
        ScientificCase{-1234.5, "-1.23450000000000E+0003"},
        ScientificCase{1e100, " 1.00000000000000E+0100"},
        ScientificCase{100000000000000.5, " 1.00000000000001E+0014"},  // exact tie
        ScientificCase{999999999999998.5, " 9.99999999999999E+0014"},  // tie, odd side
        ScientificCase{999999999999999.5, " 1.00000000000000E+0015"},  // carry
        ScientificCase{std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-0324"},
        ScientificCase{DBL_MIN, " 2.22507385850720E-0308"},
        // Rounded down so that the text still reads as a double.
        ScientificCase{DBL_MAX, " 1.79769313486231E+0308"},
        ScientificCase{-DBL_MAX, "-1.79769313486231E+0308"}));
} // namespace
