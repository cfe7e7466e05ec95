// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WorkingLatex.h"

#include "WorkingText.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace {
const char* const EndLine = WorkingText::EndLine;
const std::size_t None = std::string::npos;

// amsmath's matrices take this many columns unless a document raises its
// MaxMatrixCols; wider ones are arrays, which have no such limit.
const std::size_t MatrixCols = 10;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == None)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string subscript(const std::string& index) {
    return index.size() == 1 ? "_" + index : "_{" + index + "}";
}

// The letters of Latin-1 (U+00C0 to U+00FF) as accents on ASCII letters,
// which pdflatex sets in its default font encoding without a package; ""
// where that encoding has no such letter.
const char* const Latin1Letters[64] = {
    "\\`{A}",   "\\'{A}",   "\\^{A}",   "\\~{A}",
    "\\\"{A}",  "\\AA{}",   "\\AE{}",   "\\c{C}",
    "\\`{E}",   "\\'{E}",   "\\^{E}",   "\\\"{E}",
    "\\`{I}",   "\\'{I}",   "\\^{I}",   "\\\"{I}",
    "",         "\\~{N}",   "\\`{O}",   "\\'{O}",
    "\\^{O}",   "\\~{O}",   "\\\"{O}",  "\\ensuremath{\\times}",
    "\\O{}",    "\\`{U}",   "\\'{U}",   "\\^{U}",
    "\\\"{U}",  "\\'{Y}",   "",         "\\ss{}",
    "\\`{a}",   "\\'{a}",   "\\^{a}",   "\\~{a}",
    "\\\"{a}",  "\\aa{}",   "\\ae{}",   "\\c{c}",
    "\\`{e}",   "\\'{e}",   "\\^{e}",   "\\\"{e}",
    "\\`{\\i}", "\\'{\\i}", "\\^{\\i}", "\\\"{\\i}",
    "",         "\\~{n}",   "\\`{o}",   "\\'{o}",
    "\\^{o}",   "\\~{o}",   "\\\"{o}",  "\\ensuremath{\\div}",
    "\\o{}",    "\\`{u}",   "\\'{u}",   "\\^{u}",
    "\\\"{u}",  "\\'{y}",   "",         "\\\"{y}",
};

// The length of the UTF-8 sequence at text[i] and its code point, or 0
// for a byte that starts none (a name cut in the middle of a letter).
std::size_t utf8At(const std::string& text, std::size_t i, unsigned long& code) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead >= 0xF5   ? 0
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC2 ? 2
                                              : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    code = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    return length;
}

// What LaTeX reads as commands, and what its default font encoding sets
// as other glyphs ("<" as an inverted exclamation mark) or joins into
// ligatures ("?`"), as the text commands for the characters themselves.
const struct {
    char c;
    const char* latex;
} Escapes[] = {
    {'#', "\\#"},
    {'$', "\\$"},
    {'%', "\\%"},
    {'&', "\\&"},
    {'_', "\\_"},
    {'{', "\\{"},
    {'}', "\\}"},
    {'\\', "\\textbackslash{}"},
    {'~', "\\textasciitilde{}"},
    {'^', "\\textasciicircum{}"},
    {'<', "\\textless{}"},
    {'>', "\\textgreater{}"},
    {'|', "\\textbar{}"},
    {'`', "{}`"},
};

// Text as LaTeX sets it. Anything not ASCII but a Latin-1 letter is a
// "?": the document must compile whatever a name holds.
std::string escapeText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            unsigned long code = 0;
            const std::size_t length = utf8At(text, i, code);
            const char* letter =
                length > 0 && code >= 0xC0 && code <= 0xFF ? Latin1Letters[code - 0xC0] : "";
            out += *letter ? letter : "?";
            i += length > 0 ? length - 1 : 0;
        } else if (c == '"') {
            const char before = i > 0 ? text[i - 1] : ' ';
            out += before == ' ' || before == '(' || before == '[' ? "``" : "''";
        } else if (c == '-') {
            out += i + 1 < text.size() && text[i + 1] == '-' ? "-{}" : "-";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            out += ' ';
        } else {
            const auto escape = std::find_if(std::begin(Escapes), std::end(Escapes),
                                             [c](const auto& e) { return e.c == c; });
            if (escape != std::end(Escapes))
                out += escape->latex;
            else
                out += c;
        }
    }
    return out;
}

