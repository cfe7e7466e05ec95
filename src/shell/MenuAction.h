// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAction;
class QObject;

namespace MenuAction {
// A menu command of its own beyond the main window's tables: found by its
// object name, with its help context for F1 and its hint as a tool tip
// only (the program has no status line to show hints in).
QAction* Make(QObject* parent, const char* name, const char* caption, int helpContext,
              const char* hint);
} // namespace MenuAction
