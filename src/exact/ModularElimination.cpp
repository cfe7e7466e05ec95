// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ModularElimination.h"

#include "FlintMatrix.h"
#include "LowestTerms.h"
#include "ParallelWork.h"
#include "WorkProgress.h"

#include <flint/flint.h>
#include <flint/fmpz.h>
#include <flint/ulong_extras.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {
using u64 = std::uint64_t;

// Primes of 62 bits: each carries 61 bits of a rebuilt number.
constexpr int PrimeBits = 61;
const u64 PrimesFrom = u64(1) << 61;

// Arithmetic modulo one prime, with FLINT's precomputed inverse. Every
// residue handed in is below the prime, which FLINT's routines assume.
struct Modulus {
    explicit Modulus(u64 prime) : p(prime), inverse(n_preinvert_limb(prime)) {}
    u64 mul(u64 a, u64 b) const { return n_mulmod2_preinv(a, b, p, inverse); }
    u64 sub(u64 a, u64 b) const { return n_submod(a, b, p); }
    // a is not zero modulo p, so the inverse exists and FLINT never aborts.
    u64 inv(u64 a) const { return n_invmod(a, p); }
    // Many products by one w, as a row operation has: Shoup's precomputed
    // quotient makes each two multiplications, for primes below 2^63.
    u64 pre(u64 w) const { return n_mulmod_precomp_shoup(w, p); }
    u64 mulBy(u64 w, u64 wPre, u64 t) const { return n_mulmod_shoup(w, t, wPre, p); }
    u64 p;
    u64 inverse;
};

// The product tree FLINT rebuilds numbers with, with room for each
// thread, freed also when a cancel unwinds past it.
class Comb {
public:
    Comb(const std::vector<u64>& primes, int threads) : m_temps(threads), m_values(threads) {
        if (primes.empty() || threads < 1)
            throw std::logic_error("a comb needs a prime and a thread");
        fmpz_comb_init(m_comb, reinterpret_cast<mp_srcptr>(primes.data()),
                       static_cast<slong>(primes.size()));
        for (int t = 0; t < threads; ++t) {
            fmpz_comb_temp_init(&m_temps[t], m_comb);
            fmpz_init(&m_values[t]);
        }
    }
    ~Comb() {
        for (std::size_t t = 0; t < m_temps.size(); ++t) {
            fmpz_clear(&m_values[t]);
            fmpz_comb_temp_clear(&m_temps[t]);
        }
        fmpz_comb_clear(m_comb);
    }
    Comb(const Comb&) = delete;
    Comb& operator=(const Comb&) = delete;

    // The number in the symmetric range whose residues these are.
    void Rebuild(const u64* residues, mpz_class& value, int thread) {
        fmpz_multi_CRT_ui(&m_values[thread], reinterpret_cast<mp_srcptr>(residues), m_comb,
                          &m_temps[thread], 1);
        fmpz_get_mpz(value.get_mpz_t(), &m_values[thread]);
    }

private:
    fmpz_comb_t m_comb;
    std::vector<fmpz_comb_temp_struct> m_temps;
    std::vector<fmpz> m_values;
};
} // namespace

ModularElimination::ModularElimination(const ExactMatrix& start, Goal goal, int pivotCols,
                                       WorkProgress* progress)
    : m_start(start), m_goal(goal), m_pivotCols(pivotCols), m_progress(progress),
      m_rows(start.Rows()), m_cols(start.Cols()),
      m_whole(static_cast<std::size_t>(m_rows) * m_cols), m_multiplier(m_rows),
      m_final(start.Rows(), start.Cols()) {
    // Hadamard's bound on every minor: the product of the rows' lengths.
    for (int i = 0; i < m_rows; ++i) {
        mpz_class& lcm = m_multiplier[i];
        lcm = start.RowDenominator(i + 1);
        std::size_t longest = 0;
        for (int j = 0; j < m_cols; ++j) {
            const mpq_class& entry = start.At(i + 1, j + 1);
            mpz_class& whole = m_whole[static_cast<std::size_t>(i) * m_cols + j];
            mpz_divexact(whole.get_mpz_t(), lcm.get_mpz_t(), entry.get_den_mpz_t());
            whole *= entry.get_num();
            if (whole != 0)
                longest = std::max(longest, mpz_sizeinbase(whole.get_mpz_t(), 2));
        }
        m_rowBits.push_back(longest > 0 ? static_cast<double>(longest) + 0.5 * std::log2(m_cols)
                                        : 0.0);
        m_boundBits += m_rowBits.back();
    }
    std::sort(m_rowBits.begin(), m_rowBits.end(), std::greater<double>());
}

