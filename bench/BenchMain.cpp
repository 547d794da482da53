// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main of every benchmark program but bench_startup. Widgets need an
// application object; the offscreen platform keeps them off any display, and
// the C library counterparts print with "." whatever the environment says.
// Built twice: with widgets (bench_main) and, for the benchmarks of the
// logic, without (bench_main_guiless, BENCH_GUILESS).

#include "BenchRun.h"

#ifdef BENCH_GUILESS
#include <QCoreApplication>
using Application = QCoreApplication;
#else
#include <QApplication>
using Application = QApplication;
#endif
#include <clocale>

int main(int argc, char **argv)
{
    if (bench::listComparisons(argc, argv))
        return 0;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return runBenchmarks(argc, argv);
}
