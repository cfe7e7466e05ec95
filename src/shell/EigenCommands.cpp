// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EigenCommands.h"

#include "EigenOperations.h"
#include "EigenWorkings.h"
#include "ExactCommands.h"
#include "GVar.h"
#include "MenuAction.h"
#include "WorkProgress.h"

#include <QAction>

// The access keys differ from the elimination group's (Determinant has D,
// Reduced row echelon form E) so that one key press runs one command.
EigenCommands::EigenCommands(const ExactCommands& exact, QObject* parent)
    : QObject(parent), m_exact(exact) {
    m_charPoly = MenuAction::Make(this, "Charpoly1", "C&haracteristic polynomial", 36,
                                  "The characteristic polynomial det(t I - A) of a square "
                                  "matrix, computed exactly");
    m_eigenvalues = MenuAction::Make(this, "Eigenvalues1", "E&igenvalues", 37,
                                     "The eigenvalues of a square matrix: exact where rational, "
                                     "certified decimals otherwise");
    m_eigenvectors = MenuAction::Make(this, "Eigenvectors1", "Eigen&vectors", 38,
                                      "A basis of each real eigenspace, as the columns of one "
                                      "matrix");
    m_diagonalise = MenuAction::Make(this, "Diagonalise1", "Di&agonalise", 39,
                                     "A = P D inv(P), when the matrix has enough independent "
                                     "real eigenvectors");
    connect(m_charPoly, &QAction::triggered, this, &EigenCommands::CharPolyClick);
    connect(m_eigenvalues, &QAction::triggered, this, &EigenCommands::EigenvaluesClick);
    connect(m_eigenvectors, &QAction::triggered, this, &EigenCommands::EigenvectorsClick);
    connect(m_diagonalise, &QAction::triggered, this, &EigenCommands::DiagonaliseClick);
}

QList<QAction*> EigenCommands::Actions() const {
    return {m_charPoly, m_eigenvalues, m_eigenvectors, m_diagonalise};
}

void EigenCommands::CharPolyClick() {
    m_exact.RunOnOne([](GVar& ws, Messages& m, int a,
              WorkProgress* p) { EigenOperations(ws, m, p).CharPoly(a); },
           [](const GVar& ws, int a, WorkProgress* p) { return EigenWorkings(ws, p).CharPoly(a); },
           "charpoly(");
}

void EigenCommands::EigenvaluesClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) {
            EigenOperations(ws, m, p).Eigenvalues(a);
        },
        [](const GVar& ws, int a, WorkProgress* p) { return EigenWorkings(ws, p).Eigenvalues(a); },
        "eig(");
}

void EigenCommands::EigenvectorsClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) {
            EigenOperations(ws, m, p).Eigenvectors(a);
        },
        [](const GVar& ws, int a, WorkProgress* p) { return EigenWorkings(ws, p).Eigenvectors(a); },
        "vec(");
}

// P(A) and D(A) come together: the progress dialog and the worked
// solution name the diagonalisation itself.
void EigenCommands::DiagonaliseClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) {
            EigenOperations(ws, m, p).Diagonalise(a);
        },
        [](const GVar& ws, int a, WorkProgress* p) { return EigenWorkings(ws, p).Diagonalise(a); },
        "diag(");
}
