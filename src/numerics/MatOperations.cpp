// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MatOperations.h"

#include "GVar.h"
#include "Messages.h"
#include "MyString.h"

#include <algorithm>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>
#include <utility>

namespace {
// Thrown at the first value that is not a finite double. Overflow gives an
// infinity and a division by zero or an invalid operation an infinity or a
// NaN, none of which any later step turns back into a finite value, so
// testing what is stored catches every fault whatever the compiler does with
// the floating-point environment. Underflow stays silent.
struct ArithmeticFault {};

inline double checked(double value) {
    if (!std::isfinite(value))
        throw ArithmeticFault{};
    return value;
}

// Element (i, j), counted from 1, of a record's fixed 50-wide array.
inline double& at(double* data, int i, int j) { return data[(i - 1) * MaxDim + (j - 1)]; }
inline double at(const double* data, int i, int j) { return data[(i - 1) * MaxDim + (j - 1)]; }

// Bit 63 of the result is set exactly when the exponent field of value is
// all ones, that is when it is an infinity or a NaN. Or-ing these over a
// row tests the whole row with integer operations the compiler vectorises.
inline std::uint64_t nonFiniteBit(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 0x7FF0000000000000ULL) + 0x0010000000000000ULL;
}

constexpr std::uint64_t NonFinite = 0x8000000000000000ULL;

// Row target minus f times the pivot row, f being target's element in the
// pivot column, which becomes 0 first. The rows are distinct, which lets
// the compiler vectorise the update. Returns false when a value came out
// not finite. It must not throw: gcc calls a target_clones function through
// a resolver it takes to be nothrow, so an exception leaving it ends the
// program in std::terminate instead of reaching the guard.
__attribute__((target_clones("avx2", "default")))
bool eliminate(double* __restrict target, const double* __restrict pivotRow, int col, int n) noexcept {
    const double f = target[col - 1];
    target[col - 1] = 0.0;
    std::uint64_t faults = 0;
    for (int l = 0; l < n; ++l) {
        const double value = target[l] - pivotRow[l] * f;
        target[l] = value;
        faults |= nonFiniteBit(value);
    }
    return (faults & NonFinite) == 0;
}

// A double whose bits are all ones, for masks.
const double AllOnes = [] {
    const std::uint64_t bits = ~0ULL;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}();

// The largest magnitude among the elements of row whose mask is all ones.
// The values are finite, so the order of the comparisons does not matter.
double largestMasked(const double* row, const double* mask, int n) {
#if defined(__SSE2__)
    const __m128d absolute = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFLL));
    __m128d best0 = _mm_setzero_pd();
    __m128d best1 = _mm_setzero_pd();
    int l = 0;
    for (; l + 4 <= n; l += 4) {
        const __m128d a = _mm_and_pd(_mm_and_pd(_mm_loadu_pd(row + l), absolute),
                                     _mm_load_pd(mask + l));
        const __m128d b = _mm_and_pd(_mm_and_pd(_mm_loadu_pd(row + l + 2), absolute),
                                     _mm_load_pd(mask + l + 2));
        best0 = _mm_max_pd(best0, a);
        best1 = _mm_max_pd(best1, b);
    }
    best0 = _mm_max_pd(best0, best1);
    double pair[2];
    _mm_storeu_pd(pair, best0);
    double best = std::max(pair[0], pair[1]);
#else
    double best = 0.0;
    int l = 0;
#endif
    for (; l < n; ++l) {
        std::uint64_t m;
        std::memcpy(&m, &mask[l], sizeof m);
        if (m != 0)
            best = std::max(best, std::fabs(row[l]));
    }
    return best;
}

// A refusal found while computing: the message has been shown and the
// result must go again.
struct Refused {};
} // namespace

const char* const MatOperations::OverflowReport = "Floating point overflow.";
const char* const MatOperations::MemoryReport = "Out of memory.";
const char* const MatOperations::FactorMessage =
    "Please enter the scale factor as one number, such as 2.5 or -1E-3.";

