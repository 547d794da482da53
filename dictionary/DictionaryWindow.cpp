#include "dictionary/DictionaryWindow.h"

#include "app/Navigation.h"
#include "app/WindowManager.h"

void bindDictionaryWindow(WindowEvents &events)
{
    bindHideThenShow(events, QStringLiteral("Command1"), WindowManager::MainWindow);
    bindUnloadSelf(events, QStringLiteral("mnuExit"));
}
