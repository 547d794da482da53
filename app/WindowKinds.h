#pragma once

#include <QString>

class WindowManager;

// Where the program finds what lies outside it.
struct ProgramSettings {
    QString programFolder; // holds the dictionary file
    quint16 chatServerPort = 8765;
};

// Registers every window kind of the program with its definition and handlers.
void registerWindowKinds(WindowManager &windows, const ProgramSettings &settings);