// Enough primes for every minor of size: Hadamard's bound over the rows
// with the longest lengths, and a sign.
int ModularElimination::primesFor(int size) const {
    double bits = 0;
    for (int i = 0; i < size && i < m_rows; ++i)
        bits += m_rowBits[i];
    return static_cast<int>(std::ceil((bits + 2) / PrimeBits)) + 1;
}

std::uint64_t ModularElimination::FirstPrime() {
    return n_nextprime(PrimesFrom, 0);
}

bool ModularElimination::Worthwhile() const {
    return m_boundBits > ThresholdBits && m_rows > 0 && m_pivotCols > 0;
}

u64 ModularElimination::residue(std::size_t i, int j, u64 prime) const {
    return mpz_fdiv_ui(m_whole[i * m_cols + j].get_mpz_t(), prime);
}

// The pivots as the first prime sees them, by the rule of the hand
// elimination: the first entry at or below the current row that is not 0.
void ModularElimination::choosePivots(u64 prime) {
    const Modulus m(prime);
    const int cols = m_pivotCols;
    std::vector<u64> a(static_cast<std::size_t>(m_rows) * cols);
    for (int i = 0; i < m_rows; ++i)
        for (int j = 0; j < cols; ++j)
            a[static_cast<std::size_t>(i) * cols + j] = residue(i, j, prime);
    auto at = [&](int i, int j) -> u64& { return a[static_cast<std::size_t>(i) * cols + j]; };
    int rank = 0;
    m_steps.clear();
    for (int col = 0; col < cols && rank < m_rows; ++col) {
        Step step;
        step.col = col;
        step.row = rank;
        for (int i = rank; i < m_rows && step.pivotRow < 0; ++i)
            if (at(i, col) != 0)
                step.pivotRow = i;
        m_steps.push_back(step);
        if (step.pivotRow < 0)
            continue;
        for (int j = 0; j < cols; ++j)
            std::swap(at(rank, j), at(step.pivotRow, j));
        const u64 inv = m.inv(at(rank, col));
        for (int i = rank + 1; i < m_rows; ++i) {
            const u64 f = m.mul(at(i, col), inv);
            if (f == 0)
                continue;
            for (int j = col; j < cols; ++j)
                at(i, j) = m.sub(at(i, j), m.mul(f, at(rank, j)));
        }
        ++rank;
    }
    const bool reduced = m_goal == Goal::Reduced;
    // FLINT finds the reduced form of a matrix fast when every column may
    // hold a pivot, but not that of [A | I], whose right half it treats as
    // numbers of thousands of digits too: there the end matrix is rebuilt,
    // all but the pivot columns, which hold a 1 and zeros.
    m_end = !reduced ? End::None : m_pivotCols == m_cols ? End::Flint : End::Rebuilt;
    m_endCols.clear();
    if (m_end == End::Rebuilt) {
        std::vector<bool> pivot(m_cols, false);
        for (const Step& step : m_steps)
            if (step.pivotRow >= 0)
                pivot[step.col] = true;
        for (int j = 0; j < m_cols; ++j)
            if (!pivot[j])
                m_endCols.push_back(j);
    }
}

std::size_t ModularElimination::valueCount() const {
    const bool reduced = m_goal == Goal::Reduced;
    std::size_t count = 0;
    for (const Step& step : m_steps)
        count += static_cast<std::size_t>(m_rows - (reduced && step.pivotRow >= 0 ? 0 : step.row));
    return count + static_cast<std::size_t>(m_rows) * m_endCols.size();
}

