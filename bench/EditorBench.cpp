// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Benchmarks of an editor window's search on a large text: Replace All
// beside sed doing the same replacement on the same text, Find Next walked
// through every occurrence, and both again on a text twice as large, all
// ignoring letter case as the dialogs do until told otherwise. The table at
// the end gives the figures and the goals they must meet.
#include "SearchEngine.h"
#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QStringList>

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

class MemoryLines : public TextLines {
public:
    explicit MemoryLines(QStringList lines) : lines(std::move(lines)) {}
    int LineCount() const override { return int(lines.size()); }
    QString Line(int index) const override { return lines.at(index); }
    void SetLine(int index, const QString& text) override { lines[index] = text; }
    void Select(int, int column, int, qint64 offset) override { selected = offset + column; }

    QStringList lines;
    qint64 selected = 0;
};

const QString Word = QStringLiteral("word");
const QString Longer = QStringLiteral("longer");

// Lines of about 50 characters from a vocabulary without "word" in it;
// every fourth line holds "word" once, at a varying place.
QStringList makeText(int lines) {
    static const char* const vocabulary[] = {"alpha",  "beta", "gamma",  "delta",
                                             "matrix", "row",  "column", "value",
                                             "sum",    "mean", "scale",  "invert"};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 11);
    QStringList text;
    text.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        QString line = QString::number(i).rightJustified(7, QLatin1Char('0'));
        while (line.size() < 46)
            line += QLatin1Char(' ') + QLatin1String(vocabulary[pick(random)]);
        if (i % 4 == 0) {
            const qsizetype at = std::uniform_int_distribution<qsizetype>(8, line.size())(random);
            line.insert(at, QStringLiteral(" word "));
        }
        text << line;
    }
    return text;
}

const QStringList& text(int lines) {
    static std::map<int, QStringList> texts;
    auto found = texts.find(lines);
    if (found == texts.end())
        found = texts.emplace(lines, makeText(lines)).first;
    return found->second;
}

constexpr int Lines = 400000;

void ReplaceAll_Zendra(benchmark::State& state) {
    SearchEngine engine;
    for (auto _ : state) {
        state.PauseTiming();
        MemoryLines copy(text(Lines));
        state.ResumeTiming();
        engine.ReplaceAll(copy, Word, Longer);
        benchmark::DoNotOptimize(copy.lines.data());
        state.PauseTiming();
        copy.lines.clear();
        state.ResumeTiming();
    }
}

// sed over the same text as a file with CR LF breaks, output thrown away.
void ReplaceAll_Sed(benchmark::State& state) {
    const QString path = QDir::temp().filePath(QStringLiteral("zendra-editor-bench.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the text file");
            return;
        }
        file.write(text(Lines).join(QStringLiteral("\r\n")).toLatin1());
        file.write("\r\n");
    }
    const std::string command = "sed -e 's/word/longer/g' '" + path.toStdString() + "' > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("sed failed");
            break;
        }
    QFile::remove(path);
}

// Find Next from the top through every occurrence to the not-found step.
qint64 findAll(MemoryLines& text) {
    SearchEngine engine;
    qint64 found = 0;
    while (engine.SearchText(text, Word))
        ++found;
    return found;
}

void FindNext_Zendra(benchmark::State& state) {
    MemoryLines copy(text(Lines));
    qint64 found = 0;
    for (auto _ : state)
        found = findAll(copy);
    state.counters["found"] = double(found);
}

// The text and one twice as large in turn, so that both meet the machine
// (and the memory allocator) in the same state; the counter is how much
// longer the larger takes, each size by its quickest run, which another
// busy process on the machine disturbs least.
template <typename Work> void scaling(benchmark::State& state, Work work) {
    using Clock = std::chrono::steady_clock;
    Clock::duration least[2] = {Clock::duration::max(), Clock::duration::max()};
    for (auto _ : state)
        for (int size = 0; size < 2; ++size) {
            MemoryLines copy(text((size + 1) * Lines));
            const auto start = Clock::now();
            work(copy);
            least[size] = std::min(least[size], Clock::now() - start);
        }
    state.counters["ratio"] =
        std::chrono::duration<double>(least[1]) / std::chrono::duration<double>(least[0]);
}

void ReplaceAll_Scaling(benchmark::State& state) {
    SearchEngine engine;
    scaling(state, [&](MemoryLines& copy) { engine.ReplaceAll(copy, Word, Longer); });
}

void FindNext_Scaling(benchmark::State& state) {
    scaling(state, [](MemoryLines& copy) { benchmark::DoNotOptimize(findAll(copy)); });
}

// Elapsed, not processor time: sed runs in a process of its own.
#define EDITOR_BENCHMARK(name) ZENDRA_BENCHMARK(name)->UseRealTime()->Unit(benchmark::kMillisecond)
EDITOR_BENCHMARK(ReplaceAll_Zendra);
EDITOR_BENCHMARK(ReplaceAll_Sed);
EDITOR_BENCHMARK(ReplaceAll_Scaling);
EDITOR_BENCHMARK(FindNext_Zendra);
EDITOR_BENCHMARK(FindNext_Scaling);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool met = bench::PrintGoals(
        reporter, {
                      {"Replace All, 400,000 lines (s)", "ReplaceAll_Zendra", 1.0},
                      {"Replace All / sed", "ReplaceAll_Zendra/ReplaceAll_Sed", 10.0},
                      {"Replace All twice as large / 400,000 lines", "ReplaceAll_Scaling.ratio", 2.2},
                      {"Find Next through 100,000 (s)", "FindNext_Zendra", 3.0},
                      {"Find Next twice as large / 400,000 lines", "FindNext_Scaling.ratio", 2.2},
                  });
    benchmark::Shutdown();
    return met ? 0 : 1;
}
