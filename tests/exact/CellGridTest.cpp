// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CellGrid.h"

#include "CellText.h"
#include "GVar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>

namespace {

TEST(CellGrid, AFullGridReadsIntoANamedRecord) {
    const CellGrid::Reading r = CellGrid::Read("a name longer than twenty", 2, 3,
                                               {"1", " -1/4 ", "2.5E1", "0", "7/1", "-3"});
    ASSERT_TRUE(r.Record);
    EXPECT_TRUE(r.Bad.empty());
    EXPECT_EQ(r.Record->Name, "a name longer than t");
    EXPECT_EQ(r.Record->Rows, 2);
    EXPECT_EQ(r.Record->Cols, 3);
    EXPECT_EQ(r.Record->At(1, 2), -0.25);
    EXPECT_EQ(r.Record->At(1, 3), 25.0);
    EXPECT_EQ(r.Record->At(2, 3), -3.0);
}

TEST(CellGrid, EveryBadCellIsFoundAndTheFirstNamed) {
    struct Case {
        std::vector<std::string> texts;
        std::vector<std::pair<int, int>> bad;
        std::string message;
    };
    const std::string notValue = "\", which is not a value: type a number, or a fraction p/q with "
                                 "q > 0, within the range of doubles.";
    const Case cases[] = {
        {{"1", "  ", "3", "4"}, {{1, 2}}, "Row 1, column 2 is empty: every cell needs a value."},
        {{"1", "2", "1/0", "x"},
         {{2, 1}, {2, 2}},
         "Row 2, column 1 holds \"1/0" + notValue + "\r1 other cell is marked as well."},
        {{"", "", "", "1e999"},
         {{1, 1}, {1, 2}, {2, 1}, {2, 2}},
         "Row 1, column 1 is empty: every cell needs a value.\r3 other cells are marked as well."},
    };
    for (const Case& c : cases) {
        const CellGrid::Reading r = CellGrid::Read("A", 2, 2, c.texts);
        EXPECT_FALSE(r.Record);
        std::vector<std::pair<int, int>> bad;
        for (const CellGrid::Cell& cell : r.Bad)
            bad.emplace_back(cell.Row, cell.Col);
        EXPECT_EQ(bad, c.bad) << c.message;
        EXPECT_EQ(r.Message, c.message);
    }
}

TEST(CellGrid, TextsReadBackToTheSameValuesOrShowFractions) {
    TMatrixRec m;
    m.Rows = 1;
    m.Cols = 4;
    m.At(1, 1) = 0.1;
    m.At(1, 2) = std::nextafter(2.0 / 3.0, 1.0);
    m.At(1, 3) = -0.0;
    m.At(1, 4) = std::sqrt(2.0);
    const std::vector<std::string> plain = CellGrid::Texts(m, false);
    EXPECT_EQ(plain,
              (std::vector<std::string>{"0.1", "0.6666666666666667", "-0", "1.4142135623730951"}));
    const CellGrid::Reading back = CellGrid::Read("", 1, 4, plain);
    ASSERT_TRUE(back.Record);
    for (int j = 1; j <= 4; ++j)
        EXPECT_EQ(std::memcmp(&back.Record->At(1, j), &m.At(1, j), sizeof(double)), 0) << j;
    EXPECT_EQ(CellGrid::Texts(m, true),
              (std::vector<std::string>{"1/10", "2/3", "0", "1.4142135623730951"}));
}

// Values whose fractions stand for a neighbouring double: shown as
// fractions or not, cells with a kept value give back every bit, and a cell
// without one reads its own text.
TEST(CellGrid, KeptValuesComeBackBitForBitWhateverTheirTexts) {
    TMatrixRec m;
    m.Rows = 2;
    m.Cols = 2;
    m.At(1, 1) = 0.39361702127659570;            // 37/94 reads as ...576
    m.At(1, 2) = 0.1 + 0.2;                      // 3/10 reads as 0.3
    m.At(2, 1) = std::nextafter(1.0 / 3.0, 0.0); // 1/3 reads as ...333
    m.At(2, 2) = -2.5;
    const std::vector<std::optional<double>> kept = {m.At(1, 1), m.At(1, 2), m.At(2, 1),
                                                     std::nullopt};
    for (const bool fractions : {false, true}) {
        const std::vector<std::string> texts = CellGrid::Texts(m, fractions);
        const CellGrid::Reading r = CellGrid::Read("A", 2, 2, texts, kept);
        ASSERT_TRUE(r.Record);
        for (int k = 0; k < 4; ++k) {
            const double got = r.Record->At(k / 2 + 1, k % 2 + 1);
            const double want = m.At(k / 2 + 1, k % 2 + 1);
            EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << fractions << " " << texts[k];
            if (fractions && k < 3) { // the text alone would not do
                EXPECT_NE(CellText::Read(texts[k]), want) << texts[k];
            }
        }
    }
}

TEST(CellGrid, ABlockWithoutRoomSaysWhy) {
    EXPECT_EQ(CellGrid::NoRoomMessage(51, 2, 1, 1),
              "The pasted block has 51 rows and 2 columns: a matrix has at most 50 rows and 50 "
              "columns. Nothing was pasted.");
    EXPECT_EQ(CellGrid::NoRoomMessage(3, 10, 2, 45),
              "The pasted block has 3 rows and 10 columns, too many to fit from row 2, column 45: "
              "a matrix has at most 50 rows and 50 columns. Nothing was pasted.");
}

} // namespace
