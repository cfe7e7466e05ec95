// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WorkingText.h"

#include "CellText.h"
#include "ExactMatrix.h"
#include "FractionListing.h"
#include "FractionRule.h"
#include "GVar.h"
#include "MUtil.h"
#include "ParallelWork.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// A long number's digits are found without writing it all out in
// decimal, which takes a millisecond for each of the thousands of numbers
// of 30,000 digits a worked solution may hold: its length, its last ten
// digits from the remainder by 10^10, its first ten from the quotient by a
// power of ten.
std::string digitsText(const mpz_class& value) {
    const std::size_t estimate = mpz_sizeinbase(value.get_mpz_t(), 10); // exact or one more
    if (estimate <= WorkingText::LongDigits)
        return value.get_str();
    const mpz_class magnitude = abs(value);
    mpz_class power; // 10^(count - 10)
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(estimate - 10));
    std::size_t count = estimate;
    if (magnitude < power * 1000000000) {
        count = estimate - 1;
        power /= 10;
    }
    if (count <= WorkingText::LongDigits)
        return value.get_str();
    const mpz_class first = magnitude / power;
    std::string last = std::to_string(mpz_fdiv_ui(magnitude.get_mpz_t(), 10000000000UL));
    last.insert(0, 10 - last.size(), '0');
    return std::string(value < 0 ? "-" : "") + first.get_str() + "..." + last + " (" +
           std::to_string(count) + " digits)";
}

mpq_class powerOfTen(long exponent) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
    return exponent < 0 ? mpq_class(1, power) : mpq_class(power);
}
} // namespace

std::string WorkingText::Size(int rows, int cols) {
    return std::to_string(rows) + " x " + std::to_string(cols);
}

std::string WorkingText::Block(const ExactMatrix& m, int barAfter, WorkProgress* progress) {
    const std::size_t cols = static_cast<std::size_t>(m.Cols());
    std::vector<std::string> cells(static_cast<std::size_t>(m.Rows()) * cols);
    auto row = [&](std::size_t r, int) {
        for (std::size_t c = 0; c < cols; ++c)
            cells[r * cols + c] = Number(m.At(static_cast<int>(r) + 1, static_cast<int>(c) + 1));
    };
    // Thousands of numbers of thousands of digits take a while: on every
    // core, telling progress after each row.
    if (cells.size() > 400)
        ParallelWork::For(static_cast<std::size_t>(m.Rows()), progress, row);
    else
        for (std::size_t r = 0; r < static_cast<std::size_t>(m.Rows()); ++r)
            row(r, 0);
    return FractionListing::AlignedRows(cells, m.Rows(), m.Cols(), 2, barAfter);
}

std::string WorkingText::StoredName(const std::string& name) {
    return TMatrixRec::CutName(name);
}

std::string WorkingText::Number(const mpq_class& value) {
    if (value.get_den() == 1)
        return digitsText(value.get_num());
    return digitsText(value.get_num()) + "/" + digitsText(value.get_den());
}

std::string WorkingText::Scientific(const mpq_class& value) {
    // e with 100 <= value / 10^(e - 2) < 1000, from the lengths of the
    // numerator and the denominator, then set right.
    long e = static_cast<long>(mpz_sizeinbase(value.get_num_mpz_t(), 10)) -
             static_cast<long>(mpz_sizeinbase(value.get_den_mpz_t(), 10));
    mpq_class scaled = value / powerOfTen(e - 2);
    while (scaled >= 1000) {
        scaled /= 10;
        ++e;
    }
    while (scaled < 100) {
        scaled *= 10;
        --e;
    }
    // Nearest, halves up.
    mpz_class digits = (scaled.get_num() * 2 + scaled.get_den()) / (scaled.get_den() * 2);
    if (digits == 1000) {
        digits = 100;
        ++e;
    }
    const std::string d = digits.get_str();
    std::string exponent = std::to_string(e < 0 ? -e : e);
    if (exponent.size() < 4)
        exponent.insert(0, 4 - exponent.size(), '0');
    return d.substr(0, 1) + "." + d.substr(1) + "E" + (e < 0 ? "-" : "+") + exponent;
}

std::string WorkingText::NearReadings(const TMatrixRec& m, const std::string& name) {
    std::string text;
    int count = 0;
    for (int i = 1; i <= m.Rows; ++i)
        for (int j = 1; j <= m.Cols; ++j) {
            mpq_class value;
            if (FractionRule::RuleOf(m.At(i, j), &value) != FractionRule::Rule::Near)
                continue;
            if (++count <= ListedReadings)
                text += Line("  (" + std::to_string(i) + ", " + std::to_string(j) + ") " +
                             CellText::EditText(m.At(i, j)) + " is read as " + Number(value));
        }
    if (count == 0)
        return std::string();
    if (count > ListedReadings)
        text += Line("  and " + std::to_string(count - ListedReadings) + " more read so.");
    const std::string heading =
        count == 1 ? "1 value of " + name +
                         " is read as the simple fraction within a relative 1e-12 of it:"
                   : std::to_string(count) + " values of " + name +
                         " are read as the simple fractions within a relative 1e-12 of them:";
    return Line(heading) + text;
}

std::string WorkingText::Capped(std::string body, const std::string& tail) {
    if (body.size() + tail.size() <= MaxBytes)
        return body + tail;
    const std::string note =
        Line("...") + Line("The working is cut here: in full it would be longer than 1 MB.") + EndLine;
    const std::size_t room = MaxBytes > tail.size() + note.size() ? MaxBytes - tail.size() - note.size() : 0;
    const std::size_t end = body.rfind(EndLine, room >= 2 ? room - 2 : 0);
    body.resize(end == std::string::npos ? 0 : end + 2);
    return body + note + tail;
}

std::string WorkingText::Approximate(double x, int decimals) {
    if (x == 0.0)
        return "0";
    const double ax = std::fabs(x);
    if (ax < 1e-4 || ax >= 1e15) {
        std::string text = MUtil::Scientific(x, std::clamp(decimals + 1, 5, 17));
        text.erase(0, text.find_first_not_of(' '));
        return text;
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(ax)));
    return MUtil::FixedForm(x, std::max(decimals, 4 - magnitude));
}
