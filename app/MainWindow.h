#pragma once

class WindowEvents;

// Handlers of the main window frmPhysicsMain.
void bindMainWindow(WindowEvents &events);
