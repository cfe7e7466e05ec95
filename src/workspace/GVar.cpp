// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GVar.h"

#include "Messages.h"

#include <stdexcept>

namespace {
CharSet makeDelimiters() {
    CharSet set;
    set.set('\t');
    set.set(' ');
    set.set(',');
    return set;
}
} // namespace

const CharSet GVar::Delimiters = makeDelimiters();

const std::string GVar::LimitMessage =
    "Sorry, the maximum number of matrices in the software have already been allocated.";

const std::string GVar::FullMessage =
    "Sorry, the workspace is full: it holds 20 matrices. Erase one to make room.";

std::string TMatrixRec::ListItemText() const {
    return Name + " (" + std::to_string(Rows) + ", " + std::to_string(Cols) + ")";
}

TMatrixRec* GVar::AllocResult(Messages& messages) {
    // 19, not 20: the limit has always been tested as MatrixCount + 1 >= 20.
    if (MatrixCount + 1 >= MaxMatrices) {
        messages.ShowMessage(LimitMessage);
        return nullptr;
    }
    return &AppendNew();
}

TMatrixRec& GVar::Append(std::unique_ptr<TMatrixRec> record) {
    if (MatrixCount >= MaxMatrices)
        throw std::logic_error("workspace has no free slot");
    m_table[MatrixCount] = std::move(record);
    ++MatrixCount;
    return *m_table[MatrixCount - 1];
}

void GVar::Erase(int slot) {
    if (!IsSlot(slot))
        throw std::out_of_range("no matrix in slot " + std::to_string(slot));
    m_table[slot - 1].reset();
    if (slot != MatrixCount)
        m_table[slot - 1] = std::move(m_table[MatrixCount - 1]);
    --MatrixCount;
}

void GVar::Truncate(int count) {
    while (MatrixCount > count) {
        m_table[MatrixCount - 1].reset();
        --MatrixCount;
    }
}