// The residues of the numbers a fraction-free elimination holds, in the
// order Run reads them; false when a pivot is 0 modulo this prime.
bool ModularElimination::eliminate(u64 prime, u64* out, std::size_t stride) const {
    const Modulus m(prime);
    const bool reduced = m_goal == Goal::Reduced;
    const int cols = m_end == End::Rebuilt ? m_cols : m_pivotCols;
    std::vector<u64> a(static_cast<std::size_t>(m_rows) * cols);
    for (int i = 0; i < m_rows; ++i)
        for (int j = 0; j < cols; ++j)
            a[static_cast<std::size_t>(i) * cols + j] = residue(i, j, prime);
    auto at = [&](int i, int j) -> u64& { return a[static_cast<std::size_t>(i) * cols + j]; };
    // The fraction-free numbers are the fractions of this elimination of
    // the whole rows times the product of the pivots so far.
    u64 product = 1;
    std::size_t v = 0;
    auto put = [&](u64 value) { out[v++ * stride] = value; };
    for (const Step& step : m_steps) {
        const int col = step.col;
        const int row = step.row;
        const int first = reduced && step.pivotRow >= 0 ? 0 : row;
        for (int i = first; i < m_rows; ++i)
            put(m.mul(at(i, col), product));
        if (step.pivotRow < 0)
            continue;
        if (at(step.pivotRow, col) == 0)
            return false;
        for (int j = 0; j < cols; ++j)
            std::swap(at(row, j), at(step.pivotRow, j));
        const u64 pivot = at(row, col);
        const u64 inv = m.inv(pivot);
        if (reduced) {
            const u64 invPre = m.pre(inv);
            for (int j = col; j < cols; ++j)
                at(row, j) = m.mulBy(inv, invPre, at(row, j));
            for (int i = 0; i < m_rows; ++i) {
                const u64 f = at(i, col);
                if (i == row || f == 0)
                    continue;
                const u64 fPre = m.pre(f);
                for (int j = col; j < cols; ++j)
                    if (at(row, j) != 0)
                        at(i, j) = m.sub(at(i, j), m.mulBy(f, fPre, at(row, j)));
            }
        } else {
            for (int i = row + 1; i < m_rows; ++i) {
                const u64 f = m.mul(at(i, col), inv);
                if (f == 0)
                    continue;
                const u64 fPre = m.pre(f);
                for (int j = col; j < cols; ++j)
                    at(i, j) = m.sub(at(i, j), m.mulBy(f, fPre, at(row, j)));
            }
        }
        product = m.mul(product, pivot);
    }
    for (int i = 0; i < m_rows; ++i)
        for (const int j : m_endCols)
            put(m.mul(at(i, j), product));
    return true;
}

