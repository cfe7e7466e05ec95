// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScratchWork.h"

#include "BackgroundWork.h"
#include "ExactOperations.h"
#include "WorkProgress.h"
#include "WorkingForm.h"

#include <QApplication>
#include <QWidget>

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

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

const std::string ScratchWork::WorkingCancelledMessage =
    "The worked solution was cancelled; the result of the operation stays in the workspace.";

ScratchWork::Scratch::Scratch(const GVar& from) {
    workspace.DecimalPlaces = from.DecimalPlaces;
    workspace.HeaderLine = from.HeaderLine;
    for (int slot = 1; slot <= from.MatrixCount; ++slot)
        workspace.Append(std::make_unique<TMatrixRec>(from.Matrix(slot)));
}

ScratchWork::ScratchWork(GVar& workspace, Messages& messages, QWidget* window, QObject* parent)
    : QObject(parent), m_workspace(workspace), m_messages(messages), m_window(window),
      m_work(new BackgroundWork(window, this)) {}

std::shared_ptr<ScratchWork::Scratch> ScratchWork::Run(const std::string& what, const Job& job,
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
    if (m_window == nullptr || m_window->isVisible())
        m_messages.ShowMessage(cancelled);
    return nullptr;
}

// As the command would have done it here: its messages in order, then the
// matrices it added, if any.
void ScratchWork::bringBack(const Scratch& done) {
    for (const std::string& text : done.messages.shown)
        m_messages.ShowMessage(text);
    for (int slot = m_workspace.MatrixCount + 1; slot <= done.workspace.MatrixCount; ++slot)
        m_workspace.Append(std::make_unique<TMatrixRec>(done.workspace.Matrix(slot)));
}

bool ScratchWork::Command(const std::string& what, const Job& job) {
    const std::shared_ptr<Scratch> done = Run(what, job, ExactOperations::CancelledMessage);
    if (done == nullptr)
        return false;
    bringBack(*done);
    show("Worked solution: " + what, done->working);
    return true;
}

void ScratchWork::Working(const std::string& caption, const Job& job) const {
    if (const std::shared_ptr<Scratch> done = Run(caption, job, WorkingCancelledMessage))
        show("Worked solution: " + caption, done->working);
}

void ScratchWork::Cancel() {
    m_work->Cancel();
}

void ScratchWork::show(const std::string& caption, const std::string& text) {
    if (!text.empty())
        TWorkingForm::ShowWorking(latin1(caption), text);
}
