// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatOperations.h"
#include "RecordingMessages.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

namespace {
const std::string NotPositive = "Error - Array is not positive definite.";

class Cholesky : public ::testing::Test {
protected:
    GVar ws;
    RecordingMessages messages;
    MatOperations ops{ws, messages};
};

TEST_F(Cholesky, FactorsAndSolvesTheWorkedSystem) {
    const int p = AddMatrix(ws, "P", {{4, 2}, {2, 2}});
    const int lower = AddMatrix(ws, "L", {{4, 2}, {7, 2}});  // lower triangle is never read
    const int b = AddMatrix(ws, "b", {{4}, {3}});
    ops.CholeskyMat(p);
    ops.CholeskyMat(lower);
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_EQ(ws.Matrix(4).Name, "Chol(P)");
    EXPECT_EQ(Block(ws.Matrix(4)), (Rows{{2, 1}, {0, 1}}));
    EXPECT_EQ(Block(ws.Matrix(5)), (Rows{{2, 1}, {0, 1}}));

    ops.SubstituteMat(4, b);
    ops.SubstituteMat(4, b);
    ASSERT_TRUE(messages.shown.empty());
    EXPECT_EQ(ws.Matrix(6).Name, "X");
    EXPECT_EQ(ws.Matrix(7).Name, "X");
    EXPECT_EQ(Block(ws.Matrix(6)), (Rows{{0.5}, {1}}));
}

TEST_F(Cholesky, SmallFactors) {
    AddMatrix(ws, "N", {{9}});
    AddMatrix(ws, "I", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    ops.CholeskyMat(1);
    ops.CholeskyMat(2);
    EXPECT_EQ(Block(ws.Matrix(3)), (Rows{{3}}));
    EXPECT_EQ(Block(ws.Matrix(4)), (Rows{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}));
}

struct RefusalCase {
    const char* what;
    Rows a;
    std::string message;
};

class CholeskyRefusals : public Cholesky, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CholeskyRefusals, AddNothing) {
    const RefusalCase& c = GetParam();
    AddRows(ws, "A", c.a);
    ops.CholeskyMat(1);
    EXPECT_EQ(messages.Take(), std::vector<std::string>{c.message});
    EXPECT_EQ(ws.MatrixCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cholesky, CholeskyRefusals,
    ::testing::Values(
        RefusalCase{"not square", {{1, 2, 3}, {4, 5, 6}}, "Error, No Cholesky Decompostion possible."},
        // Refused on the updated diagonal of the second step: 1 - 4 = -3.
        RefusalCase{"indefinite", {{1, 2}, {2, 1}}, NotPositive},
        RefusalCase{"zero first", {{0, 0}, {0, 1}}, NotPositive},
        RefusalCase{"negative first", {{-1}}, NotPositive},
        RefusalCase{"overflow", {{1e-300, 1e300}, {1e300, 1}}, "Sorry, unable to complete process."}),
    CaseName());

TEST_F(Cholesky, SubstitutionRefusesOtherShapes) {
    const int r = AddMatrix(ws, "R", {{2, 1}, {0, 1}});
    const int two = AddMatrix(ws, "B2", {{1, 2}, {3, 4}});
    const int three = AddMatrix(ws, "B3", {{1}, {2}, {3}});
    ops.SubstituteMat(r, two);
    ops.SubstituteMat(r, three);
    EXPECT_EQ(messages.Take(),
              std::vector<std::string>(
                  2, "Sorry, this operation cannot be continued with these matrices."));
    EXPECT_EQ(ws.MatrixCount, 3);
}

TEST_F(Cholesky, ZeroOnTheDiagonalIsAFaultThatLeavesNoX) {
    const int r = AddMatrix(ws, "R", {{2, 1}, {0, 0}});
    const int b = AddMatrix(ws, "b", {{4}, {3}});
    ops.SubstituteMat(r, b);
    EXPECT_EQ(messages.Take(),
              std::vector<std::string>{"Sorry, unsufficient resources to complete operation."});
    EXPECT_EQ(ws.MatrixCount, 2);
}
} // namespace
