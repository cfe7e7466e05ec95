// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecordingMessages.h"
#include "StoreCommands.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

class StoreTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int slot = 1; slot <= ws.MatrixCount; ++slot)
            names.push_back(ws.Matrix(slot).Name);
        return names;
    }
    void FiveMatrices() {
        for (const char* name : {"1", "2", "3", "4", "5"})
            AddMatrix(ws, name, {{1}});
    }

    GVar ws;
    RecordingMessages messages;
    StoreCommands commands{ws, messages};
};

TEST_F(StoreTest, AllocResultRefusesAtNineteen) {
    FillTo(ws, 18);
    TMatrixRec* record = ws.AllocResult(messages);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(ws.MatrixCount, 19);
    EXPECT_EQ(&ws.Matrix(19), record);
    EXPECT_EQ(record->Rows, 0);
    EXPECT_EQ(ws.AllocResult(messages), nullptr);
    EXPECT_EQ(ws.MatrixCount, 19);
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the maximum number of matrices in the software have "
                                     "already been allocated."});
}

TEST_F(StoreTest, CopyDuplicatesTheWholeRecord) {
    AddMatrix(ws, "Exactly twenty chars", {{1, 2}, {3, 4}});
    ws.Matrix(1).At(50, 50) = 9;  // outside the block, carried all the same
    AddMatrix(ws, "Other", {{5}});
    commands.CopyMatrix(1);
    ASSERT_EQ(ws.MatrixCount, 3);
    const TMatrixRec& copy = ws.Matrix(3);
    EXPECT_EQ(copy.ListItemText(), "Exactly twenty chars (2, 2)");
    for (int k = 0; k < MaxDim * MaxDim; ++k)
        ASSERT_EQ(copy.Data[k], ws.Matrix(1).Data[k]) << k;
    EXPECT_TRUE(messages.Take().empty());
}

TEST_F(StoreTest, CopyStopsAtNineteenMatrices) {
    FillTo(ws, 18);
    commands.CopyMatrix(1);
    EXPECT_EQ(ws.MatrixCount, 19);
    EXPECT_TRUE(messages.Take().empty());
    commands.CopyMatrix(1);
    EXPECT_EQ(ws.MatrixCount, 19);
    EXPECT_EQ(messages.Take().size(), 1u);
}

TEST_F(StoreTest, EraseMovesTheLastMatrixIntoTheGap) {
    FiveMatrices();
    commands.EraseMatrix(2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"1", "5", "3", "4"}));
    commands.EraseMatrix(4);
    EXPECT_EQ(Names(), (std::vector<std::string>{"1", "5", "3"}));
    for (int i = 0; i < 3; ++i)
        commands.EraseMatrix(1);
    EXPECT_EQ(ws.MatrixCount, 0);
    EXPECT_TRUE(messages.Take().empty());
    commands.EraseMatrix(1);  // nothing there
    EXPECT_EQ(messages.Take(), Texts{"Sorry, unable to complete process."});
}

TEST_F(StoreTest, RenameKeepsTwentyCharactersExactly) {
    FiveMatrices();
    commands.RenameMatrix(1, "A name of twenty-five ch.");
    commands.RenameMatrix(2, "");
    commands.RenameMatrix(3, "  3  ");
    commands.RenameMatrix(4, "5");  // names need not be unique
    EXPECT_EQ(Names(), (std::vector<std::string>{"A name of twenty-fiv", "", "  3  ", "5", "5"}));
    EXPECT_TRUE(messages.Take().empty());
}

TEST_F(StoreTest, SlotZeroDoesNothing) {
    FiveMatrices();
    commands.CopyMatrix(0);
    commands.EraseMatrix(0);
    commands.RenameMatrix(0, "X");
    EXPECT_EQ(Names(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(messages.Take().empty());
}
} // namespace
