// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExactResults.h"

#include "ExactOperations.h"
#include "GVar.h"
#include "Messages.h"
#include "WorkProgress.h"

#include <new>

void ExactResults::Add(GVar& workspace, Messages& messages,
                       const std::function<Outcome()>& decide) {
    const int before = workspace.MatrixCount;
    try {
        if (workspace.AllocResult(messages) == nullptr)
            return;
        const Outcome outcome = decide();
        for (std::size_t k = 0; k < outcome.results.size(); ++k) {
            TMatrixRec* result =
                k == 0 ? &workspace.Matrix(before + 1) : workspace.AllocResult(messages);
            if (result == nullptr) {
                workspace.Truncate(before);
                return;
            }
            if (!outcome.results[k].second.ToRecord(*result)) {
                workspace.Truncate(before);
                messages.ShowMessage(ExactOperations::TooLargeMessage);
                return;
            }
            result->SetName(outcome.results[k].first);
        }
        if (outcome.results.empty())
            workspace.Truncate(before);
        if (!outcome.message.empty())
            messages.ShowMessage(outcome.message);
    } catch (const std::bad_alloc&) {
        workspace.Truncate(before);
        messages.ShowMessage(ExactOperations::MemoryMessage);
    } catch (const WorkCancelled&) {
        workspace.Truncate(before);
        messages.ShowMessage(ExactOperations::CancelledMessage);
    }
}
