// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BackgroundWork;
class GVar;
class Messages;
class QAction;
class QWidget;
class WorkProgress;

// The commands beyond the eight operations: Determinant, Rank and Reduced
// row echelon form, and the two switches, Show working (a worked solution
// after Invert, Cholesky, substitution, Multiply and the three exact
// commands) and Show fractions (views and listings with each value as the
// fraction it stands for). The main window puts the actions into its menus
// and asks for matrices; everything computed comes from the core, so the
// window program shows the same bytes as zendra-cli.
//
// Exact work can take seconds to minutes, so each command computes on a copy
// of the workspace off the GUI thread (BackgroundWork), with a progress
// dialog and Cancel when it lasts; what it did is brought back after:
// its messages in order, the matrix it added, then its working.
class ExactCommands : public QObject {
    Q_OBJECT
public:
    // pick asks for one matrix through the selection list: 0 for none.
    ExactCommands(GVar& workspace, Messages& messages, std::function<int()> pick, QObject* parent);

    // Determinant, Rank, Reduced row echelon form: for the Numerical
    // operations menu, after its own items.
    QList<QAction*> OperationActions() const;
    QAction* ShowWorkingAction() const { return m_showWorking; }
    QAction* ShowFractionsAction() const { return m_showFractions; }

    bool ShowWorking() const;
    bool ShowFractions() const;

    // Said when a worked solution shown after a floating-point operation
    // is cancelled: the operation's result is in the workspace by then.
    static const std::string WorkingCancelledMessage;

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

    // The worked solutions shown after the eight operations (nothing when
    // Show working is off, or no working is given for the operands).
    void InvertWorking(int a) const;
    void CholeskyWorking(int a) const;
    void SubstitutionWorking(int r, int b) const;
    void MultiplyWorking(int a, int b) const;

private:
    struct Scratch;
    using Job = std::function<void(Scratch&, WorkProgress&)>;

    void show(const std::string& caption, const std::string& text) const;
    void runExact(void (*operation)(GVar&, Messages&, int, WorkProgress*),
                  std::string (*working)(const GVar&, int, WorkProgress*), const char* caption);
    // Runs job on a copy of the workspace; null when it was cancelled,
    // which has been said.
    // cancelled: what Cancel is reported with.
    std::shared_ptr<Scratch> inBackground(const std::string& what, const Job& job,
                                          const std::string& cancelled) const;
    void bringBack(const Scratch& done);
    // A worked solution, computed in the background, shown under caption.
    void showWorking(const std::string& caption, const Job& job) const;

    GVar& m_workspace;
    Messages& m_messages;
    std::function<int()> m_pick;
    QAction* m_determinant;
    QAction* m_rank;
    QAction* m_rref;
    QAction* m_showWorking;
    QAction* m_showFractions;
    BackgroundWork* m_work;
};
