// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Benchmarks of the exact fractions: determinant and reduced row echelon
// form of a 50 x 50 matrix of two-digit integers, solving a system and the
// null space of one, its LU decomposition, the worked inverse of a 10 x 10
// one, the 99th power of a 10 x 10 of -1, 0 and 1, the worked determinant
// by cofactors of a 5 x 5, and Show fractions beside the decimal view it
// stands in for.
// Beside them, how large the numbers of that row echelon form grow, and
// where a fraction type over 64-bit integers gives out.
//
// Values spread over the whole double range stand for fractions with
// denominators up to 2^1074: on a 50 x 50 of them, FLINT's determinant,
// rank and reduced form beside the fraction-free elimination kept in
// RowReduction, and the worked solutions, whole, whose eliminations run
// modulo primes on every core for such matrices: their figures are
// elapsed times. The worked eliminations in plain fractions took 53 to
// 97 s on such matrices: too slow to run here, that figure stands as their
// baseline.
#include "AlgebraOperations.h"
#include "AlgebraWorkings.h"
#include "EigenAnalysis.h"
#include "EigenOperations.h"
#include "EigenWorkings.h"
#include "EliminationWorkings.h"
#include "ExactMatrix.h"
#include "ExactOperations.h"
#include "FractionListing.h"
#include "GVar.h"
#include "HandElimination.h"
#include "MatrixListing.h"
#include "Messages.h"
#include "RowPractice.h"
#include "RowReduction.h"
#include "SystemOperations.h"
#include "WorkProgress.h"

#include "BenchGoals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {
class QuietMessages : public Messages {
public:
    void ShowMessage(const std::string&) override {}
};

// An n x n matrix of two-digit integers, 10 to 99 with either sign.
void twoDigits(TMatrixRec& m, int n, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    m.SetName("M");
    m.Rows = m.Cols = static_cast<std::uint8_t>(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const auto magnitude = static_cast<double>(10 + random() % 90);
            m.At(i, j) = random() % 2 ? -magnitude : magnitude;
        }
}

void Determinant50(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    twoDigits(ws.AppendNew(), MaxDim, 1);
    ExactOperations ops(ws, messages);
    for (auto _ : state) {
        ops.DeterminantMat(1);
        benchmark::DoNotOptimize(ws.Matrix(2).Data[0]);
        ws.Truncate(1);
    }
}

void Rref50(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    twoDigits(ws.AppendNew(), MaxDim, 2);
    ExactOperations ops(ws, messages);
    for (auto _ : state) {
        ops.RrefMat(1);
        benchmark::DoNotOptimize(ws.Matrix(2).Data[0]);
        ws.Truncate(1);
    }
}

// L, U and P stored: three results, taken away again.
void LU50(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    twoDigits(ws.AppendNew(), MaxDim, 9);
    AlgebraOperations ops(ws, messages);
    for (auto _ : state) {
        ops.LU(1);
        if (ws.MatrixCount != 4)
            state.SkipWithError("L, U and P were not all added");
        benchmark::DoNotOptimize(ws.Matrix(4).Data[0]);
        ws.Truncate(1);
    }
}

// A 10 x 10 of -1, 0 and 1 to the 99th power, stored: six squarings and
// three more products, the entries reaching about 40 digits.
void Power99_10(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    TMatrixRec& m = ws.AppendNew();
    m.SetName("A");
    m.Rows = m.Cols = 10;
    std::mt19937_64 random(10);
    for (int i = 1; i <= 10; ++i)
        for (int j = 1; j <= 10; ++j)
            m.At(i, j) = static_cast<double>(static_cast<int>(random() % 3) - 1);
    AlgebraOperations ops(ws, messages);
    for (auto _ : state) {
        ops.Power(1, "99");
        if (ws.MatrixCount != 2)
            state.SkipWithError("A^99 was not added");
        benchmark::DoNotOptimize(ws.Matrix(2).Data[0]);
        ws.Truncate(1);
    }
}

// The worked determinant by cofactors of a two-digit 5 x 5, the largest
// it is worked for: 5 4 x 4 minors, 20 3 x 3 and 60 2 x 2, with its text.
void WorkedCofactorDeterminant5(benchmark::State& state) {
    GVar ws;
    twoDigits(ws.AppendNew(), 5, 11);
    for (auto _ : state) {
        std::string text = AlgebraWorkings(ws).CofactorDeterminant(1);
        benchmark::DoNotOptimize(text.data());
    }
}

