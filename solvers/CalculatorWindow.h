#pragma once

class WindowEvents;

namespace solvers {
struct CatalogueEntry;

// Handlers of a calculator window, for the formula of its catalogue entry.
void bindCalculator(WindowEvents &events, const CatalogueEntry &entry);

} // namespace solvers
