// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MUtil.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int MaxSignificant = 40;

bool isIntegral(double v) { return std::isfinite(v) && v == std::floor(v); }

// The significant digits and decimal exponent of a non-negative finite value.
struct Decimal {
    char digits[MaxSignificant + 2];
    int count = 0;
    int exponent = 0;
};

// Parses printf's "%.*e" output: d[.ddd]e±xx.
void parseExponential(const char* text, int count, Decimal& out) {
    out.count = count;
    out.digits[0] = text[0];
    const char* p = text + 1;
    if (*p == '.')
        ++p;
    for (int i = 1; i < count; ++i)
        out.digits[i] = *p++;
    out.exponent = std::atoi(p + 1);  // skips the 'e'
}

// Does the printed rounding to count digits at exponent show every digit of
// ax, that is, is there nothing beyond it? A double is a dyadic fraction, so
// it has at most m decimal fraction digits exactly when ax * 2^m is whole.
bool exactWithin(double ax, int count, int exponent) {
    const int fractionDigits = count - 1 - exponent;
    if (fractionDigits >= 0)
        return isIntegral(std::ldexp(ax, fractionDigits));
    // A large whole number: the digits beyond count must all be zeros.
    char whole[400];
    const int length = std::snprintf(whole, sizeof whole, "%.0f", ax);
    for (int i = count; i < length; ++i)
        if (whole[i] != '0')
            return false;
    return true;
}

// Adds one unit in the last place of a digit string; true on a carry out.
bool incrementDigits(char* digits, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (digits[i] == '.')
            continue;
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

// ax rounded to count significant digits, halfway cases away from zero.
// printf rounds exact halfway cases to even, so those are found and redone.
Decimal roundSignificant(double ax, int count) {
    Decimal d;
    d.count = count;
    if (ax == 0.0) {
        std::memset(d.digits, '0', count);
        return d;
    }
    char text[80];
    std::snprintf(text, sizeof text, "%.*e", count - 1, ax);
    parseExponential(text, count, d);

    // A tie needs ax * 10^(count - 1 - exponent) to end in exactly .5, which
    // needs few enough binary fraction digits; one more digit of slack
    // covers a rounding that carried into the next power of ten.
    const int fractionDigits = count - 1 - d.exponent;
    const bool mayTie =
        fractionDigits + 2 > 0 ? isIntegral(std::ldexp(ax, fractionDigits + 2)) : isIntegral(ax);
    if (!mayTie)
        return d;

    Decimal longer;
    std::snprintf(text, sizeof text, "%.*e", count, ax);
    parseExponential(text, count + 1, longer);
    if (longer.digits[count] != '5' || !exactWithin(ax, count + 1, longer.exponent))
        return d;
    longer.count = count;
    if (incrementDigits(longer.digits, count)) {
        longer.digits[0] = '1';
        ++longer.exponent;
    }
    return longer;
}

// Writes the scientific text of x with count significant digits; returns the
// number of characters written (at most count + 10).
int writeScientific(char* out, double x, int count) {
    Decimal d = roundSignificant(std::fabs(x), count);
    if (count == 15 && d.exponent == 308 && std::memcmp(d.digits, "179769313486231", 15) > 0)
        std::memcpy(d.digits, "179769313486231", 15);  // keep it within the double range
    char* p = out;
    *p++ = x < 0 ? '-' : ' ';
    *p++ = d.digits[0];
    if (count > 1) {
        *p++ = '.';
        std::memcpy(p, d.digits + 1, count - 1);
        p += count - 1;
    }
    *p++ = 'E';
    int e = d.exponent;
    *p++ = e < 0 ? '-' : '+';
    if (e < 0)
        e = -e;
    if (e > 9999) {
        p += std::snprintf(p, 16, "%d", e);
    } else {
        p[0] = static_cast<char>('0' + e / 1000);
        p[1] = static_cast<char>('0' + e / 100 % 10);
        p[2] = static_cast<char>('0' + e / 10 % 10);
        p[3] = static_cast<char>('0' + e % 10);
        p += 4;
    }
    return static_cast<int>(p - out);
}

std::string nonFinite(double x) {
    if (std::isnan(x))
        return "NAN";
    return x < 0 ? "-INF" : "INF";
}

// Inserts the thousands commas into the integer digits of a fixed form.
void insertCommas(std::string& text) {
    const std::size_t first = text.find_first_not_of(" -");
    if (first == std::string::npos)
        return;
    const std::size_t point = text.find('.');
    const std::size_t last = point == std::string::npos ? text.size() - 1 : point - 1;
    if (point == 0 || last < first)
        return;
    for (std::size_t pos = last + 1; pos > first + 3; pos -= 3)
        text.insert(pos - 3, 1, ',');
}
} // namespace

std::string MUtil::FixedForm(double x, int D) {
    if (!std::isfinite(x))
        return nonFinite(x);
    const double ax = std::fabs(x);
    std::string text(x < 0 ? "-" : "");
    const int bufferSize = 340 + D;
    std::string digits(bufferSize, '\0');
    int length = 0;
    if (isIntegral(std::ldexp(ax, D + 1))) {
        // Few enough fraction digits for an exact print one decimal longer:
        // a final 5 then is an exact tie, which rounds away from zero.
        length = std::snprintf(&digits[0], bufferSize, "%.*f", D + 1, ax);
        if (digits[length - 1] == '5') {
            length -= (D == 0) ? 2 : 1;  // drop the 5 (and the point)
            if (incrementDigits(&digits[0], length)) {
                digits.insert(digits.begin(), '1');
                ++length;
            }
            text.append(digits, 0, length);
            return text;
        }
    }
    length = std::snprintf(&digits[0], bufferSize, "%.*f", D, ax);
    text.append(digits, 0, length);
    return text;
}

std::string MUtil::Scientific(double x, int significantDigits) {
    if (!std::isfinite(x))
        return nonFinite(x);
    if (significantDigits < 1)
        significantDigits = 1;
    if (significantDigits > MaxSignificant)
        significantDigits = MaxSignificant;
    char text[MaxSignificant + 24];
    const int length = writeScientific(text, x, significantDigits);
    return std::string(text, length);
}

std::string MUtil::ScientificForm(double x) { return Scientific(x, 15); }

void MUtil::AppendScientificForm(std::string& out, double x) {
    if (!std::isfinite(x)) {
        out += nonFinite(x);
        return;
    }
    char text[40];
    const int length = writeScientific(text, x, 15);
    out.append(text, length);
}

std::string MUtil::FormatNumber(std::uint8_t W, std::uint8_t D, double x) {
    if (W == 255)
        return ScientificForm(x);

    const int field = W == 0 ? 25 : W;
    const bool scientific = std::isfinite(x) && std::fabs(x) >= 1e36;
    std::string text;
    if (scientific) {
        int digits = field - 8;
        const int most = W == 0 ? 17 : 18;
        digits = digits < 2 ? 2 : (digits > most ? most : digits);
        text = Scientific(x, digits);
    } else {
        text = FixedForm(x, D);
    }
    if (static_cast<int>(text.size()) < field)
        text.insert(0, field - text.size(), ' ');
    if (W == 0)
        text.erase(0, text.find_first_not_of(' '));

    if (!scientific && std::isfinite(x))
        insertCommas(text);

    std::size_t extra = 0;
    while (extra < text.size() && text[extra] == ' ' && text.size() - extra > W)
        ++extra;
    text.erase(0, extra);
    return text;
}
