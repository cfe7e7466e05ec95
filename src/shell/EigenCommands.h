// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>

class ExactCommands;
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
    // exact asks for the matrix and runs the work.
    EigenCommands(const ExactCommands& exact, QObject* parent);

    QList<QAction*> Actions() const;

    void CharPolyClick();
    void EigenvaluesClick();
    void EigenvectorsClick();
    void DiagonaliseClick();

private:
    const ExactCommands& m_exact;
    QAction* m_charPoly;
    QAction* m_eigenvalues;
    QAction* m_eigenvectors;
    QAction* m_diagonalise;
};
