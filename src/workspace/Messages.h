// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// The one way the core speaks to the user. Every refusal, report and error of
// the workspace and the numerical operations goes through ShowMessage, with
// its exact text; the window program shows it in a modal box with an OK
// button, zendra-cli writes it to standard error, and tests record it.
//
// Texts may hold single carriage returns (13) as line breaks.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void ShowMessage(const std::string& text) = 0;
};
