// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

// The small pictures of the toolbar, the menus and the about box, drawn in
// code so the program needs no image files.
namespace ToolIcons {
enum class Kind {
    New, Open, ReadFile, WriteFile, Options, View, Rename, List, Erase,
    Scale, Transpose, Add, Subtract, Multiply, Invert, Cholesky, Help,
    // the editor's tool strip
    Save, Close, Print, Font, Copy, Paste, Cut, Delete, AlignLeft, AlignCenter, AlignRight
};
QIcon Make(Kind kind);
QIcon ProgramIcon();
} // namespace ToolIcons
