// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/WindowManager.h"

#include <QString>
#include <vector>

namespace app {

// Where the program finds what lies outside it.
struct ProgramSettings {
    QString programFolder; // holds the dictionary file
    quint16 chatServerPort = 8765;
};

struct WindowKind {
    const forms::WindowDefinition &definition;
    WindowManager::Binder bind;
};

// Every window kind of the program, the main window first: its definition
// and the handlers that bring it to life.
std::vector<WindowKind> windowKinds(const ProgramSettings &settings = {});

// Registers every window kind with the manager.
void registerWindowKinds(WindowManager &windows, const ProgramSettings &settings);

} // namespace app
