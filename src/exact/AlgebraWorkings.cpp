// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AlgebraWorkings.h"

#include "AlgebraOperations.h"
#include "CofactorExpansion.h"
#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "FlintMatrix.h"
#include "FractionRule.h"
#include "GVar.h"
#include "LUDecomposition.h"
#include "OperationWriter.h"
#include "RowReduction.h"
#include "SystemOperations.h"
#include "WorkingText.h"
#include "WorkProgress.h"

#include <random>

namespace {
const char* const EndLine = WorkingText::EndLine;

std::string line(const std::string& text) {
    return WorkingText::Line(text);
}

std::string number(const mpq_class& value) {
    return WorkingText::Number(value);
}

// Bracketed when negative, so that "4 / (-9)" reads as it should.
std::string operand(const mpq_class& value) {
    return value < 0 ? "(" + number(value) + ")" : number(value);
}

std::string sizeOf(const TMatrixRec& m) {
    return WorkingText::Size(m.Rows, m.Cols);
}

bool shown(const TMatrixRec& m) {
    return m.Rows <= AlgebraWorkings::ShownSize && m.Cols <= AlgebraWorkings::ShownSize;
}

// The title, the method, and the operand when it is shown.
std::string opening(const std::string& title, const std::string& method, const TMatrixRec& a,
                    const ExactMatrix& exactA, const char* rule = nullptr) {
    std::string text = line(title + ", worked in exact fractions") + line(method);
    if (rule != nullptr)
        text += line(rule);
    if (shown(a))
        text += EndLine + WorkingText::ResultBlock(a.Name, exactA);
    else
        text += line("Larger than " +
                     WorkingText::Size(AlgebraWorkings::ShownSize, AlgebraWorkings::ShownSize) +
                     ": the steps and the results only.");
    return text + WorkingText::NearReadings(a, a.Name) + EndLine;
}

// What the workspace does with an exact result beyond the double range.
std::string tooLarge(const std::string& what, const ExactMatrix& result) {
    for (int i = 1; i <= result.Rows(); ++i)
        for (int j = 1; j <= result.Cols(); ++j)
            if (!FractionRule::NearestDouble(result.At(i, j)))
                return line(what + " is beyond the range of a double: nothing is stored in the "
                                   "workspace (\"" +
                            ExactOperations::TooLargeMessage + "\").");
    return std::string();
}

std::string holds(bool yes) {
    return yes ? "holds exactly." : "does NOT hold.";
}

// m v, hearing progress once per row.
ExactMatrix times(const ExactMatrix& m, const ExactMatrix& v, WorkProgress* progress) {
    ExactMatrix product(m.Rows(), v.Cols());
    for (int i = 1; i <= m.Rows(); ++i) {
        ReportProgress(progress, i - 1, m.Rows());
        for (int j = 1; j <= v.Cols(); ++j)
            for (int k = 1; k <= m.Cols(); ++k)
                if (m.At(i, k) != 0)
                    product.At(i, j) += m.At(i, k) * v.At(k, j);
    }
    return product;
}

// Whether a b = c d. A shown matrix is checked whole; for a larger one the
// products of fractions of thousands of digits would take minutes, so
// both sides are applied to two vectors of random whole numbers instead
// (Freivalds' check), which a wrong result passes with a negligible
// chance, and the working says which was done.
struct ProductCheck {
    bool holds;
    bool whole;
};
ProductCheck sameProducts(const ExactMatrix& a, const ExactMatrix& b, const ExactMatrix& c,
                          const ExactMatrix& d, WorkProgress* progress) {
    if (b.Cols() <= AlgebraWorkings::ShownSize)
        return {a * b == c * d, true};
    // Fixed seed: the same operand gives the same working every time.
    std::mt19937 random(20261209);
    ExactMatrix v(b.Cols(), 2);
    for (int i = 1; i <= v.Rows(); ++i)
        for (int j = 1; j <= 2; ++j)
            v.At(i, j) = static_cast<long>(random() % 2001) - 1000;
    return {times(a, times(b, v, progress), progress) == times(c, times(d, v, progress), progress),
            false};
}

std::string checked(const std::string& equation, const ProductCheck& check) {
    if (check.whole)
        return line("Check: " + equation + " " + holds(check.holds));
    return line("Check: " + equation + " " +
                (check.holds ? "holds exactly for two vectors of random whole numbers v, applied "
                               "to both sides (the products in full would take far longer)."
                             : "does NOT hold."));
}

ExactMatrix single(const mpq_class& value) {
    ExactMatrix m(1, 1);
    m.At(1, 1) = value;
    return m;
}

class LUWriter : public OperationWriter {
public:
    using OperationWriter::OperationWriter;
    bool NoPivot(int col, int row) override {
        Note("Column " + std::to_string(col) + " has no non-zero entry at or below row " +
             std::to_string(row) + ": no pivot in this column, nothing to clear.");
        return true;
    }

protected:
    std::string Aside(const HandElimination::Operation& operation) const override {
        const std::string i = std::to_string(operation.target);
        const std::string j = std::to_string(operation.source);
        if (operation.kind == HandElimination::Operation::Kind::Subtract)
            return "    multiplier " + number(operation.factor) + " into L at (" + i + ", " + j +
                   ")";
        if (operation.target == 1)
            return "    rows " + i + " and " + j + " exchanged in P too";
        if (operation.target == 2)
            return "    rows 2 and " + j + " exchanged in P and in the first column of L too";
        return "    rows " + i + " and " + j + " exchanged in P and in the first " +
               std::to_string(operation.target - 1) + " columns of L too";
    }
};
} // namespace