template <class Body>
void MatOperations::guarded(const char* faultMessage, Body body) {
    const int before = m_workspace.MatrixCount;
    try {
        body();
        return;
    } catch (const Refused&) {
        m_workspace.Truncate(before);
        return;
    } catch (const ArithmeticFault&) {
    } catch (const std::bad_alloc&) {
    }
    // A fault never leaves a partly computed result behind.
    m_workspace.Truncate(before);
    m_messages.ShowMessage(faultMessage);
}

bool MatOperations::ScaleMatrix(int a, const std::string& text, MyString& reader) {
    if (!m_workspace.IsSlot(a))
        return true;
    MyString::Line line(text);
    const double factor = reader.ReadDouble(line, GVar::Delimiters);
    if (reader.ReadError)
        return false;
    // "2,5" would read as 2 and name the result "2,5*A": a factor is one
    // number, with nothing but blanks after it.
    // The number is the first field; after it only blanks may follow (a
    // comma, as in "2,5" or "2,", is more than a blank).
    const std::size_t start = text.find_first_not_of(" \t,");
    const std::size_t end = text.find_first_of(" \t,", start);
    if (end != std::string::npos && text.find_first_not_of(" \t", end) != std::string::npos) {
        m_messages.ShowMessage(FactorMessage);
        return false;
    }
    // Scale has its own limit: it may fill the 20th slot.
    if (m_workspace.MatrixCount >= MaxMatrices) {
        m_messages.ShowMessage(GVar::LimitMessage);
        return true;
    }
    const TMatrixRec& A = m_workspace.Matrix(a);
    const std::string name = text + "*" + A.Name;
    const int rows = A.Rows;
    const int cols = A.Cols;
    guarded(OverflowReport, [&] {
        TMatrixRec* C = nullptr;
        try {
            C = &m_workspace.AppendNew();
        } catch (const std::bad_alloc&) {
            m_messages.ShowMessage(MemoryReport);
            throw Refused{};
        }
        const TMatrixRec& source = m_workspace.Matrix(a);
        C->SetName(name);
        C->Rows = static_cast<std::uint8_t>(rows);
        C->Cols = static_cast<std::uint8_t>(cols);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j)
                C->At(i, j) = checked(factor * source.At(i, j));
    });
    return true;
}

void MatOperations::TransposeMat(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    guarded(MemoryReport, [&] {
        TMatrixRec* C = m_workspace.AllocResult(m_messages);
        if (C == nullptr)
            return;
        const TMatrixRec& A = m_workspace.Matrix(a);
        C->Rows = A.Cols;
        C->Cols = A.Rows;
        for (int i = 1; i <= A.Rows; ++i)
            for (int j = 1; j <= A.Cols; ++j)
                C->At(j, i) = A.At(i, j);
        C->SetName(A.Name + "t");
    });
}

void MatOperations::AddMat(int a, int b) {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    if (A.Rows != B.Rows || A.Cols != B.Cols) {
        m_messages.ShowMessage("Error, arrays are not conformable for addition.");
        return;
    }
    guarded("Sorry, unable to complete addition.", [&] {
        TMatrixRec* C = m_workspace.AllocResult(m_messages);
        if (C == nullptr)
            return;
        C->SetName(A.Name + "+" + B.Name);
        C->Rows = A.Rows;
        C->Cols = A.Cols;
        for (int i = 1; i <= A.Rows; ++i)
            for (int j = 1; j <= A.Cols; ++j)
                C->At(i, j) = checked(A.At(i, j) + B.At(i, j));
    });
}

void MatOperations::SubtractMat(int a, int b) {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    if (A.Rows != B.Rows || A.Cols != B.Cols) {
        m_messages.ShowMessage("Error, arrays are not conformable for subtraction.");
        return;
    }
    guarded("Sorry, unable to complete subtraction.", [&] {
        TMatrixRec* C = m_workspace.AllocResult(m_messages);
        if (C == nullptr)
            return;
        C->SetName(A.Name + "-" + B.Name);
        C->Rows = A.Rows;
        C->Cols = A.Cols;
        for (int i = 1; i <= A.Rows; ++i)
            for (int j = 1; j <= A.Cols; ++j)
                C->At(i, j) = checked(A.At(i, j) - B.At(i, j));
    });
}

