// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

class GVar;
class Messages;

// Import matrix: one matrix from a file another tool wrote, added at the
// end of the workspace. The file holds
//  - GNU Octave's text format (its save's default): the first variable,
//    which must be a real matrix or scalar, named by its "# name:";
//  - or values in rows, one row a line: a spreadsheet's CSV or TSV export
//    (separators comma, semicolon or tab, fields in double quotes allowed,
//    a first line of words taken for a header and skipped), or blocks
//    separated by blanks, as Octave's save -ascii and NumPy's savetxt
//    write them ("#" lines skipped). Each value reads as a grid cell does
//    (CellText).
// Sizes above 50 x 50, rows of different lengths, values that do not read
// (a decimal comma included), complex or other non-matrix variables: one
// message that names the line and column, and nothing added.
class MatrixImport {
public:
    struct Result {
        bool read = false;
        std::string error; // the message when not read
        std::string note;  // something said even though it was read
        std::string name;  // Octave's name for the matrix, if any
        int rows = 0;
        int cols = 0;
        std::vector<double> values; // row by row
    };

    // file: how messages name the file.
    static Result Read(std::string_view text, const std::string& file);

    // Reads path and adds its matrix named name, or else by Octave's
    // "# name:", or else after the file (its name without folder and
    // extension), cut to 20 characters. True when a matrix was added.
    static bool Import(GVar& workspace, Messages& messages, const std::string& path,
                       const std::string& name);
};
