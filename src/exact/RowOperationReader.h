// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HandElimination.h"

#include <gmpxx.h>

#include <optional>
#include <string>

// One row operation as a student types it: the forms the workings print
// ("R2 <- R2 - (3/2) R1", "R1 <-> R3", "R1 <- (1/2) R1") and the common
// ways of writing them by hand ("R2 - 3R1 -> R2", "R2 = R2 - 3 R1",
// "-2R1 + R2 -> R2", "swap R1 R3", "R1 / 2"), factors as whole numbers,
// fractions or decimals, taken exactly. An operation that is not one of
// the three elementary ones, or a row outside 1..rows, is refused with a
// sentence that says what is wrong.
class RowOperationReader {
public:
    struct Result {
        bool ok = false;
        HandElimination::Operation operation;
        std::string error; // when not ok: why, in words
    };

    static Result Read(const std::string& text, int rows);

    // A factor on its own, as the operations take it ("3", "-1/2", "0.25",
    // "(3/2)"): nothing when it does not read or divides by 0.
    static std::optional<mpq_class> ReadFactor(const std::string& text);

    static const std::string ScaleByZeroMessage;
    static const std::string ToItselfMessage;
};
