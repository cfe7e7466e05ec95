// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TMatrixRec;

// A grid of cell texts and the matrix it stands for, both ways: what a
// window that lets the user type a matrix decides without a window.
class CellGrid {
public:
    // One cell that does not read, counted from 1.
    struct Cell {
        int Row;
        int Col;
    };

    // The outcome of reading a grid: a record, or the cells that stop it.
    struct Reading {
        std::unique_ptr<TMatrixRec> Record; // set when every cell reads
        std::vector<Cell> Bad;              // row by row, when one does not
        std::string Message;                // names the first bad cell
    };

    // Reads rows x cols texts, row by row (CellText::Read), into a record
    // named by the first 20 characters of name. A cell with a value in kept
    // (row by row; empty for none) takes that value as it is: its text was
    // only shown for it, and a fraction shown for a computed value would
    // read back as a neighbouring double.
    static Reading Read(const std::string& name, int rows, int cols,
                        const std::vector<std::string>& texts,
                        const std::vector<std::optional<double>>& kept = {});

    // The texts a grid starts with to edit m, row by row: each value as the
    // shortest text that reads back to it, or with fractions as the
    // fraction it stands for where it stands for one.
    static std::vector<std::string> Texts(const TMatrixRec& m, bool fractions);

    // Why a block of rows x cols values cannot be pasted at row, column
    // (counted from 1) of a grid that holds at most 50 x 50.
    static std::string NoRoomMessage(int rows, int cols, int row, int col);
};
