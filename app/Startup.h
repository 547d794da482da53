// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace app {

// The application-wide settings main() makes before the first window: the
// names the desktop shows, the window icon, and who decides when to quit.
void setUpApplication();

} // namespace app
