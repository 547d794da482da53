// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace app {
class WindowEvents;
}

namespace solvers {

// Handlers of the formula index Formulasolvers.
void bindFormulaIndex(app::WindowEvents &events);

} // namespace solvers