// rows x cols two-digit integers, of which the rows from rank + 1 on are
// each the sum of two rows above, then b, one column: two-digit integers
// too, or the same sums when consistent.
void twoDigitSystem(GVar& ws, int rows, int cols, int rank, bool consistent, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    TMatrixRec& a = ws.AppendNew();
    twoDigits(a, MaxDim, seed);
    a.Rows = static_cast<std::uint8_t>(rows);
    a.Cols = static_cast<std::uint8_t>(cols);
    TMatrixRec& b = ws.AppendNew();
    twoDigits(b, MaxDim, seed + 1);
    b.SetName("b");
    b.Rows = static_cast<std::uint8_t>(rows);
    b.Cols = 1;
    for (int i = rank + 1; i <= rows; ++i) {
        const int p = 1 + static_cast<int>(random() % rank);
        const int q = 1 + static_cast<int>(random() % rank);
        for (int j = 1; j <= cols; ++j)
            a.At(i, j) = a.At(p, j) + a.At(q, j);
        b.At(i, 1) = b.At(p, 1) + b.At(q, 1) + (consistent ? 0 : 1);
    }
}

// Solve system, the results stored: each matrix added is taken away again.
template <class Operation> void systemOperation(benchmark::State& state, GVar& ws, Operation op) {
    QuietMessages messages;
    SystemOperations ops(ws, messages);
    const int before = ws.MatrixCount;
    for (auto _ : state) {
        op(ops);
        if (ws.MatrixCount == before)
            state.SkipWithError("nothing was added");
        benchmark::DoNotOptimize(ws.Matrix(before + 1).Data[0]);
        ws.Truncate(before);
    }
}

void Solve50(benchmark::State& state) {
    GVar ws;
    twoDigitSystem(ws, MaxDim, MaxDim, MaxDim, true, 3);
    systemOperation(state, ws, [](SystemOperations& ops) { ops.SolveSystem(1, 2); });
}

void Solve40x50(benchmark::State& state) {
    GVar ws;
    twoDigitSystem(ws, 40, MaxDim, 40, true, 4);
    systemOperation(state, ws, [](SystemOperations& ops) { ops.SolveSystem(1, 2); });
}

void NullSpace50Rank40(benchmark::State& state) {
    GVar ws;
    twoDigitSystem(ws, MaxDim, MaxDim, 40, true, 5);
    systemOperation(state, ws, [](SystemOperations& ops) { ops.NullSpace(1); });
}

// The characteristic polynomial alone, and every eigenvalue certified to
// its nearest double (at least 15 significant digits), of a two-digit
// 50 x 50, the largest matrix a workspace holds.
template <class Operation> void eigenOperation(benchmark::State& state, Operation op) {
    GVar ws;
    twoDigits(ws.AppendNew(), MaxDim, 7);
    QuietMessages messages;
    EigenOperations ops(ws, messages);
    for (auto _ : state) {
        op(ops);
        benchmark::DoNotOptimize(ws.Matrix(2).Data[0]);
        ws.Truncate(1);
    }
}

// A 50 x 50's 51 coefficients are more than a matrix holds: the command
// refuses to store them, so the polynomial is timed on its own.
void CharPoly50(benchmark::State& state) {
    TMatrixRec m;
    twoDigits(m, MaxDim, 7);
    const ExactMatrix a = ExactMatrix::FromRecord(m);
    for (auto _ : state) {
        const EigenAnalysis eigen(a);
        benchmark::DoNotOptimize(eigen.Characteristic().data());
    }
}

void Eigenvalues50(benchmark::State& state) {
    eigenOperation(state, [](EigenOperations& ops) { ops.Eigenvalues(1); });
}

