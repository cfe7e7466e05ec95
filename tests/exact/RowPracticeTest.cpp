// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RowOperationReader.h"
#include "RowPractice.h"
#include "RowReduction.h"

#include <gtest/gtest.h>

#include <random>

namespace {
// What a typed operation reads as, in the workings' own spelling, or the
// start of its refusal; rows 1 to 3.
struct Reading {
    const char* typed;
    const char* read;    // Operation::Text(), or "" for a refusal
    const char* refusal; // the refusal's first words
};

const Reading Readings[] = {
    {"R2 <- R2 - (3/2) R1", "R2 <- R2 - (3/2) R1", ""},
    {"R1 <-> R3", "R1 <-> R3", ""},
    {"R1 <- (1/2) R1", "R1 <- (1/2) R1", ""},
    {"R2 - 3R1 -> R2", "R2 <- R2 - 3 R1", ""},
    {"R2 = R2 - 3 R1", "R2 <- R2 - 3 R1", ""},
    {"-2R1 + R2 -> R2", "R2 <- R2 - 2 R1", ""},
    {"swap R1 R3", "R1 <-> R3", ""},
    {"Swap r1, r3", "R1 <-> R3", ""},
    {"R1 / 2", "R1 <- (1/2) R1", ""},
    {"r3/-4", "R3 <- (-1/4) R3", ""},
    {"R2 <- R2 + 0.25 R3", "R2 <- R2 + (1/4) R3", ""},
    {"R2 <- R2 + .5*R3", "R2 <- R2 + (1/2) R3", ""},
    {"R3 <- R3 - 3/2 R1", "R3 <- R3 - (3/2) R1", ""},
    {"R1 <- -R1", "R1 <- (-1) R1", ""},
    {"R3 = R1*2 + R3", "R3 <- R3 + 2 R1", ""},
    {"R1 <- 0 R1", "", "multiplying a row by 0 is not a row operation"},
    {"R1 <- R1 + 2 R1", "", "adding a multiple of a row to itself"},
    {"R4 <- R4 - R1", "", "there is no row 4: the matrix has rows 1 to 3"},
    {"swap R1 R0", "", "there is no row 0"},
    {"R1 <- (1/0) R1", "", "the factor does not read: division by 0"},
    {"R1 <- R1 + x R2", "", "cannot read an operation from \"x R2\" (character 12)"},
    {"R2 <- 2 R2 - R1", "", "that scales R2 and adds another row at once"},
    {"R2 <- R1", "", "the new R2 must keep R2"},
    {"R2 <- R2 + R1 + R3", "", "one row operation adds a multiple of one row to another"},
    {"R2 <- R2 + 1", "", "a row operation adds rows, not numbers"},
    {"R1 * R2", "", "a row times a row"},
    {"", "", "no operation"},
    {"R1 <- R1", "", "R1 stays as it is"},
    {"R2 <- R2 - 1.2.3 R1", "", "cannot read an operation from \".3 R1\""},
    {"R2 <- R2 - --3 R1", "", "cannot read an operation from \"-3 R1\""},
    {"R2 <- R2 - -3 R1", "R2 <- R2 + 3 R1", ""},
};

TEST(RowOperationReader, ReadsTheFormsStudentsWrite) {
    for (const Reading& r : Readings) {
        const RowOperationReader::Result result = RowOperationReader::Read(r.typed, 3);
        if (*r.read != '\0') {
            ASSERT_TRUE(result.ok) << r.typed << ": " << result.error;
            EXPECT_EQ(result.operation.Text(), r.read) << r.typed;
        } else {
            ASSERT_FALSE(result.ok) << r.typed;
            EXPECT_EQ(result.error.rfind(r.refusal, 0), 0u) << r.typed << ": " << result.error;
        }
    }
}

ExactMatrix randomMatrix(std::mt19937& random, int rows, int cols) {
    ExactMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            m.At(i, j) = mpq_class(static_cast<long>(random() % 9) - 4,
                                   1 + static_cast<long>(random() % 3));
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            m.At(i, j).canonicalize();
    return m;
}

// Random sequences of operations: undoing each step returns the starting
// matrix exactly, redoing them all the reached one; from any matrix, the
// hints reach its reduced row echelon form, in at most as many steps as
// the worked reduction of the start takes, and the status agrees.
TEST(RowPracticeProperty, UndoRestoresAndHintsReachTheReducedForm) {
    std::mt19937 random(21);
    for (int round = 0; round < 1000; ++round) {
        const int rows = 1 + static_cast<int>(random() % 4);
        const int cols = 1 + static_cast<int>(random() % 5);
        const ExactMatrix start = randomMatrix(random, rows, cols);
        RowPractice practice(start, 0, "A");
        const int steps = static_cast<int>(random() % 6);
        for (int k = 0; k < steps; ++k) {
            HandElimination::Operation op;
            op.kind = static_cast<HandElimination::Operation::Kind>(random() % 3);
            op.target = 1 + static_cast<int>(random() % rows);
            op.source = 1 + static_cast<int>(random() % rows);
            op.factor = mpq_class(1 + static_cast<long>(random() % 5), 1 + static_cast<long>(random() % 3));
            op.factor.canonicalize();
            practice.Apply(op); // refusals (a row onto itself) change nothing
        }
        const ExactMatrix reached = practice.Current();
        const std::size_t made = practice.Operations().size();
        while (practice.CanUndo())
            practice.Undo();
        ASSERT_EQ(practice.Current(), start) << round;
        for (std::size_t k = 0; k < made; ++k)
            practice.Redo();
        ASSERT_EQ(practice.Current(), reached) << round;

        // The hints from where the student stands.
        RowPractice fromHere(reached, 0, "B");
        int hinted = 0;
        for (std::string hint = fromHere.Hint(); !hint.empty(); hint = fromHere.Hint()) {
            ASSERT_EQ(fromHere.Apply(hint), "") << round << ": " << hint;
            ASSERT_LE(++hinted, rows * (rows + 2)) << round;
        }
        ASSERT_EQ(fromHere.Current(), RowReduction::Rref(reached)) << round;
        ASSERT_EQ(fromHere.Status(), "In reduced row echelon form.") << round;
        ASSERT_EQ(RowPractice(start, 0, "A").Reduced(), start == RowReduction::Rref(start));
    }
}

// The first thing in the way, in words.
TEST(RowPracticeStatus, SaysWhatStandsInTheWay) {
    const std::vector<std::pair<std::vector<std::vector<long>>, std::string>> table = {
        {{{1, 2}, {0, 1}}, "In row echelon form, not reduced: column 2: entry (1, 2) is not 0 "
                           "above the pivot in row 2."},
        {{{2, 0}, {0, 1}}, "In row echelon form, not reduced: the pivot (1, 1) is 2, not 1."},
        {{{1, 0}, {3, 1}}, "Not in row echelon form: column 1: entry (2, 1) is not 0 below the "
                           "pivot in row 1."},
        {{{0, 1}, {1, 0}}, "Not in row echelon form: column 1: entry (2, 1) is not 0 below row "
                           "1, whose entry (1, 1) is 0."},
        {{{0, 0}, {0, 0}}, "In reduced row echelon form."},
        {{{1, 0, 5}, {0, 0, 0}}, "In reduced row echelon form."},
    };
    for (const auto& [rows, status] : table) {
        ExactMatrix m(static_cast<int>(rows.size()), static_cast<int>(rows[0].size()));
        for (int i = 1; i <= m.Rows(); ++i)
            for (int j = 1; j <= m.Cols(); ++j)
                m.At(i, j) = rows[i - 1][j - 1];
        EXPECT_EQ(RowPractice(m, 0, "A").Status(), status);
    }
    // [A | b]: the column of b never holds a pivot.
    ExactMatrix ab(2, 3);
    ab.At(1, 1) = 1;
    ab.At(2, 3) = 1;
    EXPECT_EQ(RowPractice(ab, 2, "[A | b]").Status(), "In reduced row echelon form.");
    EXPECT_EQ(RowPractice(ab, 2, "[A | b]").Hint(), "");
}
} // namespace
