// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class ExactMatrix;
class GVar;
class LinearSystem;
class WorkProgress;

// The worked solutions of Solve system, Null space, Column space and Row
// space, in the manner of EliminationWorkings: the starting matrix ([A | b]
// with a bar before b, or A), each row operation of the reduction by hand
// (HandElimination, Goal::Reduced, pivots in the columns of A only) and
// the matrix after it, then in words what the reduced form says, then the
// results under the names they are stored under, as the last matrices,
// and an exact check of them. Every conclusion comes from the LinearSystem
// the operations use, so text and workspace agree.
//
// An operand larger than ShownSize x ShownSize shows the row operations,
// the counts and the results only. Each function reads only its operands
// (slots 1 to MatrixCount; any other gives ""), so its text is the same
// before and after the operation. Texts are plain ASCII (but for the names)
// with CR LF line ends, never longer than WorkingText::MaxBytes.
class SystemWorkings {
public:
    explicit SystemWorkings(const GVar& workspace, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_progress(progress) {}

    // Operands up to this many rows and columns show their matrices and
    // equations.
    static constexpr int ShownSize = 10;

    // Pivot and free variables, each non-zero row solved for its pivot
    // variable, the solution in parametric vector form with the free
    // variables as parameters, and the checks A x(A) = b and A v = 0 for
    // each column v of null(A). Without solution it ends at the row that
    // reads 0 = c.
    std::string Solve(int a, int b) const;

    // Each of these also states rank + nullity = the number of columns.
    std::string NullSpace(int a) const;
    std::string ColumnSpace(int a) const;
    std::string RowSpace(int a) const;

private:
    // The sentence on the method, and the one on what makes the basis.
    using Method = std::string (*)(const std::string& name);
    using Explain = std::string (*)(const LinearSystem& system, const std::string& name,
                                    const std::string& stored);
    std::string spaceWorking(int a, const std::string& space, Method method,
                             const std::string& prefix,
                             ExactMatrix (LinearSystem::*basisOf)() const, Explain explain) const;

    const GVar& m_workspace;
    WorkProgress* m_progress;
};
