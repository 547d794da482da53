// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/FormulaIndexHandlers.h"

#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "forms/CalculatorForms.h"
#include "forms/ShellForms.h"

#include <cstdint>

namespace solvers {

namespace {

using namespace forms;
using app::WindowManager;

enum class Move : std::uint8_t { Show, Hide };

struct Step {
    Move move;
    const forms::WindowDefinition *window;
};

// Each formula button makes two window moves, in this order.
struct IndexButton {
    const char *control;
    Step first;
    Step then;
};

constexpr IndexButton Buttons[] = {
    {"Command15", {Move::Hide, &MainWindow}, {Move::Show, &AccelerationInField}},
    {"Command16", {Move::Hide, &MainWindow}, {Move::Show, &BeatFrequency}},
    {"Command18", {Move::Show, &AngularMomentum}, {Move::Hide, &FormulaIndex}},
    {"Command19", {Move::Hide, &MainWindow}, {Move::Show, &DeBroglieWavelength}},
    {"Command20", {Move::Show, &Centripetal}, {Move::Hide, &MainWindow}},
    {"Command21", {Move::Show, &MassEnergy}, {Move::Hide, &MainWindow}},
    {"Command22", {Move::Hide, &MainWindow}, {Move::Show, &ElectricMagneticField}},
    {"Command23", {Move::Hide, &MainWindow}, {Move::Show, &NewtonSecondLaw}},
    {"Command24", {Move::Hide, &MainWindow}, {Move::Show, &Schwarzschild}},
    {"Command25", {Move::Show, &Zurich}, {Move::Hide, &MainWindow}},
    {"Command26", {Move::Hide, &MainWindow}, {Move::Show, &Voltage}},
    {"Command27", {Move::Hide, &MainWindow}, {Move::Show, &Torque}},
    {"Command29", {Move::Hide, &MainWindow}, {Move::Show, &SpringConstant}},
};

void perform(WindowManager &windows, const Step &step)
{
    if (step.move == Move::Show)
        windows.show(step.window->name);
    else
        windows.hide(step.window->name);
}

} // namespace

void bindFormulaIndex(app::WindowEvents &events)
{
    WindowManager *windows = &events.manager();
    for (const IndexButton &button : Buttons)
        events.onClick(QString::fromLatin1(button.control), [windows, &button] {
            perform(*windows, button.first);
            perform(*windows, button.then);
        });
    app::bindHideThenShow(events, QStringLiteral("Command1"), MainWindowName);
    app::bindUnloadSelf(events, QStringLiteral("mnuExit"));
}

} // namespace solvers
