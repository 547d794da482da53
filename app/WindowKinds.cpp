#include "app/WindowKinds.h"

#include "app/MainWindow.h"
#include "app/WindowManager.h"
#include "chat/ChatWindow.h"
#include "converters/ConvertersWindow.h"
#include "dictionary/DictionaryWindow.h"
#include "forms/ChatForm.h"
#include "forms/ShellForms.h"
#include "solvers/FormulaIndex.h"

void registerWindowKinds(WindowManager &windows)
{
    windows.registerKind(forms::mainWindowDefinition(), bindMainWindow);
    windows.registerKind(forms::formulaIndexDefinition(), bindFormulaIndex);
    windows.registerKind(forms::convertersDefinition(), bindConvertersWindow);
    windows.registerKind(forms::dictionaryDefinition(), bindDictionaryWindow);
    windows.registerKind(forms::chatDefinition(), bindChatWindow);
}
