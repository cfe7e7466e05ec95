// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixExport.h"
#include "MatrixImport.h"
#include "RecordingMessages.h"
#include "WorkspaceBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

namespace {
using Texts = std::vector<std::string>;

TMatrixRec record(const std::string& name, const Rows& rows) {
    GVar ws;
    AddRows(ws, name, rows);
    return ws.Matrix(1);
}

const double Max = std::numeric_limits<double>::max();
const double Tiny = std::numeric_limits<double>::denorm_min();

TEST(MatrixExportText, EveryFormat) {
    const TMatrixRec m = record("inv(A)", {{1, -0.0, 0.1}, {1.0 / 3, Tiny, -Max}});
    EXPECT_EQ(MatrixExport::Csv(m),
              "1,-0,0.1\r\n0.3333333333333333,5e-324,-1.7976931348623157e+308\r\n");
    EXPECT_EQ(MatrixExport::OctaveText(m),
              "# Created by Zendra\n# name: inv_A\n# type: matrix\n# rows: 2\n# columns: 3\n"
              " 1 -0 0.1\n 0.3333333333333333 5e-324 -1.7976931348623157e+308\n\n\n");
    EXPECT_EQ(MatrixExport::Latex(m, false),
              "\\begin{bmatrix}\n  1 & -0 & 0.1 \\\\\n  0.3333333333333333 & 5 \\times 10^{-324} & "
              "-1.7976931348623157 \\times 10^{308}\n\\end{bmatrix}\n");
    EXPECT_EQ(MatrixExport::Latex(record("A", {{0.5, -2.0 / 3, 4}}), true),
              "\\begin{bmatrix}\n  \\frac{1}{2} & -\\frac{2}{3} & 4\n\\end{bmatrix}\n");
    const std::pair<const char*, const char*> names[] = {
        {"A", "A"},       {"inv(A)", "inv_A"}, {"2A", "m2A"},   {"A^-1", "A_1"},
        {"(x)", "x"},     {"", "m"},           {"end", "end_"}, {"my matrix", "my_matrix"},
        {"x(A)_2", "x_A_2"}};
    for (const auto& [name, id] : names)
        EXPECT_EQ(MatrixExport::Identifier(name), id) << name;
    EXPECT_EQ(MatrixExport::FormatOf("a/b.CSV"), MatrixExport::Format::Csv);
    EXPECT_EQ(MatrixExport::FormatOf("b.txt"), MatrixExport::Format::Octave);
    EXPECT_EQ(MatrixExport::FormatOf("b.tex"), MatrixExport::Format::Latex);
    EXPECT_FALSE(MatrixExport::FormatOf("b.dat"));
}

struct ReadCase {
    const char* what;
    const char* text;
    int rows; // 0: refused
    int cols;
    std::vector<double> values;
    const char* said; // a part of the note or the error
    const char* name = "";
};

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, ReadsOrSaysWhy) {
    const ReadCase& c = GetParam();
    const MatrixImport::Result r = MatrixImport::Read(c.text, "\"f\"");
    if (c.rows == 0) {
        EXPECT_FALSE(r.read);
        EXPECT_NE(r.error.find(c.said), std::string::npos) << r.error;
        return;
    }
    ASSERT_TRUE(r.read) << r.error;
    EXPECT_EQ(r.rows, c.rows);
    EXPECT_EQ(r.cols, c.cols);
    EXPECT_EQ(r.values, c.values);
    EXPECT_NE(r.note.find(c.said), std::string::npos) << r.note;
    EXPECT_EQ(r.name, c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadTable,
    ::testing::Values(
        ReadCase{"csv", "1,2\r\n3,4\r\n", 2, 2, {1, 2, 3, 4}, ""},
        ReadCase{"header and quotes", "\"x\",\"y\"\n\"1\", 2.5\n-3,\"1/4\"\n", 2, 2,
                 {1, 2.5, -3, 0.25}, "header"},
        ReadCase{"semicolons", "1;2;3\n4;5;6", 2, 3, {1, 2, 3, 4, 5, 6}, ""},
        ReadCase{"tabs, empty line between", "1\t2\n\n3\t4\n", 2, 2, {1, 2, 3, 4}, ""},
        ReadCase{"savetxt", "# a comment\n1.000000000000000000e+00 -2.5e-01\n", 1, 2,
                 {1, -0.25}, ""},
        ReadCase{"BOM and CR", "\xEF\xBB\xBF" "1 2\r3 4\r", 2, 2, {1, 2, 3, 4}, ""},
        ReadCase{"octave", "# Created by Octave 7.3.0\n# name: M\n# type: matrix\n# rows: 2\n"
                           "# columns: 1\n 1\n -0\n\n\n# name: b\n# type: scalar\n5\n",
                 2, 1, {1, -0.0}, "", "M"},
        ReadCase{"octave scalar", "# name: s\n# type: scalar\n2.5\n", 1, 1, {2.5}, "", "s"},
        ReadCase{"decimal comma", "1;2\n\"1,5\";3\n", 0, 0, {},
                 "\"1,5\" in line 2, column 1 of \"f\" has a decimal comma"},
        ReadCase{"a word", "1,2\n3,x\n", 0, 0, {}, "\"x\" in line 2, column 2"},
        ReadCase{"an empty field", "1,,2\n", 0, 0, {}, "line 1, column 2 of \"f\" holds no value"},
        ReadCase{"ragged", "1 2 3\n4 5\n", 0, 0, {}, "line 2 of \"f\" has 2 values where"},
        ReadCase{"too many columns", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,"
                                     "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n",
                 0, 0, {}, "1 rows and 51 columns"},
        ReadCase{"nothing", " \n\n", 0, 0, {}, "holds no values"},
        ReadCase{"a line of separators", "x\n ,\n", 0, 0, {}, "line 2 of \"f\" holds no values"},
        ReadCase{"a header alone", "x,y\n", 0, 0, {}, "\"x\" in line 1, column 1"},
        ReadCase{"complex", "# name: z\n# type: complex matrix\n# rows: 1\n# columns: 1\n (1,2)\n",
                 0, 0, {}, "is complex"},
        ReadCase{"a string", "# name: s\n# type: string\n# elements: 1\n# length: 2\nhi\n", 0, 0,
                 {}, "is a string, not a matrix"},
        ReadCase{"octave Inf", "# name: M\n# type: matrix\n# rows: 1\n# columns: 2\n 1 Inf\n", 0,
                 0, {}, "\"Inf\" in line 5, column 2"},
        ReadCase{"octave too large", "# name: M\n# type: matrix\n# rows: 51\n# columns: 2\n", 0, 0,
                 {}, "51 rows and 2 columns"},
        ReadCase{"octave count beyond an int",
                 "# name: M\n# type: matrix\n# rows: 99999999999999\n# columns: x\n", 0, 0, {},
                 "does not say its rows and columns"},
        ReadCase{"octave cut short", "# name: M\n# type: matrix\n# rows: 2\n# columns: 1\n 1\n", 0,
                 0, {}, "ends before the 2 rows of M"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

bool sameBits(const std::vector<double>& a, const TMatrixRec& m) {
    for (int i = 1; i <= m.Rows; ++i)
        for (int j = 1; j <= m.Cols; ++j)
            if (const double v = m.At(i, j);
                std::memcmp(&a[(i - 1) * m.Cols + (j - 1)], &v, sizeof v) != 0)
                return false;
    return true;
}

// Any finite doubles, the extremes, subnormals and -0 included, come back
// bit for bit through CSV and through Octave's text, which also keeps the
// name as an identifier.
TEST(MatrixTransferProperty, RoundTripsBitForBit) {
    std::mt19937_64 random(24);
    for (int round = 0; round < 2000; ++round) {
        Rows rows(1 + random() % 8, std::vector<double>(1 + random() % 8));
        for (auto& row : rows)
            for (double& v : row) {
                do {
                    const std::uint64_t bits = random();
                    std::memcpy(&v, &bits, sizeof v);
                } while (!std::isfinite(v));
                if (random() % 5 == 0)
                    v = static_cast<double>(static_cast<int>(random() % 201) - 100) / 8;
            }
        const TMatrixRec m = record("x(A)", rows);
        for (const std::string& text : {MatrixExport::Csv(m), MatrixExport::OctaveText(m)}) {
            const MatrixImport::Result r = MatrixImport::Read(text, "f");
            ASSERT_TRUE(r.read) << r.error;
            ASSERT_EQ(r.rows, m.Rows);
            ASSERT_EQ(r.cols, m.Cols);
            ASSERT_TRUE(sameBits(r.values, m)) << text;
        }
    }
}

// The files themselves: written whole, named by the file or as asked, and
// nothing added or left behind on failure.
TEST(MatrixTransferFiles, ExportAndImport) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zendra-transfer";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    GVar ws;
    RecordingMessages messages;
    AddRows(ws, "A", {{1, 2}, {3, 4}});
    const std::string csv = (dir / "exam.csv").string();
    EXPECT_TRUE(MatrixExport::Export(ws, messages, 1, csv, false));
    EXPECT_FALSE(MatrixExport::Export(ws, messages, 1, (dir / "exam.dat").string(), false));
    EXPECT_FALSE(MatrixExport::Export(ws, messages, 1, (dir / "no" / "a.csv").string(), false));
    EXPECT_EQ(messages.Take().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / "exam.dat"));

    EXPECT_TRUE(MatrixImport::Import(ws, messages, csv, ""));
    EXPECT_TRUE(MatrixImport::Import(ws, messages, csv, "a name longer than twenty"));
    EXPECT_EQ(ws.Matrix(2).Name, "exam");
    EXPECT_EQ(ws.Matrix(3).Name, "a name longer than t");
    EXPECT_EQ(Block(ws.Matrix(2)), Block(ws.Matrix(1)));
    std::ofstream(dir / "bad.csv") << "1,2\n3\n";
    EXPECT_FALSE(MatrixImport::Import(ws, messages, (dir / "bad.csv").string(), ""));
    EXPECT_FALSE(MatrixImport::Import(ws, messages, (dir / "none.csv").string(), ""));
    EXPECT_EQ(ws.MatrixCount, 3);
    EXPECT_EQ(messages.Take().size(), 2u);
    while (ws.MatrixCount < MaxMatrices)
        AddRows(ws, "F", {{0}});
    EXPECT_FALSE(MatrixImport::Import(ws, messages, csv, ""));
    EXPECT_EQ(messages.Take(), Texts{GVar::FullMessage});
    std::filesystem::remove_all(dir);
}
} // namespace
