#pragma once

namespace app {
class WindowEvents;
}

namespace solvers {

// Handlers of the formula index Formulasolvers.
void bindFormulaIndex(app::WindowEvents &events);

} // namespace solvers
