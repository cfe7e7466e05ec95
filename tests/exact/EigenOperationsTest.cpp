// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EigenAnalysis.h"
#include "EigenOperations.h"
#include "EigenWorkings.h"
#include "WorkingText.h"
#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "RecordingMessages.h"
#include "RowReduction.h"
#include "WorkProgress.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <random>

namespace {
using Texts = std::vector<std::string>;
using Results = std::vector<std::pair<std::string, Rows>>;

enum class Op { CharPoly, Values, Vectors, Diagonal };

struct EigenCase {
    const char* what;
    Op op;
    Rows a;
    Results results;
    Texts messages;
};

class NamedEigen : public ::testing::TestWithParam<EigenCase> {};

// Rational results are stored exactly rounded; the golden ratio's within
// the few last places of a double that its expected value was typed with.
TEST_P(NamedEigen, AddTheResults) {
    const EigenCase& c = GetParam();
    GVar ws;
    RecordingMessages messages;
    AddRows(ws, "A", c.a);
    const TMatrixRec before = ws.Matrix(1);
    EigenOperations ops(ws, messages);
    switch (c.op) {
    case Op::CharPoly: ops.CharPoly(1); break;
    case Op::Values: ops.Eigenvalues(1); break;
    case Op::Vectors: ops.Eigenvectors(1); break;
    case Op::Diagonal: ops.Diagonalise(1); break;
    }
    EXPECT_EQ(messages.Take(), c.messages);
    ASSERT_EQ(ws.MatrixCount, 1 + static_cast<int>(c.results.size()));
    for (std::size_t k = 0; k < c.results.size(); ++k) {
        const TMatrixRec& m = ws.Matrix(2 + static_cast<int>(k));
        EXPECT_EQ(m.Name, c.results[k].first);
        const Rows got = Block(m);
        ASSERT_EQ(got.size(), c.results[k].second.size()) << m.Name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].size(), c.results[k].second[i].size()) << m.Name;
            for (std::size_t j = 0; j < got[i].size(); ++j)
                EXPECT_DOUBLE_EQ(got[i][j], c.results[k].second[i][j]) << m.Name;
        }
    }
    EXPECT_EQ(std::memcmp(before.Data, ws.Matrix(1).Data, sizeof before.Data), 0);
}

const double Phi = (1 + std::sqrt(5.0)) / 2;
const Rows Defective3{{1, 1, 0}, {0, 1, 1}, {0, 0, 1}};
const Rows Repeated3{{3, 1, 1}, {1, 3, 1}, {1, 1, 3}}; // 2, 2 and 5

