// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CellText.h"
#include "FractionRule.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace {
// What a cell reads as: the value in full, or "no".
std::string Read(const std::string& text) {
    const std::optional<double> value = CellText::Read(text);
    if (!value)
        return "no";
    char shown[40];
    std::snprintf(shown, sizeof shown, "%.17g", *value);
    return shown;
}

struct CellCase {
    const char* what;
    std::string text;
    const char* expected;
};

class Cell : public ::testing::TestWithParam<CellCase> {};

TEST_P(Cell, ReadsAsTheDataFileReaderOrAFraction) {
    EXPECT_EQ(Read(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cell,
    ::testing::Values(
        CellCase{"integer", "42", "42"}, CellCase{"plus sign", "+7", "7"},
        CellCase{"point", "-1.5", "-1.5"}, CellCase{"leading point", ".5", "0.5"},
        CellCase{"trailing point", "3.", "3"}, CellCase{"exponent", "1.5e3", "1500"},
        CellCase{"signed exponent", "25E-1", "2.5"}, CellCase{"trimmed", " \t2 \t", "2"},
        CellCase{"beyond the range", "1e309", "no"}, CellCase{"underflow", "1e-400", "0"},
        CellCase{"negative underflow", "-1e-400", "-0"},
        CellCase{"fraction", "1/3", "0.33333333333333331"},
        CellCase{"signed fraction", "-22/7", "-3.1428571428571428"},
        CellCase{"plus fraction", "+3/4", "0.75"}, CellCase{"whole fraction", "10/5", "2"},
        // 2^53 + 1 lies halfway: the nearest double on a tie has the even significand.
        CellCase{"halfway fraction", "9007199254740993/1", "9007199254740992"},
        CellCase{"nearest, not truncated", "1/10", "0.10000000000000001"},
        CellCase{"fraction beyond the range", std::string(400, '9') + "/1", "no"},
        CellCase{"zero denominator", "1/0", "no"}, CellCase{"zeros denominator", "5/000", "no"},
        CellCase{"signed denominator", "1/-3", "no"}, CellCase{"no numerator", "/3", "no"},
        CellCase{"decimal fraction", "1.5/2", "no"}, CellCase{"blank in fraction", "1 /2", "no"},
        CellCase{"two slashes", "1/2/3", "no"}, CellCase{"empty", "", "no"},
        CellCase{"blank", "  ", "no"}, CellCase{"word", "abc", "no"},
        CellCase{"decimal comma", "1,5", "no"}, CellCase{"hexadecimal", "0x10", "no"}));

struct EditCase {
    double x;
    const char* text;
};

class Edit : public ::testing::TestWithParam<EditCase> {};

TEST_P(Edit, GivesTheShortestTextThatReadsBack) {
    const std::string text = CellText::EditText(GetParam().x);
    EXPECT_EQ(text, GetParam().text);
    const double back = CellText::Read(text).value_or(NAN);
    EXPECT_EQ(std::memcmp(&back, &GetParam().x, sizeof back), 0) << text;
}

INSTANTIATE_TEST_SUITE_P(Table, Edit,
                         ::testing::Values(EditCase{0.1, "0.1"}, EditCase{-0.0, "-0"},
                                           EditCase{150, "150"}, EditCase{1e20, "1e+20"},
                                           EditCase{0.1 + 0.2, "0.30000000000000004"},
                                           EditCase{1.0 / 3, "0.3333333333333333"},
                                           EditCase{DBL_MAX, "1.7976931348623157e+308"},
                                           EditCase{DBL_TRUE_MIN, "5e-324"},
                                           EditCase{123456.789, "123456.789"},
                                           EditCase{0.0001, "0.0001"}, EditCase{1.5e-5, "1.5e-05"},
                                           EditCase{1e15 + 1, "1000000000000001"}));

TEST(Edit, OffersTheFractionAValueStandsFor) {
    EXPECT_EQ(CellText::FractionText(0.33333333333333326).value_or("none"), "1/3");
    EXPECT_EQ(CellText::FractionText(-1.5).value_or("none"), "-3/2");
    EXPECT_EQ(CellText::FractionText(4).value_or("none"), "4");
    EXPECT_EQ(CellText::FractionText(M_PI).value_or("none"), "none");
}
} // namespace

// A typed decimal shows as its fraction while that stays short; 1e-300 as
// typed, not as 1 over 301 digits.
TEST(CellTextFraction, ShowsTypedDecimalsAsFractionsWhileShort) {
    EXPECT_EQ(CellText::FractionText(0.1234567), "1234567/10000000");
    EXPECT_EQ(CellText::FractionText(1e-300), std::nullopt);
    EXPECT_EQ(FractionRule::Text(1e-300, 5), "1e-300");
    EXPECT_EQ(FractionRule::Text(-2.5e-20, 5), "-1/40000000000000000000");
}
