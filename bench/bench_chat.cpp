// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chat window taking in chat lines, one data notification each: the
// cost per line must not grow with the log (20,000 lines should take about
// four times as long as 5,000).

#include "BenchRun.h"
#include "chat/ChatHandlers.h"
#include "forms/ChatForm.h"
#include "forms/FormWidgets.h"
#include "forms/WindowBuilder.h"

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<forms::Form> shownChatWindow()
{
    auto window = forms::buildWindow(forms::Chat);
    window->show();
    return window;
}

void takeLines(QWidget &window, int lines)
{
    for (int i = 0; i < lines; ++i)
        chat::ActOnServerText(window, QStringLiteral("text|Ann|line %1 of the conversation").arg(i));
    window.repaint();
}

void chatIntake(benchmark::State &state)
{
    // The first chat windows of a process pay for what Qt sets up once
    // (fonts, glyphs, the allocator's pool); untimed here, so the 5,000-line
    // floor, which runs first, does not carry that alone.
    static const bool warmedUp = [] {
        for (int round = 0; round < 3; ++round)
            takeLines(*shownChatWindow(), 5000); // shown: a hidden window paints nothing
        return true;
    }();
    (void)warmedUp;
    const auto lines = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = shownChatWindow();
        state.ResumeTiming();
        takeLines(*window, lines);
    }
    state.SetItemsProcessed(state.iterations() * lines);
}

} // namespace

BENCHMARK(chatIntake)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
// Linear intake: 20,000 lines take four times as long as 5,000.
const bench::Compare linearIntake({.label = "Chat intake, 20,000 lines",
                                   .floorIs = "4 × 5,000 lines",
                                   .ours = "chatIntake/20000",
                                   .floor = "chatIntake/5000",
                                   .target = 1.3,
                                   .floorScale = 4});
