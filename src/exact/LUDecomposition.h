// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"
#include "HandElimination.h"

class WorkProgress;

// P A = L U of any m x n matrix, in exact fractions: U is the echelon form
// the hand elimination reaches (a row exchange only where the pivot is 0,
// as every working does), L (m x m, unit lower triangular) holds each
// multiplier where its row operation puts it, and P (m x m) the row
// exchanges. An exchange at step k swaps the multipliers already in L's
// first k - 1 columns along with the rows, so that P A = L U holds at the
// end whatever the order of the exchanges.
class LUDecomposition {
public:
    // also, when given, hears every row operation as well (a working's
    // writer); without it the elimination runs fraction-free.
    explicit LUDecomposition(const ExactMatrix& a, WorkProgress* progress = nullptr,
                             HandElimination::Observer* also = nullptr);

    const ExactMatrix& L() const { return m_l; }
    const ExactMatrix& U() const { return m_u; }
    const ExactMatrix& P() const { return m_p; }
    int Exchanges() const { return m_exchanges; }

private:
    ExactMatrix m_l;
    ExactMatrix m_u;
    ExactMatrix m_p;
    int m_exchanges = 0;
};
