// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class GVar;
class Messages;
class QAction;
class QWidget;
class ScratchWork;
class WorkProgress;

// The commands beyond the eight operations: Determinant, Rank and Reduced
// row echelon form, and the two switches, Show working (a worked solution
// after Invert, Cholesky, substitution, Multiply and every exact command)
// and Show fractions (views and listings with each value as the fraction it
// stands for). The main window puts the actions into its menus and asks for
// matrices; everything computed comes from the core, so the window program
// shows the same bytes as zendra-cli.
//
// Exact work can take seconds to minutes, so each command runs through
// ScratchWork: on a copy of the workspace, off the GUI thread, with Cancel.
class ExactCommands : public QObject {
    Q_OBJECT
public:
    // pick asks for one matrix through the selection list: 0 for none.
    ExactCommands(GVar& workspace, Messages& messages, std::function<int()> pick, QObject* parent);

    // Determinant, Rank, Reduced row echelon form: the elimination group of
    // the Linear algebra menu.
    QList<QAction*> OperationActions() const;
    QAction* ShowWorkingAction() const { return m_showWorking; }
    QAction* ShowFractionsAction() const { return m_showFractions; }

    bool ShowWorking() const;
    bool ShowFractions() const;

    // The one runner of exact work, shared with the other exact commands so
    // that closing the main window cancels whatever runs.
    ScratchWork& Work() const { return *m_work; }

    void DeterminantClick();
    void RankClick();
    void RrefClick();

    // The view text of View matrix, in fractions when the switch is on.
    std::string ViewText(int slot) const;
    // The listing's text after its header, in fractions (switch on only).
    std::string ListingText(const std::vector<int>& chosen) const;

    // The workspace's Invert, which refuses an exactly singular matrix;
    // false when it was cancelled.
    bool InvertMat(int a);

    // Stops the work under way, if any: for the main window as it closes.
    void CancelWork();

    // The way of every exact command on one matrix: asks for it, then runs
    // the operation and, while Show working is on, its worked solution
    // through Work(); caption opens the name of the result ("det(").
    using Operation = void (*)(GVar&, Messages&, int, WorkProgress*);
    using Working = std::string (*)(const GVar&, int, WorkProgress*);
    void RunOnOne(Operation operation, Working working, const char* caption) const;
    // The same for the commands on A and b (Solve linear system, Cramer's
    // rule): a first pick of none asks no more; the caption is "A x = b".
    using OperationOnTwo = void (*)(GVar&, Messages&, int, int, WorkProgress*);
    using WorkingOnTwo = std::string (*)(const GVar&, int, int, WorkProgress*);
    void RunOnTwo(OperationOnTwo operation, WorkingOnTwo working) const;

    // The worked solutions shown after the eight operations (nothing when
    // Show working is off, or no working is given for the operands).
    void InvertWorking(int a) const;
    void CholeskyWorking(int a) const;
    void SubstitutionWorking(int r, int b) const;
    void MultiplyWorking(int a, int b) const;

private:
    GVar& m_workspace;
    Messages& m_messages;
    std::function<int()> m_pick;
    QAction* m_determinant;
    QAction* m_rank;
    QAction* m_rref;
    QAction* m_showWorking;
    QAction* m_showFractions;
    ScratchWork* m_work;
};