std::string AlgebraWorkings::LU(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    std::string text = opening(
        "LU decomposition of " + name + " (" + sizeOf(A) + ")",
        "Elimination brings " + name + " to an echelon form U; the multiplier l of each Ri <- "
        "Ri - l Rj goes into L at (i, j) and each row exchange into P, so that P " + name +
            " = L U.",
        A, exactA, WorkingText::PivotRule);
    LUWriter writer(text, shown(A), 0);
    const LUDecomposition lu(exactA, m_progress, &writer);
    writer.Finish();

    const std::string l = WorkingText::StoredName("L(" + name + ")");
    const std::string u = WorkingText::StoredName("U(" + name + ")");
    const std::string p = WorkingText::StoredName("P(" + name + ")");
    std::string tail = line("U is the echelon form reached; L has ones on its diagonal and the "
                            "multipliers below it.");
    if (lu.Exchanges() == 0)
        tail += line("No rows were exchanged: P is the identity.");
    tail += EndLine + WorkingText::ResultBlock(l, lu.L(), m_progress) + EndLine +
            WorkingText::ResultBlock(u, lu.U(), m_progress) + EndLine +
            WorkingText::ResultBlock(p, lu.P(), m_progress) + EndLine;
    tail += checked(p + " " + name + " = " + l + " " + u,
                    sameProducts(lu.P(), exactA, lu.L(), lu.U(), m_progress));
    tail += tooLarge(l, lu.L()) + tooLarge(u, lu.U());
    return WorkingText::Capped(text, tail);
}

std::string AlgebraWorkings::CofactorDeterminant(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const std::string title = "Determinant of " + name + " by cofactors (" + sizeOf(A) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(name + " is not square: only a square matrix has a "
                                         "determinant.");
    if (A.Rows > CofactorExpansion::MaxSize)
        return line(title) + line(AlgebraOperations::CofactorSizeMessage(name, A.Rows));
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    std::string text = opening(
        title,
        "Each determinant is expanded along its row or column with the most zeros (the first "
        "row when none has more): det = the sum of (-1)^(i+j) a_ij det(M_ij), where the minor "
        "M_ij leaves out row i and column j, and a 2 x 2 gives a d - b c.",
        A, exactA);
    const mpq_class det = CofactorExpansion::Determinant(exactA, name, &text);
    const std::string stored = WorkingText::StoredName("det(" + name + ")");
    const mpq_class byElimination = FlintMatrix::Determinant(exactA, m_progress);
    text += EndLine + line("Check: elimination gives det(" + name + ") = " +
                           number(byElimination) +
                           (byElimination == det ? " too." : ", NOT the same."));
    return text + EndLine + WorkingText::ResultBlock(stored, single(det));
}

