// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Import matrix's reader on arbitrary text: it reads a matrix within
// 50 x 50 with as many values as cells, or says why not; and a matrix it
// read comes back bit for bit through CSV and Octave's text as exported.
#include "FuzzSupport.h"
#include "GVar.h"
#include "MatrixExport.h"
#include "MatrixImport.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const MatrixImport::Result r = MatrixImport::Read(text, "\"f\"");
    if (!r.read) {
        check(!r.error.empty());
        return 0;
    }
    check(r.error.empty());
    check(r.rows >= 1 && r.rows <= MaxDim && r.cols >= 1 && r.cols <= MaxDim);
    check(r.values.size() == static_cast<std::size_t>(r.rows) * r.cols);
    TMatrixRec m;
    m.SetName(r.name.empty() ? std::string("f") : r.name);
    m.Rows = static_cast<std::uint8_t>(r.rows);
    m.Cols = static_cast<std::uint8_t>(r.cols);
    for (int i = 1; i <= r.rows; ++i)
        for (int j = 1; j <= r.cols; ++j) {
            const double v = r.values[(i - 1) * r.cols + (j - 1)];
            check(std::isfinite(v));
            m.At(i, j) = v;
        }
    for (const std::string& out : {MatrixExport::Csv(m), MatrixExport::OctaveText(m)}) {
        const MatrixImport::Result back = MatrixImport::Read(out, "\"f\"");
        check(back.read && back.rows == r.rows && back.cols == r.cols);
        check(std::memcmp(back.values.data(), r.values.data(), r.values.size() * sizeof(double)) == 0);
    }
    return 0;
}
