// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FractionRule.h"

#include "MUtil.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace {
using u128 = unsigned __int128;

// The inverse of the relative distance of (b).
constexpr u128 Trillion = 1000000000000ULL;

// No fraction of (a) or (b) other than 0 comes near a smaller magnitude:
// the smallest of them is 10^-6. The bound keeps every number of the search
// below 2^122.
const double Smallest = std::ldexp(1.0, -30);

// A positive fraction in lowest terms.
struct Found {
    u128 numerator = 0;
    u128 denominator = 1;
};

// a / b and a % b, by a 64-bit division when a fits.
template <class U> inline void divide(U a, U b, U& quotient, U& remainder) {
    if constexpr (sizeof(U) > 8) {
        if ((a >> 64) == 0) {
            const auto x = static_cast<std::uint64_t>(a);
            const auto y = static_cast<std::uint64_t>(b);
            quotient = x / y;
            remainder = x % y;
            return;
        }
    }
    quotient = a / b;
    remainder = a % b;
}

// The least t >= 1 with t * per >= plus - minus.
inline u128 leastMultiplier(u128 plus, u128 minus, u128 per) {
    if (plus <= minus)
        return 1;
    const u128 t = (plus - minus + per - 1) / per;
    return t > 0 ? t : 1;
}

// The search of (a) and (b) for a positive x that is not a whole number,
// from 2^-30 to 2^53. x = m / S exactly, S = 2^shift, m its 53-bit
// significand, and x = whole + rest / S. U holds S and the remainders:
// 64 bits from 2^-11 up, where nearly every value of a view lies, and 128
// below.
//
// The simplest fraction of an interval that holds x lies on the path from
// the root of the Stern-Brocot tree to x, and that path is made of the
// semiconvergents of x's continued fraction. Block by block they are
// (t p1 + p2) / (t q1 + q2), t = 1 .. a, where a is the next partial
// quotient; within a block they approach x from one side, the side
// alternating from block to block, and their denominators grow along the
// path. With den and num the two latest remainders of Euclid's algorithm on
// (S, rest), fraction t of the block lies at the distance
// (den - t num) / ((t q1 + q2) S) from x, so each interval test is a
// comparison of integers.
template <class U> class Search {
public:
    Search(std::uint64_t significand, int shift)
        : m(significand), S(U(1) << shift), whole(shift < 64 ? significand >> shift : 0),
          rest(U(significand) & (S - 1)) {}

    // The fraction of (a), else that of (b), which Near() then tells.
    std::optional<Found> Run() {
        std::optional<Found> near = nearWhole();
        bool nearDecided = near.has_value();
        Block b;
        b.den = S;
        b.num = rest;
        for (;;) {
            U remainder = 0;
            divide(b.den, b.num, b.a, remainder);
            if (!nearDecided) {
                const Outcome outcome = decide(b, FractionRule::NearDenominator, false);
                if (outcome.hit)
                    near = outcome.found;
                nearDecided = outcome.hit || outcome.beyond;
            }
            // The interval of (b) holds that of (a) and its bound is lower,
            // so (b) is decided by the time (a) runs out of denominators.
            const Outcome exact = decide(b, FractionRule::MaxDenominator, true);
            if (exact.hit)
                return exact.found;
            if (exact.beyond) {
                m_near = true;
                return near;
            }
            // Not beyond: a is within the bound, and so are p and q.
            const auto a = static_cast<std::uint64_t>(b.a);
            const std::uint64_t p = a * b.p1 + b.p2;
            const std::uint64_t q = a * b.q1 + b.q2;
            b.p2 = b.p1;
            b.q2 = b.q1;
            b.p1 = p;
            b.q1 = q;
            b.den = b.num;
            b.num = remainder;
            b.above = !b.above;
        }
    }

    bool Near() const { return m_near; }

private:
    struct Block {
        U a = 0, den = 0, num = 0;
        std::uint64_t p1 = 0, q1 = 1, p2 = 1, q2 = 0;
        bool above = true; // the block's fractions are above x
    };
    struct Outcome {
        bool hit = false;
        bool beyond = false; // no fraction within the denominator bound is left
        Found found;
    };

    // (b) by a whole number: the one nearest x, the even one on a tie.
    std::optional<Found> nearWhole() const {
        const bool below = Trillion * rest <= m;
        const U up = S - rest;
        const bool above = Trillion * up <= m;
        if (!below && !above)
            return std::nullopt;
        const bool takeAbove = above && (!below || up < rest || (up == rest && (whole & 1) != 0));
        return Found{takeAbove ? whole + 1 : whole, 1};
    }

    // The half gaps to x's neighbours, in units of 1 / (4 S): 2, and 1
    // below a power of two. The interval test of (a) is weight * dist <= q
    // (< when x's last bit is odd), with weight = 4 / half gap.
    u128 weight(bool above) const { return above || m != (std::uint64_t(1) << 52) ? 2 : 4; }
    bool even() const { return (m & 1) == 0; }

    Outcome decide(const Block& b, long bound, bool exact) const {
        Outcome outcome;
        const auto limit = static_cast<std::uint64_t>(bound);
        std::uint64_t t = 0;
        if (b.a <= limit && static_cast<std::uint64_t>(b.a) * b.q1 + b.q2 <= limit) {
            t = static_cast<std::uint64_t>(b.a);
        } else {
            t = (limit - b.q2) / b.q1;
            if (t == 0) {
                outcome.beyond = true;
                return outcome;
            }
        }
        const std::uint64_t q = t * b.q1 + b.q2;
        const u128 dist = b.den - U(t) * b.num;
        const bool inside =
            exact ? (even() ? weight(b.above) * dist <= q : weight(b.above) * dist < q)
                  : Trillion * dist <= u128(m) * q;
        if (!inside) {
            outcome.beyond = t < b.a;
            return outcome;
        }
        // The fractions of a block approach x, so those inside form a tail:
        // find where it starts.
        u128 first = 1;
        if (exact) {
            const u128 w = weight(b.above);
            first = leastMultiplier(w * b.den + (even() ? 0 : 1), b.q2, w * b.num + b.q1);
        } else {
            first = leastMultiplier(Trillion * b.den, u128(m) * b.q2,
                                    Trillion * b.num + u128(m) * b.q1);
        }
        const u128 denominator = first * b.q1 + b.q2;
        outcome.hit = true;
        outcome.found = Found{u128(whole) * denominator + first * b.p1 + b.p2, denominator};
        return outcome;
    }

    std::uint64_t m;
    U S;
    std::uint64_t whole;
    U rest;
    bool m_near = false;
};

