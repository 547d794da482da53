#pragma once

#include <QString>

class WindowEvents;

// Handlers of the main window frmPhysicsMain; the dictionary is read from
// programFolder.
void bindMainWindow(WindowEvents &events, const QString &programFolder);
