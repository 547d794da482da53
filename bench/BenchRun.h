// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs the registered benchmarks with defaults of ours before the command
// line's flags, so that the same flag given on the command line wins.
// Repetitions of different benchmarks run in random order, so that a floor
// and what it is compared with share the machine's slow and quiet moments.
//
// Also holds the program's comparisons: the rows it contributes to the
// benchmark table (scripts/bench-table.py), each declared beside the
// benchmarks it names, so that renaming a benchmark means touching its row.

#include <optional>
#include <string>
#include <utility>
#include <vector>

int runBenchmarks(int argc, char **argv, std::vector<std::string> defaults = {});

namespace bench {

// Counters the benchmarks set and comparisons read.
inline constexpr char PeakMebibytes[] = "peak_MiB";
inline constexpr char MessagesPerSecond[] = "messages/s";

// What a comparison compares between the two benchmarks.
enum class Quantity {
    Time,        // time per iteration; lower is better
    PeakMemory,  // the PeakMebibytes counter; lower is better
    MessageRate, // the MessagesPerSecond counter; higher is better
};

// One row of the benchmark table: a benchmark of ours against its floor, a
// baseline measured in the same run. The ratio is ours over the floor in
// time or memory (for a rate, the floor's over ours), so above 1 is worse.
// Benchmarks are named as in the output without the run options such as
// "/repeats:5", "/min_time:0.200" or "/real_time": "load/10".
struct Comparison {
    std::string label;   // the row's "benchmark"
    std::string floorIs; // what the floor is, in a few words
    std::string ours;
    std::string floor;
    std::optional<double> target = {}; // the largest ratio accepted; none: a row to watch
    double floorScale = 1;             // ours is compared with the floor times this
    Quantity quantity = Quantity::Time;
};

// Adds a comparison to the program's list, which keeps the order of
// declaration. For comparisons that depend on the run (the Qt platform),
// called from main before listComparisons.
void compare(Comparison comparison);

// The same at namespace scope, beside the BENCHMARK lines it refers to:
//     const bench::Compare loadRow({.label = "...", .floorIs = "...", .ours = "load/10", ...});
struct Compare {
    explicit Compare(Comparison comparison) { compare(std::move(comparison)); }
};

// With --list-comparisons as the only argument, prints the program's
// comparisons as a JSON array to stdout and returns true: the program then
// exits without measuring anything.
bool listComparisons(int argc, char **argv);

} // namespace bench
