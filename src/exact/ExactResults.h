// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class GVar;
class Messages;

// How the exact commands that add several matrices store them: the first
// result slot is taken before any work, so a full workspace is refused at
// once; any later failure (no room for the next result, a value beyond the
// double range, no memory, a cancel) gives back every slot taken and shows
// one message. Results are added in order under their names; the message,
// when there is one, is shown after them, or instead of them when there
// are none.
class ExactResults {
public:
    struct Outcome {
        std::vector<std::pair<std::string, ExactMatrix>> results;
        std::string message;
    };

    static void Add(GVar& workspace, Messages& messages,
                    const std::function<Outcome()>& decide);
};
