// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PracticeCommand.h"

#include "GVar.h"
#include "MenuAction.h"
#include "PracticeWindow.h"

#include <QAction>
#include <QWidget>

PracticeCommand::PracticeCommand(GVar& workspace, Messages& messages, std::function<int()> pick,
                                 QWidget* window)
    : QObject(window), m_workspace(workspace), m_messages(messages), m_pick(std::move(pick)),
      m_window(window) {
    m_action = MenuAction::Make(this, "Practise1", "&Practise row operations...",
                                PracticeWindow::HelpContext,
                                "Reduce a matrix yourself, one row operation at a time: exact "
                                "arithmetic, undo, hints and a log");
    connect(m_action, &QAction::triggered, this, &PracticeCommand::PractiseClick);
}

PracticeWindow* PracticeCommand::PractiseClick() {
    const int a = m_pick();
    if (!m_workspace.IsSlot(a))
        return nullptr;
    auto* window = new PracticeWindow(m_workspace, m_messages, m_pick, a, m_window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
