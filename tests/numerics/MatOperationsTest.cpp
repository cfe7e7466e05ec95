// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatOperations.h"
#include "MyString.h"
#include "RecordingMessages.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const std::string Limit =
    "Sorry, the maximum number of matrices in the software have already been allocated.";

class Operations : public ::testing::Test {
protected:
    GVar ws;
    RecordingMessages messages;
    MyString reader{messages};
    MatOperations ops{ws, messages};
};

TEST_F(Operations, AddSubtractMultiplyAndTransposeNameAndSizeTheirResults) {
    const int p = AddMatrix(ws, "P", {{1, 2, 3}, {4, 5, 6}});
    const int q = AddMatrix(ws, "Q", {{1, 0}, {0, 1}, {2, 2}});
    const int r = AddMatrix(ws, "R", {{1, 1, 1}, {1, 1, 1}});

    ops.AddMat(p, r);
    ops.SubtractMat(p, p);
    ops.MultiplyMat(p, q);
    ops.TransposeMat(p);
    ASSERT_TRUE(messages.shown.empty());
    ASSERT_EQ(ws.MatrixCount, 7);

    EXPECT_EQ(ws.Matrix(4).Name, "P+R");
    EXPECT_EQ(Block(ws.Matrix(4)), (Rows{{2, 3, 4}, {5, 6, 7}}));
    EXPECT_EQ(ws.Matrix(5).Name, "P-P");
    EXPECT_EQ(Block(ws.Matrix(5)), (Rows{{0, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(ws.Matrix(6).Name, "P*Q");
    EXPECT_EQ(Block(ws.Matrix(6)), (Rows{{7, 8}, {16, 17}}));
    EXPECT_EQ(ws.Matrix(7).Name, "Pt");
    EXPECT_EQ(Block(ws.Matrix(7)), (Rows{{1, 4}, {2, 5}, {3, 6}}));
    // Operands are never changed.
    EXPECT_EQ(Block(ws.Matrix(p)), (Rows{{1, 2, 3}, {4, 5, 6}}));
}

TEST_F(Operations, TransposeOfARowIsAColumnWithZerosAround) {
    const int p = AddMatrix(ws, "V", {{1, 2, 3, 4}});
    ops.TransposeMat(p);
    const TMatrixRec& t = ws.Matrix(2);
    EXPECT_EQ(t.Rows, 4);
    EXPECT_EQ(t.Cols, 1);
    for (int i = 1; i <= MaxDim; ++i)
        for (int j = 2; j <= MaxDim; ++j)
            ASSERT_EQ(t.At(i, j), 0.0);
}

TEST_F(Operations, NonConformableOperandsAreRefusedBeforeTheLimit) {
    const int p = AddMatrix(ws, "P", {{1, 2, 3}, {4, 5, 6}});
    const int q = AddMatrix(ws, "Q", {{1, 2}, {3, 4}, {5, 6}});
    FillTo(ws, 19);
    ops.AddMat(p, q);
    ops.SubtractMat(p, q);
    ops.MultiplyMat(p, p);
    EXPECT_EQ(messages.Take(), (std::vector<std::string>{
                                   "Error, arrays are not conformable for addition.",
                                   "Error, arrays are not conformable for subtraction.",
                                   "Error, arrays are not conformable for multiplication."}));
    ops.MultiplyMat(p, q);
    ops.TransposeMat(p);
    ops.AddMat(p, p);
    ops.SubtractMat(p, p);
    EXPECT_EQ(messages.Take(), std::vector<std::string>(4, Limit));
    EXPECT_EQ(ws.MatrixCount, 19);
}

TEST_F(Operations, ScaleFillsTheTwentiethSlotButNoMore) {
    FillTo(ws, 19);
    EXPECT_TRUE(ops.ScaleMatrix(1, "2", reader));
    EXPECT_EQ(ws.MatrixCount, 20);
    EXPECT_EQ(ws.Matrix(20).Name, "2*F1");
    EXPECT_TRUE(ops.ScaleMatrix(1, "2", reader));
    EXPECT_EQ(messages.Take(), std::vector<std::string>{Limit});
    EXPECT_EQ(ws.MatrixCount, 20);
}

TEST_F(Operations, ScaleNamesTheResultWithTheTextAsTyped) {
    const int m = AddMatrix(ws, "M", {{1, -2}});
    EXPECT_TRUE(ops.ScaleMatrix(m, " 3 \t", reader));
    EXPECT_EQ(ws.Matrix(2).Name, " 3 \t*M");
    EXPECT_EQ(Block(ws.Matrix(2)), (Rows{{3, -6}}));

    EXPECT_TRUE(ops.ScaleMatrix(m, "1.50000000000000000000000", reader));
    EXPECT_EQ(ws.Matrix(3).Name, "1.500000000000000000");  // cut to 20
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Operations, ScaleRefusesMoreThanOneNumber) {
    // "2,5" would otherwise scale by 2 under the name 2,5*M.
    const int m = AddMatrix(ws, "M", {{1}});
    for (const char* text : {"2,5", " 3 abc", "1.5, this is a long factor", "2 3", "2,"}) {
        EXPECT_FALSE(ops.ScaleMatrix(m, text, reader)) << text;
        EXPECT_EQ(messages.Take(), std::vector<std::string>{MatOperations::FactorMessage}) << text;
    }
    EXPECT_EQ(ws.MatrixCount, 1);
}

TEST_F(Operations, ScaleTextThatDoesNotReadCreatesNothing) {
    const int m = AddMatrix(ws, "M", {{1}});
    EXPECT_FALSE(ops.ScaleMatrix(m, "", reader));
    EXPECT_FALSE(ops.ScaleMatrix(m, "abc", reader));
    EXPECT_EQ(ws.MatrixCount, 1);
    const auto shown = messages.Take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Double expected in read\r\rProcessing Line : \rNo data on line.");
    EXPECT_EQ(shown[1], "Double expected in read\r\rProcessing Line : \rabc\r ^");
}

TEST_F(Operations, NamesAreCutToTwentyCharacters) {
    const int p = AddMatrix(ws, "ABCDEFGHIJKLMNOPQRST", {{1}});
    const int q = AddMatrix(ws, "Q", {{2}});
    const int m = AddMatrix(ws, "M", {{3}});
    ops.AddMat(p, q);
    ops.TransposeMat(p);
    ops.TransposeMat(m);
    ops.MultiplyMat(q, p);
    EXPECT_EQ(ws.Matrix(4).Name, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(ws.Matrix(5).Name, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(ws.Matrix(6).Name, "Mt");
    EXPECT_EQ(ws.Matrix(7).Name, "Q*ABCDEFGHIJKLMNOPQR");
}

// A fault shows the operation's message and leaves the workspace as it was.
struct FaultCase {
    const char* what;
    double a;
    double b;
    void (MatOperations::*operation)(int, int);
    const char* message;
};

class Faults : public Operations, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(Faults, LeaveNoResultBehind) {
    const FaultCase& c = GetParam();
    const int p = AddMatrix(ws, "P", {{1, c.a}});
    const int q = AddMatrix(ws, "Q", {{2, c.b}});
    const int qt = AddMatrix(ws, "Qt", {{2}, {c.b}});
    (ops.*c.operation)(p, c.operation == &MatOperations::MultiplyMat ? qt : q);
    EXPECT_EQ(messages.Take(), std::vector<std::string>{c.message});
    EXPECT_EQ(ws.MatrixCount, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Faults,
    ::testing::Values(
        FaultCase{"sum overflows", 1e308, 1e308, &MatOperations::AddMat,
                  "Sorry, unable to complete addition."},
        FaultCase{"difference overflows", 1e308, -1e308, &MatOperations::SubtractMat,
                  "Sorry, unable to complete subtraction."},
        FaultCase{"product overflows", 1e200, 1e200, &MatOperations::MultiplyMat,
                  "Sorry, unable to complete multiplication."}),
    CaseName());

TEST_F(Operations, RunningSumOverflowIsAFaultThoughEveryProductIsFinite) {
    const int p = AddMatrix(ws, "P", {{1e308, 1e308}});
    const int q = AddMatrix(ws, "Q", {{1}, {1}});
    ops.MultiplyMat(p, q);
    EXPECT_EQ(messages.Take(), std::vector<std::string>{"Sorry, unable to complete multiplication."});
    EXPECT_EQ(ws.MatrixCount, 2);
}

TEST_F(Operations, UnderflowIsNoFault) {
    const int p = AddMatrix(ws, "P", {{1e-200}});
    ops.MultiplyMat(p, p);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(ws.MatrixCount, 2);
    EXPECT_EQ(ws.Matrix(2).At(1, 1), 0.0);
}

TEST_F(Operations, ScaleOverflowGoesToTheGeneralReport) {
    const int p = AddMatrix(ws, "P", {{1, 1e300}});
    EXPECT_TRUE(ops.ScaleMatrix(p, "1e10", reader));
    EXPECT_EQ(messages.Take(), std::vector<std::string>{"Floating point overflow."});
    EXPECT_EQ(ws.MatrixCount, 1);
}
} // namespace
