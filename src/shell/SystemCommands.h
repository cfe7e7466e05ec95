// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>

#include <functional>
#include <string>

class ExactCommands;
class GVar;
class Messages;
class QAction;
class WorkProgress;

// Systems and spaces, the second group of the Linear algebra menu: Solve
// linear system (A, then b), Null space, Column space and Row space. Each
// runs like the other exact commands, through the same ScratchWork, and
// shows its worked solution while Show working is on.
class SystemCommands : public QObject {
    Q_OBJECT
public:
    // exact asks for the matrices and runs the work.
    SystemCommands(const ExactCommands& exact, QObject* parent);

    QList<QAction*> Actions() const;

    void SolveClick();
    void NullSpaceClick();
    void ColumnSpaceClick();
    void RowSpaceClick();

private:
    const ExactCommands& m_exact;
    QAction* m_solve;
    QAction* m_nullSpace;
    QAction* m_columnSpace;
    QAction* m_rowSpace;
};
