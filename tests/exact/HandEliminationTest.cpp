// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HandElimination.h"
#include "ExactMatrix.h"
#include "ModularElimination.h"
#include "WorkProgress.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {
// Records everything the elimination tells; wanting matrices or not picks
// the elimination in fractions or the fraction-free one (modulo primes on
// wide-range values).
class Recorder : public HandElimination::Observer {
public:
    Recorder(bool wantsMatrices, int stopAtNoPivot)
        : m_wantsMatrices(wantsMatrices), m_stopAtNoPivot(stopAtNoPivot) {}

    void Done(const HandElimination::Operation& operation, const ExactMatrix&) override {
        events.push_back(operation.Text() + " [" + operation.factor.get_str() + "]");
    }
    bool NoPivot(int col, int row) override {
        events.push_back("no pivot " + std::to_string(col) + " " + std::to_string(row));
        return --m_stopAtNoPivot != 0;
    }
    bool WantsMatrices() const override { return m_wantsMatrices; }

    std::vector<std::string> events;

private:
    bool m_wantsMatrices;
    int m_stopAtNoPivot; // the NoPivot call that ends the run, 0 for none
};

enum class Entries { Integers, Fractions, WideRange };

mpq_class randomEntry(std::mt19937_64& random, Entries kind) {
    if (random() % 4 == 0)
        return 0;
    switch (kind) {
    case Entries::Integers:
        return static_cast<long>(random() % 19) - 9;
    case Entries::Fractions: {
        mpq_class q(static_cast<long>(random() % 41) - 20, 1 + static_cast<long>(random() % 12));
        q.canonicalize();
        return q;
    }
    case Entries::WideRange: {
        const double significand = std::uniform_real_distribution<double>(-10.0, 10.0)(random);
        const int exponent = static_cast<int>(random() % 601) - 300;
        // Each double stands for its exact binary value.
        return mpq_class(significand * std::pow(10.0, exponent));
    }
    }
    return 0;
}

// A random matrix, now and then with a dependent row or a zero column.
ExactMatrix randomMatrix(std::mt19937_64& random, int rows, int cols, Entries kind) {
    ExactMatrix m(rows, cols);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            m.At(i, j) = randomEntry(random, kind);
    if (rows > 2 && random() % 3 == 0)
        for (int j = 1; j <= cols; ++j)
            m.At(rows, j) = m.At(1, j) * 3 - m.At(2, j) / 2;
    if (cols > 1 && random() % 4 == 0) {
        const int zero = 1 + static_cast<int>(random() % cols);
        for (int i = 1; i <= rows; ++i)
            m.At(i, zero) = 0;
    }
    return m;
}

struct Outcome {
    bool done;
    std::vector<std::string> events;
    ExactMatrix matrix;
    int rank;
    int swaps;
    std::vector<mpq_class> pivots;
};

Outcome run(const ExactMatrix& start, HandElimination::Goal goal, int pivotCols, bool wantsMatrices,
            int stopAtNoPivot) {
    Recorder recorder(wantsMatrices, stopAtNoPivot);
    HandElimination elimination(start, goal, pivotCols);
    const bool done = elimination.Run(recorder);
    return {done,
            recorder.events,
            elimination.Matrix(),
            elimination.Rank(),
            elimination.Swaps(),
            goal == HandElimination::Goal::Echelon ? elimination.Pivots()
                                                   : std::vector<mpq_class>()};
}

