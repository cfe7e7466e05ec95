// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HandElimination.h"

#include "FractionFreeElimination.h"
#include "ModularElimination.h"
#include "WorkingText.h"
#include "WorkProgress.h"

#include <utility>

namespace {
// A multiple of a row as a student writes it, long numbers shortened: "R1",
// "2 R1", "(3/2) R1", "(-2) R1".
// Listens to nothing, and ends the run at a given column without a pivot.
class EndAt : public HandElimination::Observer {
public:
    explicit EndAt(int col) : m_col(col) {}
    void Done(const HandElimination::Operation&, const ExactMatrix&) override {}
    bool NoPivot(int col, int) override { return col != m_col; }
    bool WantsMatrices() const override { return false; }

private:
    int m_col;
};

std::string multiple(const mpq_class& factor, int row) {
    const std::string name = "R" + std::to_string(row);
    if (factor == 1)
        return name;
    const std::string text = WorkingText::Number(factor);
    if (factor > 0 && factor.get_den() == 1)
        return text + " " + name;
    return "(" + text + ") " + name;
}
} // namespace

std::string HandElimination::Operation::Text() const {
    const std::string target = "R" + std::to_string(this->target);
    switch (kind) {
    case Kind::Swap:
        return target + " <-> R" + std::to_string(source);
    case Kind::Scale:
        return target + " <- " + multiple(factor, this->target);
    case Kind::Subtract:
        if (factor < 0)
            return target + " <- " + target + " + " + multiple(-factor, source);
        return target + " <- " + target + " - " + multiple(factor, source);
    }
    return std::string();
}

void HandElimination::apply(const Operation& operation, Observer& observer) {
    const int cols = m_matrix.Cols();
    const int i = operation.target;
    const int j = operation.source;
    switch (operation.kind) {
    case Operation::Kind::Swap:
        for (int c = 1; c <= cols; ++c)
            std::swap(m_matrix.At(i, c), m_matrix.At(j, c));
        ++m_swaps;
        break;
    case Operation::Kind::Scale:
        for (int c = 1; c <= cols; ++c)
            m_matrix.At(i, c) *= operation.factor;
        break;
    case Operation::Kind::Subtract:
        for (int c = 1; c <= cols; ++c)
            if (m_matrix.At(j, c) != 0)
                m_matrix.At(i, c) -= operation.factor * m_matrix.At(j, c);
        break;
    }
    observer.Done(operation, m_matrix);
}

const ExactMatrix& HandElimination::Matrix() const {
    if (m_stale) {
        FractionFreeElimination elimination(m_matrix, m_goal, m_pivotCols, m_progress);
        EndAt quiet(m_endedAt);
        elimination.Run(quiet, m_matrix);
        m_matrix = elimination.Matrix();
        m_stale = false;
    }
    return m_matrix;
}

std::vector<mpq_class> HandElimination::Pivots() const {
    if (!m_pivots.empty() || m_rank == 0)
        return m_pivots;
    // By the hand elimination's rule, the pivot of step k stands in row k.
    std::vector<mpq_class> pivots;
    const ExactMatrix& m = Matrix();
    int row = 1;
    for (int col = 1; col <= m_pivotCols && row <= m_rank; ++col)
        if (m.At(row, col) != 0)
            pivots.push_back(m.At(row++, col));
    return pivots;
}

bool HandElimination::Run(Observer& observer) {
    if (!observer.WantsMatrices()) {
        ModularElimination modular(m_matrix, m_goal, m_pivotCols, m_progress);
        if (modular.Worthwhile() && modular.Prepare()) {
            const bool done = modular.Run(observer, m_matrix);
            m_rank = modular.Rank();
            m_swaps = modular.Swaps();
            m_pivots = modular.Pivots();
            m_endedAt = modular.EndedAt();
            if (done && modular.HasMatrix())
                m_matrix = modular.TakeMatrix();
            else
                m_stale = true;
            return done;
        }
        FractionFreeElimination elimination(m_matrix, m_goal, m_pivotCols, m_progress);
        const bool done = elimination.Run(observer, m_matrix);
        m_matrix = elimination.Matrix();
        m_rank = elimination.Rank();
        m_swaps = elimination.Swaps();
        return done;
    }
    const int rows = m_matrix.Rows();
    for (int col = 1; col <= m_pivotCols; ++col) {
        ReportProgress(m_progress, col - 1, m_pivotCols);
        const int row = m_rank + 1;
        if (row > rows)
            return true;
        int pivotRow = row;
        while (pivotRow <= rows && m_matrix.At(pivotRow, col) == 0)
            ++pivotRow;
        if (pivotRow > rows) {
            if (!observer.NoPivot(col, row))
                return false;
            continue;
        }
        Operation operation;
        if (pivotRow != row) {
            operation.kind = Operation::Kind::Swap;
            operation.target = row;
            operation.source = pivotRow;
            apply(operation, observer);
        }
        if (m_goal == Goal::Reduced && m_matrix.At(row, col) != 1) {
            operation.kind = Operation::Kind::Scale;
            operation.target = row;
            operation.factor = 1 / m_matrix.At(row, col);
            apply(operation, observer);
        }
        for (int i = m_goal == Goal::Reduced ? 1 : row + 1; i <= rows; ++i) {
            if (i == row || m_matrix.At(i, col) == 0)
                continue;
            operation.kind = Operation::Kind::Subtract;
            operation.target = i;
            operation.source = row;
            operation.factor = m_matrix.At(i, col) / m_matrix.At(row, col);
            apply(operation, observer);
        }
        ++m_rank;
    }
    return true;
}
