// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the benchmark programs share: each case runs a few times, and the
// table at the end goes by the least time of the runs (what another busy
// process on the machine disturbs least) and by the median of a ratio or
// other figure measured inside one case, each beside its goal.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

inline double Least(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// Keeps, per case, the least elapsed and processor times in seconds and
// the medians of its counters.
class FigureReporter : public benchmark::ConsoleReporter {
public:
    // Processor time suits work that stays in this process; elapsed time
    // suits work that waits on files or runs other programs.
    explicit FigureReporter(bool processorTime = false)
        : ConsoleReporter(OO_Tabular), m_processorTime(processorTime) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (run.aggregate_name == "min")
                seconds[name] = (m_processorTime ? run.GetAdjustedCPUTime()
                                                 : run.GetAdjustedRealTime()) /
                                benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.aggregate_name == "median")
                for (const auto& [counter, value] : run.counters)
                    figures[name + "." + counter] = value.value;
        }
    }

    // A figure: "case" is its least time, "case.counter" a counter's median,
    // "case/other" the ratio of two least times. False when it did not run.
    bool Figure(const std::string& what, double& value) const {
        const std::size_t slash = what.find('/');
        if (slash != std::string::npos) {
            double measured = 0.0;
            double baseline = 0.0;
            if (!Figure(what.substr(0, slash), measured) || !Figure(what.substr(slash + 1), baseline))
                return false;
            value = measured / baseline;
            return true;
        }
        for (const auto* table : {&figures, &seconds}) {
            const auto found = table->find(what);
            if (found != table->end()) {
                value = found->second;
                return true;
            }
        }
        return false;
    }

    std::map<std::string, double> seconds;
    std::map<std::string, double> figures;

private:
    bool m_processorTime;
};

struct Goal {
    const char* what;
    const char* figure;  // as FigureReporter::Figure reads it
    double limit;        // at most this; 0 for a figure shown without a goal
    double scale = 1.0;  // the figure is shown and compared times this (1000: seconds as ms)
};

// Prints the table; true when every goal is met.
inline bool PrintGoals(const FigureReporter& reporter, const std::vector<Goal>& goals) {
    std::printf("\n%-50s %9s %10s\n", "figure", "value", "goal");
    bool met = true;
    for (const Goal& goal : goals) {
        double value = 0.0;
        if (!reporter.Figure(goal.figure, value))
            continue;
        value *= goal.scale;
        if (goal.limit <= 0) {
            std::printf("%-50s %9.2f %10s\n", goal.what, value, "-");
            continue;
        }
        const bool ok = value <= goal.limit;
        met = met && ok;
        std::printf("%-50s %9.2f %7s%.1f %s\n", goal.what, value, "<= ", goal.limit,
                    ok ? "ok" : "MISSED");
    }
    return met;
}

} // namespace bench

// Each case runs five times; the table takes the least and the medians.
#define ZENDRA_BENCHMARK(name)                                                                     \
    BENCHMARK(name)->Repetitions(5)->DisplayAggregatesOnly(true)->ComputeStatistics(              \
        "min", bench::Least)
