#pragma once

class WindowEvents;

// Handlers of the physics dictionary window.
void bindDictionaryWindow(WindowEvents &events);