INSTANTIATE_TEST_SUITE_P(
    Table, NamedEigen,
    ::testing::Values(
        EigenCase{"charpoly of a triangular", Op::CharPoly, {{1, 2, 3}, {0, 4, 5}, {0, 0, 6}},
                  {{"charpoly(A)", {{1, -11, 34, -24}}}}, {}},
        EigenCase{"charpoly of fractions", Op::CharPoly, {{0.5, 1.0 / 3}, {0, 0.25}},
                  {{"charpoly(A)", {{1, -0.75, 0.125}}}}, {}},
        EigenCase{"eigenvalues of a triangular, ascending", Op::Values,
                  {{6, 2, 3}, {0, -4, 5}, {0, 0, 1}}, {{"eig(A)", {{-4}, {1}, {6}}}}, {}},
        EigenCase{"eigenvalues repeated by multiplicity", Op::Values, Repeated3,
                  {{"eig(A)", {{2}, {2}, {5}}}}, {}},
        EigenCase{"irrational eigenvalues certified", Op::Values, {{1, 1}, {1, 0}},
                  {{"eig(A)", {{1 - Phi}, {Phi}}}}, {}},
        EigenCase{"rotation: a complex pair", Op::Values, {{0, -1}, {1, 0}},
                  {{"eig(A)", {{0, -1}, {0, 1}}}},
                  {"A has complex eigenvalues: each row of eig(A) holds the real and the "
                   "imaginary part of one."}},
        EigenCase{"complex after real", Op::Values, {{2, 0, 0}, {0, 1, -2}, {0, 2, 1}},
                  {{"eig(A)", {{2, 0}, {1, -2}, {1, 2}}}},
                  {"A has complex eigenvalues: each row of eig(A) holds the real and the "
                   "imaginary part of one."}},
        EigenCase{"symmetric: whole eigenvectors", Op::Vectors, {{2, 1}, {1, 2}},
                  {{"vec(A)", {{-1, 1}, {1, 1}}}}, {}},
        EigenCase{"fractions scaled to whole numbers", Op::Vectors, {{1, 0.5}, {0, 3}},
                  {{"vec(A)", {{1, 1}, {0, 4}}}}, {}},
        EigenCase{"irrational eigenvectors, largest entry 1", Op::Vectors, {{1, 1}, {1, 0}},
                  {{"vec(A)", {{1 - Phi, 1}, {1, Phi - 1}}}}, {}},
        EigenCase{"eigenspace of dimension 2", Op::Vectors, Repeated3,
                  {{"vec(A)", {{-1, -1, 1}, {1, 0, 1}, {0, 1, 1}}}}, {}},
        EigenCase{"no real eigenvalue", Op::Vectors, {{0, -1}, {1, 0}}, {},
                  {"A has no real eigenvalues: complex eigenvalues get no eigenvectors, and "
                   "nothing is added."}},
        EigenCase{"some complex eigenvalues", Op::Vectors, {{2, 0, 0}, {0, 1, -2}, {0, 2, 1}},
                  {{"vec(A)", {{1}, {0}, {0}}}},
                  {"The complex eigenvalues of A get no eigenvectors: vec(A) holds those of its "
                   "real eigenvalues."}},
        EigenCase{"diagonalise a symmetric", Op::Diagonal, Repeated3,
                  {{"P(A)", {{-1, -1, 1}, {1, 0, 1}, {0, 1, 1}}},
                   {"D(A)", {{2, 0, 0}, {0, 2, 0}, {0, 0, 5}}}},
                  {}},
        EigenCase{"2 I: a full eigenspace", Op::Diagonal, {{2, 0}, {0, 2}},
                  {{"P(A)", {{1, 0}, {0, 1}}}, {"D(A)", {{2, 0}, {0, 2}}}}, {}},
        EigenCase{"defective 2 x 2", Op::Diagonal, {{2, 1}, {0, 2}}, {},
                  {"A cannot be diagonalised: eigenvalue 2 has algebraic multiplicity 2 but "
                   "only 1 independent eigenvector."}},
        EigenCase{"defective textbook 3 x 3", Op::Diagonal, Defective3, {},
                  {"A cannot be diagonalised: eigenvalue 1 has algebraic multiplicity 3 but "
                   "only 1 independent eigenvector."}},
        EigenCase{"complex cannot be diagonalised", Op::Diagonal, {{0, -1}, {1, 0}}, {},
                  {"A cannot be diagonalised over the real numbers: A has complex "
                   "eigenvalues."}},
        EigenCase{"not square", Op::Values, {{1, 2, 3}, {4, 5, 6}}, {},
                  {ExactOperations::NotSquareMessage}}),
    CaseName());

// The companion matrix of t^5 - t - 1, irreducible over the rationals:
// every eigenvalue numerical, one real and two complex pairs.
TEST(EigenAnalysisRoots, IrreducibleQuintic) {
    ExactMatrix c(5, 5);
    for (int i = 2; i <= 5; ++i)
        c.At(i, i - 1) = 1;
    c.At(1, 5) = 1;
    c.At(2, 5) = 1;
    const EigenAnalysis eigen(c);
    ASSERT_EQ(eigen.Factors().size(), 1u);
    EXPECT_EQ(eigen.Factors()[0].Degree(), 5);
    const auto& values = eigen.Distinct();
    ASSERT_EQ(values.size(), 5u);
    EXPECT_TRUE(values[0].isReal);
    double x = 1.17;
    for (int k = 0; k < 8; ++k)
        x -= (std::pow(x, 5) - x - 1) / (5 * std::pow(x, 4) - 1);
    EXPECT_DOUBLE_EQ(values[0].real, x);
    for (std::size_t k = 1; k < 5; ++k) {
        EXPECT_FALSE(values[k].isReal);
        const std::complex<double> z(values[k].real, values[k].imaginary);
        EXPECT_LT(std::abs(std::pow(z, 5) - z - 1.0), 1e-13);
    }
    EXPECT_EQ(values[1].real, values[2].real);
    EXPECT_EQ(values[1].imaginary, -values[2].imaginary);
    EXPECT_LT(values[1].imaginary, 0);
    EXPECT_LT(values[2].real, values[3].real);
    EXPECT_EQ(eigen.Basis(0).Cols(), 1);
}

