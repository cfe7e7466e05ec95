// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;
class QWidget;

// The question the matrix dialog asks before it throws away changed cells,
// which may hold minutes of typing. Keep editing is the default and the
// answer of Esc and the close box, so that no key pressed in a hurry loses
// the work.
class DiscardQuestion {
public:
    // True when the user chose Discard.
    static bool Ask(QWidget* parent, const QString& title);
};
