// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EigenWorkings.h"

#include "EigenAnalysis.h"
#include "EigenOperations.h"
#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "GVar.h"
#include "HandElimination.h"
#include "LinearSystem.h"
#include "OperationWriter.h"
#include "RowReduction.h"
#include "WorkingText.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const char* const EndLine = WorkingText::EndLine;

std::string line(const std::string& text) {
    return WorkingText::Line(text);
}

// A polynomial in t, the coefficient of t^k at k.
using Poly = std::vector<mpq_class>;

Poly trimmed(Poly p) {
    while (p.size() > 1 && p.back() == 0)
        p.pop_back();
    return p;
}

Poly times(const Poly& a, const Poly& b) {
    Poly p(a.size() + b.size() - 1);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            p[i + j] += a[i] * b[j];
    return trimmed(p);
}

Poly combine(const Poly& a, const Poly& b, int sign) {
    Poly p(std::max(a.size(), b.size()));
    for (std::size_t k = 0; k < p.size(); ++k)
        p[k] = (k < a.size() ? a[k] : mpq_class(0)) +
               sign * (k < b.size() ? b[k] : mpq_class(0));
    return trimmed(p);
}

// "t^3 - 11 t^2 + (3/4) t - 24", "-t", "0".
std::string polyText(const Poly& p) {
    std::string text;
    for (std::size_t k = p.size(); k-- > 0;) {
        const mpq_class& c = p[k];
        if (c == 0)
            continue;
        const mpq_class size = abs(c);
        if (text.empty())
            text += c < 0 ? "-" : "";
        else
            text += c < 0 ? " - " : " + ";
        if (k == 0) {
            text += WorkingText::Number(size);
            continue;
        }
        if (size != 1)
            text += size.get_den() == 1 ? WorkingText::Number(size) + " "
                                        : "(" + WorkingText::Number(size) + ") ";
        text += k == 1 ? "t" : "t^" + std::to_string(k);
    }
    return text.empty() ? "0" : text;
}

// In brackets unless a single term: "(t - 2)", "t", "(-3)".
std::string factorText(const Poly& p) {
    const std::string text = polyText(p);
    const bool single = text.find(' ') == std::string::npos && text[0] != '-';
    return single ? text : "(" + text + ")";
}

Poly fromFactor(const EigenAnalysis::Factor& f) {
    Poly p(f.coefficients.rbegin(), f.coefficients.rend());
    return p;
}

// Entry (i, j) of t I - A.
Poly entry(const ExactMatrix& a, int i, int j) {
    Poly p{-a.At(i, j)};
    if (i == j)
        p.push_back(1);
    return trimmed(p);
}

std::string grid(const ExactMatrix& a) {
    const int n = a.Rows();
    std::vector<std::vector<std::string>> cells(n, std::vector<std::string>(n));
    std::vector<std::size_t> width(n, 0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            cells[i][j] = polyText(entry(a, i + 1, j + 1));
            width[j] = std::max(width[j], cells[i][j].size());
        }
    std::string text;
    for (int i = 0; i < n; ++i) {
        std::string row;
        for (int j = 0; j < n; ++j)
            row += "  " + std::string(width[j] - cells[i][j].size(), ' ') + cells[i][j];
        text += line(row);
    }
    return text;
}

// det(t I - A) by cofactors along the first row, for n <= 3; returns the
// polynomial it reaches.
Poly expansion(const ExactMatrix& a, std::string& text) {
    const int n = a.Rows();
    const auto e = [&](int i, int j) { return entry(a, i, j); };
    const auto f = [&](int i, int j) { return "(" + polyText(e(i, j)) + ")"; };
    if (n == 1) {
        text += line("det(t I - A) = " + polyText(e(1, 1)));
        return e(1, 1);
    }
    if (n == 2) {
        const Poly p = combine(times(e(1, 1), e(2, 2)), times(e(1, 2), e(2, 1)), -1);
        text += line("det(t I - A) = " + f(1, 1) + " " + f(2, 2) + " - " + f(1, 2) + " " +
                     f(2, 1));
        text += line("             = " + polyText(p));
        return p;
    }
    // The minor of (1, j): rows 2 and 3, the other two columns.
    std::string written = "det(t I - A) =";
    std::string products = "             =";
    Poly p{0};
    for (int j = 1; j <= 3; ++j) {
        const int c1 = j == 1 ? 2 : 1;
        const int c2 = j == 3 ? 2 : 3;
        const Poly minor = combine(times(e(2, c1), e(3, c2)), times(e(2, c2), e(3, c1)), -1);
        const char* sign = j == 1 ? " " : j == 2 ? " - " : " + ";
        written += sign + f(1, j) + " [" + f(2, c1) + " " + f(3, c2) + " - " + f(2, c2) + " " +
                   f(3, c1) + "]";
        products += sign + f(1, j) + " (" + polyText(minor) + ")";
        p = combine(p, times(e(1, j), minor), j == 2 ? -1 : 1);
    }
    text += line(written) + line(products) + line("             = " + polyText(p));
    return p;
}

