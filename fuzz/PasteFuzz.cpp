// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A pasted block on arbitrary text, and the grid it fills read as a matrix:
// the block is within 50 x 50 and rectangular, or says why not; the grid
// gives a record of finite values or names a bad cell; and the texts the
// record is edited with read back to the very same values.
#include "CellGrid.h"
#include "FuzzSupport.h"
#include "GVar.h"
#include "PastedBlock.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const PastedBlock block = PastedBlock::Split(text);
    switch (block.Result) {
    case PastedBlock::Outcome::Empty:
        check(block.Rows == 0 && block.Cols == 0 && block.Cells.empty());
        return 0;
    case PastedBlock::Outcome::TooLarge:
        check(block.Rows > MaxDim || block.Cols > MaxDim);
        check(!CellGrid::NoRoomMessage(block.Rows, block.Cols, 1, 1).empty());
        return 0;
    case PastedBlock::Outcome::Read:
        break;
    }
    check(block.Rows >= 1 && block.Rows <= MaxDim && block.Cols >= 1 && block.Cols <= MaxDim);
    check(block.Cells.size() == static_cast<std::size_t>(block.Rows) * block.Cols);

    const CellGrid::Reading reading =
        CellGrid::Read(text.substr(0, 40), block.Rows, block.Cols, block.Cells);
    if (!reading.Record) {
        check(!reading.Bad.empty() && !reading.Message.empty());
        return 0;
    }
    const TMatrixRec& m = *reading.Record;
    check(reading.Bad.empty() && m.Name.size() <= MaxNameLength);
    for (bool fractions : {false, true}) {
        const CellGrid::Reading back =
            CellGrid::Read(m.Name, m.Rows, m.Cols, CellGrid::Texts(m, fractions));
        check(back.Record != nullptr);
        for (int i = 1; i <= m.Rows; ++i)
            for (int j = 1; j <= m.Cols; ++j) {
                check(std::isfinite(m.At(i, j)));
                // Fractions give the double nearest the fraction, which may
                // differ from a value near it; plain texts give it exactly.
                const double was = m.At(i, j);
                const double again = back.Record->At(i, j);
                if (!fractions)
                    check(std::memcmp(&was, &again, sizeof(double)) == 0);
            }
    }
    return 0;
}
