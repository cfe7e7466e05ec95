// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The search engine against a plain reference of the same rules on
// generated texts, targets and replacements: the selections of Find Next
// until the step that finds nothing, and the texts after Replace All and
// after Replace.
#include "FuzzSupport.h"
#include "SearchEngine.h"
#include "TextLines.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

// Letters whose cases are easy to get wrong beside plain ASCII: ß has no
// single upper case, ı and ſ turn into I and S, the Kelvin sign is an upper
// case letter of its own, ÿ's upper case lies outside Latin-1, and the
// Deseret letters need two UTF-16 units each.
constexpr std::u32string_view Alphabet = U"abABiIsSkK .éÉßıſ\u212Aÿ\U00010428\U00010400";

QString textOf(const std::vector<char32_t>& codes) {
    return QString::fromUcs4(codes.data(), qsizetype(codes.size()));
}

QString generate(FuzzedDataProvider& input, std::size_t most) {
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, most);
    std::vector<char32_t> codes;
    for (std::size_t i = 0; i < length && input.remaining_bytes() > 0; ++i)
        codes.push_back(Alphabet[input.ConsumeIntegral<std::uint8_t>() % Alphabet.size()]);
    return textOf(codes);
}

class MemoryLines : public TextLines {
public:
    explicit MemoryLines(QStringList lines) : lines(std::move(lines)) {}
    int LineCount() const override { return int(lines.size()); }
    QString Line(int index) const override { return lines.at(index); }
    void SetLine(int index, const QString& text) override { lines[index] = text; }
    void Select(int line, int column, int length, qint64 offset) override {
        selections.push_back({line, column, length, offset});
    }

    struct Selection {
        int line, column, length;
        qint64 offset;
        bool operator==(const Selection& o) const {
            return line == o.line && column == o.column && length == o.length && offset == o.offset;
        }
    };
    QStringList lines;
    std::vector<Selection> selections;
};

// The reference: each code point upper-cased on its own, positions counted
// in UTF-16 units as the editor counts columns.
QString upper(const QString& text) {
    std::vector<char32_t> codes;
    for (char32_t c : text.toUcs4())
        codes.push_back(QChar::toUpper(c));
    return textOf(codes);
}

struct Reference {
    bool matchCase;

    // Column (from 1) of target in line from column from on, or 0.
    int FindInLine(const QString& target, const QString& line, int from) const {
        if (target.isEmpty())
            return 0;
        const QString t = matchCase ? target : upper(target);
        const QString l = matchCase ? line : upper(line);
        for (int start = from - 1; start + t.size() <= l.size(); ++start) {
            bool same = true;
            for (int k = 0; k < t.size() && same; ++k)
                same = l[start + k] == t[k];
            if (same)
                return start + 1;
        }
        return 0;
    }

    std::vector<MemoryLines::Selection> Walk(const QStringList& lines,
                                             const QString& target) const {
        std::vector<MemoryLines::Selection> found;
        int findLine = 0, findColumn = 0;
        qint64 lineStart = 0;
        while (findLine < lines.size()) {
            const int c = FindInLine(target, lines[findLine], findColumn + 1);
            if (c > 0) {
                findColumn = c;
                found.push_back({findLine, c, int(target.size()), lineStart + c - 1});
            } else {
                findColumn = 0;
                lineStart += lines[findLine].size() + 2;
                ++findLine;
            }
        }
        return found;
    }

    QStringList ReplaceAll(QStringList lines, const QString& target,
                           const QString& replacement) const {
        for (QString& s : lines) {
            int p = FindInLine(target, s, 1);
            while (p > 0) {
                s.remove(p - 1, target.size());
                s.insert(p - 1, replacement);
                p = FindInLine(target, s, p + int(replacement.size()));
            }
        }
        return lines;
    }

    QStringList ReplaceFirst(QStringList lines, const QString& target,
                             const QString& replacement) const {
        for (QString& s : lines) {
            const int p = FindInLine(target, s, 1);
            if (p > 0) {
                s.replace(p - 1, target.size(), replacement);
                break;
            }
        }
        return lines;
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool matchCase = input.ConsumeBool();
    QStringList lines;
    const int lineCount = input.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < lineCount; ++i)
        lines.append(generate(input, 300));
    // Half the targets are taken from the text, so that they are found.
    QString target = generate(input, 4);
    if (input.ConsumeBool() && !lines.isEmpty()) {
        const auto line = lines[lineCount / 2].toUcs4();
        const int from = input.ConsumeIntegralInRange<int>(0, int(line.size()));
        const int to = std::min(int(line.size()), from + input.ConsumeIntegralInRange<int>(0, 4));
        target = textOf(std::vector<char32_t>(line.begin() + from, line.begin() + to));
    }
    const QString replacement = generate(input, 6);
    const Reference reference{matchCase};

    {
        MemoryLines text(lines);
        SearchEngine engine;
        engine.MatchCase = matchCase;
        int steps = 0;
        while (engine.SearchText(text, target))
            check(++steps < 100000);
        check(text.selections == reference.Walk(lines, target));
        // After the step that found nothing, the walk starts again at the top.
        check(engine.FindLine == 0 && engine.FindColumn == 0 && engine.FindLineStart == 0);
    }
    {
        MemoryLines text(lines);
        SearchEngine engine;
        engine.MatchCase = matchCase;
        const QStringList expected = reference.ReplaceAll(lines, target, replacement);
        const bool anywhere = !reference.Walk(lines, target).empty();
        check(engine.ReplaceAll(text, target, replacement) == anywhere);
        check(text.lines == expected);
    }
    {
        MemoryLines text(lines);
        SearchEngine engine;
        engine.MatchCase = matchCase;
        const QStringList expected = reference.ReplaceFirst(lines, target, replacement);
        engine.ReplaceFirst(text, target, replacement);
        check(text.lines == expected);
    }
    return 0;
}
