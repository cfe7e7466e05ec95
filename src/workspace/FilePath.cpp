// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FilePath.h"

const char* const FilePath::NulReason = "the name holds a NUL byte";

bool FilePath::Nameable(const std::string& path) {
    return path.find('\0') == std::string::npos;
}

std::string FilePath::Shown(const std::string& path) {
    std::string shown;
    shown.reserve(path.size());
    for (const char c : path) {
        if (c == '\0')
            shown += "\\0";
        else
            shown += c;
    }
    return shown;
}
