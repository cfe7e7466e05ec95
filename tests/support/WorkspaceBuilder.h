// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GVar.h"

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <string>
#include <vector>

// Puts matrices into a workspace from rows written out in the test.
inline int AddMatrix(GVar& workspace, const std::string& name,
                     std::initializer_list<std::initializer_list<double>> rows) {
    TMatrixRec& m = workspace.AppendNew();
    m.SetName(name);
    m.Rows = static_cast<std::uint8_t>(rows.size());
    m.Cols = static_cast<std::uint8_t>(rows.size() ? rows.begin()->size() : 0);
    int i = 1;
    for (const auto& row : rows) {
        int j = 1;
        for (double value : row)
            m.At(i, j++) = value;
        ++i;
    }
    return workspace.MatrixCount;
}


using Rows = std::vector<std::vector<double>>;

// The same from rows held in a table of test cases.
inline int AddRows(GVar& workspace, const std::string& name, const Rows& rows) {
    TMatrixRec& m = workspace.AppendNew();
    m.SetName(name);
    m.Rows = static_cast<std::uint8_t>(rows.size());
    m.Cols = static_cast<std::uint8_t>(rows.empty() ? 0 : rows[0].size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            m.At(static_cast<int>(i) + 1, static_cast<int>(j) + 1) = rows[i][j];
    return workspace.MatrixCount;
}

// Fills the workspace with 1 x 1 matrices up to count matrices.
inline void FillTo(GVar& workspace, int count) {
    while (workspace.MatrixCount < count)
        AddMatrix(workspace, "F" + std::to_string(workspace.MatrixCount + 1), {{1.0}});
}

// The Rows x Cols block of a matrix, row by row.
inline Rows Block(const TMatrixRec& m) {
    std::vector<std::vector<double>> rows(m.Rows, std::vector<double>(m.Cols));
    for (int i = 1; i <= m.Rows; ++i)
        for (int j = 1; j <= m.Cols; ++j)
            rows[i - 1][j - 1] = m.At(i, j);
    return rows;
}


// Names table-driven cases by their "what", so test names stay the same
// from build to build.
struct CaseName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        std::string name;
        for (const char* c = info.param.what; *c != '\0'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    }
};
