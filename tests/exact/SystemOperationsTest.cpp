// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SystemOperations.h"
#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "LinearSystem.h"
#include "RecordingMessages.h"
#include "RowReduction.h"
#include "SystemWorkings.h"
#include "WorkProgress.h"
#include "WorkingText.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {
using Texts = std::vector<std::string>;
using Results = std::vector<std::pair<std::string, Rows>>;

ExactMatrix augment(const ExactMatrix& a, const ExactMatrix& b) {
    ExactMatrix ab(a.Rows(), a.Cols() + 1);
    for (int i = 1; i <= a.Rows(); ++i) {
        for (int j = 1; j <= a.Cols(); ++j)
            ab.At(i, j) = a.At(i, j);
        ab.At(i, a.Cols() + 1) = b.At(i, 1);
    }
    return ab;
}

// Random small-integer systems of every shape, some with zero rows or
// zero columns, half of them consistent by construction.
TEST(LinearSystemProperty, ResultsHoldExactly) {
    std::mt19937 random(31);
    int inconsistent = 0;
    int free = 0;
    for (int round = 0; round < 3000; ++round) {
        const int rows = 1 + static_cast<int>(random() % 5);
        const int cols = 1 + static_cast<int>(random() % 5);
        ExactMatrix a(rows, cols);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j)
                a.At(i, j) = static_cast<long>(random() % 7) - 3;
        if (round % 5 == 1)
            for (int j = 1; j <= cols; ++j)
                a.At(1 + static_cast<int>(random() % rows), j) = 0;
        if (round % 5 == 2)
            for (int i = 1; i <= rows; ++i)
                a.At(i, 1 + static_cast<int>(random() % cols)) = 0;
        ExactMatrix b(rows, 1);
        if (round % 2 == 0) {
            ExactMatrix y(cols, 1);
            for (int j = 1; j <= cols; ++j)
                y.At(j, 1) = static_cast<long>(random() % 5) - 2;
            b = a * y;
        } else {
            for (int i = 1; i <= rows; ++i)
                b.At(i, 1) = static_cast<long>(random() % 7) - 3;
        }

        const LinearSystem system(a, &b);
        const int rank = RowReduction::Rank(a);
        ASSERT_EQ(system.Rank(), rank) << round;
        ASSERT_EQ(system.Rank() + system.Nullity(), cols) << round;
        if (system.Consistent()) {
            ASSERT_EQ(a * system.Particular(), b) << round;
        } else {
            ++inconsistent;
            ASSERT_EQ(round % 2, 1) << round;
            ASSERT_GT(RowReduction::Rank(augment(a, b)), rank) << round;
            ASSERT_GT(system.ContradictionRow(), rank) << round;
            ASSERT_NE(system.ContradictionValue(), 0) << round;
        }
        const ExactMatrix null = system.NullBasis();
        free += system.Nullity() > 0;
        ASSERT_EQ(a * null, ExactMatrix(rows, system.Nullity())) << round;
        ASSERT_EQ(RowReduction::Rank(null), system.Nullity()) << round;
        const ExactMatrix col = system.ColumnBasis();
        ASSERT_EQ(col.Cols(), rank) << round;
        ASSERT_EQ(RowReduction::Rank(col), rank) << round;
        const ExactMatrix row = system.RowBasis();
        const ExactMatrix reduced = RowReduction::Rref(a);
        ASSERT_EQ(row.Rows(), rank) << round;
        ASSERT_EQ(RowReduction::Rref(row), row) << round;
        for (int i = 1; i <= rank; ++i)
            for (int j = 1; j <= cols; ++j)
                ASSERT_EQ(row.At(i, j), reduced.At(i, j)) << round;
    }
    EXPECT_GT(inconsistent, 300);
    EXPECT_GT(free, 1000);
}

enum class Op { Solve, Null, Col, Row };

struct SystemCase {
    const char* what;
    Op op;
    Rows a;
    Rows b;
    Results results;
    Texts messages;
};

class NamedSystems : public ::testing::TestWithParam<SystemCase> {};

TEST_P(NamedSystems, AddTheExactResults) {
    const SystemCase& c = GetParam();
    GVar ws;
    RecordingMessages messages;
    AddRows(ws, "A", c.a);
    if (!c.b.empty())
        AddRows(ws, "b", c.b);
    const TMatrixRec before = ws.Matrix(1);
    SystemOperations ops(ws, messages);
    switch (c.op) {
    case Op::Solve: ops.SolveSystem(1, 2); break;
    case Op::Null: ops.NullSpace(1); break;
    case Op::Col: ops.ColumnSpace(1); break;
    case Op::Row: ops.RowSpace(1); break;
    }
    EXPECT_EQ(messages.Take(), c.messages);
    const int first = c.b.empty() ? 2 : 3;
    ASSERT_EQ(ws.MatrixCount, first - 1 + static_cast<int>(c.results.size()));
    for (std::size_t k = 0; k < c.results.size(); ++k) {
        EXPECT_EQ(ws.Matrix(first + static_cast<int>(k)).Name, c.results[k].first);
        EXPECT_EQ(Block(ws.Matrix(first + static_cast<int>(k))), c.results[k].second);
    }
    EXPECT_EQ(std::memcmp(before.Data, ws.Matrix(1).Data, sizeof before.Data), 0);
}

