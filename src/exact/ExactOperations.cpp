// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExactOperations.h"

#include "ExactMatrix.h"
#include "GVar.h"
#include "MatOperations.h"
#include "Messages.h"
#include "RowReduction.h"
#include "WorkProgress.h"

#include <new>

const std::string ExactOperations::NotSquareMessage =
    "Error, matrix must be square for this operation.";
const std::string ExactOperations::TooLargeMessage =
    "Sorry, the exact result is too large to be stored as a double.";
const std::string ExactOperations::MemoryMessage = "Sorry, not enough memory to complete the "
                                                   "exact computation.";
const std::string ExactOperations::SingularMessage =
    "Error: Singular matrix -- cannot compute approximations.";
const std::string ExactOperations::CancelledMessage =
    "The computation was cancelled: nothing was added to the workspace.";

// The result slot is taken first, as every operation takes it, so a full
// workspace is refused before any work; a result that cannot be stored
// gives its slot back.
template <class Compute> void ExactOperations::addResult(const std::string& name, Compute compute) {
    const int before = m_workspace.MatrixCount;
    try {
        TMatrixRec* result = m_workspace.AllocResult(m_messages);
        if (result == nullptr)
            return;
        const ExactMatrix exact = compute();
        if (!exact.ToRecord(*result)) {
            m_workspace.Truncate(before);
            m_messages.ShowMessage(TooLargeMessage);
            return;
        }
        result->SetName(name);
    } catch (const std::bad_alloc&) {
        m_workspace.Truncate(before);
        m_messages.ShowMessage(MemoryMessage);
    } catch (const WorkCancelled&) {
        m_workspace.Truncate(before);
        m_messages.ShowMessage(CancelledMessage);
    }
}

bool ExactOperations::SquareOperand(const GVar& workspace, Messages& messages, int a) {
    if (!workspace.IsSlot(a))
        return false;
    const TMatrixRec& A = workspace.Matrix(a);
    if (A.Rows != A.Cols) {
        messages.ShowMessage(NotSquareMessage);
        return false;
    }
    return true;
}

void ExactOperations::InvertMat(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    if (A.Rows == A.Cols && m_workspace.MatrixCount < MaxMatrices - 1) {
        try {
            if (RowReduction::Determinant(ExactMatrix::FromRecord(A), m_progress) == 0) {
                m_messages.ShowMessage(SingularMessage);
                return;
            }
        } catch (const std::bad_alloc&) {
            m_messages.ShowMessage(MemoryMessage);
            return;
        } catch (const WorkCancelled&) {
            m_messages.ShowMessage(CancelledMessage);
            return;
        }
    }
    MatOperations(m_workspace, m_messages).InvertMat(a);
}

void ExactOperations::DeterminantMat(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    if (A.Rows != A.Cols) {
        m_messages.ShowMessage(NotSquareMessage);
        return;
    }
    addResult("det(" + A.Name + ")", [&] {
        ExactMatrix det(1, 1);
        det.At(1, 1) = RowReduction::Determinant(ExactMatrix::FromRecord(m_workspace.Matrix(a)),
                                                 m_progress);
        return det;
    });
}

void ExactOperations::RankMat(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    addResult("rank(" + m_workspace.Matrix(a).Name + ")", [&] {
        ExactMatrix rank(1, 1);
        rank.At(1, 1) = RowReduction::Rank(ExactMatrix::FromRecord(m_workspace.Matrix(a)), m_progress);
        return rank;
    });
}

void ExactOperations::RrefMat(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    addResult("rref(" + m_workspace.Matrix(a).Name + ")",
              [&] {
                  return RowReduction::Rref(ExactMatrix::FromRecord(m_workspace.Matrix(a)),
                                            m_progress);
              });
}