bool isWhole(double ax) {
    return ax == std::floor(ax);
}

std::string digits(u128 value) {
    if ((value >> 64) == 0)
        return std::to_string(static_cast<std::uint64_t>(value));
    char text[40];
    int i = sizeof text;
    do {
        text[--i] = static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    return std::string(text + i, sizeof text - i);
}

mpz_class toMpz(u128 value) {
    mpz_class high(static_cast<unsigned long>(value >> 64));
    mpz_class low(static_cast<unsigned long>(value));
    return (high << 64) + low;
}

// The fraction of (a) or (b) of a positive value that is not a whole
// number; near tells (b).
std::optional<Found> recognised(double ax, bool& near) {
    near = false;
    if (ax < Smallest)
        return std::nullopt;
    int exponent = 0;
    const double mantissa = std::frexp(ax, &exponent);
    const auto m = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    const int shift = 53 - exponent;
    if (shift <= 63) {
        Search<std::uint64_t> search(m, shift);
        std::optional<Found> found = search.Run();
        near = found && search.Near();
        return found;
    }
    Search<u128> search(m, shift);
    std::optional<Found> found = search.Run();
    near = found && search.Near();
    return found;
}

// (a2): the decimal that the shortest text reading back as ax spells, when
// it has at most DecimalDigits significant digits.
std::optional<mpq_class> typedDecimal(double ax) {
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, ax, std::chars_format::scientific);
    if (ec != std::errc())
        return std::nullopt;
    const char* e = std::find(text, end, 'e');
    std::string digits;
    for (const char* c = text; c != e; ++c)
        if (*c != '.')
            digits += *c;
    if (digits.size() > static_cast<std::size_t>(FractionRule::DecimalDigits))
        return std::nullopt;
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), end, exponent);
    // digits.ddd x 10^exponent = digits x 10^(exponent - (count - 1))
    const long power = exponent - static_cast<long>(digits.size() - 1);
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(power < 0 ? -power : power));
    mpq_class value(mpz_class(digits, 10), power < 0 ? scale : mpz_class(1));
    if (power > 0)
        value *= scale;
    value.canonicalize();
    return value;
}

std::string wholeText(double x) {
    const double ax = std::fabs(x);
    std::string text = x < 0 ? "-" : "";
    if (ax < 18446744073709551616.0)
        return text + std::to_string(static_cast<std::uint64_t>(ax));
    return text + mpz_class(ax).get_str();
}

// The rule for a finite x that is not a whole number, once the search of
// (a) and (b) has run on its magnitude. A view has no use for the exact
// binary value, which costs a noticeable share of its time.
FractionRule::Rule ruleAfterSearch(double x, const std::optional<Found>& found, bool near,
                                   mpq_class* value, bool binaryValue = true) {
    using Rule = FractionRule::Rule;
    const double ax = std::fabs(x);
    if (!found || near) {
        if (std::optional<mpq_class> decimal = typedDecimal(ax)) {
            if (value != nullptr)
                *value = x < 0 ? mpq_class(-*decimal) : *decimal;
            return Rule::Decimal;
        }
    }
    if (!found) {
        if (value != nullptr && binaryValue)
            *value = mpq_class(x);
        return Rule::Binary;
    }
    if (value != nullptr) {
        *value = mpq_class(toMpz(found->numerator), toMpz(found->denominator));
        if (x < 0)
            *value = -*value;
    }
    return near ? Rule::Near : Rule::Simple;
}
} // namespace

