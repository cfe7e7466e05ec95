// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QListWidget>

class GVar;

// The list of the selection dialogs: every matrix of the workspace with its
// size, in slot order (item n stands for slot n + 1), in two columns filled
// top to bottom. Nothing is selected or current when it opens: the first
// Down selects the first item, and OK on the untouched list chooses nothing.
class SelectionList : public QListWidget {
    Q_OBJECT
public:
    SelectionList(const GVar& workspace, QAbstractItemView::SelectionMode mode, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};
