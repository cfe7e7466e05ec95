// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

class GVar;
class Messages;
class MyString;

// Read file: replaces the workspace with the matrices of a data file.
//
// The file's first line is the header; then, until only blank characters
// (codes 32 and below) remain, one block per matrix: a name line, a
// dimensions line and one line per row. Lines end with LF or CR LF, a lone
// CR is dropped and Ctrl-Z ends the file. At most 20 matrices are taken.
//
// Once the file is open the workspace is replaced, whatever follows: a read
// that stops on an error keeps the matrices before it, and the matrix in
// which a number failed as far as it was read. A matrix with dimensions
// outside 0 to 50 is refused whole. The workspace keeps its invariants on
// any input.
class MatrixFileReader {
public:
    MatrixFileReader(GVar& workspace, MyString& reader, Messages& messages)
        : m_workspace(workspace), m_reader(reader), m_messages(messages) {}

    // Returns false, with the workspace unchanged, when the file cannot be
    // opened or read.
    bool ReadMatrixFile(const std::string& path);

    // The same on a file's contents already in memory.
    void ReadMatrixText(std::string_view content);

private:
    GVar& m_workspace;
    MyString& m_reader;
    Messages& m_messages;
};
