// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SystemWorkings.h"

#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "FractionRule.h"
#include "GVar.h"
#include "HandElimination.h"
#include "LinearSystem.h"
#include "OperationWriter.h"
#include "WorkingText.h"

#include <vector>

namespace {
const char* const EndLine = WorkingText::EndLine;
const char* const PivotRule = WorkingText::PivotRule;

std::string line(const std::string& text) {
    return WorkingText::Line(text);
}

std::string sizeText(const TMatrixRec& m) {
    return WorkingText::Size(m.Rows, m.Cols);
}

std::string block(const ExactMatrix& m, int barAfter = 0) {
    return WorkingText::Block(m, barAfter);
}

std::string resultBlock(const std::string& name, const ExactMatrix& m) {
    return WorkingText::ResultBlock(name, m);
}

std::string variable(int col) {
    return "x" + std::to_string(col);
}

// "x1, x2 and x4", or "none".
std::string listed(const std::vector<int>& cols, bool asVariables) {
    if (cols.empty())
        return "none";
    std::string text;
    for (std::size_t k = 0; k < cols.size(); ++k) {
        if (k > 0)
            text += k + 1 == cols.size() ? " and " : ", ";
        text += asVariables ? variable(cols[k]) : std::to_string(cols[k]);
    }
    return text;
}

// A column of a matrix in brackets: "(2, -1/2, 0)".
std::string vectorText(const ExactMatrix& m, int col) {
    std::string text = "(";
    for (int i = 1; i <= m.Rows(); ++i)
        text += (i > 1 ? ", " : "") + WorkingText::Number(m.At(i, col));
    return text + ")";
}

// Row i of the reduced form solved for its pivot variable, as a student
// writes it: "x1 = 2 - 3 x3 + (1/2) x4".
std::string equation(const LinearSystem& system, int i, bool withB) {
    const ExactMatrix& R = system.Reduced();
    const mpq_class constant = withB ? R.At(i, system.Unknowns() + 1) : mpq_class(0);
    std::string text = variable(system.PivotColumns()[i - 1]) + " =";
    bool first = true;
    for (const int f : system.FreeColumns()) {
        const mpq_class coefficient = -R.At(i, f);
        if (coefficient == 0)
            continue;
        if (first && constant != 0)
            text += " " + WorkingText::Number(constant);
        const mpq_class size = abs(coefficient);
        const std::string factor = size == 1 ? ""
                                   : size.get_den() == 1 ? WorkingText::Number(size) + " "
                                                         : "(" + WorkingText::Number(size) + ") ";
        if (first && constant == 0)
            text += coefficient < 0 ? " -" : " ";
        else
            text += coefficient < 0 ? " - " : " + ";
        text += factor + variable(f);
        first = false;
    }
    return first ? text + " " + WorkingText::Number(constant) : text;
}

// The row operations, and for each column without a pivot the free
// variable it makes.
class Writer : public OperationWriter {
public:
    using OperationWriter::OperationWriter;

