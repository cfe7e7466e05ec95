// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExactMatrix.h"

#include "FractionRule.h"
#include "GVar.h"

#include <optional>

ExactMatrix ExactMatrix::FromRecord(const TMatrixRec& m) {
    ExactMatrix exact(m.Rows, m.Cols);
    for (int i = 1; i <= m.Rows; ++i)
        for (int j = 1; j <= m.Cols; ++j)
            exact.At(i, j) = FractionRule::StandsFor(m.At(i, j));
    return exact;
}

ExactMatrix ExactMatrix::Identity(int n) {
    ExactMatrix identity(n, n);
    for (int i = 1; i <= n; ++i)
        identity.At(i, i) = 1;
    return identity;
}

bool ExactMatrix::ToRecord(TMatrixRec& record) const {
    if (m_rows > MaxDim || m_cols > MaxDim)
        return false;
    std::vector<double> values;
    values.reserve(m_data.size());
    for (const mpq_class& entry : m_data) {
        const std::optional<double> value = FractionRule::NearestDouble(entry);
        if (!value)
            return false;
        values.push_back(*value);
    }
    record.Rows = static_cast<std::uint8_t>(m_rows);
    record.Cols = static_cast<std::uint8_t>(m_cols);
    for (int i = 1; i <= m_rows; ++i)
        for (int j = 1; j <= m_cols; ++j)
            record.At(i, j) = values[(i - 1) * m_cols + (j - 1)];
    return true;
}

ExactMatrix ExactMatrix::Columns(int first, int count) const {
    ExactMatrix part(m_rows, count);
    for (int i = 1; i <= m_rows; ++i)
        for (int j = 1; j <= count; ++j)
            part.At(i, j) = At(i, first + j - 1);
    return part;
}

ExactMatrix ExactMatrix::operator*(const ExactMatrix& other) const {
    ExactMatrix product(m_rows, other.m_cols);
    for (int i = 1; i <= m_rows; ++i)
        for (int j = 1; j <= other.m_cols; ++j) {
            mpq_class& sum = product.At(i, j);
            for (int k = 1; k <= m_cols; ++k)
                sum += At(i, k) * other.At(k, j);
        }
    return product;
}

mpz_class ExactMatrix::RowDenominator(int i) const {
    mpz_class lcm = 1;
    for (int j = 1; j <= Cols(); ++j)
        mpz_lcm(lcm.get_mpz_t(), lcm.get_mpz_t(), At(i, j).get_den_mpz_t());
    return lcm;
}
