#pragma once

// What the fuzz targets share: messages that go nowhere, and a check that
// ends the run (a finding) when a property does not hold.

#include "Messages.h"

#include <cstdlib>
#include <string>

class SilentMessages : public Messages {
public:
    void ShowMessage(const std::string&) override {}
};

inline void check(bool holds) {
    if (!holds)
        std::abort();
}
