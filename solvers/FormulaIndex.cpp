#include "solvers/FormulaIndex.h"

#include "app/Navigation.h"
#include "app/WindowManager.h"

void bindFormulaIndex(WindowEvents &events)
{
    bindHideThenShow(events, QStringLiteral("Command1"), WindowManager::MainWindow);
    bindUnloadSelf(events, QStringLiteral("mnuExit"));
}
