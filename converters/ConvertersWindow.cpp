#include "converters/ConvertersWindow.h"

#include "app/Navigation.h"
#include "app/WindowManager.h"

void bindConvertersWindow(WindowEvents &events)
{
    bindHideThenShow(events, QStringLiteral("Command1"), WindowManager::MainWindow);
    bindUnloadSelf(events, QStringLiteral("mnuExit"));
}