const Rows Wide{{1, 2, 0, 3}, {2, 4, 1, 8}, {1, 2, 1, 5}};
const Rows Independent{{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}};

INSTANTIATE_TEST_SUITE_P(
    Table, NamedSystems,
    ::testing::Values(
        SystemCase{"one solution, square", Op::Solve, Independent, {{8}, {-11}, {-3}},
                   {{"x(A)", {{2}, {3}, {-1}}}}, {}},
        SystemCase{"one solution, tall", Op::Solve, {{1, 1}, {1, -1}, {2, 0}}, {{3}, {1}, {4}},
                   {{"x(A)", {{2}, {1}}}}, {}},
        SystemCase{"no solution, tall", Op::Solve, {{1, 2}, {2, 4}, {3, 6}}, {{1}, {2}, {14.0 / 3}},
                   {}, {"No solution: row 3 of the echelon form of [A | b] reads 0 = 5/3."}},
        SystemCase{"no solution, zero column", Op::Solve, {{0, 1}, {0, 2}}, {{1}, {3}}, {},
                   {"No solution: row 2 of the echelon form of [A | b] reads 0 = 1."}},
        SystemCase{"infinitely many, wide", Op::Solve, Wide, {{1}, {4}, {3}},
                   {{"x(A)", {{1}, {0}, {2}, {0}}},
                    {"null(A)", {{-2, -3}, {1, 0}, {0, -2}, {0, 1}}}},
                   {"Infinitely many solutions: x = x(A) + a combination of the 2 columns of "
                    "null(A)."}},
        SystemCase{"fractions", Op::Solve, {{1.0 / 3, 0.5}, {0.25, 0.2}}, {{1}, {1}},
                   {{"x(A)", {{36.0 / 7}, {-10.0 / 7}}}}, {}},
        SystemCase{"decimals typed like 0.1", Op::Solve,
                   {{0.1, 0.2, 0.3}, {0.4, 0.5, 0.6}, {0.7, 0.8, 0.9}}, {{0.1}, {0.1}, {0.1}},
                   {{"x(A)", {{-1}, {1}, {0}}}, {"null(A)", {{1}, {-2}, {1}}}},
                   {"Infinitely many solutions: x = x(A) + a multiple of the column of null(A)."}},
        // Row 3 is row 1 + row 2 exactly; floating-point elimination leaves
        // a last pivot of 2.2e-16 and would find one solution.
        SystemCase{"floating point trap", Op::Solve,
                   {{0.8, -0.9, -0.1}, {0.1, 0.8, 0.9}, {0.9, -0.1, 0.8}}, {{0.1}, {0.2}, {0.3}},
                   {{"x(A)", {{26.0 / 73}, {15.0 / 73}, {0}}}, {"null(A)", {{-1}, {-1}, {1}}}},
                   {"Infinitely many solutions: x = x(A) + a multiple of the column of null(A)."}},
        SystemCase{"zero matrix, zero b", Op::Solve, {{0, 0}, {0, 0}}, {{0}, {0}},
                   {{"x(A)", {{0}, {0}}}, {"null(A)", {{1, 0}, {0, 1}}}},
                   {"Infinitely many solutions: x = x(A) + a combination of the 2 columns of "
                    "null(A)."}},
        SystemCase{"b of two columns", Op::Solve, Wide, {{1, 1}, {4, 4}, {3, 3}}, {},
                   {"Error, b must be one column with as many rows as A: A is 3 x 4, b is 3 x 2."}},
        SystemCase{"b of other rows", Op::Solve, Wide, {{1}, {4}}, {},
                   {"Error, b must be one column with as many rows as A: A is 3 x 4, b is 2 x 1."}},
        SystemCase{"null space", Op::Null, Wide, {},
                   {{"null(A)", {{-2, -3}, {1, 0}, {0, -2}, {0, 1}}}}, {}},
        SystemCase{"null space of independent columns", Op::Null, Independent, {}, {},
                   {"The null space of A holds only the zero vector: its columns are "
                    "independent."}},
        SystemCase{"column space from A itself", Op::Col, Wide, {},
                   {{"col(A)", {{1, 0}, {2, 1}, {1, 1}}}}, {}},
        SystemCase{"column space of zeros", Op::Col, {{0, 0}}, {}, {},
                   {"The column space of A holds only the zero vector: every entry of A is 0."}},
        SystemCase{"row space", Op::Row, Wide, {}, {{"row(A)", {{1, 2, 0, 3}, {0, 0, 1, 2}}}},
                   {}},
        SystemCase{"row space of zeros", Op::Row, {{0}, {0}}, {}, {},
                   {"The row space of A holds only the zero vector: every entry of A is 0."}}),
    CaseName());

