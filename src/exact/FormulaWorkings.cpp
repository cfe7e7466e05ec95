// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormulaWorkings.h"

#include "FractionListing.h"
#include "FractionRule.h"
#include "GVar.h"
#include "MUtil.h"
#include "MatOperations.h"
#include "Messages.h"
#include "WorkProgress.h"
#include "WorkingText.h"

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace {
const char* const EndLine = WorkingText::EndLine;

std::string line(const std::string& text) {
    return WorkingText::Line(text);
}

std::string sizeText(const TMatrixRec& m) {
    return WorkingText::Size(m.Rows, m.Cols);
}

// Thrown when a double leaves the finite range; the working stops there.
struct OutOfRange {};

// A number of a formula: an exact fraction while every step that made it
// was exact, else a double.
class Number {
public:
    Number() = default;
    explicit Number(mpq_class exact) : m_exact(true), m_fraction(std::move(exact)) {}
    explicit Number(double approximate) : m_exact(false), m_double(checked(approximate)) {}

    // A workspace value: the fraction it shows as, else the double itself,
    // whose long binary fraction would help no student.
    static Number Value(double x) {
        if (std::optional<mpq_class> fraction = FractionRule::Recognise(x))
            return Number(*fraction);
        return Number(x);
    }

    bool IsExact() const { return m_exact; }
    bool IsZero() const { return m_exact ? m_fraction == 0 : m_double == 0.0; }
    bool IsPositive() const { return m_exact ? m_fraction > 0 : m_double > 0.0; }
    bool IsNegative() const { return m_exact ? m_fraction < 0 : m_double < 0.0; }

    double Approximate() const {
        if (!m_exact)
            return m_double;
        const std::optional<double> value = FractionRule::NearestDouble(m_fraction);
        if (!value)
            throw OutOfRange{};
        return *value;
    }

    Number operator-(const Number& other) const {
        if (m_exact && other.m_exact)
            return Number(mpq_class(m_fraction - other.m_fraction));
        return Number(Approximate() - other.Approximate());
    }
    Number operator+(const Number& other) const {
        if (m_exact && other.m_exact)
            return Number(mpq_class(m_fraction + other.m_fraction));
        return Number(Approximate() + other.Approximate());
    }
    Number operator*(const Number& other) const {
        if (m_exact && other.m_exact)
            return Number(mpq_class(m_fraction * other.m_fraction));
        return Number(Approximate() * other.Approximate());
    }
    // other is not zero.
    Number operator/(const Number& other) const {
        if (m_exact && other.m_exact)
            return Number(mpq_class(m_fraction / other.m_fraction));
        return Number(Approximate() / other.Approximate());
    }

    // The square root of a positive number: exact when numerator and
    // denominator are squares.
    Number Sqrt() const {
        if (m_exact && mpz_perfect_square_p(m_fraction.get_num_mpz_t()) &&
            mpz_perfect_square_p(m_fraction.get_den_mpz_t())) {
            mpq_class root(sqrt(m_fraction.get_num()), sqrt(m_fraction.get_den()));
            return Number(root);
        }
        return Number(std::sqrt(Approximate()));
    }

    std::string Text(int decimals) const {
        if (m_exact)
            return WorkingText::Number(m_fraction);
        return WorkingText::Approximate(m_double, decimals);
    }

    // What stands between a formula and this number as its value: "~" when
    // it was rounded on the way.
    std::string Equals() const { return m_exact ? " = " : " ~ "; }

    // The text as the dividend of a division: a fraction bracketed.
    std::string Dividend(int decimals) const {
        const std::string text = Text(decimals);
        return text.find('/') != std::string::npos ? "(" + text + ")" : text;
    }

    // The text as a factor or a base: bracketed when negative or a fraction.
    std::string Factor(int decimals) const {
        const std::string text = Text(decimals);
        return text[0] == '-' || text.find('/') != std::string::npos ? "(" + text + ")" : text;
    }

    // The text after the sign: of the magnitude.
    std::string Magnitude(int decimals) const {
        const std::string text = Text(decimals);
        return text[0] == '-' ? text.substr(1) : text;
    }

private:
    static double checked(double value) {
        if (!std::isfinite(value))
            throw OutOfRange{};
        return value;
    }

    bool m_exact = true;
    mpq_class m_fraction;
    double m_double = 0.0;
};

// Entry names: u23 while indices are single digits, else u(12,3).
std::string entry(const char* letter, int i, int j, int size) {
    if (size <= 9)
        return letter + std::to_string(i) + std::to_string(j);
    return std::string(letter) + "(" + std::to_string(i) + "," + std::to_string(j) + ")";
}

std::string element(const char* letter, int i) {
    return letter + std::to_string(i);
}

// A sum as it is written: "24 + 52 - 30".
std::string signedSum(const std::vector<Number>& terms, int decimals) {
    std::string text;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        if (k == 0)
            text = terms[k].Text(decimals);
        else
            text += (terms[k].IsNegative() ? " - " : " + ") + terms[k].Magnitude(decimals);
    }
    return text;
}

