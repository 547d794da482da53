// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchRun.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

int runBenchmarks(int argc, char **argv, std::vector<std::string> defaults)
{
    defaults.insert(defaults.begin(), "--benchmark_enable_random_interleaving=true");
    std::vector<char *> arguments{argv[0]};
    for (std::string &flag : defaults)
        arguments.push_back(flag.data());
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

namespace bench {

namespace {

// Function-local, so that Compare objects of any translation unit can add to
// it during static initialisation.
std::vector<Comparison> &comparisons()
{
    static std::vector<Comparison> list;
    return list;
}

std::string jsonString(const std::string &text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
            quoted += escape;
        } else {
            quoted += c; // UTF-8 passes through as it is
        }
    }
    return quoted + '"';
}

std::string jsonNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

} // namespace

void compare(Comparison comparison) { comparisons().push_back(std::move(comparison)); }

bool listComparisons(int argc, char **argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--list-comparisons") != 0)
        return false;
    // The table reads each row's value, unit and direction from here, so
    // that it needs to know nothing of any benchmark.
    std::string out = "[";
    for (const Comparison &row : comparisons()) {
        const char *value = "real_time";
        const char *unit = "s";
        if (row.quantity == Quantity::PeakMemory) {
            value = PeakMebibytes;
            unit = "MiB";
        } else if (row.quantity == Quantity::MessageRate) {
            value = MessagesPerSecond;
            unit = "msg/s";
        }
        if (&row != &comparisons().front())
            out += ',';
        out += "\n  {\"label\": " + jsonString(row.label) + ", \"floor_is\": " + jsonString(row.floorIs)
            + ", \"ours\": " + jsonString(row.ours) + ", \"floor\": " + jsonString(row.floor) + ", \"target\": "
            + (row.target ? jsonNumber(*row.target) : "null") + ", \"floor_scale\": " + jsonNumber(row.floorScale)
            + ", \"value\": " + jsonString(value) + ", \"unit\": " + jsonString(unit)
            + ", \"higher_is_better\": " + (row.quantity == Quantity::MessageRate ? "true" : "false") + "}";
    }
    out += "\n]\n";
    std::fputs(out.c_str(), stdout);
    return true;
}

} // namespace bench
