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
#include "WorkingForm.h"

#include <QAction>
#include <QApplication>

namespace {
// The wait cursor for as long as it lives: exact arithmetic on large values
// spread over the double range can take seconds.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A message shown while busy gets the ordinary cursor back for its box.
class ArrowMessages : public Messages {
public:
    explicit ArrowMessages(Messages& inner) : m_inner(inner) {}
    void ShowMessage(const std::string& text) override {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_inner.ShowMessage(text);
        QApplication::restoreOverrideCursor();
    }

private:
    Messages& m_inner;
};

std::string busyText(const std::function<std::string()>& make) {
    BusyCursor busy;
    return make();
}

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

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

void ExactCommands::runExact(void (*operation)(GVar&, Messages&, int),
                             std::string (*working)(const GVar&, int), const char* caption) {
    const int a = m_pick();
    if (a < 1)
        return;
    // The working describes the operand, which the operation never changes;
    // the operation's messages come first.
    const std::string name = m_workspace.Matrix(a).Name;
    {
        BusyCursor busy;
        ArrowMessages messages(m_messages);
        operation(m_workspace, messages, a);
    }
    if (ShowWorking())
        show(std::string(caption) + name + ")", busyText([&] { return working(m_workspace, a); }));
}

void ExactCommands::DeterminantClick() {
    runExact([](GVar& ws, Messages& m, int a) { ExactOperations(ws, m).DeterminantMat(a); },
             [](const GVar& ws, int a) { return EliminationWorkings(ws).Determinant(a); },
             "Worked solution: det(");
}

void ExactCommands::RankClick() {
    runExact([](GVar& ws, Messages& m, int a) { ExactOperations(ws, m).RankMat(a); },
             [](const GVar& ws, int a) { return EliminationWorkings(ws).Rank(a); },
             "Worked solution: rank(");
}

void ExactCommands::RrefClick() {
    runExact([](GVar& ws, Messages& m, int a) { ExactOperations(ws, m).RrefMat(a); },
             [](const GVar& ws, int a) { return EliminationWorkings(ws).Rref(a); },
             "Worked solution: rref(");
}

std::string ExactCommands::ViewText(int slot) const {
    if (ShowFractions())
        return FractionListing(m_workspace).ViewText(slot);
    return MatrixListing(m_workspace, m_messages).ViewText(slot);
}

std::string ExactCommands::ListingText(const std::vector<int>& chosen) const {
    return FractionListing(m_workspace).ListingText(chosen);
}

void ExactCommands::show(const std::string& caption, const std::string& text) const {
    if (!text.empty())
        TWorkingForm::ShowWorking(latin1(caption), text);
}

void ExactCommands::InvertMat(int a) {
    BusyCursor busy;
    ArrowMessages messages(m_messages);
    ExactOperations(m_workspace, messages).InvertMat(a);
}

void ExactCommands::InvertWorking(int a) const {
    if (ShowWorking() && m_workspace.IsSlot(a))
        show("Worked solution: inv(" + m_workspace.Matrix(a).Name + ")",
             busyText([&] { return EliminationWorkings(m_workspace).Invert(a); }));
}

void ExactCommands::CholeskyWorking(int a) const {
    if (ShowWorking() && m_workspace.IsSlot(a))
        show("Worked solution: Chol(" + m_workspace.Matrix(a).Name + ")",
             busyText([&] { return FormulaWorkings(m_workspace).Cholesky(a); }));
}

void ExactCommands::SubstitutionWorking(int r, int b) const {
    if (ShowWorking() && m_workspace.IsSlot(r) && m_workspace.IsSlot(b))
        show("Worked solution: X",
             busyText([&] { return FormulaWorkings(m_workspace).Substitution(r, b); }));
}

void ExactCommands::MultiplyWorking(int a, int b) const {
    if (ShowWorking() && m_workspace.IsSlot(a) && m_workspace.IsSlot(b))
        show("Worked solution: " + m_workspace.Matrix(a).Name + "*" + m_workspace.Matrix(b).Name,
             busyText([&] { return FormulaWorkings(m_workspace).Multiply(a, b); }));
}
