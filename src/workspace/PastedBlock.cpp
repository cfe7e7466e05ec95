// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PastedBlock.h"

#include "GVar.h"

#include <algorithm>
#include <limits>

namespace {
using RowList = std::vector<std::vector<std::string>>;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isBreak(char c) {
    return c == '\r' || c == '\n';
}
bool isValueSeparator(char c) {
    return isBlank(c) || c == ',';
}

std::string_view trimmed(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// The lines of text: CR LF, LF and CR each end one.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isBreak(text[i]))
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> cellsSeparatedBy(std::string_view line, char separator) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t stop = line.find(separator, start);
        cells.emplace_back(trimmed(line.substr(start, stop - start)));
        if (stop == std::string_view::npos)
            return cells;
        start = stop + 1;
    }
}

RowList bracketedRows(std::string_view text) {
    RowList rows;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isBreak(text[i]) && text[i] != '[' && text[i] != ']' &&
            text[i] != ';')
            continue;
        std::vector<std::string> values = PastedBlock::RowValues(text.substr(start, i - start));
        if (!values.empty())
            rows.push_back(std::move(values));
        start = i + 1;
    }
    return rows;
}

RowList lineRows(std::string_view text) {
    std::vector<std::string_view> lines = linesOf(text);
    const auto isEmpty = [](std::string_view line) { return trimmed(line).empty(); };
    while (!lines.empty() && isEmpty(lines.back()))
        lines.pop_back();
    const auto first = std::find_if_not(lines.begin(), lines.end(), isEmpty);

    // The lines ignored have no say in the form: a tab in a trailing line
    // does not turn blank-separated rows into spreadsheet cells.
    bool tabbed = false;
    bool semicolons = false;
    for (auto line = first; line != lines.end(); ++line) {
        tabbed = tabbed || line->find('\t') != std::string_view::npos;
        semicolons = semicolons || line->find(';') != std::string_view::npos;
    }
    RowList rows;
    for (auto line = first; line != lines.end(); ++line) {
        if (tabbed)
            rows.push_back(cellsSeparatedBy(*line, '\t'));
        else if (semicolons)
            rows.push_back(cellsSeparatedBy(*line, ';'));
        else
            rows.push_back(PastedBlock::RowValues(*line));
    }
    return rows;
}
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the identifier at the start of text (0 when none).
std::size_t identifierLength(std::string_view text) {
    if (text.empty() || !isLetter(text[0]))
        return 0;
    std::size_t n = 1;
    while (n < text.size() && (isLetter(text[n]) || isDigit(text[n])))
        ++n;
    return n;
}

std::size_t skipSpace(std::string_view text, std::size_t at) {
    while (at < text.size() && (isBlank(text[at]) || isBreak(text[at])))
        ++at;
    return at;
}

// What a numerical environment prints around a matrix is not part of it:
// a header "A =" or "ans =" (Octave, MATLAB), and a call around the
// brackets, "array([[1, 2], [3, 4]])" or "matrix([[1]], dtype=int8)"
// (NumPy). No row of values holds an "=" or starts with a letter and "(".
std::string_view withoutWrapping(std::string_view text) {
    std::size_t at = skipSpace(text, 0);
    if (const std::size_t name = identifierLength(text.substr(at)); name > 0) {
        std::size_t after = at + name;
        while (after < text.size() && isBlank(text[after]))
            ++after;
        if (after < text.size() && text[after] == '=' &&
            (after + 1 == text.size() || text[after + 1] != '=')) {
            text = text.substr(after + 1);
            at = skipSpace(text, 0);
        }
    }
    if (const std::size_t name = identifierLength(text.substr(at)); name > 0) {
        const std::size_t open = skipSpace(text, at + name);
        if (open < text.size() && text[open] == '(') {
            const std::size_t first = text.find('[', open);
            const std::size_t last = text.rfind(']');
            if (first != std::string_view::npos && last != std::string_view::npos && last > first &&
                skipSpace(text, open + 1) == first)
                return text.substr(first, last - first + 1);
        }
    }
    return text;
}
} // namespace

std::vector<std::string> PastedBlock::RowValues(std::string_view line) {
    std::vector<std::string> values;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isValueSeparator(line[i]))
            ++i;
        std::size_t j = i;
        while (j < line.size() && !isValueSeparator(line[j]))
            ++j;
        if (j > i)
            values.emplace_back(line.substr(i, j - i));
        i = j;
    }
    return values;
}

PastedBlock PastedBlock::Split(std::string_view text) {
    text = withoutWrapping(text);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const bool bracketed = first != std::string_view::npos && text[first] == '[';
    RowList rows = bracketed ? bracketedRows(text) : lineRows(text);

    PastedBlock block;
    std::size_t cols = 0;
    for (const auto& row : rows)
        cols = std::max(cols, row.size());
    // A count beyond any int is still "too large", never a wrapped one.
    constexpr std::size_t most = std::numeric_limits<int>::max();
    block.Rows = static_cast<int>(std::min(rows.size(), most));
    block.Cols = static_cast<int>(std::min(cols, most));
    if (block.Rows == 0 || block.Cols == 0) {
        block.Rows = block.Cols = 0;
        block.Result = Outcome::Empty;
        return block;
    }
    if (block.Rows > MaxDim || block.Cols > MaxDim) {
        block.Result = Outcome::TooLarge;
        return block;
    }
    block.Result = Outcome::Read;
    block.Cells.reserve(rows.size() * cols);
    for (auto& row : rows) {
        row.resize(cols);
        for (auto& cell : row)
            block.Cells.push_back(std::move(cell));
    }
    return block;
}
