// SPDX-FileCopyrightText: 2026 The Fyzorin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solvers/CalculatorHandlers.h"

#include "app/Balloon.h"
#include "app/DisclaimerPanel.h"
#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "forms/CalculatorForms.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "solvers/ConstantsMenu.h"
#include "solvers/NumericText.h"
#include "solvers/ReadingNote.h"

#include <QLineEdit>

namespace solvers {

namespace {

using namespace forms;

constexpr Calculator Calculators[] = {
    {.window = AccelerationInField, .formula = accelerationInField, .backTo = MainWindow, .donationPanel = true},
    {.window = BeatFrequency, .formula = beatFrequency, .backTo = FormulaIndex},
    {.window = AngularMomentum, .formula = product, .backTo = FormulaIndex, .exitHides = true},
    {.window = DeBroglieWavelength, .formula = deBroglie, .backTo = FormulaIndex},
    {.window = Centripetal, .formula = centripetal, .backTo = FormulaIndex},
    {.window = ElectricMagneticField, .formula = product, .backTo = FormulaIndex},
    {.window = MassEnergy, .formula = massEnergy, .backTo = FormulaIndex},
    {.window = NewtonSecondLaw, .formula = product, .backTo = FormulaIndex},
    {.window = SpringConstant, .formula = springConstant, .backTo = FormulaIndex, .exitHides = true},
    {.window = Zurich, .formula = zurich, .backTo = FormulaIndex, .text4Strict = true},
    {.window = Torque, .formula = product, .backTo = FormulaIndex, .donationPanel = true},
    {.window = Voltage, .formula = product, .backTo = FormulaIndex, .donationPanel = true},
    {.window = Schwarzschild, .formula = schwarzschild, .backTo = FormulaIndex},
};

QString boxText(const QWidget &window, const QString &box)
{
    const QWidget *control = findControl(&window, box);
    return control ? controlText(control) : QString();
}

// The input boxes, in the order they are read.
QList<QLineEdit *> inputBoxes(const QWidget &window)
{
    QList<QLineEdit *> boxes;
    for (const char *name : {"Text2", "Text3", "Text4"})
        if (auto *box = qobject_cast<QLineEdit *>(findControl(&window, QString::fromLatin1(name))))
            boxes.append(box);
    return boxes;
}

// Part of a box left unread is no error, but the student should know what was
// calculated with: the first such box gets a note. (The strictly read box
// says what is wrong with it in the error box instead.)
void explainReading(const QWidget &window, const Calculator &calculator)
{
    for (QLineEdit *box : inputBoxes(window)) {
        const bool strict = calculator.text4Strict && box->objectName() == QLatin1String("Text4");
        if (const QString note = strict ? QString() : readingNote(box->text()); !note.isEmpty()) {
            app::Balloon::show(box, note);
            return;
        }
    }
}

// "Calculate": the inputs are left as typed; Text1 is written only when the
// formula succeeded, so after a run-time error it keeps its previous text.
void Command2_Click(QWidget &window, const Calculator &calculator)
{
    const FormulaInputs inputs{boxText(window, QStringLiteral("Text2")), boxText(window, QStringLiteral("Text3")),
                               boxText(window, QStringLiteral("Text4"))};
    explainReading(window, calculator);
    const double result = calculator.formula(inputs);
    setControlText(findControl(&window, QStringLiteral("Text1")), NumericText::format(result));
}

} // namespace

std::span<const Calculator> calculators() { return Calculators; }

void bindCalculator(app::WindowEvents &events, const Calculator &calculator)
{
    Form *self = &events.window();
    events.onClick(QStringLiteral("Command2"), [self, &calculator] { Command2_Click(*self, calculator); });
    for (QLineEdit *box : inputBoxes(*self)) {
        events.clickOnReturn(box->objectName(), QStringLiteral("Command2"));
        addConstantsMenu(box);
    }
    app::bindHideThenShow(events, QStringLiteral("Command1"), calculator.backTo.name);
    if (calculator.exitHides)
        app::bindHideThenShow(events, QStringLiteral("mnuExit"), FormulaIndexName);
    else
        app::bindUnloadSelf(events, QStringLiteral("mnuExit"));
    if (calculator.donationPanel)
        app::DisclaimerPanel::bind(events);
}

} // namespace solvers
