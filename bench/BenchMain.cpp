// The main of every benchmark program. Widgets need an application object;
// the offscreen platform keeps them off any display, and the C library
// counterparts print with "." whatever the environment says.

#include <QApplication>
#include <benchmark/benchmark.h>
#include <clocale>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
