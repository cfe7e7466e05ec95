// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ParallelWork.h"

#include "WorkProgress.h"

#include <flint/flint.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

int ParallelWork::Threads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores, 1u, 8u));
}

void ParallelWork::For(std::size_t count, WorkProgress* progress,
                       const std::function<void(std::size_t, int)>& piece) {
    const int threads =
        static_cast<int>(std::min<std::size_t>(Threads(), std::max<std::size_t>(count, 1)));
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto run = [&](int thread) {
        try {
            for (std::size_t k = next++; k < count && !stop; k = next++) {
                if (thread == 0)
                    ReportProgress(progress, static_cast<int>(std::min<std::size_t>(k, 1 << 30)),
                                   static_cast<int>(std::min<std::size_t>(count, 1 << 30)));
                piece(k, thread);
            }
        } catch (...) {
            stop = true;
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure)
                failure = std::current_exception();
        }
    };
    std::vector<std::thread> others;
    for (int t = 1; t < threads; ++t)
        others.emplace_back([&run, t] {
            run(t);
            // FLINT keeps a cache of long numbers for each thread that has
            // used them, which outlives the thread unless it is freed here.
            flint_cleanup();
        });
    run(0);
    for (std::thread& t : others)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
}