ExactMatrix randomMatrix(std::mt19937& random, int n, int spread) {
    ExactMatrix a(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            a.At(i, j) = static_cast<long>(random() % (2 * spread + 1)) - spread;
    return a;
}

// Over random small-integer matrices, some with repeated eigenvalues by
// construction: the eigenvalues add up to the trace and multiply to the
// determinant (exactly when rational), every basis vector satisfies
// A v = lambda v (exactly when rational), and a diagonalisation of rational
// eigenvalues satisfies A P = P D exactly with P invertible.
TEST(EigenAnalysisProperty, AgreesWithTraceDeterminantAndVectors) {
    std::mt19937 random(20);
    int complex = 0;
    int irrational = 0;
    int diagonalised = 0;
    for (int round = 0; round < 3000; ++round) {
        const int n = 1 + static_cast<int>(random() % 4);
        ExactMatrix a = randomMatrix(random, n, round % 3 == 0 ? 1 : 3);
        if (round % 4 == 1) // similar to a triangular matrix: rational values
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j < i; ++j)
                    a.At(i, j) = 0;
        const EigenAnalysis eigen(a);
        mpq_class trace = 0;
        for (int i = 1; i <= n; ++i)
            trace += a.At(i, i);
        const mpq_class det = RowReduction::Determinant(a);
        ASSERT_EQ(eigen.Characteristic().size(), static_cast<std::size_t>(n + 1));
        ASSERT_EQ(eigen.Characteristic()[1], -trace) << round;
        ASSERT_EQ(eigen.Characteristic()[n], n % 2 == 0 ? det : mpq_class(-det)) << round;

        bool allRational = true;
        mpq_class sum = 0;
        mpq_class product = 1;
        std::complex<double> approxSum = 0;
        std::complex<double> approxProduct = 1;
        int count = 0;
        for (std::size_t k = 0; k < eigen.Distinct().size(); ++k) {
            const auto& v = eigen.Distinct()[k];
            count += v.algebraic;
            const std::complex<double> z(v.real, v.imaginary);
            for (int m = 0; m < v.algebraic; ++m) {
                approxSum += z;
                approxProduct *= z;
                if (v.rational) {
                    sum += v.exact;
                    product *= v.exact;
                }
            }
            allRational = allRational && v.rational;
            complex += !v.isReal;
            irrational += v.isReal && !v.rational;
            if (!v.isReal)
                continue;
            const ExactMatrix basis = eigen.Basis(k);
            ASSERT_EQ(basis.Cols(), eigen.Geometric(k)) << round;
            ASSERT_GE(basis.Cols(), 1) << round;
            ASSERT_LE(basis.Cols(), v.algebraic) << round;
            ASSERT_EQ(RowReduction::Rank(basis), basis.Cols()) << round;
            const ExactMatrix av = a * basis;
            for (int j = 1; j <= basis.Cols(); ++j)
                for (int i = 1; i <= n; ++i) {
                    if (v.rational)
                        ASSERT_EQ(av.At(i, j), v.exact * basis.At(i, j)) << round;
                    else
                        ASSERT_NEAR(av.At(i, j).get_d(), v.real * basis.At(i, j).get_d(), 1e-12)
                            << round;
                }
        }
        ASSERT_EQ(count, n) << round;
        ASSERT_EQ(eigen.Values().Rows(), n);
        if (allRational) {
            ASSERT_EQ(sum, trace) << round;
            ASSERT_EQ(product, det) << round;
        } else {
            ASSERT_NEAR(approxSum.real(), trace.get_d(), 1e-11) << round;
            ASSERT_NEAR(approxProduct.real(), det.get_d(), 1e-9 * (1 + std::fabs(det.get_d())))
                << round;
        }

        // Diagonalise adds P and D exactly when every eigenvalue is real
        // with a full eigenspace.
        GVar ws;
        RecordingMessages messages;
        TMatrixRec& m = ws.AppendNew();
        m.SetName("A");
        m.Rows = m.Cols = static_cast<std::uint8_t>(n);
        ASSERT_TRUE(a.ToRecord(m));
        EigenOperations(ws, messages).Diagonalise(1);
        bool full = !eigen.HasComplex();
        for (std::size_t k = 0; k < eigen.Distinct().size() && full; ++k)
            full = eigen.Geometric(k) == eigen.Distinct()[k].algebraic;
        ASSERT_EQ(ws.MatrixCount, full ? 3 : 1) << round;
        ASSERT_EQ(messages.Take().size(), full ? 0u : 1u) << round;
        if (full && allRational) {
            const ExactMatrix p = ExactMatrix::FromRecord(ws.Matrix(2));
            const ExactMatrix d = ExactMatrix::FromRecord(ws.Matrix(3));
            ASSERT_EQ(a * p, p * d) << round;
            ASSERT_NE(RowReduction::Determinant(p), 0) << round;
            ++diagonalised;
        }
    }
    EXPECT_GT(complex, 200);
    EXPECT_GT(irrational, 200);
    EXPECT_GT(diagonalised, 200);
}

