// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Benchmarks of the core, each beside a plain baseline measured in the same
// run; the table at the end gives the ratios and the goals they must meet.
#include "GVar.h"
#include "MatOperations.h"
#include "MatrixFileReader.h"
#include "MatrixFileWriter.h"
#include "MatrixListing.h"
#include "Messages.h"
#include "MyString.h"

#include "BenchGoals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {
class QuietMessages : public Messages {
public:
    void ShowMessage(const std::string&) override {}
};

constexpr int N = MaxDim;

void fillRandom(TMatrixRec& m, std::mt19937_64& random, bool dominant) {
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    m.Rows = m.Cols = N;
    for (int i = 1; i <= N; ++i)
        for (int j = 1; j <= N; ++j)
            m.At(i, j) = value(random);
    if (dominant)
        for (int i = 1; i <= N; ++i)
            m.At(i, i) += (m.At(i, i) < 0 ? -1 : 1) * 1000.0 * N;
}

// A workspace of count random 50 x 50 matrices.
void fillWorkspace(GVar& ws, int count, bool dominant = false) {
    std::mt19937_64 random(42);
    ws.Clear();
    ws.HeaderLine = "Benchmark matrices";
    for (int k = 0; k < count; ++k) {
        TMatrixRec& m = ws.AppendNew();
        m.SetName("M" + std::to_string(k + 1));
        fillRandom(m, random, dominant);
    }
}

// Keeps the workspace at its first count matrices between iterations.
void trim(GVar& ws, int count) { ws.Truncate(count); }

void Multiply_Zendra(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    fillWorkspace(ws, 2);
    MatOperations ops(ws, messages);
    for (auto _ : state) {
        ops.MultiplyMat(1, 2);
        benchmark::DoNotOptimize(ws.Matrix(3).Data[0]);
        trim(ws, 2);
    }
}

// A naive triple loop: N^3 multiply-adds, the baseline of the operations.
void tripleLoop(const TMatrixRec& a, const TMatrixRec& b, TMatrixRec& c) {
    for (int i = 1; i <= N; ++i)
        for (int j = 1; j <= N; ++j) {
            double sum = 0.0;
            for (int k = 1; k <= N; ++k)
                sum += a.At(i, k) * b.At(k, j);
            c.At(i, j) = sum;
        }
    benchmark::DoNotOptimize(c.Data[0]);
    benchmark::ClobberMemory();
}

void Multiply_Baseline(benchmark::State& state) {
    GVar ws;
    fillWorkspace(ws, 2);
    TMatrixRec c;
    for (auto _ : state)
        tripleLoop(ws.Matrix(1), ws.Matrix(2), c);
}

// Runs an operation and the triple loop in turn, so that both meet the
// machine in the same state, and reports the ratio of their times.
template <class Operation>
void againstTripleLoop(benchmark::State& state, int matrices, Operation operation) {
    GVar ws;
    QuietMessages messages;
    fillWorkspace(ws, 2, true);
    MatOperations ops(ws, messages);
    TMatrixRec c;
    using Clock = std::chrono::steady_clock;
    Clock::duration own{};
    Clock::duration loop{};
    for (auto _ : state) {
        const auto start = Clock::now();
        operation(ops);
        benchmark::DoNotOptimize(ws.Matrix(3).Data[0]);
        const auto middle = Clock::now();
        tripleLoop(ws.Matrix(1), ws.Matrix(2), c);
        loop += Clock::now() - middle;
        own += middle - start;
        trim(ws, matrices);
    }
    state.counters["ratio"] =
        std::chrono::duration<double>(own) / std::chrono::duration<double>(loop);
}

void MultiplyVsLoop_Zendra(benchmark::State& state) {
    againstTripleLoop(state, 2, [](MatOperations& ops) { ops.MultiplyMat(1, 2); });
}

void InvertVsLoop_Zendra(benchmark::State& state) {
    againstTripleLoop(state, 2, [](MatOperations& ops) { ops.InvertMat(1); });
}

void Invert_Zendra(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    fillWorkspace(ws, 1, true);
    MatOperations ops(ws, messages);
    for (auto _ : state) {
        ops.InvertMat(1);
        benchmark::DoNotOptimize(ws.Matrix(2).Data[0]);
        trim(ws, 1);
    }
}

void Cholesky_Solve_Zendra(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    fillWorkspace(ws, 1, true);
    // Make it symmetric; the dominant diagonal keeps it positive definite.
    TMatrixRec& a = ws.Matrix(1);
    for (int i = 1; i <= N; ++i) {
        a.At(i, i) = std::abs(a.At(i, i));
        for (int j = 1; j < i; ++j)
            a.At(i, j) = a.At(j, i);
    }
    TMatrixRec& b = ws.AppendNew();
    b.Rows = N;
    b.Cols = 1;
    for (int i = 1; i <= N; ++i)
        b.At(i, 1) = i;
    MatOperations ops(ws, messages);
    for (auto _ : state) {
        ops.CholeskyMat(1);
        ops.SubstituteMat(3, 2);
        benchmark::DoNotOptimize(ws.Matrix(4).Data[0]);
        trim(ws, 2);
    }
}

std::string fileText(int matrices) {
    GVar ws;
    fillWorkspace(ws, matrices);
    return MatrixFileWriter::FileText(ws);
}

