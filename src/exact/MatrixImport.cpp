// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixImport.h"

#include "CellText.h"
#include "FilePath.h"
#include "GVar.h"
#include "Messages.h"
#include "PastedBlock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

namespace {
constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;

struct Line {
    int number; // from 1
    std::string text;
};

std::vector<Line> linesOf(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<Line> lines;
    int number = 1;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != '\n' && text[at] != '\r')
            continue;
        lines.push_back({number++, std::string(text.substr(start, at - start))});
        if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n')
            ++at;
        start = at + 1;
    }
    return lines;
}

std::string trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return std::string();
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool blank(const std::string& s) {
    return s.find_first_not_of(" \t") == std::string::npos;
}

// "1,5": a value written with a decimal comma.
bool decimalComma(const std::string& s) {
    std::size_t at = s[0] == '-' || s[0] == '+' ? 1 : 0;
    const std::size_t comma = s.find(',');
    if (comma == std::string::npos || comma == at || comma + 1 == s.size())
        return false;
    for (; at < s.size(); ++at)
        if (at != comma && (s[at] < '0' || s[at] > '9'))
            return false;
    return true;
}

// The fields of a line between separators, a field in double quotes kept
// whole ("" in it for a quote), each trimmed of blanks.
std::vector<std::string> fields(const std::string& line, char separator) {
    std::vector<std::string> out;
    std::string field;
    bool quoted = false;
    bool wasQuoted = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char c = line[at];
        if (quoted) {
            if (c == '"' && at + 1 < line.size() && line[at + 1] == '"') {
                field += '"';
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && blank(field)) {
            quoted = true;
            wasQuoted = true;
            field.clear();
        } else if (c == separator) {
            out.push_back(wasQuoted ? field : trimmed(field));
            field.clear();
            wasQuoted = false;
        } else if (!(wasQuoted && (c == ' ' || c == '\t'))) {
            field += c;
        }
    }
    out.push_back(wasQuoted ? field : trimmed(field));
    return out;
}

using Result = MatrixImport::Result;

Result failure(std::string message) {
    Result r;
    r.error = std::move(message);
    return r;
}

std::string where(int line, int column, const std::string& file) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + " of " + file;
}

// The cell's value, or the message that says why it has none.
std::optional<double> cell(const std::string& text, int line, int column, const std::string& file,
                           std::string& error) {
    if (text.empty()) {
        error = "Sorry, " + where(line, column, file) + " holds no value.";
        return std::nullopt;
    }
    if (const std::optional<double> value = CellText::Read(text))
        return value;
    if (decimalComma(text)) {
        std::string point = text;
        point[point.find(',')] = '.';
        error = "Sorry, the value \"" + text + "\" in " + where(line, column, file) +
                " has a decimal comma: write it with a point, as " + point + ".";
    } else {
        error = "Sorry, the value \"" + text + "\" in " + where(line, column, file) +
                " does not read as a number.";
    }
    return std::nullopt;
}

std::string tooLarge(const std::string& file, int rows, int cols) {
    return "Sorry, " + file + " holds a matrix of " + std::to_string(rows) + " rows and " +
           std::to_string(cols) + " columns: a matrix has at most " + std::to_string(MaxDim) +
           " of each.";
}

// A row or column count: its digits, or -1 when it has others. A count
// too long for an int reads as one larger than any matrix may have.
int count(const std::string& text) {
    if (text.empty())
        return -1;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = std::min<long>(value * 10 + (c - '0'), 1000000);
    }
    return static_cast<int>(value);
}

// "# key: value"; false for any other line.
bool header(const std::string& line, std::string& key, std::string& value) {
    if (line.compare(0, 2, "# ") != 0)
        return false;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos)
        return false;
    key = line.substr(2, colon - 2);
    value = trimmed(line.substr(colon + 1));
    return true;
}

Result octave(const std::vector<Line>& lines, const std::string& file) {
    std::size_t at = 0;
    std::string key;
    std::string value;
    std::string name;
    while (at < lines.size() && (name.empty() || key != "name")) {
        if (header(lines[at].text, key, value) && key == "name")
            name = value;
        ++at;
    }
    if (name.empty())
        return failure("Sorry, " + file + " holds no variable: no line \"# name:\" was found.");
    std::string type;
    int rows = -1;
    int cols = -1;
    const int nameLine = lines[at - 1].number;
    for (; at < lines.size() && header(lines[at].text, key, value); ++at) {
        if (key == "type")
            type = value;
        else if (key == "rows")
            rows = count(value);
        else if (key == "columns")
            cols = count(value);
        else if (key == "ndims")
            type = "N-dimensional array";
    }
    if (type == "scalar")
        rows = cols = 1;
    else if (type != "matrix") {
        const std::string what =
            type.find("complex") != std::string::npos
                ? std::string("complex: Zendra holds real matrices only.")
                : "a " + (type.empty() ? std::string("value of no type") : type) +
                      ", not a matrix.";
        return failure("Sorry, the variable " + name + " (line " + std::to_string(nameLine) +
                       " of " + file + ") is " + what);
    }
    if (rows < 0 || cols < 0)
        return failure("Sorry, the variable " + name + " of " + file +
                       " does not say its rows and columns.");
    if (rows > MaxDim || cols > MaxDim)
        return failure(tooLarge(file, rows, cols));
    if (rows == 0 || cols == 0)
        return failure("Sorry, the variable " + name + " of " + file + " is empty (" +
                       std::to_string(rows) + " x " + std::to_string(cols) + ").");
    Result r;
    r.name = name;
    r.rows = rows;
    r.cols = cols;
    for (int i = 0; i < rows; ++i, ++at) {
        while (at < lines.size() && blank(lines[at].text))
            ++at;
        if (at >= lines.size())
            return failure("Sorry, " + file + " ends before the " + std::to_string(rows) +
                           " rows of " + name + ".");
        const std::vector<std::string> row = PastedBlock::RowValues(lines[at].text);
        if (static_cast<int>(row.size()) != cols)
            return failure("Sorry, line " + std::to_string(lines[at].number) + " of " + file +
                           " has " + std::to_string(row.size()) + " values where " + name +
                           " has " + std::to_string(cols) + " columns.");
        for (int j = 0; j < cols; ++j) {
            std::string error;
            const std::optional<double> v = cell(row[j], lines[at].number, j + 1, file, error);
            if (!v)
                return failure(error);
            r.values.push_back(*v);
        }
    }
    r.read = true;
    return r;
}

