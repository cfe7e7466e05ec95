// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

// Number formatting for views, listings and data files.
//
// Rounding is to the nearest, and a value exactly halfway rounds away from
// zero (a following digit of 5 or more rounds up), unlike printf's ties to
// even. Never throws; every width and decimals count gives some text.
class MUtil {
public:
    // x as fixed-decimal text with D decimals and thousands commas,
    // right-aligned in a field of W characters (longer, without blanks, when
    // it does not fit). W = 255 gives the 23-character scientific form and
    // W = 0 the fixed form with its leading blanks removed. Magnitudes of
    // 10^36 and more are given in scientific form with W - 8 significant
    // digits (2 to 18; 17 for W = 0).
    static std::string FormatNumber(std::uint8_t W, std::uint8_t D, double x);

    // The 23-character form of data files: sign or blank, 15 significant
    // digits as d.dddddddddddddd, "E", exponent sign and 4 exponent digits.
    // The largest doubles would round past the double range (to
    // 1.79769313486232E+0308) and are rounded down instead, so that every
    // written value reads back.
    static std::string ScientificForm(double x);

    // Appends ScientificForm(x) to out, for writers that build big buffers.
    static void AppendScientificForm(std::string& out, double x);

    // The scientific form with the given count of significant digits (1 to
    // 40): sign or blank, d.ddd, "E", sign and at least 4 exponent digits.
    static std::string Scientific(double x, int significantDigits);

    // The fixed form: "-" for negative values (also those that round to
    // zero), the integer digits and, for D > 0, "." and D decimals.
    static std::string FixedForm(double x, int D);
};
