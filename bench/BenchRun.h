#pragma once

// Runs the registered benchmarks with defaults of ours before the command
// line's flags, so that the same flag given on the command line wins.
// Repetitions of different benchmarks run in random order, so that a floor
// and what it is compared with share the machine's slow and quiet moments.

#include <string>
#include <vector>

int runBenchmarks(int argc, char **argv, std::vector<std::string> defaults = {});
