// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinearAlgebraMenu.h"

#include "AlgebraCommands.h"
#include "EigenCommands.h"
#include "ExactCommands.h"
#include "PracticeCommand.h"
#include "SystemCommands.h"

#include <QAction>

LinearAlgebraMenu::LinearAlgebraMenu(const ExactCommands& exact, const PracticeCommand& practice,
                                     const SystemCommands& systems, const EigenCommands& eigen,
                                     const AlgebraCommands& algebra, QWidget* parent)
    : QMenu(QStringLiteral("&Linear algebra"), parent) {
    setObjectName(QStringLiteral("LinearAlgebra1"));
    menuAction()->setProperty("helpContext", HelpContext);
    menuAction()->setStatusTip(
        QStringLiteral("Exact computations of linear algebra, with worked solutions."));

    const QList<QList<QAction*>> groups{
        exact.OperationActions() << practice.Action(), // elimination, then by hand
        systems.Actions(),                             // systems and the spaces of a matrix
        eigen.Actions(),                               // eigenvalues
        algebra.Actions(),                             // LU, cofactors, powers
        {exact.ShowWorkingAction()},
    };
    for (const QList<QAction*>& group : groups) {
        if (group.isEmpty())
            continue;
        if (!actions().isEmpty())
            addSeparator();
        addActions(group);
    }
}
