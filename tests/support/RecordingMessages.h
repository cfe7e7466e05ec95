// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Messages.h"

#include <string>
#include <vector>

// Keeps every message the core shows, so tests can assert the exact texts.
class RecordingMessages : public Messages {
public:
    void ShowMessage(const std::string& text) override { shown.push_back(text); }

    // The messages shown since the last call, and forgets them.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(shown);
        return taken;
    }

    std::vector<std::string> shown;
};
