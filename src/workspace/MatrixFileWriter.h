// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

class GVar;
class Messages;

// Write file: saves the whole workspace, in slot order, as a data file that
// Read file reads back. Lines end with CR LF; values take the 23-character
// scientific form of 15 significant digits, each followed by one blank.
//
// A matrix that a data file cannot hold (a name the reader would not find,
// or rows without columns) stops the command before anything is written,
// with a message naming the matrix. The workspace is never changed.
class MatrixFileWriter {
public:
    MatrixFileWriter(const GVar& workspace, Messages& messages)
        : m_workspace(workspace), m_messages(messages) {}

    // Returns true when the whole file was written. A write that fails on
    // the way (a full disk) leaves an earlier file of that name as it was.
    bool WriteMatrixFile(const std::string& path);

    // Writes text to path whole or not at all, beside an earlier file of
    // that name which it replaces only at the end (keeping its permissions
    // and following a link); a failure shows its reason and leaves nothing
    // behind. Exports write through it too.
    static bool WriteWhole(const std::string& path, const std::string& text, Messages& messages);

    // The file's contents, for a workspace that can be written.
    static std::string FileText(const GVar& workspace);

    // Why the workspace cannot be written, or an empty text when it can.
    static std::string Unwritable(const GVar& workspace);

private:
    const GVar& m_workspace;
    Messages& m_messages;
};
