// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// FormatNumber on arbitrary finite values, widths and decimals. Every call
// must give some text; a fixed form in an ordinary field must have the
// shape of a number with thousands commas, keep to its field, and read back
// within half a unit of its last decimal.
#include "FuzzSupport.h"
#include "MUtil.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// -?d{1,3}(,ddd)* followed by "." and exactly D digits when D > 0; returns
// the text without its commas.
bool fixedShape(const std::string& t, int D, std::string& plain) {
    std::size_t i = 0;
    if (i < t.size() && t[i] == '-')
        plain += t[i++];
    std::size_t group = 0;
    bool first = true;
    while (i < t.size() && t[i] != '.') {
        if (t[i] == ',') {
            if (group == 0 || (first ? group > 3 : group != 3))
                return false;
            first = false;
            group = 0;
        } else if (isDigit(t[i])) {
            plain += t[i];
            ++group;
        } else {
            return false;
        }
        ++i;
    }
    if (group == 0 || (first ? group > 3 : group != 3))
        return false;
    if (D == 0)
        return i == t.size();
    if (i == t.size() || t.size() - i - 1 != static_cast<std::size_t>(D))
        return false;
    plain += t[i++];
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i]))
            return false;
        plain += t[i];
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 + sizeof(double))
        return 0;
    const std::uint8_t W = data[0];
    const std::uint8_t D = data[1];
    double x = 0.0;
    std::memcpy(&x, data + 2, sizeof x);
    if (!std::isfinite(x))
        return 0;

    const std::string text = MUtil::FormatNumber(W, D, x);
    check(!text.empty());
    if (W == 0 || W == 255 || !(std::fabs(x) < 1e36) || D > 20)
        return 0;

    // Padded to its field, and no wider unless the number itself is.
    std::size_t blanks = 0;
    while (blanks < text.size() && text[blanks] == ' ')
        ++blanks;
    check(blanks == 0 || text.size() == W);
    check(text.size() >= W);

    std::string plain;
    check(fixedShape(text.substr(blanks), D, plain));
    const double back = std::strtod(plain.c_str(), nullptr);
    const double halfUnit = 0.5 * std::pow(10.0, -D);
    check(std::fabs(back - x) <= halfUnit * (1 + 1e-9) + std::fabs(x) * 4 * DBL_EPSILON);
    // The sign is kept even when the value rounds to zero.
    check((plain[0] == '-') == std::signbit(x) || x == 0.0);
    return 0;
}
