// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixExport.h"

#include "CellText.h"
#include "GVar.h"
#include "MatrixFileWriter.h"
#include "Messages.h"

#include <algorithm>
#include <cctype>
#include <cmath>

const std::string MatrixExport::UnknownFormatMessage =
    "Sorry, a matrix is exported as .csv (a spreadsheet), .txt (Octave's text format) or .tex "
    "(LaTeX): the file's name must end in one of them.";

namespace {
bool endsWith(const std::string& text, const char* tail) {
    const std::size_t n = std::char_traits<char>::length(tail);
    if (text.size() < n)
        return false;
    for (std::size_t k = 0; k < n; ++k)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + k])) != tail[k])
            return false;
    return true;
}

// Octave's spellings of the values its load reads that are not finite.
std::string octaveNumber(double x) {
    if (std::isnan(x))
        return "NaN";
    if (std::isinf(x))
        return x < 0 ? "-Inf" : "Inf";
    return CellText::EditText(x);
}

// "1.5e+20" as 1.5 \times 10^{20}.
std::string latexDecimal(double x) {
    const std::string text = CellText::EditText(x);
    const std::size_t e = text.find('e');
    if (e == std::string::npos)
        return text;
    std::string exponent = text.substr(e + 1);
    if (!exponent.empty() && exponent[0] == '+')
        exponent.erase(0, 1);
    return text.substr(0, e) + " \\times 10^{" + exponent + "}";
}

std::string latexValue(double x, bool fractions) {
    if (fractions)
        if (const std::optional<std::string> fraction = CellText::FractionText(x)) {
            const std::size_t slash = fraction->find('/');
            if (slash == std::string::npos)
                return *fraction;
            const bool negative = (*fraction)[0] == '-';
            const std::string p = fraction->substr(negative ? 1 : 0, slash - (negative ? 1 : 0));
            return std::string(negative ? "-" : "") + "\\frac{" + p + "}{" +
                   fraction->substr(slash + 1) + "}";
        }
    return latexDecimal(x);
}
} // namespace

std::optional<MatrixExport::Format> MatrixExport::FormatOf(const std::string& path) {
    if (endsWith(path, ".csv"))
        return Format::Csv;
    if (endsWith(path, ".txt"))
        return Format::Octave;
    if (endsWith(path, ".tex"))
        return Format::Latex;
    return std::nullopt;
}

std::string MatrixExport::Csv(const TMatrixRec& m) {
    std::string text;
    for (int i = 1; i <= m.Rows; ++i) {
        for (int j = 1; j <= m.Cols; ++j)
            text += (j > 1 ? "," : "") + CellText::EditText(m.At(i, j));
        text += "\r\n";
    }
    return text;
}

std::string MatrixExport::Identifier(const std::string& name) {
    std::string id;
    for (const char c : name) {
        const bool word = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (word)
            id += c;
        else if (!id.empty() && id.back() != '_')
            id += '_';
    }
    while (!id.empty() && id.back() == '_')
        id.pop_back();
    if (id.empty() || std::isdigit(static_cast<unsigned char>(id[0])))
        id = "m" + id;
    static const char* const keywords[] = {
        "break", "case", "catch", "classdef", "continue", "do", "else", "elseif", "end",
        "end_try_catch", "end_unwind_protect", "endclassdef", "endenumeration", "endevents",
        "endfor", "endfunction", "endif", "endmethods", "endparfor", "endproperties",
        "endswitch", "endwhile", "enumeration", "events", "for", "function", "global", "if",
        "methods", "otherwise", "parfor", "persistent", "properties", "return", "switch", "try",
        "until", "unwind_protect", "unwind_protect_cleanup", "while"};
    if (std::find(std::begin(keywords), std::end(keywords), id) != std::end(keywords))
        id += "_";
    return id;
}

std::string MatrixExport::OctaveText(const TMatrixRec& m) {
    std::string text = "# Created by Zendra\n# name: " + Identifier(m.Name) +
                       "\n# type: matrix\n# rows: " + std::to_string(m.Rows) +
                       "\n# columns: " + std::to_string(m.Cols) + "\n";
    for (int i = 1; i <= m.Rows; ++i) {
        for (int j = 1; j <= m.Cols; ++j)
            text += " " + octaveNumber(m.At(i, j));
        text += "\n";
    }
    return text + "\n\n";
}

std::string MatrixExport::Latex(const TMatrixRec& m, bool fractions) {
    std::string text = "\\begin{bmatrix}\n";
    for (int i = 1; i <= m.Rows; ++i) {
        text += "  ";
        for (int j = 1; j <= m.Cols; ++j)
            text += (j > 1 ? " & " : "") + latexValue(m.At(i, j), fractions);
        text += i < m.Rows ? " \\\\\n" : "\n";
    }
    return text + "\\end{bmatrix}\n";
}

bool MatrixExport::Export(const GVar& workspace, Messages& messages, int slot,
                          const std::string& path, bool fractions) {
    if (!workspace.IsSlot(slot))
        return false;
    const std::optional<Format> format = FormatOf(path);
    if (!format) {
        messages.ShowMessage(UnknownFormatMessage);
        return false;
    }
    const TMatrixRec& m = workspace.Matrix(slot);
    const std::string text = *format == Format::Csv      ? Csv(m)
                             : *format == Format::Octave ? OctaveText(m)
                                                         : Latex(m, fractions);
    return MatrixFileWriter::WriteWhole(path, text, messages);
}
