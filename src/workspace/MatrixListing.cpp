// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatrixListing.h"

#include "FilePath.h"
#include "GVar.h"
#include "MUtil.h"
#include "Messages.h"
#include "MyString.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {
double largestMagnitude(const TMatrixRec& m) {
    double largest = 0.0;
    for (int i = 1; i <= m.Rows; ++i)
        for (int j = 1; j <= m.Cols; ++j)
            largest = std::max(largest, std::fabs(m.At(i, j)));
    return largest;
}

// Widths and decimals reach FormatNumber as single bytes.
std::uint8_t byte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
} // namespace

MatrixListing::~MatrixListing() {
    if (m_file != nullptr)
        std::fclose(m_file);
}

int MatrixListing::ViewWidth(const TMatrixRec& m, int D) {
    const double M = largestMagnitude(m);
    if (M == 0.0)
        return D + 5;
    const int W = static_cast<int>(std::trunc(std::log10(M))) + D + 4;
    // Tiny magnitudes would give no width at all (or, taken as a byte, the
    // scientific form or a huge field): give them room for "-0." and the
    // decimals instead.
    return W > 0 ? W : D + 3;
}

int MatrixListing::ListingWidth(const TMatrixRec& m, int D) {
    const double M = largestMagnitude(m);
    return M > 1.0 ? static_cast<int>(std::trunc(std::log10(M))) + D + 4 : D + 4;
}

std::string MatrixListing::ViewText(int slot) const {
    const TMatrixRec& m = m_workspace.Matrix(slot);
    const int D = m_workspace.DecimalPlaces;
    const std::uint8_t W = byte(ViewWidth(m, D));
    std::string text = m.Name + "\r\n" + std::to_string(m.Rows) + ", " + std::to_string(m.Cols) +
                       "\r\n";
    for (int i = 1; i <= m.Rows; ++i) {
        for (int j = 1; j <= m.Cols; ++j) {
            text += MUtil::FormatNumber(W, byte(D), m.At(i, j));
            text += ' ';
        }
        text += "\r\n";
    }
    return text;
}

std::string MatrixListing::ListingPath(const std::string& typed) {
    return typed.find('.') == std::string::npos ? typed + ".out" : typed;
}

bool MatrixListing::fail(const char* what) {
    const int error = errno;
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_messages.ShowMessage("Sorry, the listing file \"" + m_path + "\" " + what + ": " +
                           std::strerror(error) + ".");
    return false;
}

bool MatrixListing::Create(const std::string& path) {
    if (m_file != nullptr)
        std::fclose(m_file);
    m_path = path;
    if (!FilePath::Nameable(path)) {
        m_file = nullptr;
        m_messages.ShowMessage("Sorry, the listing file \"" + FilePath::Shown(path) +
                               "\" cannot be created: " + FilePath::NulReason + ".");
        return false;
    }
    m_file = std::fopen(path.c_str(), "wb");
    if (m_file == nullptr)
        return fail("cannot be created");
    const std::string head = m_workspace.HeaderLine + "\r\n\r\n";
    if (std::fwrite(head.data(), 1, head.size(), m_file) != head.size())
        return fail("could not be written");
    return true;
}

bool MatrixListing::Finish(const std::vector<int>& slots) {
    if (m_file == nullptr)
        return false;
    std::vector<int> chosen(slots);
    std::sort(chosen.begin(), chosen.end());
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());

    const int D = m_workspace.DecimalPlaces;
    std::string text;
    for (int slot : chosen) {
        if (!m_workspace.IsSlot(slot))
            continue;
        const TMatrixRec& m = m_workspace.Matrix(slot);
        const std::uint8_t W = byte(ListingWidth(m, D));
        text += m.Name + "\r\n" + std::to_string(m.Rows) + ", " + std::to_string(m.Cols) + "\r\n";
        for (int i = 1; i <= m.Rows; ++i) {
            for (int j = 1; j <= m.Cols; ++j) {
                text += ' ';
                text += MUtil::FormatNumber(W, byte(D), m.At(i, j));
            }
            text += "\r\n";
        }
        text += "\r\n";
    }
    return FinishText(text);
}

bool MatrixListing::FinishText(const std::string& text) {
    if (m_file == nullptr)
        return false;
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        return fail("could not be written");
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0)
        return fail("could not be written");
    return true;
}

bool MatrixListing::ReadDecimalPlaces(MyString& reader, Messages& messages,
                                      const std::string& text, std::int32_t& decimals) {
    MyString::Line line(text);
    const std::int32_t value = reader.ReadInteger(line, GVar::Delimiters);
    if (reader.ReadError)
        return false;
    if (value < 0 || value > 99) {
        messages.ShowMessage("Please enter a number of decimal places from 0 to 99.");
        return false;
    }
    decimals = value;
    return true;
}
