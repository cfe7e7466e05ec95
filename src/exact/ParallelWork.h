// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <functional>

class WorkProgress;

// Independent pieces of exact work (an elimination modulo one prime, one
// number rebuilt from its residues, one fraction reduced) spread over the
// machine's cores. Only the calling thread tells progress where the work
// stands, as WorkProgress implementations expect one reporter; when it says
// stop, the other threads stop after their current piece and WorkCancelled
// leaves For. An exception from a piece leaves For the same way, after
// every thread has stopped.
class ParallelWork {
public:
    // piece(k, thread) for every k in [0, count), thread in [0, Threads()).
    static void For(std::size_t count, WorkProgress* progress,
                    const std::function<void(std::size_t, int)>& piece);
    static int Threads();
};
