// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"

#include <gmpxx.h>

#include <functional>

class WorkProgress;

// Determinant, rank and reduced row echelon form by FLINT, whose
// multimodular methods stay fast where the entries have thousands of
// digits (values spread over the whole double range), where a
// fraction-free elimination spends seconds on the growing minors.
//
// Each row is brought to whole numbers by the least common multiple of its
// denominators, which changes neither the rank nor the reduced form and
// scales the determinant by the product of the multipliers. FLINT aborts
// the process on misuse, so every size is checked here before a call and
// empty matrices never reach it. A FLINT call cannot be interrupted:
// progress hears once before and once after it, and a cancel takes effect
// there.
class FlintMatrix {
public:
    static mpq_class Determinant(const ExactMatrix& a, WorkProgress* progress = nullptr);
    static int Rank(const ExactMatrix& a, WorkProgress* progress = nullptr);
    static ExactMatrix Rref(const ExactMatrix& a, WorkProgress* progress = nullptr);

    // Hears each power as repeated squaring reaches it: power = left +
    // right, the exponents of the two factors multiplied.
    using PowerStep = std::function<void(int power, int left, int right, const ExactMatrix& value)>;

    // a^n of a square matrix, n >= 0 (the identity for 0), by repeated
    // squaring from the highest bit of n down: a^2 = a a, a^4 = a^2 a^2,
    // a^5 = a^4 a. The products are taken on whole numbers (a times the
    // least common multiple d of its denominators, the result divided by
    // d^n), where FLINT multiplies by multimodular methods.
    static ExactMatrix Power(const ExactMatrix& a, int n, const PowerStep& step = nullptr,
                             WorkProgress* progress = nullptr);
};
