// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gmpxx.h>

#include <cstddef>
#include <string>

class ExactMatrix;
class WorkProgress;
struct TMatrixRec;

// The pieces every worked solution is made of, so that all of them write
// numbers, names and notes alike. Texts are plain ASCII with CR LF line
// ends.
class WorkingText {
public:
    static constexpr const char* EndLine = "\r\n";

    // Numbers of more digits than this are shortened in workings.
    static constexpr std::size_t LongDigits = 60;
    // No working grows past this many bytes; the result stays whole.
    static constexpr std::size_t MaxBytes = 1000000;
    // Operand values read by (b) that are listed one by one; the rest are
    // counted.
    static constexpr int ListedReadings = 10;

    static constexpr const char* PivotRule =
        "The pivot of each column is its first non-zero entry at or below the current row.";

    static std::string Line(const std::string& text) { return text + EndLine; }

    // A matrix as the workings show it: exact fractions (Number), columns
    // aligned, indented by two; barAfter as FractionListing::AlignedRows.
    static std::string Block(const ExactMatrix& m, int barAfter = 0,
                             WorkProgress* progress = nullptr);

    // "name:" and the matrix under it.
    static std::string ResultBlock(const std::string& name, const ExactMatrix& m,
                                   WorkProgress* progress = nullptr) {
        return Line(name + ":") + Block(m, 0, progress);
    }

    // "3 x 4"
    static std::string Size(int rows, int cols);

    // The name a result is stored under: cut as every stored name is.
    static std::string StoredName(const std::string& name);

    // "p/q", or "p" when q = 1, each of p and q of more than LongDigits
    // digits shown as its first and last ten digits and its length:
    // "1234567890...8901234567 (301 digits)". The value itself is whole
    // wherever it is used; only its text is shortened.
    static std::string Number(const mpq_class& value);

    // A positive fraction in E notation with 3 significant digits, rounded
    // to nearest ("6.26E-0017", "1.10E-0324"), at any magnitude: no double
    // is involved, so values below the smallest or above the largest double
    // show as they are.
    static std::string Scientific(const mpq_class& value);

    // body then tail, body cut after a whole line with a note saying so
    // when the two would pass MaxBytes.
    static std::string Capped(std::string body, const std::string& tail);

    // An inexact value: at least 5 significant digits and at least decimals
    // decimals, no thousands separators, no "-0"; scientific below 1e-4 and
    // from 1e15 on ("1.4142E+0300").
    static std::string Approximate(double x, int decimals);

    // The entries of m that FractionRule reads by its rule (b), within a
    // relative 1e-12 of a simple fraction rather than as typed: a heading
    // naming `name`, then "(2, 2) 6.0000000000001 is read as 6" for each,
    // the first ListedReadings and a count of the rest. "" when there are
    // none.
    static std::string NearReadings(const TMatrixRec& m, const std::string& name);
};
