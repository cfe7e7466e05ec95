// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixFileReader.h"
#include "MyString.h"
#include "RecordingMessages.h"
#include "TestFiles.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

const std::string NoData = "\r\rProcessing Line : \rNo data on line.";

class ReaderTest : public ::testing::Test {
protected:
    Texts Read(const std::string& content) {
        reader.ReadMatrixText(content);
        return messages.Take();
    }
    std::vector<double> Row(int slot, int i, int cols) const {
        std::vector<double> row;
        for (int j = 1; j <= cols; ++j)
            row.push_back(ws.Matrix(slot).At(i, j));
        return row;
    }
    // Every value outside the rows x cols block of the slot is zero.
    void ExpectZeroOutside(int slot, int rows, int cols) const {
        const TMatrixRec& m = ws.Matrix(slot);
        for (int i = 1; i <= MaxDim; ++i)
            for (int j = 1; j <= MaxDim; ++j)
                if (i > rows || j > cols) {
                    ASSERT_EQ(m.At(i, j), 0.0) << "(" << i << ", " << j << ")";
                }
    }

    GVar ws;
    RecordingMessages messages;
    MyString numbers{messages};
    MatrixFileReader reader{ws, numbers, messages};
};

TEST_F(ReaderTest, ReadsTheExampleFileReplacingTheWorkspace) {
    AddMatrix(ws, "Old", {{1}});
    ASSERT_TRUE(reader.ReadMatrixFile(DataFile("example.dat")));
    EXPECT_TRUE(messages.Take().empty());
    EXPECT_EQ(ws.HeaderLine, "Matrices for exercise 3");
    ASSERT_EQ(ws.MatrixCount, 2);
    EXPECT_EQ(ws.Matrix(1).ListItemText(), "A (2, 3)");
    EXPECT_EQ(Row(1, 1, 3), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Row(1, 2, 3), (std::vector<double>{4.5, -1, 0.25}));
    ExpectZeroOutside(1, 2, 3);
    EXPECT_EQ(ws.Matrix(2).ListItemText(), "B (1, 1)");
    EXPECT_EQ(ws.Matrix(2).At(1, 1), 7);
}

TEST_F(ReaderTest, HeaderOnlyOrEmptyFileEmptiesTheWorkspace) {
    for (const char* content : {"Just a title\n", "Just a title", ""}) {
        AddMatrix(ws, "Old", {{1}});
        EXPECT_TRUE(Read(content).empty());
        EXPECT_EQ(ws.MatrixCount, 0);
        EXPECT_EQ(ws.HeaderLine, std::string(content).substr(0, 12));
    }
}

TEST_F(ReaderTest, BlankLinesAndIndentsAreSkippedAndNamesKeptAsWritten) {
    EXPECT_TRUE(Read("H\n\n\n   \t  Leading gone, trailing kept  \n\n  2\t1\n\n 1\n\n\n  2\n"
                     "\nabcdefghijklmnopqrstuvwxyz0123\n1,1\n3\n")
                    .empty());
    ASSERT_EQ(ws.MatrixCount, 2);
    EXPECT_EQ(ws.Matrix(1).Name, "Leading gone, traili");
    EXPECT_EQ(Row(1, 2, 1), (std::vector<double>{2}));
    EXPECT_EQ(ws.Matrix(2).Name, "abcdefghijklmnopqrst");
    EXPECT_TRUE(Read("H\nAB   \n0 0\n").empty());
    EXPECT_EQ(ws.Matrix(1).Name, "AB   ");
}

TEST_F(ReaderTest, DimensionsMayBeSeparatedAnyWay) {
    for (const char* dims : {"3,2", "3 2", "3, 2", "3\t2", "  3 ,, 2 trailing words"}) {
        EXPECT_TRUE(Read(std::string("H\nM\n") + dims + "\n1 2\n3 4\n5 6\n").empty()) << dims;
        ASSERT_EQ(ws.MatrixCount, 1) << dims;
        EXPECT_EQ(ws.Matrix(1).ListItemText(), "M (3, 2)") << dims;
        EXPECT_EQ(Row(1, 3, 2), (std::vector<double>{5, 6})) << dims;
    }
}

TEST_F(ReaderTest, ExtraValuesAreIgnoredAndACommaSeparatesValues) {
    EXPECT_TRUE(Read("H\nM\n2 2\n1 2 99 99\n1,5\n").empty());
    EXPECT_EQ(Row(1, 1, 2), (std::vector<double>{1, 2}));
    EXPECT_EQ(Row(1, 2, 2), (std::vector<double>{1, 5}));
}

TEST_F(ReaderTest, ShortRowKeepsWhatWasReadUpToTheError) {
    EXPECT_EQ(Read("H\nA\n1 1\n4\nB\n1 1\n5\nC\n2 3\n1 2 3\n4 5 \n"),
              (Texts{"Double expected in read" + NoData, "Error in reading matrix3."}));
    ASSERT_EQ(ws.MatrixCount, 3);
    EXPECT_EQ(Row(3, 1, 3), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Row(3, 2, 3), (std::vector<double>{4, 5, 0}));
    ExpectZeroOutside(3, 2, 3);
}