void MatOperations::MultiplyMat(int a, int b) {
    if (!m_workspace.IsSlot(a) || !m_workspace.IsSlot(b))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    const TMatrixRec& B = m_workspace.Matrix(b);
    if (A.Cols != B.Rows) {
        m_messages.ShowMessage("Error, arrays are not conformable for multiplication.");
        return;
    }
    guarded("Sorry, unable to complete multiplication.", [&] {
        TMatrixRec* C = m_workspace.AllocResult(m_messages);
        if (C == nullptr)
            return;
        C->SetName(A.Name + "*" + B.Name);
        C->Rows = A.Rows;
        C->Cols = B.Cols;
        const int n = A.Cols;
        for (int i = 1; i <= A.Rows; ++i) {
            const double* rowA = A.Data + (i - 1) * MaxDim;
            for (int j = 1; j <= B.Cols; ++j) {
                // The running sum is rounded to a double after every k, in
                // ascending k. Once a partial sum is not finite it stays so,
                // so the element is tested when it is complete.
                double sum = 0.0;
                const double* colB = B.Data + (j - 1);
                for (int k = 0; k < n; ++k)
                    sum = rowA[k] * colB[k * MaxDim] + sum;
                C->At(i, j) = checked(sum);
            }
        }
    });
}

void MatOperations::InvertMat(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    if (A.Rows != A.Cols) {
        m_messages.ShowMessage("Error, matrix must be square for this operation.");
        return;
    }
    guarded("Sorry, the maximum memory allocation already exist.", [&] {
        TMatrixRec* result = m_workspace.AllocResult(m_messages);
        if (result == nullptr)
            return;
        result->SetName("inv(" + A.Name + ")");
        result->Rows = A.Rows;
        result->Cols = A.Cols;
        std::copy(std::begin(A.Data), std::end(A.Data), std::begin(result->Data));
        double* C = result->Data;
        const int n = A.Rows;

        // Working storage, indexed from 1.
        int PivotRow[MaxDim + 1];
        int PivotCol[MaxDim + 1];
        int PivotCount[MaxDim + 1];
        int row = 0;
        int col = 0;  // the pivot position, carried from step to step
        const auto singular = [&] {
            m_messages.ShowMessage("Error: Singular matrix -- cannot compute approximations.");
            throw Refused{};
        };

        for (int k = 1; k <= n; ++k)
            PivotCount[k] = 0;
        bool repeated = false;  // some column already chosen twice
        alignas(16) double freeMask[MaxDim];  // all ones where a column is still free
        for (int i = 1; i <= n; ++i) {
            for (int k = 1; k <= n; ++k)
                freeMask[k - 1] = PivotCount[k] == 0 ? AllOnes : 0.0;
            double largest = 0.0;
            for (int j = 1; j <= n; ++j) {
                if (PivotCount[j] == 1)
                    continue;
                // The search stops at a column chosen twice as soon as it
                // scans a row, before it could choose anything.
                if (repeated)
                    singular();
                // Scanning row by row and column by column, the pivot moves
                // to an element strictly larger than all before it: in this
                // row, to the first free element of the row's largest
                // magnitude, when that beats the rows before.
                const double* rowJ = &at(C, j, 1);
                const double rowLargest = largestMasked(rowJ, freeMask, n);
                if (rowLargest > largest) {
                    largest = rowLargest;
                    row = j;
                    for (int k = 1; k <= n; ++k)
                        if (PivotCount[k] == 0 && std::fabs(rowJ[k - 1]) == rowLargest) {
                            col = k;
                            break;
                        }
                }
            }
            // A first step with nothing non-zero has no position to repeat.
            if (row == 0)
                singular();
            if (++PivotCount[col] > 1)
                repeated = true;
            PivotRow[i] = row;
            PivotCol[i] = col;
            if (row != col)
                for (int l = 1; l <= n; ++l)
                    std::swap(at(C, row, l), at(C, col, l));

            double* const pivotRow = &at(C, col, 1);
            const double pivot = pivotRow[col - 1];
            pivotRow[col - 1] = 1.0;
            for (int l = 0; l < n; ++l)
                pivotRow[l] = checked(pivotRow[l] / pivot);

            for (int m = 1; m <= n; ++m) {
                if (m == col)
                    continue;
                if (!eliminate(&at(C, m, 1), pivotRow, col, n))
                    throw ArithmeticFault{};
            }
        }

        for (int l = n; l >= 1; --l)
            if (PivotRow[l] != PivotCol[l])
                for (int k = 1; k <= n; ++k)
                    std::swap(at(C, k, PivotRow[l]), at(C, k, PivotCol[l]));

        for (int k = 1; k <= n; ++k) {
            if (PivotCount[k] != 1) {
                m_messages.ShowMessage(
                    "Error, could not resolve initial approximations. Matrix is unstable.");
                throw Refused{};
            }
        }
    });
}

