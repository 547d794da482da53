// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/WindowKinds.h"

#include "app/MainWindowHandlers.h"
#include "chat/ChatHandlers.h"
#include "converters/ConverterHandlers.h"
#include "dictionary/DictionaryHandlers.h"
#include "forms/ChatForm.h"
#include "forms/ShellForms.h"
#include "solvers/CalculatorHandlers.h"
#include "solvers/FormulaIndexHandlers.h"

namespace app {

std::vector<WindowKind> windowKinds(const ProgramSettings &settings)
{
    std::vector<WindowKind> kinds{
        {forms::MainWindow,
         [folder = settings.programFolder](WindowEvents &events) { bindMainWindow(events, folder); }},
        {forms::FormulaIndex, solvers::bindFormulaIndex},
        {forms::Converters, converters::bindConvertersWindow},
        {forms::Dictionary, dictionary::bindDictionaryWindow},
        {forms::Chat, [port = settings.chatServerPort](WindowEvents &events) { chat::bindChatWindow(events, port); }},
    };
    for (const solvers::Calculator &calculator : solvers::calculators())
        kinds.push_back(
            {calculator.window, [&calculator](WindowEvents &events) { solvers::bindCalculator(events, calculator); }});
    return kinds;
}

void registerWindowKinds(WindowManager &windows, const ProgramSettings &settings)
{
    for (WindowKind &kind : windowKinds(settings))
        windows.registerKind(kind.definition, std::move(kind.bind));
}

} // namespace app