// An unsigned number at text[i] as the workings write it: "12", "0.30305",
// "1.4142E+0300", "1234567890...8901234567 (301 digits)"; i moves past it.
// false, i unchanged, when there is none.
bool readNumber(const std::string& text, std::size_t& i, std::string& latex) {
    const auto digits = [&](std::size_t& k) {
        const std::size_t start = k;
        while (k < text.size() && isDigit(text[k]))
            ++k;
        return k > start;
    };
    std::size_t j = i;
    if (!digits(j))
        return false;
    if (text.compare(j, 3, "...") == 0) {
        std::size_t k = j + 3;
        const std::size_t last = k;
        if (!digits(k) || text.compare(k, 2, " (") != 0)
            return false;
        const std::size_t count = k + 2;
        std::size_t end = count;
        if (!digits(end) || text.compare(end, 8, " digits)") != 0)
            return false;
        latex = text.substr(i, j - i) + "\\ldots " + text.substr(last, k - last) + "\\text{ (" +
                text.substr(count, end - count) + " digits)}";
        i = end + 8;
        return true;
    }
    if (j + 1 < text.size() && text[j] == '.' && isDigit(text[j + 1])) {
        ++j;
        digits(j);
    }
    latex = text.substr(i, j - i);
    if (j + 2 < text.size() && text[j] == 'E' && (text[j + 1] == '+' || text[j + 1] == '-') &&
        isDigit(text[j + 2])) {
        std::size_t k = j + 2;
        digits(k);
        std::string exponent = text.substr(j + 2, k - j - 2);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        latex += "\\times 10^{" + std::string(text[j + 1] == '-' ? "-" : "") + exponent + "}";
        j = k;
    }
    i = j;
    return true;
}

// A number, or a fraction p/q of two of them as frac ("\\frac" or
// "\\tfrac") sets it.
bool readFraction(const std::string& text, std::size_t& i, const char* frac, std::string& latex) {
    std::string p;
    if (!readNumber(text, i, p))
        return false;
    std::size_t j = i + 1;
    std::string q;
    if (i < text.size() && text[i] == '/' && readNumber(text, j, q)) {
        latex = std::string(frac) + "{" + p + "}{" + q + "}";
        i = j;
    } else {
        latex = p;
    }
    return true;
}

// Reads a formula as the workings write them: entry names (u12, x3, A_1,
// C_ij, u(12,3)), numbers and fractions, names of matrices and functions
// (inv(A), det(M11), sqrt(...)), + - * / ^ ' = ~ +/- /= and brackets. A
// word of two letters or more that stands next to anything but an
// operator or a bracket is a sentence's, not a formula's; so is any other
// character, which leaves the line to be text.
class MathReader {
public:
    explicit MathReader(const std::string& text) : m_text(text) {}

    // The formula as LaTeX math; false when the text is none.
    bool Read(std::string& latex) {
        m_i = 0;
        m_relation = false;
        std::string math;
        if (m_text.find_first_not_of(' ') == None || !sequence(0, math) || m_i != m_text.size())
            return false;
        latex = std::move(math);
        return true;
    }

    // Whether it says something: holds "=", "~" or "/=".
    bool Relation() const { return m_relation; }

private:
    enum class Last { Start, Operator, Atom, Word };

