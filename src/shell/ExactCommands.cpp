// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExactCommands.h"

#include "EliminationWorkings.h"
#include "ExactOperations.h"
#include "FormulaWorkings.h"
#include "FractionListing.h"
#include "GVar.h"
#include "MatrixListing.h"
#include "MenuAction.h"
#include "Messages.h"
#include "ScratchWork.h"
#include "WorkProgress.h"

#include <QAction>
#include <QWidget>

using Scratch = ScratchWork::Scratch;

ExactCommands::ExactCommands(GVar& workspace, Messages& messages, std::function<int()> pick,
                             QObject* parent)
    : QObject(parent), m_workspace(workspace), m_messages(messages), m_pick(std::move(pick)) {
    m_determinant = MenuAction::Make(this, "Determinant1", "&Determinant", 23,
                                     "The determinant of a square matrix, computed exactly");
    m_rank = MenuAction::Make(this, "Rank1", "&Rank", 24, "The rank of a matrix, computed exactly");
    m_rref = MenuAction::Make(this, "Rref1", "Reduced row &echelon form", 25,
                              "The reduced row echelon form of a matrix, computed exactly");
    m_showWorking = MenuAction::Make(this, "ShowWorking1", "Show &working", 26,
                                     "Show a worked solution after each computation");
    m_showWorking->setCheckable(true);
    m_showFractions = MenuAction::Make(this, "ShowFractions1", "Show &fractions", 28,
                                       "Show values as fractions in views and listings");
    m_showFractions->setCheckable(true);
    connect(m_determinant, &QAction::triggered, this, &ExactCommands::DeterminantClick);
    connect(m_rank, &QAction::triggered, this, &ExactCommands::RankClick);
    connect(m_rref, &QAction::triggered, this, &ExactCommands::RrefClick);
    m_work = new ScratchWork(workspace, messages, qobject_cast<QWidget*>(parent), this);
}

void ExactCommands::CancelWork() {
    m_work->Cancel();
}

QList<QAction*> ExactCommands::OperationActions() const {
    return {m_determinant, m_rank, m_rref};
}

bool ExactCommands::ShowWorking() const {
    return m_showWorking->isChecked();
}
bool ExactCommands::ShowFractions() const {
    return m_showFractions->isChecked();
}

void ExactCommands::RunOnOne(Operation operation, Working working, const char* caption) const {
    const int a = m_pick();
    if (a < 1)
        return;
    // The working describes the operand, which the operation never changes;
    // the operation's messages come first.
    const bool withWorking = ShowWorking();
    m_work->Command(caption + m_workspace.Matrix(a).Name + ")",
                    [=](Scratch& s, WorkProgress& progress) {
                        operation(s.workspace, s.messages, a, &progress);
                        if (withWorking)
                            s.working = working(s.workspace, a, &progress);
                    });
}

void ExactCommands::RunOnTwo(OperationOnTwo operation, WorkingOnTwo working) const {
    const int a = m_pick();
    if (a < 1)
        return;
    const int b = m_pick();
    if (b < 1)
        return;
    const bool withWorking = ShowWorking();
    m_work->Command(m_workspace.Matrix(a).Name + " x = " + m_workspace.Matrix(b).Name,
                    [=](Scratch& s, WorkProgress& progress) {
                        operation(s.workspace, s.messages, a, b, &progress);
                        if (withWorking)
                            s.working = working(s.workspace, a, b, &progress);
                    });
}

void ExactCommands::DeterminantClick() {
    RunOnOne([](GVar& ws, Messages& m, int a, WorkProgress* p) {
                 ExactOperations(ws, m, p).DeterminantMat(a);
             },
             [](const GVar& ws, int a, WorkProgress* p) {
                 return EliminationWorkings(ws, p).Determinant(a);
             },
             "det(");
}

void ExactCommands::RankClick() {
    RunOnOne([](GVar& ws, Messages& m, int a, WorkProgress* p) { ExactOperations(ws, m, p).RankMat(a); },
             [](const GVar& ws, int a, WorkProgress* p) { return EliminationWorkings(ws, p).Rank(a); },
             "rank(");
}

void ExactCommands::RrefClick() {
    RunOnOne([](GVar& ws, Messages& m, int a, WorkProgress* p) { ExactOperations(ws, m, p).RrefMat(a); },
             [](const GVar& ws, int a, WorkProgress* p) { return EliminationWorkings(ws, p).Rref(a); },
             "rref(");
}

std::string ExactCommands::ViewText(int slot) const {
    if (ShowFractions())
        return FractionListing(m_workspace).ViewText(slot);
    return MatrixListing(m_workspace, m_messages).ViewText(slot);
}

std::string ExactCommands::ListingText(const std::vector<int>& chosen) const {
    return FractionListing(m_workspace).ListingText(chosen);
}

bool ExactCommands::InvertMat(int a) {
    if (!m_workspace.IsSlot(a))
        return true;
    return m_work->Command("inv(" + m_workspace.Matrix(a).Name + ")",
                           [a](Scratch& s, WorkProgress& p) {
                               ExactOperations(s.workspace, s.messages, &p).InvertMat(a);
                           });
}

void ExactCommands::InvertWorking(int a) const {
    if (ShowWorking() && m_workspace.IsSlot(a))
        m_work->Working("inv(" + m_workspace.Matrix(a).Name + ")", [a](Scratch& s, WorkProgress& p) {
            s.working = EliminationWorkings(s.workspace, &p).Invert(a);
        });
}

void ExactCommands::CholeskyWorking(int a) const {
    if (ShowWorking() && m_workspace.IsSlot(a))
        m_work->Working("Chol(" + m_workspace.Matrix(a).Name + ")", [a](Scratch& s, WorkProgress& p) {
            s.working = FormulaWorkings(s.workspace, &p).Cholesky(a);
        });
}

void ExactCommands::SubstitutionWorking(int r, int b) const {
    if (ShowWorking() && m_workspace.IsSlot(r) && m_workspace.IsSlot(b))
        m_work->Working("X", [r, b](Scratch& s, WorkProgress& p) {
            s.working = FormulaWorkings(s.workspace, &p).Substitution(r, b);
        });
}

void ExactCommands::MultiplyWorking(int a, int b) const {
    if (ShowWorking() && m_workspace.IsSlot(a) && m_workspace.IsSlot(b))
        m_work->Working(m_workspace.Matrix(a).Name + "*" + m_workspace.Matrix(b).Name,
                        [a, b](Scratch& s, WorkProgress& p) {
                            s.working = FormulaWorkings(s.workspace, &p).Multiply(a, b);
                        });
}
