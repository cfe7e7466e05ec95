// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RowPractice.h"

#include "RowOperationReader.h"
#include "WorkingText.h"

#include <utility>

namespace {
using Operation = HandElimination::Operation;

std::string at(int i, int j) {
    return "(" + std::to_string(i) + ", " + std::to_string(j) + ")";
}

// Takes the first operation of an elimination and ends it there.
class FirstStep : public HandElimination::Observer {
public:
    struct Taken {};
    void Done(const Operation& operation, const ExactMatrix&) override {
        first = operation;
        found = true;
        throw Taken{};
    }
    bool NoPivot(int, int) override { return true; }
    Operation first;
    bool found = false;
};
} // namespace

RowPractice::RowPractice(ExactMatrix start, int barAfter, std::string name)
    : m_start(std::move(start)), m_current(m_start), m_barAfter(barAfter),
      m_name(std::move(name)) {}

int RowPractice::pivotCols() const {
    return m_barAfter > 0 ? m_barAfter : m_current.Cols();
}

std::string RowPractice::Apply(const std::string& text) {
    const RowOperationReader::Result read = RowOperationReader::Read(text, m_current.Rows());
    if (!read.ok)
        return read.error;
    return Apply(read.operation);
}

std::string RowPractice::Apply(const Operation& operation) {
    using Kind = Operation::Kind;
    const int rows = m_current.Rows();
    const auto outside = [&](int row) { return row < 1 || row > rows; };
    if (outside(operation.target) || (operation.kind != Kind::Scale && outside(operation.source)))
        return "there is no row " +
               std::to_string(outside(operation.target) ? operation.target : operation.source) +
               ": the matrix has rows 1 to " + std::to_string(rows);
    if (operation.kind == Kind::Scale && operation.factor == 0)
        return RowOperationReader::ScaleByZeroMessage;
    if (operation.kind == Kind::Subtract && operation.source == operation.target)
        return RowOperationReader::ToItselfMessage;
    if (operation.kind == Kind::Swap && operation.source == operation.target)
        return "swapping a row with itself changes nothing: that is not a step";
    apply(operation);
    return std::string();
}

void RowPractice::applyTo(ExactMatrix& m, const Operation& operation) {
    const int i = operation.target;
    const int j = operation.source;
    for (int c = 1; c <= m.Cols(); ++c)
        switch (operation.kind) {
        case Operation::Kind::Swap: std::swap(m.At(i, c), m.At(j, c)); break;
        case Operation::Kind::Scale: m.At(i, c) *= operation.factor; break;
        case Operation::Kind::Subtract: m.At(i, c) -= operation.factor * m.At(j, c); break;
        }
}

// Exact arithmetic makes every step undoable by its inverse.
Operation RowPractice::inverse(const Operation& operation) {
    Operation back = operation;
    if (operation.kind == Operation::Kind::Scale)
        back.factor = 1 / operation.factor;
    else if (operation.kind == Operation::Kind::Subtract)
        back.factor = -operation.factor;
    return back;
}

void RowPractice::apply(const Operation& operation) {
    applyTo(m_current, operation);
    m_steps.resize(m_done); // a new step forgets what was undone
    Step step;
    step.operation = operation;
    step.entry = WorkingText::Line(operation.Text()) + MatrixText() + WorkingText::EndLine;
    m_steps.push_back(std::move(step));
    ++m_done;
}

void RowPractice::Undo() {
    if (!CanUndo())
        return;
    --m_done;
    applyTo(m_current, inverse(m_steps[m_done].operation));
}

void RowPractice::Redo() {
    if (!CanRedo())
        return;
    applyTo(m_current, m_steps[m_done].operation);
    ++m_done;
}

std::vector<Operation> RowPractice::Operations() const {
    std::vector<Operation> done;
    for (std::size_t k = 0; k < m_done; ++k)
        done.push_back(m_steps[k].operation);
    return done;
}

std::string RowPractice::MatrixText() const {
    return WorkingText::Block(m_current, m_barAfter);
}

// The pivots as the elimination would place them, column by column: the
// first entry in violation of the echelon form, then of the reduced form.
std::string RowPractice::Status() const {
    const ExactMatrix& m = m_current;
    const int rows = m.Rows();
    std::vector<std::pair<int, int>> pivots;
    int r = 1;
    for (int c = 1; c <= pivotCols() && r <= rows; ++c) {
        const bool pivot = m.At(r, c) != 0;
        for (int k = r + 1; k <= rows; ++k)
            if (m.At(k, c) != 0)
                return "Not in row echelon form: column " + std::to_string(c) + ": entry " +
                       at(k, c) + " is not 0 " +
                       (pivot ? "below the pivot in row " + std::to_string(r) + "."
                              : "below row " + std::to_string(r) + ", whose entry " + at(r, c) +
                                    " is 0.");
        if (pivot)
            pivots.emplace_back(r++, c);
    }
    for (const auto& [i, c] : pivots) {
        if (m.At(i, c) != 1)
            return "In row echelon form, not reduced: the pivot " + at(i, c) + " is " +
                   WorkingText::Number(m.At(i, c)) + ", not 1.";
        for (int k = 1; k < i; ++k)
            if (m.At(k, c) != 0)
                return "In row echelon form, not reduced: column " + std::to_string(c) +
                       ": entry " + at(k, c) + " is not 0 above the pivot in row " +
                       std::to_string(i) + ".";
    }
    return "In reduced row echelon form.";
}

bool RowPractice::Reduced() const {
    return Hint().empty();
}

std::string RowPractice::Hint() const {
    HandElimination elimination(m_current, HandElimination::Goal::Reduced, pivotCols());
    FirstStep step;
    try {
        elimination.Run(step);
    } catch (const FirstStep::Taken&) {
    }
    return step.found ? step.first.Text() : std::string();
}

std::string RowPractice::Log(bool withStatus) const {
    std::string text = WorkingText::Line("Row operations on " + m_name + " (" +
                                         WorkingText::Size(m_start.Rows(), m_start.Cols()) +
                                         "), chosen by hand, worked in exact fractions");
    text += WorkingText::EndLine + WorkingText::Line(m_name + ":") +
            WorkingText::Block(m_start, m_barAfter) + WorkingText::EndLine;
    for (std::size_t k = 0; k < m_done; ++k)
        text += m_steps[k].entry;
    return withStatus ? text + WorkingText::Line(Status()) : text;
}

std::string RowPractice::LastEntry() const {
    return m_done > 0 ? m_steps[m_done - 1].entry : std::string();
}
