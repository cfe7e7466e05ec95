// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RowReduction.h"
#include "ExactMatrix.h"
#include "HandElimination.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {
ExactMatrix Exact(const Rows& rows) {
    TMatrixRec record;
    record.Rows = static_cast<std::uint8_t>(rows.size());
    record.Cols = static_cast<std::uint8_t>(rows[0].size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            record.At(static_cast<int>(i) + 1, static_cast<int>(j) + 1) = rows[i][j];
    return ExactMatrix::FromRecord(record);
}

struct KnownCase {
    const char* what;
    Rows a;
    const char* det; // "" for a matrix that is not square
    int rank;
    Rows rref;
};

class Known : public ::testing::TestWithParam<KnownCase> {};

TEST_P(Known, DeterminantRankAndReducedForm) {
    const KnownCase& c = GetParam();
    const ExactMatrix a = Exact(c.a);
    if (*c.det != '\0') {
        EXPECT_EQ(RowReduction::Determinant(a), mpq_class(c.det));
    }
    EXPECT_EQ(RowReduction::Rank(a), c.rank);
    EXPECT_EQ(RowReduction::Rref(a), Exact(c.rref));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Known,
    ::testing::Values(
        KnownCase{"unit determinant", {{2, 1}, {1, 1}}, "1", 2, {{1, 0}, {0, 1}}},
        KnownCase{"tenths of rank one", {{0.1, 0.2}, {0.3, 0.6}}, "0", 1, {{1, 2}, {0, 0}}},
        KnownCase{"system",
                  {{4, 2, -2}, {2, 10, 4}, {-2, 4, 9}},
                  "188",
                  3,
                  {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
        KnownCase{"swap changes the sign", {{0, 1}, {1, 0}}, "-1", 2, {{1, 0}, {0, 1}}},
        KnownCase{"Hilbert",
                  {{1, 1.0 / 2, 1.0 / 3}, {1.0 / 2, 1.0 / 3, 1.0 / 4}, {1.0 / 3, 1.0 / 4, 1.0 / 5}},
                  "1/2160",
                  3,
                  {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
        KnownCase{"wide with a skipped column",
                  {{0, 2, 4, 1}, {0, 1, 2, 3}},
                  "",
                  2,
                  {{0, 1, 2, 0}, {0, 0, 0, 1}}},
        KnownCase{"typed decimals",
                  {{1, 2, 3}, {4.5, -1, 0.25}},
                  "",
                  2,
                  {{1, 0, 7.0 / 20}, {0, 1, 53.0 / 40}}},
        KnownCase{"zeros", {{0, 0}, {0, 0}}, "0", 0, {{0, 0}, {0, 0}}}),
    CaseName());

ExactMatrix RandomMatrix(std::mt19937_64& random, int rows, int cols) {
    ExactMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            m.At(i, j) = static_cast<long>(random() % 9) - 4;
    // Now and then a dependent row, so that ranks below full come up.
    if (rows > 1 && random() % 3 == 0)
        for (int j = 1; j <= cols; ++j)
            m.At(rows, j) = m.At(1, j) * 2 - m.At(2, j);
    return m;
}

class NoteNothing : public HandElimination::Observer {
public:
    void Done(const HandElimination::Operation&, const ExactMatrix&) override {}
    bool NoPivot(int, int) override { return true; }
};

TEST(RowReductionProperties, HoldOverThousandsOfSmallIntegerMatrices) {
    std::mt19937_64 random(2024);
    for (int k = 0; k < 3000; ++k) {
        const int n = 1 + static_cast<int>(random() % 5);
        const ExactMatrix a = RandomMatrix(random, n, n);
        const ExactMatrix b = RandomMatrix(random, n, n);
        ASSERT_EQ(RowReduction::Determinant(a * b),
                  RowReduction::Determinant(a) * RowReduction::Determinant(b));

        const ExactMatrix wide = RandomMatrix(random, n, 1 + static_cast<int>(random() % 6));
        const ExactMatrix reduced = RowReduction::Rref(wide);
        ASSERT_EQ(RowReduction::Rank(reduced), RowReduction::Rank(wide));
        ASSERT_EQ(RowReduction::Rref(reduced), reduced);

        // The hand elimination of the worked solutions reaches the same.
        NoteNothing quiet;
        HandElimination byHand(wide, HandElimination::Goal::Reduced, wide.Cols());
        byHand.Run(quiet);
        ASSERT_EQ(byHand.Matrix(), reduced);
        ASSERT_EQ(byHand.Rank(), RowReduction::Rank(wide));
        HandElimination echelon(a, HandElimination::Goal::Echelon, n);
        echelon.Run(quiet);
        mpq_class det = echelon.Swaps() % 2 ? -1 : 1;
        for (int i = 1; i <= n; ++i)
            det *= echelon.Matrix().At(i, i);
        ASSERT_EQ(det, RowReduction::Determinant(a));
    }
}

// Integers, small fractions or values over the whole double range (each its
// exact binary value), with zeros, and now and then a dependent row.
ExactMatrix AnyMatrix(std::mt19937_64& random, int rows, int cols) {
    const int kind = static_cast<int>(random() % 3);
    ExactMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
            mpq_class& entry = m.At(i, j);
            if (random() % 5 == 0)
                entry = 0;
            else if (kind == 0)
                entry = static_cast<long>(random() % 199) - 99;
            else if (kind == 1)
                entry = mpq_class(static_cast<long>(random() % 61) - 30,
                                  1 + static_cast<long>(random() % 30));
            else
                entry = mpq_class(std::uniform_real_distribution<double>(-10, 10)(random) *
                                  std::pow(10.0, static_cast<int>(random() % 601) - 300));
            entry.canonicalize();
        }
    if (rows > 2 && random() % 3 == 0)
        for (int j = 1; j <= cols; ++j)
            m.At(2, j) = m.At(1, j) * mpq_class(-3, 7) + m.At(rows, j);
    return m;
}

TEST(RowReductionProperties, FlintAgreesWithTheFractionFreeElimination) {
    using Method = RowReduction::Method;
    std::mt19937_64 random(31);
    for (int k = 0; k < 1500; ++k) {
        // Empty and 1 x 1 matrices too, which FLINT is never handed.
        const int rows = static_cast<int>(random() % 9);
        const int cols = k % 2 ? rows : static_cast<int>(random() % 9);
        const ExactMatrix a = AnyMatrix(random, rows, cols);
        if (rows == cols) {
            ASSERT_EQ(RowReduction::Determinant(a),
                      RowReduction::Determinant(a, nullptr, Method::Bareiss))
                << "case " << k;
        }
        ASSERT_EQ(RowReduction::Rank(a), RowReduction::Rank(a, nullptr, Method::Bareiss))
            << "case " << k;
        ASSERT_EQ(RowReduction::Rref(a), RowReduction::Rref(a, nullptr, Method::Bareiss))
            << "case " << k;
    }
}

TEST(RowOperationText, AsAStudentWritesIt) {
    using Kind = HandElimination::Operation::Kind;
    const auto text = [](Kind kind, int target, int source, const char* factor) {
        HandElimination::Operation operation;
        operation.kind = kind;
        operation.target = target;
        operation.source = source;
        operation.factor = mpq_class(factor);
        return operation.Text();
    };
    EXPECT_EQ(text(Kind::Swap, 1, 3, "0"), "R1 <-> R3");
    EXPECT_EQ(text(Kind::Scale, 1, 0, "1/2"), "R1 <- (1/2) R1");
    EXPECT_EQ(text(Kind::Scale, 2, 0, "-1"), "R2 <- (-1) R2");
    EXPECT_EQ(text(Kind::Scale, 2, 0, "3"), "R2 <- 3 R2");
    EXPECT_EQ(text(Kind::Subtract, 2, 1, "3/2"), "R2 <- R2 - (3/2) R1");
    EXPECT_EQ(text(Kind::Subtract, 3, 1, "-2"), "R3 <- R3 + 2 R1");
    EXPECT_EQ(text(Kind::Subtract, 3, 2, "1"), "R3 <- R3 - R2");
}
} // namespace