// sqrt(N) = s sqrt(m), m without square factors below 2^16 (any left over
// stay under the root: the text is right either way).
void squareOut(mpz_class n, mpz_class& s, mpz_class& m) {
    s = 1;
    for (unsigned long d = 2; d < 65536 && d * d <= n; ++d)
        while (mpz_divisible_ui_p(n.get_mpz_t(), d * d)) {
            n /= d * d;
            s *= d;
        }
    if (mpz_perfect_square_p(n.get_mpz_t())) {
        mpz_class r;
        mpz_sqrt(r.get_mpz_t(), n.get_mpz_t());
        s *= r;
        n = 1;
    }
    m = n;
}

// The roots of t^2 + b t + c in radicals: "(5 +/- sqrt(33)) / 2", "+/- i".
std::string quadraticRoots(const mpq_class& b, const mpq_class& c) {
    const mpq_class d = b * b - 4 * c; // not a square: the factor is irreducible
    const mpq_class size = abs(d);
    // sqrt(p/q) = sqrt(p q) / q
    mpz_class s;
    mpz_class m;
    squareOut(size.get_num() * size.get_den(), s, m);
    const mpq_class centre = -b / 2;
    mpq_class spread(s, 2 * size.get_den());
    spread.canonicalize();
    const mpz_class common = lcm(centre.get_den(), spread.get_den());
    const mpq_class a = centre * common;
    const mpq_class r = spread * common;
    std::string root = r == 1 ? "" : WorkingText::Number(r) + " ";
    if (m != 1)
        root += "sqrt(" + m.get_str() + ")";
    if (d < 0)
        root += root.empty() ? "i" : " i";
    std::string text = a == 0 ? "+/- " + root : WorkingText::Number(a) + " +/- " + root;
    if (common != 1)
        text = "(" + text + ") / " + common.get_str();
    return text;
}

// A result whose entries are partly inexact, as "name:" and aligned rows
// like WorkingText::ResultBlock's: the inexact ones in decimals rather
// than as the long binary fractions their doubles are.
std::string cellBlock(const std::string& name,
                      const std::vector<std::vector<std::string>>& cells) {
    std::string text = line(name + ":");
    if (cells.empty())
        return text;
    std::vector<std::size_t> width(cells[0].size(), 0);
    for (const auto& row : cells)
        for (std::size_t j = 0; j < row.size(); ++j)
            width[j] = std::max(width[j], row[j].size());
    for (const auto& row : cells) {
        std::string out;
        for (std::size_t j = 0; j < row.size(); ++j)
            out += "  " + std::string(width[j] - row[j].size(), ' ') + row[j];
        text += line(out);
    }
    return text;
}

std::string valueText(const EigenAnalysis::Eigenvalue& v, int decimals) {
    if (v.rational)
        return WorkingText::Number(v.exact);
    std::string text = WorkingText::Approximate(v.real, decimals);
    if (!v.isReal)
        text += (v.imaginary < 0 ? " - " : " + ") +
                WorkingText::Approximate(std::fabs(v.imaginary), decimals) + " i";
    return text;
}

std::string multiplicity(int m, bool each) {
    return "algebraic multiplicity " + std::to_string(m) + (each ? " each" : "");
}

// "(2, -1, 0)"
std::string vectorText(const ExactMatrix& m, int col, int decimals, bool exact) {
    std::string text = "(";
    for (int i = 1; i <= m.Rows(); ++i)
        text += (i > 1 ? ", " : "") + (exact ? WorkingText::Number(m.At(i, col))
                                             : WorkingText::Approximate(m.At(i, col).get_d(),
                                                                        decimals));
    return text + ")";
}

