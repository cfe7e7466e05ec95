// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FractionListing.h"
#include "MatrixListing.h"
#include "RecordingMessages.h"
#include "TestFiles.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
TEST(FractionView, AlignsEachColumnToItsWidestEntry) {
    GVar ws;
    ws.DecimalPlaces = 2;
    AddMatrix(ws, "M", {{0.5, -2, 1.0 / 3}, {1234.5, std::sqrt(2.0), -0.0}});
    EXPECT_EQ(FractionListing(ws).ViewText(1), "M\r\n2, 3\r\n"
                                               "   1/2    -2  1/3\r\n"
                                               "2469/2  1.41    0\r\n");
}

TEST(FractionView, DecimalsFollowDisplayOptions) {
    GVar ws;
    ws.DecimalPlaces = 0;
    AddMatrix(ws, "", {{std::sqrt(2.0)}, {std::sqrt(2.0) * 1e-300}});
    EXPECT_EQ(FractionListing(ws).ViewText(1), "\r\n2, 1\r\n1\r\n0\r\n");
}

TEST(FractionListingFile, KeepsTheHeaderAndListsEachChosenSlotOnce) {
    GVar ws;
    RecordingMessages messages;
    ws.HeaderLine = "Exercise 3";
    AddMatrix(ws, "A", {{0.25, 10}});
    AddMatrix(ws, "B", {{-7}});
    TempDir dir;
    const std::string path = dir.File("answers.out");
    MatrixListing listing(ws, messages);
    ASSERT_TRUE(listing.Create(path));
    ASSERT_TRUE(listing.FinishText(FractionListing(ws).ListingText({2, 1, 2, 7})));
    EXPECT_EQ(ReadBytes(path),
              "Exercise 3\r\n\r\nA\r\n1, 2\r\n1/4  10\r\n\r\nB\r\n1, 1\r\n-7\r\n\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(AlignedRows, PutsTheBarOfAnAugmentedMatrix) {
    EXPECT_EQ(FractionListing::AlignedRows({"1", "-1/2", "10", "0"}, 2, 2, 2, 1),
              "   1  |  -1/2\r\n  10  |     0\r\n");
}
} // namespace
