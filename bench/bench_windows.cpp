// Time to build a window from its definition, the cost a user waits for at
// each first reference; the converter window is the largest.

#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "forms/WindowBuilder.h"

#include <benchmark/benchmark.h>

namespace {

void buildWindow(benchmark::State &state, const forms::WindowDefinition &definition)
{
    for (auto _ : state) {
        auto form = forms::buildWindow(definition);
        benchmark::DoNotOptimize(form.get());
    }
}

// Floor: a bare top-level widget with the same number of plain children.
void bareWidgets(benchmark::State &state)
{
    const auto count = forms::convertersDefinition().controls.size();
    for (auto _ : state) {
        QWidget window;
        for (std::size_t i = 0; i < count; ++i)
            new QWidget(&window);
        benchmark::DoNotOptimize(&window);
    }
}

} // namespace

BENCHMARK_CAPTURE(buildWindow, frmPhysicsMain, forms::mainWindowDefinition());
BENCHMARK_CAPTURE(buildWindow, converters, forms::convertersDefinition());
BENCHMARK(bareWidgets);