ExactMatrix minusLambda(const ExactMatrix& a, const mpq_class& lambda) {
    ExactMatrix shifted = a;
    for (int i = 1; i <= a.Rows(); ++i)
        shifted.At(i, i) -= lambda;
    return shifted;
}

class Writer : public OperationWriter {
public:
    using OperationWriter::OperationWriter;
    bool NoPivot(int col, int row) override {
        Note("Column " + std::to_string(col) + " has no non-zero entry at or below row " +
             std::to_string(row) + ": no pivot in this column, x" + std::to_string(col) +
             " is free.");
        return true;
    }
};

std::string listed(const std::vector<int>& cols) {
    std::string text;
    for (std::size_t k = 0; k < cols.size(); ++k) {
        if (k > 0)
            text += k + 1 == cols.size() ? " and " : ", ";
        text += "x" + std::to_string(cols[k]);
    }
    return text;
}
} // namespace

std::string EigenWorkings::CharPoly(int a) const {
    return working(a, Depth::Polynomial);
}

std::string EigenWorkings::Eigenvalues(int a) const {
    return working(a, Depth::Values);
}

std::string EigenWorkings::Eigenvectors(int a) const {
    return working(a, Depth::Vectors);
}

std::string EigenWorkings::Diagonalise(int a) const {
    return working(a, Depth::Diagonal);
}

