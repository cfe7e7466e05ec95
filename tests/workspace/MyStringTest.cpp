// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MyString.h"
#include "RecordingMessages.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {
const std::string NoData = "\r\rProcessing Line : \rNo data on line.";

class MyStringTest : public ::testing::Test {
protected:
    std::vector<double> Doubles(const std::string& text, int count) {
        MyString::Line line(text);
        std::vector<double> values;
        for (int i = 0; i < count; ++i)
            values.push_back(reader.ReadDouble(line, GVar::Delimiters));
        rest = line.Str();
        return values;
    }
    std::vector<std::int32_t> Integers(const std::string& text, int count) {
        MyString::Line line(text);
        std::vector<std::int32_t> values;
        for (int i = 0; i < count; ++i)
            values.push_back(reader.ReadInteger(line, GVar::Delimiters));
        rest = line.Str();
        return values;
    }

    RecordingMessages messages;
    MyString reader{messages};
    std::string rest;
};

TEST_F(MyStringTest, SeparatorRunsActAsOne) {
    for (const char* text : {"3, 4", "3,4", "3 4", "3,,4", "  3   4", "3\t4", ",3 ,, 4,"}) {
        EXPECT_EQ(Integers(text, 2), (std::vector<std::int32_t>{3, 4})) << text;
        EXPECT_FALSE(reader.ReadError) << text;
        EXPECT_TRUE(messages.Take().empty()) << text;
    }
    EXPECT_EQ(Integers("3, 4", 2), (std::vector<std::int32_t>{3, 4}));
    EXPECT_EQ(rest, "");
    EXPECT_EQ(Doubles("1,5", 2), (std::vector<double>{1, 5}));  // a comma is never a decimal point
}

TEST_F(MyStringTest, MissingValueReportsNoData) {
    EXPECT_EQ(Doubles("1 2", 3), (std::vector<double>{1, 2, 0}));
    EXPECT_TRUE(reader.ReadError);
    EXPECT_EQ(messages.Take(), std::vector<std::string>{"Double expected in read" + NoData});
    // A trailing blank leaves nothing behind either.
    Doubles("1 2 ", 3);
    EXPECT_EQ(messages.Take(), std::vector<std::string>{"Double expected in read" + NoData});
}

TEST_F(MyStringTest, ReportQuotesRestOfLineWithCaret) {
    EXPECT_EQ(Integers("12 abc", 2), (std::vector<std::int32_t>{12, 0}));
    // The blank appended by the first read is part of the quoted rest.
    EXPECT_EQ(messages.Take(), std::vector<std::string>{
                                   "Integer expected in read\r\rProcessing Line : \rabc \r ^"});
    Doubles(",1e,", 1);  // leading separators count in the caret's column
    EXPECT_EQ(messages.Take(), std::vector<std::string>{
                                   "Double expected in read\r\rProcessing Line : \r,1e,\r  ^"});
    Integers(" , ,  ", 1);  // only separators: an empty token, lone caret
    EXPECT_EQ(messages.Take(), std::vector<std::string>{
                                   "Integer expected in read\r\rProcessing Line : \r , ,  \r^"});
}

TEST_F(MyStringTest, LongLinesAreSplitAfterSixtyCharacters) {
    struct Case {
        std::size_t blanksBefore;  // the bad token starts at blanksBefore + 1
        std::size_t caretIndent;
    };
    // The indent is counted in one byte: position 400 gives 340 mod 256.
    for (const Case c : {Case{58, 59}, Case{59, 0}, Case{74, 15}, Case{399, 84}}) {
        const std::string line = std::string(c.blanksBefore, ' ') + "bad";
        Doubles(line, 1);
        std::string expected = "Double expected in read\r\rProcessing Line : \r";
        if (c.blanksBefore + 1 <= 59)
            expected += line + '\r';
        else
            expected += line.substr(0, 60) + '\r' + line.substr(60) + '\r';
        expected += std::string(c.caretIndent, ' ') + '^';
        EXPECT_EQ(messages.Take(), std::vector<std::string>{expected}) << c.blanksBefore;
    }
}

TEST_F(MyStringTest, ReadErrorFollowsTheLastRead) {
    MyString::Line line("x 5");
    reader.ReadDouble(line, GVar::Delimiters);
    EXPECT_TRUE(reader.ReadError);
    EXPECT_EQ(reader.ReadDouble(line, GVar::Delimiters), 5.0);
    EXPECT_FALSE(reader.ReadError);
    EXPECT_EQ(reader.ReadDouble(line, GVar::Delimiters), 0.0);
    EXPECT_TRUE(reader.ReadError);
    EXPECT_EQ(messages.Take().size(), 2u);
}

