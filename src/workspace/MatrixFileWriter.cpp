#include "MatrixFileWriter.h"

#include "GVar.h"
#include "MUtil.h"
#include "Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// The reader skips blank characters before a name and stops at Ctrl-Z, and
// a line feed would end the name early: such names would not come back.
bool nameReadsBack(const std::string& name) {
    bool visible = false;
    for (char c : name) {
        if (c == '\n' || c == '\x1A')
            return false;
        if (static_cast<unsigned char>(c) > 32)
            visible = true;
    }
    return visible;
}
} // namespace

std::string MatrixFileWriter::Unwritable(const GVar& workspace) {
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const TMatrixRec& m = workspace.Matrix(slot);
        std::string problem;
        if (!nameReadsBack(m.Name))
            problem = m.Name.empty() ? "has an empty name"
                                     : "has a name a data file cannot hold (only blanks, or a "
                                       "line feed or Ctrl-Z in it)";
        else if (m.Rows > 0 && m.Cols == 0)
            problem = "has rows but no columns";
        if (!problem.empty())
            return "Sorry, the matrices were not written: matrix " + std::to_string(slot) + " (" +
                   std::to_string(m.Rows) + " x " + std::to_string(m.Cols) + ") " + problem +
                   ", which would not read back from the file. Rename or erase it first.";
    }
    return std::string();
}

std::string MatrixFileWriter::FileText(const GVar& workspace) {
    std::string text;
    std::size_t size = workspace.HeaderLine.size() + 2;
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const TMatrixRec& m = workspace.Matrix(slot);
        size += m.Name.size() + 12 + m.Rows * (m.Cols * 24 + 2);
    }
    text.reserve(size);

    text += workspace.HeaderLine;
    text += "\r\n";
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const TMatrixRec& m = workspace.Matrix(slot);
        text += m.Name;
        text += "\r\n";
        text += std::to_string(m.Rows) + ", " + std::to_string(m.Cols);
        text += "\r\n";
        for (int i = 1; i <= m.Rows; ++i) {
            for (int j = 1; j <= m.Cols; ++j) {
                MUtil::AppendScientificForm(text, m.At(i, j));
                text += ' ';
            }
            text += "\r\n";
        }
    }
    return text;
}

bool MatrixFileWriter::WriteMatrixFile(const std::string& path) {
    const std::string refusal = Unwritable(m_workspace);
    if (!refusal.empty()) {
        m_messages.ShowMessage(refusal);
        return false;
    }
    const std::string text = FileText(m_workspace);

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        m_messages.ShowMessage("Sorry, the file \"" + path + "\" cannot be created: " +
                               std::strerror(errno) + ".");
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && !closed)
        error = errno;
    if (!written || !closed) {
        m_messages.ShowMessage("Sorry, the file \"" + path + "\" could not be written: " +
                               std::strerror(error) + ".");
        return false;
    }
    return true;
}
