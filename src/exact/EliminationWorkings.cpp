// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EliminationWorkings.h"

#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "FractionRule.h"
#include "GVar.h"
#include "HandElimination.h"
#include "InverseCheck.h"
#include "MUtil.h"
#include "MatOperations.h"
#include "Messages.h"
#include "OperationWriter.h"
#include "ParallelWork.h"
#include "WorkingText.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {
const char* const EndLine = WorkingText::EndLine;
const char* const PivotRule = WorkingText::PivotRule;

std::string line(const std::string& text) {
    return WorkingText::Line(text);
}

std::string sizeText(int rows, int cols) {
    return WorkingText::Size(rows, cols);
}

std::string counted(int count, const std::string& what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// A fraction as a factor of a product: bracketed when it is negative or
// not whole.
std::string factorText(const mpq_class& value) {
    const std::string text = WorkingText::Number(value);
    return value < 0 || value.get_den() != 1 ? "(" + text + ")" : text;
}

std::string block(const ExactMatrix& m, int barAfter = 0) {
    return WorkingText::Block(m, barAfter);
}

std::string resultBlock(const std::string& name, const ExactMatrix& m) {
    return WorkingText::ResultBlock(name, m);
}

std::string singleResult(const std::string& name, const mpq_class& value) {
    ExactMatrix m(1, 1);
    m.At(1, 1) = value;
    return resultBlock(name, m);
}

// The row operations, and for each column without a pivot a note, or the
// end of the elimination where a missing pivot ends the computation.
class Writer : public OperationWriter {
public:
    Writer(std::string& text, bool show, int barAfter, bool stopAtMissing)
        : OperationWriter(text, show, barAfter), m_stop(stopAtMissing) {}

    bool NoPivot(int col, int row) override {
        m_col = col;
        m_row = row;
        if (m_stop)
            return false;
        Note(missing() + ": no pivot in this column.");
        return true;
    }

    // "Column 2 has no non-zero entry at or below row 2"
    std::string missing() const {
        return "Column " + std::to_string(m_col) + " has no non-zero entry at or below row " +
               std::to_string(m_row);
    }

private:
    bool m_stop;
    int m_col = 0;
    int m_row = 0;
};

class LastMessage : public Messages {
public:
    void ShowMessage(const std::string& text) override { shown = text; }
    std::string shown;
};

// The workspace's own inverse of A, computed in floating point in a
// scratch workspace so that the real one is left alone.
struct FloatingInverse {
    bool made = false;
    std::unique_ptr<TMatrixRec> inverse;
    std::string refusal;
};

FloatingInverse floatingInverse(const TMatrixRec& A) {
    GVar scratch;
    scratch.Append(std::make_unique<TMatrixRec>(A));
    LastMessage messages;
    MatOperations(scratch, messages).InvertMat(1);
    FloatingInverse result;
    result.made = scratch.MatrixCount == 2;
    if (result.made)
        result.inverse = std::make_unique<TMatrixRec>(scratch.Matrix(2));
    result.refusal = messages.shown;
    return result;
}

const char* const FloatingStart = "In floating point, the workspace's Invert ";

// a / b > c / d for positive b and d: by their binary logarithms where those
// tell, which spares most products of numbers of thousands of digits.
bool larger(const mpz_class& a, const mpz_class& b, const mpz_class& c, const mpz_class& d) {
    if (a == 0 || c == 0)
        return a != 0;
    const auto log2 = [](const mpz_class& z) {
        long exponent = 0;
        const double fraction = mpz_get_d_2exp(&exponent, z.get_mpz_t());
        return static_cast<double>(exponent) + std::log2(std::fabs(fraction));
    };
    const double difference = (log2(a) - log2(b)) - (log2(c) - log2(d));
    if (difference > 1e-6)
        return true;
    if (difference < -1e-6)
        return false;
    return a * d > c * b;
}

// The lesson about rounding: how far the floating-point inverse lies from
// the exact one, measured exactly.
std::string comparison(const std::string& inverseName, const std::string& name,
                       const ExactMatrix& exact, const FloatingInverse& floating,
                       WorkProgress* progress) {
    if (!floating.made)
        return line(FloatingStart + std::string("refuses ") + name + ": \"" + floating.refusal +
                    "\"");
    // |x - s| = |p - s q| / q for x = p/q, compared by cross-multiplying:
    // bringing each difference of numbers of thousands of digits to lowest
    // terms would take longer than the whole elimination. Each row on its
    // own core, then the rows in order: the first largest counts.
    struct Largest {
        mpz_class num = 0;
        mpz_class den = 1;
        int col = 0;
        bool nearest = true;
    };
    std::vector<Largest> rows(static_cast<std::size_t>(exact.Rows()));
    ParallelWork::For(rows.size(), progress, [&](std::size_t r, int) {
        Largest& best = rows[r];
        const int i = static_cast<int>(r) + 1;
        mpz_class num;
        mpz_class den;
        for (int j = 1; j <= exact.Cols(); ++j) {
            const mpq_class& x = exact.At(i, j);
            const double stored = floating.inverse->At(i, j);
            const mpq_class s(stored); // exact: a double's denominator is a power of two
            den = x.get_den() * s.get_den();
            num = abs(mpz_class(x.get_num() * s.get_den() - s.get_num() * x.get_den()));
            best.nearest = best.nearest && FractionRule::NearestDouble(x) == stored;
            if (larger(num, den, best.num, best.den)) {
                best.num = num;
                best.den = den;
                best.col = j;
            }
        }
    });
    mpz_class largestNum = 0;
    mpz_class largestDen = 1;
    int row = 0;
    int col = 0;
    bool nearest = true;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        nearest = nearest && rows[r].nearest;
        if (larger(rows[r].num, rows[r].den, largestNum, largestDen)) {
            largestNum = rows[r].num;
            largestDen = rows[r].den;
            row = static_cast<int>(r) + 1;
            col = rows[r].col;
        }
    }
    mpq_class largest(largestNum, largestDen);
    largest.canonicalize();
    if (largest == 0)
        return line(FloatingStart + std::string("gives exactly this inverse."));
    std::string text = line(FloatingStart + std::string("gives ") + inverseName +
                            " with rounding errors: the largest difference from the exact "
                            "inverse is " +
                            WorkingText::Scientific(largest) + ", in entry (" +
                            std::to_string(row) + ", " + std::to_string(col) + ").");
    if (nearest)
        text += line("Each of its entries is the double nearest the exact one: the differences "
                     "are the rounding of the exact values to doubles, not errors of the "
                     "method.");
    return text;
}

