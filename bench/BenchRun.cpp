#include "BenchRun.h"

#include <benchmark/benchmark.h>

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
