// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The data file reader on arbitrary bytes: it must end, and whatever it
// read, the workspace must still hold only what a workspace can hold.
#include "FuzzSupport.h"
#include "GVar.h"
#include "MatrixFileReader.h"
#include "Messages.h"
#include "MyString.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SilentMessages messages;
    GVar workspace;
    MyString reader(messages);
    MatrixFileReader(workspace, reader, messages)
        .ReadMatrixText(std::string_view(reinterpret_cast<const char*>(data), size));

    checkWorkspace(workspace);
    return 0;
}
