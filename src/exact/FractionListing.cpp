// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FractionListing.h"

#include "FractionRule.h"
#include "GVar.h"

#include <algorithm>

namespace {
std::string headLines(const TMatrixRec& m) {
    return m.Name + "\r\n" + std::to_string(m.Rows) + ", " + std::to_string(m.Cols) + "\r\n";
}
} // namespace

std::string FractionListing::ViewText(int slot) const {
    const TMatrixRec& m = m_workspace.Matrix(slot);
    return headLines(m) + ValueRows(m, m_workspace.DecimalPlaces);
}

std::string FractionListing::ListingText(const std::vector<int>& slots) const {
    std::vector<int> chosen(slots);
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    std::string text;
    for (int slot : chosen) {
        if (!m_workspace.IsSlot(slot))
            continue;
        const TMatrixRec& m = m_workspace.Matrix(slot);
        text += headLines(m);
        text += ValueRows(m, m_workspace.DecimalPlaces);
        text += "\r\n";
    }
    return text;
}

std::string FractionListing::ValueRows(const TMatrixRec& m, int decimals) {
    std::vector<std::string> cells;
    cells.reserve(static_cast<std::size_t>(m.Rows) * m.Cols);
    for (int i = 1; i <= m.Rows; ++i)
        for (int j = 1; j <= m.Cols; ++j)
            cells.push_back(FractionRule::Text(m.At(i, j), decimals));
    return AlignedRows(cells, m.Rows, m.Cols);
}

std::string FractionListing::AlignedRows(const std::vector<std::string>& cells, int rows, int cols,
                                         int indent, int barAfter) {
    std::vector<std::size_t> widths(cols, 0);
    std::size_t total = 0;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const std::size_t size = cells[i * cols + j].size();
            widths[j] = std::max(widths[j], size);
            total += size;
        }
    std::string text;
    text.reserve(total * 2 + rows * (indent + 2 * cols + 5));
    const bool bar = barAfter >= 1 && barAfter < cols;
    for (int i = 0; i < rows; ++i) {
        text.append(indent, ' ');
        for (int j = 0; j < cols; ++j) {
            if (j > 0)
                text.append(bar && j == barAfter ? "  |  " : "  ");
            const std::string& cell = cells[i * cols + j];
            text.append(widths[j] - cell.size(), ' ');
            text += cell;
        }
        text += "\r\n";
    }
    return text;
}