bool ModularElimination::Prepare() {
    const int primes = primesFor(m_rows);
    const std::size_t stride = static_cast<std::size_t>(primes);
    choosePivots(FirstPrime());
    const std::size_t count = valueCount();

    // The residues, laid out value by value, each value's side by side. A
    // prime that meets a zero pivot is replaced by the next one after all.
    // Tens of megabytes, left uninitialised: every slot is written before it
    // is read, and clearing them first took longer than a report may wait.
    std::unique_ptr<u64[]> residues(new u64[count * stride]);
    std::vector<u64> used(primes);
    u64 prime = PrimesFrom;
    for (u64& p : used)
        p = prime = n_nextprime(prime, 0);
    std::vector<char> lucky(primes);
    ParallelWork::For(used.size(), m_progress, [&](std::size_t k, int) {
        lucky[k] = eliminate(used[k], residues.get() + k, stride);
    });
    for (int k = 0; k < primes; ++k)
        while (!lucky[k]) {
            used[k] = prime = n_nextprime(prime, 0);
            lucky[k] = eliminate(prime, residues.get() + k, stride);
        }

    // A number is rebuilt from as many of the primes as the size of its
    // minor needs, through one of a few combs: the early minors are short.
    const bool reduced = m_goal == Goal::Reduced;
    const int rungs = 8;
    const int threads = ParallelWork::Threads();
    std::map<int, std::unique_ptr<Comb>> combs;
    std::vector<Comb*> combOf(count);
    std::size_t v = 0;
    int rank = 0;
    auto assign = [&](int size, std::size_t n) {
        const int needed = std::min(primes, primesFor(size));
        const int level = (needed * rungs + primes - 1) / primes;
        const int rung = std::min(primes, (level * primes + rungs - 1) / rungs);
        std::unique_ptr<Comb>& comb = combs[rung];
        if (!comb)
            comb = std::make_unique<Comb>(std::vector<u64>(used.begin(), used.begin() + rung),
                                          threads);
        for (std::size_t k = 0; k < n; ++k)
            combOf[v++] = comb.get();
    };
    for (const Step& step : m_steps) {
        const int first = reduced && step.pivotRow >= 0 ? 0 : step.row;
        assign(step.row + 1, static_cast<std::size_t>(m_rows - first));
        rank += step.pivotRow >= 0 ? 1 : 0;
    }
    const std::size_t end = v;
    assign(rank + 1, static_cast<std::size_t>(m_rows) * m_endCols.size());
    m_values.assign(count, mpz_class());
    ParallelWork::For(count, m_progress, [&](std::size_t k, int thread) {
        combOf[k]->Rebuild(residues.get() + k * stride, m_values[k], thread);
    });
    residues.reset();

    // The first prime chose each pivot as the first entry it saw as not 0:
    // every entry above it, and every entry of a column without a pivot,
    // must be 0 indeed.
    v = 0;
    for (const Step& step : m_steps) {
        const int first = reduced && step.pivotRow >= 0 ? 0 : step.row;
        const int last = step.pivotRow >= 0 ? step.pivotRow : m_rows;
        for (int i = step.row; i < last; ++i)
            if (m_values[v + static_cast<std::size_t>(i - first)] != 0)
                return false;
        v += static_cast<std::size_t>(m_rows - first);
    }
    plan();
    finish(end);
    return true;
}

// The end matrix in fractions: FLINT's reduced form where it is the
// elimination's end, or else the rebuilt whole numbers over the divisors a
// fraction-free elimination has for them.
void ModularElimination::finish(std::size_t v) {
    if (m_end == End::None)
        return;
    if (m_end == End::Flint) {
        m_final = FlintMatrix::Rref(m_start, m_progress);
        return;
    }
    // Reduced: every row over the last pivot, those without a pivot over
    // their multiplier too; the pivot columns hold a 1 and zeros.
    std::vector<mpz_class> multiplier = m_multiplier;
    mpz_class previous = 1;
    int rank = 0;
    std::size_t at = 0;
    for (const Step& step : m_steps) {
        const int first = step.pivotRow >= 0 ? 0 : step.row;
        const mpz_class* values = &m_values[at];
        at += static_cast<std::size_t>(m_rows - first);
        if (step.pivotRow < 0)
            continue;
        std::swap(multiplier[step.row], multiplier[step.pivotRow]);
        previous = values[step.pivotRow - first];
        m_final.At(rank + 1, step.col + 1) = 1;
        ++rank;
    }
    const std::size_t width = m_endCols.size();
    const LowestTerms lowest(previous);
    ParallelWork::For(static_cast<std::size_t>(m_rows), m_progress, [&](std::size_t row, int) {
        const int i = static_cast<int>(row);
        const mpz_class den = i >= rank ? mpz_class(multiplier[i] * previous) : previous;
        std::vector<mpq_class*> entries;
        for (std::size_t c = 0; c < width; ++c) {
            mpq_class& entry = m_final.At(i + 1, m_endCols[c] + 1);
            entry = mpq_class(m_values[v + row * width + c], den);
            entries.push_back(&entry);
        }
        lowest.Reduce(entries);
    });
}

