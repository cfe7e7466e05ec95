// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SystemOperations.h"

#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "ExactResults.h"
#include "GVar.h"
#include "LinearSystem.h"
#include "Messages.h"
#include "WorkProgress.h"
#include "WorkingText.h"

#include <utility>
#include <vector>

using Outcome = ExactResults::Outcome;

namespace {
std::string sizeText(const TMatrixRec& m) {
    return WorkingText::Size(m.Rows, m.Cols);
}
} // namespace

std::string SystemOperations::NotOneColumn(const TMatrixRec& A, const TMatrixRec& B) {
    return "Error, " + B.Name + " must be one column with as many rows as " + A.Name + ": " +
           A.Name + " is " + sizeText(A) + ", " + B.Name + " is " + sizeText(B) + ".";
}

void SystemOperations::SolveSystem(int a, int b) {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    if (B.Cols != 1 || B.Rows != A.Rows) {
        m_messages.ShowMessage(NotOneColumn(A, B));
        return;
    }
    const std::string nameA = A.Name;
    const std::string nameB = B.Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const ExactMatrix exactB = ExactMatrix::FromRecord(m_workspace.Matrix(b));
        const LinearSystem system(ExactMatrix::FromRecord(m_workspace.Matrix(a)), &exactB,
                                  m_progress);
        Outcome outcome;
        if (!system.Consistent()) {
            outcome.message = "No solution: row " + std::to_string(system.ContradictionRow()) +
                              " of the echelon form of [" + nameA + " | " + nameB +
                              "] reads 0 = " + WorkingText::Number(system.ContradictionValue()) +
                              ".";
            return outcome;
        }
        const std::string x = WorkingText::StoredName("x(" + nameA + ")");
        outcome.results.emplace_back(x, system.Particular());
        const int k = system.Nullity();
        if (k > 0) {
            const std::string null = WorkingText::StoredName("null(" + nameA + ")");
            outcome.results.emplace_back(null, system.NullBasis());
            outcome.message = "Infinitely many solutions: x = " + x + " + " +
                              (k == 1 ? "a multiple of the column of "
                                      : "a combination of the " + std::to_string(k) +
                                            " columns of ") +
                              null + ".";
        }
        return outcome;
    });
}

void SystemOperations::NullSpace(int a) {
    addSpace(a, "null", "null(", &LinearSystem::NullBasis,
             [](const LinearSystem& system, const std::string&) {
                 return system.Nullity() == 0 ? std::string(": its columns are independent.")
                                              : std::string();
             });
}

// A basis from the reduced form, or, where the space holds only the zero
// vector, a message that says so and why.
void SystemOperations::addSpace(int a, const char* space, const char* prefix,
                                ExactMatrix (LinearSystem::*basis)() const, ZeroSpace zero) {
    if (!m_workspace.IsSlot(a))
        return;
    const std::string name = m_workspace.Matrix(a).Name;
    ExactResults::Add(m_workspace, m_messages, [&] {
        const LinearSystem system(ExactMatrix::FromRecord(m_workspace.Matrix(a)), nullptr,
                                  m_progress);
        Outcome outcome;
        const std::string why = zero(system, name);
        if (!why.empty())
            outcome.message = std::string("The ") + space + " space of " + name +
                              " holds only the zero vector" + why;
        else
            outcome.results.emplace_back(prefix + name + ")", (system.*basis)());
        return outcome;
    });
}

// The column and the row space of a zero matrix hold only the zero vector.
std::string SystemOperations::zeroMatrix(const LinearSystem& system, const std::string& name) {
    return system.Rank() == 0 ? ": every entry of " + name + " is 0." : std::string();
}

void SystemOperations::ColumnSpace(int a) {
    addSpace(a, "column", "col(", &LinearSystem::ColumnBasis, &zeroMatrix);
}

void SystemOperations::RowSpace(int a) {
    addSpace(a, "row", "row(", &LinearSystem::RowBasis, &zeroMatrix);
}
