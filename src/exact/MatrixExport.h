// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

class GVar;
class Messages;
struct TMatrixRec;

// Export matrix: one matrix of the workspace in a format the next tool
// reads, chosen by the file's extension:
//  .csv  values separated by commas, one row a line (CR LF), each the
//        shortest text that reads back as the same double, always in
//        decimals (a spreadsheet takes "1/3" for a date);
//  .txt  GNU Octave's own text format, which its load reads as a variable
//        named after the matrix, made a valid identifier;
//  .tex  the matrix as an amsmath bmatrix, fractions as \frac{p}{q} when
//        Show fractions is on.
// Files are written as Write file writes them: whole or not at all.
class MatrixExport {
public:
    enum class Format { Csv, Octave, Latex };

    // The format of path's extension (in any case), or nothing.
    static std::optional<Format> FormatOf(const std::string& path);

    static std::string Csv(const TMatrixRec& m);
    static std::string OctaveText(const TMatrixRec& m);
    static std::string Latex(const TMatrixRec& m, bool fractions);

    // name as an Octave identifier: letters, digits and underscores,
    // starting with a letter, and no keyword ("inv(A)" gives "inv_A").
    static std::string Identifier(const std::string& name);

    // Writes slot (1 to MatrixCount; any other does nothing) to path; a
    // failure shows its message. True when the file was written.
    static bool Export(const GVar& workspace, Messages& messages, int slot, const std::string& path,
                       bool fractions);

    static const std::string UnknownFormatMessage;
};
