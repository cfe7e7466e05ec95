// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExactOperations.h"
#include "ExactMatrix.h"
#include "FractionRule.h"
#include "MatOperations.h"
#include "RecordingMessages.h"
#include "RowReduction.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {
using Texts = std::vector<std::string>;

class ExactOps : public ::testing::Test {
protected:
    GVar ws;
    RecordingMessages messages;
    ExactOperations ops{ws, messages};
};

TEST_F(ExactOps, AddNamedResultsAndLeaveTheOperand) {
    const int a = AddMatrix(ws, "ABCDEFGHIJKLMNOPQRST", {{0.1, 0.2}, {0.3, 0.6}});
    const TMatrixRec before = ws.Matrix(a);
    ops.DeterminantMat(a);
    ops.RankMat(a);
    ops.RrefMat(a);
    EXPECT_TRUE(messages.Take().empty());
    ASSERT_EQ(ws.MatrixCount, 4);
    EXPECT_EQ(ws.Matrix(2).Name, "det(ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Block(ws.Matrix(2)), (Rows{{0}}));
    EXPECT_EQ(ws.Matrix(3).Name, "rank(ABCDEFGHIJKLMNO");
    EXPECT_EQ(Block(ws.Matrix(3)), (Rows{{1}}));
    EXPECT_EQ(ws.Matrix(4).Name, "rref(ABCDEFGHIJKLMNO");
    EXPECT_EQ(Block(ws.Matrix(4)), (Rows{{1, 2}, {0, 0}}));
    EXPECT_EQ(std::memcmp(before.Data, ws.Matrix(a).Data, sizeof before.Data), 0);
    // Nothing chosen: nothing happens.
    ops.DeterminantMat(0);
    ops.RrefMat(9);
    EXPECT_EQ(ws.MatrixCount, 4);
}

struct RefusalCase {
    const char* what;
    Rows a;
    void (ExactOperations::*operation)(int);
    std::string message;
};

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, ShowOneMessageAndAddNothing) {
    GVar ws;
    RecordingMessages messages;
    AddRows(ws, "A", GetParam().a);
    (ExactOperations(ws, messages).*GetParam().operation)(1);
    EXPECT_EQ(messages.Take(), Texts{GetParam().message});
    EXPECT_EQ(ws.MatrixCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refusals,
    ::testing::Values(RefusalCase{"determinant of a wide matrix",
                                  {{1, 2, 3}},
                                  &ExactOperations::DeterminantMat,
                                  "Error, matrix must be square for this operation."},
                      RefusalCase{"determinant past the double range",
                                  {{1e200, 0}, {0, 1e200}},
                                  &ExactOperations::DeterminantMat,
                                  ExactOperations::TooLargeMessage},
                      RefusalCase{"reduced form past the double range",
                                  {{1e-300, 1e300}},
                                  &ExactOperations::RrefMat,
                                  ExactOperations::TooLargeMessage}),
    CaseName());

TEST_F(ExactOps, KeepTheLimitOfNineteenMatrices) {
    FillTo(ws, 19);
    ops.RankMat(1);
    EXPECT_EQ(messages.Take(), Texts{GVar::LimitMessage});
    EXPECT_EQ(ws.MatrixCount, 19);
}

// Each stored value is the exact result rounded to the nearest double, not
// a floating-point computation of it.
TEST_F(ExactOps, StoreTheExactResultRoundedToNearest) {
    std::mt19937_64 random(7);
    const auto fill = [&](int rows, int cols) {
        TMatrixRec& m = ws.AppendNew();
        m.Rows = static_cast<std::uint8_t>(rows);
        m.Cols = static_cast<std::uint8_t>(cols);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j)
                m.At(i, j) = static_cast<double>(static_cast<long>(random() % 19) - 9) /
                             static_cast<double>(1 + random() % 7);
        return ExactMatrix::FromRecord(m);
    };
    for (int k = 0; k < 500; ++k) {
        ws.Clear();
        const int n = 2 + static_cast<int>(random() % 4);
        const ExactMatrix square = fill(n, n);
        const ExactMatrix wide = fill(n, n + 1);
        ops.DeterminantMat(1);
        ops.RrefMat(2);
        ASSERT_EQ(ws.Matrix(3).At(1, 1),
                  FractionRule::NearestDouble(RowReduction::Determinant(square)));
        const ExactMatrix reduced = RowReduction::Rref(wide);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n + 1; ++j)
                ASSERT_EQ(ws.Matrix(4).At(i, j), FractionRule::NearestDouble(reduced.At(i, j)));
    }
}
} // namespace

// Invert and Determinant read the same fractions, so Invert refuses exactly
// the matrices whose determinant is 0, and inverts every other one as the
// floating-point elimination always has. The singular ones are made with a
// row that is a combination of others, in integers, fractions and short
// decimals, which floating point rarely sees as singular.
TEST(InvertProperty, RefusesExactlyWhenTheDeterminantIsZero) {
    std::mt19937 random(18);
    const auto entry = [&](int kind) -> mpq_class {
        const long p = static_cast<long>(random() % 41) - 20;
        switch (kind) {
        case 0: return p;                                            // integers
        case 1: return mpq_class(p, static_cast<long>(random() % 9 + 1)); // fractions
        default: return mpq_class(p, 100);                           // decimals like -0.07
        }
    };
    int singular = 0;
    for (int round = 0; round < 3000; ++round) {
        const int n = 2 + round % 4;
        const int kind = round % 3;
        ExactMatrix exact(n, n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                exact.At(i, j) = entry(kind);
        if (round % 2 == 0) { // row n := a R1 + b R(n-1)
            const mpq_class a = entry(kind), b = n > 2 ? entry(kind) : mpq_class(0);
            for (int j = 1; j <= n; ++j) {
                exact.At(n, j) = a * exact.At(1, j) + b * exact.At(n - 1, j);
                exact.At(n, j).canonicalize();
            }
        }
        GVar ws;
        GVar floating;
        RecordingMessages messages;
        auto record = std::make_unique<TMatrixRec>();
        ASSERT_TRUE(exact.ToRecord(*record));
        floating.Append(std::make_unique<TMatrixRec>(*record));
        ws.Append(std::move(record));
        RecordingMessages floatingMessages;
        const bool zero = RowReduction::Determinant(ExactMatrix::FromRecord(ws.Matrix(1))) == 0;
        singular += zero;
        ExactOperations(ws, messages).InvertMat(1);
        if (zero) {
            EXPECT_EQ(ws.MatrixCount, 1) << round;
            EXPECT_EQ(messages.Take(), Texts{ExactOperations::SingularMessage}) << round;
            continue;
        }
        MatOperations(floating, floatingMessages).InvertMat(1);
        EXPECT_EQ(messages.Take(), floatingMessages.Take()) << round;
        ASSERT_EQ(ws.MatrixCount, floating.MatrixCount) << round;
        if (ws.MatrixCount == 2) {
            EXPECT_EQ(std::memcmp(ws.Matrix(2).Data, floating.Matrix(2).Data,
                                  sizeof ws.Matrix(2).Data),
                      0)
                << round;
        }
    }
    EXPECT_GT(singular, 1400);
}