    bool NoPivot(int col, int row) override {
        Note("Column " + std::to_string(col) + " has no non-zero entry at or below row " +
             std::to_string(row) + ": no pivot in this column, " + variable(col) + " is free.");
        return true;
    }
};

bool shown(const TMatrixRec& A) {
    return A.Rows <= SystemWorkings::ShownSize && A.Cols <= SystemWorkings::ShownSize;
}

// The title and method, the starting matrix, the values read by rounding,
// then the row operations that reduce it on the columns of A.
std::string reduction(const std::string& title, const std::string& method,
                      const std::string& startName, const ExactMatrix& start, int pivotCols,
                      const std::vector<const TMatrixRec*>& operands, bool show,
                      WorkProgress* progress) {
    std::string text = line(title + ", worked in exact fractions");
    text += line(method);
    text += line(PivotRule);
    const int bar = start.Cols() > pivotCols ? pivotCols : 0;
    if (show)
        text += EndLine + line(startName + ":") + block(start, bar);
    else
        text += line("Larger than " +
                     WorkingText::Size(SystemWorkings::ShownSize, SystemWorkings::ShownSize) +
                     ": the row operations and the result only.");
    for (const TMatrixRec* operand : operands)
        text += WorkingText::NearReadings(*operand, operand->Name);
    text += EndLine;
    HandElimination elimination(start, HandElimination::Goal::Reduced, pivotCols, progress);
    Writer writer(text, show, bar);
    elimination.Run(writer);
    writer.Finish();
    return text;
}

std::string counts(const LinearSystem& system, const std::string& name) {
    const int r = system.Rank();
    const int k = system.Nullity();
    return line("Rank " + std::to_string(r) + " (the number of pivots) + nullity " +
                std::to_string(k) + " (the number of free variables) = " + std::to_string(r + k) +
                ", the number of columns of " + name + ".");
}

// What the operation does with a result that has an entry beyond the range
// of a double.
std::string tooLarge(const std::vector<ExactMatrix>& results) {
    for (const ExactMatrix& m : results)
        for (int i = 1; i <= m.Rows(); ++i)
            for (int j = 1; j <= m.Cols(); ++j)
                if (!FractionRule::NearestDouble(m.At(i, j)))
                    return line("An entry is beyond the range of a double: nothing is stored in "
                                "the workspace (\"" +
                                ExactOperations::TooLargeMessage + "\").") +
                           EndLine;
    return std::string();
}

// The variables, the equations and the parametric vector form.
std::string solvedForm(const LinearSystem& system, bool withB, const std::string& x,
                       const ExactMatrix& particular, const ExactMatrix& basis) {
    std::string text = line("Pivot variables: " + listed(system.PivotColumns(), true) +
                            ". Free variables: " + listed(system.FreeColumns(), true) + ".");
    if (system.Rank() > 0) {
        text += line("Each non-zero row solved for its pivot variable:");
        for (int i = 1; i <= system.Rank(); ++i)
            text += line("  " + equation(system, i, withB));
    }
    const int k = system.Nullity();
    if (k == 0)
        return text + line("With no free variable there is exactly one solution: x = " +
                           (withB ? x + " = " : "") + vectorText(particular, 1) + ".");
    std::string form = withB ? x : "";
    for (int v = 1; v <= k; ++v)
        form += (form.empty() ? "" : " + ") + variable(system.FreeColumns()[v - 1]) + " v" +
                std::to_string(v);
    text += line("With the free variables as parameters, every solution is");
    text += line("  x = " + form);
    text += line(withB ? "where " + x + " = " + vectorText(particular, 1) +
                             " is the solution with every free variable 0, and"
                       : "where");
    for (int v = 1; v <= k; ++v)
        text += line("  v" + std::to_string(v) + " = " + vectorText(basis, v) +
                     (v == 1 ? " (" + variable(system.FreeColumns()[0]) + " = 1, the other free "
                                                                          "variables 0)"
                             : ""));
    return text;
}

std::string nullCheck(const ExactMatrix& A, const ExactMatrix& basis, const std::string& name,
                      const std::string& null) {
    const bool holds = A * basis == ExactMatrix(A.Rows(), basis.Cols());
    return line("Check: " + name + " v = 0 " + (holds ? "holds exactly" : "does NOT hold") +
                " for each column v of " + null + ".");
}
} // namespace

std::string SystemWorkings::Solve(int a, int b) const {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    const std::string title = "Solution of " + A.Name + " x = " + B.Name + " (" + A.Name + " " +
                              sizeText(A) + ", " + B.Name + " " + sizeText(B) + ")";
    if (B.Cols != 1 || B.Rows != A.Rows)
        return line(title) + line(B.Name + " must be one column with as many rows as " + A.Name +
                                  ": there is no system to solve.");

    const int n = A.Cols;
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    const ExactMatrix exactB = ExactMatrix::FromRecord(B);
    ExactMatrix augmented(A.Rows, n + 1);
    for (int i = 1; i <= A.Rows; ++i) {
        for (int j = 1; j <= n; ++j)
            augmented.At(i, j) = exactA.At(i, j);
        augmented.At(i, n + 1) = exactB.At(i, 1);
    }
    const bool show = shown(A);
    const std::string start = "[" + A.Name + " | " + B.Name + "]";
    std::string text = reduction(title,
                                 "Row operations turn " + start +
                                     " into reduced row echelon form on the columns of " + A.Name +
                                     ": each pivot is scaled to 1 and cleared from the rest of its "
                                     "column.",
                                 start, augmented, n, {&A, &B}, show, m_progress);
    const LinearSystem system(exactA, &exactB, m_progress);
    if (!system.Consistent()) {
        const std::string c = WorkingText::Number(system.ContradictionValue());
        text += line("Row " + std::to_string(system.ContradictionRow()) + " reads 0 = " + c +
                     ": whatever the values of the unknowns, its left side is 0, never " + c +
                     ".");
        return WorkingText::Capped(text, line("So " + A.Name + " x = " + B.Name +
                                              " has no solution, and nothing is stored in the "
                                              "workspace."));
    }

    const std::string x = WorkingText::StoredName("x(" + A.Name + ")");
    const std::string null = WorkingText::StoredName("null(" + A.Name + ")");
    const ExactMatrix particular = system.Particular();
    const ExactMatrix basis = system.NullBasis();
    if (show)
        text += solvedForm(system, true, x, particular, basis);
    else
        text += line(std::to_string(system.Rank()) + " pivot variables and " +
                     std::to_string(system.Nullity()) + " free variables.");
    if (system.Nullity() > 0)
        text += line("The workspace stores " + x + " and the columns v of " + null + ".");
    std::vector<ExactMatrix> results{particular};
    std::string tail = resultBlock(x, particular) + EndLine;
    if (system.Nullity() > 0) {
        results.push_back(basis);
        tail += resultBlock(null, basis) + EndLine;
    }
    const bool holds = exactA * particular == exactB;
    tail += line("Check: " + A.Name + " " + x + " = " + B.Name + " " +
                 (holds ? "holds exactly." : "does NOT hold."));
    if (system.Nullity() > 0)
        tail += nullCheck(exactA, basis, A.Name, null);
    return WorkingText::Capped(text + EndLine + tooLarge(results), tail);
}