FractionRule::Rule FractionRule::RuleOf(double x, mpq_class* value) {
    if (!std::isfinite(x))
        return Rule::Binary;
    const double ax = std::fabs(x);
    if (isWhole(ax)) {
        if (value != nullptr)
            *value = x == 0.0 ? mpq_class(0) : mpq_class(x);
        return Rule::Simple;
    }
    bool near = false;
    const std::optional<Found> found = recognised(ax, near);
    return ruleAfterSearch(x, found, near, value);
}

bool FractionRule::ShownAsFraction(Rule rule, const mpq_class& value) {
    if (rule == Rule::Binary)
        return false;
    const auto digits = [](const mpz_class& z) { return mpz_class(abs(z)).get_str().size(); };
    return rule != Rule::Decimal || (digits(value.get_num()) <= 21 && digits(value.get_den()) <= 21);
}

std::optional<mpq_class> FractionRule::Recognise(double x) {
    mpq_class value;
    if (RuleOf(x, &value) == Rule::Binary)
        return std::nullopt;
    return value;
}

mpq_class FractionRule::StandsFor(double x) {
    mpq_class value;
    if (RuleOf(x, &value) == Rule::Binary && std::isfinite(x))
        return mpq_class(x);
    return value;
}

std::string FractionRule::Text(double x, int decimals) {
    if (std::isfinite(x)) {
        if (x == 0.0)
            return "0";
        const double ax = std::fabs(x);
        if (isWhole(ax))
            return wholeText(x);
        bool near = false;
        const std::optional<Found> found = recognised(ax, near);
        if (found && !near) {
            std::string text = x < 0 ? "-" : "";
            text += digits(found->numerator);
            text += '/';
            text += digits(found->denominator);
            return text;
        }
        // Rarer: the typed decimals, and floating-point results near a
        // simple fraction, whole ones shown as the whole numbers they are.
        mpq_class value;
        const Rule rule = ruleAfterSearch(x, found, near, &value, false);
        if (rule == Rule::Decimal && !ShownAsFraction(rule, value)) {
            // 1e-300 is better read as typed than as 1 over 301 digits.
            char text[64];
            const auto written = std::to_chars(text, text + sizeof text, x);
            return std::string(text, written.ptr);
        }
        if (rule != Rule::Binary)
            return FractionText(value);
    }
    // A field of 1 gives the same trimmed text as 0 without padding it to
    // 25 first; the two differ only in the scientific form, which needs
    // magnitudes of 10^36, and those are whole numbers.
    return MUtil::FormatNumber(1, static_cast<std::uint8_t>(decimals & 0xFF), x);
}

std::string FractionRule::FractionText(const mpq_class& value) {
    if (value.get_den() == 1)
        return value.get_num().get_str();
    return value.get_num().get_str() + "/" + value.get_den().get_str();
}

std::optional<double> FractionRule::NearestDouble(const mpq_class& value) {
    const int sign = sgn(value);
    if (sign == 0)
        return 0.0;
    const mpz_class n = abs(value.get_num());
    const mpz_class& d = value.get_den();

    // e with 2^e <= n / d < 2^(e + 1).
    long e = static_cast<long>(mpz_sizeinbase(n.get_mpz_t(), 2)) -
             static_cast<long>(mpz_sizeinbase(d.get_mpz_t(), 2));
    const bool below = e >= 0 ? n < (d << e) : (n << -e) < d;
    if (below)
        --e;
    if (e > 1023)
        return std::nullopt;

    // The significand in units of 2^E, the last place of a double of that
    // magnitude (or of the subnormals), rounded half to even.
    const long E = e - 52 > -1074 ? e - 52 : -1074;
    const mpz_class scaledN = E < 0 ? mpz_class(n << -E) : n;
    const mpz_class scaledD = E > 0 ? mpz_class(d << E) : d;
    mpz_class quotient;
    mpz_class remainder;
    mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), scaledN.get_mpz_t(),
                scaledD.get_mpz_t());
    const int half = cmp(mpz_class(remainder << 1), scaledD);
    if (half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t())))
        ++quotient;
    if (quotient == 0)
        return 0.0;
    // At most 2^53, so the conversion is exact; only 2^1024 overflows.
    const double magnitude = std::ldexp(quotient.get_d(), static_cast<int>(E));
    if (std::isinf(magnitude))
        return std::nullopt;
    return sign < 0 ? -magnitude : magnitude;
}
