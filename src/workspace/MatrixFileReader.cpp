// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixFileReader.h"

#include "FilePath.h"
#include "GVar.h"
#include "Messages.h"
#include "MyString.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {
// A cursor over the characters of a data file, with the line rules of the
// format.
class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) {
        const std::size_t eof = m_text.find('\x1A');
        if (eof != std::string_view::npos)
            m_text = m_text.substr(0, eof);
    }

    bool AtEnd() const { return m_pos >= m_text.size(); }

    // Skips every character of code 32 or less, line ends included.
    void SkipBlanks() {
        while (m_pos < m_text.size() && static_cast<unsigned char>(m_text[m_pos]) <= 32)
            ++m_pos;
    }

    // The rest of the current line without its line end; every CR in it is
    // dropped (one before the LF ends the line, a lone one is no character).
    // Written into line, whose storage is reused from line to line.
    void ReadLine(std::string& line) {
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        line.clear();
        for (std::size_t from = m_pos; from < end;) {
            std::size_t cr = m_text.find('\r', from);
            if (cr == std::string_view::npos || cr > end)
                cr = end;
            line.append(m_text, from, cr - from);
            from = cr + 1;
        }
        m_pos = end < m_text.size() ? end + 1 : end;
    }

    std::string ReadLine() {
        std::string line;
        ReadLine(line);
        return line;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

std::string dimensionsMessage(int k, const std::string& name, const std::string& size) {
    return "Sorry, matrix " + std::to_string(k) + " (" + name + ") cannot be read: it " + size +
           ", and a matrix has 0 to 50 rows and 0 to 50 columns (at most 50 x 50).";
}

bool outsideLimit(int count) { return count < 0 || count > MaxDim; }
} // namespace

bool MatrixFileReader::ReadMatrixFile(const std::string& path) {
    if (!FilePath::Nameable(path)) {
        m_messages.ShowMessage("Sorry, the file \"" + FilePath::Shown(path) +
                               "\" cannot be opened: " + FilePath::NulReason + ".");
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        m_messages.ShowMessage("Sorry, the file \"" + path + "\" cannot be opened: " +
                               std::strerror(errno) + ".");
        return false;
    }
    std::string content;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    const int readFailed = std::ferror(file);
    const int error = errno;
    std::fclose(file);
    if (readFailed) {
        m_messages.ShowMessage("Sorry, the file \"" + path + "\" cannot be read: " +
                               std::strerror(error) + ".");
        return false;
    }
    ReadMatrixText(content);
    return true;
}

void MatrixFileReader::ReadMatrixText(std::string_view content) {
    Cursor file(content);
    m_workspace.HeaderLine = file.ReadLine();
    m_workspace.Clear();

    // One line buffer for the whole file: when the file ends before a needed
    // line, the reads take what is left of the previous one.
    MyString::Line buffer;
    const auto readError = [this](int k) {
        m_messages.ShowMessage("Error in reading matrix" + std::to_string(k) + ".");
    };

    for (int k = 1;; ++k) {
        file.SkipBlanks();
        if (file.AtEnd())
            return;

        std::unique_ptr<TMatrixRec> record;
        try {
            record = std::make_unique<TMatrixRec>();
        } catch (const std::bad_alloc&) {
            m_messages.ShowMessage("Sorry, insufficient memory to read matrix " +
                                   std::to_string(k) + ".\r");
            return;
        }
        TMatrixRec& matrix = *record;
        matrix.SetName(file.ReadLine());

        file.SkipBlanks();
        if (!file.AtEnd())
            file.ReadLine(buffer.Text());
        const std::int32_t rows = m_reader.ReadInteger(buffer, GVar::Delimiters);
        if (m_reader.ReadError) {
            m_workspace.Append(std::move(record));
            readError(k);
            return;
        }
        const std::int32_t cols = m_reader.ReadInteger(buffer, GVar::Delimiters);
        const bool colsFailed = m_reader.ReadError;
        if (outsideLimit(rows) || (!colsFailed && outsideLimit(cols))) {
            // A record holds 50 x 50 values only: refuse the matrix whole.
            m_messages.ShowMessage(dimensionsMessage(
                k, matrix.Name,
                colsFailed ? "has " + std::to_string(rows) + " rows"
                           : "is " + std::to_string(rows) + " x " + std::to_string(cols)));
            return;
        }
        matrix.Rows = static_cast<std::uint8_t>(rows);
        if (colsFailed) {
            m_workspace.Append(std::move(record));
            readError(k);
            return;
        }
        matrix.Cols = static_cast<std::uint8_t>(cols);
        m_workspace.Append(std::move(record));

        for (int i = 1; i <= rows; ++i) {
            file.SkipBlanks();
            if (!file.AtEnd())
                file.ReadLine(buffer.Text());
            for (int j = 1; j <= cols; ++j) {
                matrix.At(i, j) = m_reader.ReadDouble(buffer, GVar::Delimiters);
                if (m_reader.ReadError) {
                    readError(k);
                    return;
                }
            }
        }

        if (k + 1 > MaxMatrices) {
            m_messages.ShowMessage("Sorry, too many matrices in file.");
            return;
        }
    }
}
