// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class WorkProgress;

// The worked solutions of LU decomposition, Determinant by cofactors,
// Adjugate, Cramer's rule, Power and Trace, from the same exact values as
// the stored results:
// - LU: each elimination step with its multiplier and where it goes in L,
//   each row exchange and what it does to P and L, then L, U, P and the
//   exact check P A = L U;
// - cofactors: each expansion along the row or column with the most zeros,
//   every minor and sign written out down to 2 x 2, checked against the
//   determinant by elimination;
// - adjugate: for n <= ShownCofactors each cofactor with its minor and
//   sign, then adj(A), the inverse adj(A) / det(A) when there is one and
//   the check A adj(A) = det(A) I;
// - Cramer: det(A), each A_i with det(A_i) and x_i = det(A_i) / det(A),
//   and the check A x = b;
// - power: the products of repeated squaring; trace: the diagonal's sum.
// Each reads only its operands (slots 1 to MatrixCount; any other gives
// "") and never passes WorkingText::MaxBytes; CR LF line ends.
class AlgebraWorkings {
public:
    explicit AlgebraWorkings(const GVar& workspace, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_progress(progress) {}

    // Operands up to this size show themselves and every matrix on the way.
    static constexpr int ShownSize = 10;
    static constexpr int ShownCofactors = 4;

    std::string LU(int a) const;
    std::string CofactorDeterminant(int a) const;
    std::string Adjugate(int a) const;
    std::string Cramer(int a, int b) const;
    // text: the exponent as typed.
    std::string Power(int a, const std::string& text) const;
    std::string Trace(int a) const;

private:
    const GVar& m_workspace;
    WorkProgress* m_progress;
};
