// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class WorkProgress;

// The worked solutions of Characteristic polynomial, Eigenvalues,
// Eigenvectors and Diagonalise, each building on the one before, all drawn
// from the same EigenAnalysis as the stored results so that the two agree:
// - det(t I - A): for n <= 3 expanded by cofactors along the first row,
//   every polynomial written out; for larger n as computed;
// - its factorisation over the rationals, each factor's roots (rational
//   ones exact, quadratic ones by the quadratic formula in radicals, higher
//   ones certified to the workspace's decimals) and multiplicities, and the
//   exact check that the eigenvalues add up to the trace and multiply to
//   the determinant;
// - for each rational eigenvalue, A - lambda I reduced by row operations
//   as the other workings do, its free variables, the eigenspace's basis,
//   its geometric multiplicity and the exact check A v = lambda v; the
//   others' vectors from ball arithmetic;
// - for Diagonalise, P and D and, when every eigenvalue is rational, the
//   exact check A P = P D with P invertible.
// Each reads only its operand (slots 1 to MatrixCount; any other gives
// "") and DecimalPlaces. Texts have CR LF line ends and never pass
// WorkingText::MaxBytes.
class EigenWorkings {
public:
    explicit EigenWorkings(const GVar& workspace, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_progress(progress) {}

    // Matrices up to this many rows show themselves and A - lambda I at
    // each step.
    static constexpr int ShownSize = 10;

    std::string CharPoly(int a) const;
    std::string Eigenvalues(int a) const;
    std::string Eigenvectors(int a) const;
    std::string Diagonalise(int a) const;

private:
    enum class Depth { Polynomial, Values, Vectors, Diagonal };
    std::string working(int a, Depth depth) const;

    const GVar& m_workspace;
    WorkProgress* m_progress;
};