// The largest matrix: the characteristic polynomial's ends checked exactly
// against the trace and the determinant, and fifty eigenvalues.
TEST(EigenAnalysisProperty, FiftyByFifty) {
    std::mt19937 random(50);
    ExactMatrix a(50, 50);
    for (int i = 1; i <= 50; ++i)
        for (int j = 1; j <= 50; ++j)
            a.At(i, j) = static_cast<long>(random() % 199) - 99;
    const EigenAnalysis eigen(a);
    mpq_class trace = 0;
    for (int i = 1; i <= 50; ++i)
        trace += a.At(i, i);
    EXPECT_EQ(eigen.Characteristic()[1], -trace);
    EXPECT_EQ(eigen.Characteristic()[50], RowReduction::Determinant(a));
    // 51 coefficients do not fit a matrix of the workspace.
    GVar ws;
    RecordingMessages messages;
    TMatrixRec& m = ws.AppendNew();
    m.SetName("A");
    m.Rows = m.Cols = 50;
    ASSERT_TRUE(a.ToRecord(m));
    EigenOperations(ws, messages).CharPoly(1);
    EXPECT_EQ(messages.Take(), Texts{EigenOperations::TooManyCoefficients("A")});
    EXPECT_EQ(ws.MatrixCount, 1);
    EXPECT_FALSE(ExactMatrix(1, 51).ToRecord(m));
    EXPECT_EQ(eigen.Values().Rows(), 50);
    double sum = 0;
    for (const auto& v : eigen.Distinct())
        sum += v.algebraic * v.real;
    EXPECT_NEAR(sum, trace.get_d(), 1e-8);
}

class StopAt : public WorkProgress {
public:
    bool Report(int, int) override { return false; }
};

