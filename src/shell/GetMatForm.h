// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class GVar;
class QListWidget;
class QPushButton;

// The selection list: every matrix of the workspace with its size, in slot
// order (item n stands for slot n + 1), from which the user picks one.
class TMatForm : public QDialog {
    Q_OBJECT
public:
    // Creates the window, shows it modally and destroys it. OK gives true
    // and the picked slot, or 0 when no item was selected; Cancel, Esc and
    // the close box give false and 0. Callers go by the slot number.
    static bool execute(const GVar& workspace, int& slot, QWidget* parent = nullptr);

    QListWidget* MatListBox;

private:
    TMatForm(const GVar& workspace, QWidget* parent);
};