    // Up to closer (')' or ']', consumed) or, for 0, the end.
    bool sequence(char closer, std::string& out) {
        Last last = Last::Start;
        bool raised = false; // the last atom has its superscript
        for (;;) {
            bool spaced = false;
            while (m_i < m_text.size() && m_text[m_i] == ' ') {
                ++m_i;
                spaced = true;
            }
            if (m_i == m_text.size())
                return closer == 0;
            if (spaced && !out.empty() && out.back() != ' ')
                out += ' ';
            const char c = m_text[m_i];
            // Two things side by side, either of them a word, make prose.
            const auto nextTo = [&](Last kind) {
                const bool after = last == Last::Atom || last == Last::Word;
                return !(spaced && after && (kind == Last::Word || last == Last::Word));
            };
            if (c == ')' || c == ']') {
                ++m_i;
                return c == closer;
            }
            if (isDigit(c)) {
                std::string number;
                readFraction(m_text, m_i, "\\tfrac", number);
                if (!nextTo(Last::Atom))
                    return false;
                out += number;
                last = Last::Atom;
                raised = false;
            } else if (isLetter(c)) {
                Last kind = Last::Atom;
                std::string name;
                if (!readName(name, kind) || !nextTo(kind))
                    return false;
                out += name;
                last = kind;
                raised = false;
            } else if (c == '(' || c == '[') {
                if (!nextTo(Last::Atom))
                    return false;
                ++m_i;
                std::string inner;
                if (!sequence(c == '(' ? ')' : ']', inner))
                    return false;
                out += c == '(' ? "(" + inner + ")" : "[" + inner + "]";
                last = Last::Atom;
                raised = false;
            } else if (c == '^' || c == '\'') {
                if (last != Last::Atom && last != Last::Word)
                    return false;
                if (raised || spaced)
                    return false;
                ++m_i;
                std::string power;
                if (c == '\'')
                    power = "\\mathsf{T}";
                else if (!readPower(power))
                    return false;
                out += "^{" + power + "}";
                raised = true;
            } else {
                const char* op = operatorAt(closer != 0);
                if (!op)
                    return false;
                out += op;
                last = Last::Operator;
                raised = false;
            }
        }
    }

    // An operator at m_i as LaTeX, moving past it; nullptr for none. A
    // comma only separates inside brackets.
    const char* operatorAt(bool bracketed) {
        static const struct {
            const char* text;
            const char* latex;
            bool relation;
        } operators[] = {
            {"+/-", "\\pm ", false}, {"/=", "\\neq ", true},   {"+", "+", false},
            {"-", "-", false},       {"*", "\\cdot ", false},  {"/", "/", false},
            {"=", "=", true},        {"~", "\\approx ", true}, {"|", "\\mid ", false},
            {",", ",", false},
        };
        for (const auto& op : operators)
            if (m_text.compare(m_i, std::char_traits<char>::length(op.text), op.text) == 0) {
                if (op.text[0] == ',' && !bracketed)
                    return nullptr;
                m_i += std::char_traits<char>::length(op.text);
                m_relation = m_relation || op.relation;
                return op.latex;
            }
        return nullptr;
    }

