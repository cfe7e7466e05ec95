// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WorkingText.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
mpq_class TenTo(long e) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(e)));
    return e < 0 ? mpq_class(1, power) : mpq_class(power);
}

TEST(WorkingText, WritesExactDifferencesInENotationAtAnyMagnitude) {
    const struct {
        mpq_class value;
        const char* text;
    } cases[] = {
        {mpq_class(626, 1) * TenTo(-19), "6.26E-0017"},
        {mpq_class(11, 1) * TenTo(-325), "1.10E-0324"}, // below the smallest double
        {mpq_class(18, 1) * TenTo(313), "1.80E+0314"},  // above the largest
        {mpq_class(9996, 10), "1.00E+0003"},             // rounds up a decade
        {mpq_class(1, 3), "3.33E-0001"},
        {mpq_class(1, 1) * TenTo(-12345), "1.00E-12345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkingText::Scientific(c.value), c.text) << c.text;
}

TEST(WorkingText, ShortensNumbersOfMoreThanSixtyDigitsOnly) {
    const mpz_class sixty = mpz_class("123456789012345678901234567890123456789012345678901234567890");
    EXPECT_EQ(WorkingText::Number(mpq_class(sixty)), sixty.get_str());
    EXPECT_EQ(WorkingText::Number(mpq_class(-(sixty * 10 + 1), 7)),
              "-1234567890...2345678901 (61 digits)/7");
    EXPECT_EQ(WorkingText::Number(mpq_class(3, sixty * 100)),
              "3/1234567890...3456789000 (62 digits)");

    // Long numbers are measured without writing them out: the same text as
    // from all their digits, also next to powers of ten and with zeros at
    // the end.
    gmp_randclass random(gmp_randinit_default);
    random.seed(18);
    for (int k = 0; k < 2000; ++k) {
        const unsigned long length = 55 + static_cast<unsigned long>(k % 300);
        mpz_class value;
        switch (k % 4) {
        case 0: value = random.get_z_bits(length * 3 + k % 7); break;
        case 1: value = TenTo(static_cast<long>(length)).get_num() - 1; break;
        case 2: value = TenTo(static_cast<long>(length)).get_num(); break;
        default: value = random.get_z_bits(length * 2) * TenTo(12).get_num(); break;
        }
        if (k % 3 == 0)
            value = -value;
        const std::string all = value.get_str();
        const std::size_t sign = value < 0 ? 1 : 0;
        const std::size_t digits = all.size() - sign;
        const std::string expected =
            digits <= 60 ? all
                         : all.substr(0, sign + 10) + "..." + all.substr(all.size() - 10) + " (" +
                               std::to_string(digits) + " digits)";
        ASSERT_EQ(WorkingText::Number(mpq_class(value)), expected) << all;
    }
}

TEST(WorkingText, WritesRoundedValuesWithFiveSignificantDigits) {
    const struct {
        double x;
        int decimals;
        const char* text;
    } cases[] = {
        {std::sqrt(2.0), 5, "1.41421"}, {std::sqrt(2.0), 0, "1.4142"},
        {-1414.21356237, 5, "-1414.21356"}, {-1414.21356237, 0, "-1414.2"},
        {-1e-20, 5, "-1.00000E-0020"}, {1.23456789e300, 2, "1.2346E+0300"},
        {0.000123456, 5, "0.00012346"}, {-0.0, 5, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkingText::Approximate(c.x, c.decimals), c.text) << c.x;
}

TEST(WorkingText, CapsAWorkingAtAWholeLineAndKeepsItsTail) {
    std::string body;
    while (body.size() < WorkingText::MaxBytes)
        body += "R2 <- R2 - 3 R1\r\n";
    const std::string tail = "X:\r\n  1\r\n";
    const std::string text = WorkingText::Capped(body, tail);
    EXPECT_LE(text.size(), WorkingText::MaxBytes);
    EXPECT_NE(text.find("R1\r\n...\r\nThe working is cut here"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(WorkingText::Capped("a\r\n", tail), "a\r\n" + tail);
}

TEST(WorkingText, ListsValuesReadByRoundingTenAtMost) {
    GVar ws;
    Rows rows(3, std::vector<double>(5, 6.0000000000001));
    rows[0][0] = 0.5; // read as typed
    AddRows(ws, "A", rows);
    const std::string text = WorkingText::NearReadings(ws.Matrix(1), "A");
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "14 values of A are read as the simple fractions within a relative 1e-12 of them:");
    EXPECT_NE(text.find("  (1, 2) 6.0000000000001 is read as 6\r\n"), std::string::npos);
    EXPECT_NE(text.find("(3, 1)"), std::string::npos);
    EXPECT_EQ(text.find("(3, 2)"), std::string::npos);
    EXPECT_NE(text.find("  and 4 more read so.\r\n"), std::string::npos);
    AddMatrix(ws, "B", {{0.1234567, 1.0 / 3}});
    EXPECT_EQ(WorkingText::NearReadings(ws.Matrix(2), "B"), "");
}
} // namespace
