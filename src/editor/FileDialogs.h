// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QFileDialog;

// Runs the program's file dialogs. A file dialog's name completer shows its
// list as a popup of its own; when the name is confirmed with Enter, the
// dialog closes but the popup can stay on the screen and keep the keyboard,
// so the next menu key goes nowhere. Run closes what the dialog left open.
class FileDialogs {
public:
    // Shows dialog modally and returns its result. With refuseReadOnly, a
    // chosen file that exists but may not be written is refused with a
    // message and the dialog asks again.
    static int Run(QFileDialog& dialog, bool refuseReadOnly = false);
    // Ties the dialog's fields to their labels and names them; Run does it
    // for every dialog it shows.
    static void Label(QFileDialog& dialog);

    // The message that refuses a read-only file.
    static const char* const ReadOnlyMessage;
};
