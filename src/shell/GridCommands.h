// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

class GVar;
class Messages;
class QAction;
class QWidget;

// New matrix and Edit matrix: a matrix typed or pasted into a grid, added
// at the end of the workspace or put in place of the one chosen.
class GridCommands : public QObject {
    Q_OBJECT
public:
    // pick asks for one matrix through the selection list (0 for none);
    // fractions tells whether Show fractions is on.
    GridCommands(GVar& workspace, Messages& messages, std::function<int()> pick,
                 std::function<bool()> fractions, QWidget* parent);

    QList<QAction*> Actions() const;

    void NewMatrixClick();
    void EditMatrixClick();

private:
    QWidget* window() const;

    GVar& m_workspace;
    Messages& m_messages;
    std::function<int()> m_pick;
    std::function<bool()> m_fractions;
    QAction* m_new;
    QAction* m_edit;
};
