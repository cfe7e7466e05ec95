// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixListing.h"
#include "MyString.h"
#include "RecordingMessages.h"
#include "TestFiles.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

class ListingTest : public ::testing::Test {
protected:
    std::string View(int D, std::initializer_list<std::initializer_list<double>> rows) {
        GVar w;
        w.DecimalPlaces = D;
        AddMatrix(w, "M", rows);
        return MatrixListing(w, messages).ViewText(1);
    }
    std::string List(const std::vector<int>& slots) {
        MatrixListing listing(ws, messages);
        EXPECT_TRUE(listing.Create(path));
        EXPECT_TRUE(listing.Finish(slots));
        return ReadBytes(path);
    }

    GVar ws;
    RecordingMessages messages;
    TempDir dir;
    std::string path = dir.File("answers.out");
};

TEST_F(ListingTest, WorkedExampleInViewAndListing) {
    ws.HeaderLine = "Exercise 3";
    ws.DecimalPlaces = 2;
    AddMatrix(ws, "A", {{1, -2.5}, {1234.5, 0}});
    EXPECT_EQ(MatrixListing(ws, messages).ViewText(1),
              "A\r\n2, 2\r\n     1.00     -2.50 \r\n 1,234.50      0.00 \r\n");
    EXPECT_EQ(List({1}), "Exercise 3\r\n\r\nA\r\n2, 2\r\n      1.00     -2.50\r\n"
                         "  1,234.50      0.00\r\n\r\n");
}

TEST_F(ListingTest, ViewWidths) {
    // All zeros: D + 5.
    EXPECT_EQ(View(5, {{0, 0}, {0, 0}}), "M\r\n2, 2\r\n   0.00000    0.00000 \r\n"
                                         "   0.00000    0.00000 \r\n");
    // No decimals: rounded integers without a point.
    EXPECT_EQ(View(0, {{2.5, -1234.4}}), "M\r\n1, 2\r\n      3  -1,234 \r\n");
    EXPECT_EQ(View(2, {{0.5, -0.25}}), "M\r\n1, 2\r\n  0.50  -0.25 \r\n");
    // Magnitudes so small that the width would vanish still give readable fields.
    EXPECT_EQ(View(2, {{3e-7, -1e-9}}), "M\r\n1, 2\r\n 0.00 -0.00 \r\n");
    EXPECT_EQ(View(2, {{1e-300}}), "M\r\n1, 1\r\n 0.00 \r\n");
}

TEST_F(ListingTest, ListingWidthsAndOrder) {
    ws.DecimalPlaces = 5;
    AddMatrix(ws, "Zero", {{0, 0}});
    AddMatrix(ws, "Half", {{0.5}});
    // D + 4 for magnitudes up to 1; chosen slots come out in slot order, once.
    EXPECT_EQ(List({2, 1, 2}), "\r\n\r\nZero\r\n1, 2\r\n   0.00000   0.00000\r\n\r\n"
                               "Half\r\n1, 1\r\n   0.50000\r\n\r\n");
}

TEST_F(ListingTest, CancelledSelectionLeavesHeaderAndEmptyLine) {
    ws.HeaderLine = "Only the header";
    AddMatrix(ws, "A", {{1}});
    EXPECT_EQ(List({}), "Only the header\r\n\r\n");
}

TEST_F(ListingTest, ReportsAFileThatCannotBeCreated) {
    MatrixListing listing(ws, messages);
    const std::string bad = dir.File("missing/answers.out");
    EXPECT_FALSE(listing.Create(bad));
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the listing file \"" + bad +
                                     "\" cannot be created: No such file or directory."});
    EXPECT_FALSE(listing.Finish({}));
}

TEST(ListingPath, AddsOutOnlyWhenThereIsNoDot) {
    EXPECT_EQ(MatrixListing::ListingPath("results"), "results.out");
    EXPECT_EQ(MatrixListing::ListingPath("/tmp/results"), "/tmp/results.out");
    EXPECT_EQ(MatrixListing::ListingPath("results.txt"), "results.txt");
    EXPECT_EQ(MatrixListing::ListingPath("week.3/results"), "week.3/results");
}

TEST(DecimalPlaces, ReadFromTheOptionsField) {
    struct Case {
        const char* text;
        bool accepted;
        std::int32_t decimals;
        const char* message;
    };
    const char* const range = "Please enter a number of decimal places from 0 to 99.";
    for (const Case& c :
         {Case{"7", true, 7, nullptr}, Case{" 0 ", true, 0, nullptr}, Case{"99", true, 99, nullptr},
          Case{"", false, 5, "Integer expected in read\r\rProcessing Line : \rNo data on line."},
          Case{"+", false, 5, "Integer expected in read\r\rProcessing Line : \r+\r ^"},
          Case{"-1", false, 5, range}, Case{"100", false, 5, range}}) {
        RecordingMessages messages;
        MyString reader(messages);
        std::int32_t decimals = 5;
        EXPECT_EQ(MatrixListing::ReadDecimalPlaces(reader, messages, c.text, decimals), c.accepted)
            << c.text;
        EXPECT_EQ(decimals, c.decimals) << c.text;
        EXPECT_EQ(messages.Take(), c.message ? Texts{c.message} : Texts{}) << c.text;
    }
}
} // namespace
