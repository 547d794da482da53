// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The number rules against their C library counterparts in the same run:
// parseLoose and parseStrict against strtod, format against "%.15G".

#include "BenchRun.h"
#include "solvers/NumericText.h"

#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> Texts
    = {"3.14159", "6.62607015E-34", "299792458", "-0.000123", "1.60217663E-19", "9.81", "42", "1.23456789012345E+15"};
const std::vector<double> Values
    = {3.14159, 6.62607015E-34, 299792458, -0.000123, 1.0 / 3, 9.81, 42, 1.23456789012345E+15};

QStringList qtTexts()
{
    QStringList list;
    for (const std::string &text : Texts)
        list.append(QString::fromStdString(text));
    return list;
}

void parseLoose(benchmark::State &state)
{
    const QStringList texts = qtTexts();
    for (auto _ : state)
        for (const QString &text : texts)
            benchmark::DoNotOptimize(solvers::NumericText::parseLoose(text));
    state.SetItemsProcessed(state.iterations() * std::int64_t(texts.size()));
}

void parseStrict(benchmark::State &state)
{
    const QStringList texts = qtTexts();
    const auto separators = solvers::NumericText::Separators::point();
    for (auto _ : state)
        for (const QString &text : texts)
            benchmark::DoNotOptimize(solvers::NumericText::parseStrict(text, separators));
    state.SetItemsProcessed(state.iterations() * std::int64_t(texts.size()));
}

void cStrtod(benchmark::State &state)
{
    for (auto _ : state)
        for (const std::string &text : Texts)
            benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
    state.SetItemsProcessed(state.iterations() * std::int64_t(Texts.size()));
}

void format(benchmark::State &state)
{
    const auto separators = solvers::NumericText::Separators::point();
    for (auto _ : state)
        for (const double value : Values)
            benchmark::DoNotOptimize(solvers::NumericText::format(value, separators));
    state.SetItemsProcessed(state.iterations() * std::int64_t(Values.size()));
}

void formatWithSystemSeparators(benchmark::State &state)
{
    for (auto _ : state)
        for (const double value : Values)
            benchmark::DoNotOptimize(solvers::NumericText::format(value));
    state.SetItemsProcessed(state.iterations() * std::int64_t(Values.size()));
}

void cPrintf(benchmark::State &state)
{
    char text[64];
    for (auto _ : state)
        for (const double value : Values) {
            std::snprintf(text, sizeof text, "%.15G", value);
            benchmark::DoNotOptimize(text);
        }
    state.SetItemsProcessed(state.iterations() * std::int64_t(Values.size()));
}

} // namespace

BENCHMARK(parseLoose)->MinTime(0.2)->Repetitions(5);
BENCHMARK(parseStrict)->MinTime(0.2)->Repetitions(5);
BENCHMARK(cStrtod)->MinTime(0.2)->Repetitions(5);
BENCHMARK(format)->MinTime(0.2)->Repetitions(5);
BENCHMARK(formatWithSystemSeparators)->MinTime(0.2)->Repetitions(5);
BENCHMARK(cPrintf)->MinTime(0.2)->Repetitions(5);

const bench::Compare parseLooseRow(
    {.label = "NumericText::parseLoose", .floorIs = "strtod", .ours = "parseLoose", .floor = "cStrtod", .target = 1.0});
const bench::Compare parseStrictRow({.label = "NumericText::parseStrict",
                                     .floorIs = "strtod",
                                     .ours = "parseStrict",
                                     .floor = "cStrtod",
                                     .target = 1.0});
const bench::Compare formatRow({.label = "NumericText::format",
                                .floorIs = "snprintf \"%.15G\"",
                                .ours = "format",
                                .floor = "cPrintf",
                                .target = 1.0});
const bench::Compare systemFormatRow({.label = "NumericText::format (system separators)",
                                      .floorIs = "snprintf \"%.15G\"",
                                      .ours = "formatWithSystemSeparators",
                                      .floor = "cPrintf",
                                      .target = 1.0});
