#include "dictionary/DictionaryHandlers.h"

#include "app/Navigation.h"
#include "forms/ShellForms.h"

namespace dictionary {

void bindDictionaryWindow(app::WindowEvents &events)
{
    app::bindHideThenShow(events, QStringLiteral("Command1"), forms::MainWindowName);
    app::bindUnloadSelf(events, QStringLiteral("mnuExit"));
}

} // namespace dictionary
