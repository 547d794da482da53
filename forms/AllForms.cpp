#include "forms/AllForms.h"

#include "forms/CalculatorForms.h"
#include "forms/ChatForm.h"
#include "forms/ShellForms.h"

namespace forms {

std::vector<const WindowDefinition *> allWindowDefinitions()
{
    std::vector<const WindowDefinition *> windows{&mainWindowDefinition(), &formulaIndexDefinition(),
                                                  &convertersDefinition(), &dictionaryDefinition(),
                                                  &chatDefinition()};
    for (const WindowDefinition &calculator : calculatorDefinitions())
        windows.push_back(&calculator);
    return windows;
}

} // namespace forms