TEST_F(ReaderTest, BadDimensionsKeepTheNameAndWhatWasRead) {
    EXPECT_EQ(Read("H\nA\n2 abc\n1 2\n"),
              (Texts{"Integer expected in read\r\rProcessing Line : \rabc \r ^",
                     "Error in reading matrix1."}));
    ASSERT_EQ(ws.MatrixCount, 1);
    EXPECT_EQ(ws.Matrix(1).ListItemText(), "A (2, 0)");

    EXPECT_EQ(Read("H\nA\nabc 2\n"),
              (Texts{"Integer expected in read\r\rProcessing Line : \rabc 2\r ^",
                     "Error in reading matrix1."}));
    EXPECT_EQ(ws.Matrix(1).ListItemText(), "A (0, 0)");
}

TEST_F(ReaderTest, EmptyDimensionsStillConsumeRowLines) {
    EXPECT_TRUE(Read("H\nNoRows\n0 3\nTwoEmpty\n2 0\nrow one\nrow two\nLast\n1 1\n8\n").empty());
    ASSERT_EQ(ws.MatrixCount, 3);
    EXPECT_EQ(ws.Matrix(1).ListItemText(), "NoRows (0, 3)");
    EXPECT_EQ(ws.Matrix(2).ListItemText(), "TwoEmpty (2, 0)");
    EXPECT_EQ(ws.Matrix(3).ListItemText(), "Last (1, 1)");
    EXPECT_EQ(ws.Matrix(3).At(1, 1), 8);
}

TEST_F(ReaderTest, FileEndingEarlyReadsWhatIsLeftOfTheLastLine) {
    // No row line follows: the values come from the rest of the dimensions line.
    EXPECT_TRUE(Read("H\nA\n1 3 7 8 9\n").empty());
    EXPECT_EQ(Row(1, 1, 3), (std::vector<double>{7, 8, 9}));
    // Nothing after the name at all.
    EXPECT_EQ(Read("H\nA\n"), (Texts{"Integer expected in read" + NoData, "Error in reading matrix1."}));
    EXPECT_EQ(ws.Matrix(1).ListItemText(), "A (0, 0)");
}

TEST_F(ReaderTest, TakesAtMostTwentyMatrices) {
    for (int count : {19, 20, 21}) {
        std::string content = "H\n";
        for (int k = 1; k <= count; ++k)
            content += "M" + std::to_string(k) + "\n1 1\n" + std::to_string(k) + "\n";
        EXPECT_EQ(Read(content), count >= 20 ? Texts{"Sorry, too many matrices in file."} : Texts{})
            << count;
        ASSERT_EQ(ws.MatrixCount, std::min(count, 20));
        EXPECT_EQ(ws.Matrix(ws.MatrixCount).Name, "M" + std::to_string(ws.MatrixCount));
    }
}

TEST_F(ReaderTest, LineEndsAndCtrlZ) {
    EXPECT_TRUE(Read("Ti\rtle\r\nA\r\n1 2\r\n3\r4 5\r\n\x1A\nB\n1 1\n6\n").empty());
    EXPECT_EQ(ws.HeaderLine, "Title");  // a lone CR is dropped, not a line end
    ASSERT_EQ(ws.MatrixCount, 1);
    EXPECT_EQ(Row(1, 1, 2), (std::vector<double>{34, 5}));
}

TEST_F(ReaderTest, DimensionsOutsideTheRecordRefuseTheMatrix) {
    struct Case {
        const char* dims;
        const char* size;
    };
    for (const Case c : {Case{"51 2", "is 51 x 2"}, Case{"2 51", "is 2 x 51"},
                         Case{"-1 2", "is -1 x 2"}, Case{"255 255", "is 255 x 255"},
                         Case{"51 x", "has 51 rows"}}) {
        const Texts shown = Read(std::string("H\nA\n1 1\n5\nBig\n") + c.dims + "\n1 2\n");
        ASSERT_FALSE(shown.empty()) << c.dims;
        EXPECT_EQ(shown.back(), std::string("Sorry, matrix 2 (Big) cannot be read: it ") + c.size +
                                    ", and a matrix has 0 to 50 rows and 0 to 50 columns "
                                    "(at most 50 x 50).");
        ASSERT_EQ(ws.MatrixCount, 1) << c.dims;
        EXPECT_EQ(ws.Matrix(1).At(1, 1), 5);
    }
    std::string largest = "H\nM\n50 50\n";
    for (int i = 1; i <= 50 * 50; ++i)
        largest += std::to_string(i) + (i % 50 == 0 ? "\n" : " ");
    EXPECT_TRUE(Read(largest).empty());
    EXPECT_EQ(ws.Matrix(1).At(50, 50), 2500);
    EXPECT_EQ(ws.Matrix(1).At(2, 1), 51);
}

TEST_F(ReaderTest, UnreadableFileLeavesTheWorkspaceAlone) {
    AddMatrix(ws, "Kept", {{1}});
    ws.HeaderLine = "Before";
    TempDir dir;
    EXPECT_FALSE(reader.ReadMatrixFile(dir.File("missing.dat")));
    EXPECT_EQ(messages.Take(), Texts{"Sorry, the file \"" + dir.File("missing.dat") +
                                     "\" cannot be opened: No such file or directory."});
    EXPECT_FALSE(reader.ReadMatrixFile(dir.File("")));  // a folder opens but does not read
    EXPECT_EQ(messages.Take().size(), 1u);
    EXPECT_EQ(ws.MatrixCount, 1);
    EXPECT_EQ(ws.HeaderLine, "Before");
}
} // namespace
