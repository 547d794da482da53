// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace app {

class WindowEvents;

// Handlers of the main window frmPhysicsMain; the dictionary is read from
// programFolder.
void bindMainWindow(WindowEvents &events, const QString &programFolder);

} // namespace app