// The title, the lines that explain the method, and the starting matrix.
// The title, the lines that explain the method, the starting matrix and
// the operand's values that were read by rounding to a near fraction.
std::string opening(const std::string& title, const std::string& method, bool show,
                    const std::string& startName, const ExactMatrix& start,
                    const TMatrixRec& operand, int barAfter = 0) {
    std::string text = line(title + ", worked in exact fractions");
    text += line(method);
    text += line(PivotRule);
    if (show)
        text += EndLine + line(startName + ":") + block(start, barAfter);
    else
        text += line("Larger than " +
                     sizeText(EliminationWorkings::ShownSize, EliminationWorkings::ShownSize) +
                     ": the row operations and the result only.");
    text += WorkingText::NearReadings(operand, operand.Name);
    return text + EndLine;
}

// What the workspace does with an exact result that has an entry beyond
// the range of a double.
std::string tooLarge(const std::string& what, const ExactMatrix& result) {
    for (int i = 1; i <= result.Rows(); ++i)
        for (int j = 1; j <= result.Cols(); ++j)
            if (!FractionRule::NearestDouble(result.At(i, j)))
                return line(what +
                            " is beyond the range of a double: nothing is stored in the "
                            "workspace (\"" +
                            ExactOperations::TooLargeMessage + "\").");
    return std::string();
}

bool shown(const TMatrixRec& A) {
    return A.Rows <= EliminationWorkings::ShownSize && A.Cols <= EliminationWorkings::ShownSize;
}
} // namespace

