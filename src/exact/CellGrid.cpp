// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CellGrid.h"

#include "CellText.h"
#include "GVar.h"

namespace {
std::string where(const CellGrid::Cell& cell) {
    return "Row " + std::to_string(cell.Row) + ", column " + std::to_string(cell.Col);
}

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}
} // namespace

CellGrid::Reading CellGrid::Read(const std::string& name, int rows, int cols,
                                 const std::vector<std::string>& texts,
                                 const std::vector<std::optional<double>>& kept) {
    Reading reading;
    auto record = std::make_unique<TMatrixRec>();
    record->SetName(name);
    record->Rows = static_cast<std::uint8_t>(rows);
    record->Cols = static_cast<std::uint8_t>(cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
            const std::size_t cell = static_cast<std::size_t>((i - 1) * cols + (j - 1));
            const std::optional<double> value =
                cell < kept.size() && kept[cell] ? kept[cell] : CellText::Read(texts[cell]);
            if (value)
                record->At(i, j) = *value;
            else
                reading.Bad.push_back({i, j});
        }
    if (reading.Bad.empty()) {
        reading.Record = std::move(record);
        return reading;
    }
    const Cell& first = reading.Bad.front();
    const std::string& text = texts[(first.Row - 1) * cols + (first.Col - 1)];
    if (blank(text))
        reading.Message = where(first) + " is empty: every cell needs a value.";
    else
        reading.Message = where(first) + " holds \"" + text +
                          "\", which is not a value: type a number, or a fraction p/q with q > 0, "
                          "within the range of doubles.";
    if (reading.Bad.size() > 1)
        reading.Message += "\r" + std::to_string(reading.Bad.size() - 1) +
                           (reading.Bad.size() == 2 ? " other cell is" : " other cells are") +
                           " marked as well.";
    return reading;
}

std::vector<std::string> CellGrid::Texts(const TMatrixRec& m, bool fractions) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(m.Rows) * m.Cols);
    for (int i = 1; i <= m.Rows; ++i)
        for (int j = 1; j <= m.Cols; ++j) {
            std::optional<std::string> fraction;
            if (fractions)
                fraction = CellText::FractionText(m.At(i, j));
            texts.push_back(fraction ? *fraction : CellText::EditText(m.At(i, j)));
        }
    return texts;
}

std::string CellGrid::NoRoomMessage(int rows, int cols, int row, int col) {
    std::string message = "The pasted block has " + std::to_string(rows) + " rows and " +
                          std::to_string(cols) + " columns";
    if (rows <= MaxDim && cols <= MaxDim)
        message +=
            ", too many to fit from row " + std::to_string(row) + ", column " + std::to_string(col);
    return message + ": a matrix has at most " + std::to_string(MaxDim) + " rows and " +
           std::to_string(MaxDim) + " columns. Nothing was pasted.";
}
