// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class GVar;
class Messages;
class MyString;
struct TMatrixRec;

// Matrices as readable text with DecimalPlaces decimals: the view text of
// View matrix, the listing file of List matrix, and the number of decimal
// places that Display options sets.
class MatrixListing {
public:
    MatrixListing(const GVar& workspace, Messages& messages)
        : m_workspace(workspace), m_messages(messages) {}
    ~MatrixListing();
    MatrixListing(const MatrixListing&) = delete;
    MatrixListing& operator=(const MatrixListing&) = delete;

    // The view of one matrix: its name, "rows, cols", then each row with
    // every value formatted in a common width and followed by a blank;
    // lines end with CR LF.
    std::string ViewText(int slot) const;

    // The field widths of a view and of a listing of m with D decimals.
    // Both grow with the largest magnitude so that the columns line up.
    static int ViewWidth(const TMatrixRec& m, int D);
    static int ListingWidth(const TMatrixRec& m, int D);

    // A typed listing path without any "." gets ".out".
    static std::string ListingPath(const std::string& typed);

    // List matrix in two steps, since the file is made before the matrices
    // are chosen: Create makes the file with the header line and an empty
    // line; Finish appends the chosen slots in slot order (none when the
    // choice was cancelled) and closes it. Each returns false after showing
    // the system's description of a failure; the file is closed then.
    bool Create(const std::string& path);
    bool Finish(const std::vector<int>& slots);

    // Finish with the chosen matrices laid out by a caller with its own
    // view of the values: appends text as it is and closes the file.
    bool FinishText(const std::string& text);

    // Display options confirmed with text in its field. Reads the number of
    // decimal places; on success sets decimals and returns true. A text that
    // does not read has shown the reader's report, and a number outside 0 to
    // 99 is refused with a message: both return false, decimals unchanged,
    // so that the dialog asks again.
    static bool ReadDecimalPlaces(MyString& reader, Messages& messages, const std::string& text,
                                  std::int32_t& decimals);

private:
    bool fail(const char* what);

    const GVar& m_workspace;
    Messages& m_messages;
    std::FILE* m_file = nullptr;
    std::string m_path;
};
