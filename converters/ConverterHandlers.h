// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace app {
class WindowEvents;
}

namespace converters {

// Handlers of the unit converter window.
void bindConvertersWindow(app::WindowEvents &events);

} // namespace converters