struct DoubleCase {
    const char* token;
    bool reads;
    double value;
};
std::ostream& operator<<(std::ostream& out, const DoubleCase& c) { return out << c.token; }

class DoubleForms : public MyStringTest, public ::testing::WithParamInterface<DoubleCase> {};

TEST_P(DoubleForms, ReadsWholeTokenOrReports) {
    const DoubleCase& c = GetParam();
    MyString::Line line(c.token);
    const double value = reader.ReadDouble(line, GVar::Delimiters);
    EXPECT_EQ(reader.ReadError, !c.reads);
    EXPECT_EQ(value, c.reads ? c.value : 0.0);
    const auto shown = messages.Take();
    if (c.reads) {
        EXPECT_TRUE(shown.empty());
    } else {
        EXPECT_EQ(shown, std::vector<std::string>{"Double expected in read\r\rProcessing Line : \r" +
                                                  std::string(c.token) + "\r ^"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    MyString, DoubleForms,
    ::testing::Values(DoubleCase{"1", true, 1}, DoubleCase{"-2.5", true, -2.5},
                      DoubleCase{"+7", true, 7}, DoubleCase{".5", true, 0.5},
                      DoubleCase{"5.", true, 5}, DoubleCase{"1.5E+0002", true, 150},
                      DoubleCase{"1e-3", true, 0.001}, DoubleCase{"0.1", true, 0.1},
                      DoubleCase{"1e-400", true, 0.0},
                      DoubleCase{"4.9406564584124654e-324", true,
                                 std::numeric_limits<double>::denorm_min()},
                      DoubleCase{"1.7976931348623157e308", true, DBL_MAX},
                      DoubleCase{"1.2.3", false, 0}, DoubleCase{"1e", false, 0},
                      DoubleCase{"1e+", false, 0}, DoubleCase{"e5", false, 0},
                      DoubleCase{".", false, 0}, DoubleCase{"-", false, 0},
                      DoubleCase{"nan", false, 0}, DoubleCase{"inf", false, 0},
                      DoubleCase{"-infinity", false, 0}, DoubleCase{"0x10", false, 0},
                      DoubleCase{"1e400", false, 0}, DoubleCase{"-1e400", false, 0},
                      DoubleCase{"2e308", false, 0}, DoubleCase{"1.5d0", false, 0}));

struct IntegerCase {
    const char* token;
    bool reads;
    std::int32_t value;
};
std::ostream& operator<<(std::ostream& out, const IntegerCase& c) { return out << c.token; }

class IntegerForms : public MyStringTest, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IntegerForms, ReadsWholeTokenOrReports) {
    const IntegerCase& c = GetParam();
    MyString::Line line(c.token);
    const std::int32_t value = reader.ReadInteger(line, GVar::Delimiters);
    EXPECT_EQ(reader.ReadError, !c.reads);
    EXPECT_EQ(value, c.reads ? c.value : 0);
    const auto shown = messages.Take();
    ASSERT_EQ(shown.size(), c.reads ? 0u : 1u);
    if (!c.reads) {
        EXPECT_EQ(shown[0].rfind("Integer expected in read\r\r", 0), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MyString, IntegerForms,
    ::testing::Values(IntegerCase{"31", true, 31}, IntegerCase{"-31", true, -31},
                      IntegerCase{"+31", true, 31}, IntegerCase{"007", true, 7},
                      IntegerCase{"$1F", true, 31}, IntegerCase{"x1F", true, 31},
                      IntegerCase{"X1f", true, 31}, IntegerCase{"0x1F", true, 31},
                      IntegerCase{"0X1F", true, 31}, IntegerCase{"2147483647", true, INT32_MAX},
                      IntegerCase{"-2147483648", true, INT32_MIN},
                      IntegerCase{"$7FFFFFFF", true, INT32_MAX},
                      IntegerCase{"2147483648", false, 0}, IntegerCase{"-2147483649", false, 0},
                      IntegerCase{"$80000000", false, 0},
                      IntegerCase{"99999999999999999999", false, 0}, IntegerCase{"3.0", false, 0},
                      IntegerCase{"1e3", false, 0}, IntegerCase{"$", false, 0},
                      IntegerCase{"0x", false, 0}, IntegerCase{"$G", false, 0},
                      IntegerCase{"1F", false, 0}, IntegerCase{"-", false, 0},
                      IntegerCase{"12abc", false, 0}));
} // namespace
