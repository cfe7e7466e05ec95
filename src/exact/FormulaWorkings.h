// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class WorkProgress;

// The worked solutions of Cholesky decomposition, Forward/back substitution
// and Multiply: each entry's formula, then the same with the numbers put
// in, then its value, and the result last, under a line naming it
// ("Chol(A):", "X:", "A*B:"). A number is an exact fraction while it can
// be (operand values through FractionRule, square roots of squares of
// fractions), else a double shown with DecimalPlaces decimals. An operand
// that is not positive definite, singular or wrongly sized gives the
// working up to the step where it fails and says why.
//
// Each function reads the operands in the given slots (1 to MatrixCount)
// and DecimalPlaces, nothing else of the workspace, so its text is the same
// before and after the operation; a slot outside gives "". Texts are plain
// ASCII (but for the operands' names) with CR LF line ends.
class FormulaWorkings {
public:
    // Multiply shows its working only for operands of at most this many
    // rows and columns.
    static constexpr int MultiplySize = 6;

    // progress, when given, hears once a row of the result and may stop
    // the working by WorkCancelled, which the caller catches.
    explicit FormulaWorkings(const GVar& workspace, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_progress(progress) {}

    // U with U'U = A, row by row, from A's diagonal and upper triangle as
    // the decomposition reads them.
    std::string Cholesky(int a) const;

    // Solves R'R x = b: forward with R', then back with R.
    std::string Substitution(int r, int b) const;

    // Each entry's sum of products; "" when an operand is larger than
    // MultiplySize x MultiplySize.
    std::string Multiply(int a, int b) const;

private:
    const GVar& m_workspace;
    WorkProgress* m_progress;
};
