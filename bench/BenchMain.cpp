// The main of every benchmark program but bench_startup. Widgets need an
// application object; the offscreen platform keeps them off any display, and
// the C library counterparts print with "." whatever the environment says.
// Repetitions of different benchmarks run in random order, so that a floor
// and what it is compared with share the machine's slow and quiet moments.

#include <QApplication>
#include <benchmark/benchmark.h>
#include <clocale>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    // The default first, so that the same flag on the command line wins.
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::vector<char *> arguments{argv[0], interleave.data()};
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
