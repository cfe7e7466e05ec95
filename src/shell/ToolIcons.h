#pragma once

#include <QIcon>

// The small pictures of the toolbar, the menus and the about box, drawn in
// code so the program needs no image files.
namespace ToolIcons {
enum class Kind {
    New, Open, ReadFile, WriteFile, Options, View, Rename, List, Erase,
    Scale, Transpose, Add, Subtract, Multiply, Invert, Cholesky, Help
};
QIcon Make(Kind kind);
QIcon ProgramIcon();
} // namespace ToolIcons