void readFile(benchmark::State& state, int matrices) {
    const std::string text = fileText(matrices);
    GVar ws;
    QuietMessages messages;
    MyString reader(messages);
    MatrixFileReader fileReader(ws, reader, messages);
    for (auto _ : state) {
        fileReader.ReadMatrixText(text);
        benchmark::DoNotOptimize(ws.Matrix(1).Data[0]);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void Read20_Zendra(benchmark::State& state) { readFile(state, 20); }

// Reads a file of 10 matrices and one of 20 in turn, so that both meet the
// machine in the same state, and reports how much longer the larger takes.
void ReadScaling_Zendra(benchmark::State& state) {
    const std::string small = fileText(10);
    const std::string large = fileText(20);
    GVar ws;
    QuietMessages messages;
    MyString reader(messages);
    MatrixFileReader fileReader(ws, reader, messages);
    using Clock = std::chrono::steady_clock;
    Clock::duration smallTime{};
    Clock::duration largeTime{};
    for (auto _ : state) {
        const auto start = Clock::now();
        fileReader.ReadMatrixText(small);
        const auto middle = Clock::now();
        fileReader.ReadMatrixText(large);
        largeTime += Clock::now() - middle;
        smallTime += middle - start;
    }
    state.counters["ratio"] =
        std::chrono::duration<double>(largeTime) / std::chrono::duration<double>(smallTime);
}

// strtod over the same numbers, laid out as they stand in the file.
void Read20_Baseline(benchmark::State& state) {
    GVar ws;
    fillWorkspace(ws, 20);
    std::string numbers;
    for (int k = 1; k <= 20; ++k)
        for (int i = 1; i <= N; ++i) {
            char text[32];
            for (int j = 1; j <= N; ++j) {
                std::snprintf(text, sizeof text, "% .14E ", ws.Matrix(k).At(i, j));
                numbers += text;
            }
            numbers += "\r\n";
        }
    std::vector<double> values(20 * N * N);
    for (auto _ : state) {
        const char* p = numbers.c_str();
        char* end = nullptr;
        for (double& v : values) {
            v = std::strtod(p, &end);
            p = end;
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
}

void Write20_Zendra(benchmark::State& state) {
    GVar ws;
    fillWorkspace(ws, 20);
    for (auto _ : state) {
        std::string text = MatrixFileWriter::FileText(ws);
        benchmark::DoNotOptimize(text.data());
    }
}

void Write20_Baseline(benchmark::State& state) {
    GVar ws;
    fillWorkspace(ws, 20);
    for (auto _ : state) {
        std::string text;
        char number[32];
        for (int k = 1; k <= 20; ++k)
            for (int i = 1; i <= N; ++i) {
                for (int j = 1; j <= N; ++j) {
                    const int length =
                        std::snprintf(number, sizeof number, "%.14E", ws.Matrix(k).At(i, j));
                    text.append(number, length);
                    text += ' ';
                }
                text += "\r\n";
            }
        benchmark::DoNotOptimize(text.data());
    }
}

// What View matrix and List matrix cost on a full workspace: the text of
// one 50 x 50 view, and a listing of all 20 matrices.
void View50_Zendra(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    fillWorkspace(ws, 20);
    MatrixListing listing(ws, messages);
    for (auto _ : state) {
        std::string text = listing.ViewText(20);
        benchmark::DoNotOptimize(text.data());
    }
}

void List20_Zendra(benchmark::State& state) {
    GVar ws;
    QuietMessages messages;
    fillWorkspace(ws, 20);
    std::vector<int> all;
    for (int slot = 1; slot <= 20; ++slot)
        all.push_back(slot);
    const std::string path = "/tmp/zendra-bench-listing.out";
    for (auto _ : state) {
        MatrixListing listing(ws, messages);
        listing.Create(path);
        listing.Finish(all);
    }
    std::remove(path.c_str());
}

ZENDRA_BENCHMARK(Multiply_Zendra);
ZENDRA_BENCHMARK(Multiply_Baseline);
ZENDRA_BENCHMARK(Invert_Zendra);
ZENDRA_BENCHMARK(MultiplyVsLoop_Zendra);
ZENDRA_BENCHMARK(InvertVsLoop_Zendra);
ZENDRA_BENCHMARK(Cholesky_Solve_Zendra);
ZENDRA_BENCHMARK(Read20_Zendra);
ZENDRA_BENCHMARK(Read20_Baseline);
ZENDRA_BENCHMARK(ReadScaling_Zendra);
ZENDRA_BENCHMARK(Write20_Zendra);
ZENDRA_BENCHMARK(Write20_Baseline);
ZENDRA_BENCHMARK(View50_Zendra)->Unit(benchmark::kMillisecond);
ZENDRA_BENCHMARK(List20_Zendra)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::FigureReporter reporter(true);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool met = bench::PrintGoals(
        reporter,
        {
            {"multiply 50 x 50 / naive triple loop", "MultiplyVsLoop_Zendra.ratio", 1.5},
            {"invert 50 x 50 / naive triple loop", "InvertVsLoop_Zendra.ratio", 1.5},
            {"Cholesky + solve 50 x 50 / naive triple loop",
             "Cholesky_Solve_Zendra/Multiply_Baseline", 0},
            {"read 20 x (50 x 50) / strtod loop", "Read20_Zendra/Read20_Baseline", 3.0},
            {"read twice as large (20 / 10 matrices)", "ReadScaling_Zendra.ratio", 2.2},
            {"write 20 x (50 x 50) / snprintf loop", "Write20_Zendra/Write20_Baseline", 2.0},
        });
    benchmark::Shutdown();
    return met ? 0 : 1;
}
