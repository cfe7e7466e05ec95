// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// Paths that come from outside (a script, a typed file name) reach the file
// system as C strings, which end at the first NUL byte: a path holding one
// would silently name another file, and writing to it could replace that
// file. Such a path names no file at all; every reader and writer refuses it
// with its usual failure message and the reason below.
class FilePath {
public:
    // False when path cannot name a file: it holds a NUL byte.
    static bool Nameable(const std::string& path);

    // The path as a message shows it: a NUL byte as the two characters \0,
    // so the user sees where the name goes wrong.
    static std::string Shown(const std::string& path);

    // The reason given for a path that names no file.
    static const char* const NulReason;
};
