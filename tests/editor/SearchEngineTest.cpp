// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The search engine over an in-memory text: the worked cases of Find Next,
// Replace and Replace All, and a comparison with a plain, literal
// implementation of the same rules on many random texts.
#include "SearchEngine.h"
#include "TextLines.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

namespace {

struct Selection {
    int line = -1;
    int column = 0;
    int length = 0;
    qint64 offset = -1;
    bool operator==(const Selection& other) const {
        return std::tie(line, column, length, offset) ==
               std::tie(other.line, other.column, other.length, other.offset);
    }
};

std::ostream& operator<<(std::ostream& out, const Selection& s) {
    return out << "{line " << s.line << ", column " << s.column << ", length " << s.length
               << ", offset " << s.offset << "}";
}

class MemoryLines : public TextLines {
public:
    explicit MemoryLines(QStringList lines) : lines(std::move(lines)) {}
    int LineCount() const override { return int(lines.size()); }
    QString Line(int index) const override { return lines.at(index); }
    void SetLine(int index, const QString& text) override {
        lines[index] = text;
        ++writes;
    }
    void Select(int line, int column, int length, qint64 offset) override {
        selected = {line, column, length, offset};
    }

    QStringList lines;
    Selection selected;
    int writes = 0;
};

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(SearchText, WalksDownAndStartsAgainAfterTheNote) {
    MemoryLines lines({"one", "two", "three"});
    SearchEngine engine;
    ASSERT_TRUE(engine.SearchText(lines, "t"));
    EXPECT_EQ(lines.selected, (Selection{1, 1, 1, 5}));
    ASSERT_TRUE(engine.SearchText(lines, "t"));
    EXPECT_EQ(lines.selected, (Selection{2, 1, 1, 10}));

    lines.selected = {};
    EXPECT_FALSE(engine.SearchText(lines, "t"));
    EXPECT_EQ(lines.selected, Selection{});
    EXPECT_EQ(engine.FindLine, 0);
    EXPECT_EQ(engine.FindLineStart, 0);
    EXPECT_EQ(engine.FindColumn, 0);

    ASSERT_TRUE(engine.SearchText(lines, "t"));
    EXPECT_EQ(lines.selected, (Selection{1, 1, 1, 5}));
}

TEST(SearchText, FindsOverlappingOccurrences) {
    MemoryLines lines({"aaaa"});
    SearchEngine engine;
    for (int column = 1; column <= 3; ++column) {
        ASSERT_TRUE(engine.SearchText(lines, "aa")) << column;
        EXPECT_EQ(lines.selected, (Selection{0, column, 2, column - 1}));
    }
    EXPECT_FALSE(engine.SearchText(lines, "aa"));
}

TEST(SearchText, ResetStartsAtTheTop) {
    MemoryLines lines({"x", "x"});
    SearchEngine engine;
    engine.SearchText(lines, "x");
    engine.SearchText(lines, "x");
    EXPECT_EQ(lines.selected.line, 1);
    engine.Reset();
    engine.SearchText(lines, "x");
    EXPECT_EQ(lines.selected, (Selection{0, 1, 1, 0}));
}

TEST(SearchText, EmptyTargetIsNeverFound) {
    MemoryLines lines({"abc", ""});
    SearchEngine engine;
    EXPECT_FALSE(engine.SearchText(lines, ""));
    EXPECT_EQ(engine.FindInLine("", "abc", 1), 0);
    EXPECT_FALSE(engine.ReplaceAll(lines, "", "x"));
    EXPECT_FALSE(engine.ReplaceFirst(lines, "", "x"));
    EXPECT_EQ(lines.writes, 0);
    EXPECT_EQ(SearchEngine::NotFoundNote(""), text("String \"\" was not found."));
    EXPECT_EQ(SearchEngine::NotFoundNote("abc"), text("String \"abc\" was not found."));
}

TEST(SearchText, LongLinesAreSearchedWhole) {
    const QString line = QString(299, 'b') + "needle" + QString(400, 'b') + "needle";
    MemoryLines lines({"ab", line});
    SearchEngine engine;
    ASSERT_TRUE(engine.SearchText(lines, "needle"));
    EXPECT_EQ(lines.selected, (Selection{1, 300, 6, 4 + 299}));
    EXPECT_EQ(engine.FindColumn, 300);
    ASSERT_TRUE(engine.SearchText(lines, "NEEDLE"));
    EXPECT_EQ(lines.selected, (Selection{1, 706, 6, 4 + 705}));

    EXPECT_TRUE(engine.ReplaceAll(lines, "needle", "pin"));
    EXPECT_EQ(lines.lines[1], QString(299, 'b') + "pin" + QString(400, 'b') + "pin");
}

TEST(FindInLine, IgnoresCaseUnlessAsked) {
    SearchEngine engine;
    EXPECT_EQ(engine.FindInLine("abc", "xABC aBc abc", 1), 2);
    EXPECT_EQ(engine.FindInLine("abc", "xABC aBc abc", 3), 6);
    engine.MatchCase = true;
    EXPECT_EQ(engine.FindInLine("abc", "xABC aBc abc", 1), 10);
    EXPECT_EQ(engine.FindInLine("abc", "xABC aBc abc", 11), 0);
    EXPECT_EQ(engine.FindInLine("abc", "ab", 1), 0);
}

// Upper-casing keeps every character where it stands: ß has no single
// upper-case letter and stays itself, so the columns after it hold.
TEST(FindInLine, UpperCasesCharacterByCharacter) {
    SearchEngine engine;
    EXPECT_EQ(engine.FindInLine(text("É"), text("café"), 1), 4);
    EXPECT_EQ(engine.FindInLine(text("ÿ"), text("Ÿ"), 1), 1);
    EXPECT_EQ(engine.FindInLine("SS", text("straße"), 1), 0);
    EXPECT_EQ(engine.FindInLine(text("ẞ"), text("straße"), 1), 0);
    EXPECT_EQ(engine.FindInLine("X", text("straße x"), 1), 8);
    // Letters beyond the first 65536 characters: Deseret 𐐨 and 𐐀.
    EXPECT_EQ(engine.FindInLine(text("𐐨b"), text("a𐐀B"), 1), 2);
    engine.MatchCase = true;
    EXPECT_EQ(engine.FindInLine(text("𐐨b"), text("a𐐀B"), 1), 0);
}

TEST(ReplaceAll, GoesOnBehindEachReplacement) {
    MemoryLines lines({"aaa", "b"});
    SearchEngine engine;
    EXPECT_TRUE(engine.ReplaceAll(lines, "a", "aa"));
    EXPECT_EQ(lines.lines, QStringList({"aaaaaa", "b"}));
    EXPECT_EQ(lines.writes, 1);

    MemoryLines mixed({"abc xAbC", "ABCabc"});
    EXPECT_TRUE(engine.ReplaceAll(mixed, "abc", "ABC"));
    EXPECT_EQ(mixed.lines, QStringList({"ABC xABC", "ABCABC"}));

    MemoryLines shrinking({"abcabc"});
    EXPECT_TRUE(engine.ReplaceAll(shrinking, "bc", ""));
    EXPECT_EQ(shrinking.lines, QStringList({"aa"}));
}

TEST(ReplaceAll, ChangesNothingWhenNothingMatches) {
    MemoryLines lines({"abc", "def"});
    SearchEngine engine;
    engine.MatchCase = true;
    EXPECT_FALSE(engine.ReplaceAll(lines, "ABC", "x"));
    EXPECT_FALSE(engine.ReplaceFirst(lines, "ABC", "x"));
    EXPECT_EQ(lines.lines, QStringList({"abc", "def"}));
    EXPECT_EQ(lines.writes, 0);
}

TEST(ReplaceFirst, ActsOnTheFirstFromTheTopWhateverWasFound) {
    MemoryLines lines({"no", "x1 x2", "x3"});
    SearchEngine engine;
    for (int step = 0; step < 3; ++step)
        engine.SearchText(lines, "x");
    EXPECT_EQ(lines.selected.line, 2);
    const int line = engine.FindLine;
    const qint64 start = engine.FindLineStart;
    const int column = engine.FindColumn;

    EXPECT_TRUE(engine.ReplaceFirst(lines, "X", "yy"));
    EXPECT_EQ(lines.lines, QStringList({"no", "yy1 x2", "x3"}));
    EXPECT_TRUE(engine.ReplaceAll(lines, "x", "z"));
    // Replacing leaves the search where it was.
    EXPECT_EQ(engine.FindLine, line);
    EXPECT_EQ(engine.FindLineStart, start);
    EXPECT_EQ(engine.FindColumn, column);
}

// The rules written out as literally as possible, upper-casing whole texts
// (right for the alphabet of the random texts below).
class Reference {
public:
    bool matchCase = false;
    int line = 0;
    qint64 lineStart = 0;
    int column = 0;

