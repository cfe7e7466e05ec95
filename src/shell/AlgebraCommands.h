// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>

#include <functional>

class ExactCommands;
class GVar;
class Messages;
class QAction;
class QWidget;

// The fourth group of the Linear algebra menu: LU decomposition,
// Determinant by cofactors, Adjugate, Cramer's rule, Matrix power and
// Trace. Each asks for its matrices (Matrix power also for the exponent)
// and runs like the other exact commands, through the same ScratchWork,
// showing its worked solution while Show working is on.
class AlgebraCommands : public QObject {
    Q_OBJECT
public:
    // pick asks for one matrix through the selection list: 0 for none;
    // window is the exponent dialog's parent.
    AlgebraCommands(const ExactCommands& exact, GVar& workspace, Messages& messages,
                    std::function<int()> pick, QWidget* window);

    QList<QAction*> Actions() const;

    void LUClick();
    void CofactorDeterminantClick();
    void AdjugateClick();
    void CramerClick();
    void PowerClick();
    void TraceClick();

private:
    const ExactCommands& m_exact;
    GVar& m_workspace;
    Messages& m_messages;
    std::function<int()> m_pick;
    QWidget* m_window;
    QList<QAction*> m_actions;
};
