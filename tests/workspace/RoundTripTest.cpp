// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MUtil.h"
#include "MatrixFileReader.h"
#include "MatrixFileWriter.h"
#include "MyString.h"
#include "RecordingMessages.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

std::uint64_t Bits(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// The 23-character form worked out another way: glibc prints every digit of
// a double exactly with enough precision, and the digits are then rounded
// half up by hand, with the largest doubles kept at 1.79769313486231E+0308.
std::string ExactForm(double x) {
    if (x == 0.0)
        return " 0.00000000000000E+0000";
    static char text[1100];
    std::snprintf(text, sizeof text, "%.800e", std::fabs(x));
    std::string digits(1, text[0]);
    const char* p = text + 2;
    while (*p != 'e')
        digits += *p++;
    int exponent = std::atoi(p + 1);
    std::string kept = digits.substr(0, 15);
    if (digits[15] >= '5') {
        int i = 14;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i < 0) {
            kept = "1" + kept.substr(0, 14);
            ++exponent;
        } else {
            ++kept[i];
        }
    }
    if (exponent == 308 && kept > "179769313486231")
        kept = "179769313486231";
    char out[32];
    std::snprintf(out, sizeof out, "%c%c.%sE%c%04d", x < 0 ? '-' : ' ', kept[0],
                  kept.substr(1).c_str(), exponent < 0 ? '-' : '+', std::abs(exponent));
    return out;
}

class RandomWorkspaces {
public:
    explicit RandomWorkspaces(unsigned seed) : m_random(seed) {}

    // Names of 1 to 20 characters that a data file holds: no control
    // characters and no leading blank; inner and trailing blanks and bytes
    // above 127 are fine.
    std::string Name() {
        const int length = Pick(1, 20);
        std::string name;
        while (static_cast<int>(name.size()) < length) {
            const int c = Pick(32, 255);
            if (c == 127 || (c == ' ' && name.empty()))
                continue;
            name += static_cast<char>(c);
        }
        return name;
    }

    double Value() {
        static const double specials[] = {
            0.0, -0.0, DBL_MAX, -DBL_MAX, std::nextafter(DBL_MAX, 0.0), DBL_MIN, -DBL_MIN,
            std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min(),
            std::nextafter(DBL_MIN, 0.0), 0.1, 1.0 / 3, 1.0 + DBL_EPSILON, 0.1 + 0.2,
            123456789012344.5, 999999999999999.5};
        switch (Pick(0, 5)) {
        case 0: {  // any finite double, subnormals included
            double v;
            do {
                const std::uint64_t bits = (std::uint64_t(m_random()) << 32) | m_random();
                std::memcpy(&v, &bits, sizeof v);
            } while (!std::isfinite(v));
            return v;
        }
        case 1:
            return specials[Pick(0, sizeof specials / sizeof specials[0] - 1)];
        case 2:  // subnormals
            return std::ldexp(static_cast<double>(m_random()) + 1.0, -1074) * (Pick(0, 1) ? -1 : 1);
        case 3:  // short decimal numbers, as typed into a data file
            return Pick(-99999, 99999) / 100.0;
        default: {  // 17 significant digits at any scale
            const double mantissa = 1.0 + std::uniform_real_distribution<double>(0, 9)(m_random);
            return std::ldexp(mantissa, Pick(-1070, 1020)) * (Pick(0, 1) ? -1 : 1);
        }
        }
    }

