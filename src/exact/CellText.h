// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of one cell of a grid of values, both ways.
//
// A cell reads, after blanks and tabs around it are trimmed, as
//  - a number as a data file writes it (MyString::ConvertDouble): a value
//    beyond the double range does not read, one below it reads as 0;
//  - or a fraction p/q with an optional sign, p and q decimal digit strings
//    and q > 0, stored as the double nearest to p/q (ties to the even
//    significand); beyond the double range it does not read, below it
//    it reads as 0 (-0 with a minus sign).
// Anything else, an empty cell included, does not read. Nothing here shows
// a message: the caller marks the cell, and nothing throws but
// std::bad_alloc.
class CellText {
public:
    // The value of text, or nothing when it does not read.
    static std::optional<double> Read(std::string_view text);

    // The text with the fewest significant digits that reads back as x
    // itself, sign of zero included, with "." as the decimal point whatever
    // the locale: without an exponent from 0.0001 up to below 1e16 ("150",
    // "-0", "0.30000000000000004"), otherwise as "1.5e+20" or "5e-324". A
    // value that is not finite gives "inf", "-inf" or "nan", which does not
    // read.
    static std::string EditText(double x);

    // The fraction x stands for under FractionRule, as "p/q", or "p" for a
    // whole number; nothing when it stands for none, or when a view would
    // not show it as a fraction (FractionRule::ShownAsFraction). The text
    // reads back as the double nearest that fraction, which differs from x
    // when x is a floating-point result near it: 0.33333333333333326 gives
    // "1/3".
    static std::optional<std::string> FractionText(double x);
};
