#include "solvers/CalculatorWindow.h"

#include "app/DisclaimerPanel.h"
#include "app/Navigation.h"
#include "app/WindowEvents.h"
#include "app/WindowManager.h"
#include "forms/Controls.h"
#include "forms/FormWidgets.h"
#include "solvers/FormulaCatalogue.h"
#include "solvers/NumericText.h"

namespace solvers {
namespace {

QString boxText(const QWidget &window, const QString &box)
{
    const QWidget *control = forms::findControl(&window, box);
    return control ? forms::controlText(control) : QString();
}

// "Calculate": the inputs are left as typed; Text1 is written only when the
// formula succeeded, so after a run-time error it keeps its previous text.
void Command2_Click(QWidget &window, const CatalogueEntry &entry)
{
    const FormulaInputs inputs{boxText(window, QStringLiteral("Text2")), boxText(window, QStringLiteral("Text3")),
                               boxText(window, QStringLiteral("Text4"))};
    const double result = entry.compute(inputs);
    forms::setControlText(forms::findControl(&window, QStringLiteral("Text1")), NumericText::format(result));
}

} // namespace

void bindCalculator(WindowEvents &events, const CatalogueEntry &entry)
{
    forms::Form *self = &events.window();
    events.onClick(QStringLiteral("Command2"), [self, &entry] { Command2_Click(*self, entry); });
    bindHideThenShow(events, QStringLiteral("Command1"), forms::toQString(entry.backTo));
    if (entry.exitHides)
        bindHideThenShow(events, QStringLiteral("mnuExit"), QStringLiteral("Formulasolvers"));
    else
        bindUnloadSelf(events, QStringLiteral("mnuExit"));
    if (entry.donationPanel)
        DisclaimerPanel::bind(events);
}

} // namespace solvers