    // Mostly small matrices with an occasional large one, so that thousands
    // of workspaces stay quick.
    void Fill(GVar& ws) {
        ws.HeaderLine.clear();
        for (int n = Pick(0, 30); n > 0; --n)
            ws.HeaderLine += static_cast<char>(Pick(0, 9) == 0 ? '\t' : Pick(32, 126));
        for (int count = Pick(0, MaxMatrices); count > 0; --count) {
            TMatrixRec& m = ws.AppendNew();
            m.SetName(Name());
            const bool large = Pick(0, 40) == 0;
            m.Rows = static_cast<std::uint8_t>(Pick(0, large ? MaxDim : 5));
            // Rows without columns are refused by the writer.
            m.Cols = static_cast<std::uint8_t>(Pick(m.Rows > 0 ? 1 : 0, large ? MaxDim : 5));
            for (int i = 1; i <= m.Rows; ++i)
                for (int j = 1; j <= m.Cols; ++j)
                    m.At(i, j) = Value();
        }
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::mt19937 m_random;
};

TEST(RoundTrip, RandomWorkspacesReadBackAsWritten) {
    RandomWorkspaces random(20240611);
    RecordingMessages messages;
    MyString numbers(messages);
    long values = 0;
    for (int run = 0; run < 3000; ++run) {
        GVar ws;
        random.Fill(ws);
        ASSERT_EQ(MatrixFileWriter::Unwritable(ws), "");
        const std::string text = MatrixFileWriter::FileText(ws);

        GVar back;
        MatrixFileReader(back, numbers, messages).ReadMatrixText(text);
        // A file of 20 matrices is read whole, with the limit's message.
        EXPECT_EQ(messages.Take(), ws.MatrixCount == MaxMatrices
                                       ? Texts{"Sorry, too many matrices in file."}
                                       : Texts{})
            << "run " << run;
        EXPECT_EQ(back.HeaderLine, ws.HeaderLine) << "run " << run;
        ASSERT_EQ(back.MatrixCount, ws.MatrixCount) << "run " << run;
        for (int slot = 1; slot <= ws.MatrixCount; ++slot) {
            const TMatrixRec& a = ws.Matrix(slot);
            const TMatrixRec& b = back.Matrix(slot);
            ASSERT_EQ(b.Name, a.Name) << "run " << run << " slot " << slot;
            ASSERT_EQ(b.Rows, a.Rows) << "run " << run << " slot " << slot;
            ASSERT_EQ(b.Cols, a.Cols) << "run " << run << " slot " << slot;
            for (int i = 1; i <= a.Rows; ++i)
                for (int j = 1; j <= a.Cols; ++j) {
                    const double v = a.At(i, j);
                    const std::string form = MUtil::ScientificForm(v);
                    const double expected = std::strtod(form.c_str(), nullptr);
                    ASSERT_EQ(Bits(b.At(i, j)), Bits(expected))
                        << "run " << run << " slot " << slot << " (" << i << ", " << j
                        << "): %a of the value " << std::hexfloat << v << " written as " << form;
                    // Sampled: the exact print is slow for the smallest values.
                    if (++values % 7 == 0) {
                        ASSERT_EQ(form, ExactForm(v)) << std::hexfloat << v;
                    }
                }
        }
    }
}

struct FormCase {
    double value;
    const char* expected;
};
std::ostream& operator<<(std::ostream& out, const FormCase& c) { return out << c.expected; }

class TrickyForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(TrickyForms, AreRoundedOnceFromTheExactValue) {
    const FormCase& c = GetParam();
    EXPECT_EQ(MUtil::ScientificForm(c.value), c.expected);
    EXPECT_EQ(ExactForm(c.value), c.expected);  // the oracle above agrees
}

// The shortest texts of these doubles end in a 5 at the 16th digit, but only
// the first two are exact ties: rounding a printed 16- or 17-digit text a
// second time gets the others wrong.
INSTANTIATE_TEST_SUITE_P(
    Writer, TrickyForms,
    ::testing::Values(
        FormCase{-123456789012344.5, "-1.23456789012345E+0014"},  // tie, away from zero
        FormCase{9.5367431640625e-07, " 9.53674316406250E-0007"},  // 2^-20, all digits shown
        FormCase{0.6238512490953845, " 6.23851249095384E-0001"},  // just below the tie
        FormCase{2.092406600746045, " 2.09240660074604E+0000"},
        FormCase{6.399516555109345e-300, " 6.39951655510934E-0300"},
        FormCase{1.621861913183545, " 1.62186191318355E+0000"},  // just above the tie
        FormCase{0.1839387868809025, " 1.83938786880903E-0001"},
        FormCase{9.999999999999995e22, " 1.00000000000000E+0023"},  // above, carries
        FormCase{3.87606570384453e-310, " 3.87606570384453E-0310"},  // subnormal
        FormCase{-0.0, " 0.00000000000000E+0000"},
        FormCase{1.7976931348623155e308, " 1.79769313486231E+0308"},  // would round past DBL_MAX
        FormCase{0.1 + 0.2, " 3.00000000000000E-0001"}));
} // namespace