    // Letters, then digits or "_" and an index as a subscript; before "("
    // a function's name or an entry's "u(12,3)".
    bool readName(std::string& out, Last& kind) {
        const std::size_t start = m_i;
        while (m_i < m_text.size() && isLetter(m_text[m_i]))
            ++m_i;
        const std::string letters = m_text.substr(start, m_i - start);
        std::size_t end = m_i;
        while (end < m_text.size() && isDigit(m_text[end]))
            ++end;
        std::string index = m_text.substr(m_i, end - m_i);
        m_i = end;
        if (index.empty() && m_i + 1 < m_text.size() && m_text[m_i] == '_') {
            end = m_i + 1;
            while (end < m_text.size() && (isLetter(m_text[end]) || isDigit(m_text[end])))
                ++end;
            index = m_text.substr(m_i + 1, end - m_i - 1);
            if (index.empty())
                return false;
            m_i = end;
        }
        const bool call = m_i < m_text.size() && m_text[m_i] == '(';
        if (call && letters == "sqrt" && index.empty()) {
            ++m_i;
            std::string inner;
            if (!sequence(')', inner))
                return false;
            out = "\\sqrt{" + inner + "}";
            return true;
        }
        if (call && letters.size() == 1 && index.empty()) {
            // u(12,3): an entry past the ninth row or column.
            end = m_i + 1;
            while (end < m_text.size() && isDigit(m_text[end]))
                ++end;
            const std::size_t comma = end;
            if (comma > m_i + 1 && comma < m_text.size() && m_text[comma] == ',') {
                end = comma + 1;
                while (end < m_text.size() && isDigit(m_text[end]))
                    ++end;
                if (end > comma + 1 && end < m_text.size() && m_text[end] == ')') {
                    out = letters + "_{" + m_text.substr(m_i + 1, end - m_i - 1) + "}";
                    m_i = end + 1;
                    return true;
                }
            }
        }
        if (letters.size() == 1)
            out = letters;
        else if (call)
            out = letters == "det" ? "\\det" : "\\operatorname{" + letters + "}";
        else
            out = "\\mathit{" + letters + "}";
        if (!index.empty())
            out += subscript(index);
        kind = letters.size() > 1 && !call ? Last::Word : Last::Atom;
        return true;
    }

    // After "^": a bracketed exponent, a number with its sign, or a letter.
    bool readPower(std::string& power) {
        if (m_i < m_text.size() && m_text[m_i] == '(') {
            ++m_i;
            return sequence(')', power);
        }
        std::string sign;
        if (m_i < m_text.size() && m_text[m_i] == '-') {
            sign = "-";
            ++m_i;
        }
        if (readNumber(m_text, m_i, power)) {
            power = sign + power;
            return true;
        }
        if (sign.empty() && m_i < m_text.size() && isLetter(m_text[m_i])) {
            power = m_text.substr(m_i++, 1);
            return true;
        }
        return false;
    }

    const std::string& m_text;
    std::size_t m_i = 0;
    bool m_relation = false;
};

// text as math when it is a formula; with relation, only when it says
// something.
bool formulaOf(const std::string& text, std::string& latex, bool relation) {
    MathReader reader(text);
    return reader.Read(latex) && (!relation || reader.Relation());
}

// "R12" at text[i] as "R_{12}".
bool readRow(const std::string& text, std::size_t& i, std::string& latex) {
    if (i >= text.size() || text[i] != 'R')
        return false;
    std::size_t j = i + 1;
    while (j < text.size() && isDigit(text[j]))
        ++j;
    if (j == i + 1)
        return false;
    latex = "R" + subscript(text.substr(i + 1, j - i - 1));
    i = j;
    return true;
}

// A multiple of a row as the operations write it: "R1", "2 R1",
// "(1/4) R1", "(-2) R1"; the bracket is only there for the plain text.
bool readMultiple(const std::string& text, std::size_t& i, std::string& latex) {
    std::size_t j = i;
    std::string factor;
    if (j < text.size() && text[j] == '(') {
        const bool negative = text.compare(j + 1, 1, "-") == 0;
        j += negative ? 2 : 1;
        if (!readFraction(text, j, "\\tfrac", factor) || text.compare(j, 2, ") ") != 0)
            return false;
        factor.insert(0, negative ? "-" : "");
        j += 2;
    } else if (readNumber(text, j, factor)) {
        if (text.compare(j, 1, " ") != 0)
            return false;
        ++j;
    }
    std::string row;
    if (!readRow(text, j, row))
        return false;
    latex = factor.empty() ? row : factor + " " + row;
    i = j;
    return true;
}

