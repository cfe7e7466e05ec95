// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EliminationWorkings.h"
#include "ExactMatrix.h"
#include "FormulaWorkings.h"
#include "MatOperations.h"
#include "MatrixFileReader.h"
#include "MyString.h"
#include "RecordingMessages.h"
#include "RowReduction.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text does not end with CR LF";
    return lines;
}

bool IsMatrixLine(const std::string& line) {
    return line.rfind("  ", 0) == 0;
}

// The matrix of the block starting at lines[at], read back as fractions.
ExactMatrix ReadBlock(const std::vector<std::string>& lines, std::size_t at) {
    std::vector<std::vector<mpq_class>> rows;
    for (; at < lines.size() && IsMatrixLine(lines[at]); ++at) {
        std::istringstream words(lines[at]);
        rows.emplace_back();
        for (std::string word; words >> word;)
            if (word != "|") {
                mpq_class value(word);
                value.canonicalize();
                rows.back().push_back(value);
            }
    }
    ExactMatrix m(static_cast<int>(rows.size()),
                  rows.empty() ? 0 : static_cast<int>(rows[0].size()));
    for (int i = 1; i <= m.Rows(); ++i)
        for (int j = 1; j <= m.Cols(); ++j)
            m.At(i, j) = rows[i - 1][j - 1];
    return m;
}

// The last matrix of a working: the block under its last "name:" line.
ExactMatrix LastMatrix(const std::string& text) {
    const std::vector<std::string> lines = Lines(text);
    for (std::size_t i = lines.size(); i-- > 1;)
        if (IsMatrixLine(lines[i]) && !IsMatrixLine(lines[i - 1]))
            return ReadBlock(lines, i);
    return ExactMatrix();
}

class Workings : public ::testing::Test {
protected:
    void ReadSystem() {
        MyString reader(messages);
        ASSERT_TRUE(MatrixFileReader(ws, reader, messages)
                        .ReadMatrixFile(std::string(ZENDRA_EXAMPLES) + "/system.dat"));
        ASSERT_EQ(ws.Matrix(1).Name, "A");
    }

    GVar ws;
    RecordingMessages messages;
    EliminationWorkings elimination{ws};
    FormulaWorkings formulas{ws};
};

TEST_F(Workings, OfTheExampleSystemEndInTheExactResult) {
    ReadSystem();
    const ExactMatrix A = ExactMatrix::FromRecord(ws.Matrix(1));
    const ExactMatrix inverse = LastMatrix(elimination.Invert(1));
    EXPECT_EQ(A * inverse, ExactMatrix::Identity(3));
    EXPECT_EQ(LastMatrix(elimination.Rref(1)), ExactMatrix::Identity(3));
    EXPECT_EQ(LastMatrix(elimination.Determinant(1)).At(1, 1), 188);
    EXPECT_EQ(LastMatrix(elimination.Rank(1)).At(1, 1), 3);
    EXPECT_NE(elimination.Invert(1).find("Check: A inv(A) = I holds exactly."), std::string::npos);

    const std::string cholesky = formulas.Cholesky(1);
    EXPECT_NE(cholesky.find("u23 = (a23 - u12*u13) / u22 = (4 - 1*(-1)) / 3 = 5/3\r\n"),
              std::string::npos);
    EXPECT_NE(
        cholesky.find("Chol(A):\r\n  2  1       -1\r\n  0  3      5/3\r\n  0  0  2.28522\r\n"),
        std::string::npos);
}

// Applies a row operation line, "R2 <- R2 - (3/2) R1" and the like.
void Apply(const std::string& operation, ExactMatrix& m) {
    std::istringstream words(operation);
    std::vector<std::string> w;
    for (std::string word; words >> word;)
        w.push_back(word);
    const auto row = [](const std::string& r) { return std::stoi(r.substr(1)); };
    const auto factor = [](std::string text) {
        if (text.front() == '(')
            text = text.substr(1, text.size() - 2);
        mpq_class value(text);
        value.canonicalize();
        return value;
    };
    const int target = row(w[0]);
    if (w[1] == "<->") {
        for (int j = 1; j <= m.Cols(); ++j)
            std::swap(m.At(target, j), m.At(row(w[2]), j));
    } else if (w.size() <= 4) {
        const mpq_class f = w.size() == 4 ? factor(w[2]) : mpq_class(1);
        for (int j = 1; j <= m.Cols(); ++j)
            m.At(target, j) *= f;
    } else {
        mpq_class f = w.size() == 6 ? factor(w[4]) : mpq_class(1);
        if (w[3] == "+")
            f = -f;
        const int source = row(w.back());
        for (int j = 1; j <= m.Cols(); ++j)
            m.At(target, j) -= f * m.At(source, j);
    }
}

