// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the fuzz targets share: messages that go nowhere, and a check that
// ends the run (a finding) when a property does not hold.

#include "GVar.h"
#include "Messages.h"

#include <cmath>

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

// What a workspace may hold after anything at all: 0 to 20 matrices, names
// of at most 20 characters, sizes within 50 x 50, every value finite.
inline void checkWorkspace(const GVar& workspace) {
    check(workspace.MatrixCount <= MaxMatrices);
    for (int slot = 1; slot <= workspace.MatrixCount; ++slot) {
        const TMatrixRec& matrix = workspace.Matrix(slot);
        check(matrix.Name.size() <= MaxNameLength);
        check(matrix.Rows <= MaxDim && matrix.Cols <= MaxDim);
        for (int i = 1; i <= matrix.Rows; ++i)
            for (int j = 1; j <= matrix.Cols; ++j)
                check(std::isfinite(matrix.At(i, j)));
    }
}
