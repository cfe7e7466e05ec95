#include "MatrixFileReader.h"
#include "MyString.h"
#include "RecordingMessages.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

const std::string NoData = "\r\rProcessing Line : \rNo data on line.";

struct BadFile {
    const char* file;
    Texts messages;
    int count;
    std::string lastMatrix;  // list text of the last matrix read, if any
};
std::ostream& operator<<(std::ostream& out, const BadFile& c) { return out << c.file; }

class BadDataFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadDataFiles, ReportAndKeepTheWorkspaceSound) {
    const BadFile& c = GetParam();
    GVar ws;
    RecordingMessages messages;
    MyString numbers(messages);
    ASSERT_TRUE(MatrixFileReader(ws, numbers, messages).ReadMatrixFile(DataFile(c.file)));
    EXPECT_EQ(messages.Take(), c.messages);
    ExpectWorkspaceInvariants(ws);
    ASSERT_EQ(ws.MatrixCount, c.count);
    if (c.count > 0) {
        EXPECT_EQ(ws.Matrix(c.count).ListItemText(), c.lastMatrix);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reader, BadDataFiles,
    ::testing::Values(
        BadFile{"picture.dat", {}, 0, ""},
        BadFile{"binary.dat",
                {"Integer expected in read" + NoData, "Error in reading matrix1."},
                1,
                std::string("\xff\xfe") + '\0' + "name (0, 0)"},
        BadFile{"nul.dat",
                {std::string("Double expected in read\r\rProcessing Line : \r3") + '\0' + "5\r ^",
                 "Error in reading matrix1."},
                1,
                "A (1, 2)"},
        BadFile{"lone_cr.dat", {}, 0, ""},
        BadFile{"ctrlz_middle.dat",
                {"Double expected in read" + NoData, "Error in reading matrix1."},
                1,
                "A (1, 2)"},
        BadFile{"overflow.dat",
                {"Double expected in read\r\rProcessing Line : \r1e400 2\r ^",
                 "Error in reading matrix1."},
                1,
                "A (1, 2)"},
        BadFile{"nan.dat",
                {"Double expected in read\r\rProcessing Line : \rnan\r ^",
                 "Error in reading matrix1."},
                1,
                "A (2, 1)"},
        BadFile{"words.dat",
                {"Integer expected in read\r\rProcessing Line : \rtwo by three\r ^",
                 "Error in reading matrix1."},
                1,
                "A (0, 0)"},
        BadFile{"truncated.dat",
                {"Double expected in read" + NoData, "Error in reading matrix2."},
                2,
                "B (3, 2)"}));

class GeneratedInput : public ::testing::Test {
protected:
    Texts Read(const std::string& content) {
        MatrixFileReader(ws, numbers, messages).ReadMatrixText(content);
        ExpectWorkspaceInvariants(ws);
        return messages.Take();
    }
    GVar ws;
    RecordingMessages messages;
    MyString numbers{messages};
};

TEST_F(GeneratedInput, TenMegabyteLines) {
    std::string row;
    row.reserve(10'000'000);
    while (row.size() < 10'000'000)
        row += "1.5 ";
    EXPECT_TRUE(Read("H\n" + row + "\n1 50\n" + row + "\n").empty());
    ASSERT_EQ(ws.MatrixCount, 1);
    EXPECT_EQ(ws.Matrix(1).Name, "1.5 1.5 1.5 1.5 1.5 ");
    EXPECT_EQ(ws.Matrix(1).At(1, 50), 1.5);

    // One token of ten million digits: refused, and the report quotes it whole.
    const std::string digits(10'000'000, '7');
    const Texts shown = Read("H\nA\n" + digits + "\n");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0] == "Integer expected in read\r\rProcessing Line : \r" + digits + "\r ^");
    EXPECT_EQ(shown[1], "Error in reading matrix1.");
}

TEST_F(GeneratedInput, TenThousandMatrices) {
    std::string content = "H\n";
    for (int k = 0; k < 10'000; ++k)
        content += "M\n2 2\n1 2\n3 4\n";
    EXPECT_EQ(Read(content), Texts{"Sorry, too many matrices in file."});
    EXPECT_EQ(ws.MatrixCount, 20);
}
} // namespace
