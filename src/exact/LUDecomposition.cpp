// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LUDecomposition.h"

#include <utility>

namespace {
using Operation = HandElimination::Operation;

class Recorder : public HandElimination::Observer {
public:
    Recorder(ExactMatrix& l, ExactMatrix& p, HandElimination::Observer* also)
        : m_l(l), m_p(p), m_also(also) {}

    void Done(const Operation& operation, const ExactMatrix& after) override {
        const int i = operation.target;
        const int j = operation.source;
        if (operation.kind == Operation::Kind::Swap) {
            // The elimination swaps the current row i with a lower one j.
            for (int c = 1; c <= m_p.Cols(); ++c)
                std::swap(m_p.At(i, c), m_p.At(j, c));
            for (int c = 1; c < i; ++c)
                std::swap(m_l.At(i, c), m_l.At(j, c));
        } else if (operation.kind == Operation::Kind::Subtract) {
            m_l.At(i, j) = operation.factor;
        }
        if (m_also != nullptr)
            m_also->Done(operation, after);
    }
    bool NoPivot(int col, int row) override {
        return m_also == nullptr || m_also->NoPivot(col, row);
    }
    bool WantsMatrices() const override { return m_also != nullptr && m_also->WantsMatrices(); }

private:
    ExactMatrix& m_l;
    ExactMatrix& m_p;
    HandElimination::Observer* m_also;
};
} // namespace

LUDecomposition::LUDecomposition(const ExactMatrix& a, WorkProgress* progress,
                                 HandElimination::Observer* also)
    : m_l(ExactMatrix::Identity(a.Rows())), m_p(ExactMatrix::Identity(a.Rows())) {
    HandElimination elimination(a, HandElimination::Goal::Echelon, a.Cols(), progress);
    Recorder recorder(m_l, m_p, also);
    elimination.Run(recorder);
    m_u = elimination.Matrix();
    m_exchanges = elimination.Swaps();
}