// "R2 <- R2 - (3/2) R1", "R1 <-> R3", "R1 <- (1/2) R1", and words two or
// more blanks after it; "" for any other line.
std::string rowOperation(const std::string& line) {
    std::size_t i = 0;
    std::string latex;
    if (!readRow(line, i, latex))
        return std::string();
    std::string row;
    if (line.compare(i, 5, " <-> ") == 0) {
        i += 5;
        if (!readRow(line, i, row))
            return std::string();
        latex += " \\leftrightarrow " + row;
    } else if (line.compare(i, 4, " <- ") == 0) {
        i += 4;
        if (!readMultiple(line, i, row))
            return std::string();
        latex += " \\leftarrow " + row;
        if (line.compare(i, 3, " + ") == 0 || line.compare(i, 3, " - ") == 0) {
            const char sign = line[i + 1];
            i += 3;
            if (!readMultiple(line, i, row))
                return std::string();
            latex += std::string(" ") + sign + " " + row;
        }
    } else {
        return std::string();
    }
    const std::size_t words = line.find_first_not_of(' ', i);
    if (words == None)
        return latex;
    if (words < i + 2)
        return std::string();
    return latex + " \\quad \\text{" + escapeText(line.substr(words)) + "}";
}

// A matrix entry as LaTeX: a number or a fraction, the sign in front, or
// a polynomial in one letter as t I - A has them ("t - 2", "t^2 - 3 t +
// 2"); "" for anything else.
std::string cellLatex(const std::string& cell) {
    std::string out;
    std::size_t i = 0;
    for (bool first = true;; first = false) {
        if (!first) {
            if (i == cell.size())
                return out;
            if (cell.compare(i, 3, " + ") != 0 && cell.compare(i, 3, " - ") != 0)
                return std::string();
            out += std::string(" ") + cell[i + 1] + " ";
            i += 3;
        }
        if (i < cell.size() && cell[i] == '-') {
            out += '-';
            ++i;
        }
        std::string number;
        if (readFraction(cell, i, "\\frac", number)) {
            out += number;
            if (i + 1 >= cell.size() || cell[i] != ' ' || !isLetter(cell[i + 1]))
                continue;
            out += ' ';
            ++i;
        }
        if (i >= cell.size() || !isLetter(cell[i]) ||
            (i + 1 < cell.size() && isLetter(cell[i + 1])))
            return std::string();
        out += cell[i++];
        if (i < cell.size() && cell[i] == '^') {
            const std::size_t start = ++i;
            while (i < cell.size() && isDigit(cell[i]))
                ++i;
            if (i == start)
                return std::string();
            out += "^{" + cell.substr(start, i - start) + "}";
        }
    }
}

struct BlockRow {
    std::vector<std::string> cells; // LaTeX
    int bar = -1;                   // the cells before the "|", if any
};

// A line of a matrix block: indented by two blanks or more, cells at least
// two blanks apart, one of them at most a "|" between others.
bool blockRow(const std::string& line, BlockRow& row) {
    if (line.compare(0, 2, "  ") != 0)
        return false;
    for (std::size_t i = line.find_first_not_of(' '); i != None;
         i = line.find_first_not_of(' ', i)) {
        std::size_t end = line.find("  ", i);
        if (end == None)
            end = line.size();
        const std::string cell = line.substr(i, end - i);
        i = end;
        if (cell == "|") {
            if (row.bar >= 0 || row.cells.empty())
                return false;
            row.bar = static_cast<int>(row.cells.size());
            continue;
        }
        std::string latex = cellLatex(cell);
        if (latex.empty())
            return false;
        row.cells.push_back(std::move(latex));
    }
    return !row.cells.empty() && row.bar < static_cast<int>(row.cells.size());
}

