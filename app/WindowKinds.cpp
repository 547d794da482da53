#include "app/WindowKinds.h"

#include "app/MainWindow.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "chat/ChatWindow.h"
#include "converters/ConvertersWindow.h"
#include "dictionary/DictionaryWindow.h"
#include "forms/CalculatorForms.h"
#include "forms/ChatForm.h"
#include "forms/ShellForms.h"
#include "solvers/CalculatorWindow.h"
#include "solvers/FormulaCatalogue.h"
#include "solvers/FormulaIndex.h"

#include <algorithm>

void registerWindowKinds(WindowManager &windows, const ProgramSettings &settings)
{
    windows.registerKind(forms::mainWindowDefinition(), [folder = settings.programFolder](WindowEvents &events) {
        bindMainWindow(events, folder);
    });
    windows.registerKind(forms::formulaIndexDefinition(), bindFormulaIndex);
    windows.registerKind(forms::convertersDefinition(), bindConvertersWindow);
    windows.registerKind(forms::dictionaryDefinition(), bindDictionaryWindow);
    windows.registerKind(forms::chatDefinition(), [port = settings.chatServerPort](WindowEvents &events) {
        bindChatWindow(events, port);
    });

    const auto calculators = forms::calculatorDefinitions();
    for (const solvers::CatalogueEntry &entry : solvers::formulaCatalogue()) {
        const auto definition = std::find_if(calculators.begin(), calculators.end(),
                                             [&](const auto &d) { return d.name == entry.window; });
        Q_ASSERT(definition != calculators.end());
        windows.registerKind(*definition, [&entry](WindowEvents &events) { solvers::bindCalculator(events, entry); });
    }
}
