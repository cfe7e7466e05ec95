// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CellText.h"

#include "FractionRule.h"
#include "MyString.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// p/q with an optional sign; nothing when text is not in that form.
std::optional<double> readFraction(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    std::string_view numerator = text.substr(0, slash);
    const std::string_view denominator = text.substr(slash + 1);
    const bool negative = !numerator.empty() && numerator[0] == '-';
    if (!numerator.empty() && (numerator[0] == '+' || numerator[0] == '-'))
        numerator.remove_prefix(1);
    if (!allDigits(numerator) || !allDigits(denominator))
        return std::nullopt;
    const mpz_class q(std::string(denominator), 10);
    if (q == 0)
        return std::nullopt;
    mpq_class value(mpz_class(std::string(numerator), 10), q);
    value.canonicalize();
    const std::optional<double> nearest = FractionRule::NearestDouble(value);
    if (!nearest)
        return std::nullopt;
    return negative ? -*nearest : *nearest;
}

// True when text reads as x itself, the sign of a zero included.
bool readsAs(const std::string& text, double x) {
    double back = 0.0;
    return MyString::ConvertDouble(text, back) && std::memcmp(&back, &x, sizeof x) == 0;
}
} // namespace

std::optional<double> CellText::Read(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0.0;
    if (MyString::ConvertDouble(text, value))
        return value;
    return readFraction(text);
}

std::string CellText::EditText(double x) {
    if (!std::isfinite(x))
        return std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
    char buffer[400];
    const auto write = [&](std::chars_format format, int precision) {
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x, format, precision);
        return std::string(buffer, ec == std::errc() ? end : buffer);
    };
    // 17 significant digits always read back; fewer often do, and the
    // reader's own conversion is the judge, so that the text means x to it.
    std::string scientific;
    int digits = 1;
    for (; digits <= 17; ++digits) {
        scientific = write(std::chars_format::scientific, digits - 1);
        if (readsAs(scientific, x))
            break;
    }
    int exponent = 0;
    const std::size_t e = scientific.find('e');
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'),
                    scientific.data() + scientific.size(), exponent);
    // The same digits without an exponent where a student would write them
    // so; 150 rather than 1.5e+02.
    if (exponent >= -4 && exponent < 16) {
        const std::string fixed =
            write(std::chars_format::fixed, std::max(0, digits - 1 - exponent));
        if (readsAs(fixed, x))
            return fixed;
    }
    return scientific;
}

std::optional<std::string> CellText::FractionText(double x) {
    mpq_class value;
    const FractionRule::Rule rule = FractionRule::RuleOf(x, &value);
    if (!FractionRule::ShownAsFraction(rule, value))
        return std::nullopt;
    return FractionRule::FractionText(value);
}
