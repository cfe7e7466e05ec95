// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BackgroundWork.h"

#include "WorkProgress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

// What the GUI thread and the worker share. The worker owns nothing else of
// the GUI's: the job's data live in the job function, which the thread keeps.
class BackgroundWork::Job : public WorkProgress {
public:
    bool Report(int done, int total) override {
        m_steps.store(static_cast<std::uint64_t>(static_cast<std::uint32_t>(done)) << 32 |
                          static_cast<std::uint32_t>(total),
                      std::memory_order_relaxed);
        return !stop.load(std::memory_order_relaxed);
    }
    int Done() const { return static_cast<int>(m_steps.load(std::memory_order_relaxed) >> 32); }
    int Total() const {
        return static_cast<int>(m_steps.load(std::memory_order_relaxed) & 0xffffffffu);
    }

    void Start(std::function<void(WorkProgress&)> work) {
        thread = std::thread([this, work = std::move(work)] {
            std::exception_ptr error;
            try {
                work(*this);
            } catch (const WorkCancelled&) {
                // Only ever after a Cancel, whose Run has dropped the job.
            } catch (...) {
                error = std::current_exception();
            }
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_error = error;
            m_finished = true;
            m_ended.notify_all();
        });
    }

    // True when the job has ended, waiting for it at most ms.
    bool WaitFor(int ms) {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_ended.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_finished; });
    }
    bool Finished() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_finished;
    }
    std::exception_ptr Error() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_error;
    }

    std::atomic<bool> stop{false};
    std::thread thread;

private:
    std::atomic<std::uint64_t> m_steps{0};
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_finished = false;
    std::exception_ptr m_error;
};

BackgroundWork::BackgroundWork(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window) {}

BackgroundWork::~BackgroundWork() {
    endWait();
    for (const std::shared_ptr<Job>& job : m_jobs)
        job->stop = true;
    reap(true);
}

// Joins the threads of jobs that have ended (all: waits for the rest).
void BackgroundWork::reap(bool all) {
    for (auto it = m_jobs.begin(); it != m_jobs.end();) {
        if (all || (*it)->Finished()) {
            (*it)->thread.join();
            it = m_jobs.erase(it);
        } else {
            ++it;
        }
    }
}

BackgroundWork::Outcome BackgroundWork::Run(const QString& label,
                                            std::function<void(WorkProgress&)> job) {
    reap(false);
    auto started = std::make_shared<Job>();
    m_jobs.push_back(started);
    started->Start(std::move(job));

    if (m_current != nullptr) {
        // Input is swallowed while work runs, so only a timer could start
        // more: that waits here, as all work once did.
        while (!started->WaitFor(1000)) {
        }
    } else if (!started->WaitFor(QuickMs)) {
        m_current = started;
        QEventLoop loop;
        m_loop = &loop;
        m_filtering = true;
        qApp->installEventFilter(this);
        QElapsedTimer clock;
        clock.start();
        QTimer poll;
        poll.setInterval(15);
        connect(&poll, &QTimer::timeout, this, [&] {
            if (started->Finished())
                loop.quit();
            else
                tick(label, clock.elapsed());
        });
        poll.start();
        loop.exec();
        endWait();
        m_current = nullptr;
    }
    // A job that ended while Cancel was pressed is dropped all the same:
    // the user was told nothing would be added.
    if (!started->Finished() || started->stop) {
        started->stop = true;
        return Outcome::Cancelled;
    }
    started->thread.join();
    m_jobs.erase(std::find(m_jobs.begin(), m_jobs.end(), started));
    if (const std::exception_ptr error = started->Error())
        std::rethrow_exception(error);
    return Outcome::Finished;
}

void BackgroundWork::tick(const QString& label, qint64 elapsed) {
    if (m_dialog == nullptr) {
        if (elapsed < ShowAfterMs)
            return;
        showDialog(label);
    }
    // Before the first report, and for work that never reports, the bar
    // only says that something is going on.
    const QPointer<QProgressDialog> dialog = m_dialog;
    const int total = m_current->Total();
    if (dialog->maximum() != total)
        dialog->setMaximum(total);
    const int done = std::min(m_current->Done(), total);
    if (dialog != nullptr && total > 0 && dialog->value() != done)
        dialog->setValue(done);
}

void BackgroundWork::showDialog(const QString& label) {
    auto* dialog = new QProgressDialog(label, tr("Cancel"), 0, 0, m_window);
    dialog->setWindowTitle(tr("Exact work in progress"));
    // Not modal: a modal window would make the window manager's close box
    // of the main window do nothing, where it must cancel the work and
    // close. The event filter keeps input from the other windows instead.
    dialog->setWindowModality(Qt::NonModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    connect(dialog, &QProgressDialog::canceled, this, &BackgroundWork::Cancel);
    connect(dialog, &QDialog::rejected, this, &BackgroundWork::Cancel);
    m_dialog = dialog;
    // The wait cursor would hide where Cancel is to be pressed.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_arrow = true;
    dialog->show();
}

void BackgroundWork::Cancel() {
    if (m_current == nullptr)
        return;
    m_current->stop = true;
    endWait();
}

// Gives the windows back: input, cursor, no dialog; Run's loop ends.
void BackgroundWork::endWait() {
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    if (m_arrow) {
        QApplication::restoreOverrideCursor();
        m_arrow = false;
    }
    if (m_dialog != nullptr) {
        m_dialog->disconnect(this);
        m_dialog->hide();
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
    if (m_loop != nullptr) {
        m_loop->quit();
        m_loop = nullptr;
    }
}

bool BackgroundWork::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::Drop:
        break;
    default:
        return false;
    }
    // Only the progress dialog (its window, widgets and Esc) answers.
    if (m_dialog != nullptr) {
        if (watched == m_dialog->windowHandle())
            return false;
        for (QObject* o = watched; o != nullptr; o = o->parent())
            if (o == m_dialog)
                return false;
    }
    return true;
}