// Without matrices, the fraction-free elimination, or on wide-range values
// the elimination modulo primes, must tell the same as the elimination in
// fractions, and end in the same matrix: also where the observer ends the
// run at the first or the second column without a pivot.
TEST(FractionFreeElimination, TellsExactlyWhatTheEliminationInFractionsDoes) {
    std::mt19937_64 random(77);
    int modular = 0;
    for (int k = 0; k < 1500; ++k) {
        const auto kind = static_cast<Entries>(k % 3);
        const int rows = 1 + static_cast<int>(random() % (kind == Entries::WideRange ? 8 : 6));
        const int cols = 1 + static_cast<int>(random() % (kind == Entries::WideRange ? 8 : 6));
        ExactMatrix start = randomMatrix(random, rows, cols, kind);
        int pivotCols = cols;
        // [A | I] of a square A, as the inverse has it.
        if (k % 5 == 0) {
            const ExactMatrix a = randomMatrix(random, rows, rows, kind);
            start = ExactMatrix(rows, 2 * rows);
            for (int i = 1; i <= rows; ++i) {
                for (int j = 1; j <= rows; ++j)
                    start.At(i, j) = a.At(i, j);
                start.At(i, rows + i) = 1;
            }
            pivotCols = rows;
        }
        const auto goal =
            random() % 2 ? HandElimination::Goal::Reduced : HandElimination::Goal::Echelon;
        // Now and then the observer ends the run at a column without a
        // pivot, as the inverse of a singular matrix does at the first.
        const int stopAt = random() % 3 == 0 ? 1 + static_cast<int>(random() % 2) : 0;
        modular += ModularElimination(start, goal, pivotCols, nullptr).Worthwhile() ? 1 : 0;
        const Outcome plain = run(start, goal, pivotCols, true, stopAt);
        const Outcome fractionFree = run(start, goal, pivotCols, false, stopAt);
        ASSERT_EQ(fractionFree.events, plain.events) << "case " << k;
        ASSERT_EQ(fractionFree.done, plain.done) << "case " << k;
        ASSERT_EQ(fractionFree.matrix, plain.matrix) << "case " << k;
        ASSERT_EQ(fractionFree.rank, plain.rank) << "case " << k;
        ASSERT_EQ(fractionFree.swaps, plain.swaps) << "case " << k;
        ASSERT_EQ(fractionFree.pivots, plain.pivots) << "case " << k;
    }
    EXPECT_GT(modular, 100);
}

// A first prime that divides an entry takes it for 0 and may choose
// another pivot row; the numbers rebuilt show it, and the elimination goes
// the fraction-free way instead.
TEST(FractionFreeElimination, NotMisledByAPrimeThatDividesAPivot) {
    std::mt19937_64 random(3);
    ExactMatrix start(8, 8);
    for (int i = 1; i <= 8; ++i)
        for (int j = 1; j <= 8; ++j)
            start.At(i, j) = mpq_class(std::ldexp(1.5 + i, (i * 7 + j * 13) % 9 * 200 - 900));
    mpz_class prime;
    mpz_set_ui(prime.get_mpz_t(), ModularElimination::FirstPrime());
    start.At(1, 1) = prime;
    for (const auto goal : {HandElimination::Goal::Echelon, HandElimination::Goal::Reduced}) {
        ModularElimination modular(start, goal, 8, nullptr);
        ASSERT_TRUE(modular.Worthwhile());
        EXPECT_FALSE(modular.Prepare());
        const Outcome plain = run(start, goal, 8, true, 0);
        const Outcome other = run(start, goal, 8, false, 0);
        EXPECT_EQ(other.events, plain.events);
        EXPECT_NE(other.events.front().rfind("R1 <-> ", 0), 0u) << other.events.front();
        EXPECT_EQ(other.matrix, plain.matrix);
    }
}

// Stops the work at a given report.
class StopAt : public WorkProgress {
public:
    explicit StopAt(int stop) : m_stop(stop) {}
    bool Report(int, int) override { return ++reports < m_stop; }
    int reports = 0;

private:
    int m_stop;
};

TEST(FractionFreeElimination, StopsWhenProgressSaysSo) {
    std::mt19937_64 random(5);
    const ExactMatrix start = randomMatrix(random, 6, 6, Entries::WideRange);
    StopAt progress(3);
    Recorder recorder(false, 0);
    HandElimination elimination(start, HandElimination::Goal::Reduced, 6, &progress);
    EXPECT_THROW(elimination.Run(recorder), WorkCancelled);
    EXPECT_EQ(progress.reports, 3);
}
} // namespace
