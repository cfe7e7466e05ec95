// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GVar.h"
#include "MatOperations.h"
#include "RecordingMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

// Checks over many random matrices of every size from 1 to 50: what the
// operations compute must be what linear algebra says, within rounding.
namespace {
class Properties : public ::testing::Test {
protected:
    GVar ws;
    RecordingMessages messages;
    MatOperations ops{ws, messages};
    std::mt19937_64 random{20261207};

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    }

    // A random matrix whose diagonal dominates its rows: well conditioned.
    int dominant(int n) {
        TMatrixRec& a = ws.AppendNew();
        a.Rows = a.Cols = static_cast<std::uint8_t>(n);
        for (int i = 1; i <= n; ++i) {
            double sum = 0.0;
            for (int j = 1; j <= n; ++j)
                if (i != j)
                    sum += std::fabs(a.At(i, j) = uniform(-1, 1));
            a.At(i, i) = (uniform(0, 1) < 0.5 ? -1 : 1) * (sum + uniform(1, 2));
        }
        return ws.MatrixCount;
    }

    // A random symmetric positive-definite matrix M'M + n I.
    int positiveDefinite(int n) {
        std::vector<double> m(n * n);
        for (double& v : m)
            v = uniform(-1, 1);
        TMatrixRec& a = ws.AppendNew();
        a.Rows = a.Cols = static_cast<std::uint8_t>(n);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                double sum = i == j ? n : 0.0;
                for (int k = 0; k < n; ++k)
                    sum += m[k * n + (i - 1)] * m[k * n + (j - 1)];
                a.At(i, j) = sum;
            }
        return ws.MatrixCount;
    }

    int column(int n) {
        TMatrixRec& b = ws.AppendNew();
        b.Rows = static_cast<std::uint8_t>(n);
        b.Cols = 1;
        for (int i = 1; i <= n; ++i)
            b.At(i, 1) = uniform(-10, 10);
        return ws.MatrixCount;
    }

    double largest(const TMatrixRec& a) {
        double m = 0.0;
        for (int i = 1; i <= a.Rows; ++i)
            for (int j = 1; j <= a.Cols; ++j)
                m = std::max(m, std::fabs(a.At(i, j)));
        return m;
    }
};

TEST_F(Properties, AnInverseTimesItsMatrixIsTheIdentity) {
    for (int n = 1; n <= MaxDim; ++n) {
        ws.Clear();
        const int a = dominant(n);
        ops.InvertMat(a);
        ops.MultiplyMat(a, a + 1);
        ASSERT_TRUE(messages.shown.empty()) << "n = " << n;
        const TMatrixRec& product = ws.Matrix(a + 2);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j)
                ASSERT_NEAR(product.At(i, j), i == j ? 1.0 : 0.0, 1e-12 * n) << "n = " << n;
    }
}

TEST_F(Properties, TheFactorsTransposeTimesTheFactorIsTheMatrix) {
    for (int n = 1; n <= MaxDim; ++n) {
        ws.Clear();
        const int a = positiveDefinite(n);
        ops.CholeskyMat(a);
        ops.TransposeMat(a + 1);
        ops.MultiplyMat(a + 2, a + 1);
        ASSERT_TRUE(messages.shown.empty()) << "n = " << n;
        const TMatrixRec& A = ws.Matrix(a);
        const TMatrixRec& U = ws.Matrix(a + 1);
        const TMatrixRec& product = ws.Matrix(a + 3);
        const double scale = largest(A);
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                ASSERT_NEAR(product.At(i, j), A.At(i, j), 1e-13 * scale * n) << "n = " << n;
                if (i > j) {
                    ASSERT_EQ(U.At(i, j), 0.0);
                }
            }
    }
}

TEST_F(Properties, TheSolutionHasASmallResidual) {
    for (int n = 1; n <= MaxDim; ++n) {
        ws.Clear();
        const int a = positiveDefinite(n);
        const int b = column(n);
        ops.CholeskyMat(a);
        ops.SubstituteMat(a + 2, b);
        ops.MultiplyMat(a, a + 3);
        ASSERT_TRUE(messages.shown.empty()) << "n = " << n;
        const TMatrixRec& B = ws.Matrix(b);
        const TMatrixRec& AX = ws.Matrix(a + 4);
        for (int i = 1; i <= n; ++i)
            ASSERT_NEAR(AX.At(i, 1), B.At(i, 1), 1e-12 * largest(ws.Matrix(a)) * n) << "n = " << n;
    }
}
} // namespace
