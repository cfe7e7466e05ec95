// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AlgebraCommands.h"

#include "AlgebraOperations.h"
#include "AlgebraWorkings.h"
#include "ExactCommands.h"
#include "ExactOperations.h"
#include "GVar.h"
#include "MenuAction.h"
#include "Messages.h"
#include "PowerForm.h"
#include "ScratchWork.h"
#include "WorkProgress.h"

#include <QAction>

using Scratch = ScratchWork::Scratch;

// The access keys differ from those of the groups above, so that one key
// press runs one command.
AlgebraCommands::AlgebraCommands(const ExactCommands& exact, GVar& workspace, Messages& messages,
                                 std::function<int()> pick, QWidget* window)
    : QObject(window), m_exact(exact), m_workspace(workspace), m_messages(messages),
      m_pick(std::move(pick)), m_window(window) {
    struct Entry {
        const char* name;
        const char* caption;
        int context;
        const char* hint;
        void (AlgebraCommands::*click)();
    };
    static const Entry entries[] = {
        {"LU1", "&LU decomposition", 41,
         "P A = L U: the unit lower triangular L, the echelon form U and the row exchanges P, "
         "computed exactly",
         &AlgebraCommands::LUClick},
        {"Cofactordet1", "Determinant by co&factors", 42,
         "The determinant of a square matrix up to 5 x 5, expanded by cofactors",
         &AlgebraCommands::CofactorDeterminantClick},
        {"Adjugate1", "Adju&gate", 43, "The transposed matrix of cofactors of a square matrix",
         &AlgebraCommands::AdjugateClick},
        {"Cramer1", "Cra&mer's rule...", 44,
         "Solve A x = b by determinants, for a square invertible A",
         &AlgebraCommands::CramerClick},
        {"Power1", "Matri&x power...", PowerForm::HelpContext,
         "A^n of a square matrix for a whole n from -99 to 99, computed exactly",
         &AlgebraCommands::PowerClick},
        {"Trace1", "&Trace", 46, "The sum of the diagonal entries of a square matrix",
         &AlgebraCommands::TraceClick},
    };
    for (const Entry& entry : entries) {
        QAction* action = MenuAction::Make(this, entry.name, entry.caption, entry.context,
                                           entry.hint);
        connect(action, &QAction::triggered, this, entry.click);
        m_actions << action;
    }
}

QList<QAction*> AlgebraCommands::Actions() const {
    return m_actions;
}

void AlgebraCommands::LUClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) { AlgebraOperations(ws, m, p).LU(a); },
        [](const GVar& ws, int a, WorkProgress* p) { return AlgebraWorkings(ws, p).LU(a); },
        "LU(");
}

void AlgebraCommands::CofactorDeterminantClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) {
            AlgebraOperations(ws, m, p).CofactorDeterminant(a);
        },
        [](const GVar& ws, int a, WorkProgress* p) {
            return AlgebraWorkings(ws, p).CofactorDeterminant(a);
        },
        "det(");
}

void AlgebraCommands::AdjugateClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) {
            AlgebraOperations(ws, m, p).Adjugate(a);
        },
        [](const GVar& ws, int a, WorkProgress* p) { return AlgebraWorkings(ws, p).Adjugate(a); },
        "adj(");
}

void AlgebraCommands::TraceClick() {
    m_exact.RunOnOne(
        [](GVar& ws, Messages& m, int a, WorkProgress* p) { AlgebraOperations(ws, m, p).Trace(a); },
        [](const GVar& ws, int a, WorkProgress* p) { return AlgebraWorkings(ws, p).Trace(a); },
        "tr(");
}

void AlgebraCommands::CramerClick() {
    m_exact.RunOnTwo(
        [](GVar& ws, Messages& m, int a, int b, WorkProgress* p) {
            AlgebraOperations(ws, m, p).Cramer(a, b);
        },
        [](const GVar& ws, int a, int b, WorkProgress* p) {
            return AlgebraWorkings(ws, p).Cramer(a, b);
        });
}

// A matrix that is not square is refused before the exponent is asked for.
void AlgebraCommands::PowerClick() {
    const int a = m_pick();
    if (a < 1)
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    if (A.Rows != A.Cols) {
        m_messages.ShowMessage(ExactOperations::NotSquareMessage);
        return;
    }
    std::string text;
    if (!PowerForm::AskExponent(m_messages, text, m_window))
        return;
    const bool withWorking = m_exact.ShowWorking();
    m_exact.Work().Command(
        A.Name + "^" + AlgebraOperations::ExponentText(text),
        [=](Scratch& s, WorkProgress& progress) {
            AlgebraOperations(s.workspace, s.messages, &progress).Power(a, text);
            if (withWorking)
                s.working = AlgebraWorkings(s.workspace, &progress).Power(a, text);
        });
}
