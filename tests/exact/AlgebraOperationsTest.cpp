// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AlgebraOperations.h"
#include "AlgebraWorkings.h"
#include "CofactorExpansion.h"
#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "FlintMatrix.h"
#include "LUDecomposition.h"
#include "RecordingMessages.h"
#include "RowReduction.h"
#include "WorkingText.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

namespace {
using Texts = std::vector<std::string>;
using Results = std::vector<std::pair<std::string, Rows>>;

struct AlgebraCase {
    const char* what;
    std::function<void(AlgebraOperations&)> run;
    Rows a;
    Results results; // after the operands A and b
    Texts messages;
};

const Rows NeedsExchange{{0, 2, 1}, {1, 1, 1}, {2, 0, 3}};
const Rows Singular3{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
const Rows Column3{{1}, {2}, {3}};
const Rows Five{{2, 0, 1, 0, 3}, {1, 0, 0, 2, 0}, {0, 3, 1, 0, 1}, {4, 0, 2, 1, 0}, {0, 1, 0, 0, 5}};

class NamedAlgebra : public ::testing::TestWithParam<AlgebraCase> {};

// Every case starts from A and the column b = (1, 2, 3) and checks what is
// added, what is said, and that the operands stay as they were.
TEST_P(NamedAlgebra, AddTheResults) {
    const AlgebraCase& c = GetParam();
    GVar ws;
    RecordingMessages messages;
    AddRows(ws, "A", c.a);
    AddRows(ws, "b", Column3);
    const TMatrixRec before = ws.Matrix(1);
    AlgebraOperations ops(ws, messages);
    c.run(ops);
    EXPECT_EQ(messages.Take(), c.messages);
    ASSERT_EQ(ws.MatrixCount, 2 + static_cast<int>(c.results.size()));
    for (std::size_t k = 0; k < c.results.size(); ++k) {
        const TMatrixRec& m = ws.Matrix(3 + static_cast<int>(k));
        EXPECT_EQ(m.Name, c.results[k].first);
        EXPECT_EQ(Block(m), c.results[k].second) << m.Name;
    }
    EXPECT_EQ(std::memcmp(before.Data, ws.Matrix(1).Data, sizeof before.Data), 0);
}

// Literals: the messages' own constants live in another unit, whose
// initialisation need not come before this table's.
const char* const Square = "Error, matrix must be square for this operation.";
const char* const Singular = "Error: Singular matrix -- cannot compute approximations.";
const char* const Exponent = "Error, the exponent must be a whole number from -99 to 99.";
const char* const TooLarge = "Sorry, the exact result is too large to be stored as a double.";

INSTANTIATE_TEST_SUITE_P(
    Table, NamedAlgebra,
    ::testing::Values(
        AlgebraCase{"LU with a row exchange", [](auto& o) { o.LU(1); }, NeedsExchange,
                    {{"L(A)", {{1, 0, 0}, {0, 1, 0}, {2, -1, 1}}},
                     {"U(A)", {{1, 1, 1}, {0, 2, 1}, {0, 0, 2}}},
                     {"P(A)", {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}}}},
                    {}},
        AlgebraCase{"LU of a rectangular matrix, P the identity", [](auto& o) { o.LU(1); },
                    {{2, 4, 6}, {1, 2, 5}},
                    {{"L(A)", {{1, 0}, {0.5, 1}}},
                     {"U(A)", {{2, 4, 6}, {0, 0, 2}}},
                     {"P(A)", {{1, 0}, {0, 1}}}},
                    {}},
        AlgebraCase{"LU of a tall matrix with a late exchange", [](auto& o) { o.LU(1); },
                    {{1, 1}, {1, 1}, {0, 3}},
                    {{"L(A)", {{1, 0, 0}, {0, 1, 0}, {1, 0, 1}}},
                     {"U(A)", {{1, 1}, {0, 3}, {0, 0}}},
                     {"P(A)", {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}}}},
                    {}},
        AlgebraCase{"cofactor determinant of a 5 x 5", [](auto& o) { o.CofactorDeterminant(1); },
                    Five, {{"det(A)", {{-7}}}}, {}},
        AlgebraCase{"cofactor determinant of a 6 x 6 is refused",
                    [](auto& o) { o.CofactorDeterminant(1); },
                    Rows(6, std::vector<double>(6, 1)), {},
                    {AlgebraOperations::CofactorSizeMessage("A", 6)}},
        AlgebraCase{"adjugate of an invertible 3 x 3", [](auto& o) { o.Adjugate(1); },
                    NeedsExchange, {{"adj(A)", {{3, -6, 1}, {-1, -2, 1}, {-2, 4, -2}}}}, {}},
        AlgebraCase{"adjugate of rank n - 1", [](auto& o) { o.Adjugate(1); }, Singular3,
                    {{"adj(A)", {{-3, 6, -3}, {6, -12, 6}, {-3, 6, -3}}}}, {}},
        AlgebraCase{"adjugate of rank n - 2 is 0", [](auto& o) { o.Adjugate(1); },
                    {{1, 2, 3}, {2, 4, 6}, {3, 6, 9}}, {{"adj(A)", Rows(3, {0, 0, 0})}}, {}},
        AlgebraCase{"adjugate of a 1 x 1", [](auto& o) { o.Adjugate(1); }, {{0}},
                    {{"adj(A)", {{1}}}}, {}},
        AlgebraCase{"Cramer's rule", [](auto& o) { o.Cramer(1, 2); }, NeedsExchange,
                    {{"x(A)", {{1.5}, {0.5}, {0}}}}, {}},
        AlgebraCase{"Cramer's rule on a singular matrix", [](auto& o) { o.Cramer(1, 2); },
                    Singular3, {}, {AlgebraOperations::CramerSingularMessage("A")}},
        AlgebraCase{"Cramer's rule with b of the wrong size", [](auto& o) { o.Cramer(1, 2); },
                    {{1, 2}, {3, 4}}, {},
                    {"Error, b must be one column with as many rows as A: A is 2 x 2, b is "
                     "3 x 1."}},
        AlgebraCase{"A^3, the exponent as typed", [](auto& o) { o.Power(1, " +3 "); },
                    {{1, 1}, {0, 1}}, {{"A^+3", {{1, 3}, {0, 1}}}}, {}},
        AlgebraCase{"A^0 is I", [](auto& o) { o.Power(1, "0"); }, Singular3,
                    {{"A^0", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}}, {}},
        AlgebraCase{"A^-2 by the inverse", [](auto& o) { o.Power(1, "-2"); }, {{2, 0}, {0, 4}},
                    {{"A^-2", {{0.25, 0}, {0, 0.0625}}}}, {}},
        AlgebraCase{"a negative power of a singular matrix", [](auto& o) { o.Power(1, "-1"); },
                    Singular3, {}, {Singular}},
        AlgebraCase{"exponents that do not read", [](auto& o) {
                        for (const char* text : {"", "100", "-100", "2.0", "1e2", "3 4", "--1", "+"})
                            EXPECT_FALSE(o.Power(1, text)) << text;
                    },
                    {{1}}, {}, Texts(8, Exponent)},
        AlgebraCase{"A^99 beyond the double range", [](auto& o) { o.Power(1, "99"); },
                    {{1e300}}, {}, {TooLarge}},
        AlgebraCase{"trace of fractions", [](auto& o) { o.Trace(1); }, {{0.5, 9}, {9, 0.25}},
                    {{"tr(A)", {{0.75}}}}, {}},
        AlgebraCase{"not square", [](auto& o) {
                        o.CofactorDeterminant(1);
                        o.Adjugate(1);
                        o.Cramer(1, 2);
                        EXPECT_TRUE(o.Power(1, "2"));
                        o.Trace(1);
                    },
                    {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 1, 1}}, {}, Texts(5, Square)},
        AlgebraCase{"slots out of range do nothing", [](auto& o) {
                        o.LU(0);
                        o.Cramer(1, 9);
                        o.Power(7, "x");
                        o.Trace(-1);
                    },
                    {{1}}, {}, {}}),
    [](const ::testing::TestParamInfo<AlgebraCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

// LU adds three results or none: with room for two, the usual message.
TEST(AlgebraOperationsLimits, NeedRoomForEveryResult) {
    GVar ws;
    RecordingMessages messages;
    for (int k = 0; k < MaxMatrices - 3; ++k)
        AddRows(ws, "A", {{1, 2}, {3, 4}});
    AlgebraOperations(ws, messages).LU(1);
    EXPECT_EQ(ws.MatrixCount, MaxMatrices - 3);
    EXPECT_EQ(messages.Take(), Texts{GVar::LimitMessage});
    AddRows(ws, "a name of twenty one", {{1, 2}, {3, 4}});
    AlgebraOperations(ws, messages).Trace(ws.MatrixCount);
    EXPECT_EQ(ws.Matrix(ws.MatrixCount).Name, "tr(a name of twenty ");
}

// Cramer's rule itself: x_i = det(A_i) / det(A).
ExactMatrix byDeterminants(const ExactMatrix& a, const ExactMatrix& b) {
    const int n = a.Rows();
    const mpq_class det = FlintMatrix::Determinant(a);
    ExactMatrix x(n, 1);
    for (int i = 1; i <= n; ++i) {
        ExactMatrix replaced = a;
        for (int r = 1; r <= n; ++r)
            replaced.At(r, i) = b.At(r, 1);
        x.At(i, 1) = FlintMatrix::Determinant(replaced) / det;
    }
    return x;
}

ExactMatrix randomMatrix(std::mt19937& random, int rows, int cols, int spread) {
    ExactMatrix a(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            a.At(i, j) = static_cast<long>(random() % (2 * spread + 1)) - spread;
    return a;
}

bool isPermutation(const ExactMatrix& p) {
    for (int i = 1; i <= p.Rows(); ++i) {
        int ones = 0;
        int onesInColumn = 0;
        for (int j = 1; j <= p.Cols(); ++j) {
            ones += p.At(i, j) == 1;
            onesInColumn += p.At(j, i) == 1;
            if (p.At(i, j) != 0 && p.At(i, j) != 1)
                return false;
        }
        if (ones != 1 || onesInColumn != 1)
            return false;
    }
    return true;
}

// Over thousands of random small-integer matrices, many of them singular:
// P A = L U exactly with L unit lower triangular, U in echelon form and P a
// permutation; the cofactor expansion equals the determinant by
// elimination; A adj(A) = det(A) I and adj(A) equals the transposed
// cofactors one by one; Cramer's x is det(A_i) / det(A);
// A^m A^n = A^(m + n) and A^-n A^n = I; tr(A B) = tr(B A).
TEST(AlgebraProperty, AgreeWithEachOther) {
    std::mt19937 random(22);
    for (int round = 0; round < 3000; ++round) {
        const int m = 1 + static_cast<int>(random() % 5);
        const int n = 1 + static_cast<int>(random() % 5);
        const int spread = round % 3 == 0 ? 1 : 4;
        const ExactMatrix rect = randomMatrix(random, m, n, spread);
        const LUDecomposition lu(rect);
        ASSERT_EQ(lu.P() * rect, lu.L() * lu.U()) << round;
        ASSERT_TRUE(isPermutation(lu.P())) << round;
        for (int i = 1; i <= m; ++i) {
            ASSERT_EQ(lu.L().At(i, i), 1) << round;
            for (int j = i + 1; j <= m; ++j)
                ASSERT_EQ(lu.L().At(i, j), 0) << round;
        }
        int lead = 0; // echelon: each row's first non-zero entry right of the last
        for (int i = 1; i <= m; ++i) {
            int first = 1;
            while (first <= n && lu.U().At(i, first) == 0)
                ++first;
            if (first > n) {
                lead = n + 1;
                continue;
            }
            ASSERT_GT(first, lead) << round;
            lead = first;
        }

        const ExactMatrix a = randomMatrix(random, n, n, spread);
        const mpq_class det = FlintMatrix::Determinant(a);
        ASSERT_EQ(CofactorExpansion::Determinant(a, "A"), det) << round;
        const ExactMatrix adj = CofactorExpansion::Adjugate(a);
        ExactMatrix scaled(n, n);
        for (int i = 1; i <= n; ++i)
            scaled.At(i, i) = det;
        ASSERT_EQ(a * adj, scaled) << round;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                ASSERT_EQ(adj.At(i, j), CofactorExpansion::Cofactor(a, j, i)) << round;

        const ExactMatrix b = randomMatrix(random, n, 1, 5);
        if (det != 0) {
            GVar ws;
            RecordingMessages messages;
            AddRows(ws, "A", Rows(n, std::vector<double>(n)));
            AddRows(ws, "b", Rows(n, std::vector<double>(1)));
            a.ToRecord(ws.Matrix(1));
            b.ToRecord(ws.Matrix(2));
            AlgebraOperations(ws, messages).Cramer(1, 2);
            ASSERT_EQ(ws.MatrixCount, 3) << round;
            TMatrixRec expected = ws.Matrix(3);
            ASSERT_TRUE(byDeterminants(a, b).ToRecord(expected));
            ASSERT_EQ(Block(ws.Matrix(3)), Block(expected)) << round;
        }

        const int p = static_cast<int>(random() % 6);
        const int q = static_cast<int>(random() % 6);
        ASSERT_EQ(FlintMatrix::Power(a, p) * FlintMatrix::Power(a, q), FlintMatrix::Power(a, p + q))
            << round;
        // A negative power is the power of the exact inverse: A^-q A^q = I.
        ExactMatrix inverse;
        ASSERT_EQ(RowReduction::Inverse(a, inverse), det != 0) << round;
        if (det != 0)
            ASSERT_EQ(FlintMatrix::Power(inverse, q) * FlintMatrix::Power(a, q),
                      ExactMatrix::Identity(n))
                << round;
        const ExactMatrix c = randomMatrix(random, n, n, spread);
        mpq_class ab = 0;
        mpq_class ba = 0;
        const ExactMatrix abm = a * c;
        const ExactMatrix bam = c * a;
        for (int i = 1; i <= n; ++i) {
            ab += abm.At(i, i);
            ba += bam.At(i, i);
        }
        ASSERT_EQ(ab, ba) << round;
    }
}

// A 50 x 50 fits: LU of two-digit integers holds exactly, and Cramer's
// rule on it gives the quotients of its determinants.
TEST(AlgebraProperty, FiftyByFifty) {
    std::mt19937 random(50);
    const ExactMatrix a = randomMatrix(random, 50, 50, 99);
    const LUDecomposition lu(a);
    EXPECT_EQ(lu.P() * a, lu.L() * lu.U());
    const ExactMatrix b = randomMatrix(random, 50, 1, 9);
    GVar ws;
    RecordingMessages messages;
    AddRows(ws, "A", Rows(50, std::vector<double>(50)));
    AddRows(ws, "b", Rows(50, std::vector<double>(1)));
    a.ToRecord(ws.Matrix(1));
    b.ToRecord(ws.Matrix(2));
    AlgebraOperations(ws, messages).Cramer(1, 2);
    ASSERT_EQ(ws.MatrixCount, 3);
    TMatrixRec expected = ws.Matrix(3);
    ASSERT_TRUE(byDeterminants(a, b).ToRecord(expected));
    EXPECT_EQ(Block(ws.Matrix(3)), Block(expected));
}

// The workings tell the same story as the results, also where they refuse.
TEST(AlgebraWorkingsText, RefusalsAndLimits) {
    GVar ws;
    AddRows(ws, "A", Rows(6, std::vector<double>(6, 1)));
    AddRows(ws, "R", {{1, 2, 3}});
    const AlgebraWorkings workings(ws);
    EXPECT_NE(workings.CofactorDeterminant(1).find(AlgebraOperations::CofactorSizeMessage("A", 6)),
              std::string::npos);
    EXPECT_NE(workings.Cramer(1, 1).find("one column"), std::string::npos);
    EXPECT_NE(workings.Power(2, "2").find("not square"), std::string::npos);
    EXPECT_NE(workings.Power(1, "x").find(AlgebraOperations::ExponentMessage), std::string::npos);
    EXPECT_NE(workings.Power(1, "-1").find(ExactOperations::SingularMessage), std::string::npos);
    EXPECT_NE(workings.Adjugate(1).find("are not written out one by one"), std::string::npos);
    EXPECT_EQ(workings.Trace(3), "");
    // A large LU stays under the cap and still ends with its check.
    std::mt19937 random(7);
    GVar big;
    AddRows(big, "B", Rows(50, std::vector<double>(50)));
    randomMatrix(random, 50, 50, 99).ToRecord(big.Matrix(1));
    const std::string lu = AlgebraWorkings(big).LU(1);
    EXPECT_LE(lu.size(), WorkingText::MaxBytes);
    EXPECT_NE(lu.find("Check: P(B) B = L(B) U(B) holds exactly for two vectors"), std::string::npos);
}
} // namespace
