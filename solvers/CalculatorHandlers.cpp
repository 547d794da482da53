#include "solvers/CalculatorHandlers.h"

#include "app/DisclaimerPanel.h"
#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "forms/CalculatorForms.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "forms/ShellForms.h"
#include "solvers/NumericText.h"

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
    {.window = Zurich, .formula = zurich, .backTo = FormulaIndex},
    {.window = Torque, .formula = product, .backTo = FormulaIndex, .donationPanel = true},
    {.window = Voltage, .formula = product, .backTo = FormulaIndex, .donationPanel = true},
    {.window = Schwarzschild, .formula = schwarzschild, .backTo = FormulaIndex},
};

QString boxText(const QWidget &window, const QString &box)
{
    const QWidget *control = findControl(&window, box);
    return control ? controlText(control) : QString();
}

// "Calculate": the inputs are left as typed; Text1 is written only when the
// formula succeeded, so after a run-time error it keeps its previous text.
void Command2_Click(QWidget &window, const Calculator &calculator)
{
    const FormulaInputs inputs{boxText(window, QStringLiteral("Text2")), boxText(window, QStringLiteral("Text3")),
                               boxText(window, QStringLiteral("Text4"))};
    const double result = calculator.formula(inputs);
    setControlText(findControl(&window, QStringLiteral("Text1")), NumericText::format(result));
}

} // namespace

std::span<const Calculator> calculators() { return Calculators; }

void bindCalculator(app::WindowEvents &events, const Calculator &calculator)
{
    Form *self = &events.window();
    events.onClick(QStringLiteral("Command2"), [self, &calculator] { Command2_Click(*self, calculator); });
    app::bindHideThenShow(events, QStringLiteral("Command1"), calculator.backTo.name);
    if (calculator.exitHides)
        app::bindHideThenShow(events, QStringLiteral("mnuExit"), FormulaIndexName);
    else
        app::bindUnloadSelf(events, QStringLiteral("mnuExit"));
    if (calculator.donationPanel)
        app::DisclaimerPanel::bind(events);
}

} // namespace solvers
