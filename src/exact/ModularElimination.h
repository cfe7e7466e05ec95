// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExactMatrix.h"
#include "HandElimination.h"

#include <gmpxx.h>

#include <cstdint>
#include <utility>
#include <vector>

class WorkProgress;

// The row operations of HandElimination for an observer that wants no
// matrices, found by elimination modulo many word-sized primes and the
// Chinese remainder theorem, for matrices whose minors run to thousands of
// digits (values spread over the whole double range): there the
// fraction-free elimination multiplies numbers of up to 100,000 bits
// O(n^3) times, where this does O(n^3) word operations per prime.
//
// Every number it hands on is exact. The whole numbers a fraction-free
// elimination would hold (the minors of the matrix with its rows made
// whole) are rebuilt from their residues, with enough primes for
// Hadamard's bound, and the factors are formed from them exactly as
// FractionFreeElimination forms them, so the operations are the same,
// byte for byte. The pivot rows are chosen by the first prime; the others
// follow them, and a prime that meets a zero pivot there is passed over.
// When the first prime took an entry for zero that is not, Prepare says
// so and the caller uses the fraction-free elimination (a chance of about
// one in 10^18).
class ModularElimination {
public:
    using Goal = HandElimination::Goal;

    // The prime that chooses the pivots.
    static std::uint64_t FirstPrime();

    // start must outlive this.
    ModularElimination(const ExactMatrix& start, Goal goal, int pivotCols, WorkProgress* progress);

    // True when the minors of start may pass ThresholdBits: below that the
    // fraction-free elimination is as fast.
    bool Worthwhile() const;
    static constexpr double ThresholdBits = 6000;

    // Does the work; false when the first prime misled the choice of a
    // pivot. progress hears per prime and per rebuilt number.
    bool Prepare();

    // As FractionFreeElimination::Run, after Prepare said true.
    bool Run(HandElimination::Observer& observer, const ExactMatrix& after);

    // Whether Matrix is known: the reduced forms are, the echelon forms,
    // whose entries the worked solutions never show, are not.
    bool HasMatrix() const { return m_end != End::None; }
    // The matrix in fractions at the end of the whole elimination.
    const ExactMatrix& Matrix() const { return m_final; }
    // The same, handed over: an inverse's thousands of long entries take a
    // noticeable time to copy.
    ExactMatrix TakeMatrix() { return std::move(m_final); }
    // The pivots in fractions, as the hand elimination finds them before
    // scaling: the diagonal of the echelon form.
    const std::vector<mpq_class>& Pivots() const { return m_pivots; }
    int Rank() const { return m_rank; }
    int Swaps() const { return m_swaps; }
    // The column (from 1) where the observer ended Run, or 0.
    int EndedAt() const { return m_endedAt; }

private:
    struct Step {
        int col = 0;
        int row = 0;       // where its pivot goes
        int pivotRow = -1; // where the pivot was found; -1 for none
    };

    void choosePivots(std::uint64_t prime);
    std::size_t valueCount() const;
    bool eliminate(std::uint64_t prime, std::uint64_t* out, std::size_t stride) const;
    std::uint64_t residue(std::size_t i, int j, std::uint64_t prime) const;
    void finish(std::size_t v);
    int primesFor(int size) const;

    enum class End { None, Flint, Rebuilt };

    // What Run goes through, in order: each column, with or without a
    // pivot, and the operations of a column with one.
    struct Event {
        enum class Kind { Pivot, NoPivot, Operation };
        Kind kind = Kind::Pivot;
        int step = 0;
        HandElimination::Operation operation;
    };
    void plan();

    const ExactMatrix& m_start;
    Goal m_goal;
    int m_pivotCols;
    WorkProgress* m_progress;
    int m_rows;
    int m_cols;
    End m_end = End::None;               // how the end matrix is known
    std::vector<int> m_endCols;          // the columns of the end matrix rebuilt
    std::vector<double> m_rowBits;       // of the rows' lengths, longest first
    double m_boundBits = 0;              // Hadamard's bound on the minors, in bits
    std::vector<mpz_class> m_whole;      // the rows made whole
    std::vector<mpz_class> m_multiplier; // d_i, in the starting order
    std::vector<Step> m_steps;
    // at(i, col) before the swap of each step, rows in that step's order,
    // then the end matrix's whole numbers: the layout eliminate writes.
    std::vector<mpz_class> m_values;
    ExactMatrix m_final;
    int m_rank = 0;
    int m_swaps = 0;
    int m_endedAt = 0;
    std::vector<mpq_class> m_pivots;
    std::vector<Event> m_events;
};