// The rows of the matrix block starting at lines[i], all of one shape;
// none when none starts there.
std::vector<BlockRow> blockAt(const std::vector<std::string>& lines, std::size_t i) {
    std::vector<BlockRow> rows;
    for (; i < lines.size(); ++i) {
        BlockRow row;
        if (!blockRow(lines[i], row) ||
            (!rows.empty() && (row.cells.size() != rows[0].cells.size() || row.bar != rows[0].bar)))
            break;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string matrixLatex(const std::vector<BlockRow>& rows) {
    const std::size_t cols = rows[0].cells.size();
    const int bar = rows[0].bar;
    std::string body;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < cols; ++c)
            body += (c > 0 ? " & " : "") + rows[r].cells[c];
        body += std::string(r + 1 < rows.size() ? "\\\\" : "") + EndLine;
    }
    if (bar < 0 && cols <= MatrixCols)
        return "\\begin{bmatrix}" + std::string(EndLine) + body + "\\end{bmatrix}";
    std::string columns(cols, 'c');
    if (bar >= 0)
        columns.insert(static_cast<std::size_t>(bar), "|");
    return "\\left[\\begin{array}{" + columns + "}" + EndLine + body + "\\end{array}\\right]";
}

// Where text may be cut into words and a formula after them: after each
// ": " and ", ", from the left, so that the formula is the longest.
std::vector<std::size_t> separators(const std::string& text) {
    std::vector<std::size_t> cuts;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] == ':' || text[i] == ',') && text[i + 1] == ' ')
            cuts.push_back(i + 2);
    return cuts;
}

// A line of text, a formula that closes it or opens it ("t - 1 = 0: t =
// 1, ...") as inline math.
std::string textLatex(const std::string& line) {
    std::string core = line;
    std::string end;
    if (!core.empty() && (core.back() == ':' || core.back() == '.' || core.back() == ',')) {
        end = core.substr(core.size() - 1);
        core.pop_back();
    }
    std::string math;
    if (formulaOf(core, math, true))
        return "$" + math + "$" + end;
    const std::vector<std::size_t> cuts = separators(core);
    for (const std::size_t cut : cuts)
        if (formulaOf(core.substr(cut), math, true))
            return escapeText(core.substr(0, cut)) + "$" + math + "$" + end;
    for (auto cut = cuts.rbegin(); cut != cuts.rend(); ++cut)
        if (formulaOf(core.substr(0, *cut - 2), math, true))
            return "$" + math + "$" + core.substr(*cut - 2, 2) + textLatex(core.substr(*cut) + end);
    return escapeText(line);
}

// The body as it is written: text lines of a paragraph joined by line
// breaks, each display on lines of its own.
class BodyWriter {
public:
    void Text(const std::string& latex, bool indented) {
        const std::string line = (indented ? "\\quad " : "") + latex;
        const std::size_t first = line.find_first_not_of(' ');
        if (m_inText)
            // A line break reads a "[" or "*" after it as its own argument.
            m_out += std::string("\\\\") + EndLine +
                     (first != None && (line[first] == '[' || line[first] == '*') ? "{}" : "") +
                     line;
        else
            m_out += "\\noindent " + line;
        m_inText = true;
        m_blank = false;
    }

    void Display(const std::string& math) { Environment("\\[", math, "\\]"); }

    void Environment(const std::string& begin, const std::string& math, const std::string& end) {
        endText();
        m_out += begin + EndLine + math + EndLine + end + EndLine;
        m_blank = false;
    }

    // A paragraph break, with the little space the plain text's empty
    // line gives between steps.
    void Blank() {
        endText();
        if (!m_blank)
            m_out += std::string(EndLine) + "\\medskip" + EndLine;
        m_blank = true;
    }

    std::string& Out() {
        endText();
        return m_out;
    }

private:
    void endText() {
        if (m_inText)
            m_out += EndLine;
        m_inText = false;
    }

    std::string m_out;
    bool m_inText = false;
    bool m_blank = true;
};

