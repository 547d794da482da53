#pragma once

class WindowEvents;

// Handlers of the unit converter window.
void bindConvertersWindow(WindowEvents &events);