void MatOperations::CholeskyMat(int a) {
    if (!m_workspace.IsSlot(a))
        return;
    const TMatrixRec& A = m_workspace.Matrix(a);
    if (A.Rows != A.Cols) {
        m_messages.ShowMessage("Error, No Cholesky Decompostion possible.");
        return;
    }
    guarded("Sorry, unable to complete process.", [&] {
        TMatrixRec* result = m_workspace.AllocResult(m_messages);
        if (result == nullptr)
            return;
        result->SetName("Chol(" + A.Name + ")");
        result->Rows = A.Rows;
        result->Cols = A.Cols;
        std::copy(std::begin(A.Data), std::end(A.Data), std::begin(result->Data));
        double* U = result->Data;
        const int n = A.Rows;

        for (int i = 1; i <= n; ++i)
            for (int j = 1; j < i; ++j)
                at(U, i, j) = 0.0;
        for (int k = 1; k <= n; ++k) {
            // Tested on the diagonal as the earlier steps left it.
            if (!(at(U, k, k) > 0.0)) {
                m_messages.ShowMessage("Error - Array is not positive definite.");
                throw Refused{};
            }
            const double d = std::sqrt(at(U, k, k));
            at(U, k, k) = d;
            double* rowK = &at(U, k, 1);
            for (int j = k + 1; j <= n; ++j)
                rowK[j - 1] = checked(rowK[j - 1] / d);
            for (int i = k + 1; i <= n; ++i) {
                double* rowI = &at(U, i, 1);
                const double f = rowK[i - 1];
                for (int j = i; j <= n; ++j)
                    rowI[j - 1] = rowI[j - 1] - f * rowK[j - 1];
                for (int j = i; j <= n; ++j)
                    checked(rowI[j - 1]);
            }
        }
    });
}

void MatOperations::SubstituteMat(int r, int b) {
    if (!m_workspace.IsSlot(r) || !m_workspace.IsSlot(b))
        return;
    const TMatrixRec& R = m_workspace.Matrix(r);
    const TMatrixRec& B = m_workspace.Matrix(b);
    if (B.Cols != 1 || B.Rows != R.Cols) {
        m_messages.ShowMessage("Sorry, this operation cannot be continued with these matrices.");
        return;
    }
    guarded("Sorry, unsufficient resources to complete operation.", [&] {
        TMatrixRec* X = m_workspace.AllocResult(m_messages);
        if (X == nullptr)
            return;
        X->SetName("X");
        X->Rows = B.Rows;
        X->Cols = B.Cols;
        std::copy(std::begin(B.Data), std::end(B.Data), std::begin(X->Data));
        const int n = X->Rows;
        const double* Rd = R.Data;

        // Forward with R', then back with R. Only R's diagonal and upper
        // triangle are read; rows of R beyond its row count hold whatever
        // its record holds there.
        for (int i = 1; i <= n; ++i) {
            const double xi = checked(X->At(i, 1) / at(Rd, i, i));
            X->At(i, 1) = xi;
            for (int j = i + 1; j <= n; ++j)
                X->At(j, 1) = checked(X->At(j, 1) - at(Rd, i, j) * xi);
        }
        for (int i = n; i >= 1; --i) {
            double xi = X->At(i, 1);
            for (int j = n; j >= i + 1; --j)
                xi = checked(xi - at(Rd, i, j) * X->At(j, 1));
            X->At(i, 1) = checked(xi / at(Rd, i, i));
        }
    });
}
