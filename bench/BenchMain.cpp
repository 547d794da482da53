// The main of every benchmark program but bench_startup. Widgets need an
// application object; the offscreen platform keeps them off any display, and
// the C library counterparts print with "." whatever the environment says.

#include "BenchRun.h"

#include <QApplication>
#include <clocale>

int main(int argc, char **argv)
{
    if (bench::listComparisons(argc, argv))
        return 0;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return runBenchmarks(argc, argv);
}
