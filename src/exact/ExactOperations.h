// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class Messages;
class WorkProgress;

// Determinant, Rank and Reduced row echelon form: computed exactly on the
// fractions the operand's values stand for (FractionRule), each stored
// value being that exact result rounded to the nearest double.
//
// Like the numerical operations, each takes a slot number (1 to
// MatrixCount; any other does nothing) and adds at most one matrix, at slot
// MatrixCount + 1, under AllocResult's limit of 19 matrices and its
// message, named from the operand's name and cut to 20 characters; the
// operand never changes. Every failure shows one message and leaves the
// workspace exactly as it was. progress, when given, hears of the work and
// may stop it: the operation then shows CancelledMessage and adds nothing.
class ExactOperations {
public:
    ExactOperations(GVar& workspace, Messages& messages, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_messages(messages), m_progress(progress) {}

    // The workspace's Invert (MatOperations::InvertMat), refused with
    // SingularMessage when the fractions A's values stand for make a
    // singular matrix, as Determinant reads them: the floating-point
    // elimination accepts any pivot that is not exactly 0 and would
    // "invert" such a matrix into huge rounding noise. A matrix that is not
    // square, or a full workspace, gets Invert's own message first.
    void InvertMat(int a);

    // "det(A)", 1 x 1. A matrix that is not square is refused with
    // NotSquareMessage; a determinant beyond the double range with
    // TooLargeMessage.
    void DeterminantMat(int a);

    // "rank(A)", 1 x 1, of any matrix.
    void RankMat(int a);

    // "rref(A)", the size of A. An entry beyond the double range is refused
    // with TooLargeMessage.
    void RrefMat(int a);

    // Whether a is a slot holding a square matrix: nothing said for a slot
    // outside 1 to MatrixCount, NotSquareMessage for another matrix.
    static bool SquareOperand(const GVar& workspace, Messages& messages, int a);

    static const std::string NotSquareMessage;
    static const std::string TooLargeMessage;
    static const std::string MemoryMessage;
    static const std::string CancelledMessage;
    static const std::string SingularMessage;

private:
    template <class Compute> void addResult(const std::string& name, Compute compute);

    GVar& m_workspace;
    Messages& m_messages;
    WorkProgress* m_progress;
};
