#pragma once

class WindowManager;

// Registers every window kind of the program with its definition and handlers.
void registerWindowKinds(WindowManager &windows);
