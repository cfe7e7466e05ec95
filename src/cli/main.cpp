// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScriptRunner.h"

#include <cstring>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << ScriptRunner::Usage;
        return 0;
    }
    if (argc > 2) {
        std::cerr << "zendra-cli: one script at most\n" << ScriptRunner::Usage;
        return 2;
    }
    ScriptRunner runner(std::cout, std::cerr);
    if (argc == 1)
        return runner.Run(std::cin);
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
        std::cerr << "zendra-cli: cannot open the script \"" << argv[1] << "\": "
                  << std::strerror(errno) << "\n";
        return 2;
    }
    return runner.Run(script);
}
