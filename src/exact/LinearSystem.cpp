// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinearSystem.h"

#include "HandElimination.h"
#include "RowReduction.h"

#include <utility>

namespace {
// Looks at nothing, so the elimination runs fraction-free.
class Quiet : public HandElimination::Observer {
public:
    void Done(const HandElimination::Operation&, const ExactMatrix&) override {}
    bool NoPivot(int, int) override { return true; }
    bool WantsMatrices() const override { return false; }
};
} // namespace

LinearSystem::LinearSystem(ExactMatrix a, const ExactMatrix* b, WorkProgress* progress)
    : m_a(std::move(a)) {
    const int rows = m_a.Rows();
    const int n = m_a.Cols();
    ExactMatrix augmented = m_a;
    if (b != nullptr) {
        augmented = ExactMatrix(rows, n + 1);
        for (int i = 1; i <= rows; ++i) {
            for (int j = 1; j <= n; ++j)
                augmented.At(i, j) = m_a.At(i, j);
            augmented.At(i, n + 1) = b->At(i, 1);
        }
    }
    m_reduced = RowReduction::Rref(augmented, progress);

    // Each non-zero row of a reduced form starts at its pivot.
    int row = 1;
    bool pivotInB = false;
    for (int j = 1; j <= m_reduced.Cols(); ++j) {
        const bool pivot = row <= rows && m_reduced.At(row, j) != 0;
        if (j > n)
            pivotInB = pivot;
        else
            (pivot ? m_pivots : m_free).push_back(j);
        if (pivot)
            ++row;
    }
    if (!pivotInB)
        return;

    // The reduced form says 0 = 1; the student's elimination, which never
    // pivots on b, leaves a row reading 0 = c, the one the working shows.
    HandElimination elimination(augmented, HandElimination::Goal::Reduced, n, progress);
    Quiet quiet;
    elimination.Run(quiet);
    const ExactMatrix& hand = elimination.Matrix();
    for (int i = Rank() + 1; i <= rows && m_contradiction == 0; ++i)
        if (hand.At(i, n + 1) != 0) {
            m_contradiction = i;
            m_contradictionValue = hand.At(i, n + 1);
        }
}

ExactMatrix LinearSystem::Particular() const {
    ExactMatrix x(Unknowns(), 1);
    if (m_reduced.Cols() > Unknowns() && Consistent())
        for (int i = 1; i <= Rank(); ++i)
            x.At(m_pivots[i - 1], 1) = m_reduced.At(i, Unknowns() + 1);
    return x;
}

ExactMatrix LinearSystem::NullBasis() const {
    ExactMatrix basis(Unknowns(), Nullity());
    for (int k = 1; k <= Nullity(); ++k) {
        const int f = m_free[k - 1];
        basis.At(f, k) = 1;
        for (int i = 1; i <= Rank(); ++i)
            basis.At(m_pivots[i - 1], k) = -m_reduced.At(i, f);
    }
    return basis;
}

ExactMatrix LinearSystem::ColumnBasis() const {
    ExactMatrix basis(m_a.Rows(), Rank());
    for (int i = 1; i <= m_a.Rows(); ++i)
        for (int k = 1; k <= Rank(); ++k)
            basis.At(i, k) = m_a.At(i, m_pivots[k - 1]);
    return basis;
}

ExactMatrix LinearSystem::RowBasis() const {
    ExactMatrix basis(Rank(), Unknowns());
    for (int i = 1; i <= Rank(); ++i)
        for (int j = 1; j <= Unknowns(); ++j)
            basis.At(i, j) = m_reduced.At(i, j);
    return basis;
}