std::string EliminationWorkings::Invert(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const std::string inv = WorkingText::StoredName("inv(" + name + ")");
    const std::string title = "Inverse of " + name + " (" + sizeText(A.Rows, A.Cols) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(name + " is not square: only a square matrix has an inverse.");

    const int n = A.Rows;
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    ExactMatrix augmented(n, 2 * n);
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            augmented.At(i, j) = exactA.At(i, j);
        augmented.At(i, n + i) = 1;
    }
    const bool show = shown(A);
    std::string text =
        opening(title, "Row operations turn [" + name + " | I] into [I | " + inv + "].", show,
                "[" + name + " | I]", augmented, A, n);

    HandElimination elimination(augmented, HandElimination::Goal::Reduced, n, m_progress);
    Writer writer(text, show, n, true);
    const bool complete = elimination.Run(writer);
    writer.Finish();
    if (!complete) {
        // The workspace's Invert decides on these same fractions.
        text += line(writer.missing() + " of the left block: " + name +
                     " is singular and has no inverse.");
        return text + line("The workspace's Invert refuses " + name + ": \"" +
                           ExactOperations::SingularMessage + "\"");
    }

    const ExactMatrix inverse = elimination.Matrix().Columns(n + 1, n);
    text += WorkingText::ResultBlock(inv, inverse, m_progress) + EndLine;
    const bool holds = InverseCheck::Holds(exactA, inverse, m_progress);
    text += line("Check: " + name + " " + inv + " = I " +
                 (holds ? "holds exactly." : "does NOT hold."));
    return text + comparison(inv, name, inverse, floatingInverse(A), m_progress);
}

std::string EliminationWorkings::Determinant(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const std::string det = WorkingText::StoredName("det(" + name + ")");
    const std::string title = "Determinant of " + name + " (" + sizeText(A.Rows, A.Cols) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(name + " is not square: only a square matrix has a "
                                         "determinant.");

    const bool show = shown(A);
    const ExactMatrix start = ExactMatrix::FromRecord(A);
    std::string text = opening(title,
                               "Adding a multiple of one row to another keeps the determinant; "
                               "a row swap changes its sign.",
                               show, name, start, A);
    HandElimination elimination(start, HandElimination::Goal::Echelon, A.Cols, m_progress);
    Writer writer(text, show, 0, true);
    const bool complete = elimination.Run(writer);
    writer.Finish();
    if (!complete) {
        text += line(writer.missing() + ": " + name + " is singular, so " + det + " = 0.");
        return text + EndLine + singleResult(det, 0);
    }

    const int swaps = elimination.Swaps();
    mpq_class value = swaps % 2 == 0 ? 1 : -1;
    std::string product;
    for (const mpq_class& pivot : elimination.Pivots()) {
        value *= pivot;
        product += (product.empty() ? "" : " * ") + factorText(pivot);
    }
    if (product.empty())
        product = "1";
    std::string explanation =
        "The matrix is upper triangular: " + det + " is the product of its diagonal";
    if (swaps == 1)
        explanation += ", with the sign changed by 1 row swap";
    else if (swaps > 1)
        explanation += ", with the sign changed by each of the " + counted(swaps, "row swap");
    text += line(explanation + ".");
    const std::string sign = swaps > 0 ? "(-1)^" + std::to_string(swaps) + " * " : "";
    text += line(det + " = " + sign + product + " = " + WorkingText::Number(value));
    ExactMatrix result(1, 1);
    result.At(1, 1) = value;
    text += tooLarge(det, result);
    return text + EndLine + singleResult(det, value);
}

std::string EliminationWorkings::Rank(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const std::string rank = WorkingText::StoredName("rank(" + name + ")");
    const bool show = shown(A);
    const ExactMatrix start = ExactMatrix::FromRecord(A);
    std::string text =
        opening("Rank of " + name + " (" + sizeText(A.Rows, A.Cols) + ")",
                "Row operations keep the rank: it is the number of non-zero rows of a row "
                "echelon form.",
                show, name, start, A);
    HandElimination elimination(start, HandElimination::Goal::Echelon, A.Cols, m_progress);
    Writer writer(text, show, 0, false);
    elimination.Run(writer);
    writer.Finish();
    const int r = elimination.Rank();
    text += line("The row echelon form has " + counted(r, "non-zero row") + ": " + rank + " = " +
                 std::to_string(r) + ".");
    return text + EndLine + singleResult(rank, r);
}

std::string EliminationWorkings::Rref(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const std::string rref = WorkingText::StoredName("rref(" + name + ")");
    const bool show = shown(A);
    const ExactMatrix start = ExactMatrix::FromRecord(A);
    std::string text =
        opening("Reduced row echelon form of " + name + " (" + sizeText(A.Rows, A.Cols) + ")",
                "Each pivot is scaled to 1 and cleared from the rest of its "
                "column.",
                show, name, start, A);
    HandElimination elimination(start, HandElimination::Goal::Reduced, A.Cols, m_progress);
    Writer writer(text, show, 0, false);
    elimination.Run(writer);
    writer.Finish();
    const std::string refusal = tooLarge(rref, elimination.Matrix());
    if (!refusal.empty())
        text += refusal + EndLine;
    return text + resultBlock(rref, elimination.Matrix());
}
