// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatOperations.h"
#include "RecordingMessages.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

namespace {
const std::string Singular = "Error: Singular matrix -- cannot compute approximations.";
const std::string Unstable = "Error, could not resolve initial approximations. Matrix is unstable.";
const std::string Fault = "Sorry, the maximum memory allocation already exist.";

class Inversion : public ::testing::Test {
protected:
    GVar ws;
    RecordingMessages messages;
    MatOperations ops{ws, messages};
};

struct InverseCase {
    const char* what;
    Rows a;
    Rows inverse;
};

class Inverses : public Inversion, public ::testing::WithParamInterface<InverseCase> {};

TEST_P(Inverses, AreExact) {
    const InverseCase& c = GetParam();
    AddRows(ws, "P", c.a);
    ops.InvertMat(1);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(ws.MatrixCount, 2);
    EXPECT_EQ(ws.Matrix(2).Name, "inv(P)");
    EXPECT_EQ(Block(ws.Matrix(2)), c.inverse);
}

INSTANTIATE_TEST_SUITE_P(
    Inversion, Inverses,
    ::testing::Values(InverseCase{"one by one", {{4}}, {{0.25}}},
                      InverseCase{"two by two", {{2, 1}, {1, 1}}, {{1, -1}, {-1, 2}}},
                      // The first pivot is found off the diagonal: rows are
                      // interchanged and the columns exchanged back at the end.
                      InverseCase{"pivot off the diagonal", {{0, 2}, {4, 0}}, {{0, 0.25}, {0.5, 0}}},
                      InverseCase{"identity", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                                  {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
                      InverseCase{"permutation", {{0, 0, 2}, {0, 4, 0}, {8, 0, 0}},
                                  {{0, 0, 0.125}, {0, 0.25, 0}, {0.5, 0, 0}}}),
    CaseName());

TEST_F(Inversion, InverseOfAnInverseNamesBoth) {
    AddMatrix(ws, "P", {{4}});
    ops.InvertMat(1);
    ops.InvertMat(2);
    EXPECT_EQ(ws.Matrix(3).Name, "inv(inv(P))");
    EXPECT_EQ(ws.Matrix(3).At(1, 1), 4.0);
}

struct RefusalCase {
    const char* what;
    Rows a;
    std::string message;
};

class Refusals : public Inversion, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, LeaveTheWorkspaceAsItWas) {
    const RefusalCase& c = GetParam();
    AddRows(ws, "S", c.a);
    ops.InvertMat(1);
    EXPECT_EQ(messages.Take(), std::vector<std::string>{c.message});
    EXPECT_EQ(ws.MatrixCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Inversion, Refusals,
    ::testing::Values(
        RefusalCase{"not square", {{1, 2, 3}, {4, 5, 6}}, "Error, matrix must be square for this operation."},
        // The last step repeats a pivot: only the final count check sees it.
        RefusalCase{"singular two by two", {{1, 2}, {2, 4}}, Unstable},
        // A repeated pivot meets the next step's search.
        RefusalCase{"singular three by three", {{1, 2, 4}, {2, 4, 8}, {4, 8, 16}}, Singular},
        RefusalCase{"zero matrix", {{0, 0}, {0, 0}}, Singular},
        RefusalCase{"one by one zero", {{0}}, Singular},
        // The repeated pivot divides by zero: a fault, and the partly computed
        // result goes again.
        RefusalCase{"division by a zero pivot", {{0, 1}, {0, 0}}, Fault},
        RefusalCase{"overflow", {{1e-310, 0}, {0, 1e-310}}, Fault},
        // Overflows in the row update rather than the pivot division.
        RefusalCase{"update overflows in the first step", {{1e308, 1e308}, {-1e308, 1e308}}, Fault},
        RefusalCase{"update overflows in the third step",
                    {{2, 1e300, 1e150}, {0, 1e-200, 1e-250}, {0, 1e-160, 0}}, Fault},
        RefusalCase{"update overflows in a repeated step", {{1e-200, 1e-55}, {0, 1e-309}}, Fault}),
    CaseName());

TEST_F(Inversion, WithNineteenMatricesSquarenessIsCheckedFirst) {
    AddMatrix(ws, "N", {{1, 2}});
    AddMatrix(ws, "S", {{2}});
    FillTo(ws, 19);
    ops.InvertMat(1);
    ops.InvertMat(2);
    EXPECT_EQ(messages.Take(), (std::vector<std::string>{
                                   "Error, matrix must be square for this operation.",
                                   "Sorry, the maximum number of matrices in the software have "
                                   "already been allocated."}));
    EXPECT_EQ(ws.MatrixCount, 19);
}

TEST_F(Inversion, KeepsTheValuesOutsideTheBlock) {
    AddMatrix(ws, "P", {{2}});
    ws.Matrix(1).At(50, 50) = 7.0;
    ops.InvertMat(1);
    EXPECT_EQ(ws.Matrix(2).At(50, 50), 7.0);
}
} // namespace