// Every matrix shown is the one before it after the operation written
// above it, so a student can follow the working line by line.
TEST_F(Workings, ShowEachMatrixAsTheRowOperationLeavesIt) {
    std::mt19937_64 random(11);
    int operations = 0;
    for (int k = 0; k < 40; ++k) {
        ws.Clear();
        const int n = 2 + static_cast<int>(random() % 4);
        TMatrixRec& a = ws.AppendNew();
        a.SetName("A");
        a.Rows = a.Cols = static_cast<std::uint8_t>(n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                a.At(i, j) = static_cast<double>(random() % 5) - 2;
        for (const std::string& text : {elimination.Invert(1), elimination.Rref(1),
                                        elimination.Determinant(1), elimination.Rank(1)}) {
            const std::vector<std::string> lines = Lines(text);
            ExactMatrix current;
            for (std::size_t i = 1; i < lines.size(); ++i) {
                if (!IsMatrixLine(lines[i]) || IsMatrixLine(lines[i - 1]))
                    continue;
                const std::string& above = lines[i - 1];
                if (above.rfind("R", 0) == 0) {
                    Apply(above, current);
                    ++operations;
                    ASSERT_EQ(ReadBlock(lines, i), current) << text;
                } else if (current.Rows() == 0) {
                    current = ReadBlock(lines, i); // the starting matrix
                }
            }
        }
    }
    EXPECT_GT(operations, 500);
}

TEST_F(Workings, OfLargeMatricesListOnlyTheOperationsAndTheResult) {
    TMatrixRec& a = ws.AppendNew();
    a.SetName("L");
    a.Rows = a.Cols = 11;
    for (int i = 1; i <= 11; ++i)
        for (int j = 1; j <= 11; ++j)
            a.At(i, j) = i == j ? 2 : (i + j) % 3;
    const std::string text = elimination.Rref(1);
    std::size_t blocks = 0;
    const std::vector<std::string> lines = Lines(text);
    for (std::size_t i = 1; i < lines.size(); ++i)
        blocks += IsMatrixLine(lines[i]) && !IsMatrixLine(lines[i - 1]);
    EXPECT_EQ(blocks, 1u);
    EXPECT_NE(text.find("R1 <- (1/2) R1\r\nR3 <- R3 - R1\r\n"), std::string::npos);
    EXPECT_EQ(LastMatrix(text), RowReduction::Rref(ExactMatrix::FromRecord(a)));
}

struct FailureCase {
    const char* what;
    Rows a;
    Rows b; // second operand, or none
    std::string (*working)(const GVar&);
    const char* says;
};

class Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failures, StopWhereTheOperationFailsAndSayWhy) {
    GVar ws;
    AddRows(ws, "A", GetParam().a);
    if (!GetParam().b.empty())
        AddRows(ws, "b", GetParam().b);
    const std::string text = GetParam().working(ws);
    EXPECT_NE(text.find(GetParam().says), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Failures,
    ::testing::Values(
        FailureCase{"singular inverse",
                    {{1, 2}, {2, 4}},
                    {},
                    [](const GVar& w) { return EliminationWorkings(w).Invert(1); },
                    "Column 2 has no non-zero entry at or below row 2 of the left block: A is "
                    "singular and has no inverse.\r\nThe workspace's Invert refuses A: "
                    "\"Error: Singular matrix -- cannot compute approximations.\"\r\n"},
        FailureCase{"singular as read",
                    {{1, 2}, {3, 6.0000000000001}},
                    {},
                    [](const GVar& w) { return EliminationWorkings(w).Invert(1); },
                    "  3  6  |  0  1\r\n1 value of A is read as the simple fraction within a "
                    "relative 1e-12 of it:\r\n  (2, 2) 6.0000000000001 is read as 6\r\n\r\n"},
        FailureCase{"stored though not positive definite",
                    {{1, 3.0 / 7}, {3.0 / 7, 9.0 / 49}},
                    {},
                    [](const GVar& w) { return FormulaWorkings(w).Cholesky(1); },
                    "sqrt(9/49 - (3/7)^2) = sqrt(0)\r\nThe number under the square root, 0, is "
                    "not positive: A is not positive definite, so it has no Cholesky "
                    "decomposition.\r\nIn floating point, rounding gives a positive number "
                    "there, and the workspace's Cholesky nevertheless stores a result, "
                    "Chol(A).\r\n"},
        FailureCase{"determinant beyond the doubles",
                    {{1e300, 0}, {0, 1e300}},
                    {},
                    [](const GVar& w) { return EliminationWorkings(w).Determinant(1); },
                    "(601 digits)\r\ndet(A) is beyond the range of a double: nothing is stored "
                    "in the workspace (\"Sorry, the exact result is too large to be stored as "
                    "a double.\").\r\n"},
        FailureCase{"inverse of a wide matrix",
                    {{1, 2, 3}},
                    {},
                    [](const GVar& w) { return EliminationWorkings(w).Invert(1); },
                    "A is not square"},
        FailureCase{"singular determinant",
                    {{1, 2}, {2, 4}},
                    {},
                    [](const GVar& w) { return EliminationWorkings(w).Determinant(1); },
                    "A is singular, so det(A) = 0.\r\n\r\ndet(A):\r\n  0\r\n"},
        FailureCase{"not positive definite",
                    {{1, 2}, {2, 1}},
                    {},
                    [](const GVar& w) { return FormulaWorkings(w).Cholesky(1); },
                    "u22 = sqrt(a22 - u12^2) = sqrt(1 - 2^2) = sqrt(-3)\r\nThe number under "
                    "the square root, -3, is not positive: A is not positive definite"},
        FailureCase{"zero on the diagonal",
                    {{0, 1}, {0, 1}},
                    {{1}, {2}},
                    [](const GVar& w) { return FormulaWorkings(w).Substitution(1, 2); },
                    "r11 is 0: R is singular"},
        FailureCase{"column of the wrong length",
                    {{2, 1}, {0, 1}},
                    {{1}, {2}, {3}},
                    [](const GVar& w) { return FormulaWorkings(w).Substitution(1, 2); },
                    "b must be one column with as many rows as R has columns (2); it is 3 x 1."},
        FailureCase{"product of misfits",
                    {{1, 2}},
                    {{1, 2}},
                    [](const GVar& w) { return FormulaWorkings(w).Multiply(1, 2); },
                    "as many columns in A as rows in b: 2 and 1 differ."}),
    CaseName());

TEST_F(Workings, OfSubstitutionAgreeWithTheWorkspace) {
    ReadSystem();
    MatOperations ops(ws, messages);
    ops.CholeskyMat(1);
    ops.SubstituteMat(3, 2);
    const std::vector<std::string> lines = Lines(formulas.Substitution(3, 2));
    ASSERT_EQ(lines[lines.size() - 4], "X:");
    for (int i = 1; i <= 3; ++i)
        EXPECT_NEAR(std::stod(lines[lines.size() - 4 + i]), ws.Matrix(4).At(i, 1), 1e-5);
}

TEST_F(Workings, OfProductsOnlyUpToSixBySix) {
    AddMatrix(ws, "P", {{0.5, -1}, {2, 1.0 / 3}});
    EXPECT_EQ(formulas.Multiply(1, 1), "Product P*P of P (2 x 2) and P (2 x 2)\r\n"
                                       "cij is row i of P times column j of P.\r\n"
                                       "Numbers are exact fractions where they can be, else "
                                       "shown with 5 decimals (at least 5 significant digits) after a \"~\" where "
                                       "rounded.\r\n\r\n"
                                       "c11 = (1/2)*(1/2) + (-1)*2 = 1/4 - 2 = -7/4\r\n"
                                       "c12 = (1/2)*(-1) + (-1)*(1/3) = -1/2 - 1/3 = -5/6\r\n"
                                       "c21 = 2*(1/2) + (1/3)*2 = 1 + 2/3 = 5/3\r\n"
                                       "c22 = 2*(-1) + (1/3)*(1/3) = -2 + 1/9 = -17/9\r\n\r\n"
                                       "P*P:\r\n  -7/4   -5/6\r\n   5/3  -17/9\r\n");
    ws.Clear();
    TMatrixRec& big = ws.AppendNew();
    big.Rows = big.Cols = 7;
    EXPECT_EQ(formulas.Multiply(1, 1), "");
    EXPECT_EQ(formulas.Multiply(1, 2), "");
}
} // namespace
