// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

class GVar;
class Messages;
class PracticeWindow;
class QAction;
class QWidget;

// Practise row operations, the last of the elimination group of the Linear
// algebra menu: asks for a matrix and opens a practice window on it. The
// windows are modeless and owned by the main window, so any number may be
// open and none outlives the workspace it adds to.
class PracticeCommand : public QObject {
    Q_OBJECT
public:
    // pick asks for one matrix through the selection list: 0 for none.
    PracticeCommand(GVar& workspace, Messages& messages, std::function<int()> pick,
                    QWidget* window);

    QAction* Action() const { return m_action; }

    // The window opened, or null when no matrix was chosen.
    PracticeWindow* PractiseClick();

private:
    GVar& m_workspace;
    Messages& m_messages;
    std::function<int()> m_pick;
    QWidget* m_window;
    QAction* m_action;
};