std::string resultBlock(const std::string& name, const std::vector<Number>& values, int rows,
                        int cols, int decimals) {
    std::vector<std::string> cells;
    cells.reserve(values.size());
    for (const Number& value : values)
        cells.push_back(value.Text(decimals));
    return line(name + ":") + FractionListing::AlignedRows(cells, rows, cols, 2);
}

std::string numbersLine(int decimals) {
    return line("Numbers are exact fractions where they can be, else shown with " +
                std::to_string(decimals) +
                " decimals (at least 5 significant digits) after a \"~\" where rounded.");
}

class LastMessage : public Messages {
public:
    void ShowMessage(const std::string& text) override { shown = text; }
    std::string shown;
};

// What the workspace's floating-point Cholesky does with A, in a scratch
// workspace so that the real one is left alone: "" when it stores a
// result, else its message.
std::string floatingCholesky(const TMatrixRec& A) {
    GVar scratch;
    scratch.Append(std::make_unique<TMatrixRec>(A));
    LastMessage messages;
    MatOperations(scratch, messages).CholeskyMat(1);
    return scratch.MatrixCount == 2 ? std::string() : messages.shown;
}

const char* const RangeStop = "A number here is beyond the range of a double: the working stops.";
} // namespace

std::string FormulaWorkings::Cholesky(int a) const {
    if (!m_workspace.IsSlot(a))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string& name = A.Name;
    const int D = m_workspace.DecimalPlaces;
    const std::string chol = WorkingText::StoredName("Chol(" + name + ")");
    std::string text = line("Cholesky decomposition of " + name + " (" + sizeText(A) +
                            "): " + name + " = U'U with U upper triangular");
    if (A.Rows != A.Cols)
        return text + line(name + " is not square: only a square matrix has a Cholesky "
                                  "decomposition.");
    const int n = A.Rows;
    text += numbersLine(D);
    text += WorkingText::NearReadings(A, name);
    bool symmetric = true;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            symmetric = symmetric && A.At(i, j) == A.At(j, i);
    if (!symmetric)
        text += line(name + " is not symmetric: as the decomposition does, only its diagonal "
                            "and upper triangle are used.");

    std::vector<Number> U(static_cast<std::size_t>(n) * n, Number(mpq_class(0)));
    const auto u = [&](int i, int j) -> Number& { return U[(i - 1) * n + (j - 1)]; };
    try {
        for (int k = 1; k <= n; ++k) {
            ReportProgress(m_progress, k - 1, n);
            text += EndLine + line("Row " + std::to_string(k) + " of U:");
            // The diagonal: u_kk = sqrt(a_kk - sum of u_ik^2).
            const Number akk = Number::Value(A.At(k, k));
            std::string symbols = entry("a", k, k, n);
            std::string numbers = akk.Text(D);
            Number s = akk;
            for (int i = 1; i < k; ++i) {
                symbols += " - " + entry("u", i, k, n) + "^2";
                numbers += " - " + u(i, k).Factor(D) + "^2";
                s = s - u(i, k) * u(i, k);
            }
            std::string formula =
                entry("u", k, k, n) + " = sqrt(" + symbols + ") = sqrt(" + numbers + ")";
            if (k > 1)
                formula += s.Equals() + "sqrt(" + s.Text(D) + ")";
            if (!s.IsPositive()) {
                text += line(formula);
                text += line("The number under the square root, " + s.Text(D) +
                             ", is not positive: " + name +
                             " is not positive definite, so it has no Cholesky "
                             "decomposition.");
                const std::string refusal = floatingCholesky(A);
                if (refusal.empty())
                    return text + line("In floating point, rounding gives a positive number "
                                       "there, and the workspace's Cholesky nevertheless stores "
                                       "a result, " + chol + ".");
                return text + line("The workspace's Cholesky refuses " + name + " as well: \"" +
                                   refusal + "\"");
            }
            u(k, k) = s.Sqrt();
            text += line(formula + u(k, k).Equals() + u(k, k).Text(D));
            // The rest of the row: u_kj = (a_kj - sum of u_ik u_ij) / u_kk.
            for (int j = k + 1; j <= n; ++j) {
                const Number akj = Number::Value(A.At(k, j));
                symbols = entry("a", k, j, n);
                numbers = k > 1 ? akj.Text(D) : akj.Dividend(D);
                Number sum = akj;
                for (int i = 1; i < k; ++i) {
                    symbols += " - " + entry("u", i, k, n) + "*" + entry("u", i, j, n);
                    numbers += " - " + u(i, k).Factor(D) + "*" + u(i, j).Factor(D);
                    sum = sum - u(i, k) * u(i, j);
                }
                if (k > 1) {
                    symbols = "(" + symbols + ")";
                    numbers = "(" + numbers + ")";
                }
                u(k, j) = sum / u(k, k);
                text += line(entry("u", k, j, n) + " = " + symbols + " / " + entry("u", k, k, n) +
                             " = " + numbers + " / " + u(k, k).Factor(D) + u(k, j).Equals() +
                             u(k, j).Text(D));
            }
        }
    } catch (const OutOfRange&) {
        return WorkingText::Capped(text, line(RangeStop));
    }
    return WorkingText::Capped(text + EndLine, resultBlock(chol, U, n, n, D));
}