class StopAt : public WorkProgress {
public:
    bool Report(int, int) override { return false; }
};

// Every way an operation can fail leaves the workspace as it was: both
// results of an infinite family or neither.
TEST(SystemOperationsFailures, AddNothing) {
    GVar ws;
    RecordingMessages messages;
    AddMatrix(ws, "A", {{1, 2}, {2, 4}});
    AddMatrix(ws, "b", {{1}, {2}});
    AddMatrix(ws, "ABCDEFGHIJKLMNOPQRST", {{1e-300}});
    AddMatrix(ws, "c", {{1e300}});
    AddMatrix(ws, "W", {{1e-300, 1e300}});
    AddMatrix(ws, "z", {{0}});
    SystemOperations ops(ws, messages);

    ops.SolveSystem(3, 4);   // x = 1e600
    ops.SolveSystem(5, 6);   // x fits, null(W) holds -1e600
    ops.SolveSystem(0, 2);
    ops.NullSpace(7);
    EXPECT_EQ(messages.Take(), Texts(2, ExactOperations::TooLargeMessage));
    ASSERT_EQ(ws.MatrixCount, 6);

    StopAt stop;
    SystemOperations(ws, messages, &stop).SolveSystem(1, 2);
    SystemOperations(ws, messages, &stop).RowSpace(1);
    EXPECT_EQ(messages.Take(), Texts(2, ExactOperations::CancelledMessage));
    ASSERT_EQ(ws.MatrixCount, 6);

    // Two results need two free slots below the limit of 19.
    FillTo(ws, 18);
    ops.SolveSystem(1, 2);
    EXPECT_EQ(messages.Take(), Texts{GVar::LimitMessage});
    ASSERT_EQ(ws.MatrixCount, 18);
    ops.ColumnSpace(1);
    EXPECT_TRUE(messages.Take().empty());
    ASSERT_EQ(ws.MatrixCount, 19);
    ops.NullSpace(3);
    EXPECT_EQ(messages.Take(), Texts{GVar::LimitMessage});
    EXPECT_EQ(ws.Matrix(19).Name, "col(A)");
}

// The workings draw their conclusions from the same LinearSystem as the
// operations; an operand past 10 x 10 shows the steps without matrices.
TEST(SystemWorkingsText, AgreeWithTheOperationAndStayShortPastTenByTen) {
    GVar ws;
    RecordingMessages messages;
    AddMatrix(ws, "A", {{1, 2}, {2, 4}, {3, 6}});
    AddMatrix(ws, "b", {{1}, {2}, {14.0 / 3}});
    SystemOperations(ws, messages).SolveSystem(1, 2);
    const std::string text = SystemWorkings(ws).Solve(1, 2);
    EXPECT_NE(text.find("Row 3 reads 0 = 5/3"), std::string::npos) << text;
    EXPECT_EQ(messages.Take(), Texts{"No solution: row 3 of the echelon form of [A | b] reads "
                                     "0 = 5/3."});

    TMatrixRec& big = ws.AppendNew();
    big.SetName("B");
    big.Rows = big.Cols = 12;
    TMatrixRec& rhs = ws.AppendNew();
    rhs.Rows = 12;
    rhs.Cols = 1;
    for (int i = 1; i <= 12; ++i) {
        rhs.At(i, 1) = i;
        for (int j = 1; j <= 11; ++j)
            big.At(i, j) = (i * j) % 7 + (i == j);
        big.At(i, 12) = big.At(i, 1) + big.At(i, 2);
    }
    const std::string large = SystemWorkings(ws).Solve(3, 4) + SystemWorkings(ws).NullSpace(3);
    EXPECT_NE(large.find("Larger than 10 x 10: the row operations and the result only."),
              std::string::npos);
    EXPECT_EQ(large.find("Each non-zero row"), std::string::npos);
    EXPECT_NE(large.find("Check: B v = 0 holds exactly for each column v of null(B)."),
              std::string::npos)
        << large;
    EXPECT_LE(large.size(), 2 * WorkingText::MaxBytes);
    EXPECT_EQ(SystemWorkings(ws).Solve(1, 9), "");
}
} // namespace