    int findInLine(const QString& target, const QString& text, int from) const {
        if (target.isEmpty())
            return 0;
        const QString window = text.mid(from - 1);
        const int p = matchCase ? int(window.indexOf(target)) + 1
                                : int(window.toUpper().indexOf(target.toUpper())) + 1;
        return p > 0 ? from + p - 1 : 0;
    }

    bool searchText(const QStringList& lines, const QString& target, Selection& selected) {
        while (line < lines.size()) {
            const int c = findInLine(target, lines[line], column + 1);
            if (c > 0) {
                column = c;
                selected = {line, c, int(target.size()), lineStart + c - 1};
                return true;
            }
            column = 0;
            lineStart += lines[line].size() + 2;
            ++line;
        }
        line = 0;
        lineStart = 0;
        column = 0;
        return false;
    }

    bool replaceAll(QStringList& lines, const QString& target, const QString& replacement) {
        bool modified = false;
        for (QString& s : lines) {
            int p = findInLine(target, s, 1);
            modified = modified || p > 0;
            while (p > 0) {
                s.remove(p - 1, target.size());
                s.insert(p - 1, replacement);
                p = findInLine(target, s, p + int(replacement.size()));
            }
        }
        return modified;
    }

    bool replaceFirst(QStringList& lines, const QString& target, const QString& replacement) {
        for (QString& s : lines) {
            const int p = findInLine(target, s, 1);
            if (p > 0) {
                s.replace(p - 1, target.size(), replacement);
                return true;
            }
        }
        return false;
    }
};

QString randomText(std::mt19937& random, const QString& alphabet, int maxLength) {
    QString result;
    const int length = std::uniform_int_distribution<int>(0, maxLength)(random);
    std::uniform_int_distribution<int> pick(0, int(alphabet.size()) - 1);
    for (int i = 0; i < length; ++i)
        result += alphabet[pick(random)];
    return result;
}

TEST(SearchEngine, AgreesWithTheLiteralRulesOnRandomTexts) {
    std::mt19937 random(2024);
    const QString textAlphabet = text("aAbé\nÉ");
    const QString targetAlphabet = text("aAbÉ");
    for (int round = 0; round < 3000; ++round) {
        const QStringList start = randomText(random, textAlphabet, 30).split('\n');
        const QString target = randomText(random, targetAlphabet, 3);
        const QString replacement = randomText(random, targetAlphabet, 4);
        const bool matchCase = round % 2 == 1;
        SCOPED_TRACE(testing::Message()
                     << "text \"" << start.join("|").toStdString() << "\" target \""
                     << target.toStdString() << "\" replacement \"" << replacement.toStdString()
                     << "\" match case " << matchCase);

        MemoryLines lines(start);
        SearchEngine engine;
        engine.MatchCase = matchCase;
        Reference reference;
        reference.matchCase = matchCase;
        Selection expected;
        // Twice through every occurrence and the not-found step.
        int notFound = 0;
        for (int step = 0; notFound < 2; ++step) {
            ASSERT_LT(step, 100);
            const bool found = reference.searchText(start, target, expected);
            ASSERT_EQ(engine.SearchText(lines, target), found) << "step " << step;
            if (found)
                ASSERT_EQ(lines.selected, expected) << "step " << step;
            else
                ++notFound;
        }

        QStringList expectedAll = start;
        const bool all = reference.replaceAll(expectedAll, target, replacement);
        EXPECT_EQ(engine.ReplaceAll(lines, target, replacement), all);
        EXPECT_EQ(lines.lines, expectedAll);

        MemoryLines once(start);
        QStringList expectedOnce = start;
        const bool first = reference.replaceFirst(expectedOnce, target, replacement);
        EXPECT_EQ(engine.ReplaceFirst(once, target, replacement), first);
        EXPECT_EQ(once.lines, expectedOnce);
        EXPECT_EQ(once.writes, first ? 1 : 0);
    }
}

} // namespace