std::string FormulaWorkings::Substitution(int r, int b) const {
    if (!m_workspace.IsSlot(r) || !m_workspace.IsSlot(b))
        return std::string();
    const TMatrixRec& R = m_workspace.Matrix(r);
    const TMatrixRec& B = m_workspace.Matrix(b);
    const int D = m_workspace.DecimalPlaces;
    std::string text = line("Forward/back substitution with R = " + R.Name + " (" + sizeText(R) +
                            ") and b = " + B.Name + " (" + sizeText(B) + "): solve R'R x = b");
    if (B.Cols != 1 || B.Rows != R.Cols)
        return text + line("b must be one column with as many rows as R has columns (" +
                           std::to_string(R.Cols) + "); it is " + sizeText(B) + ".");
    if (R.Rows != R.Cols)
        return text + line("R is not square: it must be the square factor of a Cholesky "
                           "decomposition.");
    const int n = R.Rows;
    text += numbersLine(D);
    text += WorkingText::NearReadings(R, R.Name) + WorkingText::NearReadings(B, B.Name);
    const auto rr = [&](int i, int j) { return Number::Value(R.At(i, j)); };
    const auto singular = [&](int i) {
        return line(entry("r", i, i, n) + " is 0: R is singular, so R'R x = b cannot be solved.");
    };

    std::vector<Number> y(n + 1);
    std::vector<Number> x(n + 1);
    try {
        text += EndLine + line("Forward, R'y = b:");
        for (int i = 1; i <= n; ++i) {
            ReportProgress(m_progress, i - 1, 2 * n);
            const Number rii = rr(i, i);
            if (rii.IsZero())
                return text + singular(i);
            std::string symbols = element("b", i);
            std::string numbers = i > 1 ? Number::Value(B.At(i, 1)).Text(D)
                                        : Number::Value(B.At(i, 1)).Dividend(D);
            Number sum = Number::Value(B.At(i, 1));
            for (int j = 1; j < i; ++j) {
                symbols += " - " + entry("r", j, i, n) + "*" + element("y", j);
                numbers += " - " + rr(j, i).Factor(D) + "*" + y[j].Factor(D);
                sum = sum - rr(j, i) * y[j];
            }
            if (i > 1) {
                symbols = "(" + symbols + ")";
                numbers = "(" + numbers + ")";
            }
            y[i] = sum / rii;
            text += line(element("y", i) + " = " + symbols + " / " + entry("r", i, i, n) + " = " +
                         numbers + " / " + rii.Factor(D) + y[i].Equals() + y[i].Text(D));
        }
        text += EndLine + line("Back, R x = y:");
        for (int i = n; i >= 1; --i) {
            ReportProgress(m_progress, 2 * n - i, 2 * n);
            const Number rii = rr(i, i);
            std::string symbols = element("y", i);
            std::string numbers = i < n ? y[i].Text(D) : y[i].Dividend(D);
            Number sum = y[i];
            for (int j = i + 1; j <= n; ++j) {
                symbols += " - " + entry("r", i, j, n) + "*" + element("x", j);
                numbers += " - " + rr(i, j).Factor(D) + "*" + x[j].Factor(D);
                sum = sum - rr(i, j) * x[j];
            }
            if (i < n) {
                symbols = "(" + symbols + ")";
                numbers = "(" + numbers + ")";
            }
            x[i] = sum / rii;
            text += line(element("x", i) + " = " + symbols + " / " + entry("r", i, i, n) + " = " +
                         numbers + " / " + rii.Factor(D) + x[i].Equals() + x[i].Text(D));
        }
    } catch (const OutOfRange&) {
        return WorkingText::Capped(text, line(RangeStop));
    }
    return WorkingText::Capped(text + EndLine,
                               resultBlock("X", std::vector<Number>(x.begin() + 1, x.end()), n, 1, D));
}

