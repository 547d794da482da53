// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Time to build a window from its definition, the cost a user waits for at
// each first reference; the converter window is the largest. Each window's
// floor is a bare top-level widget with as many plain children as the
// window has controls.

#include "BenchRun.h"
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

void bareWidgets(benchmark::State &state, const forms::WindowDefinition &definition)
{
    const auto count = definition.controls.size();
    for (auto _ : state) {
        QWidget window;
        for (std::size_t i = 0; i < count; ++i)
            new QWidget(&window);
        benchmark::DoNotOptimize(&window);
    }
}

} // namespace

BENCHMARK_CAPTURE(buildWindow, converters, forms::Converters)->MinTime(0.2)->Repetitions(5);
BENCHMARK_CAPTURE(bareWidgets, converters, forms::Converters)->MinTime(0.2)->Repetitions(5);
const bench::Compare convertersRow({.label = "Build window `converters`",
                                    .floorIs = "bare widgets, as many",
                                    .ours = "buildWindow/converters",
                                    .floor = "bareWidgets/converters"});

BENCHMARK_CAPTURE(buildWindow, frmPhysicsMain, forms::MainWindow)->MinTime(0.2)->Repetitions(5);
BENCHMARK_CAPTURE(bareWidgets, frmPhysicsMain, forms::MainWindow)->MinTime(0.2)->Repetitions(5);
const bench::Compare mainWindowRow({.label = "Build window `frmPhysicsMain`",
                                    .floorIs = "bare widgets, as many",
                                    .ours = "buildWindow/frmPhysicsMain",
                                    .floor = "bareWidgets/frmPhysicsMain"});
