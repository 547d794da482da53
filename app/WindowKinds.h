#pragma once

#include <QString>

class WindowManager;

// Registers every window kind of the program with its definition and
// handlers. The program's folder holds the dictionary file.
void registerWindowKinds(WindowManager &windows, const QString &programFolder);