std::string FormulaWorkings::Multiply(int a, int b) const {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return std::string();
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    if (A.Rows > MultiplySize || A.Cols > MultiplySize || B.Rows > MultiplySize ||
        B.Cols > MultiplySize)
        return std::string();
    const int D = m_workspace.DecimalPlaces;
    const std::string product = WorkingText::StoredName(A.Name + "*" + B.Name);
    std::string text = line("Product " + product + " of " + A.Name + " (" + sizeText(A) + ") and " +
                            B.Name + " (" + sizeText(B) + ")");
    if (A.Cols != B.Rows)
        return text +
               line("The product needs as many columns in " + A.Name + " as rows in " + B.Name +
                    ": " + std::to_string(A.Cols) + " and " + std::to_string(B.Rows) + " differ.");
    text += line("cij is row i of " + A.Name + " times column j of " + B.Name + ".");
    text += numbersLine(D);
    text += WorkingText::NearReadings(A, A.Name);
    if (b != a)
        text += WorkingText::NearReadings(B, B.Name);
    text += EndLine;

    std::vector<Number> C;
    try {
        for (int i = 1; i <= A.Rows; ++i)
            for (int j = 1; j <= B.Cols; ++j) {
                ReportProgress(m_progress, (i - 1) * B.Cols + j - 1, A.Rows * B.Cols);
                std::string products;
                std::vector<Number> terms;
                Number sum(mpq_class(0));
                for (int k = 1; k <= A.Cols; ++k) {
                    const Number left = Number::Value(A.At(i, k));
                    const Number right = Number::Value(B.At(k, j));
                    products += (k > 1 ? " + " : "") + left.Factor(D) + "*" + right.Factor(D);
                    terms.push_back(left * right);
                    sum = sum + terms.back();
                }
                std::string formula = entry("c", i, j, MultiplySize);
                if (!products.empty())
                    formula += " = " + products;
                if (terms.size() > 1)
                    formula += " = " + signedSum(terms, D);
                text += line(formula + sum.Equals() + sum.Text(D));
                C.push_back(sum);
            }
    } catch (const OutOfRange&) {
        return WorkingText::Capped(text, line(RangeStop));
    }
    return text + EndLine + resultBlock(product, C, A.Rows, B.Cols, D);
}
