// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

// Cuts a block of pasted text into a grid of cell texts, for a grid of
// cells to fill; whether a cell reads as a number is CellText's business.
//
// Rows are separated by line breaks (CR LF, LF or CR). Lines that hold
// nothing but blanks and tabs are ignored before the first row and after
// the last; between rows they are rows of empty cells, except in the
// bracketed form. The text takes the first of these forms that fits:
//
//  bracketed  its first character other than a blank, tab or line break is
//             "[", as a numerical environment prints a matrix: "[1 2; 3 4]",
//             "[[1, 2], [3, 4]]" or "[[1. 2.]\n [3. 4.]]". Every bracket,
//             ";" and line break ends a row, and rows with no value are
//             dropped, so that one rule serves all these shapes. Values as
//             in the data-file form.
//  tabbed     a row holds a tab, as a spreadsheet copies a range: each tab
//             separates two cells, so that empty cells keep their place.
//  semicolon  a row holds a ";", as a spreadsheet exports a range where the
//             comma is the decimal point: each ";" separates two cells.
//  data file  otherwise, as the rows of a data file: values separated by
//             runs of blanks and commas.
//
// A header naming the matrix ("A =", as Octave and MATLAB print one) and a
// call around the brackets ("array([[1, 2], [3, 4]])", as NumPy prints an
// array) are dropped first.
//
// In the tabbed and semicolon forms each cell is trimmed of blanks (and
// tabs); in every form a row shorter than the longest is padded on the
// right with empty cells, so that the grid is rectangular. A cell's text is
// otherwise kept as it was; nothing is ever shown to the user.
class PastedBlock {
public:
    enum class Outcome {
        Read,    // a grid of 1 x 1 up to MaxDim x MaxDim cells
        Empty,   // no row: nothing but blanks, tabs and line breaks
        TooLarge // more than MaxDim (50) rows or columns, as Rows and Cols tell
    };

    // Cuts text; the grid is in Cells and Rows, Cols.
    static PastedBlock Split(std::string_view text);

    // The values of one row of a data file: the texts between runs of
    // blanks, tabs and commas, none of them empty.
    static std::vector<std::string> RowValues(std::string_view line);

    Outcome Result = Outcome::Empty;
    int Rows = 0; // what was found, even when too large
    int Cols = 0;
    std::vector<std::string> Cells; // row by row, Rows x Cols when Read, else empty

    // Cell (i, j), both counted from 1; only when Read.
    const std::string& At(int i, int j) const { return Cells[(i - 1) * Cols + (j - 1)]; }
};