std::string AlgebraWorkings::Adjugate(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const std::string title = "Adjugate of " + name + " (" + sizeOf(A) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(name + " is not square: only a square matrix has an "
                                         "adjugate.");
    const int n = A.Rows;
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    std::string text = opening(
        title,
        "adj(" + name + ") is the transposed matrix of cofactors: its entry (i, j) is the "
        "cofactor C_ji = (-1)^(j+i) det(M_ji) of entry (j, i), the minor M_ji leaving out "
        "row j and column i.",
        A, exactA);
    const std::string adj = WorkingText::StoredName("adj(" + name + ")");
    ExactMatrix adjugate;
    if (n <= ShownCofactors) {
        ExactMatrix cofactors(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                const std::string digits = std::to_string(i) + std::to_string(j);
                const ExactMatrix minor = CofactorExpansion::Minor(exactA, i, j);
                const mpq_class det = FlintMatrix::Determinant(minor, m_progress);
                cofactors.At(i, j) = (i + j) % 2 == 0 ? det : mpq_class(-det);
                text += line("C" + digits + " = (-1)^(" + std::to_string(i) + "+" +
                             std::to_string(j) + ") det(M" + digits + ")" +
                             (n == 1 ? ", M" + digits + " having no rows: det(M" + digits +
                                           ") = 1"
                                     : ", M" + digits + ":"));
                if (n > 1) {
                    text += WorkingText::Block(minor);
                    if (n <= 3)
                        CofactorExpansion::Determinant(minor, "M" + digits, &text);
                    else
                        text += line("  det(M" + digits + ") = " + number(det));
                }
                text += line("  C" + digits + " = " + number(cofactors.At(i, j)));
            }
        adjugate = ExactMatrix(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                adjugate.At(i, j) = cofactors.At(j, i);
        text += EndLine + line("The cofactors C_ij:") + WorkingText::Block(cofactors) + EndLine +
                line(adj + ", their transposed matrix:") + WorkingText::Block(adjugate);
    } else {
        text += line("Larger than " + WorkingText::Size(ShownCofactors, ShownCofactors) +
                     ": the " + std::to_string(n * n) +
                     " cofactors are not written out one by one.");
        adjugate = CofactorExpansion::Adjugate(exactA, m_progress);
    }
    const mpq_class det = FlintMatrix::Determinant(exactA, m_progress);
    std::string tail = EndLine + line("det(" + name + ") = " + number(det));
    if (det != 0) {
        ExactMatrix inverse = adjugate;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                inverse.At(i, j) /= det;
        tail += line(name + " is invertible: inv(" + name + ") = " + adj + " / det(" + name +
                     ")" + (shown(A) ? ":" : ".")) +
                (shown(A) ? WorkingText::Block(inverse, 0, m_progress) : std::string());
    } else {
        tail += line(name + " is singular: it has no inverse, and " + name + " " + adj +
                     " = 0.");
    }
    ExactMatrix scaled = ExactMatrix::Identity(n);
    for (int i = 1; i <= n; ++i)
        scaled.At(i, i) = det;
    tail += checked(name + " " + adj + " = det(" + name + ") I",
                    sameProducts(exactA, adjugate, scaled, ExactMatrix::Identity(n), m_progress));
    tail += tooLarge(adj, adjugate);
    return WorkingText::Capped(text, tail + EndLine +
                                         WorkingText::ResultBlock(adj, adjugate, m_progress));
}

std::string AlgebraWorkings::Cramer(int a, int b) const {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    const std::string title = "Cramer's rule for " + A.Name + " x = " + B.Name + " (" + A.Name +
                              " " + sizeOf(A) + ", " + B.Name + " " + sizeOf(B) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(A.Name + " is not square: Cramer's rule needs a square "
                                           "matrix.");
    if (B.Cols != 1 || B.Rows != A.Rows)
        return line(title) + line(SystemOperations::NotOneColumn(A, B));
    const int n = A.Rows;
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    const ExactMatrix exactB = ExactMatrix::FromRecord(B);
    std::string text = opening(title,
                               "When det(" + A.Name + ") /= 0 the system has exactly one "
                               "solution: x_i = det(" + A.Name + "_i) / det(" + A.Name +
                                   "), where " + A.Name + "_i is " + A.Name +
                                   " with column i replaced by " + B.Name + ".",
                               A, exactA);
    if (shown(A))
        text += WorkingText::ResultBlock(B.Name, exactB) +
                WorkingText::NearReadings(B, B.Name) + EndLine;
    const mpq_class det = FlintMatrix::Determinant(exactA, m_progress);
    text += line("det(" + A.Name + ") = " + number(det));
    if (det == 0)
        return text + line(AlgebraOperations::CramerSingularMessage(A.Name));
    text += EndLine;
    ExactMatrix x(n, 1);
    for (int i = 1; i <= n; ++i) {
        const std::string ai = A.Name + "_" + std::to_string(i);
        ExactMatrix replaced = exactA;
        for (int r = 1; r <= n; ++r)
            replaced.At(r, i) = exactB.At(r, 1);
        const mpq_class deti = FlintMatrix::Determinant(replaced, m_progress);
        x.At(i, 1) = deti / det;
        if (shown(A))
            text += line(ai + ", column " + std::to_string(i) + " replaced by " + B.Name + ":") +
                    WorkingText::Block(replaced);
        text += line("det(" + ai + ") = " + number(deti)) +
                line("x" + std::to_string(i) + " = det(" + ai + ") / det(" + A.Name + ") = " +
                     number(deti) + " / " + operand(det) + " = " + number(x.At(i, 1)));
        if (shown(A))
            text += EndLine;
    }
    const std::string stored = WorkingText::StoredName("x(" + A.Name + ")");
    std::string tail = (shown(A) ? "" : EndLine) + WorkingText::ResultBlock(stored, x) + EndLine;
    tail += line("Check: " + A.Name + " " + stored + " = " + B.Name + " " +
                 holds(exactA * x == exactB));
    tail += tooLarge(stored, x);
    return WorkingText::Capped(text, tail);
}

std::string AlgebraWorkings::Power(int a, const std::string& typed) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string exponent = AlgebraOperations::ExponentText(typed);
    const std::string result = A.Name + "^" + exponent;
    const std::string title = "Power " + result + " (" + A.Name + " " + sizeOf(A) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(A.Name + " is not square: only a square matrix has powers.");
    int n = 0;
    if (!AlgebraOperations::ReadExponent(typed, n))
        return line(title) + line(AlgebraOperations::ExponentMessage);
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    const int k = n < 0 ? -n : n;
    std::string base = A.Name;
    std::string text = opening(title,
                               "Powers by repeated squaring: each binary digit of the exponent "
                               "after the first squares the power so far, and a digit 1 then "
                               "multiplies it by " +
                                   std::string(n < 0 ? "inv(" + A.Name + ")" : A.Name) + ".",
                               A, exactA);
    ExactMatrix start = exactA;
    if (n < 0) {
        ExactMatrix inverse;
        if (!RowReduction::Inverse(exactA, inverse, m_progress))
            return text + line(A.Name + " is singular: it has no inverse, so no negative "
                                         "powers (\"" +
                               ExactOperations::SingularMessage + "\").");
        base = "inv(" + A.Name + ")";
        text += line(result + " = " + base + "^" + std::to_string(k) + ", the inverse computed "
                                                                      "exactly:");
        text += (shown(A) ? WorkingText::Block(inverse, 0, m_progress) : std::string()) + EndLine;
        start = inverse;
    }
    const auto power = [&](int e) { return e == 1 ? base : base + "^" + std::to_string(e); };
    if (k == 0)
        text += line(result + " = I by definition.") + EndLine;
    else if (k == 1)
        text += line(result + " = " + base + ".") + EndLine;
    const bool show = shown(A);
    const ExactMatrix value = FlintMatrix::Power(
        start, k,
        [&](int reached, int left, int right, const ExactMatrix& m) {
            text += line(power(reached) + " = " + power(left) + " " + power(right) +
                         (show ? ":" : ""));
            if (show)
                text += WorkingText::Block(m, 0, m_progress) + EndLine;
        },
        m_progress);
    const std::string stored = WorkingText::StoredName(result);
    std::string tail = (show || k <= 1 ? "" : EndLine) +
                       WorkingText::ResultBlock(stored, value, m_progress);
    tail += tooLarge(stored, value);
    return WorkingText::Capped(text, tail);
}

std::string AlgebraWorkings::Trace(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string title = "Trace of " + A.Name + " (" + sizeOf(A) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(A.Name + " is not square: only a square matrix has a trace.");
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    std::string text =
        opening(title, "The trace is the sum of the entries on the diagonal.", A, exactA);
    mpq_class trace = 0;
    std::string sum;
    for (int i = 1; i <= A.Rows; ++i) {
        trace += exactA.At(i, i);
        sum += (i > 1 ? " + " : "") + operand(exactA.At(i, i));
    }
    const std::string stored = WorkingText::StoredName("tr(" + A.Name + ")");
    text += line("tr(" + A.Name + ") = " + sum + " = " + number(trace));
    return text + EndLine + WorkingText::ResultBlock(stored, single(trace));
}
