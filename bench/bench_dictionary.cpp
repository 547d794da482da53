// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading the dictionary into its window until the window has painted, for
// files of 1 and 10 MB, against two floors measured in the same run:
// reading and decoding the file alone, and a fresh bare text widget taking
// the same text.

#include "BenchRun.h"
#include "dictionary/DictionaryFile.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "forms/WindowBuilder.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// One folder per size, each holding a dictionary file of that many megabytes
// made of dictionary-like lines.
QString folderFor(int megabytes)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto &folder = folders[megabytes];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        QByteArray bytes;
        const QByteArray entry = "Wavelength - the distance over which a wave repeats itself; for light "
                                 "lambda = c / f. Unit metre (m); visible light spans 380-750 nm.\r\n\r\n";
        bytes.reserve(qsizetype{megabytes} * 1024 * 1024 + entry.size());
        while (bytes.size() < qsizetype{megabytes} * 1024 * 1024)
            bytes += entry;
        QFile file(dictionary::dictionaryPath(folder->path()));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    return folder->path();
}

// Showing the window and taking it down are outside the timing, in both
// this and its bare-widget floor: what is timed is the text arriving in a
// freshly shown window until it has painted, as at the first click on
// "Physics Dictionary".
void load(benchmark::State &state)
{
    const QString folder = folderFor(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto window = forms::buildWindow(forms::Dictionary);
        window->show();
        QWidget *text = forms::findControl(window.get(), QStringLiteral("Text1"));
        state.ResumeTiming();
        forms::setControlText(text, dictionary::readDictionary(folder));
        window->repaint();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

void readAndDecode(benchmark::State &state)
{
    const QString folder = folderFor(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(dictionary::readDictionary(folder));
}

void bareWidget(benchmark::State &state)
{
    const QString text = dictionary::readDictionary(folderFor(int(state.range(0))));
    for (auto _ : state) {
        state.PauseTiming();
        auto widget = std::make_unique<QPlainTextEdit>();
        widget->resize(529, 465);
        widget->show();
        state.ResumeTiming();
        widget->setPlainText(text);
        widget->repaint();
        state.PauseTiming();
        widget.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(load)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);
BENCHMARK(readAndDecode)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);
BENCHMARK(bareWidget)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);

const bench::Compare tenToWidget({.label = "Dictionary load, 10 MB",
                                  .floorIs = "bare text widget, same text",
                                  .ours = "load/10",
                                  .floor = "bareWidget/10",
                                  .target = 1.2});
const bench::Compare tenToReading({.label = "Dictionary load, 10 MB",
                                   .floorIs = "reading and decoding alone",
                                   .ours = "load/10",
                                   .floor = "readAndDecode/10"});
const bench::Compare oneToWidget({.label = "Dictionary load, 1 MB",
                                  .floorIs = "bare text widget, same text",
                                  .ours = "load/1",
                                  .floor = "bareWidget/1"});
const bench::Compare oneToReading({.label = "Dictionary load, 1 MB",
                                   .floorIs = "reading and decoding alone",
                                   .ours = "load/1",
                                   .floor = "readAndDecode/1"});