// A cancel and a full workspace add nothing; Diagonalise needs room for
// both of its results.
TEST(EigenOperationsFailures, AddNothing) {
    GVar ws;
    RecordingMessages messages;
    AddMatrix(ws, "A", {{2, 1}, {1, 2}});
    StopAt stop;
    EigenOperations(ws, messages, &stop).Eigenvalues(1);
    EXPECT_EQ(messages.Take(), Texts{ExactOperations::CancelledMessage});
    EigenOperations ops(ws, messages);
    ops.Eigenvalues(0);
    ops.Diagonalise(2);
    EXPECT_TRUE(messages.Take().empty());
    ASSERT_EQ(ws.MatrixCount, 1);
    // An irrational eigenvalue of 2.16e308 lies beyond the doubles.
    AddMatrix(ws, "H", {{1.7e308, 1e308}, {1e308, 0}});
    ops.Eigenvalues(2);
    ops.Diagonalise(2);
    EXPECT_EQ(messages.Take(), Texts(2, ExactOperations::TooLargeMessage));
    ASSERT_EQ(ws.MatrixCount, 2);
    FillTo(ws, 18);
    ops.Diagonalise(1);
    EXPECT_EQ(messages.Take(), Texts{GVar::LimitMessage});
    ASSERT_EQ(ws.MatrixCount, 18);
    ops.CharPoly(1);
    EXPECT_EQ(ws.Matrix(19).Name, "charpoly(A)");
}
} // namespace

namespace {
// The quadratic formula's radicals, simplified: a square factor taken out
// of the root, one denominator for the whole.
TEST(EigenWorkingsText, QuadraticRootsInRadicals) {
    const std::vector<std::pair<Rows, std::string>> table = {
        {{{1, 1}, {1, 0}}, "t = (1 +/- sqrt(5)) / 2 by the quadratic formula"},
        {{{0, -1}, {1, 0}}, "t = +/- i by the quadratic formula"},
        {{{1, 2}, {1, 1}}, "t = 1 +/- sqrt(2) by the quadratic formula"},
        {{{0, 8}, {1, 0}}, "t = +/- 2 sqrt(2) by the quadratic formula"},
        {{{1, -2}, {1, 1}}, "t = 1 +/- sqrt(2) i by the quadratic formula"},
        {{{0.5, 1}, {1, 0}}, "t = (1 +/- sqrt(17)) / 4 by the quadratic formula"},
    };
    for (const auto& [rows, expected] : table) {
        GVar ws;
        AddRows(ws, "A", rows);
        const std::string text = EigenWorkings(ws).Eigenvalues(1);
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
        EXPECT_NE(text.find("holds exactly."), std::string::npos) << expected;
    }
}

// Past 3 x 3 the polynomial as computed; past 10 x 10 no matrices; a
// 50 x 50 stays within the size a working may have.
TEST(EigenWorkingsText, LargeMatricesStayShort) {
    GVar ws;
    Rows rows(50, std::vector<double>(50));
    std::mt19937 random(9);
    for (auto& row : rows)
        for (double& v : row)
            v = static_cast<double>(random() % 199) - 99;
    AddRows(ws, "A", rows);
    const std::string text = EigenWorkings(ws).Diagonalise(1);
    EXPECT_EQ(text.find("Expanded by cofactors"), std::string::npos);
    EXPECT_NE(text.find("det(t I - A) = t^50 "), std::string::npos);
    EXPECT_EQ(text.find("\r\nA:\r\n"), std::string::npos);
    EXPECT_LE(text.size(), WorkingText::MaxBytes);
    EXPECT_NE(text.find(EigenOperations::ComplexNotDiagonal("A")), std::string::npos);
}
} // namespace

namespace {
// A matrix of no rows, which a data file may hold: the empty determinant
// det(t I - E) = 1, no eigenvalues, and nothing that ends the program.
TEST(EigenOperationsEmpty, HaveNoEigenvalues) {
    GVar ws;
    RecordingMessages messages;
    TMatrixRec& e = ws.AppendNew();
    e.SetName("E");
    EigenOperations ops(ws, messages);
    ops.CharPoly(1);
    ops.Eigenvalues(1);
    ops.Eigenvectors(1);
    ops.Diagonalise(1);
    EXPECT_EQ(messages.Take(), Texts{EigenOperations::NoRealVectors("E")});
    ASSERT_EQ(ws.MatrixCount, 5);
    EXPECT_EQ(Block(ws.Matrix(2)), (Rows{{1}}));
    EXPECT_EQ(ws.Matrix(3).Rows, 0);
    EXPECT_NE(EigenWorkings(ws).Diagonalise(1).find("holds exactly."), std::string::npos);
}
} // namespace
