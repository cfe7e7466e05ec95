#include "MatOperations.h"

#include "GVar.h"
#include "Messages.h"
#include "MyString.h"

#include <algorithm>
#include <cmath>
#include <iterator>
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

// A refusal found while computing: the message has been shown and the
// result must go again.
struct Refused {};
} // namespace

const char* const MatOperations::OverflowReport = "Floating point overflow.";
const char* const MatOperations::MemoryReport = "Out of memory.";

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
    MyString::Line line(text);
    const double factor = reader.ReadDouble(line, GVar::Delimiters);
    if (reader.ReadError)
        return false;
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
        for (int i = 1; i <= n; ++i) {
            double largest = 0.0;
            for (int j = 1; j <= n; ++j) {
                if (PivotCount[j] == 1)
                    continue;
                for (int k = 1; k <= n; ++k) {
                    if (PivotCount[k] > 1)
                        singular();
                    if (PivotCount[k] == 0 && std::fabs(at(C, j, k)) > largest) {
                        largest = std::fabs(at(C, j, k));
                        row = j;
                        col = k;
                    }
                }
            }
            // A first step with nothing non-zero has no position to repeat.
            if (row == 0)
                singular();
            ++PivotCount[col];
            PivotRow[i] = row;
            PivotCol[i] = col;
            if (row != col)
                for (int l = 1; l <= n; ++l)
                    std::swap(at(C, row, l), at(C, col, l));

            double* pivotRow = &at(C, col, 1);
            const double pivot = pivotRow[col - 1];
            pivotRow[col - 1] = 1.0;
            for (int l = 0; l < n; ++l)
                pivotRow[l] = checked(pivotRow[l] / pivot);

            for (int m = 1; m <= n; ++m) {
                if (m == col)
                    continue;
                double* target = &at(C, m, 1);
                const double f = target[col - 1];
                target[col - 1] = 0.0;
                for (int l = 0; l < n; ++l)
                    target[l] = target[l] - pivotRow[l] * f;
                for (int l = 0; l < n; ++l)
                    checked(target[l]);
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