// The worked eigenvectors of a 3 x 3 with a repeated eigenvalue, text and
// all, as Show working writes them.
void WorkedEigenvectors3(benchmark::State& state) {
    GVar ws;
    TMatrixRec& m = ws.AppendNew();
    m.SetName("A");
    m.Rows = m.Cols = 3;
    const double values[3][3] = {{2, 0, 0}, {1, 2, -1}, {1, 0, 1}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            m.At(i, j) = values[i - 1][j - 1];
    for (auto _ : state) {
        std::string text = EigenWorkings(ws).Eigenvectors(1);
        benchmark::DoNotOptimize(text.data());
    }
}

// Practising row operations on a two-digit 50 x 50: 200 operations as the
// hints give them, then the time of one more, with the matrix's text and
// the log's new entry that a window redraws.
void PracticeStep50(benchmark::State& state) {
    TMatrixRec m;
    twoDigits(m, MaxDim, 8);
    RowPractice practice(ExactMatrix::FromRecord(m), 0, "A");
    for (int k = 0; k < 200; ++k)
        practice.Apply(practice.Hint());
    for (auto _ : state) {
        practice.Apply(practice.Hint());
        std::string shown = practice.MatrixText() + practice.LastEntry() + practice.Status();
        benchmark::DoNotOptimize(shown.data());
        state.PauseTiming();
        practice.Undo();
        state.ResumeTiming();
    }
}

// Without solution: the row that reads 0 = c comes from a second, hand
// elimination, fraction-free. Nothing is added; the time is all.
void NoSolution50Rank40(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    twoDigitSystem(ws, MaxDim, MaxDim, 40, false, 6);
    SystemOperations ops(ws, messages);
    for (auto _ : state) {
        ops.SolveSystem(1, 2);
        benchmark::DoNotOptimize(ws.MatrixCount);
    }
}

// Two-digit integers through the fraction-free elimination kept beside
// FLINT.
void Determinant50_Bareiss(benchmark::State& state) {
    TMatrixRec m;
    twoDigits(m, MaxDim, 1);
    for (auto _ : state) {
        mpq_class det = RowReduction::Determinant(ExactMatrix::FromRecord(m), nullptr,
                                                  RowReduction::Method::Bareiss);
        benchmark::DoNotOptimize(det.get_num_mpz_t());
    }
}

void Rref50_Bareiss(benchmark::State& state) {
    TMatrixRec m;
    twoDigits(m, MaxDim, 2);
    for (auto _ : state) {
        ExactMatrix rref =
            RowReduction::Rref(ExactMatrix::FromRecord(m), nullptr, RowReduction::Method::Bareiss);
        benchmark::DoNotOptimize(rref.At(1, 1).get_num_mpz_t());
    }
}

// An n x n matrix of random significands times 10^k, k from -300 to 300:
// none a simple fraction, so each stands for its exact binary value.
ExactMatrix wideRange(int n, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> significand(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    TMatrixRec m;
    m.Rows = m.Cols = static_cast<std::uint8_t>(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const double value = significand(random) * std::pow(10.0, exponent(random));
            m.At(i, j) = random() % 2 ? -value : value;
        }
    return ExactMatrix::FromRecord(m);
}

template <class Compute> void wide(benchmark::State& state, Compute compute) {
    const ExactMatrix a = wideRange(MaxDim, 5);
    for (auto _ : state) {
        auto result = compute(a);
        benchmark::DoNotOptimize(&result);
    }
}

void WideDeterminant50(benchmark::State& state) {
    wide(state, [](const ExactMatrix& a) { return RowReduction::Determinant(a); });
}
void WideRank50(benchmark::State& state) {
    wide(state, [](const ExactMatrix& a) { return RowReduction::Rank(a); });
}
void WideRref50(benchmark::State& state) {
    wide(state, [](const ExactMatrix& a) { return RowReduction::Rref(a); });
}
void WideDeterminant50_Bareiss(benchmark::State& state) {
    wide(state, [](const ExactMatrix& a) {
        return RowReduction::Determinant(a, nullptr, RowReduction::Method::Bareiss);
    });
}
void WideRank50_Bareiss(benchmark::State& state) {
    wide(state, [](const ExactMatrix& a) {
        return RowReduction::Rank(a, nullptr, RowReduction::Method::Bareiss);
    });
}
void WideRref50_Bareiss(benchmark::State& state) {
    wide(state, [](const ExactMatrix& a) {
        return RowReduction::Rref(a, nullptr, RowReduction::Method::Bareiss);
    });
}

// The longest time between two reports of progress, in seconds: how long a
// cancel may wait. Reports come from one thread at a time.
class Gaps : public WorkProgress {
public:
    using Clock = std::chrono::steady_clock;
    bool Report(int, int) override {
        const Clock::time_point now = Clock::now();
        longest = std::max(longest, std::chrono::duration<double>(now - m_last).count());
        m_last = now;
        return true;
    }
    void Start() { m_last = Clock::now(); }
    double longest = 0.0;

private:
    Clock::time_point m_last;
};

// A worked solution, whole, as Show working writes it, of a wide-range
// 50 x 50: elapsed time, since the work runs on every core.
void workedWide(benchmark::State& state, std::uint64_t seed,
                std::string (EliminationWorkings::*working)(int) const) {
    GVar workspace;
    TMatrixRec& m = workspace.AppendNew();
    m.SetName("W");
    const ExactMatrix values = wideRange(MaxDim, seed);
    m.Rows = m.Cols = MaxDim;
    for (int i = 1; i <= MaxDim; ++i)
        for (int j = 1; j <= MaxDim; ++j)
            m.At(i, j) = values.At(i, j).get_d();
    Gaps gaps;
    double elapsed = 0.0;
    for (auto _ : state) {
        gaps.Start();
        const Gaps::Clock::time_point start = Gaps::Clock::now();
        const std::string text = (EliminationWorkings(workspace, &gaps).*working)(1);
        elapsed = std::chrono::duration<double>(Gaps::Clock::now() - start).count();
        gaps.Report(0, 0);
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["elapsed_ms"] = elapsed * 1000.0;
    state.counters["longest_report_gap_ms"] = gaps.longest * 1000.0;
}

void WideWorkedDeterminant50(benchmark::State& state) {
    workedWide(state, 6, &EliminationWorkings::Determinant);
}
void WideWorkedRank50(benchmark::State& state) {
    workedWide(state, 6, &EliminationWorkings::Rank);
}
void WideWorkedRref50(benchmark::State& state) {
    workedWide(state, 7, &EliminationWorkings::Rref);
}
// Invert: [A | I] to [I | inv(A)], the check and the comparison.
void WideWorkedInverse50(benchmark::State& state) {
    workedWide(state, 8, &EliminationWorkings::Invert);
}

void WorkedInverse10(benchmark::State& state) {
    GVar ws;
    twoDigits(ws.AppendNew(), 10, 3);
    for (auto _ : state) {
        std::string text = EliminationWorkings(ws).Invert(1);
        benchmark::DoNotOptimize(text.data());
    }
}

// The fraction view and the decimal view of the same 50 x 50 matrix in
// turn, so that both meet the machine in the same state; the ratio of their
// times.
template <class Fill> void fractionsAgainstDecimals(benchmark::State& state, Fill fill) {
    GVar ws;
    QuietMessages messages;
    TMatrixRec& m = ws.AppendNew();
    m.Rows = m.Cols = MaxDim;
    std::mt19937_64 random(42);
    for (int i = 1; i <= MaxDim; ++i)
        for (int j = 1; j <= MaxDim; ++j)
            m.At(i, j) = fill(random);
    using Clock = std::chrono::steady_clock;
    Clock::duration fractions{};
    Clock::duration decimals{};
    for (auto _ : state) {
        const auto start = Clock::now();
        std::string withFractions = FractionListing(ws).ViewText(1);
        benchmark::DoNotOptimize(withFractions.data());
        const auto middle = Clock::now();
        std::string withDecimals = MatrixListing(ws, messages).ViewText(1);
        benchmark::DoNotOptimize(withDecimals.data());
        decimals += Clock::now() - middle;
        fractions += middle - start;
    }
    state.counters["ratio"] =
        std::chrono::duration<double>(fractions) / std::chrono::duration<double>(decimals);
}

// Random doubles: none stands for a fraction, so each is searched in full
// and then shown in decimals after all.
void FractionView50_Random(benchmark::State& state) {
    fractionsAgainstDecimals(state, [](std::mt19937_64& random) {
        return std::uniform_real_distribution<double>(-1000.0, 1000.0)(random);
    });
}

// Values typed with two decimals, as exercises have them.
void FractionView50_Typed(benchmark::State& state) {
    fractionsAgainstDecimals(state, [](std::mt19937_64& random) {
        return static_cast<double>(static_cast<long>(random() % 200001) - 100000) / 100.0;
    });
}

// A fraction over 64-bit integers that reports overflow instead of
// wrapping, as a plain hand-written fraction type would need to.
struct Overflow {};

struct Small {
    std::int64_t n = 0;
    std::int64_t d = 1;
};

std::int64_t checkedMul(std::int64_t a, std::int64_t b) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        throw Overflow{};
    return r;
}

Small reduce(std::int64_t n, std::int64_t d) {
    if (d < 0) {
        if (n == INT64_MIN || d == INT64_MIN)
            throw Overflow{};
        n = -n;
        d = -d;
    }
    const std::int64_t g = std::gcd(n, d);
    return g > 1 ? Small{n / g, d / g} : Small{n, d};
}

Small sub(Small a, Small b) {
    const std::int64_t g = std::gcd(a.d, b.d);
    const std::int64_t left = checkedMul(a.n, b.d / g);
    const std::int64_t right = checkedMul(b.n, a.d / g);
    std::int64_t n = 0;
    if (__builtin_sub_overflow(left, right, &n))
        throw Overflow{};
    return reduce(n, checkedMul(a.d / g, b.d));
}

Small mul(Small a, Small b) {
    const Small x = reduce(a.n, b.d);
    const Small y = reduce(b.n, a.d);
    return reduce(checkedMul(x.n, y.n), checkedMul(x.d, y.d));
}

Small div(Small a, Small b) {
    return mul(a, reduce(b.d, b.n));
}

// The same Gauss-Jordan elimination in 64-bit fractions; the pivot column
// at which a number first overflows, 0 when none does.
int int64OverflowColumn(const TMatrixRec& m) {
    const int n = m.Rows;
    std::vector<Small> a(n * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[i * n + j] = Small{static_cast<std::int64_t>(m.At(i + 1, j + 1)), 1};
    int col = 0;
    try {
        int row = 0;
        for (col = 0; col < n; ++col) {
            int p = row;
            while (p < n && a[p * n + col].n == 0)
                ++p;
            if (p == n)
                continue;
            for (int j = 0; j < n; ++j)
                std::swap(a[p * n + j], a[row * n + j]);
            const Small pivot = a[row * n + col];
            for (int j = 0; j < n; ++j)
                a[row * n + j] = div(a[row * n + j], pivot);
            for (int i = 0; i < n; ++i) {
                if (i == row || a[i * n + col].n == 0)
                    continue;
                const Small f = a[i * n + col];
                for (int j = 0; j < n; ++j)
                    a[i * n + j] = sub(a[i * n + j], mul(f, a[row * n + j]));
            }
            ++row;
        }
        return 0;
    } catch (const Overflow&) {
        return col + 1;
    }
}

// Keeps the largest numerator and denominator of the rows the elimination
// changes.
class Sizes : public HandElimination::Observer {
public:
    void Done(const HandElimination::Operation& operation, const ExactMatrix& after) override {
        for (int j = 1; j <= after.Cols(); ++j) {
            const mpq_class& entry = after.At(operation.target, j);
            numeratorBits = std::max(numeratorBits, mpz_sizeinbase(entry.get_num_mpz_t(), 2));
            denominatorBits = std::max(denominatorBits, mpz_sizeinbase(entry.get_den_mpz_t(), 2));
        }
    }
    bool NoPivot(int, int) override { return true; }

    std::size_t numeratorBits = 0;
    std::size_t denominatorBits = 0;
};

// How large the numbers of the row echelon form of Rref50's matrix grow in
// fractions, and where 64-bit fractions overflow on it.
void FractionGrowth50(benchmark::State& state) {
    TMatrixRec m;
    twoDigits(m, MaxDim, 2);
    Sizes sizes;
    int overflowColumn = 0;
    for (auto _ : state) {
        HandElimination elimination(ExactMatrix::FromRecord(m), HandElimination::Goal::Reduced,
                                    MaxDim);
        elimination.Run(sizes);
        overflowColumn = int64OverflowColumn(m);
    }
    state.counters["numerator_bits"] = static_cast<double>(sizes.numeratorBits);
    state.counters["denominator_bits"] = static_cast<double>(sizes.denominatorBits);
    state.counters["int64_overflow_column"] = overflowColumn;
}

ZENDRA_BENCHMARK(Determinant50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(Rref50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(LU50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(Solve50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(Solve40x50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(NullSpace50Rank40)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(NoSolution50Rank40)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(CharPoly50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(Eigenvalues50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(WorkedEigenvectors3)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(PracticeStep50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(Determinant50_Bareiss)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(Rref50_Bareiss)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(WideDeterminant50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(WideRank50)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(WideRref50)->Unit(benchmark::kMillisecond);
// Seconds each: two runs of one, the least counted.
BENCHMARK(WideDeterminant50_Bareiss)
    ->Iterations(1)
    ->Repetitions(2)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", bench::Least)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WideRank50_Bareiss)
    ->Iterations(1)
    ->Repetitions(2)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", bench::Least)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WideRref50_Bareiss)
    ->Iterations(1)
    ->Repetitions(2)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", bench::Least)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WideWorkedDeterminant50)
    ->Iterations(1)
    ->Repetitions(2)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", bench::Least)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WideWorkedRank50)
    ->Iterations(1)
    ->Repetitions(2)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", bench::Least)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WideWorkedRref50)
    ->Iterations(1)
    ->Repetitions(2)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", bench::Least)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WideWorkedInverse50)
    ->Iterations(1)
    ->Repetitions(2)
    ->DisplayAggregatesOnly(true)
    ->ComputeStatistics("min", bench::Least)
    ->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(WorkedInverse10)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(Power99_10)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(WorkedCofactorDeterminant5)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(FractionView50_Random)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(FractionView50_Typed)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(FractionGrowth50)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::FigureReporter reporter(true);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool met = bench::PrintGoals(
        reporter,
        {
            {"exact det 50 x 50 two-digit integers, ms", "Determinant50", 100, 1000},
            {"exact rref 50 x 50 two-digit integers, ms", "Rref50", 100, 1000},
            {"LU 50 x 50 two-digit integers, stored, ms", "LU50", 100, 1000},
            {"solve system 50 x 50 two-digit, stored, ms", "Solve50", 100, 1000},
            {"solve system 40 x 50 two-digit, stored, ms", "Solve40x50", 100, 1000},
            {"null space 50 x 50 of rank 40, stored, ms", "NullSpace50Rank40", 100, 1000},
            {"  no solution, 50 x 50 of rank 40, ms", "NoSolution50Rank40", 0, 1000},
            {"characteristic polynomial 50 x 50 two-digit, ms", "CharPoly50", 100, 1000},
            {"eigenvalues 50 x 50 two-digit, certified, ms", "Eigenvalues50", 1000, 1000},
            {"worked eigenvectors 3 x 3 with its text, ms", "WorkedEigenvectors3", 10, 1000},
            {"practice step 50 x 50 after 200, with its texts, ms", "PracticeStep50", 50, 1000},
            {"  fraction-free elimination (baseline), ms", "Determinant50_Bareiss", 0, 1000},
            {"  rref, fraction-free elimination (baseline), ms", "Rref50_Bareiss", 0, 1000},
            {"exact det 50 x 50 wide range, ms", "WideDeterminant50", 1000, 1000},
            {"  fraction-free elimination (baseline), ms", "WideDeterminant50_Bareiss", 0, 1000},
            {"exact rank 50 x 50 wide range, ms", "WideRank50", 1000, 1000},
            {"  fraction-free elimination (baseline), ms", "WideRank50_Bareiss", 0, 1000},
            {"exact rref 50 x 50 wide range, ms", "WideRref50", 1000, 1000},
            {"  fraction-free elimination (baseline), ms", "WideRref50_Bareiss", 0, 1000},
            {"worked det 50 x 50 wide, whole, elapsed ms", "WideWorkedDeterminant50.elapsed_ms",
             5000},
            {"worked rank 50 x 50 wide, whole, elapsed ms", "WideWorkedRank50.elapsed_ms", 5000},
            {"worked rref 50 x 50 wide, whole, elapsed ms", "WideWorkedRref50.elapsed_ms", 5000},
            {"worked inverse 50 x 50 wide, whole, elapsed ms", "WideWorkedInverse50.elapsed_ms",
             5000},
            {"longest gap between reports, det, ms",
             "WideWorkedDeterminant50.longest_report_gap_ms", 200},
            {"longest gap between reports, rref, ms", "WideWorkedRref50.longest_report_gap_ms",
             200},
            {"longest gap between reports, inverse, ms",
             "WideWorkedInverse50.longest_report_gap_ms", 200},
            {"worked inverse 10 x 10 with its text, ms", "WorkedInverse10", 50, 1000},
            {"A^99 of a 10 x 10 of -1, 0 and 1, stored, ms", "Power99_10", 100, 1000},
            {"worked det by cofactors 5 x 5 with its text, ms", "WorkedCofactorDeterminant5", 50,
             1000},
            {"fraction view / decimal view, 50 x 50 random", "FractionView50_Random.ratio", 2.0},
            {"fraction view / decimal view, 50 x 50 typed", "FractionView50_Typed.ratio", 2.0},
            {"rref in fractions: largest numerator, bits", "FractionGrowth50.numerator_bits", 0},
            {"rref in fractions: largest denominator, bits", "FractionGrowth50.denominator_bits",
             0},
            {"64-bit fractions overflow at pivot column (of 50)",
             "FractionGrowth50.int64_overflow_column", 0},
        });
    // The elimination in fractions takes about a minute on each: its
    // figure, measured before the fraction-free one replaced it, stands.
    std::printf("%-50s %9s %10s\n", "  worked eliminations in fractions (noted), ms", "53000-97000",
                "-");
    benchmark::Shutdown();
    return met ? 0 : 1;
}
