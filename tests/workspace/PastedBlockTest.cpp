// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PastedBlock.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// The grid as "rows x cols: a|b / c|d", or the outcome when there is none.
std::string Shown(const std::string& text) {
    const PastedBlock block = PastedBlock::Split(text);
    if (block.Result == PastedBlock::Outcome::Empty)
        return "empty";
    std::string shown = std::to_string(block.Rows) + " x " + std::to_string(block.Cols);
    if (block.Result == PastedBlock::Outcome::TooLarge)
        return shown + " too large";
    for (int i = 1; i <= block.Rows; ++i)
        for (int j = 1; j <= block.Cols; ++j)
            shown += (j == 1 ? (i == 1 ? ": " : " / ") : "|") + block.At(i, j);
    return shown;
}

std::string Lines(int rows, const std::string& row) {
    std::string text;
    for (int i = 0; i < rows; ++i)
        text += row + "\n";
    return text;
}

struct BlockCase {
    const char* what;
    std::string text;
    std::string expected;
};

class Block : public ::testing::TestWithParam<BlockCase> {};

TEST_P(Block, CutsIntoCells) {
    EXPECT_EQ(Shown(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Block,
    ::testing::Values(BlockCase{"spreadsheet, CR LF", "1\t2\r\n3\t4\r\n", "2 x 2: 1|2 / 3|4"},
                      BlockCase{"tabs keep empty cells", "1\t\t3\n\t5\t\n", "2 x 3: 1||3 / |5|"},
                      BlockCase{"tabbed cells trimmed, not split", " 1 \t2 3\r", "1 x 2: 1|2 3"},
                      BlockCase{"lone CR line ends", "1 2\r3 4\r", "2 x 2: 1|2 / 3|4"},
                      BlockCase{"semicolon export", "1;2,5\n3 ; 4", "2 x 2: 1|2,5 / 3|4"},
                      BlockCase{"data-file rows", "  1, 2 ,,3\n4 5 6", "2 x 3: 1|2|3 / 4|5|6"},
                      BlockCase{"ragged rows padded", "1 2 3\n4\n5 6", "3 x 3: 1|2|3 / 4|| / 5|6|"},
                      BlockCase{"empty lines around", "\n \n1/2 -3\n\t\n\n", "1 x 2: 1/2|-3"},
                      BlockCase{"empty line between rows", "1 2\n\n3 4", "3 x 2: 1|2 / | / 3|4"},
                      BlockCase{"brackets, semicolon rows", "[1 2; 3 4]", "2 x 2: 1|2 / 3|4"},
                      BlockCase{"nested brackets", "[[1, 2], [3, 4]]", "2 x 2: 1|2 / 3|4"},
                      BlockCase{"printed array", "[[1. 2.]\n [3. 4.]]\n", "2 x 2: 1.|2. / 3.|4."},
                      BlockCase{"brackets over lines", " [1 2\n  3 4 ]", "2 x 2: 1|2 / 3|4"},
                      BlockCase{"Octave header", "A =\n\n   1   2\n  -3   4\n\n", "2 x 2: 1|2 / -3|4"},
                      BlockCase{"assignment", "B = [1 2; 3 4];", "2 x 2: 1|2 / 3|4"},
                      BlockCase{"NumPy array", "array([[ 1. ,  2.5],\n       [-3. ,  4. ]])",
                                "2 x 2: 1.|2.5 / -3.|4."},
                      BlockCase{"NumPy dtype", "array([[1, 2]], dtype=int8)", "1 x 2: 1|2"},
                      BlockCase{"a comparison is no header", "a == 1", "1 x 3: a|==|1"},
                      BlockCase{"a word is no call", "x (1 2)", "1 x 3: x|(1|2)"},
                      BlockCase{"text kept for the cell to refuse", "a b\n1 x", "2 x 2: a|b / 1|x"},
                      BlockCase{"nothing", " \r\n\t\n", "empty"},
                      BlockCase{"empty brackets", "[ ]", "empty"},
                      BlockCase{"51 rows", Lines(51, "1 2"), "51 x 2 too large"},
                      BlockCase{"51 columns", Lines(2, "1" + std::string(50, '\t')),
                                "2 x 51 too large"}));

TEST(Block, HoldsFiftyByFifty) {
    std::string row = "1";
    for (int j = 2; j <= 50; ++j)
        row += "\t" + std::to_string(j);
    const PastedBlock block = PastedBlock::Split(Lines(50, row));
    ASSERT_EQ(block.Result, PastedBlock::Outcome::Read);
    EXPECT_EQ(block.Rows, 50);
    EXPECT_EQ(block.Cols, 50);
    EXPECT_EQ(block.At(50, 50), "50");
}
} // namespace
