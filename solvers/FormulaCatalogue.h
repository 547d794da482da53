#pragma once

// Which formula each calculator window computes, and where its Back and
// Exit lead. The window layouts are in forms/CalculatorForms.cpp; the one
// calculator handler serving them all is solvers/CalculatorWindow.cpp.

#include <QString>
#include <span>
#include <string_view>

namespace solvers {

// The texts of the input boxes Text2, Text3 and Text4 (empty where a window
// has no such box).
struct FormulaInputs {
    QString text2;
    QString text3;
    QString text4;
};

struct CatalogueEntry {
    std::string_view window;
    // Reads the inputs, computes, checks the faults and stores the result as
    // binary64; raises RunTimeError as the number rules say.
    double (*compute)(const FormulaInputs &inputs);
    std::string_view backTo;   // the window Back shows
    bool exitHides = false;    // Exit hides the window and shows the index instead of unloading it
    bool donationPanel = false;
};

std::span<const CatalogueEntry> formulaCatalogue();

} // namespace solvers
