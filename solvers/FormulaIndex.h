#pragma once

class WindowEvents;

// Handlers of the formula index Formulasolvers.
void bindFormulaIndex(WindowEvents &events);
