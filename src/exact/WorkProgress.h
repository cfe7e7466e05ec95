// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How long exact work tells where it stands and learns that it is to stop.
// Values spread over the whole double range make fractions of thousands of
// digits, and their elimination can take seconds: the window program
// implements this with a progress dialog and its Cancel button, zendra-cli
// with nothing (a null pointer), tests with a counter.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;

    // done of total steps of the work (at least once per pivot column);
    // false when the work is to stop. May be called from a worker thread.
    virtual bool Report(int done, int total) = 0;
};

// Thrown out of the exact engines when Report says stop; whoever started
// the work catches it and leaves the workspace as it was.
struct WorkCancelled {};

// Reports to progress, if any, and throws WorkCancelled when it says stop.
inline void ReportProgress(WorkProgress* progress, int done, int total) {
    if (progress != nullptr && !progress->Report(done, total))
        throw WorkCancelled{};
}