// A "name:" line and the matrix under it: "name = " in front of the
// matrix, or what comes before a name ("A is invertible: inv(A) = ...")
// as text on its own line.
void labelledMatrix(BodyWriter& writer, const std::string& label, const std::string& matrix) {
    const std::string name = label.substr(0, label.size() - 1);
    std::string math;
    if (formulaOf(name, math, false))
        return writer.Display(math + " = " + matrix);
    for (const std::size_t cut : separators(name))
        if (formulaOf(name.substr(cut), math, false)) {
            writer.Text(textLatex(name.substr(0, cut - 1)), false);
            return writer.Display(math + " = " + matrix);
        }
    writer.Text(textLatex(label), false);
    writer.Display(matrix);
}

// The "=" of a formula that stands outside brackets first, or None.
std::size_t firstEquals(const std::string& formula) {
    int depth = 0;
    for (std::size_t i = 0; i + 2 < formula.size(); ++i) {
        depth += formula[i] == '(' || formula[i] == '['   ? 1
                 : formula[i] == ')' || formula[i] == ']' ? -1
                                                          : 0;
        if (depth == 0 && formula.compare(i, 3, " = ") == 0)
            return i;
    }
    return None;
}

// A formula line, and the lines under it that go on with "= ..." (the
// characteristic polynomial worked out), aligned at their equals signs.
// Returns how many lines it took.
std::size_t formulaLines(BodyWriter& writer, const std::vector<std::string>& lines, std::size_t at,
                         const std::string& first, const std::string& firstLatex) {
    std::vector<std::string> more;
    for (std::size_t j = at + 1; j < lines.size(); ++j) {
        const std::size_t start = lines[j].find_first_not_of(' ');
        std::string math;
        if (start == 0 || start == None || lines[j].compare(start, 2, "= ") != 0 ||
            !formulaOf(lines[j].substr(start + 2), math, false))
            break;
        more.push_back(math);
    }
    const std::size_t equals = firstEquals(first);
    std::string left;
    std::string right;
    if (more.empty() || equals == None || !formulaOf(first.substr(0, equals), left, false) ||
        !formulaOf(first.substr(equals + 3), right, false)) {
        writer.Display(firstLatex);
        return 1;
    }
    std::string rows = left + " &= " + right;
    for (const std::string& math : more)
        rows += std::string("\\\\") + EndLine + "&= " + math;
    writer.Environment("\\begin{align*}", rows, "\\end{align*}");
    return 1 + more.size();
}
} // namespace

std::string WorkingLatex::Document(const std::string& working) {
    return std::string("\\documentclass{article}") + EndLine + "\\usepackage{amsmath}" + EndLine +
           "\\begin{document}" + EndLine + Body(working) + "\\end{document}" + EndLine;
}

std::string WorkingLatex::Body(const std::string& working) {
    const std::vector<std::string> lines = splitLines(working);
    if (lines.empty())
        return std::string();
    BodyWriter writer;
    writer.Out() = "\\section*{" + escapeText(lines[0]) + "}" + EndLine;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t start = line.find_first_not_of(' ');
        if (start == None) {
            writer.Blank();
            continue;
        }
        if (const std::string operation = rowOperation(line); !operation.empty()) {
            writer.Display(operation);
            continue;
        }
        std::vector<BlockRow> block = blockAt(lines, i);
        if (!block.empty()) {
            writer.Display(matrixLatex(block));
            i += block.size() - 1;
            continue;
        }
        if (start == 0 && line.back() == ':' && !(block = blockAt(lines, i + 1)).empty()) {
            labelledMatrix(writer, line, matrixLatex(block));
            i += block.size();
            continue;
        }
        const std::string text = line.substr(start);
        std::string math;
        MathReader reader(text);
        if (reader.Read(math) &&
            (reader.Relation() || (start > 0 && text.front() == '(' && text.back() == ')'))) {
            i += formulaLines(writer, lines, i, text, math) - 1;
            continue;
        }
        writer.Text(textLatex(text), start > 0);
    }
    return writer.Out();
}
