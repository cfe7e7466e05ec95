// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QEventLoop;
class QProgressDialog;
class QString;
class QWidget;
class WorkProgress;

// Runs a long computation on a worker thread while the window keeps its
// event loop: it repaints and its clock goes on, but input to its windows
// is swallowed (a key pressed meanwhile must not fire a command a minute
// later), and after ShowAfterMs a progress dialog offers Cancel. The main
// window's close box still reaches the main window, which cancels first.
//
// The job must touch nothing the GUI thread uses: it works on data of its
// own and reports to the WorkProgress it is given. A cancelled job that has
// not yet noticed is left to end by itself; its thread is joined by a later
// Run or by the destructor, never killed, and whatever it made is dropped.
class BackgroundWork : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Finished, Cancelled };

    // Work that ends within this time never lets an event through: it is
    // over before anyone could notice the window wait.
    static constexpr int QuickMs = 30;
    static constexpr int ShowAfterMs = 500;

    // window: the owner of the progress dialog.
    BackgroundWork(QWidget* window, QObject* parent);
    ~BackgroundWork() override;

    // Runs job and returns when it ends or is cancelled (Cancel, the
    // dialog's Cancel, Esc or close box, or the application quitting).
    // An exception out of a job that ended is rethrown here.
    Outcome Run(const QString& label, std::function<void(WorkProgress&)> job);

    // Stops the work under way, if any, at once: its dialog goes and the
    // windows take input again before Run returns.
    void Cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Job;

    void tick(const QString& label, qint64 elapsed);
    void showDialog(const QString& label);
    void endWait();
    void reap(bool all);

    QWidget* m_window;
    std::vector<std::shared_ptr<Job>> m_jobs;  // started, not yet joined
    std::shared_ptr<Job> m_current;
    QEventLoop* m_loop = nullptr;
    QPointer<QProgressDialog> m_dialog;
    bool m_filtering = false;
    bool m_arrow = false;
};
