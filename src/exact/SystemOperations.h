// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class ExactMatrix;
class GVar;
struct TMatrixRec;
class LinearSystem;
class Messages;
class WorkProgress;

// Solve system, Null space, Column space and Row space: decided exactly on
// the fractions the values stand for (FractionRule) by LinearSystem, never
// within a tolerance, each stored value being the exact result rounded to
// the nearest double.
//
// The conventions are ExactOperations': slots 1 to MatrixCount (any other
// does nothing), results added at the end under AllocResult's limit and
// named from the operand's name cut to 20 characters, operands never
// changed, and every failure one message with nothing added:
// TooLargeMessage, MemoryMessage, and CancelledMessage when progress says
// stop. A basis is written as the columns (the rows for the row space) of
// one matrix.
class SystemOperations {
public:
    SystemOperations(GVar& workspace, Messages& messages, WorkProgress* progress = nullptr)
        : m_workspace(workspace), m_messages(messages), m_progress(progress) {}

    // A x = b, b one column with as many rows as A. One solution: adds
    // "x(A)". Infinitely many: adds "x(A)", the one with every free
    // variable 0, and "null(A)", a basis of the null space, and says how
    // they make every solution; both or neither. None: adds nothing and
    // names the row that reads 0 = c.
    void SolveSystem(int a, int b);

    // "null(A)": one column per free variable. Only the zero vector: a
    // message and nothing added.
    void NullSpace(int a);

    // "col(A)": the pivot columns of A itself.
    void ColumnSpace(int a);

    // "row(A)": the non-zero rows of rref(A).
    void RowSpace(int a);

    // The refusal of a right-hand side b that is not one column with as
    // many rows as A: shared with Cramer's rule.
    static std::string NotOneColumn(const TMatrixRec& a, const TMatrixRec& b);

private:
    // The end of the message when the space holds only the zero vector, or
    // nothing when it has a basis.
    using ZeroSpace = std::string (*)(const LinearSystem& system, const std::string& name);
    void addSpace(int a, const char* space, const char* prefix,
                  ExactMatrix (LinearSystem::*basis)() const, ZeroSpace zero);
    static std::string zeroMatrix(const LinearSystem& system, const std::string& name);

    GVar& m_workspace;
    Messages& m_messages;
    WorkProgress* m_progress;
};