// The operations FractionFreeElimination would hand on, from the rebuilt
// numbers: their factors are formed the same way, then brought to lowest
// terms on every core, the longest part of the work.
void ModularElimination::plan() {
    using Operation = HandElimination::Operation;
    const bool reduced = m_goal == Goal::Reduced;
    std::vector<mpz_class> multiplier = m_multiplier;
    mpz_class previous = 1;
    std::size_t v = 0;
    m_events.clear();
    m_pivots.clear();
    // The subtractions of a column share a multiple of one number in their
    // denominators: the last pivot (Reduced) or this one (Echelon).
    struct Batch {
        mpz_class common;
        std::size_t first = 0;
        std::size_t end = 0;
    };
    std::vector<Batch> batches;
    std::vector<std::size_t> scales;
    for (const Step& step : m_steps) {
        // Copying the long numbers into the factors takes a while too.
        ReportProgress(m_progress, static_cast<int>(&step - m_steps.data()),
                       static_cast<int>(m_steps.size()));
        const int row = step.row;
        const int first = reduced && step.pivotRow >= 0 ? 0 : row;
        const mpz_class* values = &m_values[v];
        v += static_cast<std::size_t>(m_rows - first);
        Event event;
        event.step = static_cast<int>(&step - m_steps.data());
        event.kind = step.pivotRow < 0 ? Event::Kind::NoPivot : Event::Kind::Pivot;
        m_events.push_back(event);
        if (step.pivotRow < 0)
            continue;
        event.kind = Event::Kind::Operation;
        // The entry of row i in this column after the swap.
        auto entry = [&](int i) -> const mpz_class& {
            if (i == row)
                return values[step.pivotRow - first];
            if (i == step.pivotRow)
                return values[row - first];
            return values[i - first];
        };
        Operation& operation = event.operation;
        if (step.pivotRow != row) {
            std::swap(multiplier[row], multiplier[step.pivotRow]);
            operation.kind = Operation::Kind::Swap;
            operation.target = row + 1;
            operation.source = step.pivotRow + 1;
            m_events.push_back(event);
        }
        const mpz_class& pivot = entry(row);
        const mpz_class scaled = multiplier[row] * previous;
        if (reduced && pivot != scaled) {
            operation.kind = Operation::Kind::Scale;
            operation.target = row + 1;
            operation.factor = mpq_class(scaled, pivot);
            scales.push_back(m_events.size());
            m_events.push_back(event);
        }
        Batch batch;
        batch.common = reduced ? previous : pivot;
        batch.first = m_events.size();
        for (int i = reduced ? 0 : row + 1; i < m_rows; ++i) {
            if (i == row || entry(i) == 0)
                continue;
            operation.kind = Operation::Kind::Subtract;
            operation.target = i + 1;
            operation.source = row + 1;
            if (reduced)
                operation.factor =
                    mpq_class(entry(i), i < row ? previous : mpz_class(multiplier[i] * previous));
            else
                operation.factor = mpq_class(entry(i) * multiplier[row], multiplier[i] * pivot);
            m_events.push_back(event);
        }
        batch.end = m_events.size();
        batches.push_back(batch);
        m_pivots.emplace_back(pivot, scaled);
        previous = pivot;
    }
    const std::size_t singles = scales.size() + m_pivots.size();
    ParallelWork::For(batches.size() + singles, m_progress, [&](std::size_t k, int) {
        if (k < scales.size()) {
            m_events[scales[k]].operation.factor.canonicalize();
        } else if (k < singles) {
            m_pivots[k - scales.size()].canonicalize();
        } else {
            const Batch& batch = batches[k - singles];
            std::vector<mpq_class*> factors;
            for (std::size_t e = batch.first; e < batch.end; ++e)
                factors.push_back(&m_events[e].operation.factor);
            LowestTerms(batch.common).Reduce(factors);
        }
    });
}

bool ModularElimination::Run(HandElimination::Observer& observer, const ExactMatrix& after) {
    using Kind = HandElimination::Operation::Kind;
    m_rank = 0;
    m_swaps = 0;
    for (const Event& event : m_events) {
        const Step& at = m_steps[event.step];
        switch (event.kind) {
        case Event::Kind::NoPivot:
            ReportProgress(m_progress, at.col, m_pivotCols);
            if (!observer.NoPivot(at.col + 1, at.row + 1)) {
                m_endedAt = at.col + 1;
                return false;
            }
            break;
        case Event::Kind::Pivot:
            // Only a column without a pivot can end the run, so this
            // column's pivot counts already.
            ReportProgress(m_progress, at.col, m_pivotCols);
            ++m_rank;
            break;
        case Event::Kind::Operation:
            if (event.operation.kind == Kind::Swap)
                ++m_swaps;
            observer.Done(event.operation, after);
            break;
        }
    }
    return true;
}
