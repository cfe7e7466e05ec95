// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SystemCommands.h"

#include "ExactCommands.h"
#include "GVar.h"
#include "MenuAction.h"
#include "SystemOperations.h"
#include "SystemWorkings.h"
#include "WorkProgress.h"

#include <QAction>

SystemCommands::SystemCommands(const ExactCommands& exact, QObject* parent)
    : QObject(parent), m_exact(exact) {
    m_solve = MenuAction::Make(this, "Solvesystem1", "Solve linear &system...", 32,
                               "Solve the linear system A x = b exactly");
    m_nullSpace = MenuAction::Make(this, "Nullspace1", "&Null space", 33,
                                   "A basis of the null space of a matrix, computed exactly");
    m_columnSpace = MenuAction::Make(this, "Columnspace1", "&Column space", 34,
                                     "A basis of the column space of a matrix: its pivot columns");
    m_rowSpace = MenuAction::Make(this, "Rowspace1", "R&ow space", 35,
                                  "A basis of the row space of a matrix: the non-zero rows of "
                                  "its reduced row echelon form");
    connect(m_solve, &QAction::triggered, this, &SystemCommands::SolveClick);
    connect(m_nullSpace, &QAction::triggered, this, &SystemCommands::NullSpaceClick);
    connect(m_columnSpace, &QAction::triggered, this, &SystemCommands::ColumnSpaceClick);
    connect(m_rowSpace, &QAction::triggered, this, &SystemCommands::RowSpaceClick);
}

QList<QAction*> SystemCommands::Actions() const {
    return {m_solve, m_nullSpace, m_columnSpace, m_rowSpace};
}

void SystemCommands::SolveClick() {
    m_exact.RunOnTwo(
        [](GVar& ws, Messages& m, int a, int b, WorkProgress* p) {
            SystemOperations(ws, m, p).SolveSystem(a, b);
        },
        [](const GVar& ws, int a, int b, WorkProgress* p) {
            return SystemWorkings(ws, p).Solve(a, b);
        });
}

void SystemCommands::NullSpaceClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) {
            SystemOperations(ws, m, p).NullSpace(a);
        },
        [](const GVar& ws, int a, WorkProgress* p) { return SystemWorkings(ws, p).NullSpace(a); },
        "null(");
}

void SystemCommands::ColumnSpaceClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) {
            SystemOperations(ws, m, p).ColumnSpace(a);
        },
        [](const GVar& ws, int a, WorkProgress* p) { return SystemWorkings(ws, p).ColumnSpace(a); },
        "col(");
}

void SystemCommands::RowSpaceClick() {
    m_exact.RunOnOne([](GVar& ws, Messages& m, int a,
              WorkProgress* p) { SystemOperations(ws, m, p).RowSpace(a); },
           [](const GVar& ws, int a, WorkProgress* p) { return SystemWorkings(ws, p).RowSpace(a); },
           "row(");
}
