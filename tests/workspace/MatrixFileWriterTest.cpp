// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixFileReader.h"
#include "MatrixFileWriter.h"
#include "MyString.h"
#include "RecordingMessages.h"
#include "TestFiles.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

class WriterTest : public ::testing::Test {
protected:
    bool Write() { return MatrixFileWriter(ws, messages).WriteMatrixFile(path); }

    GVar ws;
    RecordingMessages messages;
    TempDir dir;
    std::string path = dir.File("out.dat");
};

TEST_F(WriterTest, WritesExactBytes) {
    ws.HeaderLine = "Test values";
    AddMatrix(ws, "A", {{150, -0.001}, {0, 1}});
    TMatrixRec& empty = ws.AppendNew();
    empty.SetName(" No rows");
    empty.Cols = 3;
    ASSERT_TRUE(Write());
    EXPECT_TRUE(messages.Take().empty());
    EXPECT_EQ(ReadBytes(path), "Test values\r\n"
                               "A\r\n"
                               "2, 2\r\n"
                               " 1.50000000000000E+0002 -1.00000000000000E-0003 \r\n"
                               " 0.00000000000000E+0000  1.00000000000000E+0000 \r\n"
                               " No rows\r\n"
                               "0, 3\r\n");
}

TEST_F(WriterTest, EmptyWorkspaceWritesTheHeaderOnly) {
    ASSERT_TRUE(Write());
    EXPECT_EQ(ReadBytes(path), "\r\n");
    ws.HeaderLine = "Title";
    ASSERT_TRUE(Write());  // an existing file is replaced
    EXPECT_EQ(ReadBytes(path), "Title\r\n");
}

TEST_F(WriterTest, WhatIsWrittenReadsBack) {
    ws.HeaderLine = "Round trip";
    AddMatrix(ws, "Fractions", {{0.1, 1.0 / 3, -2.0 / 3}, {1e-300, -1e300, 0}});
    AddMatrix(ws, "Extremes", {{DBL_MAX, -DBL_MIN, 4.9406564584124654e-324}});
    AddMatrix(ws, "Twenty characters ok", {{12345678.9}});
    ASSERT_TRUE(Write());

    GVar back;
    MyString numbers(messages);
    ASSERT_TRUE(MatrixFileReader(back, numbers, messages).ReadMatrixFile(path));
    EXPECT_TRUE(messages.Take().empty());
    EXPECT_EQ(back.HeaderLine, "Round trip");
    ASSERT_EQ(back.MatrixCount, 3);
    for (int slot = 1; slot <= 3; ++slot) {
        const TMatrixRec& a = ws.Matrix(slot);
        const TMatrixRec& b = back.Matrix(slot);
        EXPECT_EQ(b.Name, a.Name.substr(0, 20));
        EXPECT_EQ(b.ListItemText(), a.ListItemText());
        for (int i = 1; i <= a.Rows; ++i)
            for (int j = 1; j <= a.Cols; ++j)
                EXPECT_NEAR(b.At(i, j), a.At(i, j), std::fabs(a.At(i, j)) * 5e-15);
    }
    EXPECT_EQ(back.Matrix(1).At(1, 1), 0.1);
    EXPECT_EQ(back.Matrix(1).At(1, 2), 0.333333333333333);
    EXPECT_EQ(back.Matrix(2).At(1, 1), 1.79769313486231e308);
}

TEST_F(WriterTest, RefusesMatricesThatWouldNotReadBack) {
    struct Case {
        void (*make)(GVar&);
        std::string message;
    };
    const Case cases[] = {
        {[](GVar& w) {
             AddMatrix(w, "A", {{1}});
             AddMatrix(w, "", {{2}});
         },
         "Sorry, the matrices were not written: matrix 2 (1 x 1) has an empty name, which would "
         "not read back from the file. Rename or erase it first."},
        {[](GVar& w) {
             TMatrixRec& m = w.AppendNew();
             m.SetName("Flat");
             m.Rows = 2;
         },
         "Sorry, the matrices were not written: matrix 1 (2 x 0) has rows but no columns, which "
         "would not read back from the file. Rename or erase it first."},
    };
    for (const Case& c : cases) {
        GVar w;
        c.make(w);
        EXPECT_FALSE(MatrixFileWriter(w, messages).WriteMatrixFile(path));
        EXPECT_EQ(messages.Take(), Texts{c.message});
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    // An existing file is left as it was.
    WriteBytes(path, "keep me");
    GVar w;
    AddMatrix(w, "", {{1}});
    EXPECT_FALSE(MatrixFileWriter(w, messages).WriteMatrixFile(path));
    EXPECT_EQ(ReadBytes(path), "keep me");
}

TEST_F(WriterTest, ReportsAPathThatCannotBeCreated) {
    const std::string bad = dir.File("no such folder/out.dat");
    EXPECT_FALSE(MatrixFileWriter(ws, messages).WriteMatrixFile(bad));
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the file \"" + bad +
                                     "\" cannot be created: No such file or directory."});
}
} // namespace