std::string SystemWorkings::NullSpace(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const bool show = shown(A);
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    std::string text =
        reduction("Null space of " + A.Name + " (" + sizeText(A) + ")",
                  "The null space holds the solutions of " + A.Name +
                      " x = 0; row operations keep them, so they are read off the reduced row "
                      "echelon form.",
                  A.Name, exactA, A.Cols, {&A}, show, m_progress);
    const LinearSystem system(exactA, nullptr, m_progress);
    const std::string null = WorkingText::StoredName("null(" + A.Name + ")");
    const ExactMatrix basis = system.NullBasis();
    if (show)
        text += solvedForm(system, false, std::string(), ExactMatrix(A.Cols, 1), basis);
    text += counts(system, A.Name);
    if (system.Nullity() == 0)
        return WorkingText::Capped(text, line("The null space of " + A.Name +
                                              " holds only the zero vector: nothing is stored."));
    const int k = system.Nullity();
    text += line(k == 1 ? "The column v1 makes a basis of the null space: " + null + "."
                        : std::string(k == 2 ? "The columns v1 and v2" : "The columns v1 to v" +
                                                   std::to_string(k)) +
                              " make a basis of the null space: " + null + ".");
    return WorkingText::Capped(text + EndLine + tooLarge({basis}),
                               resultBlock(null, basis) + EndLine +
                                   nullCheck(exactA, basis, A.Name, null));
}

// The column and the row space: the reduction, the counts, then either the
// zero space or what the basis is made of and the basis.
std::string SystemWorkings::spaceWorking(int a, const std::string& space, Method method,
                                         const std::string& prefix,
                                         ExactMatrix (LinearSystem::*basisOf)() const,
                                         Explain explain) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const bool show = shown(A);
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    const std::string title = static_cast<char>(std::toupper(space[0])) + space.substr(1);
    std::string text = reduction(title + " space of " + A.Name + " (" + sizeText(A) + ")",
                                 method(A.Name), A.Name, exactA, A.Cols, {&A}, show, m_progress);
    const LinearSystem system(exactA, nullptr, m_progress);
    text += counts(system, A.Name);
    if (system.Rank() == 0)
        return WorkingText::Capped(text, line("The " + space + " space of " + A.Name +
                                              " holds only the zero vector: nothing is stored."));
    const std::string stored = WorkingText::StoredName(prefix + A.Name + ")");
    text += line(explain(system, A.Name, stored));
    const ExactMatrix basis = (system.*basisOf)();
    return WorkingText::Capped(text + EndLine + tooLarge({basis}), resultBlock(stored, basis));
}

std::string SystemWorkings::ColumnSpace(int a) const {
    return spaceWorking(
        a, "column",
        [](const std::string& name) {
            return "Row operations keep every relation between the columns: the columns of " +
                   name + " where the reduced form has a pivot are a basis of its column space.";
        },
        "col(", &LinearSystem::ColumnBasis,
        [](const LinearSystem& system, const std::string& name, const std::string& col) {
            return "Pivot columns: " + listed(system.PivotColumns(), false) + ". " + col +
                   " holds these columns of " + name + " itself, not of its reduced form.";
        });
}

std::string SystemWorkings::RowSpace(int a) const {
    return spaceWorking(
        a, "row",
        [](const std::string&) {
            return std::string("Row operations keep the row space: the non-zero rows of the "
                               "reduced row echelon form are a basis of it.");
        },
        "row(", &LinearSystem::RowBasis,
        [](const LinearSystem& system, const std::string&, const std::string& row) {
            return "The " + std::to_string(system.Rank()) + " non-zero rows make " + row + ".";
        });
}