Result rows(const std::vector<Line>& all, const std::string& file) {
    std::vector<const Line*> lines;
    for (const Line& line : all)
        if (!blank(line.text) && trimmed(line.text)[0] != '#')
            lines.push_back(&line);
    if (lines.empty())
        return failure("Sorry, " + file + " holds no values.");
    // The separator of the first row decides for all of them.
    const std::string& first = lines[0]->text;
    const char separator = first.find('\t') != std::string::npos   ? '\t'
                           : first.find(';') != std::string::npos  ? ';'
                           : first.find(',') != std::string::npos  ? ','
                                                                   : ' ';
    const auto split = [&](const std::string& text) {
        return separator == ' ' ? PastedBlock::RowValues(text) : fields(text, separator);
    };
    Result r;
    std::size_t start = 0;
    {
        const std::vector<std::string> head = split(first);
        bool words = lines.size() > 1;
        for (const std::string& f : head)
            words = words && !f.empty() && !CellText::Read(f) && !decimalComma(f);
        if (words) {
            start = 1;
            r.note = "The first line of " + file + " holds no numbers: it was taken for a header "
                     "and skipped.";
        }
    }
    const int rowCount = static_cast<int>(lines.size() - start);
    for (std::size_t k = start; k < lines.size(); ++k) {
        const std::vector<std::string> row = split(lines[k]->text);
        const int cols = static_cast<int>(row.size());
        if (cols == 0) // a line of nothing but separators
            return failure("Sorry, line " + std::to_string(lines[k]->number) + " of " + file +
                           " holds no values.");
        if (k == start) {
            r.cols = cols;
            if (rowCount > MaxDim || cols > MaxDim)
                return failure(tooLarge(file, rowCount, cols));
        } else if (cols != r.cols) {
            return failure("Sorry, line " + std::to_string(lines[k]->number) + " of " + file +
                           " has " + std::to_string(cols) + " value" + (cols == 1 ? "" : "s") +
                           " where the lines before have " + std::to_string(r.cols) + ".");
        }
        for (int j = 0; j < cols; ++j) {
            std::string error;
            const std::optional<double> v = cell(row[j], lines[k]->number, j + 1, file, error);
            if (!v)
                return failure(error);
            r.values.push_back(*v);
        }
    }
    r.rows = rowCount;
    if (r.rows == 0)
        return failure("Sorry, " + file + " holds no values.");
    r.read = true;
    return r;
}

// "data/exam.csv" gives "exam".
std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}
} // namespace

MatrixImport::Result MatrixImport::Read(std::string_view text, const std::string& file) {
    const std::vector<Line> lines = linesOf(text);
    for (const Line& line : lines) {
        if (blank(line.text))
            continue;
        std::string key;
        std::string value;
        if (line.text.compare(0, 2, "# ") == 0) {
            for (const Line& l : lines)
                if (header(l.text, key, value) && key == "name")
                    return octave(lines, file);
        }
        break;
    }
    return rows(lines, file);
}

bool MatrixImport::Import(GVar& workspace, Messages& messages, const std::string& path,
                          const std::string& name) {
    const std::string shown = "\"" + FilePath::Shown(path) + "\"";
    if (!FilePath::Nameable(path)) {
        messages.ShowMessage("Sorry, the file " + shown + " cannot be read: " +
                             FilePath::NulReason + ".");
        return false;
    }
    if (workspace.MatrixCount >= MaxMatrices) {
        messages.ShowMessage(GVar::FullMessage);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        messages.ShowMessage("Sorry, the file " + shown + " cannot be read: " +
                             std::strerror(errno) + ".");
        return false;
    }
    std::string text;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    if (text.size() > MaxFileBytes) {
        messages.ShowMessage("Sorry, the file " + shown + " is too large for one matrix.");
        return false;
    }
    const Result result = Read(text, shown);
    if (!result.read) {
        messages.ShowMessage(result.error);
        return false;
    }
    TMatrixRec& m = workspace.AppendNew();
    m.Rows = static_cast<std::uint8_t>(result.rows);
    m.Cols = static_cast<std::uint8_t>(result.cols);
    for (int i = 1; i <= result.rows; ++i)
        for (int j = 1; j <= result.cols; ++j)
            m.At(i, j) = result.values[(i - 1) * result.cols + (j - 1)];
    m.SetName(!name.empty() ? name : !result.name.empty() ? result.name : baseName(path));
    if (!result.note.empty())
        messages.ShowMessage(result.note);
    return true;
}
