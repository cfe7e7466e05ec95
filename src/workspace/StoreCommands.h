// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class Messages;

// Copy, Erase and Rename: the commands that change the workspace without a
// file and without computing. Each does nothing for a slot below 1 (the
// selection was cancelled or nothing was chosen).
class StoreCommands {
public:
    StoreCommands(GVar& workspace, Messages& messages)
        : m_workspace(workspace), m_messages(messages) {}

    // Appends a copy of the whole record of slot (all 2,500 values), unless
    // 19 or more matrices are present.
    void CopyMatrix(int slot);

    // Releases the record of slot; the last matrix takes its place.
    void EraseMatrix(int slot);

    // The name of slot becomes the first 20 characters of name, exactly as
    // typed (an empty text gives an empty name).
    void RenameMatrix(int slot, const std::string& name);

private:
    GVar& m_workspace;
    Messages& m_messages;
};
