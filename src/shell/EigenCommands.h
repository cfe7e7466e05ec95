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

// Eigenvalues, the third group of the Linear algebra menu: Characteristic
// polynomial, Eigenvalues, Eigenvectors and Diagonalise. Each asks for one
// square matrix and runs like the other exact commands, through the same
// ScratchWork, so a long factorisation can be cancelled, and shows its
// worked solution while Show working is on.
class EigenCommands : public QObject {
    Q_OBJECT
public:
    // pick asks for one matrix through the selection list: 0 for none.
    EigenCommands(const ExactCommands& exact, GVar& workspace, std::function<int()> pick,
                  QObject* parent);

    QList<QAction*> Actions() const;

    void CharPolyClick();
    void EigenvaluesClick();
    void EigenvectorsClick();
    void DiagonaliseClick();

private:
    using Operation = void (*)(GVar&, Messages&, int, WorkProgress*);
    using Working = std::string (*)(const GVar&, int, WorkProgress*);

    void runOne(Operation operation, Working working, const char* caption);

    const ExactCommands& m_exact;
    GVar& m_workspace;
    std::function<int()> m_pick;
    QAction* m_charPoly;
    QAction* m_eigenvalues;
    QAction* m_eigenvectors;
    QAction* m_diagonalise;
};
