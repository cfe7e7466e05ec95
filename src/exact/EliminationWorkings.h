// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class WorkProgress;

// The worked solutions of Invert, Determinant, Rank and Reduced row echelon
// form, done in exact fractions as a student does them by hand
// (HandElimination): the starting matrix, then each row operation on a line
// of its own followed by the matrix after it, then the result, under a
// line naming it ("inv(A):", "det(A):", "rank(A):", "rref(A):"), as the last
// matrix of the text. An operand larger than ShownSize x ShownSize shows
// the row operations and the result only. A singular or wrongly sized
// operand gives the working up to the step where it fails and says why.
//
// Each function reads the operand in slot (1 to MatrixCount) and nothing
// else of the workspace, so its text is the same before and after the
// operation, which never changes its operand; a slot outside gives "".
// Texts are plain ASCII (but for the operand's name) with CR LF line ends.
class EliminationWorkings {
public:
    static constexpr int ShownSize = 10;

    // progress, when given, hears of the elimination and may stop it by
    // WorkCancelled, which the caller catches.
    explicit EliminationWorkings(const GVar& workspace, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_progress(progress) {}

    // Row reduces [A | I] to [I | inv(A)], checks A inv(A) = I exactly, and
    // states the largest difference between the exact inverse and the one
    // the workspace's Invert computes in floating point.
    std::string Invert(int a) const;

    // Clears below the pivots and multiplies the diagonal, a sign for each
    // swap.
    std::string Determinant(int a) const;

    // Clears below the pivots and counts the non-zero rows.
    std::string Rank(int a) const;

    std::string Rref(int a) const;

private:
    const GVar& m_workspace;
    WorkProgress* m_progress;
};
