// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class GVar;
struct TMatrixRec;

// The texts of View matrix and List matrix with Show fractions on. The
// name line, the "rows, cols" line, the empty line after each listed
// matrix and the CR LF line ends are those of MatrixListing; only the value
// rows differ: each value is FractionRule::Text (its fraction, else
// DecimalPlaces decimals), right-aligned to the widest entry of its column,
// with two blanks between columns and none before or after.
class FractionListing {
public:
    explicit FractionListing(const GVar& workspace) : m_workspace(workspace) {}

    // The view of the matrix in slot (1 to MatrixCount).
    std::string ViewText(int slot) const;

    // What List matrix appends after the header: the chosen slots in slot
    // order, each once, slots outside the workspace skipped. Hand it to
    // MatrixListing::FinishText.
    std::string ListingText(const std::vector<int>& slots) const;

    // The value rows of m.
    static std::string ValueRows(const TMatrixRec& m, int decimals);

    // rows x cols cells (row by row) laid out as the value rows are, each
    // line after indent blanks; when barAfter is from 1 to cols - 1, "  |  "
    // stands between that column and the next (the bar of [A | B]).
    static std::string AlignedRows(const std::vector<std::string>& cells, int rows, int cols,
                                   int indent = 0, int barAfter = 0);

private:
    const GVar& m_workspace;
};
