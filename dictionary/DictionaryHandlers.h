// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace app {
class WindowEvents;
}

namespace dictionary {

// Handlers of the physics dictionary window.
void bindDictionaryWindow(app::WindowEvents &events);

} // namespace dictionary