std::string EigenWorkings::working(int a, Depth depth) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    static const char* const titles[] = {"Characteristic polynomial", "Eigenvalues",
                                         "Eigenvectors", "Diagonalisation"};
    const std::string title = std::string(titles[static_cast<int>(depth)]) + " of " + name +
                              " (" + WorkingText::Size(A.Rows, A.Cols) + ")";
    if (A.Rows != A.Cols)
        return line(title) + line(name + " is not square: only a square matrix has "
                                         "eigenvalues (\"" +
                                  ExactOperations::NotSquareMessage + "\").");
    const int n = A.Rows;
    const int decimals = m_workspace.DecimalPlaces;
    const bool show = n <= ShownSize;
    const ExactMatrix exactA = ExactMatrix::FromRecord(A);
    const EigenAnalysis eigen(exactA, m_progress);

    std::string text = line(title + ", worked in exact fractions");
    text += line("The eigenvalues of " + name +
                 " are the roots of its characteristic polynomial det(t I - " + name + ").");
    if (show)
        text += EndLine + line(name + ":") + WorkingText::Block(exactA);
    text += WorkingText::NearReadings(A, name) + EndLine;

    // The polynomial.
    const std::vector<mpq_class>& c = eigen.Characteristic();
    const Poly characteristic(c.rbegin(), c.rend());
    if (n >= 1 && n <= 3) {
        text += line("t I - " + name + ":") + grid(exactA) + EndLine;
        text += line("Expanded by cofactors along the first row:");
        std::string expanded;
        expansion(exactA, expanded);
        std::string renamed;
        // The lines speak of A; the operand's own name reads better.
        for (std::size_t at = 0; at < expanded.size(); ++at) {
            if (expanded.compare(at, 9, "t I - A) ") == 0) {
                renamed += "t I - " + name + ") ";
                at += 8;
            } else {
                renamed += expanded[at];
            }
        }
        text += renamed;
    } else {
        text += line("det(t I - " + name + ") = " + polyText(characteristic));
    }
    if (depth == Depth::Polynomial) {
        const std::string stored = WorkingText::StoredName("charpoly(" + name + ")");
        ExactMatrix row(1, n + 1);
        for (int k = 0; k <= n; ++k)
            row.At(1, k + 1) = c[static_cast<std::size_t>(k)];
        if (n >= MaxDim)
            return WorkingText::Capped(text + EndLine,
                                       line(EigenOperations::TooManyCoefficients(name)));
        return WorkingText::Capped(text + EndLine,
                                   line("Its coefficients, the leading 1 first:") +
                                       WorkingText::ResultBlock(stored, row));
    }

    // Factors and roots.
    text += EndLine;
    const auto& factors = eigen.Factors();
    std::string product;
    for (const auto& f : factors) {
        product += (product.empty() ? "" : " ") + factorText(fromFactor(f));
        if (f.multiplicity > 1)
            product += "^" + std::to_string(f.multiplicity);
    }
    text += line("Over the rationals: det(t I - " + name + ") = " +
                 (product.empty() ? std::string("1") : product));
    for (std::size_t k = 0; k < factors.size(); ++k) {
        const auto& f = factors[k];
        const std::string equation = polyText(fromFactor(f)) + " = 0";
        std::vector<std::string> roots;
        for (const auto& v : eigen.Distinct())
            if (v.factor == static_cast<int>(k))
                roots.push_back("t = " + valueText(v, decimals));
        std::string joined;
        for (std::size_t r = 0; r < roots.size(); ++r)
            joined += (r == 0 ? "" : r + 1 == roots.size() ? " and " : ", ") + roots[r];
        if (f.Degree() == 1)
            text += line(equation + ": " + joined + ", " + multiplicity(f.multiplicity, false) +
                         ".");
        else if (f.Degree() == 2)
            text += line(equation + ": t = " + quadraticRoots(f.coefficients[1], f.coefficients[2]) +
                         " by the quadratic formula, that is " + joined + ", " +
                         multiplicity(f.multiplicity, true) + ".");
        else
            text += line(equation + " has no rational root and degree " +
                         std::to_string(f.Degree()) + ": its roots, certified to the decimals "
                                                     "shown, are " +
                         joined + ", " + multiplicity(f.multiplicity, true) + ".");
    }
    // Vieta: each factor's roots add up to minus its second coefficient and
    // multiply to its last times (-1)^degree, exactly.
    mpq_class sum = 0;
    mpq_class product_ = 1;
    for (const auto& f : factors) {
        const int d = f.Degree();
        mpq_class fs = -f.coefficients[1];
        mpq_class fp = d % 2 == 0 ? f.coefficients.back() : mpq_class(-f.coefficients.back());
        for (int m = 0; m < f.multiplicity; ++m) {
            sum += fs;
            product_ *= fp;
        }
    }
    mpq_class trace = 0;
    for (int i = 1; i <= n; ++i)
        trace += exactA.At(i, i);
    const mpq_class det = RowReduction::Determinant(exactA, m_progress);
    text += line("Check: the eigenvalues, each as often as its multiplicity, add up to " +
                 WorkingText::Number(sum) + ", the trace of " + name + ", and multiply to " +
                 WorkingText::Number(product_) + ", det(" + name + "): " +
                 (sum == trace && product_ == det ? "holds exactly." : "does NOT hold."));
    const std::string eig = WorkingText::StoredName("eig(" + name + ")");
    if (depth == Depth::Values) {
        std::vector<std::vector<std::string>> cells;
        for (const auto& v : eigen.Distinct())
            for (int m = 0; m < v.algebraic; ++m) {
                std::vector<std::string> row{
                    v.rational ? WorkingText::Number(v.exact)
                               : WorkingText::Approximate(v.real, decimals)};
                if (eigen.HasComplex())
                    row.push_back(v.isReal ? "0" : WorkingText::Approximate(v.imaginary, decimals));
                cells.push_back(row);
            }
        std::string tail = EndLine + cellBlock(eig, cells);
        if (eigen.HasComplex())
            tail += line(EigenOperations::ComplexValues(name, eig));
        return WorkingText::Capped(text, tail);
    }

    // Eigenvectors.
    const ExactMatrix stored = [&] {
        int cols = 0;
        for (std::size_t k = 0; k < eigen.Distinct().size(); ++k)
            cols += eigen.Distinct()[k].isReal ? eigen.Geometric(k) : 0;
        return ExactMatrix(n, cols);
    }();
    ExactMatrix vectors = stored;
    std::vector<std::vector<std::string>> vectorCells(static_cast<std::size_t>(n));
    std::vector<std::string> diagonal;
    int at = 0;
    bool allRational = true;
    for (std::size_t k = 0; k < eigen.Distinct().size(); ++k) {
        const auto& v = eigen.Distinct()[k];
        if (!v.isReal)
            continue;
        const std::string lambda = valueText(v, decimals);
        text += EndLine + line("Eigenvalue " + lambda + " (" + multiplicity(v.algebraic, false) +
                               "):");
        const ExactMatrix basis = eigen.Basis(k);
        if (v.rational) {
            const std::string shifted = name + " - " + WorkingText::Number(v.exact) + " I";
            const ExactMatrix start = minusLambda(exactA, v.exact);
            if (show)
                text += line(shifted + ":") + WorkingText::Block(start) + EndLine;
            HandElimination elimination(start, HandElimination::Goal::Reduced, n, m_progress);
            Writer writer(text, show, 0);
            elimination.Run(writer);
            writer.Finish();
            const LinearSystem system(start, nullptr, m_progress);
            text += line("Free variables: " + listed(system.FreeColumns()) +
                         "; each set to 1 in turn, the others 0, gives a basis of the "
                         "eigenspace, scaled to whole numbers:");
            bool holds = true;
            const ExactMatrix av = exactA * basis;
            for (int j = 1; j <= basis.Cols(); ++j) {
                text += line("  " + vectorText(basis, j, decimals, true));
                for (int i = 1; i <= n; ++i)
                    holds = holds && av.At(i, j) == v.exact * basis.At(i, j);
            }
            text += line("Geometric multiplicity " + std::to_string(basis.Cols()) +
                         " (the number of free variables).");
            text += line("Check: " + name + " v = " + WorkingText::Number(v.exact) +
                         " v for each: " + (holds ? "holds exactly." : "does NOT hold."));
        } else {
            allRational = false;
            text += line("Not rational: its eigenvectors come from " + name +
                         " - lambda I in ball arithmetic, each scaled so that its entry of "
                         "largest magnitude is 1, every entry the double nearest the exact one:");
            for (int j = 1; j <= basis.Cols(); ++j)
                text += line("  " + vectorText(basis, j, decimals, false));
            text += line("Geometric multiplicity " + std::to_string(basis.Cols()) + ".");
        }
        for (int j = 1; j <= basis.Cols(); ++j, ++at) {
            diagonal.push_back(lambda);
            for (int i = 1; i <= n; ++i) {
                vectors.At(i, at + 1) = basis.At(i, j);
                vectorCells[static_cast<std::size_t>(i - 1)].push_back(
                    v.rational ? WorkingText::Number(basis.At(i, j))
                               : WorkingText::Approximate(basis.At(i, j).get_d(), decimals));
            }
        }
    }
    const std::string vec = WorkingText::StoredName("vec(" + name + ")");
    if (depth == Depth::Vectors) {
        std::string tail = EndLine;
        if (vectors.Cols() == 0)
            return WorkingText::Capped(text, tail + line(EigenOperations::NoRealVectors(name)));
        tail += cellBlock(vec, vectorCells);
        if (eigen.HasComplex())
            tail += line(EigenOperations::SomeComplexVectors(name, vec));
        return WorkingText::Capped(text, tail);
    }

    // Diagonalisation.
    std::string tail = EndLine;
    if (eigen.HasComplex())
        return WorkingText::Capped(text, tail + line(EigenOperations::ComplexNotDiagonal(name)));
    for (std::size_t k = 0; k < eigen.Distinct().size(); ++k) {
        const auto& v = eigen.Distinct()[k];
        if (eigen.Geometric(k) < v.algebraic)
            return WorkingText::Capped(
                text, tail + line(EigenOperations::Defective(name, eigen.Name(k), v.algebraic,
                                                             eigen.Geometric(k))));
    }
    ExactMatrix d(n, n);
    std::vector<std::vector<std::string>> diagonalCells(
        static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(n), "0"));
    at = 0;
    for (std::size_t k = 0; k < eigen.Distinct().size(); ++k) {
        for (int j = 0; j < eigen.Geometric(k); ++j, ++at) {
            d.At(at + 1, at + 1) = eigen.Value(k);
            diagonalCells[static_cast<std::size_t>(at)][static_cast<std::size_t>(at)] =
                diagonal[static_cast<std::size_t>(at)];
        }
    }
    const std::string p = WorkingText::StoredName("P(" + name + ")");
    const std::string dn = WorkingText::StoredName("D(" + name + ")");
    tail += line(name + " has " + std::to_string(n) +
                 " independent eigenvectors: they make the columns of " + p +
                 ", and the matching eigenvalues the diagonal of " + dn + ".");
    tail += cellBlock(p, vectorCells) + cellBlock(dn, diagonalCells);
    if (allRational) {
        const bool holds = exactA * vectors == vectors * d &&
                           RowReduction::Determinant(vectors, m_progress) != 0;
        tail += line("Check: " + name + " = " + p + " " + dn + " inv(" + p + "), that is " + name +
                     " " + p + " = " + p + " " + dn + " with " + p + " invertible: " +
                     (holds ? "holds exactly." : "does NOT hold."));
    } else {
        tail += line("Some eigenvalues are not rational: " + name + " = " + p + " " + dn +
                     " inv(" + p + ") holds to the accuracy of the doubles.");
    }
    return WorkingText::Capped(text, tail);
}
