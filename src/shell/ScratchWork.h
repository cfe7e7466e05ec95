// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GVar.h"
#include "Messages.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BackgroundWork;
class QWidget;
class WorkProgress;

// Exact work as every exact command of the window program does it: on a
// copy of the workspace, off the GUI thread (BackgroundWork), under the wait
// cursor, with a progress dialog and Cancel when it lasts. What the work did
// is brought back after: its messages in order, the matrices it added, then
// its worked solution. The commands differ only in what they compute.
class ScratchWork : public QObject {
    Q_OBJECT
public:
    // What a job works on and gives back. The workspace is at most 20
    // records of 50 x 50 doubles: copying it costs far less than sharing it
    // safely.
    struct Scratch {
        explicit Scratch(const GVar& from);

        // Keeps what a job shows, to be shown for real on the GUI thread.
        class Recorded : public Messages {
        public:
            void ShowMessage(const std::string& text) override { shown.push_back(text); }
            std::vector<std::string> shown;
        };

        GVar workspace;
        Recorded messages;
        std::string working;
    };
    using Job = std::function<void(Scratch&, WorkProgress&)>;

    // window: the owner of the progress dialog; a cancel while it is hidden
    // (the program is ending) is not told.
    ScratchWork(GVar& workspace, Messages& messages, QWidget* window, QObject* parent);

    // Runs job on a copy of the workspace; null when it was cancelled,
    // which has then been told with cancelled. what names the work in the
    // progress dialog.
    std::shared_ptr<Scratch> Run(const std::string& what, const Job& job,
                                 const std::string& cancelled) const;

    // A command that changes the workspace: job runs the operation and,
    // when Show working is on, fills in the working, which opens under
    // "Worked solution: " and what after the operation's messages and
    // matrices are back. False when it was cancelled.
    bool Command(const std::string& what, const Job& job);

    // A worked solution alone (the job fills in the working), for an
    // operation already done; said with WorkingCancelledMessage when
    // cancelled.
    void Working(const std::string& caption, const Job& job) const;

    // Said when a worked solution shown after a floating-point operation
    // is cancelled: the operation's result is in the workspace by then.
    static const std::string WorkingCancelledMessage;

    // Stops the work under way, if any: for the main window as it closes.
    void Cancel();

private:
    void bringBack(const Scratch& done);
    static void show(const std::string& caption, const std::string& text);

    GVar& m_workspace;
    Messages& m_messages;
    QWidget* m_window;
    BackgroundWork* m_work;
};
