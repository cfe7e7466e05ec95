// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

class Messages;

constexpr int MaxDim = 50;       // rows and columns of the largest matrix
constexpr int MaxMatrices = 20;  // slots of the workspace
constexpr std::size_t MaxNameLength = 20;

// A set over the 256 single-byte characters.
using CharSet = std::bitset<256>;

// One matrix. The record is always the full MaxDim x MaxDim block, whatever
// its size: only the Rows x Cols block at the top left is meaningful, but
// Copy and the operations that start from a copy carry all of it along.
struct TMatrixRec {
    std::string Name;  // 0 to 20 single-byte characters, kept exactly
    std::uint8_t Rows = 0;
    std::uint8_t Cols = 0;
    double Data[MaxDim * MaxDim] = {};  // row by row, fixed row length MaxDim

    // Element (i, j), both counted from 1.
    double& At(int i, int j) { return Data[(i - 1) * MaxDim + (j - 1)]; }
    double At(int i, int j) const { return Data[(i - 1) * MaxDim + (j - 1)]; }

    // Sets Name to the first 20 characters of name.
    void SetName(const std::string& name) { Name = CutName(name); }

    // The text of this matrix in the selection lists, for example B (3, 4).
    std::string ListItemText() const;

    static std::string CutName(const std::string& name) { return name.substr(0, MaxNameLength); }
};

// The workspace: every variable that lives for the whole run. The program
// owns one; tests make as many fresh ones as they like.
//
// Invariants: 0 <= MatrixCount <= 20; slots 1 to MatrixCount hold a record
// each, densely; slots above MatrixCount are empty.
class GVar {
public:
    GVar() = default;
    GVar(const GVar&) = delete;
    GVar& operator=(const GVar&) = delete;

    std::uint16_t MatrixCount = 0;
    std::int32_t DecimalPlaces = 5;
    std::string HeaderLine;
    static const CharSet Delimiters;  // tab, space and comma

    // The record in slot (1 to MatrixCount).
    TMatrixRec& Matrix(int slot) { return *m_table[slot - 1]; }
    const TMatrixRec& Matrix(int slot) const { return *m_table[slot - 1]; }
    bool IsSlot(int slot) const { return slot >= 1 && slot <= MatrixCount; }

    // The rule by which Copy and the operations create a matrix: refused with
    // the limit message when 19 or more matrices are present (so slot 20 is
    // never filled this way); otherwise a cleared record is put into slot
    // MatrixCount + 1, MatrixCount grows by one and the record is returned.
    // Returns nullptr after showing the message. Throws std::bad_alloc when
    // no record can be obtained, leaving the workspace unchanged.
    TMatrixRec* AllocResult(Messages& messages);

    // Appends a record at slot MatrixCount + 1 with no limit test beyond the
    // 20 slots; the reader and Scale decide their own limits. Throws
    // std::bad_alloc without changing the workspace.
    TMatrixRec& Append(std::unique_ptr<TMatrixRec> record);
    TMatrixRec& AppendNew() { return Append(std::make_unique<TMatrixRec>()); }

    // Releases the record of slot and moves the last record into its place.
    void Erase(int slot);

    // Releases the records above count, so that count matrices remain.
    void Truncate(int count);

    void Clear() { Truncate(0); }

    static const std::string LimitMessage;
    // What a new matrix typed into a grid meets when all 20 slots are in
    // use: unlike AllocResult's limit, the last slot may be filled this way.
    static const std::string FullMessage;

private:
    std::array<std::unique_ptr<TMatrixRec>, MaxMatrices> m_table;
};
