// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExactCommands.h"

#include "BackgroundWork.h"
#include "EliminationWorkings.h"
#include "ExactOperations.h"
#include "FormulaWorkings.h"
#include "FractionListing.h"
#include "GVar.h"
#include "MatrixListing.h"
#include "MenuAction.h"
#include "Messages.h"
#include "WorkProgress.h"
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

// Keeps what a job shows, to be shown for real on the GUI thread.
class RecordedMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

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
    m_work = new BackgroundWork(qobject_cast<QWidget*>(parent), this);
}

// What a job works on and gives back. The workspace is at most 20 records
// of 50 x 50 doubles: copying it costs far less than sharing it safely.
struct ExactCommands::Scratch {
    explicit Scratch(const GVar& from) {
        workspace.DecimalPlaces = from.DecimalPlaces;
        workspace.HeaderLine = from.HeaderLine;
        for (int slot = 1; slot <= from.MatrixCount; ++slot)
            workspace.Append(std::make_unique<TMatrixRec>(from.Matrix(slot)));
    }
    GVar workspace;
    RecordedMessages messages;
    std::string working;
};

const std::string ExactCommands::WorkingCancelledMessage =
    "The worked solution was cancelled; the result of the operation stays in the workspace.";

std::shared_ptr<ExactCommands::Scratch> ExactCommands::inBackground(const std::string& what,
                                                                    const Job& job,
                                                                    const std::string& cancelled) const {
    auto scratch = std::make_shared<Scratch>(m_workspace);
    BackgroundWork::Outcome outcome;
    {
        BusyCursor busy;
        outcome = m_work->Run(tr("Working out %1 in exact fractions...").arg(latin1(what)),
                              [scratch, job](WorkProgress& progress) { job(*scratch, progress); });
    }
    if (outcome == BackgroundWork::Outcome::Finished)
        return scratch;
    // Closing the main window cancels quietly: the program is ending.
    if (auto* window = qobject_cast<QWidget*>(parent()); window == nullptr || window->isVisible())
        m_messages.ShowMessage(cancelled);
    return nullptr;
}

// As the command would have done it here: its messages in order, then the
// matrix it added, if any.
void ExactCommands::bringBack(const Scratch& done) {
    for (const std::string& text : done.messages.shown)
        m_messages.ShowMessage(text);
    for (int slot = m_workspace.MatrixCount + 1; slot <= done.workspace.MatrixCount; ++slot)
        m_workspace.Append(std::make_unique<TMatrixRec>(done.workspace.Matrix(slot)));
}

void ExactCommands::showWorking(const std::string& caption, const Job& job) const {
    if (const std::shared_ptr<Scratch> done = inBackground(caption, job, WorkingCancelledMessage))
        show("Worked solution: " + caption, done->working);
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

void ExactCommands::runExact(void (*operation)(GVar&, Messages&, int, WorkProgress*),
                             std::string (*working)(const GVar&, int, WorkProgress*),
                             const char* caption) {
    const int a = m_pick();
    if (a < 1)
        return;
    // The working describes the operand, which the operation never changes;
    // the operation's messages come first.
    const std::string what = caption + m_workspace.Matrix(a).Name + ")";
    const bool withWorking = ShowWorking();
    const std::shared_ptr<Scratch> done =
        inBackground(what, [=](Scratch& s, WorkProgress& progress) {
            operation(s.workspace, s.messages, a, &progress);
            if (withWorking)
                s.working = working(s.workspace, a, &progress);
        },
        ExactOperations::CancelledMessage);
    if (done == nullptr)
        return;
    bringBack(*done);
    if (withWorking)
        show("Worked solution: " + what, done->working);
}

void ExactCommands::DeterminantClick() {
    runExact([](GVar& ws, Messages& m, int a, WorkProgress* p) {
                 ExactOperations(ws, m, p).DeterminantMat(a);
             },
             [](const GVar& ws, int a, WorkProgress* p) {
                 return EliminationWorkings(ws, p).Determinant(a);
             },
             "det(");
}

void ExactCommands::RankClick() {
    runExact([](GVar& ws, Messages& m, int a, WorkProgress* p) { ExactOperations(ws, m, p).RankMat(a); },
             [](const GVar& ws, int a, WorkProgress* p) { return EliminationWorkings(ws, p).Rank(a); },
             "rank(");
}

void ExactCommands::RrefClick() {
    runExact([](GVar& ws, Messages& m, int a, WorkProgress* p) { ExactOperations(ws, m, p).RrefMat(a); },
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

void ExactCommands::show(const std::string& caption, const std::string& text) const {
    if (!text.empty())
        TWorkingForm::ShowWorking(latin1(caption), text);
}

bool ExactCommands::InvertMat(int a) {
    if (!m_workspace.IsSlot(a))
        return true;
    const std::shared_ptr<Scratch> done =
        inBackground("inv(" + m_workspace.Matrix(a).Name + ")", [a](Scratch& s, WorkProgress& p) {
            ExactOperations(s.workspace, s.messages, &p).InvertMat(a);
        },
        ExactOperations::CancelledMessage);
    if (done == nullptr)
        return false;
    bringBack(*done);
    return true;
}

void ExactCommands::InvertWorking(int a) const {
    if (ShowWorking() && m_workspace.IsSlot(a))
        showWorking("inv(" + m_workspace.Matrix(a).Name + ")", [a](Scratch& s, WorkProgress& p) {
            s.working = EliminationWorkings(s.workspace, &p).Invert(a);
        });
}

void ExactCommands::CholeskyWorking(int a) const {
    if (ShowWorking() && m_workspace.IsSlot(a))
        showWorking("Chol(" + m_workspace.Matrix(a).Name + ")", [a](Scratch& s, WorkProgress& p) {
            s.working = FormulaWorkings(s.workspace, &p).Cholesky(a);
        });
}

void ExactCommands::SubstitutionWorking(int r, int b) const {
    if (ShowWorking() && m_workspace.IsSlot(r) && m_workspace.IsSlot(b))
        showWorking("X", [r, b](Scratch& s, WorkProgress& p) {
            s.working = FormulaWorkings(s.workspace, &p).Substitution(r, b);
        });
}

void ExactCommands::MultiplyWorking(int a, int b) const {
    if (ShowWorking() && m_workspace.IsSlot(a) && m_workspace.IsSlot(b))
        showWorking(m_workspace.Matrix(a).Name + "*" + m_workspace.Matrix(b).Name,
                    [a, b](Scratch& s, WorkProgress& p) {
                        s.working = FormulaWorkings(s.workspace, &p).Multiply(a, b);
                    });
}
