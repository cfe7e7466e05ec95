// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreCommands.h"

#include "GVar.h"
#include "Messages.h"

#include <exception>

void StoreCommands::CopyMatrix(int slot) {
    if (slot < 1 || !m_workspace.IsSlot(slot))
        return;
    try {
        if (m_workspace.MatrixCount + 1 >= MaxMatrices) {
            m_messages.ShowMessage(GVar::LimitMessage);
            return;
        }
        // The copy is made before it takes a slot, so a failure takes none.
        auto copy = std::make_unique<TMatrixRec>(m_workspace.Matrix(slot));
        m_workspace.Append(std::move(copy));
    } catch (const std::exception&) {
        m_messages.ShowMessage("Sorry, insufficient memory to continue process.");
    }
}

void StoreCommands::EraseMatrix(int slot) {
    if (slot < 1)
        return;
    try {
        m_workspace.Erase(slot);
    } catch (const std::exception&) {
        m_messages.ShowMessage("Sorry, unable to complete process.");
    }
}

void StoreCommands::RenameMatrix(int slot, const std::string& name) {
    if (slot < 1 || !m_workspace.IsSlot(slot))
        return;
    m_workspace.Matrix(slot).SetName(name);
}
